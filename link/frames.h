#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QTextCodec;

class QObject;

// Results of one request/reply exchange on the link.
enum ExchangeResult {
    ExchangeOk = 0,         // the exchange ended with bytes in hand (still to be checked)
    ExchangeSendFailed = 1, // the request was not sent
    ExchangeNoReply = 2,    // no reply arrived in time
    ExchangeStopped = 3     // the operation was asked to stop while it waited
};

// Which byte of a frame's CRC comes first: address-led frames carry it low-first, the firmware
// loader's marker frames high-first.
enum class CrcOrder { LowFirst, HighFirst };

// The longest value text a WriteItem frame can carry: its count byte holds the text plus a NUL.
constexpr int MaxItemValueBytes = 254;
// Firmware travels in pages of this many bytes.
constexpr int FirmwarePageSize = 1024;

// Which conversion read an instrument's text. Twenty Latin-1 letters (í is byte ED) are GB2312
// characters as well, so a Latin-1 text would go back as other bytes; an unchanged value is
// therefore written with the conversion that read it.
enum class DeviceCodec { Gb2312, Latin1, Ascii };

// CRC-16 as the instrument computes it: reflected 0xA001, initial 0xFFFF, no final XOR.
quint16 crc16(const char* data, int length);
quint16 crc16(const QByteArray& bytes);

// The last two bytes are the CRC of the rest, read low-first or (marker frames) high-first.
bool checkFrameCrc(const char* data, int length, CrcOrder order);

// Whether the bytes received so far for one request make a whole reply.
bool isCompleteReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order);

// How an item's reply (to ReadItem or WriteItem) looks: address, 0x03, n, n bytes of text, CRC.
enum class ItemReply {
    Valid,
    WrongLength,          // address and command fit, the count byte does not
    WrongAddressOrCommand // too short, or another instrument's or command's reply
};
ItemReply checkItemReply(const QByteArray& reply, quint8 deviceAddress);
// The text of a valid item reply, decoded; codec, when given, learns which conversion read it.
QString itemReplyText(const QByteArray& reply, DeviceCodec* codec = nullptr);

// The text to show for an exchange result; empty when a low-first reply arrived whole.
QString errorMessage(ExchangeResult result, const QByteArray& reply);

// Texts travel as GB2312, falling back to Latin-1.
QByteArray encodeDeviceText(const QString& text);
QString decodeDeviceText(const char* data, int length);
QString decodeDeviceText(const QByteArray& bytes);

QString decodeDeviceText(const QByteArray& bytes, DeviceCodec* codec);
// With codec when it carries the whole text, else in the usual order (encodeDeviceText).
QByteArray encodeDeviceText(const QString& text, DeviceCodec codec);
// The two encodings, looked up once: a look-up compares the name with every codec's names and
// aliases, and cost a write-all of 256 items more than its own conversions. Null when missing.
QTextCodec* gb2312Codec();
QTextCodec* latin1Codec();

// "01 03 4B " — two upper-case hex digits and a blank per byte.
QByteArray hexDump(const QByteArray& bytes);

// Waits for signal (Qt's string form, "2readyRead()") while this thread's event loop runs.
// False when the time ran out; an emission before the call does not count.
bool waitForSignal(QObject* object, const char* signal, int timeoutMs);

// Requests, each a whole frame with its CRC.
QByteArray buildReadItemRequest(quint8 address, int index);
// Empty when the encoded value is longer than MaxItemValueBytes (it would not fit the count byte).
QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value);
// The same with value encoded by codec where it can carry it (an unchanged value goes back as read).
QByteArray buildWriteItemRequest(quint8 address, int index, const QString& value, DeviceCodec codec);
QByteArray buildSetClockRequest(quint8 address, const QDateTime& localTime);
QByteArray buildHistoryRequest(const QDate& start, const QDate& end);
QByteArray buildReadDeviceIdRequest();
QByteArray buildEraseFlashRequest(quint32 imageSize);
// pageBytes: 1024 bytes; a shorter last page is padded with 0xFF (the erased state of flash).
QByteArray buildWritePageRequest(quint8 page, const QByteArray& pageBytes);
QByteArray buildEndUpdateRequest();

// Replies the instrument gives; the assistant compares against them.
// An address-led reply: address, 0x03, the data's length, the data, CRC low-first.
QByteArray buildAddressReply(quint8 address, const QByteArray& data);
// A marker reply of the firmware loader: one record with tag 0x01 holding value, CRC high-first.
QByteArray buildMarkerReply(const QByteArray& value);
QByteArray setClockAcknowledgement(quint8 address);
QByteArray eraseFlashAcknowledgement();
QByteArray writePageAcknowledgement(int page);
