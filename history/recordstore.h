#pragma once

#include <QByteArray>
#include <QString>
#include <QStringRef>

#include "link/devicetextdecoder.h"

#include <vector>

// The lines of one history query, as they arrived, kept as data: the view, the record count and
// every export read them from here. Lines received from the instrument are kept byte for byte,
// their terminators as sent (rawLine()), and decoded when read (line()); lines given as text are
// kept as UTF-8. The bytes follow one another as one sequence, cut into chunks of a mebibyte only
// so that growing it never copies it; a line is found by where it ends, four bytes an entry, so
// several hundred thousand records cost little more than their own text.
class RecordStore
{
public:
    void clear();

    // Appends whole lines: text holds one or more lines, each ended by a line feed (a carriage
    // return before it goes too). Returns how many lines it added.
    int appendLines(const QString& text);
    // Appends lines as the instrument sent them: each ends with its terminator as received, except
    // perhaps the last. Returns how many lines it added.
    int appendRaw(const QByteArray& bytes);
    // Appends one line, given without its terminator.
    void appendLine(const QStringRef& line);
    void appendLine(const QString& line) { appendLine(QStringRef(&line)); }

    int lineCount() const { return int(ends.size()); }
    bool isEmpty() const { return ends.empty(); }
    // The line as text, without its terminator.
    QString line(int row) const;
    // The line's bytes as received, terminator included (a line given as text: in the system's
    // codec, ended by a line feed).
    QByteArray rawLine(int row) const;
    // The lines that are records: those that begin with a date and a time.
    int recordCount() const { return records; }
    // The row of the longest line from first up to end (by its encoded length); -1 for none.
    int longestLine(int first, int end) const;
    // Whether the first line names the columns (two or more fields, and not a record).
    bool startsWithHeader() const;
    // The bytes held, text and index, for the benchmark's accounting.
    qint64 memoryBytes() const;

    // A record begins with its date and its time (startsWithDateTime).
    static bool isRecord(const QStringRef& line);
    static bool isRecord(const QString& line) { return isRecord(QStringRef(&line)); }
    // The lines of a text as the text box of old held them (tests and zq-cli build stores so).
    static RecordStore fromText(const QString& text);

private:
    // Where a line starts, known outright for some lines: the others are told by the four bytes
    // of where they end, which count from the mark before them.
    struct Mark
    {
        int line;
        qint64 start;
    };
    void appendBytes(const char* data, int size, bool text);
    qint64 startOf(int row) const;
    qint64 endOf(int row) const;
    const Mark& markOf(int row) const;
    // The bytes from start to end; a view of the chunk, valid while the store is, when they lie in one.
    QByteArray bytesAt(qint64 start, qint64 end) const;

    std::vector<QByteArray> chunks; // each ChunkBytes long, but the last
    std::vector<quint32> ends; // the low 32 bits of where each line ends
    std::vector<Mark> marks;
    std::vector<bool> textLines; // lines given as text (UTF-8)
    qint64 total = 0;
    int records = 0;
    DeviceTextDecoder decoder;
};
