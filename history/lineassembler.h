#pragma once

#include <QByteArray>
#include <QList>

// Cuts the instrument's byte stream into record lines. A line keeps its terminator (the line
// feed and any carriage return before it); a line cut across two chunks comes out whole.
class LineAssembler
{
public:
    // Appends chunk; returns every line that it completed, in order.
    QList<QByteArray> feed(const QByteArray& chunk);
    // The bytes after the last line feed (empty when there are none); the assembler is empty after.
    QByteArray flush();
    bool isEmpty() const { return pending.isEmpty(); }

private:
    QByteArray pending;
};
