#include "link/replyscan.h"

namespace {

constexpr quint8 ReplyCommand = 0x03;
constexpr int ShortestFrame = 5;
constexpr int MaxItemReplyBytes = 255 + ShortestFrame;

// One CRC step, as crc16 takes it.
quint16 crcStep(quint16 crc, quint8 byte)
{
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    return crc;
}

// A marker frame from start to the first 0x7F whose CRC holds: the CRC runs along once.
int markerFrameLength(const QByteArray& received, int start, CrcOrder order)
{
    const int n = received.size();
    const int last = qMin(n, start + MaxReplyFrameBytes);
    // crc covers start .. end - 3 when the byte at end is looked at: the CRC's two bytes lie between.
    quint16 crc = crcStep(0xFFFF, quint8(received.at(start)));
    for (int end = start + ShortestFrame - 1; end < last; ++end) {
        crc = crcStep(crc, quint8(received.at(end - 3)));
        if (received.at(end) != MarkerEnd)
            continue;
        const quint8 first = quint8(received.at(end - 2));
        const quint8 second = quint8(received.at(end - 1));
        const quint16 carried =
            order == CrcOrder::HighFirst ? quint16(first << 8 | second) : quint16(second << 8 | first);
        if (crc == carried)
            return end - start + 1;
    }
    return 0;
}

int addressFrameLength(const QByteArray& received, int start, quint8 deviceAddress, CrcOrder order, bool commandMustFit)
{
    const int n = received.size() - start;
    if (n < ShortestFrame || quint8(received.at(start)) != deviceAddress)
        return 0;
    if (commandMustFit && quint8(received.at(start + 1)) != ReplyCommand)
        return 0;
    const int length = quint8(received.at(start + 2)) + ShortestFrame;
    if (length > n || !checkFrameCrc(received.constData() + start, length, order))
        return 0;
    return length;
}

// The length of the whole text line at from that ends within the piece (before pieceEnd), or 0.
int lineLength(const QByteArray& received, int from, int pieceEnd)
{
    for (int i = from; i < pieceEnd; ++i) {
        const quint8 byte = quint8(received.at(i));
        if (byte == '\n')
            return i - from + 1;
        if (byte < 0x20 && byte != '\r' && byte != '\t')
            return 0;
    }
    return 0;
}

// The frame that begins at start, leaving out the lines after its first piece: a line begins a
// piece, or follows another line in it.
SplicedReply spliceFrom(const QByteArray& received, const QVector<int>& pieceEnds, int start, quint8 deviceAddress)
{
    SplicedReply spliced;
    const int length = quint8(received.at(start + 2)) + ShortestFrame;
    int from = start;
    for (int end : pieceEnds) {
        end = qMin(end, received.size());
        if (end <= start)
            continue;
        // Lines first: a piece after the frame's head may begin with one or more.
        for (int line = from > start ? lineLength(received, from, end) : 0; line > 0;
             line = lineLength(received, from, end)) {
            spliced.lines.append(received.mid(from, line));
            from += line;
        }
        const int wanted = qMin(end - from, length - int(spliced.frame.size()));
        spliced.frame.append(received.constData() + from, wanted);
        if (spliced.frame.size() == length) {
            if (spliced.lines.isEmpty() || quint8(spliced.frame.at(0)) != deviceAddress
                || !checkFrameCrc(spliced.frame.constData(), length, CrcOrder::LowFirst))
                return {};
            spliced.start = start;
            spliced.end = from + wanted;
            return spliced;
        }
        from = end;
    }
    return {};
}

} // namespace

SplicedReply findSplicedReply(const QByteArray& received, const QVector<int>& pieceEnds, quint8 deviceAddress)
{
    // Only pieces after the one a frame begins in can be lines: a reply with no piece after its
    // head is looked for by findReply alone.
    for (int start = 0; start + 3 <= received.size(); ++start) {
        if (quint8(received.at(start)) != deviceAddress || quint8(received.at(start + 1)) != ReplyCommand)
            continue;
        const SplicedReply spliced = spliceFrom(received, pieceEnds, start, deviceAddress);
        if (spliced.found())
            return spliced;
    }
    return {};
}

FrameSpan findReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order, int from)
{
    const int n = received.size();
    // The test of the whole run also takes a frame with another first byte when its CRC holds
    // (another instrument's reply); on a long run of text lines that would be chance, not a reply.
    const bool lines = n > MaxItemReplyBytes && received.contains('\n');
    if (from == 0 && !lines && isCompleteReply(received, deviceAddress, order))
        return {0, n};
    for (int start = qMax(0, from); start + ShortestFrame <= n; ++start) {
        const bool marker = received.at(start) == MarkerStart;
        // Further on, an address-led frame must also carry the reply command: text does not.
        const bool fitCommand = start > 0;
        int length = 0;
        if (marker && order == CrcOrder::HighFirst)
            length = markerFrameLength(received, start, order);
        if (length == 0)
            length = addressFrameLength(received, start, deviceAddress, order, fitCommand);
        if (length == 0 && marker && order == CrcOrder::LowFirst)
            length = markerFrameLength(received, start, order);
        if (length > 0)
            return {start, length};
    }
    return {};
}
