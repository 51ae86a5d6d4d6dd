#include "history/historycsvwriter.h"

#include "history/recordstore.h"
#include "history/recordtable.h"

#include "link/devicetext.h"

#include <QRegularExpression>

HistoryCsvWriter::HistoryCsvWriter(const QString& path, Kind kind) : file(path), kind(kind)
{ }

bool HistoryCsvWriter::open()
{
    if (!file.open())
        return false;
    if (kind == Table)
        write("\xEF\xBB\xBF");
    else
        codec = QTextCodec::codecForLocale();
    return true;
}

void HistoryCsvWriter::write(const QByteArray& bytes)
{
    if (!failed && file.device()->write(bytes) != bytes.size())
        failed = true;
}

QString HistoryCsvWriter::csvLine(const QStringList& cells)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\\r\\n]"));
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString& cell : cells) {
        if (!cell.contains(needsQuotes)) {
            quoted.append(cell);
            continue;
        }
        QString inner = cell;
        inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        quoted.append(QLatin1Char('"') + inner + QLatin1Char('"'));
    }
    return quoted.join(QLatin1Char(','));
}

void HistoryCsvWriter::writeTableRow(const QStringList& cells)
{
    write(csvLine(cells).toUtf8() + "\r\n");
}

void HistoryCsvWriter::addLine(const QString& line)
{
    ++written;
    if (kind == RecordLines) {
        write(codec->fromUnicode(line) + '\n');
        return;
    }
    const QStringList fields = splitFields(line);
    if (fields.isEmpty())
        return;
    if (!RecordStore::isRecord(line)) {
        if (!headerWritten && header.isEmpty() && written == 1) {
            header = fields;
            return;
        }
        writeTableRow(fields);
        return;
    }
    if (!headerWritten) {
        // The header names the date and the time together: its names stand over their values,
        // with the two named apart where names are given.
        QStringList names = header;
        const bool joined = !header.isEmpty() && fields.size() > header.size();
        if (!dateName.isEmpty() && (joined || header.isEmpty())) {
            names = QStringList{dateName, timeName} + header.mid(1);
            while (names.size() < fields.size())
                names.append(QString());
        } else if (joined) {
            names.insert(1, QString());
        }
        if (!names.isEmpty())
            writeTableRow(names);
    }
    headerWritten = true;
    writeTableRow(fields);
}

void HistoryCsvWriter::addRawLine(const QByteArray& line)
{
    if (kind == Table) {
        QByteArray bare = line;
        while (bare.endsWith('\n') || bare.endsWith('\r'))
            bare.chop(1);
        addLine(decodeDeviceText(bare));
        return;
    }
    ++written;
    write(line);
}

bool HistoryCsvWriter::commit()
{
    if (kind == Table && !headerWritten && !header.isEmpty()) {
        writeTableRow(header);
        headerWritten = true;
    }
    if (failed) {
        file.cancel();
        return false;
    }
    return file.commit();
}
