#pragma once

#include "link/lineassembler.h"

#include <QByteArrayList>

// Cuts the instrument's byte stream into lines as LineAssembler does, but never holds more than
// MaxLineBytes of one line: an instrument that sends no line feed would otherwise grow one line
// without limit. A longer line is handed over in pieces of MaxLineBytes without a line feed (the
// display marks them); its last piece keeps the line feed.
class LineCutter
{
public:
    static constexpr int MaxLineBytes = 64 * 1024;

    QByteArrayList feed(const QByteArray& bytes);
    void clear() { assembler.clear(); }
    // The bytes of the line under way, which are then gone.
    QByteArray takePending() { return assembler.flush(); }
    const QByteArray& pending() const { return assembler.pending(); }

private:
    static void appendCut(QByteArrayList& lines, const QByteArray& line);

    LineAssembler assembler;
};
