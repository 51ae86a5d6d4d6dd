#include "config/itemcsv.h"

#include "config/rowtext.h"

#include <QRegularExpression>

namespace {

constexpr int LastItemIndex = 255;
const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');

bool needsQuotes(const QString& text)
{
    return text.contains(Comma) || text.contains(Quote) || text.contains(QLatin1Char('\n'))
        || text.contains(QLatin1Char('\r'));
}

QString quoted(const QString& text)
{
    QString doubled = text;
    doubled.replace(Quote, QStringLiteral("\"\""));
    return Quote + doubled + Quote;
}

// One field of a record from position at: quoted (at must then hold the opening quote) or plain up
// to the next comma. at ends on the comma after the field or at the end; false for a quoted field
// that does not close or is followed by anything but a comma.
bool takeField(const QString& record, int& at, QString* field, bool* wasQuoted)
{
    field->clear();
    *wasQuoted = at < record.size() && record.at(at) == Quote;
    if (!*wasQuoted) {
        const int comma = record.indexOf(Comma, at);
        const int end = comma < 0 ? record.size() : comma;
        *field = record.mid(at, end - at);
        at = end;
        return true;
    }
    for (++at; at < record.size(); ++at) {
        if (record.at(at) != Quote) {
            field->append(record.at(at));
            continue;
        }
        if (at + 1 < record.size() && record.at(at + 1) == Quote) {
            field->append(Quote);
            ++at;
            continue;
        }
        ++at;
        return at == record.size() || record.at(at) == Comma;
    }
    return false;
}

} // namespace

QString formatCsvLine(const ConfigRow& row)
{
    QString head = numberedName(row.index, row.name.trimmed());
    // The name stays plain, as older readers expect: it runs to the last comma, which is the one
    // before the value as long as the value is quoted whenever it holds a comma. Only a line break,
    // or a quote right after one of the name's commas (it would open a quoted field), cannot stand
    // in a plain name.
    if (head.contains(QLatin1Char('\n')) || head.contains(QLatin1Char('\r')) || head.contains(QStringLiteral(",\"")))
        head = quoted(head);
    if (!row.valued)
        return head + Comma;
    // The value as the tree shows it after its colon: a blank, then the value. A valued row so keeps
    // something after the comma, or it would come back confirm-only.
    const QString value = QLatin1Char(' ') + row.value;
    return head + Comma + (needsQuotes(value) ? quoted(value) : value);
}

CsvLineError parseCsvRecord(const QString& record, int* index, QStringList* fields, QString* identityValue)
{
    QStringList parts;
    QList<bool> quotedParts;
    int at = 0;
    for (;;) {
        QString field;
        bool wasQuoted = false;
        if (!takeField(record, at, &field, &wasQuoted))
            return CsvLineError::Malformed;
        parts.append(field);
        quotedParts.append(wasQuoted);
        if (at >= record.size())
            break;
        ++at; // the comma
    }
    if (parts.size() < 2)
        return CsvLineError::Malformed;
    // A hand-edited ` "10.0.0.9, x"` would otherwise split at its comma and write `x"`: a plain
    // value that ends in a quote opened by an earlier plain field is refused. The export quotes every
    // value that holds a quote, and names stay plain (they run to the last comma, quotes and all),
    // so what the assistant wrote always reads back.
    if (!quotedParts.last() && parts.last().trimmed().endsWith(Quote)) {
        for (int i = 1; i + 1 < parts.size(); ++i) {
            if (!quotedParts.at(i) && parts.at(i).trimmed().startsWith(Quote))
                return CsvLineError::StrayQuote;
        }
    }
    // The older plain files quote nothing, so a name may hold commas: it runs to the last one. A
    // quoted value may follow such a name; a quoted field among the name's parts is malformed.
    if (parts.size() > 2 && quotedParts.mid(0, quotedParts.size() - 1).contains(true))
        return CsvLineError::Malformed;
    const QString rawValue = parts.takeLast();
    const bool valueQuoted = quotedParts.last();
    const QString head = parts.join(Comma);

    static const QRegularExpression headExpression(QStringLiteral("^(\\d+)\\.(.+)$"),
                                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = headExpression.match(head);
    if (!match.hasMatch())
        return CsvLineError::Malformed;
    bool ok = false;
    const int number = match.captured(1).toInt(&ok, 10);
    if (!ok || number > LastItemIndex)
        return CsvLineError::IndexOutOfRange;
    const QString name = match.captured(2).trimmed();
    *index = number;
    const bool confirmOnly = rawValue.isEmpty() && !valueQuoted;
    if (identityValue)
        *identityValue = number <= 1 ? rawValue.trimmed() : QString();
    if (number == 0 || number == 1 || confirmOnly)
        *fields = QStringList{name};
    else
        *fields = QStringList{name, rawValue.trimmed()};
    return CsvLineError::None;
}

bool parseCsvLine(const QString& line, int* index, QStringList* fields)
{
    return parseCsvRecord(line, index, fields) == CsvLineError::None;
}

bool splitCsvRecords(const QString& text, QStringList* records, QList<int>* lines)
{
    records->clear();
    lines->clear();
    QString record;
    int line = 1;
    int recordLine = 1;
    bool inQuotes = false;
    bool fieldStart = true;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !inQuotes)) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            if (!inQuotes) {
                records->append(record);
                lines->append(recordLine);
                record.clear();
                recordLine = line;
                fieldStart = true;
                continue;
            }
            record.append(QLatin1Char('\n'));
            continue;
        }
        record.append(c);
        if (inQuotes) {
            if (c != Quote)
                continue;
            if (i + 1 < text.size() && text.at(i + 1) == Quote)
                record.append(text.at(++i)); // a doubled quote inside the field
            else
                inQuotes = false;
            continue;
        }
        // A quote opens a quoted field only where a field starts; elsewhere it is a plain character
        // (the older files wrote quotes unchanged).
        inQuotes = c == Quote && fieldStart;
        fieldStart = c == Comma;
    }
    if (inQuotes) {
        lines->append(recordLine);
        return false;
    }
    if (!record.isEmpty()) {
        records->append(record);
        lines->append(recordLine);
    }
    return true;
}
