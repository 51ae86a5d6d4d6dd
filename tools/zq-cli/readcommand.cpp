#include "tools/zq-cli/commands.h"

#include "config/configcsv.h"
#include "config/rowtext.h"
#include "config/texts/configtexts.h"
#include "tools/zq-cli/itemsread.h"
#include "tools/zq-cli/parallelrun.h"

#include <QJsonArray>

namespace {
QJsonArray itemsJson(const ConfigRows& rows)
{
    QJsonArray items;
    for (const ConfigRow& row : rows) {
        QJsonObject item{{QStringLiteral("index"), row.index}, {QStringLiteral("name"), row.name}};
        if (!row.isConfirmOnly())
            item.insert(QStringLiteral("value"), row.value);
        items.append(item);
    }
    return items;
}
} // namespace

ExitCode ReadCommand::run(const CliOptions& options)
{
    const SkipMap skipMap = readSkipItems(QStringLiteral("SkipItems"));
    return runOnEveryInstrument(options, [&](const LinkTarget& target) {
        InstrumentResult result;
        ItemsRead read;
        // The rows read before a failure are shown, as the tree keeps them.
        const bool complete = readItems(target, skipMap, read, result);
        result.json.insert(QStringLiteral("items"), itemsJson(read.rows));
        if (complete && !options.file.isEmpty()) {
            const ConfigOutcome saved = ConfigCsv::exportTo(options.file, read.rows);
            const ConfigMessages shown = configMessages(saved);
            for (const ConfigMessages::Box& box : shown.boxes)
                result.fail(ExitFile, box.title + QStringLiteral(": ") + box.text);
            if (saved.ok)
                result.lines.append(shown.status);
            result.json.insert(QStringLiteral("csv"), options.file);
            return result;
        }
        for (int row = 0; row < read.rows.size(); ++row)
            result.lines.append(numberedName(row + 1, read.rows.at(row).name) + valueText(read.rows.at(row)));
        return result;
    });
}
