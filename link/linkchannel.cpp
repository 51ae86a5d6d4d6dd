#include "link/linkchannel.h"

#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/serialtransport.h"
#include "link/udptransport.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

LinkChannel::LinkChannel() : timings(LinkTimings::current())
{ }

LinkChannel::~LinkChannel() = default;

bool LinkChannel::openFromSettings()
{
    return open(LinkSettings::load());
}

bool LinkChannel::open(const LinkSettings& linkSettings)
{
    settings = linkSettings;
    error.clear();
    transport.reset();
    // A value out of range would be wrapped into another port or another instrument's address.
    const LinkSettings::Problem problem = settings.validate(LinkSettings::Check::Stored);
    if (!problem.ok()) {
        error = problem.text();
        return false;
    }
    std::unique_ptr<LinkTransport> opened;
    if (settings.useUdp)
        opened = std::make_unique<UdpTransport>();
    else
        opened = std::make_unique<SerialTransport>(timings.rtsPulseMs);
    if (!opened->open(settings, &error))
        return false;
    opened->setStopCheck([this] { return stopRequested(); });
    transport = std::move(opened);
    return true;
}

qint32 LinkChannel::lineBaudRate() const
{
    return transport ? transport->lineBaudRate() : 0;
}

void LinkChannel::pauseMs(int ms)
{
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QEventLoop loop;
    QObject::connect(&timer, SIGNAL(timeout()), &loop, SLOT(quit()));
    timer.start(ms);
    loop.exec();
}

bool LinkChannel::isPeer(const QHostAddress& peer, quint16 peerPort, const QHostAddress& sender, quint16 senderPort)
{
    return UdpTransport::isPeer(peer, peerPort, sender, senderPort);
}

bool LinkChannel::isComplete(const QByteArray& received, CrcOrder order) const
{
    return isCompleteReply(received, deviceAddress(), order);
}

ExchangeResult LinkChannel::readItem(int index, QByteArray& reply, int timeoutMs)
{
    return exchange(buildReadItemRequest(deviceAddress(), index), reply, CrcOrder::LowFirst, timeoutMs);
}

ExchangeResult LinkChannel::exchange(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs)
{
    reply.clear();
    // An empty request (a value too long for its frame) is never sent.
    if (request.isEmpty() || !transport)
        return ExchangeSendFailed;
    const QDeadlineTimer deadline(qMax(0, timeoutMs), Qt::PreciseTimer);
    // Whatever is still queued (a late answer to an earlier request, debug lines) would pass for
    // the reply to this request.
    transport->takeArrived();
    if (transport->send(request, deadline) != LinkError::None)
        return ExchangeSendFailed;

    QByteArray chunk = transport->receive(deadline);
    if (stopRequested())
        return ExchangeStopped;
    if (chunk.isEmpty())
        return ExchangeNoReply;
    reply.append(chunk);
    // Over UDP every piece must come within the one time-out: the instrument's debug lines or a
    // stray talker on its address would otherwise start a fresh wait with each datagram. Over the
    // serial line a reply may come in pieces; a gap of half a second ends it, complete or not, and
    // a reply begun within the time-out may finish one gap after it, and no later.
    const bool datagrams = transport->isDatagram();
    const QDeadlineTimer lastPiece(deadline.remainingTime() + (datagrams ? 0 : timings.serialPieceGapMs),
                                   Qt::PreciseTimer);
    while (!isComplete(reply, order)) {
        if (!datagrams && lastPiece.hasExpired())
            break;
        const QDeadlineTimer wait = datagrams
            ? deadline
            : QDeadlineTimer(qMin<qint64>(timings.serialPieceGapMs, lastPiece.remainingTime()), Qt::PreciseTimer);
        chunk = transport->receive(wait);
        if (stopRequested())
            return ExchangeStopped;
        if (chunk.isEmpty()) {
            if (datagrams)
                return ExchangeNoReply;
            break;
        }
        reply.append(chunk);
    }
    return ExchangeOk;
}

void LinkChannel::receiveStream(const QByteArray& request, DDataReceiver* receiver)
{
    if (!transport) {
        receiver->onFailure(LinkError::WriteFailed);
        return;
    }
    streamReceiver = receiver;
    // The write and the first bytes share the one time-out.
    const QDeadlineTimer firstData(timings.streamFirstDataMs, Qt::PreciseTimer);
    transport->takeArrived();
    const LinkError sent = transport->send(request, firstData);
    QByteArray chunk;
    if (sent != LinkError::None)
        receiver->onFailure(sent);
    else
        chunk = transport->receive(firstData);
    if (sent == LinkError::None && chunk.isEmpty() && !stopRequested())
        receiver->onFailure(LinkError::NoStreamData);
    const int silenceMs = transport->isDatagram() ? timings.streamSilenceUdpMs : timings.streamSilenceSerialMs;
    // A stream that keeps flowing goes on; each chunk starts a fresh wait for the silence.
    while (!chunk.isEmpty() && !stopRequested()) {
        receiver->onData(chunk);
        if (receiver->isStopped())
            break;
        chunk = transport->receive(QDeadlineTimer(silenceMs, Qt::PreciseTimer));
    }
    streamReceiver = nullptr;
}

QByteArray LinkChannel::receive(int timeoutMs)
{
    if (!transport)
        return QByteArray();
    return transport->receive(QDeadlineTimer(qMax(0, timeoutMs), Qt::PreciseTimer));
}
