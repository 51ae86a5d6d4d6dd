#include "link/frames.h"

void appendCrcLowFirst(QByteArray& frame)
{
    const quint16 crc = crc16(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
}

void appendCrcHighFirstAndEnd(QByteArray& frame)
{
    const quint16 crc = crc16(frame);
    frame.append(char(crc >> 8));
    frame.append(char(crc & 0xFF));
    frame.append(MarkerEnd);
}

quint16 crc16(const char* data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint16 crc16(const QByteArray& bytes)
{
    return crc16(bytes.constData(), bytes.size());
}

bool checkFrameCrc(const char* data, int length, CrcOrder order)
{
    if (length < 3)
        return false;
    const quint16 crc = crc16(data, length - 2);
    const quint8 first = quint8(data[length - 2]);
    const quint8 second = quint8(data[length - 1]);
    const quint16 carried = order == CrcOrder::HighFirst ? quint16(first << 8 | second) : quint16(second << 8 | first);
    return crc == carried;
}

bool isCompleteReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order)
{
    const int n = received.size();
    if (n == 0)
        return false;
    const char* data = received.constData();
    const bool wholeMarkerFrame =
        data[0] == MarkerStart && n >= 5 && data[n - 1] == MarkerEnd && checkFrameCrc(data, n - 1, order);
    // The loader's replies (CRC high-first) are marker frames whatever the device address: with
    // address 0x7E the address rule would judge them by a count byte they do not have.
    if (order == CrcOrder::HighFirst && wholeMarkerFrame)
        return true;
    // Otherwise the address comes first: with address 0x7E an address-led reply wins over the marker rule.
    if (quint8(data[0]) == deviceAddress)
        return n >= 5 && n == quint8(data[2]) + 5 && checkFrameCrc(data, n, order);
    if (data[0] == MarkerStart)
        return wholeMarkerFrame;
    return checkFrameCrc(data, n, order);
}

QByteArray buildMarkerReply(const QByteArray& value)
{
    QByteArray frame;
    const int recordLength = value.size() + 3;
    frame.append(MarkerStart).append(char(0x02)).append(char(0x05)).append(char(0x01)).append(char(0x01));
    frame.append(char(recordLength >> 8)).append(char(recordLength & 0xFF));
    frame.append(char(0x01)).append(char(value.size() >> 8)).append(char(value.size() & 0xFF));
    frame.append(value);
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildAddressReply(quint8 address, const QByteArray& data)
{
    QByteArray frame;
    frame.append(char(address)).append(char(0x03)).append(char(data.size() & 0xFF)).append(data);
    appendCrcLowFirst(frame);
    return frame;
}
