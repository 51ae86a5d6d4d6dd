#include "link/linkchannel.h"

#include "link/ddatareceiver.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linktransportfactory.h"
#include "link/replyscan.h"
#include "link/udptransport.h"

namespace {
// Received bytes without a reply in them are kept up to this much; older ones can no longer start
// one and are set aside, so a flood neither grows the buffer nor slows the search.
constexpr int KeptUnmatchedBytes = 2 * MaxReplyFrameBytes;
constexpr char LineFeed = '\n';
} // namespace

LinkChannel::LinkChannel() : timings(LinkTimings::current())
{ }

qint64 LinkChannel::now() const
{
    return transport ? transport->nowMs() : 0;
}

LinkChannel::~LinkChannel() = default;

bool LinkChannel::openFromSettings()
{
    return open(LinkSettings::load());
}

bool LinkChannel::open(const LinkSettings& linkSettings)
{
    settings = linkSettings;
    failure = LinkOpenFailure();
    transport.reset();
    // A value out of range would be wrapped into another port or another instrument's address.
    const LinkSettings::Problem problem = settings.validate(LinkSettings::Check::Stored);
    if (!problem.ok()) {
        failure.kind = LinkOpenFailure::RefusedSetting;
        failure.setting = problem;
        return false;
    }
    std::unique_ptr<LinkTransport> opened = makeLinkTransport(settings, timings);
    if (!opened->open(settings, &failure))
        return false;
    opened->setStopCheck([this] { return stopRequested(); });
    transport = std::move(opened);
    return true;
}

qint32 LinkChannel::lineBaudRate() const
{
    return transport ? transport->lineBaudRate() : 0;
}

quint64 LinkChannel::droppedDatagrams() const
{
    return transport ? transport->droppedDatagrams() : 0;
}

bool LinkChannel::isPeer(const QHostAddress& peer, quint16 peerPort, const QHostAddress& sender, quint16 senderPort)
{
    return UdpTransport::isPeer(peer, peerPort, sender, senderPort);
}

void LinkChannel::setAside(const QByteArray& bytes)
{
    if (!bytes.isEmpty() && strayListener)
        strayListener(bytes);
}

void LinkChannel::settleBeforeSend(CrcOrder order)
{
    QByteArray stale = held + transport->takeArrived();
    held.clear();
    for (FrameSpan span = findReply(stale, deviceAddress(), order); span.found();
         span = findReply(stale, deviceAddress(), order)) {
        setAside(stale.left(span.start));
        // A late reply pays its debt here; one that nobody asked for is no line either.
        ledger.strayFrame(now(), stale.mid(span.start, span.length));
        stale.remove(0, span.end());
    }
    setAside(stale);
}

void LinkChannel::dropFront(QByteArray& received, QVector<int>& pieceEnds, int count)
{
    received.remove(0, count);
    QVector<int> kept;
    for (int end : pieceEnds) {
        if (end > count)
            kept.append(end - count);
    }
    pieceEnds = kept;
}

bool LinkChannel::takeReply(QByteArray& received, QVector<int>& pieceEnds, CrcOrder order, QByteArray& reply)
{
    for (;;) {
        QByteArray frame;
        const FrameSpan span = findReply(received, deviceAddress(), order);
        if (span.found()) {
            setAside(received.left(span.start));
            frame = received.mid(span.start, span.length);
            dropFront(received, pieceEnds, span.end());
        } else {
            // An instrument that talks while it answers may send a whole line between two pieces
            // of its reply.
            const SplicedReply spliced =
                order == CrcOrder::LowFirst ? findSplicedReply(received, pieceEnds, deviceAddress()) : SplicedReply();
            if (!spliced.found())
                break;
            setAside(received.left(spliced.start));
            for (const QByteArray& line : spliced.lines)
                setAside(line);
            frame = spliced.frame;
            dropFront(received, pieceEnds, spliced.end);
        }
        if (ledger.frameArrived(now(), frame)) {
            reply = frame;
            held = received;
            received.clear();
            pieceEnds.clear();
            return true;
        }
    }
    if (received.size() > KeptUnmatchedBytes) {
        setAside(received.left(received.size() - MaxReplyFrameBytes));
        dropFront(received, pieceEnds, received.size() - MaxReplyFrameBytes);
    }
    return false;
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
    const qint64 deadline = transport->nowMs() + qMax(0, timeoutMs);
    settleBeforeSend(order);
    if (transport->send(request, deadline) != LinkError::None)
        return ExchangeSendFailed;
    ledger.sent(request, now());
    // A reply unanswered for two whole waits is given up: a reply later than that is no reply.
    const qint64 debtMs = 2 * qint64(qMax(timeoutMs, 1));

    // Over UDP every piece must come within the one time-out: the instrument's debug lines or a
    // stray talker on its address would otherwise start a fresh wait with each datagram. Over the
    // serial line a reply may come in pieces; once it has begun, a gap of half a second ends it,
    // complete or not, and it may finish one gap after the time-out, and no later.
    const bool datagrams = transport->isDatagram();
    const qint64 lastPiece = deadline + (datagrams ? 0 : timings.serialPieceGapMs);
    QByteArray received; // bytes since the request that are no reply yet
    QVector<int> pieceEnds; // where each piece of received ended
    for (;;) {
        // Whole lines before a reply (debug output) do not start the serial gap: a reply has begun
        // when bytes follow the last line feed, or when the time-out has passed with bytes in hand.
        const bool inHand = !datagrams && !received.isEmpty();
        const qint64 at = transport->nowMs();
        const bool begun = inHand && (at >= deadline || !received.endsWith(LineFeed));
        if (begun && at >= lastPiece)
            break;
        const qint64 wait = begun ? qMin(at + timings.serialPieceGapMs, lastPiece) : deadline;
        const QByteArray chunk = transport->receive(wait);
        if (stopRequested()) {
            ledger.unanswered(now(), debtMs);
            return ExchangeStopped;
        }
        if (chunk.isEmpty()) {
            if (begun)
                break;
            if (inHand)
                continue; // only whole lines by the time-out: one gap for a reply behind them
            reply = received;
            ledger.unanswered(now(), debtMs);
            return ExchangeNoReply;
        }
        received.append(chunk);
        pieceEnds.append(received.size());
        if (takeReply(received, pieceEnds, order, reply))
            return ExchangeOk;
    }
    // The serial line fell silent with a reply begun and not whole: it is handed back as it is.
    reply = received;
    ledger.unanswered(now(), debtMs);
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
    const qint64 firstData = transport->nowMs() + timings.streamFirstDataMs;
    settleBeforeSend(CrcOrder::HighFirst);
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
        chunk = transport->receive(transport->nowMs() + silenceMs);
    }
    streamReceiver = nullptr;
}

QByteArray LinkChannel::receive(int timeoutMs)
{
    if (!held.isEmpty()) {
        QByteArray kept;
        kept.swap(held);
        return kept;
    }
    if (!transport)
        return QByteArray();
    return transport->receive(transport->nowMs() + qMax(0, timeoutMs));
}
