#pragma once

#include "link/datagramsocket.h"
#include "link/linktransport.h"

#include <QHostAddress>

// The instrument as a UDP peer: requests go out as one datagram each from an unbound socket
// (the first send binds it), and only datagrams from the peer's address and port are taken. An
// exchange costs one send, one wait and one receive, beside one look for what came late.
class UdpTransport : public LinkTransport
{
public:
    UdpTransport();
    ~UdpTransport() override;

    bool open(const LinkSettings& settings, LinkOpenFailure* failure) override;
    LinkError send(const QByteArray& request, qint64 deadlineMs) override;
    QByteArray receive(qint64 deadlineMs) override;
    QByteArray takeArrived() override;
    bool isDatagram() const override { return true; }
    quint64 droppedDatagrams() override { return socket.droppedDatagrams(); }

    // Whether a datagram from sender:senderPort comes from the instrument at peer:peerPort.
    static bool isPeer(const QHostAddress& peer, quint16 peerPort, const QHostAddress& sender, quint16 senderPort);

    // A flood of datagrams is taken at most this many bytes at a time, so that every wait still
    // looks at its deadline.
    static constexpr int MaxChunkBytes = 64 * 1024;

private:
    // The next datagram from the peer that is waiting now; empty when none is.
    QByteArray takePeerDatagram();

    QHostAddress peerAddress;
    quint16 peerPort = 65535;
    DatagramSocket socket;
    // The last look found a datagram: more are likely waiting, so the next looks before it waits.
    bool flowing = false;
};
