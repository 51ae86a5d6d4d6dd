#include "tools/zq-cli/commands.h"

#include "config/configcsv.h"
#include "config/configmodel.h"
#include "config/configwriter.h"
#include "config/rowtext.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/itemsread.h"
#include "tools/zq-cli/parallelrun.h"

#include <QJsonArray>

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
        for (const ConfigOutcome::Box& box : import.outcome.boxes)
            CliOutput::error(box.title + QStringLiteral(": ") + box.text);
        return ExitFile;
    }
    // The imported rows pass the same filter as in the tree, so the same items are written.
    ConfigModel shown;
    shown.setSkipMap(skipMap);
    shown.showImport(import.rows);
    const ConfigRows imported = shown.rows();

    ProgressDisplay progress(CliOutput::stderrIsTerminal());
    return runOnEveryInstrument(options, [&](const LinkTarget& target) {
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

        QStringList refused;
        ConfigWriter::Progress report;
        report.answered = [&](int at, const ItemWriteOutcome& outcome) {
            const ConfigRow& row = rows.at(at);
            result.lines.append(oldToNew(at, outcome.value) + QStringLiteral("  ") + outcome.status);
            QJsonObject item = rowJson(row);
            item.insert(QStringLiteral("old"), read.values.value(row.index));
            item.insert(QStringLiteral("answer"), outcome.value);
            item.insert(QStringLiteral("kept"), outcome.kept);
            written.append(item);
            if (!outcome.kept)
                refused.append(row.name);
            progress.update(target.label, (at + 1) * 100 / rows.size());
        };
        const ConfigOutcome outcome = ConfigWriter::writeAll(target.settings, rows, report);
        result.json.insert(QStringLiteral("written"), written);
        if (!outcome.ok) {
            const ExitCode code = exitCodeFor(outcome.failureCode, outcome.linkError);
            for (const ConfigOutcome::Box& box : outcome.boxes)
                result.fail(code, box.title + QStringLiteral(": ") + box.text);
        } else if (!refused.isEmpty()) {
            result.fail(ExitRefused,
                        tr("仪器拒绝了 %1 项: %2").arg(refused.size()).arg(refused.join(QStringLiteral(", "))));
        } else {
            result.lines.append(outcome.status);
        }
        return result;
    });
}
