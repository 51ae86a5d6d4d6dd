#include "link/linkchannel.h"

#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/hostaddress.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

namespace {

// How long an unbound socket, which cannot wait for readiness, sleeps between looks.
constexpr int PollSleepMs = 20;
// The longest a stream's first-data wait goes without asking the receiver whether to stop.
constexpr int StopCheckMs = 50;

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
    return udpSocket->writeDatagram(request, peerAddress, peerPort) >= 1;
}

bool LinkChannel::hasPendingDatagram() const
{
    // Asking an unbound socket only draws a warning: nothing can have arrived before the first send.
    return udpSocket->state() == QAbstractSocket::BoundState && udpSocket->hasPendingDatagrams();
}

bool LinkChannel::waitForDatagram(QElapsedTimer& clock, int timeoutMs)
{
    // Wakes as soon as a datagram is pending instead of at the next poll tick; still a blocking
    // wait on this thread, bounded by the same time-out.
    while (!hasPendingDatagram()) {
        const qint64 remaining = timeoutMs - clock.elapsed();
        if (remaining < 0)
            return false;
        const bool canWait = udpSocket->state() == QAbstractSocket::BoundState;
        if (canWait && udpSocket->waitForReadyRead(int(qMax<qint64>(remaining, 1))))
            continue;
        // The socket cannot wait (not bound yet, or an error): fall back to a short sleep.
        if (!hasPendingDatagram() && clock.elapsed() <= timeoutMs)
            QThread::msleep(ulong(qBound<qint64>(1, timeoutMs - clock.elapsed(), PollSleepMs)));
    }
    return true;
}

QByteArray LinkChannel::collectUdpChunk(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray chunk;
    // Datagrams from anyone else are dropped and the wait goes on: they are no answer.
    while (chunk.isEmpty() && waitForDatagram(clock, timeoutMs)) {
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
    if (!sendDatagram(request))
        return ExchangeSendFailed;
    for (;;) {
        const QByteArray chunk = collectUdpChunk(timeoutMs);
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

bool LinkChannel::waitForSerialData(int timeoutMs)
{
    // readyRead may already have gone by while the request was being written.
    return serialPort->bytesAvailable() > 0 || waitForSignal(serialPort.get(), SIGNAL(readyRead()), timeoutMs);
}

ExchangeResult LinkChannel::exchangeSerial(const QByteArray& request, QByteArray& reply, CrcOrder order, int timeoutMs)
{
    if (!serialPort->isOpen() || (settings.sendRts && !pulseRts()))
        return ExchangeSendFailed;
    serialPort->clear();
    if (serialPort->write(request) < request.size())
        return ExchangeSendFailed;
    if (!serialPort->waitForBytesWritten(timeoutMs))
        return ExchangeSendFailed;
    if (!waitForSerialData(timeoutMs))
        return ExchangeNoReply;
    reply = serialPort->readAll();
    // A reply may come in pieces; a gap of half a second ends it, complete or not.
    while (!isCompleteReply(reply, deviceAddress(), order)) {
        if (!waitForSignal(serialPort.get(), SIGNAL(readyRead()), timings.serialPieceGapMs) && serialPort->bytesAvailable() == 0)
            break;
        reply.append(serialPort->readAll());
    }
    return ExchangeOk;
}

void LinkChannel::receiveStream(const QByteArray& request, DDataReceiver* receiver)
{
    if (settings.useUdp)
        receiveStreamUdp(request, receiver);
    else
        receiveStreamSerial(request, receiver);
}

void LinkChannel::receiveStreamUdp(const QByteArray& request, DDataReceiver* receiver)
{
    if (request.isEmpty() || !sendDatagram(request)) {
        receiver->onError(QObject::tr("发送命令超时"));
        return;
    }
    // Waited in slices, so that a receiver that stops (a closing dialog) need not sit out the time-out.
    QElapsedTimer firstData;
    firstData.start();
    QByteArray chunk;
    while (chunk.isEmpty()) {
        if (receiver->isStopped())
            return;
        const qint64 remaining = timings.streamFirstDataMs - firstData.elapsed();
        if (remaining < 0) {
            receiver->onError(QObject::tr("接受数据超时"));
            return;
        }
        chunk = collectUdpChunk(int(qMin<qint64>(remaining, StopCheckMs)));
    }
    for (;;) {
        if (receiver->isStopped())
            return;
        receiver->onData(chunk);
        if (receiver->isStopped())
            return;
        chunk = collectUdpChunk(timings.streamSilenceUdpMs);
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
    if (!serialPort->waitForBytesWritten(timings.streamFirstDataMs)) {
        receiver->onError(QObject::tr("发送命令超时"));
        return;
    }
    QElapsedTimer firstData;
    firstData.start();
    while (!waitForSerialData(int(qBound<qint64>(0, timings.streamFirstDataMs - firstData.elapsed(), StopCheckMs)))) {
        if (receiver->isStopped())
            return;
        if (firstData.elapsed() >= timings.streamFirstDataMs) {
            receiver->onError(QObject::tr("接受数据超时"));
            return;
        }
    }
    for (;;) {
        if (receiver->isStopped())
            return;
        if (serialPort->bytesAvailable() == 0 && !waitForSignal(serialPort.get(), SIGNAL(readyRead()), timings.streamSilenceSerialMs)
            && serialPort->bytesAvailable() == 0)
            return;
        receiver->onData(serialPort->readAll());
    }
}

QByteArray LinkChannel::receive(int timeoutMs)
{
    if (settings.useUdp)
        return collectUdpChunk(timeoutMs);
    if (!serialPort->isOpen())
        return QByteArray();
    if (serialPort->bytesAvailable() == 0)
        waitForSignal(serialPort.get(), SIGNAL(readyRead()), timeoutMs);
    return serialPort->readAll();
}
