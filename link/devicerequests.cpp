#include "link/devicerequests.h"

#include "link/frames.h"

QByteArray buildReadItemRequest(quint8 address, int index)
{
    QByteArray frame;
    frame.append(char(address)).append(char(0x03)).append(char(0x4B)).append(char(index & 0xFF));
    frame.append(char(0x00)).append(char(0x00));
    appendCrcLowFirst(frame);
    return frame;
}

namespace {
QByteArray writeItemFrame(quint8 address, int index, const QByteArray& text)
{
    if (text.size() > MaxItemValueBytes)
        return QByteArray();
    QByteArray frame;
    frame.append(char(address)).append(char(0x0F)).append(char(0x4B)).append(char(index & 0xFF));
    frame.append(char(0x00)).append(char(0x00));
    frame.append(char(text.size() + 1));
    frame.append(text);
    frame.append(char(0x00));
    appendCrcLowFirst(frame);
    return frame;
}
} // namespace

QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value)
{
    return writeItemFrame(address, index, encodeDeviceText(value));
}

QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value, DeviceCodec codec)
{
    return writeItemFrame(address, index, encodeDeviceText(value, codec));
}

ItemReply checkItemReply(const QByteArray& reply, quint8 deviceAddress)
{
    if (reply.size() <= 4 || quint8(reply.at(0)) != deviceAddress || quint8(reply.at(1)) != 0x03)
        return ItemReply::WrongAddressOrCommand;
    return reply.size() == quint8(reply.at(2)) + 5 ? ItemReply::Valid : ItemReply::WrongLength;
}

QString itemReplyText(const QByteArray& reply, DeviceCodec* codec)
{
    DeviceCodec unused;
    return decodeDeviceText(reply.mid(3, quint8(reply.at(2))), codec ? codec : &unused);
}

QByteArray buildSetClockRequest(quint8 address, const QDateTime& localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    QByteArray frame;
    frame.append(char(address)).append(char(0x0F)).append(char(0x4D)).append(char(0x08));
    frame.append(char(0x00)).append(char(0x03)).append(char(0x07));
    frame.append(char(date.year() % 100)).append(char(date.month())).append(char(date.day()));
    frame.append(char(time.hour())).append(char(time.minute())).append(char(time.second()));
    frame.append(char(date.dayOfWeek()));
    appendCrcLowFirst(frame);
    return frame;
}

QByteArray setClockAcknowledgement(quint8 address)
{
    return buildAddressReply(address, QByteArray("OK"));
}

QByteArray buildHistoryRequest(const QDate& start, const QDate& end)
{
    // The two length fields say 7 and 4 although nine payload bytes follow; the instrument expects them so.
    QByteArray frame;
    frame.append(MarkerStart).append(char(0x05)).append(char(0x02)).append(char(0x4E)).append(char(0x9F));
    frame.append(char(0x00)).append(char(0x07)).append(char(0x91)).append(char(0x00)).append(char(0x04));
    frame.append(char(start.year() % 100)).append(char(start.month())).append(char(start.day()));
    frame.append(char(end.year() % 100)).append(char(end.month())).append(char(end.day()));
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildReadDeviceIdRequest()
{
    return QByteArray::fromHex("7E0502293F0000C2C47F");
}

QByteArray buildEraseFlashRequest(quint32 imageSize)
{
    // The size goes low byte first although the frame's length fields are big-endian.
    QByteArray frame = QByteArray::fromHex("7E05022FAC0007910004");
    for (int shift = 0; shift < 32; shift += 8)
        frame.append(char((imageSize >> shift) & 0xFF));
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildWritePageRequest(quint8 page, const QByteArray& pageBytes)
{
    QByteArray frame = QByteArray::fromHex("7E05022C010404910401");
    frame.append(char(page));
    // The frame always carries a whole page; a short last page is padded with 0xFF, the erased state.
    QByteArray data = pageBytes.left(FirmwarePageSize);
    data.append(QByteArray(FirmwarePageSize - data.size(), char(0xFF)));
    frame.append(data);
    appendCrcHighFirstAndEnd(frame);
    return frame;
}

QByteArray buildEndUpdateRequest()
{
    return QByteArray::fromHex("7E05022A79000053257F");
}

QByteArray eraseFlashAcknowledgement()
{
    return buildMarkerReply(QByteArray("Erase OK\r\n") + QByteArray::fromHex("000000C18140"));
}

QByteArray writePageAcknowledgement(int page)
{
    return buildMarkerReply(QStringLiteral("Page[%1] OK\r\n").arg(page).toLatin1());
}
