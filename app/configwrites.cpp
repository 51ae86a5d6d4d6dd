#include "app/configwrites.h"

#include "config/configmodel.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "jobs/jobrunner.h"
#include "jobs/posting.h"

#include <QTimer>

ConfigWrites::ConfigWrites(ConfigModel& rows, ConfigTree& tree, JobRunner& runner, BusyIndicator& busy, QObject* parent)
    : QObject(parent), rows(rows), tree(tree), runner(runner), busy(busy), progressPoll(new QTimer(this))
{
    progressPoll->setInterval(ConfigJobs::ReportIntervalMs);
    connect(progressPoll, &QTimer::timeout, this, &ConfigWrites::showProgress);
}

void ConfigWrites::writeOne(const LinkSettings& link, int row, const QString& value, WriteMode mode,
                            const WriteBackup& backup, const Ended& ended)
{
    writtenRow = row;
    generation = rows.generation();
    const ConfigRow written = rows.row(row);
    runner.run(
        this,
        [link, written, value, mode, backup](const StopToken& stop) {
            return ConfigJobs::writeOne(link, written, value, mode, backup, stop);
        },
        [this, ended](const ItemWriteOutcome& outcome) { oneEnded(outcome, ended); });
}

void ConfigWrites::writeRows(const LinkSettings& link, const QVector<int>& chosen, const WriteBackup& backup,
                             const Ended& ended)
{
    generation = rows.generation();
    currentRow = -1;
    chosenRows = chosen;
    ConfigRows written;
    written.reserve(chosen.size());
    for (int row : chosen)
        written.append(rows.row(row));
    // The answered rows come in batches, each posted behind the one before and all before the end.
    runner.run(
        this,
        [this, link, written, backup](const StopToken& stop) {
            return ConfigJobs::writeRows(link, written, backup, stop, progress, [this](const WrittenRows& answered) {
                postTo(this, [this, answered] { rowsWritten(answered); });
            });
        },
        [this, ended](const ConfigOutcome& outcome) { rowsEnded(outcome, ended); });
    progressPoll->start();
}

bool ConfigWrites::sameRows() const
{
    return generation == rows.generation();
}

void ConfigWrites::showProgress()
{
    const WriteProgress::Reached reached = progress.reached();
    if (reached.row < 0)
        return;
    currentRow = chosenRows.value(reached.row, -1);
    busy.setProgress(tr("正在写入 %1/%2 ……").arg(reached.done + 1).arg(reached.total), reached.done, reached.total);
}

void ConfigWrites::rowsWritten(const WrittenRows& written)
{
    if (!sameRows())
        return;
    QVector<QPair<int, const ItemWriteOutcome*>> answers;
    answers.reserve(written.size());
    for (const WrittenRow& row : written)
        answers.append({chosenRows.value(row.row, -1), &row.outcome});
    rows.applyAnswers(answers);
    showProgress();
    tree.setCurrentRow(currentRow);
    emit signalRowsAnswered();
}

void ConfigWrites::rowsEnded(const ConfigOutcome& outcome, const Ended& ended)
{
    progressPoll->stop();
    if (sameRows()) {
        // The window ends on the row the write ended on.
        showProgress();
        tree.setCurrentRow(currentRow);
    }
    ended(outcome);
}

void ConfigWrites::oneEnded(const ItemWriteOutcome& outcome, const Ended& ended)
{
    if (outcome.ok && sameRows() && writtenRow >= 0) {
        rows.applyAnswer(writtenRow, outcome);
        emit signalRowsAnswered();
    }
    writtenRow = -1;
    ended(outcome);
}
