#pragma once

#include "files/wholefile.h"

#include <QString>
#include <QStringList>
#include <QTextCodec>

// Writes the lines of a history query to a CSV file as they come, so that a transfer of any length
// is saved without being held: as the lines were received (RecordLines: the system's codec, one
// line each), or as a table for spreadsheets (Table: UTF-8 with a byte order mark, one cell per
// field, quoted where needed, CR LF). The file appears only when commit() succeeds, whole; until
// then (and after a failure or cancel()) an earlier file of that name stays as it was.
class HistoryCsvWriter
{
public:
    enum Kind { RecordLines, Table };

    HistoryCsvWriter(const QString& path, Kind kind);

    // False when the file cannot be created (the folder is missing or not writable).
    bool open();
    // Table: the names that head the date's and the time's columns when the header names them
    // together (or there is no header); without them the time's column is left unnamed.
    void setDateTimeNames(const QString& date, const QString& time)
    {
        dateName = date;
        timeName = time;
    }
    // One line, without its terminator: the header line or a record line.
    void addLine(const QString& line);
    // RecordLines: one line as received, written byte for byte (terminator included); Table: decoded.
    void addRawLine(const QByteArray& line);
    // Puts the file in place; false when anything could not be written.
    bool commit();
    void cancel() { file.cancel(); }
    int linesWritten() const { return written; }

    // The cells of one table row as a CSV line, without its line end.
    static QString csvLine(const QStringList& cells);

private:
    void write(const QByteArray& bytes);
    void writeTableRow(const QStringList& cells);

    WholeFile file;
    Kind kind;
    QTextCodec* codec = nullptr;
    bool failed = false;
    int written = 0;
    // Table: the header waits for the first record, which shows whether date and time are apart.
    QStringList header;
    bool headerWritten = false;
    QString dateName;
    QString timeName;
};
