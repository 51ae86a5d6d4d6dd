#include "history/recordcolumns.h"

#include "history/recordstore.h"
#include "history/recordtable.h"

#include <QDate>
#include <QTime>

#include <limits>

namespace {

constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();

// Reads digits from text at pos: at least min, at most max; -1 when fewer than min are there.
int readNumber(const QString& text, int& pos, int min, int max)
{
    int value = 0;
    int taken = 0;
    while (taken < max && pos < text.size() && text.at(pos).isDigit() && text.at(pos).unicode() < 128) {
        value = value * 10 + (text.at(pos).unicode() - '0');
        ++pos;
        ++taken;
    }
    return taken >= min ? value : -1;
}

bool skip(const QString& text, int& pos, QChar c)
{
    if (pos < text.size() && text.at(pos) == c) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

void RecordColumns::clear()
{
    *this = RecordColumns();
}

double RecordColumns::parseTime(const QStringList& fields)
{
    if (fields.isEmpty())
        return NoNumber;
    // The date and the time are one field ("2026-03-01T08:00:00") or two.
    QString text = fields.at(0);
    if (!text.contains(QLatin1Char('T'))) {
        if (fields.size() < 2)
            return NoNumber;
        text += QLatin1Char('T') + fields.at(1);
    }
    int pos = 0;
    const int year = readNumber(text, pos, 4, 4);
    const QChar mark = pos < text.size() ? text.at(pos) : QChar();
    ++pos;
    const int month = readNumber(text, pos, 1, 2);
    if (!skip(text, pos, mark))
        return NoNumber;
    const int day = readNumber(text, pos, 1, 2);
    if (!skip(text, pos, QLatin1Char('T')))
        return NoNumber;
    const int hour = readNumber(text, pos, 1, 2);
    if (!skip(text, pos, QLatin1Char(':')))
        return NoNumber;
    const int minute = readNumber(text, pos, 2, 2);
    int second = 0;
    int ms = 0;
    if (skip(text, pos, QLatin1Char(':')))
        second = readNumber(text, pos, 2, 2);
    if (skip(text, pos, QLatin1Char('.'))) {
        const int start = pos;
        const int fraction = readNumber(text, pos, 1, 3);
        if (fraction >= 0)
            ms = fraction * (pos - start == 1 ? 100 : pos - start == 2 ? 10 : 1);
    }
    const QDate date(year, month, day);
    const QTime clock(hour, minute, second < 0 ? 0 : second, ms);
    if (year < 0 || !date.isValid() || !clock.isValid())
        return NoNumber;
    return (double(date.toJulianDay() - 2440588) * 86400.0 + clock.msecsSinceStartOfDay() / 1000.0) * 1000.0;
}

bool RecordColumns::update(const RecordStore& store)
{
    const int lines = store.lineCount();
    if (seenLines >= lines)
        return false;
    if (seenLines == 0 && store.startsWithHeader())
        header = splitFields(store.line(0));
    for (int row = seenLines; row < lines; ++row) {
        const QString line = store.line(row);
        if (!RecordStore::isRecord(line))
            continue;
        addRecord(row, splitFields(line));
    }
    seenLines = lines;
    if (statusColumn() != countedStatusColumn)
        recountStatus(store);
    // The most frequent status; among equals the first in text order, so that it does not flicker.
    common.clear();
    int most = 0;
    for (auto it = statusCounts.cbegin(); it != statusCounts.cend(); ++it) {
        if (it.value() > most || (it.value() == most && it.key() < common)) {
            most = it.value();
            common = it.key();
        }
    }
    return true;
}

void RecordColumns::addRecord(int row, const QStringList& fields)
{
    const double when = parseTime(fields);
    if (records == 0) {
        timeFields = fields.value(0).contains(QLatin1Char('T')) ? 1 : 2;
        fieldColumns = qMax(1, fields.size() - timeFields);
        numeric.assign(size_t(fieldColumns), true);
        decimalPlaces.assign(size_t(fieldColumns), 0);
        values.assign(size_t(fieldColumns), CompactNumbers());
        if (header.size() == fieldColumns + 1)
            joinedName = header.first();
        firstRow = row;
        times = CompactNumbers(std::isnan(when) ? 0 : when);
    } else if (rows.empty() && row != firstRow + records) {
        rows.reserve(size_t(records) + 1);
        for (int record = 0; record < records; ++record)
            rows.push_back(firstRow + record);
    }
    if (!rows.empty() || row != firstRow + records)
        rows.push_back(row);
    ++records;
    times.append(when, CompactNumbers::lastDigitOf(when));
    const QStringList cells = fitFields(fields);
    for (int column = 0; column < fieldColumns; ++column) {
        if (!numeric[size_t(column)])
            continue;
        const QString& text = cells.at(FirstFieldColumn + column);
        double number = NoNumber;
        int digit = 0;
        if (!text.isEmpty()) {
            bool ok = false;
            number = text.toDouble(&ok);
            if (!ok) {
                // Not a numeric column after all: its numbers are let go.
                numeric[size_t(column)] = false;
                values[size_t(column)] = CompactNumbers();
                continue;
            }
            const int point = text.indexOf(QLatin1Char('.'));
            if (point >= 0) {
                decimalPlaces[size_t(column)] = qMax(decimalPlaces[size_t(column)], text.size() - point - 1);
                digit = point + 1 - text.size();
            }
            // "1e3" and the like are kept as they read.
            if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
                digit = -1000;
        }
        values[size_t(column)].append(number, digit);
    }
    if (countedStatusColumn >= 0)
        countStatus(cells.at(countedStatusColumn), 1);
}

QStringList RecordColumns::fitFields(const QStringList& fields) const
{
    QStringList cells;
    cells.reserve(FirstFieldColumn + fieldColumns);
    if (timeFields == 1) {
        const QString both = fields.value(0);
        const int t = both.indexOf(QLatin1Char('T'));
        cells << both.left(t) << both.mid(t + 1);
    } else {
        cells << fields.value(0) << fields.value(1);
    }
    for (int column = 0; column < fieldColumns; ++column) {
        const int at = timeFields + column;
        if (column + 1 == fieldColumns && fields.size() > at + 1)
            cells << fields.mid(at).join(QLatin1Char(' '));
        else
            cells << fields.value(at);
    }
    return cells;
}

QString RecordColumns::headerName(int column) const
{
    if (header.isEmpty())
        return QString();
    if (!joinedName.isEmpty()) {
        if (column < FirstFieldColumn)
            return QString();
        return header.value(column - 1);
    }
    if (header.size() == fieldColumns + FirstFieldColumn)
        return header.value(column);
    return column < FirstFieldColumn ? QString() : header.value(column - 1);
}

bool RecordColumns::isNumeric(int column) const
{
    const int field = column - FirstFieldColumn;
    return field >= 0 && field < fieldColumns && records > 0 && numeric[size_t(field)];
}

QList<int> RecordColumns::numericColumns() const
{
    QList<int> columns;
    for (int column = FirstFieldColumn; column < FirstFieldColumn + fieldColumns; ++column) {
        if (isNumeric(column))
            columns.append(column);
    }
    return columns;
}

int RecordColumns::decimals(int column) const
{
    const int field = column - FirstFieldColumn;
    return field >= 0 && field < fieldColumns && records > 0 ? qMin(decimalPlaces[size_t(field)], 9) : 0;
}

double RecordColumns::value(int record, int column) const
{
    const int field = column - FirstFieldColumn;
    if (field < 0 || field >= fieldColumns || !numeric[size_t(field)])
        return NoNumber;
    return values[size_t(field)].at(size_t(record));
}

qint64 RecordColumns::memoryBytes() const
{
    qint64 bytes = times.memoryBytes() + qint64(rows.capacity() * sizeof(int));
    for (const CompactNumbers& column : values)
        bytes += column.memoryBytes();
    return bytes;
}

QStringList RecordColumns::cells(const RecordStore& store, int record) const
{
    return fitFields(splitFields(store.line(storeRow(record))));
}

QString RecordColumns::cell(const RecordStore& store, int record, int column) const
{
    return cells(store, record).value(column);
}

int RecordColumns::statusColumn() const
{
    for (int column = FirstFieldColumn + fieldColumns - 1; column >= FirstFieldColumn; --column) {
        if (!isNumeric(column))
            return column;
    }
    return -1;
}

void RecordColumns::countStatus(const QString& status, int step)
{
    statusCounts[status] += step;
}

void RecordColumns::recountStatus(const RecordStore& store)
{
    statusCounts.clear();
    countedStatusColumn = statusColumn();
    if (countedStatusColumn < 0)
        return;
    for (int record = 0; record < recordCount(); ++record)
        countStatus(cell(store, record, countedStatusColumn), 1);
}

bool RecordColumns::differsFromCommonStatus(const RecordStore& store, int record) const
{
    if (countedStatusColumn < 0 || statusCounts.size() < 2)
        return false;
    return cell(store, record, countedStatusColumn) != commonStatus();
}
