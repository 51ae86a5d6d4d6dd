#pragma once

#include <QByteArray>

// Whether the bytes received for a debug command end in a whole item reply of this instrument
// (address, 0x03, n, n bytes, CRC low byte first). An instrument that is already talking puts
// its debug lines ahead of the reply; they do not make the reply wrong.
bool endsWithItemReply(const QByteArray& received, quint8 deviceAddress);

// Where that reply begins in received (the bytes before it are the instrument's lines); -1 when
// received does not end in one.
int itemReplyStart(const QByteArray& received, quint8 deviceAddress);

// Where received first holds something shaped like that reply (address, 0x03, n, n bytes and two
// more), whatever its CRC; -1 when it holds none. Bytes without such a shape hold no answer at all.
int itemReplyShapeStart(const QByteArray& received, quint8 deviceAddress);
