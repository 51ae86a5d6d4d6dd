#pragma once

#include "link/linkerror.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>

#include <functional>

// How bytes reach the instrument and come back: the serial line, UDP, or (in tests) an instrument
// in memory. LinkChannel holds one and builds its exchanges and streams on these few steps; every
// wait ends at its deadline or at a stop request, whichever comes first. Deadlines are moments on
// the transport's own clock (nowMs), so that an instrument in memory can keep a clock that moves
// only when the channel waits, and its tests take no real time.
class LinkTransport
{
public:
    virtual ~LinkTransport() = default;

    // Prepares the transport for settings (already validated); false with *failure when it
    // cannot be used.
    virtual bool open(const LinkSettings& settings, LinkOpenFailure* failure) = 0;
    // Sends one request; None when it went out whole, SendFailed or WriteFailed otherwise.
    virtual LinkError send(const QByteArray& request, qint64 deadlineMs) = 0;
    // Waits until bytes from the instrument are at hand (at most until deadline) and returns
    // them; empty when nothing came. Over UDP only the instrument's own datagrams count.
    virtual QByteArray receive(qint64 deadlineMs) = 0;
    // What has arrived already, without waiting.
    virtual QByteArray takeArrived() = 0;
    // Datagrams (UDP) keep their bounds and the reply must be whole by the deadline; a serial
    // line lets a reply that has begun finish after one quiet gap.
    virtual bool isDatagram() const = 0;
    // The rate the serial line was set to; 0 over UDP or before opening.
    virtual qint32 lineBaudRate() const { return 0; }
    // Datagrams from the instrument that the system dropped since opening (its buffer was full);
    // 0 over the serial line, which loses nothing this way, and where the system keeps no count.
    virtual quint64 droppedDatagrams() { return 0; }

    // Now on this transport's clock, in milliseconds: a steady clock for the real lines.
    virtual qint64 nowMs() const;

    void setStopCheck(std::function<bool()> check) { stopCheck = std::move(check); }

protected:
    bool stopRequested() const { return stopCheck && stopCheck(); }
    // The longest single wait: a stop request is seen within this time.
    static constexpr int StopCheckMs = 50;
    int sliceOf(qint64 deadlineMs) const { return int(qBound<qint64>(1, deadlineMs - nowMs(), StopCheckMs)); }
    bool hasExpired(qint64 deadlineMs) const { return nowMs() >= deadlineMs; }

private:
    std::function<bool()> stopCheck;
};
