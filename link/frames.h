#pragma once

#include <QByteArray>

// The frame format the instrument speaks: address-led frames (address, command, count, data, CRC
// low-first) and the firmware loader's marker frames (0x7E ... CRC high-first, 0x7F), their CRC and
// the checks that tell a whole reply. What each subsystem asks is in link/devicerequests.h.

// Which byte of a frame's CRC comes first: address-led frames carry it low-first, the firmware
// loader's marker frames high-first.
enum class CrcOrder { LowFirst, HighFirst };

// CRC-16 as the instrument computes it: reflected 0xA001, initial 0xFFFF, no final XOR.
quint16 crc16(const char* data, int length);
quint16 crc16(const QByteArray& bytes);

// The last two bytes are the CRC of the rest, read low-first or (marker frames) high-first.
bool checkFrameCrc(const char* data, int length, CrcOrder order);

// Whether the bytes received so far for one request make a whole reply.
bool isCompleteReply(const QByteArray& received, quint8 deviceAddress, CrcOrder order);

// Frames as the instrument sends them; the assistant compares against them.
// An address-led reply: address, 0x03, the data's length, the data, CRC low-first.
QByteArray buildAddressReply(quint8 address, const QByteArray& data);
// A marker reply of the firmware loader: one record with tag 0x01 holding value, CRC high-first.
QByteArray buildMarkerReply(const QByteArray& value);

// Appends the CRC of frame, low byte first (address-led frames).
void appendCrcLowFirst(QByteArray& frame);
// Appends the CRC of frame high byte first and the end marker (marker frames).
void appendCrcHighFirstAndEnd(QByteArray& frame);

constexpr char MarkerStart = 0x7E;
constexpr char MarkerEnd = 0x7F;
