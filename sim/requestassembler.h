#pragma once

#include <QByteArray>
#include <QElapsedTimer>

// Cuts the bytes that reach the instrument into whole request frames (a serial line delivers them
// in any pieces), skipping bytes that cannot start a valid frame. A partial frame left alone for
// more than half a second is dropped, as an instrument would after a broken transmission.
class RequestAssembler
{
public:
    static constexpr int StaleMs = 500;

    void feed(const QByteArray& bytes);
    // The next whole frame with a valid CRC, or an empty array.
    QByteArray take();
    void clear() { buffer.clear(); }

    // The length of the frame at the head of bytes: > 0 known, 0 more bytes needed, -1 no frame.
    // The CRC is not checked here.
    static int frameLength(const QByteArray& bytes);

private:
    QByteArray buffer;
    QElapsedTimer sinceLastByte;
};
