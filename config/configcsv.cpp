#include "config/configcsv.h"

#include "config/configwriter.h"
#include "config/itemcsv.h"
#include "files/wholefile.h"

#include <QFile>
#include <QTextStream>

namespace {
// The item the traffic monitor turns the instrument's debug output on and off with.
constexpr int DebugSwitchIndex = 255;
} // namespace

ConfigOutcome ConfigCsv::exportTo(const QString& fileName, const ConfigRows& rows)
{
    const QString title = tr("导出配置");
    // Binary mode: the lines end in CR LF on every system, as the instrument's tools expect.
    // Written beside the file and moved into place: a failed export keeps the earlier file.
    WholeFile file(fileName);
    if (!file.open())
        return ConfigOutcome::failure(title, tr("打开文件失败: %1").arg(fileName), ConfigFailure::File);
    file.device()->write("\xEF\xBB\xBF");
    QTextStream stream(file.device());
    stream.setCodec("utf-8");
    for (const ConfigRow& row : rows)
        stream << formatCsvLine(row) << QLatin1String("\r\n");
    stream.flush();
    // A full disk must not pass for a saved configuration.
    if (stream.status() != QTextStream::Ok || file.error() != QFileDevice::NoError || !file.commit())
        return ConfigOutcome::failure(title, tr("写入文件失败: %1").arg(fileName), ConfigFailure::File);
    return ConfigOutcome::success(tr("导出配置成功"));
}

CsvImport ConfigCsv::importFrom(const QString& fileName)
{
    const QString title = tr("导入配置");
    CsvImport import;
    // Binary mode: the records are cut at CR LF, LF and a lone CR alike (text mode would drop every
    // CR and read a file with CR line ends as one record).
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        import.outcome = ConfigOutcome::failure(title, tr("打开文件失败: %1").arg(fileName), ConfigFailure::File);
        return import;
    }
    // No codec: a byte order mark chooses the encoding, else the locale's code page applies.
    QTextStream stream(&file);
    QStringList records;
    QList<int> lines;
    const bool closed = splitCsvRecords(stream.readAll(), &records, &lines);
    const auto refuse = [&](int record, const QString& reason) {
        const QString where = tr("文件解析错误: %1 第 %2 行").arg(fileName).arg(lines.at(record));
        import.outcome = ConfigOutcome::failure(title, reason.isEmpty() ? where : where + QStringLiteral(": ") + reason,
                                                ConfigFailure::File);
        import.rows.clear();
        return import;
    };
    // Nothing reaches the tree unless the whole file reads and every value could be written: a bad
    // line must not leave half a configuration, in the tree or in the instrument.
    for (int i = 0; i < records.size(); ++i) {
        // A blank line (an editor's last line, a gap between groups) holds no row.
        if (records.at(i).trimmed().isEmpty())
            continue;
        ImportedRow row;
        switch (parseCsvRecord(records.at(i), &row.index, &row.fields, &row.identityValue)) {
        case CsvLineError::None:
            break;
        case CsvLineError::IndexOutOfRange:
            return refuse(i, tr("配置项编号必须在 0 到 255 之间"));
        case CsvLineError::StrayQuote:
            return refuse(i, tr("引号必须紧跟在逗号之后并成对出现"));
        case CsvLineError::Malformed:
            return refuse(i, QString());
        }
        // The instrument's debug switch is set only by the traffic monitor.
        if (row.index == DebugSwitchIndex)
            return refuse(i, tr("配置项 %1 是设备的调试开关, 不能从文件写入").arg(DebugSwitchIndex));
        const QString refusal =
            row.fields.size() > 1 ? ConfigWriter::itemRefusal(row.fields.at(0), row.fields.at(1)) : QString();
        if (!refusal.isEmpty())
            return refuse(i, refusal);
        import.rows.append(row);
    }
    if (!closed)
        return refuse(lines.size() - 1, QString());
    return import;
}
