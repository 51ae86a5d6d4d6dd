#include "sim/instrumentsimulator.h"

#include "link/devicetext.h"
#include "link/frames.h"
#include "sim/historygenerator.h"
#include "sim/instrumenttexts.h"
#include "sim/linepacer.h"
#ifdef Q_OS_UNIX
#include "sim/ptyport_unix.h"
#endif

#include <QFile>
#include <QMutexLocker>
#include <QTimer>
#include <QUdpSocket>

// The sample items live in the library's resources (a static library needs the explicit init).
static void initSimResources()
{
    Q_INIT_RESOURCE(sim);
}

namespace {

void fixCrc(QByteArray& frame)
{
    const bool marker = frame.startsWith('\x7E') && frame.endsWith('\x7F');
    if (marker) {
        const quint16 crc = crc16(frame.constData(), frame.size() - 3);
        frame[frame.size() - 3] = char(crc >> 8);
        frame[frame.size() - 2] = char(crc & 0xFF);
    } else if (frame.size() >= 2) {
        const quint16 crc = crc16(frame.constData(), frame.size() - 2);
        frame[frame.size() - 2] = char(crc & 0xFF);
        frame[frame.size() - 1] = char(crc >> 8);
    }
}

// Spoils a reply the way the fault says; the CRC stays right unless the CRC is the fault.
QByteArray spoil(QByteArray reply, InstrumentSimulator::FaultKind kind)
{
    if (reply.size() < 5)
        return reply;
    const bool marker = reply.startsWith('\x7E') && reply.endsWith('\x7F');
    switch (kind) {
    case InstrumentSimulator::BadCrc:
        reply[reply.size() - (marker ? 2 : 1)] = char(reply[reply.size() - (marker ? 2 : 1)] ^ 0x5A);
        return reply;
    case InstrumentSimulator::OtherAddress:
        if (marker)
            reply[2] = char(reply[2] ^ 0x01);
        else
            reply[0] = char(quint8(reply[0]) + 1);
        break;
    case InstrumentSimulator::OtherCommand:
        reply[marker ? 3 : 1] = char(0x83);
        break;
    case InstrumentSimulator::WrongLength:
        reply[marker ? 6 : 2] = char(quint8(reply[marker ? 6 : 2]) + 1);
        break;
    default:
        return reply;
    }
    fixCrc(reply);
    return reply;
}

} // namespace

QByteArray InstrumentSimulator::spoiled(const QByteArray& reply, FaultKind kind)
{
    return spoil(reply, kind);
}

InstrumentSimulator::InstrumentSimulator(QObject* parent) : QObject(parent)
{
    ItemStore sample;
    sample.setLines(sampleItems());
    core.setItems(sample);
}

InstrumentSimulator::~InstrumentSimulator() = default;

QStringList InstrumentSimulator::sampleItems()
{
    return sampleItems(QStringLiteral("ZQ-200"));
}

QStringList InstrumentSimulator::sampleItems(const QString& model)
{
    initSimResources();
    const QString resource = model == QLatin1String("ZQ-200") ? QStringLiteral(":/sim/sample-items.txt")
        : model == QLatin1String("ZQ-310")                     ? QStringLiteral(":/sim/pressure-items.txt")
                                                                : QString();
    if (resource.isEmpty())
        return {};
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

void InstrumentSimulator::setDeviceAddress(quint8 value)
{
    QMutexLocker lock(&mutex);
    core.address = value;
}

quint8 InstrumentSimulator::deviceAddress() const
{
    QMutexLocker lock(&mutex);
    return core.address;
}

bool InstrumentSimulator::loadItems(const QString& path, QString* error)
{
    ItemStore loaded;
    if (!loaded.load(path, error))
        return false;
    QMutexLocker lock(&mutex);
    core.setItems(loaded);
    return true;
}

void InstrumentSimulator::setItems(const QStringList& itemTexts)
{
    ItemStore items;
    items.setLines(itemTexts);
    QMutexLocker lock(&mutex);
    core.setItems(items);
}

QStringList InstrumentSimulator::items() const
{
    QMutexLocker lock(&mutex);
    return core.itemTexts();
}

QByteArray InstrumentSimulator::itemBytes(int index) const
{
    QMutexLocker lock(&mutex);
    return core.itemBytes(index);
}

void InstrumentSimulator::setItemValueBytes(int index, const QByteArray& valueBytes)
{
    QMutexLocker lock(&mutex);
    core.itemStore().setValueBytes(index, valueBytes);
}

bool InstrumentSimulator::listenUdp(const QHostAddress& bindAddress, quint16 port)
{
    delete udpSocket;
    udpSocket = new QUdpSocket(this);
    if (!udpSocket->bind(bindAddress, port)) {
        QMutexLocker lock(&mutex);
        lastError = udpSocket->errorString();
        delete udpSocket;
        udpSocket = nullptr;
        return false;
    }
    connect(udpSocket, &QUdpSocket::readyRead, this, &InstrumentSimulator::readUdp);
    QMutexLocker lock(&mutex);
    udpLocalPort = udpSocket->localPort();
    return true;
}

quint16 InstrumentSimulator::udpPort() const
{
    QMutexLocker lock(&mutex);
    return udpLocalPort;
}

bool InstrumentSimulator::openPty(const QString& linkPath)
{
#ifdef Q_OS_UNIX
    delete pty;
    pty = new PtyPort(this);
    if (!pty->open(linkPath)) {
        QMutexLocker lock(&mutex);
        lastError = pty->errorString();
        delete pty;
        pty = nullptr;
        return false;
    }
    delete ptyIn;
    delete ptyOut;
    ptyIn = new LinePacer(this);
    ptyOut = new LinePacer(this);
    connect(pty, &PtyPort::received, ptyIn, [this](const QByteArray& bytes) { ptyIn->push(bytes, lineBaud); });
    connect(ptyIn, &LinePacer::released, this, &InstrumentSimulator::readPty);
    connect(ptyOut, &LinePacer::released, pty, &PtyPort::write);
    QMutexLocker lock(&mutex);
    ptySlavePath = pty->slavePath();
    return true;
#else
    Q_UNUSED(linkPath);
    QMutexLocker locker(&mutex);
    lastError = QStringLiteral("pseudo-terminals exist only on Unix");
    return false;
#endif
}

QString InstrumentSimulator::ptyPath() const
{
    QMutexLocker lock(&mutex);
    return ptySlavePath;
}

bool InstrumentSimulator::listenProbe(const QHostAddress& bindAddress, quint16 port, const QString& displayName)
{
    delete probeSocket;
    probeSocket = new QUdpSocket(this);
    if (!probeSocket->bind(bindAddress, port)) {
        QMutexLocker lock(&mutex);
        lastError = probeSocket->errorString();
        delete probeSocket;
        probeSocket = nullptr;
        return false;
    }
    probeName = encodeDeviceText(displayName);
    connect(probeSocket, &QUdpSocket::readyRead, this, &InstrumentSimulator::readProbe);
    QMutexLocker lock(&mutex);
    probeLocalPort = probeSocket->localPort();
    return true;
}

quint16 InstrumentSimulator::probePort() const
{
    QMutexLocker lock(&mutex);
    return probeLocalPort;
}

QString InstrumentSimulator::errorString() const
{
    QMutexLocker lock(&mutex);
    return lastError;
}

void InstrumentSimulator::addFault(const Fault& fault)
{
    QMutexLocker lock(&mutex);
    faults.append(fault);
}

void InstrumentSimulator::clearFaults()
{
    QMutexLocker lock(&mutex);
    faults.clear();
}

QDateTime InstrumentSimulator::clock() const
{
    QMutexLocker lock(&mutex);
    return core.clock();
}

void InstrumentSimulator::setClock(const QDateTime& time)
{
    QMutexLocker lock(&mutex);
    core.setClock(time);
}

QByteArray InstrumentSimulator::receivedImage() const
{
    QMutexLocker lock(&mutex);
    return core.image();
}

QByteArray InstrumentSimulator::receivedPages() const
{
    QMutexLocker lock(&mutex);
    return core.pages();
}

bool InstrumentSimulator::debugOutput() const
{
    QMutexLocker lock(&mutex);
    return core.debugOn();
}

int InstrumentSimulator::repliesSent() const
{
    QMutexLocker lock(&mutex);
    return replies;
}

int InstrumentSimulator::requestCount() const
{
    QMutexLocker lock(&mutex);
    return requests;
}

QList<QByteArray> InstrumentSimulator::requestLog() const
{
    QMutexLocker lock(&mutex);
    return requestFrames;
}

int InstrumentSimulator::requestCount(Command command) const
{
    QMutexLocker lock(&mutex);
    return command >= ReadItem && command <= EndUpdate ? perCommand[command] : requests;
}

int InstrumentSimulator::endUpdateCount() const
{
    QMutexLocker lock(&mutex);
    return core.endUpdateCount();
}

quint32 InstrumentSimulator::erasedSize() const
{
    QMutexLocker lock(&mutex);
    return core.erasedSize();
}

void InstrumentSimulator::setModel(const QString& text)
{
    QMutexLocker lock(&mutex);
    core.modelOverride = text;
}

void InstrumentSimulator::setFlashedVersion(const QString& version, int restartMs)
{
    QMutexLocker lock(&mutex);
    core.flashedVersion = version;
    core.restartMs = restartMs;
}

QString InstrumentSimulator::model() const
{
    QMutexLocker lock(&mutex);
    return core.model();
}

void InstrumentSimulator::setDebugInterval(int ms)
{
    setDebugRate(1000.0 / qMax(1, ms));
}

void InstrumentSimulator::setDebugRate(double linesPerSecond)
{
    QMutexLocker lock(&mutex);
    debugRate = qMax(0.0, linesPerSecond);
}

void InstrumentSimulator::setDebugLineCount(int count)
{
    QMutexLocker lock(&mutex);
    debugLineLimit = count;
}

int InstrumentSimulator::debugLinesSent() const
{
    QMutexLocker lock(&mutex);
    return debugTotalSent;
}

QStringList InstrumentSimulator::debugSwitches() const
{
    QMutexLocker lock(&mutex);
    return debugSwitchLog;
}

void InstrumentSimulator::sendDebugBytes(const QByteArray& bytes)
{
    QMetaObject::invokeMethod(this, [this, bytes] { deliverDebug(bytes); }, Qt::QueuedConnection);
}

void InstrumentSimulator::setHistoryPace(int recordsPerDay, int chunkBytes, int intervalMs)
{
    QMutexLocker lock(&mutex);
    historyRecordsPerDay = qMax(1, recordsPerDay);
    historyChunkBytes = qMax(1, chunkBytes);
    historyIntervalMs = qMax(0, intervalMs);
}

void InstrumentSimulator::setHistoryRecordCount(int count)
{
    QMutexLocker lock(&mutex);
    historyRecordCount = qMax(0, count);
}

void InstrumentSimulator::setHistoryTail(const QByteArray& bytes)
{
    QMutexLocker lock(&mutex);
    historyTail = bytes;
}

void InstrumentSimulator::readUdp()
{
    while (udpSocket && udpSocket->hasPendingDatagrams()) {
        Peer from;
        QByteArray datagram(int(qMax<qint64>(0, udpSocket->pendingDatagramSize())), Qt::Uninitialized);
        const qint64 size = udpSocket->readDatagram(datagram.data(), datagram.size(), &from.address, &from.port);
        if (size < 0)
            continue;
        datagram.resize(int(size));
        // Every datagram stands alone: a request cut over two datagrams is not taken.
        RequestAssembler assembler;
        assembler.feed(datagram);
        for (QByteArray frame = assembler.take(); !frame.isEmpty(); frame = assembler.take())
            handleFrame(frame, from);
    }
}

void InstrumentSimulator::readProbe()
{
    while (probeSocket && probeSocket->hasPendingDatagrams()) {
        QHostAddress sender;
        quint16 senderPort = 0;
        QByteArray datagram(int(qMax<qint64>(0, probeSocket->pendingDatagramSize())), Qt::Uninitialized);
        const qint64 size = probeSocket->readDatagram(datagram.data(), datagram.size(), &sender, &senderPort);
        if (size != 4 || datagram != QByteArray(4, '\x01'))
            continue;
        // The answer comes from the link's port: that is the port the assistant will talk to.
        QUdpSocket* from = udpSocket ? udpSocket : probeSocket;
        from->writeDatagram(probeName, sender, senderPort);
    }
}

void InstrumentSimulator::readPty(const QByteArray& bytes)
{
    ptyAssembler.feed(bytes);
    Peer from;
    from.pty = true;
    for (QByteArray frame = ptyAssembler.take(); !frame.isEmpty(); frame = ptyAssembler.take())
        handleFrame(frame, from);
}

void InstrumentSimulator::handleFrame(const QByteArray& frame, const Peer& from)
{
    InstrumentCore::Response response;
    Fault fault;
    bool faulty = false;
    {
        QMutexLocker lock(&mutex);
        response = core.respond(frame);
        if (response.command == AnyCommand)
            return; // not for this instrument
        ++requests;
        requestFrames.append(frame);
        ++perCommand[response.command];
        faulty = takeFault(response.command, &fault);
    }

    if (response.command == WriteItem && quint8(frame[3]) == InstrumentCore::MonitorIndex)
        switchDebugOutput(from);

    if (faulty && fault.kind == Chatter) {
        // A request the instrument does not answer (EndUpdate) gets no line either.
        if (response.stream || !response.reply.isEmpty())
            deliver(from, chatterLine());
        faulty = false;
    }
    if (response.stream) {
        const bool silent = faulty && (fault.kind == NoReply || fault.kind == OtherPort);
        if (faulty && fault.kind == DelayReply)
            QTimer::singleShot(fault.delayMs, this, [this, from, frame] { startHistory(from, frame); });
        else if (!silent)
            startHistory(from, frame);
    } else if (!response.reply.isEmpty()) {
        sendReply(from, response.reply, faulty, fault);
    }
    emit requestHandled(response.command);
}

QByteArray InstrumentSimulator::chatterLine()
{
    QMutexLocker lock(&mutex);
    return encodeDeviceText(debugLine(core.clock(), ++debugSequence));
}

void InstrumentSimulator::sendReply(const Peer& to, const QByteArray& reply, bool faulty, const Fault& fault)
{
    if (!faulty) {
        deliver(to, reply);
        return;
    }
    switch (fault.kind) {
    case NoReply:
        break;
    case DelayReply:
        QTimer::singleShot(fault.delayMs, this, [this, to, reply] { deliver(to, reply); });
        break;
    case SplitReply: {
        const int pieces = qBound(1, fault.pieces, reply.size());
        const int size = (reply.size() + pieces - 1) / pieces;
        deliver(to, reply.left(size));
        for (int piece = 1; piece * size < reply.size(); ++piece) {
            const QByteArray part = reply.mid(piece * size, size);
            QTimer::singleShot(piece * fault.delayMs, this, [this, to, part] { deliver(to, part); });
        }
        break;
    }
    case OtherPort:
        if (!to.pty)
            deliver(to, reply, true);
        break;
    case ForeignFirst:
        if (!to.pty)
            deliver(to, reply, true);
        QTimer::singleShot(fault.delayMs, this, [this, to, reply] { deliver(to, reply); });
        break;
    default:
        deliver(to, spoil(reply, fault.kind));
        break;
    }
}

void InstrumentSimulator::switchDebugOutput(const Peer& from)
{
    QMutexLocker lock(&mutex);
    debugSwitchLog.append(core.debugOn() ? QStringLiteral("1") : QStringLiteral("0"));
    // The lines go to whoever switched them on, over the link it used.
    debugPeer = from;
    if (!core.debugOn()) {
        if (debugTimer)
            debugTimer->stop();
        return;
    }
    if (!debugTimer) {
        debugTimer = new QTimer(this);
        debugTimer->setTimerType(Qt::PreciseTimer);
        connect(debugTimer, &QTimer::timeout, this, &InstrumentSimulator::sendDebugLines);
    }
    debugRunSent = 0;
    debugRunClock.start();
    // Slow output ticks once a line; fast output ticks every few milliseconds and sends what is due.
    const int lineMs = debugRate > 0 ? int(1000.0 / debugRate) : 0;
    debugTimer->start(lineMs >= 5 ? qMin(lineMs, 3600 * 1000) : (debugRate > 0 ? 5 : 1));
}

bool InstrumentSimulator::takeFault(int command, Fault* fault)
{
    for (int i = 0; i < faults.size(); ++i) {
        Fault& candidate = faults[i];
        if (candidate.count == 0 || (candidate.command != AnyCommand && candidate.command != command))
            continue;
        *fault = candidate;
        if (candidate.count > 0 && --candidate.count == 0)
            faults.removeAt(i);
        return true;
    }
    return false;
}

void InstrumentSimulator::deliver(const Peer& to, const QByteArray& bytes, bool fromOtherPort)
{
    {
        QMutexLocker lock(&mutex);
        ++replies;
    }
    if (to.pty) {
#ifdef Q_OS_UNIX
        if (pty)
            ptyOut->push(bytes, lineBaud);
#endif
        return;
    }
    QUdpSocket* socket = udpSocket;
    if (fromOtherPort) {
        if (!otherSocket && udpSocket) {
            otherSocket = new QUdpSocket(this);
            otherSocket->bind(udpSocket->localAddress(), 0);
        }
        socket = otherSocket;
    }
    if (socket)
        socket->writeDatagram(bytes, to.address, to.port);
}

void InstrumentSimulator::startHistory(const Peer& to, const QByteArray& frame)
{
    int perDay = 24;
    int interval = 20;
    int count = 0;
    QByteArray tail;
    {
        QMutexLocker lock(&mutex);
        perDay = historyRecordsPerDay;
        interval = historyIntervalMs;
        count = historyRecordCount;
        tail = historyTail;
    }
    const QDate start(2000 + quint8(frame[10]), quint8(frame[11]), quint8(frame[12]));
    const QDate end(2000 + quint8(frame[13]), quint8(frame[14]), quint8(frame[15]));
    historyPeer = to;
    historySource.reset();
    historyPending.clear();
    if (count > 0)
        historySource = std::make_unique<HistoryGenerator>(start, end, count, tail);
    else
        historyPending = encodeDeviceText(historyRecords(start, end, perDay)) + tail;
    if (!historyTimer) {
        historyTimer = new QTimer(this);
        connect(historyTimer, &QTimer::timeout, this, &InstrumentSimulator::sendHistoryChunk);
    }
    historyTimer->start(interval);
    sendHistoryChunk();
    // No pause: the whole answer goes out at once, as fast as the sender can, as an instrument on a
    // fast network may send it to a receiver that cannot keep up.
    while (interval == 0 && historyTimer->isActive())
        sendHistoryChunk();
}

void InstrumentSimulator::sendHistoryChunk()
{
    int chunkBytes = 256;
    {
        QMutexLocker lock(&mutex);
        chunkBytes = historyChunkBytes;
    }
    if (historySource)
        historyPending = historySource->next(chunkBytes);
    if (historyPending.isEmpty()) {
        historyTimer->stop();
        return;
    }
    deliver(historyPeer, historyPending.left(chunkBytes));
    historyPending.remove(0, chunkBytes);
    if (historyPending.isEmpty() && (!historySource || historySource->atEnd()))
        historyTimer->stop();
}

qint64 InstrumentSimulator::debugLinesDue() const
{
    qint64 due = 0;
    if (debugRate > 0) {
        due = qint64(double(debugRunClock.elapsed()) * debugRate / 1000.0) - debugRunSent;
    } else if (debugPeer.pty && lineBaud > 0) {
        // A paced line's top speed: ten bits a byte, about 80 bytes a line.
        due = qint64(double(debugRunClock.elapsed()) * lineBaud / 10.0 / 80.0 / 1000.0) - debugRunSent;
    } else if (debugPeer.pty) {
#ifdef Q_OS_UNIX
        // Keep the line busy without piling up more than it can take soon.
        due = pty ? qMax(0, 64 * 1024 - pty->queuedBytes()) / 64 : 0;
#endif
    } else {
        due = DebugBurst;
    }
    if (debugLineLimit >= 0)
        due = qMin<qint64>(due, debugLineLimit - debugRunSent);
    return qMax<qint64>(0, due);
}

void InstrumentSimulator::sendDebugLines()
{
    QList<QByteArray> packets;
    {
        QMutexLocker lock(&mutex);
        const qint64 due = debugLinesDue();
        if (!core.debugOn() || (debugLineLimit >= 0 && debugRunSent >= debugLineLimit)) {
            debugTimer->stop();
            return;
        }
        QByteArray packet;
        for (qint64 i = 0; i < due; ++i) {
            const QByteArray line = encodeDeviceText(debugLine(core.clock(), ++debugSequence));
            // A datagram carries whole lines; the pty takes one stream.
            if (!debugPeer.pty && !packet.isEmpty() && packet.size() + line.size() > MaxDebugDatagram) {
                packets.append(packet);
                packet.clear();
            }
            packet.append(line);
        }
        if (!packet.isEmpty())
            packets.append(packet);
        debugRunSent += int(due);
        debugTotalSent += int(due);
    }
    for (const QByteArray& packet : packets)
        deliverDebug(packet);
}

void InstrumentSimulator::deliverDebug(const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    if (debugPeer.pty) {
        {
            QMutexLocker lock(&mutex);
            ++replies;
        }
        // A paced line carries the lines at its own speed; an unpaced one keeps what the reader
        // has no room for yet.
        if (pty && lineBaud > 0)
            ptyOut->push(bytes, lineBaud);
        else if (pty)
            pty->enqueue(bytes);
        return;
    }
#endif
    deliver(debugPeer, bytes);
}
