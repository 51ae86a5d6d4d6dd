#pragma once

#include "link/frames.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QVector>

// Where a whole reply frame lies in the bytes received for a request.
struct FrameSpan
{
    int start = -1;
    int length = 0;
    bool found() const { return start >= 0; }
    int end() const { return start + length; }
};

// The longest reply frame looked for: an item reply is at most 260 bytes, the loader's replies
// are short; a marker frame is searched for no further than this from its 0x7E.
constexpr int MaxReplyFrameBytes = 1100;

// The first whole reply in received, at from or after it. Bytes before it (an instrument's debug
// lines, noise) do not hide it. At the very start the completeness test of isCompleteReply applies
// to all of received, as it always has; further on only frames that say where they end are taken:
// an address-led frame (this device's address, command 0x03, its count byte) or a marker frame
// (0x7E ... CRC, 0x7F). For marker exchanges (CRC high-first) the marker rule is tried first, so
// that a device address of 0x7E does not hide the loader's replies.
FrameSpan findReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order, int from = 0);

// A reply whose pieces came with whole text lines between them (an instrument that talks while it
// answers, each line sent whole between two pieces of the reply).
struct SplicedReply
{
    int start = -1; // where the frame begins in received
    int end = 0; // just after its last byte
    QByteArray frame; // the frame without the lines
    QByteArrayList lines; // the pieces that were lines, in order
    bool found() const { return start >= 0; }
};

// The first address-led reply in received that is whole once the pieces after its head that are
// whole text lines are left out. pieceEnds holds where each piece that came ended, ascending; a
// piece is a line when it ends with a line feed and holds no other control byte than CR and tab.
SplicedReply findSplicedReply(const QByteArray& received, const QVector<int>& pieceEnds, quint8 deviceAddress);
