#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

// Cuts the instrument's byte stream (history records, debug lines) into lines. A line keeps its
// terminator (the line feed and any carriage return before it); a line cut across two reads comes
// out whole, and bytes after the last line feed wait for the rest of their line. A stream that
// never sends a line feed must not grow one line without end: after MaxLineBytes bytes without
// one, those bytes come out as a cut line (without a line feed) and the rest starts a new line.
// So no more than MaxLineBytes of a line are ever held, and a line handed over is at most that
// long plus its line feed.
class LineSplitter
{
public:
    static constexpr int MaxLineBytes = 64 * 1024;

    // maxLineBytes (at least 1) is for tests that look at the cut without megabytes of stream.
    explicit LineSplitter(int maxLineBytes = MaxLineBytes) : bound(qMax(1, maxLineBytes)) { }

    // The lines that bytes complete, in order.
    QByteArrayList feed(const QByteArray& bytes);
    // The bytes after the last line feed (empty when there are none); the splitter is empty after.
    QByteArray flush();
    // Forgets an unfinished line (a new debug command starts afresh).
    void clear() { unfinished.clear(); }
    const QByteArray& pending() const { return unfinished; }
    bool isEmpty() const { return unfinished.isEmpty(); }

    // Whether a line that feed() returned was cut at the bound rather than ended by a line feed.
    static bool isCut(const QByteArray& line) { return !line.endsWith('\n'); }

private:
    int bound;
    QByteArray unfinished;
};
