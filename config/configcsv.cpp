#include "config/configcsv.h"

#include "config/itemcsv.h"

#include <QFile>
#include <QTextStream>

ConfigOutcome ConfigCsv::exportTo(const QString& fileName, const ConfigRows& rows)
{
    const QString title = tr("导出配置");
    // Binary mode: the lines end in CR LF on every system, as the instrument's tools expect.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return ConfigOutcome::failure(title, tr("打开文件失败: %1").arg(fileName), ConfigFailure::File);
    file.write("\xEF\xBB\xBF");
    QTextStream stream(&file);
    stream.setCodec("utf-8");
    for (const ConfigRow& row : rows)
        stream << formatCsvLine(row.index, row.nameColumn, row.valueColumn) << QLatin1String("\r\n");
    stream.flush();
    // A full disk must not pass for a saved configuration.
    if (stream.status() != QTextStream::Ok || file.error() != QFileDevice::NoError || !file.flush())
        return ConfigOutcome::failure(title, tr("写入文件失败: %1").arg(fileName), ConfigFailure::File);
    return ConfigOutcome::success(tr("导出配置成功"));
}

CsvImport ConfigCsv::importFrom(const QString& fileName)
{
    const QString title = tr("导入配置");
    CsvImport import;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        import.outcome = ConfigOutcome::failure(title, tr("打开文件失败: %1").arg(fileName), ConfigFailure::File);
        return import;
    }
    // No codec: a byte order mark chooses the encoding, else the locale's code page applies.
    QTextStream stream(&file);
    QStringList records;
    QList<int> lines;
    const bool closed = splitCsvRecords(stream.readAll(), &records, &lines);
    // Nothing reaches the tree unless the whole file reads: a bad line must not leave half a configuration.
    for (int i = 0; i < records.size(); ++i) {
        ImportedRow row;
        const CsvLineError error = parseCsvRecord(records.at(i), &row.index, &row.fields);
        if (error == CsvLineError::IndexOutOfRange) {
            import.outcome = ConfigOutcome::failure(
                title, tr("文件解析错误: %1 第 %2 行: 配置项编号必须在 0 到 255 之间").arg(fileName).arg(lines.at(i)), ConfigFailure::File);
            import.rows.clear();
            return import;
        }
        if (error != CsvLineError::None) {
            import.outcome = ConfigOutcome::failure(title, tr("文件解析错误: %1 第 %2 行").arg(fileName).arg(lines.at(i)), ConfigFailure::File);
            import.rows.clear();
            return import;
        }
        import.rows.append(row);
    }
    if (!closed) {
        import.outcome = ConfigOutcome::failure(title, tr("文件解析错误: %1 第 %2 行").arg(fileName).arg(lines.last()), ConfigFailure::File);
        import.rows.clear();
    }
    return import;
}
