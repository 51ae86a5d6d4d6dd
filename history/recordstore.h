#pragma once

#include <QByteArray>
#include <QString>
#include <QStringRef>

#include "link/devicetextdecoder.h"

#include <vector>

// The lines of one history query, as they arrived, kept as data: the view, the record count and
// every export read them from here. Lines received from the instrument are kept byte for byte,
// their terminators as sent (rawLine()), and decoded when read (line()); lines given as text are
// kept as UTF-8. Either way they sit compactly in large blocks with twelve bytes of index each,
// so several hundred thousand records cost about their own text.
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

    int lineCount() const { return int(index.size()); }
    bool isEmpty() const { return index.empty(); }
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
    // The bytes held, blocks and index, for the benchmark's accounting.
    qint64 memoryBytes() const;

    // A record begins with its date and its time (startsWithDateTime).
    static bool isRecord(const QStringRef& line);
    static bool isRecord(const QString& line) { return isRecord(QStringRef(&line)); }
    // The lines of a text as the text box of old held them (tests and zq-cli build stores so).
    static RecordStore fromText(const QString& text);

private:
    struct Span
    {
        quint32 block;
        quint32 offset;
        quint32 length; // the top bit marks a line given as text (UTF-8)
    };
    static constexpr quint32 TextLine = 0x80000000u;
    static quint32 lengthOf(const Span& span) { return span.length & ~TextLine; }
    void appendBytes(const QByteArray& bytes, bool text);

    std::vector<QByteArray> blocks;
    std::vector<Span> index;
    int records = 0;
    DeviceTextDecoder decoder;
};
