#include "tools/zq-cli/commands.h"

#include "config/configbackup.h"
#include "config/configcsv.h"
#include "config/configidentity.h"
#include "config/configmodel.h"
#include "config/configwriter.h"
#include "config/rowtext.h"
#include "config/texts/configtexts.h"
#include "config/writelog.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/itemsread.h"
#include "tools/zq-cli/parallelrun.h"
#include "tools/zq-cli/stopsignal.h"

#include <QJsonArray>
#include <QSet>

#include <atomic>

namespace {

// Whether --skip names the row, by its name or its index (05 and 5 alike).
bool skipped(const ConfigRow& row, const QStringList& skip)
{
    for (const QString& item : skip) {
        bool number = false;
        const int index = item.toInt(&number, 10);
        if (number ? index == row.index : item.trimmed() == row.name)
            return true;
    }
    return false;
}

// What Write-all would send: the valued rows not skipped; with the instrument's values, only those
// that differ (an item the instrument did not list counts as differing).
// Each chosen row keeps the number the tree shows it with.
ConfigRows rowsToWrite(const ConfigRows& rows, const QMap<int, QString>* current, const QStringList& skip,
                       QVector<int>& numbers)
{
    ConfigRows chosen;
    for (int at = 0; at < rows.size(); ++at) {
        const ConfigRow& row = rows.at(at);
        if (row.isConfirmOnly() || skipped(row, skip))
            continue;
        if (current && current->contains(row.index) && current->value(row.index) == row.value)
            continue;
        chosen.append(row);
        numbers.append(at + 1);
    }
    return chosen;
}

// The instrument's name as the window takes it for its backups: the value of its name item.
QString instrumentName(const ConfigRows& rows)
{
    for (const ConfigRow& row : rows) {
        if (row.name.trimmed() == QStringLiteral("设备名称"))
            return row.value;
    }
    return QString();
}

QJsonObject rowJson(const ConfigRow& row)
{
    return {
        {QStringLiteral("index"), row.index}, {QStringLiteral("name"), row.name}, {QStringLiteral("value"), row.value}};
}

} // namespace

ExitCode WriteCommand::run(const CliOptions& options)
{
    const SkipMap skipMap = readSkipItems(QStringLiteral("SkipItems"));
    const CsvImport import = ConfigCsv::importFrom(options.file);
    if (!import.outcome.ok) {
        for (const ConfigMessages::Box& box : configMessages(import.outcome).boxes)
            CliOutput::error(box.title + QStringLiteral(": ") + box.text);
        return ExitFile;
    }
    // The imported rows pass the same filter as in the tree, so the same items are written.
    ConfigModel shown;
    shown.setSkipMap(skipMap);
    shown.showImport(import.rows);
    const ConfigRows imported = shown.rows();

    ProgressDisplay progress(CliOutput::stderrIsTerminal());
    // Ctrl-C and SIGTERM stop the write between two items: the item in flight is finished, so
    // that what is reported written is what the instrument holds.
    StopSignal::install();
    const ExitCode code = runOnEveryInstrument(options, [&](const LinkTarget& target) {
        InstrumentResult result;
        ItemsRead read;
        // The instrument's values first: each line says what it held and what it is given.
        if (!readItems(target, skipMap, read, result))
            return result;
        QVector<int> numbers;
        const ConfigRows rows =
            rowsToWrite(imported, options.changedOnly ? &read.values : nullptr, options.skip, numbers);
        auto oldToNew = [&](int at, const QString& value) {
            const ConfigRow& row = rows.at(at);
            const QString old = read.values.contains(row.index) ? read.values.value(row.index) : tr("(无)");
            return numberedName(numbers.at(at), row.name) + QStringLiteral(": ") + old + QStringLiteral(" → ") + value;
        };

        if (options.dryRun) {
            QJsonArray planned;
            for (int at = 0; at < rows.size(); ++at) {
                const ConfigRow& row = rows.at(at);
                result.lines.append(oldToNew(at, row.value));
                QJsonObject item = rowJson(row);
                item.insert(QStringLiteral("old"), read.values.value(row.index));
                planned.append(item);
            }
            result.json.insert(QStringLiteral("would_write"), planned);
            return result;
        }
        QJsonArray written;
        if (rows.isEmpty()) {
            result.lines.append(tr("没有需要写入的项"));
            result.json.insert(QStringLiteral("written"), written);
            return result;
        }
        if (!linkOpens(target, result))
            return result;
        // The values held before, saved as the window saves them, so that a write can be undone.
        if (!StopSignal::received()) {
            QString backupFile;
            const ConfigOutcome saved = ConfigBackup::save(ConfigBackup::folder(), instrumentName(read.rows), read.rows,
                                                           QDateTime::currentDateTime(), &backupFile);
            const ConfigMessages shown = configMessages(saved);
            if (!saved.ok) {
                for (const ConfigMessages::Box& box : shown.boxes)
                    result.fail(ExitFile, box.title + QStringLiteral(": ") + box.text);
                return result;
            }
            result.lines.append(shown.status);
            result.json.insert(QStringLiteral("backup"), backupFile);
        }

        QStringList refused;
        QSet<int> answered;
        std::atomic<bool> stop{StopSignal::received()};
        ConfigWriter::Progress report;
        report.answered = [&](int at, const ItemWriteOutcome& outcome) {
            const ConfigRow& row = rows.at(at);
            result.lines.append(oldToNew(at, outcome.value) + QStringLiteral("  ") + configMessages(outcome).status);
            QJsonObject item = rowJson(row);
            item.insert(QStringLiteral("old"), read.values.value(row.index));
            item.insert(QStringLiteral("answer"), outcome.value);
            item.insert(QStringLiteral("kept"), outcome.kept);
            written.append(item);
            if (!outcome.kept)
                refused.append(row.name);
            answered.insert(at);
            progress.update(target.label, (at + 1) * 100 / rows.size());
            // Set only here, between two items: the write never gives up on an item in flight.
            if (StopSignal::received())
                stop = true;
        };
        QHash<int, QString> oldValues;
        for (const ConfigRow& row : read.rows)
            oldValues.insert(row.index, row.value);
        const QString label = ConfigIdentity::of(read.rows).label();
        WriteLogger logger(WriteLog(), label.isEmpty() ? instrumentName(read.rows) : label, oldValues);
        const ConfigOutcome outcome = ConfigWriter::writeAll(target.settings, rows, logger.around(rows, report), &stop);
        logger.ended(rows, outcome);
        result.json.insert(QStringLiteral("written"), written);
        if (outcome.cancelled) {
            QStringList left;
            QJsonArray notWritten;
            for (int at = 0; at < rows.size(); ++at) {
                if (answered.contains(at))
                    continue;
                left.append(numberedName(numbers.at(at), rows.at(at).name));
                notWritten.append(rowJson(rows.at(at)));
            }
            result.lines.append(tr("未写入: %1").arg(left.join(QStringLiteral(", "))));
            result.json.insert(QStringLiteral("not_written"), notWritten);
            result.json.insert(QStringLiteral("interrupted"), true);
            result.fail(ExitInterrupted,
                        tr("写入已中断: 已写入 %1 项, 未写入 %2 项").arg(answered.size()).arg(left.size()));
        } else if (!outcome.ok) {
            const ExitCode code = exitCodeFor(outcome.failureCode, outcome.linkError);
            for (const ConfigMessages::Box& box : configMessages(outcome).boxes)
                result.fail(code, box.title + QStringLiteral(": ") + box.text);
        } else if (!refused.isEmpty()) {
            result.fail(ExitRefused,
                        tr("仪器拒绝了 %1 项: %2").arg(refused.size()).arg(refused.join(QStringLiteral(", "))));
        } else {
            result.lines.append(configMessages(outcome).status);
        }
        return result;
    });
    StopSignal::restore();
    return code;
}
