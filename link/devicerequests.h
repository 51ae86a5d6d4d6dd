#pragma once

#include "link/devicetext.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// What each subsystem asks of the instrument, each request a whole frame with its CRC, and the
// acknowledgements the instrument gives to them. The simulator answers the same frames, so they
// live here rather than beside each subsystem.

// Configuration items (config/): read one, write one.

// The longest value text a WriteItem frame can carry: its count byte holds the text plus a NUL.
constexpr int MaxItemValueBytes = 254;

QByteArray buildReadItemRequest(quint8 address, int index);
// Empty when the encoded value is longer than MaxItemValueBytes (it would not fit the count byte).
QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value);
// The same with value encoded by codec where it can carry it (an unchanged value goes back as read).
QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value, DeviceCodec codec);

// How an item's reply (to ReadItem or WriteItem) looks: address, 0x03, n, n bytes of text, CRC.
enum class ItemReply {
    Valid,
    WrongLength, // address and command fit, the count byte does not
    WrongAddressOrCommand // too short, or another instrument's or command's reply
};
ItemReply checkItemReply(const QByteArray& reply, quint8 deviceAddress);
// The text of a valid item reply, decoded; codec, when given, learns which conversion read it.
QString itemReplyText(const QByteArray& reply, DeviceCodec* codec = nullptr);

// The clock (config/).
QByteArray buildSetClockRequest(quint8 address, const QDateTime& localTime);
QByteArray setClockAcknowledgement(quint8 address);

// The history query (history/): the instrument streams its records as lines.
QByteArray buildHistoryRequest(const QDate& start, const QDate& end);

// The firmware loader (firmware/): marker frames, whatever the device address.
// Firmware travels in pages of this many bytes.
constexpr int FirmwarePageSize = 1024;
QByteArray buildReadDeviceIdRequest();
QByteArray buildEraseFlashRequest(quint32 imageSize);
// pageBytes: 1024 bytes; a shorter last page is padded with 0xFF (the erased state of flash).
QByteArray buildWritePageRequest(quint8 page, const QByteArray& pageBytes);
QByteArray buildEndUpdateRequest();
QByteArray eraseFlashAcknowledgement();
QByteArray writePageAcknowledgement(int page);
