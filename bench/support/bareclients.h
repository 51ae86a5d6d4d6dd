#pragma once

#include "link/frames.h"

#include <QByteArray>
#include <QString>

// The floor of every exchange: the fewest system calls that carry a request to the instrument
// and its reply back, without any of the assistant's code between them.

// A connected UDP socket on loopback: one send, one poll, one receive per datagram.
class BareUdp
{
public:
    BareUdp() = default;
    ~BareUdp();
    BareUdp(const BareUdp&) = delete;
    BareUdp& operator=(const BareUdp&) = delete;

    bool open(quint16 port);
    // Sends request and gathers datagrams until a whole reply is in hand; false on a time-out.
    bool exchange(const QByteArray& request, QByteArray* reply, quint8 address, CrcOrder order, int timeoutMs);
    bool send(const QByteArray& request);
    // One datagram within timeoutMs; empty when none came.
    QByteArray receive(int timeoutMs);
    // The receive buffer the system granted.
    int receiveBufferBytes() const;

private:
    int fd = -1;
};

// The pseudo-terminal's slave opened raw: one write, then poll and read until the reply is whole.
class BarePty
{
public:
    BarePty() = default;
    ~BarePty();
    BarePty(const BarePty&) = delete;
    BarePty& operator=(const BarePty&) = delete;

    bool open(const QString& path);
    void close();
    bool exchange(const QByteArray& request, QByteArray* reply, quint8 address, CrcOrder order, int timeoutMs);
    bool send(const QByteArray& request);
    // What arrives within timeoutMs; empty when nothing did.
    QByteArray receive(int timeoutMs);

private:
    int fd = -1;
};

// A plain HTTP/1.1 GET over a TCP socket on loopback, the body written to path as it comes;
// returns the body's bytes, -1 on a failure.
qint64 bareHttpGet(const QString& url, const QString& path);
