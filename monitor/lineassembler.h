#pragma once

#include <QByteArray>
#include <QList>

// Cuts the instrument's byte stream into lines. A line keeps its line feed; bytes after the last
// line feed wait for the rest of their line and are never handed out on their own.
class LineAssembler
{
public:
    // The lines that bytes complete, in order.
    QList<QByteArray> feed(const QByteArray& bytes);
    // Forgets an unfinished line (a new debug command starts afresh).
    void clear() { lineBuffer.clear(); }
    const QByteArray& pending() const { return lineBuffer; }

private:
    QByteArray lineBuffer;
};
