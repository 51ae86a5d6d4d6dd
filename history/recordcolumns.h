#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "history/compactnumbers.h"

#include <cmath>
#include <vector>

class RecordStore;

// The records of a query as columns: the header line names them, each record line gives a date,
// a time and its fields. Read from a RecordStore as lines arrive (update()), keeping per record
// only what sorting, the chart and the summary need again and again, compactly: the time and each
// numeric field as a number (NaN where it is none), four bytes each as a rule; the store's row is
// worked out while the records are the store's lines in a row. Cell texts are read from the store
// when asked. A field column is numeric while every record holds a number there (or nothing).
class RecordColumns
{
public:
    static constexpr int DateColumn = 0;
    static constexpr int TimeColumn = 1;
    static constexpr int FirstFieldColumn = 2;

    void clear();
    // Reads the lines the store gained since the last call; false when there were none.
    bool update(const RecordStore& store);

    // Date, time, then one column per field of the first record (fields past them go to the last).
    int columnCount() const { return records == 0 && header.isEmpty() ? 0 : FirstFieldColumn + fieldColumns; }
    int fieldColumnCount() const { return fieldColumns; }
    // The header's name for a column; empty for the date and the time when the header names them
    // together (or there is no header), and for fields it does not name.
    QString headerName(int column) const;
    // The header's name for the date and the time together ("记录时间"); empty when it names them apart.
    QString dateTimeName() const { return joinedName; }
    bool isNumeric(int column) const;
    QList<int> numericColumns() const;
    // The most digits after the decimal point that a column's numbers showed, for showing
    // figures worked out from them (a mean, a minimum) alike.
    int decimals(int column) const;

    int recordCount() const { return records; }
    int storeRow(int record) const { return rows.empty() ? firstRow + record : rows[size_t(record)]; }
    // The record's date and time as milliseconds since the epoch, the wall-clock time read as UTC.
    double time(int record) const { return times.at(size_t(record)); }
    double value(int record, int column) const;
    // The record's cell texts, read from the store: date, time, fields (surplus joined by spaces).
    QStringList cells(const RecordStore& store, int record) const;
    QString cell(const RecordStore& store, int record, int column) const;

    // The status column: the last field column that is not numeric; -1 when there is none.
    int statusColumn() const;
    // The status most records hold, and whether a record's differs from it.
    QString commonStatus() const { return common; }
    bool differsFromCommonStatus(const RecordStore& store, int record) const;

    // The bytes the columns hold, for the benchmark's accounting.
    qint64 memoryBytes() const;

    // Milliseconds since the epoch for a record line's leading date and time (read as UTC); NaN
    // when the line does not start with them.
    static double parseTime(const QStringList& fields);

private:
    void addRecord(int row, const QStringList& fields);
    QStringList fitFields(const QStringList& fields) const;
    void countStatus(const QString& status, int step);
    void recountStatus(const RecordStore& store);

    int seenLines = 0;
    QStringList header;
    QString joinedName;
    int fieldColumns = 0;
    int timeFields = 2; // fields that hold the date and the time: 1 for "2026-03-01T08:00:00"
    int records = 0;
    int firstRow = 0; // the store's row of the first record
    std::vector<int> rows; // each record's row, once a line that is none has come between records
    CompactNumbers times;
    std::vector<CompactNumbers> values; // per field column; emptied once it turns out not numeric
    std::vector<int> decimalPlaces; // the most digits after the point seen, per field column
    std::vector<bool> numeric;
    int countedStatusColumn = -1;
    QHash<QString, int> statusCounts;
    QString common; // the most frequent status, worked out after each update
};
