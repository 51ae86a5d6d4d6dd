#include "link/udptransport.h"

#include "link/hostaddress.h"
#include "link/linktimings.h"

#include <QThread>

namespace {
// What the socket asks the system to hold for it between reads: an instrument that streams (debug
// lines, history) must not lose datagrams while this thread hands the last ones over. The system
// may grant less; what it drops then is counted.
constexpr int ReceiveBufferBytes = 4 * 1024 * 1024;
} // namespace

UdpTransport::UdpTransport()
{
    const int asked = LinkTimings::current().udpReceiveBufferBytes;
    socket.setReceiveBufferBytes(asked > 0 ? asked : ReceiveBufferBytes);
}

UdpTransport::~UdpTransport() = default;

bool UdpTransport::open(const LinkSettings& settings, LinkOpenFailure* /*failure*/)
{
    // The socket binds itself with the first datagram; a bad address shows up as a failed send.
    peerAddress = QHostAddress(settings.udpAddress);
    peerPort = quint16(settings.udpPort.toUInt());
    return true;
}

bool UdpTransport::isPeer(const QHostAddress& peer, quint16 port, const QHostAddress& sender, quint16 senderPort)
{
    return senderPort == port && isSameHost(sender, peer);
}

LinkError UdpTransport::send(const QByteArray& request, qint64 /*deadlineMs*/)
{
    // The system would take the unspecified address for this host and deliver the request to
    // whatever listens here: an address that did not parse is a failed send.
    if (peerAddress.isNull() || request.isEmpty())
        return LinkError::SendFailed;
    return socket.sendTo(request, peerAddress, peerPort) ? LinkError::None : LinkError::SendFailed;
}

QByteArray UdpTransport::takePeerDatagram()
{
    QByteArray datagram;
    QHostAddress sender;
    quint16 senderPort = 0;
    // Datagrams from anyone else are dropped: they are no answer.
    while ((flowing = socket.takeDatagram(&datagram, &sender, &senderPort)))
        if (!datagram.isEmpty() && isPeer(peerAddress, peerPort, sender, senderPort))
            return datagram;
    return QByteArray();
}

QByteArray UdpTransport::receive(qint64 deadlineMs)
{
    // While datagrams flow (a stream) the next is taken without a wait; after a quiet look the
    // socket is asked to wake this thread, in short slices so that a stop request ends the wait.
    if (flowing) {
        const QByteArray datagram = takePeerDatagram();
        if (!datagram.isEmpty())
            return datagram;
    }
    while (!hasExpired(deadlineMs) && !stopRequested()) {
        if (!socket.isOpen()) {
            // Nothing was sent, so nothing can come: wait out the slice.
            QThread::msleep(ulong(sliceOf(deadlineMs)));
            continue;
        }
        if (!socket.waitForDatagram(sliceOf(deadlineMs)))
            continue;
        const QByteArray datagram = takePeerDatagram();
        if (!datagram.isEmpty())
            return datagram;
    }
    return QByteArray();
}

QByteArray UdpTransport::takeArrived()
{
    // Everything waiting, up to the chunk limit: what is left of a flood is judged with the reply.
    QByteArray chunk;
    while (chunk.size() < MaxChunkBytes) {
        const QByteArray datagram = takePeerDatagram();
        if (datagram.isEmpty())
            break;
        chunk.append(datagram);
    }
    flowing = false;
    return chunk;
}
