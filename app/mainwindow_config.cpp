// The configuration operations of the main window: it asks the operator, hands the rows to the
// operations in config/ and shows what they report. Each operation opens a link of its own.
#include "app/mainwindow.h"

#include "app/changelist.h"
#include "app/failurehint.h"
#include "app/instrumentrows.h"
#include "app/itemvalueprompt.h"
#include "app/menutext.h"
#include "app/operationslog.h"
#include "config/configbackup.h"
#include "config/configcsv.h"
#include "config/configwriter.h"
#include "config/texts/connectiontexts.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "config/ui/connectionbar.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"

#include "ui_mainwindow.h"

#include <QStatusBar>
#include <QTimer>

#include <numeric>

namespace {
constexpr int StatusMs = 5000;
const char* const CsvFilter = "Files (*.csv)";
} // namespace

void MainWindow::showOutcome(const ConfigOutcome& outcome, const QAction* action)
{
    // The first box of a failure in which the instrument did not answer says where to look.
    const bool silent = outcome.contact == LinkContact::NoAnswer;
    const QString hint = failureHint(outcome.failureCode, outcome.linkError, silent, LinkSettings::load().useUdp);
    bool hintShown = !silent;
    const QString operation = withoutMnemonic(action->text()).remove(QStringLiteral("..."));
    for (const ConfigOutcome::Box& shown : outcome.boxes)
        log->add(operation, connection->target(), shown.error, shown.text, shown.error ? hint : QString());
    if (outcome.boxes.isEmpty() && !outcome.status.isEmpty())
        log->add(operation, connection->target(), false, outcome.status);
    for (const ConfigOutcome::Box& shown : outcome.boxes) {
        if (shown.error)
            showErrorBox(shown.title, shown.text, windowIcon(), std::exchange(hintShown, true) ? QString() : hint);
        else
            showMessage(this, QMessageBox::Information, shown.title, shown.text);
    }
    if (!outcome.status.isEmpty())
        statusBar()->showMessage(outcome.status, StatusMs);
}

int MainWindow::promptItemValue(const ConfigRow& row, QString& value)
{
    return askItemValue(this, row, value);
}

WriteBackup MainWindow::readValuesBackup() const
{
    return WriteBackup{ConfigBackup::folder(), instrumentName, rows->readRows()};
}

void MainWindow::slotRowDoubleClicked(int row)
{
    if (row < 0 || row >= rows->rowCount())
        return;
    const ConfigRow written = rows->row(row);
    QString newValue;
    int mode = WriteCancelled;
    whileAsking([&] { mode = promptItemValue(written, newValue); });
    if (mode == WriteCancelled)
        return;
    writtenRow = row;
    writeGeneration = rows->generation();
    // The runner's thread gets going while the window shows that it is busy.
    const LinkSettings link = LinkSettings::load();
    const WriteBackup backup = readValuesBackup();
    worker.run(
        this,
        [link, written, newValue, mode, backup](const StopToken& stop) {
            return ConfigJobs::writeOne(link, written, newValue, WriteMode(mode), backup, stop);
        },
        [this](const ItemWriteOutcome& item) { workerDone(item, item); });
    statusBar()->showMessage(tr("正在写入配置......"));
    beginBusy(WriteOneOperation, tr("正在写入 %1 ……").arg(written.name), link);
}

void MainWindow::slotWriteItems()
{
    if (!mayBegin())
        return;
    QVector<int> all(rows->rowCount());
    std::iota(all.begin(), all.end(), 0);
    startWriteRows(all);
}

void MainWindow::startWriteRows(const QVector<int>& chosen)
{
    writeGeneration = rows->generation();
    currentWriteRow = -1;
    writeTreeRows = chosen;
    ConfigRows written;
    written.reserve(chosen.size());
    for (int row : chosen)
        written.append(rows->row(row));
    const LinkSettings link = LinkSettings::load();
    const WriteBackup backup = readValuesBackup();
    // The answered rows come in batches, each posted behind the one before and all before the end.
    worker.run(
        this,
        [this, link, written, backup](const StopToken& stop) {
            return ConfigJobs::writeRows(link, written, backup, stop, writeProgress, [this](const WrittenRows& rows) {
                postTo(this, [this, rows] { workerRowsWritten(rows); });
            });
        },
        [this](const ConfigOutcome& outcome) { workerDone(outcome, ItemWriteOutcome()); });
    // The runner's thread gets going while the window shows that it is busy.
    beginBusy(WriteRowsOperation, tr("正在写入 ……"), link);
    statusBar()->showMessage(tr("正在写入配置......"));
    writeProgressPoll->start();
}

void MainWindow::slotWriteChanged()
{
    whileAsking([this] {
        const ChangeList changes = changeList(*rows);
        if (changes.rows.isEmpty()) {
            statusBar()->showMessage(tr("没有需要写入的修改"), StatusMs);
            return;
        }
        if (askYesNo(this, QMessageBox::Question, withoutMnemonic(form->write_changed->text()), changes.text,
                     QMessageBox::Yes, changes.details))
            startWriteRows(changes.rows);
    });
}

void MainWindow::withCsvFile(const QAction* action, bool save, const QString& folder,
                             const std::function<void(const QString&)>& use)
{
    whileAsking([&] {
        const QString title = withoutMnemonic(action->text()).remove(QStringLiteral("..."));
        const QString filter = QString::fromLatin1(CsvFilter);
        const QString fileName = save ? Prompter::current().getSaveFileName(this, title, folder, filter)
                                      : Prompter::current().getOpenFileName(this, title, folder, filter);
        if (!fileName.isEmpty())
            use(fileName);
    });
}

void MainWindow::slotExportItems()
{
    withCsvFile(form->export_2, true, QString(), [this](const QString& fileName) {
        statusBar()->showMessage(tr("正在导出配置......"));
        showOutcome(ConfigCsv::exportTo(fileName, rows->rows()), form->export_2);
    });
}

void MainWindow::slotImportItems()
{
    withCsvFile(form->import_2, false, QString(), [this](const QString& fileName) { importFile(fileName); });
}

void MainWindow::slotRestoreBackup()
{
    withCsvFile(form->restore_backup, false, ConfigBackup::folder().absolutePath(),
                [this](const QString& fileName) { importFile(fileName); });
}

void MainWindow::importFile(const QString& fileName)
{
    statusBar()->showMessage(tr("正在导入配置......"));
    const CsvImport import = ConfigCsv::importFrom(fileName);
    // A file that does not read leaves the tree as it was.
    if (!import.outcome.ok) {
        showOutcome(import.outcome, form->import_2);
        return;
    }
    rows->showImport(import.rows);
    updateChangeCount();
    statusBar()->clearMessage();
}

void MainWindow::slotSyncTime()
{
    if (!mayBegin())
        return;
    const LinkSettings link = LinkSettings::load();
    worker.run(
        this, [link](const StopToken& stop) { return ConfigJobs::syncTime(link, stop); },
        [this](const ConfigOutcome& outcome) { workerDone(outcome, ItemWriteOutcome()); });
    beginBusy(SyncOperation, tr("正在同步时间 ……"), link);
}

void MainWindow::slotTestConnection()
{
    if (!mayBegin())
        return;
    const LinkSettings link = LinkSettings::load();
    worker.run(
        this, [link](const StopToken& stop) { return ConfigJobs::testConnection(link, stop); },
        [this](const ConnectionTest& test) { workerDone(connectionTestOutcome(test), ItemWriteOutcome()); });
    beginBusy(TestOperation, tr("正在测试连接 ……"), link);
}

void MainWindow::showWriteProgress()
{
    const WriteProgress::Reached progress = writeProgress.reached();
    if (progress.row < 0)
        return;
    currentWriteRow = writeTreeRows.value(progress.row, -1);
    busy->setProgress(tr("正在写入 %1/%2 ……").arg(progress.done + 1).arg(progress.total), progress.done,
                      progress.total);
}

// A batch of answered rows: one repaint for all of them.
void MainWindow::workerRowsWritten(const WrittenRows& written)
{
    if (writeGeneration != rows->generation())
        return;
    QVector<QPair<int, const ItemWriteOutcome*>> answers;
    answers.reserve(written.size());
    for (const WrittenRow& row : written)
        answers.append({writeTreeRows.value(row.row, -1), &row.outcome});
    rows->applyAnswers(answers);
    showWriteProgress();
    tree->setCurrentRow(currentWriteRow);
    updateChangeCount();
}

void MainWindow::workerDone(const ConfigOutcome& outcome, const ItemWriteOutcome& item)
{
    const Operation operation = running;
    const bool sameRows = writeGeneration == rows->generation();
    if (operation == WriteRowsOperation && sameRows) {
        // The window ends on the row the write ended on.
        showWriteProgress();
        tree->setCurrentRow(currentWriteRow);
    }
    if (operation == WriteOneOperation && item.ok && sameRows && writtenRow >= 0) {
        rows->applyAnswer(writtenRow, item);
        updateChangeCount();
    }
    writtenRow = -1;
    // Busy ends before the boxes: the operator may act again as soon as the outcome shows.
    endBusy();
    connection->showContact(outcome.contact);
    ConfigOutcome shown = outcome;
    if (operation == SyncOperation && outcome.ok && outcome.clockSetTo.isValid()) {
        // The instrument's clock holds the time sent now: the row and the message say which.
        const QString setTo = outcome.clockSetTo.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        setDeviceTime(*rows, setTo);
        for (ConfigOutcome::Box& box : shown.boxes)
            box.text += QLatin1Char('\n') + tr("设备时钟已设为 %1").arg(setTo);
    }
    showOutcome(shown, actionOf(operation));
}

const QAction* MainWindow::actionOf(Operation operation) const
{
    switch (operation) {
    case SyncOperation:
        return form->sync_time;
    case TestOperation:
        return form->test_connection;
    case WriteOneOperation:
    case WriteRowsOperation:
        return form->save;
    default:
        return form->refresh;
    }
}
