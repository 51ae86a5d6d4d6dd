#include "link/linkchannel.h"

#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/hostaddress.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

namespace {

// How long an unbound socket, which cannot wait for readiness, sleeps between looks.
constexpr int PollSleepMs = 20;
// The longest single wait: a stop request is seen within this time.
constexpr int StopCheckMs = 50;
// What the UDP socket asks the system to hold for it between reads.
constexpr int UdpReceiveBufferBytes = 4 * 1024 * 1024;

int sliceOf(const QDeadlineTimer& deadline)
{
    return int(qBound<qint64>(1, deadline.remainingTime(), StopCheckMs));
}

} // namespace

LinkChannel::LinkChannel()
    : timings(LinkTimings::current()), udpSocket(new QUdpSocket), serialPort(new QSerialPort)
{
}

LinkChannel::~LinkChannel() = default;

bool LinkChannel::openFromSettings()
{
    return open(LinkSettings::load());
}

bool LinkChannel::open(const LinkSettings& linkSettings)
{
    settings = linkSettings;
    error.clear();

    if (settings.useUdp) {
        // The socket binds itself with the first datagram; a bad address shows up as a failed send.
        peerAddress = QHostAddress(settings.udpAddress);
        peerPort = quint16(settings.udpPort.toUInt());
        return true;
    }

    serialPort->setPortName(settings.serialPort);
    if (serialPort->open(QIODevice::ReadWrite)) {
        serialPort->setBaudRate(settings.baudRate);
        serialPort->setDataBits(QSerialPort::DataBits(settings.dataBits));
        serialPort->setParity(QSerialPort::Parity(settings.parity));
        serialPort->setStopBits(QSerialPort::StopBits(settings.stopBits));
        serialPort->setFlowControl(QSerialPort::NoFlowControl);
    } else if (settings.serialPort.isEmpty()) {
        error = QObject::tr("串口打开失败");
    } else {
        error = QObject::tr("打开串口失败: %1").arg(settings.serialPort);
    }
    return error.isEmpty();
}

qint32 LinkChannel::lineBaudRate() const
{
    return !settings.useUdp && serialPort->isOpen() ? serialPort->baudRate() : 0;
}

ExchangeResult LinkChannel::exchange(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs)
{
    reply.clear();
    // An empty request (a value too long for its frame) is never sent.
    if (request.isEmpty())
        return ExchangeSendFailed;
    return settings.useUdp ? exchangeUdp(request, reply, order, timeoutMs)
                           : exchangeSerial(request, reply, order, timeoutMs);
}

ExchangeResult LinkChannel::readItem(int index, QByteArray& reply, int timeoutMs)
{
    return exchange(buildReadItemRequest(deviceAddress(), index), reply, CrcOrder::LowFirst, timeoutMs);
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
    return senderPort == peerPort && isSameHost(sender, peer);
}

bool LinkChannel::sendDatagram(const QByteArray& request)
{
    // Whatever is still queued (a late answer to an earlier request, debug lines) would pass
    // for the reply to this request; it is dropped, as the serial side clears its buffers.
    char sink;
    while (hasPendingDatagram())
        udpSocket->readDatagram(&sink, 1);
    // The system would take the unspecified address for this host and deliver the request to
    // whatever listens here: an address that did not parse is a failed send.
    if (peerAddress.isNull())
        return false;
    const bool wasBound = udpSocket->state() == QAbstractSocket::BoundState;
    const bool sent = udpSocket->writeDatagram(request, peerAddress, peerPort) >= 1;
    // The first send binds the socket. An instrument that streams (debug lines, history) must not
    // lose datagrams while this thread hands the last ones over: the system's default receive
    // buffer holds only a few hundred. The system may grant less than asked.
    if (!wasBound && udpSocket->state() == QAbstractSocket::BoundState)
        udpSocket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, UdpReceiveBufferBytes);
    return sent;
}

bool LinkChannel::hasPendingDatagram() const
{
    // Asking an unbound socket only draws a warning: nothing can have arrived before the first send.
    return udpSocket->state() == QAbstractSocket::BoundState && udpSocket->hasPendingDatagrams();
}

bool LinkChannel::waitForDatagram(const QDeadlineTimer& deadline)
{
    // Wakes as soon as a datagram is pending; still a blocking wait on this thread, in short
    // slices so that a stop request ends it.
    while (!hasPendingDatagram()) {
        if (deadline.hasExpired() || stopRequested())
            return false;
        const bool canWait = udpSocket->state() == QAbstractSocket::BoundState;
        if (canWait && udpSocket->waitForReadyRead(sliceOf(deadline)))
            continue;
        // The socket cannot wait (not bound yet, or an error): fall back to a short sleep.
        if (!canWait && !deadline.hasExpired())
            QThread::msleep(ulong(qMin(sliceOf(deadline), PollSleepMs)));
    }
    return true;
}

QByteArray LinkChannel::collectUdpChunk(const QDeadlineTimer& deadline)
{
    QByteArray chunk;
    // Datagrams from anyone else are dropped and the wait goes on, to the same deadline: they are
    // no answer.
    while (chunk.isEmpty() && waitForDatagram(deadline)) {
        while (hasPendingDatagram()) {
            QByteArray datagram(int(qMax<qint64>(0, udpSocket->pendingDatagramSize())), Qt::Uninitialized);
            QHostAddress sender;
            quint16 senderPort = 0;
            const qint64 size = udpSocket->readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
            if (size > 0 && isPeer(peerAddress, peerPort, sender, senderPort))
                chunk.append(datagram.constData(), int(size));
        }
    }
    return chunk;
}

ExchangeResult LinkChannel::exchangeUdp(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs)
{
    const QDeadlineTimer deadline(qMax(0, timeoutMs), Qt::PreciseTimer);
    if (!sendDatagram(request))
        return ExchangeSendFailed;
    // Every piece must come within the one time-out: the instrument's debug lines or a stray
    // talker on its address would otherwise start a fresh wait with each datagram.
    for (;;) {
        const QByteArray chunk = collectUdpChunk(deadline);
        if (stopRequested())
            return ExchangeStopped;
        if (chunk.isEmpty())
            return ExchangeNoReply;
        reply.append(chunk);
        if (isCompleteReply(reply, deviceAddress(), order))
            return ExchangeOk;
    }
}

bool LinkChannel::pulseRts()
{
    if (!serialPort->setRequestToSend(false))
        return false;
    pauseMs(timings.rtsPulseMs);
    if (!serialPort->setRequestToSend(true))
        return false;
    pauseMs(timings.rtsPulseMs);
    return true;
}

bool LinkChannel::waitForSerialData(const QDeadlineTimer& deadline)
{
    // readyRead may already have gone by while the request was being written.
    while (serialPort->bytesAvailable() == 0) {
        if (deadline.hasExpired() || stopRequested())
            return false;
        if (waitForSignal(serialPort.get(), SIGNAL(readyRead()), sliceOf(deadline)))
            return true;
    }
    return true;
}

ExchangeResult LinkChannel::exchangeSerial(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs)
{
    const QDeadlineTimer deadline(qMax(0, timeoutMs), Qt::PreciseTimer);
    if (!serialPort->isOpen() || (settings.sendRts && !pulseRts()))
        return ExchangeSendFailed;
    serialPort->clear();
    if (serialPort->write(request) < request.size())
        return ExchangeSendFailed;
    if (!serialPort->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return ExchangeSendFailed;
    if (!waitForSerialData(deadline))
        return stopRequested() ? ExchangeStopped : ExchangeNoReply;
    reply = serialPort->readAll();
    // A reply may come in pieces; a gap of half a second ends it, complete or not. A reply begun
    // within the time-out may finish one gap after it, and no later: a line that never falls
    // silent (debug lines, a stray talker) must not hold the exchange open.
    const QDeadlineTimer lastPiece(deadline.remainingTime() + timings.serialPieceGapMs, Qt::PreciseTimer);
    while (!isCompleteReply(reply, deviceAddress(), order) && !lastPiece.hasExpired()) {
        const QDeadlineTimer gap(qMin<qint64>(timings.serialPieceGapMs, lastPiece.remainingTime()), Qt::PreciseTimer);
        if (!waitForSerialData(gap))
            break;
        reply.append(serialPort->readAll());
    }
    return stopRequested() ? ExchangeStopped : ExchangeOk;
}

void LinkChannel::receiveStream(const QByteArray& request, DDataReceiver* receiver)
{
    streamReceiver = receiver;
    if (settings.useUdp)
        receiveStreamUdp(request, receiver);
    else
        receiveStreamSerial(request, receiver);
    streamReceiver = nullptr;
}

void LinkChannel::receiveStreamUdp(const QByteArray& request, DDataReceiver* receiver)
{
    if (request.isEmpty() || !sendDatagram(request)) {
        receiver->onError(QObject::tr("发送命令超时"));
        return;
    }
    QByteArray chunk = collectUdpChunk(QDeadlineTimer(timings.streamFirstDataMs, Qt::PreciseTimer));
    if (stopRequested())
        return;
    if (chunk.isEmpty()) {
        receiver->onError(QObject::tr("接受数据超时"));
        return;
    }
    // A stream that keeps flowing goes on; each chunk starts a fresh wait for the silence.
    for (;;) {
        if (receiver->isStopped())
            return;
        receiver->onData(chunk);
        if (receiver->isStopped())
            return;
        chunk = collectUdpChunk(QDeadlineTimer(timings.streamSilenceUdpMs, Qt::PreciseTimer));
        if (chunk.isEmpty())
            return;
    }
}

void LinkChannel::receiveStreamSerial(const QByteArray& request, DDataReceiver* receiver)
{
    if (!serialPort->isOpen() || (settings.sendRts && !pulseRts())) {
        receiver->onError(QObject::tr("发送命令失败"));
        return;
    }
    serialPort->clear();
    if (request.isEmpty() || serialPort->write(request) < request.size()) {
        receiver->onError(QObject::tr("发送命令失败"));
        return;
    }
    // The write and the first bytes share the one time-out.
    const QDeadlineTimer firstData(timings.streamFirstDataMs, Qt::PreciseTimer);
    if (!serialPort->waitForBytesWritten(int(qMax<qint64>(1, firstData.remainingTime())))) {
        receiver->onError(QObject::tr("发送命令超时"));
        return;
    }
    if (!waitForSerialData(firstData)) {
        if (!stopRequested())
            receiver->onError(QObject::tr("接受数据超时"));
        return;
    }
    for (;;) {
        if (receiver->isStopped())
            return;
        if (!waitForSerialData(QDeadlineTimer(timings.streamSilenceSerialMs, Qt::PreciseTimer)))
            return;
        receiver->onData(serialPort->readAll());
    }
}

QByteArray LinkChannel::receive(int timeoutMs)
{
    const QDeadlineTimer deadline(qMax(0, timeoutMs), Qt::PreciseTimer);
    if (settings.useUdp)
        return collectUdpChunk(deadline);
    if (!serialPort->isOpen())
        return QByteArray();
    waitForSerialData(deadline);
    return serialPort->readAll();
}
