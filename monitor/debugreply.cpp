#include "monitor/debugreply.h"

#include "link/frames.h"

bool endsWithItemReply(const QByteArray& received, quint8 deviceAddress)
{
    return itemReplyStart(received, deviceAddress) >= 0;
}

int itemReplyStart(const QByteArray& received, quint8 deviceAddress)
{
    const int size = received.size();
    // The shortest reply is five bytes; its count byte says where it starts.
    for (int start = size - 5; start >= 0 && start >= size - 255 - 5; --start) {
        const char* frame = received.constData() + start;
        if (quint8(frame[0]) == deviceAddress && quint8(frame[1]) == 0x03 && quint8(frame[2]) + 5 == size - start
            && checkFrameCrc(frame, size - start, CrcOrder::LowFirst))
            return start;
    }
    return -1;
}

int itemReplyShapeStart(const QByteArray& received, quint8 deviceAddress)
{
    const int size = received.size();
    for (int start = 0; start + 5 <= size; ++start) {
        const char* frame = received.constData() + start;
        if (quint8(frame[0]) == deviceAddress && quint8(frame[1]) == 0x03 && quint8(frame[2]) + 5 <= size - start)
            return start;
    }
    return -1;
}
