#include "config/configcsv.h"

#include "config/configwriter.h"
#include "config/itemcsv.h"
#include "files/wholefile.h"

#include <QFile>
#include <QTextStream>

ConfigOutcome ConfigCsv::exportTo(const QString& fileName, const ConfigRows& rows)
{
    // Binary mode: the lines end in CR LF on every system, as the instrument's tools expect.
    // Written beside the file and moved into place: a failed export keeps the earlier file.
    WholeFile file(fileName);
    if (!file.open())
        return ConfigOutcome::fileFailure(ConfigOperation::Export, FileFailure::of(FileFailure::CannotOpen, fileName));
    file.device()->write("\xEF\xBB\xBF");
    QTextStream stream(file.device());
    stream.setCodec("utf-8");
    for (const ConfigRow& row : rows)
        stream << formatCsvLine(row) << QLatin1String("\r\n");
    stream.flush();
    // A full disk must not pass for a saved configuration.
    if (stream.status() != QTextStream::Ok || file.error() != QFileDevice::NoError || !file.commit())
        return ConfigOutcome::fileFailure(ConfigOperation::Export, FileFailure::of(FileFailure::CannotWrite, fileName));
    return ConfigOutcome::success(ConfigOperation::Export);
}

CsvImport ConfigCsv::importFrom(const QString& fileName)
{
    CsvImport import;
    import.outcome.operation = ConfigOperation::Import;
    // Binary mode: the records are cut at CR LF, LF and a lone CR alike (text mode would drop every
    // CR and read a file with CR line ends as one record).
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        import.outcome =
            ConfigOutcome::fileFailure(ConfigOperation::Import, FileFailure::of(FileFailure::CannotOpen, fileName));
        return import;
    }
    // No codec: a byte order mark chooses the encoding, else the locale's code page applies.
    QTextStream stream(&file);
    QStringList records;
    QList<int> lines;
    const bool closed = splitCsvRecords(stream.readAll(), &records, &lines);
    // reason: the line's error, debugSwitch or refusal; a malformed line has no more to say.
    const auto refuse = [&](int record, FileFailure reason) {
        reason.kind = FileFailure::BadLine;
        reason.path = fileName;
        reason.line = lines.at(record);
        import.outcome = ConfigOutcome::fileFailure(ConfigOperation::Import, reason);
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
        FileFailure reason;
        reason.lineError = parseCsvRecord(records.at(i), &row.index, &row.fields, &row.identityValue);
        if (reason.lineError != CsvLineError::None)
            return refuse(i, reason);
        // The instrument's debug switch is set only by the traffic monitor.
        reason.debugSwitch = row.index == DebugSwitchIndex;
        if (reason.debugSwitch)
            return refuse(i, reason);
        if (row.fields.size() > 1)
            reason.refusal = ConfigWriter::itemRefusal(row.fields.at(0), row.fields.at(1));
        if (reason.refusal.refuses())
            return refuse(i, reason);
        import.rows.append(row);
    }
    if (!closed) {
        FileFailure unclosed;
        unclosed.lineError = CsvLineError::Malformed;
        return refuse(lines.size() - 1, unclosed);
    }
    return import;
}
