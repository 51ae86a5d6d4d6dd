#include "link/udptransport.h"

#include "link/hostaddress.h"

#include <QThread>
#include <QUdpSocket>

namespace {
// How long an unbound socket, which cannot wait for readiness, sleeps between looks.
constexpr int PollSleepMs = 20;
// What the socket asks the system to hold for it between reads.
constexpr int ReceiveBufferBytes = 4 * 1024 * 1024;
} // namespace

UdpTransport::UdpTransport() : socket(new QUdpSocket)
{ }

UdpTransport::~UdpTransport() = default;

bool UdpTransport::open(const LinkSettings& settings, QString* /*error*/)
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

LinkError UdpTransport::send(const QByteArray& request, const QDeadlineTimer& /*deadline*/)
{
    // The system would take the unspecified address for this host and deliver the request to
    // whatever listens here: an address that did not parse is a failed send.
    if (peerAddress.isNull() || request.isEmpty())
        return LinkError::SendFailed;
    const bool wasBound = socket->state() == QAbstractSocket::BoundState;
    const bool sent = socket->writeDatagram(request, peerAddress, peerPort) >= 1;
    // The first send binds the socket. An instrument that streams (debug lines, history) must not
    // lose datagrams while this thread hands the last ones over: the system's default receive
    // buffer holds only a few hundred. The system may grant less than asked.
    if (!wasBound && socket->state() == QAbstractSocket::BoundState)
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, ReceiveBufferBytes);
    return sent ? LinkError::None : LinkError::SendFailed;
}

bool UdpTransport::hasPendingDatagram() const
{
    // Asking an unbound socket only draws a warning: nothing can have arrived before the first send.
    return socket->state() == QAbstractSocket::BoundState && socket->hasPendingDatagrams();
}

bool UdpTransport::waitForDatagram(const QDeadlineTimer& deadline)
{
    // Wakes as soon as a datagram is pending; a blocking wait on this thread, in short slices so
    // that a stop request ends it.
    while (!hasPendingDatagram()) {
        if (deadline.hasExpired() || stopRequested())
            return false;
        const bool canWait = socket->state() == QAbstractSocket::BoundState;
        if (canWait && socket->waitForReadyRead(sliceOf(deadline)))
            continue;
        // The socket cannot wait (not bound yet, or an error): fall back to a short sleep.
        if (!canWait && !deadline.hasExpired())
            QThread::msleep(ulong(qMin(sliceOf(deadline), PollSleepMs)));
    }
    return true;
}

QByteArray UdpTransport::readPending(const QDeadlineTimer& deadline)
{
    QByteArray chunk;
    // A flood keeps datagrams pending for ever: the deadline and the size end the taking.
    while (hasPendingDatagram() && chunk.size() < MaxChunkBytes) {
        QByteArray datagram(int(qMax<qint64>(0, socket->pendingDatagramSize())), Qt::Uninitialized);
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 size = socket->readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
        if (size > 0 && isPeer(peerAddress, peerPort, sender, senderPort))
            chunk.append(datagram.constData(), int(size));
        if (deadline.hasExpired() && !chunk.isEmpty())
            break;
    }
    return chunk;
}

QByteArray UdpTransport::receive(const QDeadlineTimer& deadline)
{
    QByteArray chunk;
    // Datagrams from anyone else are dropped and the wait goes on, to the same deadline: they
    // are no answer.
    while (chunk.isEmpty() && !deadline.hasExpired() && waitForDatagram(deadline))
        chunk = readPending(deadline);
    return chunk;
}

QByteArray UdpTransport::takeArrived()
{
    // Everything pending, up to the chunk limit: what is left of a flood is judged with the reply.
    return readPending(QDeadlineTimer(QDeadlineTimer::Forever));
}
