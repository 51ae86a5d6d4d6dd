#include "sim/requestassembler.h"

#include "link/frames.h"

namespace {

constexpr int LongestMarkerPayload = 4096;

int markerLength(const QByteArray& bytes)
{
    // Requests come from the assistant's end: 0x05 then 0x02.
    if ((bytes.size() > 1 && bytes[1] != '\x05') || (bytes.size() > 2 && bytes[2] != '\x02'))
        return -1;
    if (bytes.size() < 7)
        return 0;
    const int code = quint8(bytes[3]) << 8 | quint8(bytes[4]);
    // The history query announces 7 payload bytes but carries 9.
    if (code == 0x4E9F)
        return 19;
    const int payload = quint8(bytes[5]) << 8 | quint8(bytes[6]);
    return payload > LongestMarkerPayload ? -1 : payload + 10;
}

int addressLedLength(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return 0;
    const quint8 command = quint8(bytes[1]);
    const quint8 group = quint8(bytes[2]);
    if (command == 0x03 && group == 0x4B)
        return 8;
    if (command == 0x0F && group == 0x4D)
        return 16;
    if (command == 0x0F && group == 0x4B)
        return bytes.size() < 7 ? 0 : quint8(bytes[6]) + 9;
    return -1;
}

bool validFrame(const QByteArray& frame)
{
    if (frame.startsWith('\x7E') && frame.endsWith('\x7F')
        && checkFrameCrc(frame.constData(), frame.size() - 1, CrcOrder::HighFirst))
        return true;
    return checkFrameCrc(frame.constData(), frame.size(), CrcOrder::LowFirst);
}

} // namespace

int RequestAssembler::frameLength(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return 0;
    // A device address of 0x7E also starts a frame with 0x7E; the bytes after it tell them apart.
    if (bytes[0] == '\x7E') {
        const int length = markerLength(bytes);
        if (length != -1)
            return length;
    }
    return addressLedLength(bytes);
}

void RequestAssembler::feed(const QByteArray& bytes)
{
    if (!buffer.isEmpty() && sinceLastByte.isValid() && sinceLastByte.elapsed() > StaleMs)
        buffer.clear();
    buffer.append(bytes);
    sinceLastByte.start();
}

QByteArray RequestAssembler::take()
{
    // Skipped bytes are counted and removed once at the end: removing them one by one moved the
    // rest of the buffer each time, quadratic in a long run of junk.
    int start = 0;
    QByteArray frame;
    while (start < buffer.size()) {
        const QByteArray rest = QByteArray::fromRawData(buffer.constData() + start, buffer.size() - start);
        const int length = frameLength(rest);
        if (length == 0 || (length > 0 && rest.size() < length))
            break;
        if (length > 0 && validFrame(rest.left(length))) {
            frame = rest.left(length);
            frame.detach();
            start += length;
            break;
        }
        ++start;
    }
    buffer.remove(0, start);
    return frame;
}
