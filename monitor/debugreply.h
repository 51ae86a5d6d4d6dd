#pragma once

#include <QByteArray>

// Whether the bytes received for a debug command end in a whole item reply of this instrument
// (address, 0x03, n, n bytes, CRC low byte first). An instrument that is already talking puts
// its debug lines ahead of the reply; they do not make the reply wrong.
bool endsWithItemReply(const QByteArray& received, quint8 deviceAddress);
