#include "config/configcsv.h"

#include "config/configwriter.h"
#include "config/itemcsv.h"
#include "files/wholefile.h"

#include <QFile>
#include <QTextCodec>
#include <QTextStream>

namespace {

constexpr int Utf8Mib = 106;
constexpr int Latin1Mib = 4;
constexpr int AsciiMib = 3;

// Decodes bytes as codec would, false when any of them is not of that encoding. Some codecs
// replace what they cannot read without counting it: the text must then give the bytes back.
bool decodeStrictly(QTextCodec* codec, const QByteArray& bytes, QString* text)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars != 0 || state.remainingChars != 0)
        return false;
    return codec->mibEnum() == Utf8Mib || codec->fromUnicode(*text) == bytes;
}

// The first line (from 1) whose bytes are not of the codec's encoding. Neither UTF-8 nor the
// two-byte Chinese encodings use the byte of a line feed inside a character, so lines decode alone.
int firstLineNotIn(QTextCodec* codec, const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    QString ignored;
    for (int i = 0; i < lines.size(); ++i)
        if (!decodeStrictly(codec, lines.at(i), &ignored))
            return i + 1;
    return 1;
}

// What a file without a byte order mark falls back to when it is not UTF-8: the workstation's
// own code page where it has one (a Big5 file on a Big5 workstation), else GB18030, which a
// spreadsheet on Chinese Windows saves (and which holds GBK and GB2312).
QTextCodec* fallbackCodec()
{
    QTextCodec* locale = QTextCodec::codecForLocale();
    const int mib = locale ? locale->mibEnum() : Utf8Mib;
    if (mib == Utf8Mib || mib == Latin1Mib || mib == AsciiMib)
        return QTextCodec::codecForName("GB18030");
    return locale;
}

// The file's text. A byte order mark names the encoding; without one the bytes are UTF-8 when they
// are valid UTF-8, else in the fallback encoding. badLine receives the first line that is in
// neither, and the text is then empty.
QString fileText(const QByteArray& bytes, int* badLine)
{
    *badLine = 0;
    QString text;
    QTextCodec* utf8 = QTextCodec::codecForMib(Utf8Mib);
    QTextCodec* marked = QTextCodec::codecForUtfText(bytes, nullptr);
    if (marked && marked != utf8)
        return marked->toUnicode(bytes); // UTF-16 or UTF-32, as before
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    if (decodeStrictly(utf8, body, &text))
        return text;
    QTextCodec* fallback = bom ? nullptr : fallbackCodec();
    if (fallback && decodeStrictly(fallback, body, &text))
        return text;
    *badLine = firstLineNotIn(fallback ? fallback : utf8, body);
    return QString();
}

} // namespace

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
    int notTextLine = 0;
    const QString text = fileText(file.readAll(), &notTextLine);
    if (notTextLine > 0) {
        FileFailure notText = FileFailure::of(FileFailure::BadLine, fileName);
        notText.line = notTextLine;
        notText.notText = true;
        import.outcome = ConfigOutcome::fileFailure(ConfigOperation::Import, notText);
        return import;
    }
    QStringList records;
    QList<int> lines;
    const bool closed = splitCsvRecords(text, &records, &lines);
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
