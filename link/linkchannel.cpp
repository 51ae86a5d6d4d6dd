#include "link/linkchannel.h"

#include "app/settings/config.h"
#include "app/settings/singleton.h"
#include "link/ddatareceiver.h"
#include "link/frames.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <cstring>

namespace {

constexpr int PollSleepMs = 20;
constexpr int RtsPulseMs = 100;
constexpr int SerialPieceGapMs = 500;
constexpr int StreamSilenceUdpMs = 1000;
constexpr int StreamSilenceSerialMs = 500;
// The longest a stream's first-data wait goes without asking the receiver whether to stop.
constexpr int StopCheckMs = 50;

} // namespace

LinkChannel::LinkChannel() : udpSocket(new QUdpSocket), serialPort(new QSerialPort) {}

LinkChannel::~LinkChannel()
{
    delete serialPort;
    delete udpSocket;
}

bool LinkChannel::openFromSettings()
{
    Config* config = singleton<Config>::instance();
    sendRts = config->value(QStringLiteral("serial/send_rts"), false).toBool();
    isUdp = config->value(QStringLiteral("communicate/udp"), 0).toInt() != 0;
    deviceAddress = quint8(config->value(QStringLiteral("device/address"), 255).toInt());
    errorText.clear();

    if (isUdp) {
        // The socket binds itself with the first datagram; a bad address shows up as a failed send.
        peerAddress = QHostAddress(config->value(QStringLiteral("udp/address")).toString());
        peerPort = quint16(config->value(QStringLiteral("udp/port")).toUInt());
        return true;
    }

    const QString portName = config->value(QStringLiteral("serial/port")).toString();
    serialPort->setPortName(portName);
    if (serialPort->open(QIODevice::ReadWrite)) {
        serialPort->setBaudRate(config->value(QStringLiteral("serial/baudrate"), 9600).toInt());
        serialPort->setDataBits(QSerialPort::DataBits(config->value(QStringLiteral("serial/databits"), 8).toInt()));
        serialPort->setParity(QSerialPort::Parity(config->value(QStringLiteral("serial/parity"), 0).toInt()));
        serialPort->setStopBits(QSerialPort::StopBits(config->value(QStringLiteral("serial/stopbits"), 1).toInt()));
        serialPort->setFlowControl(QSerialPort::NoFlowControl);
    } else if (portName.isEmpty()) {
        errorText = QObject::tr("串口打开失败");
    } else {
        errorText = QObject::tr("打开串口失败: %1").arg(portName);
    }
    return errorText.isEmpty();
}

int LinkChannel::exchange(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs)
{
    reply.clear();
    // An empty request (a value too long for its frame) is never sent.
    if (request.isEmpty())
        return ExchangeSendFailed;
    return isUdp ? exchangeUdp(request, reply, crcHighFirst, timeoutMs)
                 : exchangeSerial(request, reply, crcHighFirst, timeoutMs);
}

int LinkChannel::readItem(int index, QByteArray& reply, int timeoutMs)
{
    return exchange(buildReadItemRequest(deviceAddress, index), reply, false, timeoutMs);
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

bool LinkChannel::isPeer(const QHostAddress& sender, quint16 senderPort) const
{
    if (senderPort != peerPort)
        return false;
    if (sender == peerAddress)
        return true;
    // A dual-stack socket reports an IPv4 sender as ::ffff:a.b.c.d; it is the same instrument.
    bool senderIs4 = false;
    bool peerIs4 = false;
    const quint32 sender4 = sender.toIPv4Address(&senderIs4);
    const quint32 peer4 = peerAddress.toIPv4Address(&peerIs4);
    if (senderIs4 && peerIs4)
        return sender4 == peer4;
    if (sender.protocol() == QAbstractSocket::IPv6Protocol && peerAddress.protocol() == QAbstractSocket::IPv6Protocol)
        return std::memcmp(sender.toIPv6Address().c, peerAddress.toIPv6Address().c, 16) == 0;
    return sender.protocol() == peerAddress.protocol() && sender.toString() == peerAddress.toString();
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
            if (size > 0 && isPeer(sender, senderPort))
                chunk.append(datagram.constData(), int(size));
        }
    }
    return chunk;
}

int LinkChannel::exchangeUdp(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs)
{
    if (!sendDatagram(request))
        return ExchangeSendFailed;
    for (;;) {
        const QByteArray chunk = collectUdpChunk(timeoutMs);
        if (chunk.isEmpty())
            return ExchangeNoReply;
        reply.append(chunk);
        if (isCompleteReply(reply, deviceAddress, crcHighFirst))
            return ExchangeOk;
    }
}

bool LinkChannel::pulseRts()
{
    if (!serialPort->setRequestToSend(false))
        return false;
    pauseMs(RtsPulseMs);
    if (!serialPort->setRequestToSend(true))
        return false;
    pauseMs(RtsPulseMs);
    return true;
}

bool LinkChannel::waitForSerialData(int timeoutMs)
{
    // readyRead may already have gone by while the request was being written.
    return serialPort->bytesAvailable() > 0 || waitForSignal(serialPort, SIGNAL(readyRead()), timeoutMs);
}

int LinkChannel::exchangeSerial(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs)
{
    if (!serialPort->isOpen() || (sendRts && !pulseRts()))
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
    while (!isCompleteReply(reply, deviceAddress, crcHighFirst)) {
        if (!waitForSignal(serialPort, SIGNAL(readyRead()), SerialPieceGapMs) && serialPort->bytesAvailable() == 0)
            break;
        reply.append(serialPort->readAll());
    }
    return ExchangeOk;
}

void LinkChannel::receiveStream(const QByteArray& request, DDataReceiver* receiver)
{
    if (isUdp)
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
        const qint64 remaining = streamFirstDataMs - firstData.elapsed();
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
        chunk = collectUdpChunk(StreamSilenceUdpMs);
        if (chunk.isEmpty())
            return;
    }
}

void LinkChannel::receiveStreamSerial(const QByteArray& request, DDataReceiver* receiver)
{
    if (!serialPort->isOpen() || (sendRts && !pulseRts())) {
        receiver->onError(QObject::tr("发送命令失败"));
        return;
    }
    serialPort->clear();
    if (request.isEmpty() || serialPort->write(request) < request.size()) {
        receiver->onError(QObject::tr("发送命令失败"));
        return;
    }
    if (!serialPort->waitForBytesWritten(streamFirstDataMs)) {
        receiver->onError(QObject::tr("发送命令超时"));
        return;
    }
    QElapsedTimer firstData;
    firstData.start();
    while (!waitForSerialData(int(qBound<qint64>(0, streamFirstDataMs - firstData.elapsed(), StopCheckMs)))) {
        if (receiver->isStopped())
            return;
        if (firstData.elapsed() >= streamFirstDataMs) {
            receiver->onError(QObject::tr("接受数据超时"));
            return;
        }
    }
    for (;;) {
        if (receiver->isStopped())
            return;
        if (serialPort->bytesAvailable() == 0 && !waitForSignal(serialPort, SIGNAL(readyRead()), StreamSilenceSerialMs)
            && serialPort->bytesAvailable() == 0)
            return;
        receiver->onData(serialPort->readAll());
    }
}
