#pragma once

#include <QByteArray>
#include <QList>

// Cuts the instrument's byte stream (history records, debug lines) into lines. A line keeps its
// terminator (the line feed and any carriage return before it); a line cut across two reads comes
// out whole, and bytes after the last line feed wait for the rest of their line.
class LineAssembler
{
public:
    // The lines that bytes complete, in order.
    QList<QByteArray> feed(const QByteArray& bytes);
    // The bytes after the last line feed (empty when there are none); the assembler is empty after.
    QByteArray flush();
    // Forgets an unfinished line (a new debug command starts afresh).
    void clear() { unfinished.clear(); }
    const QByteArray& pending() const { return unfinished; }
    bool isEmpty() const { return unfinished.isEmpty(); }

private:
    QByteArray unfinished;
};
