#include "sim/instrumentsimulator.h"

#include "link/frames.h"
#include "sim/instrumenttexts.h"
#include "sim/ptyport.h"

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

constexpr int MonitorIndex = 255;
const QString ClockFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

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

InstrumentSimulator::InstrumentSimulator(QObject* parent) : QObject(parent)
{
    store.setLines(sampleItems());
    const QDateTime shown = QDateTime::fromString(store.value(ItemStore::ClockItemName), ClockFormat);
    clockBase = shown.isValid() ? shown : QDateTime::currentDateTime();
    clockRunning.start();
}

InstrumentSimulator::~InstrumentSimulator() = default;

QStringList InstrumentSimulator::sampleItems()
{
    initSimResources();
    QFile file(QStringLiteral(":/sim/sample-items.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

void InstrumentSimulator::setDeviceAddress(quint8 value)
{
    QMutexLocker lock(&mutex);
    address = value;
}

quint8 InstrumentSimulator::deviceAddress() const
{
    QMutexLocker lock(&mutex);
    return address;
}

bool InstrumentSimulator::loadItems(const QString& path, QString* error)
{
    ItemStore loaded;
    if (!loaded.load(path, error))
        return false;
    QMutexLocker lock(&mutex);
    store = loaded;
    const QDateTime shown = QDateTime::fromString(store.value(ItemStore::ClockItemName), ClockFormat);
    if (shown.isValid()) {
        clockBase = shown;
        clockRunning.start();
    }
    return true;
}

void InstrumentSimulator::setItems(const QStringList& itemTexts)
{
    QMutexLocker lock(&mutex);
    store.setLines(itemTexts);
    const QDateTime shown = QDateTime::fromString(store.value(ItemStore::ClockItemName), ClockFormat);
    if (shown.isValid()) {
        clockBase = shown;
        clockRunning.start();
    }
}

QStringList InstrumentSimulator::items() const
{
    QMutexLocker lock(&mutex);
    ItemStore shown = store;
    shown.setValue(ItemStore::ClockItemName, clockLocked().toString(ClockFormat));
    return shown.texts();
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
    delete pty;
    pty = new PtyPort(this);
    if (!pty->open(linkPath)) {
        QMutexLocker lock(&mutex);
        lastError = pty->errorString();
        delete pty;
        pty = nullptr;
        return false;
    }
    connect(pty, &PtyPort::received, this, &InstrumentSimulator::readPty);
    QMutexLocker lock(&mutex);
    ptySlavePath = pty->slavePath();
    return true;
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
    return clockLocked();
}

QDateTime InstrumentSimulator::clockLocked() const
{
    return clockBase.addMSecs(clockRunning.elapsed());
}

QByteArray InstrumentSimulator::receivedImage() const
{
    QMutexLocker lock(&mutex);
    return image.left(int(imageSize));
}

bool InstrumentSimulator::debugOutput() const
{
    QMutexLocker lock(&mutex);
    return debugOn;
}

int InstrumentSimulator::requestCount() const
{
    QMutexLocker lock(&mutex);
    return requests;
}

int InstrumentSimulator::requestCount(Command command) const
{
    QMutexLocker lock(&mutex);
    return command >= ReadItem && command <= EndUpdate ? perCommand[command] : requests;
}

int InstrumentSimulator::endUpdateCount() const
{
    QMutexLocker lock(&mutex);
    return endUpdates;
}

quint32 InstrumentSimulator::erasedSize() const
{
    QMutexLocker lock(&mutex);
    return imageSize;
}

void InstrumentSimulator::setModel(const QString& text)
{
    QMutexLocker lock(&mutex);
    modelText = text;
}

QString InstrumentSimulator::model() const
{
    QMutexLocker lock(&mutex);
    return modelLocked();
}

QString InstrumentSimulator::modelLocked() const
{
    return modelText.isEmpty() ? store.value(ItemStore::ModelItemName).trimmed() : modelText;
}

void InstrumentSimulator::setDebugInterval(int ms)
{
    QMutexLocker lock(&mutex);
    debugIntervalMs = qMax(1, ms);
}

void InstrumentSimulator::setHistoryPace(int recordsPerDay, int chunkBytes, int intervalMs)
{
    QMutexLocker lock(&mutex);
    historyRecordsPerDay = qMax(1, recordsPerDay);
    historyChunkBytes = qMax(1, chunkBytes);
    historyIntervalMs = qMax(0, intervalMs);
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
    Outgoing outgoing;
    Fault fault;
    bool faulty = false;
    {
        QMutexLocker lock(&mutex);
        outgoing = respond(frame);
        if (outgoing.command == AnyCommand)
            return; // not for this instrument
        ++requests;
        ++perCommand[outgoing.command];
        faulty = takeFault(outgoing.command, &fault);
    }

    if (outgoing.command == WriteItem && quint8(frame[3]) == MonitorIndex) {
        const bool on = debugOutput();
        if (on) {
            debugPeer = from;
            if (!debugTimer) {
                debugTimer = new QTimer(this);
                connect(debugTimer, &QTimer::timeout, this, &InstrumentSimulator::sendDebugLine);
            }
            QMutexLocker lock(&mutex);
            debugTimer->start(debugIntervalMs);
        } else if (debugTimer) {
            debugTimer->stop();
        }
    }

    if (outgoing.stream) {
        if (faulty && (fault.kind == NoReply || fault.kind == OtherPort))
            ;
        else if (faulty && fault.kind == DelayReply)
            QTimer::singleShot(fault.delayMs, this, [this, from, frame] { startHistory(from, frame); });
        else
            startHistory(from, frame);
    } else if (!outgoing.reply.isEmpty()) {
        const QByteArray reply = faulty ? spoil(outgoing.reply, fault.kind) : outgoing.reply;
        if (!faulty) {
            deliver(from, reply);
        } else {
            switch (fault.kind) {
            case NoReply:
                break;
            case DelayReply:
                QTimer::singleShot(fault.delayMs, this, [this, from, reply] { deliver(from, reply); });
                break;
            case SplitReply: {
                const int pieces = qBound(1, fault.pieces, reply.size());
                const int size = (reply.size() + pieces - 1) / pieces;
                for (int piece = 0; piece * size < reply.size(); ++piece) {
                    const QByteArray part = reply.mid(piece * size, size);
                    if (piece == 0)
                        deliver(from, part);
                    else
                        QTimer::singleShot(piece * fault.delayMs, this, [this, from, part] { deliver(from, part); });
                }
                break;
            }
            case OtherPort:
                if (!from.pty)
                    deliver(from, reply, true);
                break;
            case ForeignFirst:
                if (!from.pty)
                    deliver(from, reply, true);
                QTimer::singleShot(fault.delayMs, this, [this, from, reply] { deliver(from, reply); });
                break;
            default:
                deliver(from, reply);
                break;
            }
        }
    }
    emit requestHandled(outgoing.command);
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

InstrumentSimulator::Outgoing InstrumentSimulator::respond(const QByteArray& frame)
{
    if (frame.startsWith('\x7E') && frame.endsWith('\x7F') && checkFrameCrc(frame.constData(), frame.size() - 1, true))
        return respondMarker(frame);
    return respondAddressLed(frame);
}

InstrumentSimulator::Outgoing InstrumentSimulator::respondAddressLed(const QByteArray& frame)
{
    Outgoing out;
    if (quint8(frame[0]) != address)
        return out;
    const quint8 command = quint8(frame[1]);
    const quint8 group = quint8(frame[2]);
    if (command == 0x03 && group == 0x4B) {
        out.command = ReadItem;
        const int index = quint8(frame[3]);
        QString text = store.text(index);
        if (index < store.size() && store.text(index).startsWith(ItemStore::ClockItemName + QLatin1Char(':')))
            text = ItemStore::ClockItemName + QLatin1Char(':') + clockLocked().toString(ClockFormat);
        out.reply = buildAddressReply(address, encodeDeviceText(text).left(255));
    } else if (command == 0x0F && group == 0x4B) {
        out.command = WriteItem;
        const int index = quint8(frame[3]);
        const int count = quint8(frame[6]);
        // The text ends at its NUL; the count byte counts it.
        const QString value = decodeDeviceText(frame.mid(7, qMax(0, count - 1)));
        if (index == MonitorIndex) {
            if (value == QLatin1String("1"))
                debugOn = true;
            else if (value == QLatin1String("0"))
                debugOn = false;
            out.reply = buildAddressReply(address, QByteArray(debugOn ? "DEBUG:1" : "DEBUG:0"));
        } else {
            out.reply = buildAddressReply(address, encodeDeviceText(store.write(index, value)).left(255));
        }
    } else if (command == 0x0F && group == 0x4D) {
        out.command = SetClock;
        const QDate date{2000 + quint8(frame[7]), quint8(frame[8]), quint8(frame[9])};
        const QTime time{quint8(frame[10]), quint8(frame[11]), quint8(frame[12])};
        if (date.isValid() && time.isValid()) {
            clockBase = QDateTime(date, time);
            clockRunning.start();
            out.reply = setClockAcknowledgement(address);
        } else {
            out.reply = buildAddressReply(address, QByteArray("ER"));
        }
    }
    return out;
}

InstrumentSimulator::Outgoing InstrumentSimulator::respondMarker(const QByteArray& frame)
{
    Outgoing out;
    const int code = quint8(frame[3]) << 8 | quint8(frame[4]);
    switch (code) {
    case 0x4E9F:
        out.command = QueryHistory;
        out.stream = true;
        break;
    case 0x293F:
        out.command = ReadDeviceId;
        out.reply = buildMarkerReply(encodeDeviceText(QStringLiteral("!Find %1 OK\r\n").arg(modelLocked())));
        break;
    case 0x2FAC:
        out.command = EraseFlash;
        if (frame.size() >= 17) {
            imageSize = quint8(frame[10]) | quint8(frame[11]) << 8 | quint8(frame[12]) << 16 | quint32(quint8(frame[13])) << 24;
            image.clear();
            pagesWritten = 0;
            out.reply = eraseFlashAcknowledgement();
        }
        break;
    case 0x2C01:
        out.command = WritePage;
        if (frame.size() == 11 + FirmwarePageSize + 3) {
            const int page = quint8(frame[10]);
            // Page numbers wrap at 256; a repeated number rewrites the page just written.
            int slot = pagesWritten;
            if (pagesWritten > 0 && page == (pagesWritten - 1) % 256)
                slot = pagesWritten - 1;
            else if (page == pagesWritten % 256)
                ++pagesWritten;
            else
                break; // out of sequence: no acknowledgement
            const qint64 offset = qint64(slot) * FirmwarePageSize;
            if (image.size() < offset + FirmwarePageSize)
                image.resize(int(offset + FirmwarePageSize));
            std::copy_n(frame.constData() + 11, FirmwarePageSize, image.data() + offset);
            out.reply = writePageAcknowledgement(page);
        }
        break;
    case 0x2A79:
        out.command = EndUpdate;
        ++endUpdates;
        break;
    default:
        break;
    }
    return out;
}

void InstrumentSimulator::deliver(const Peer& to, const QByteArray& bytes, bool fromOtherPort)
{
    if (to.pty) {
        if (pty)
            pty->write(bytes);
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
    {
        QMutexLocker lock(&mutex);
        perDay = historyRecordsPerDay;
        interval = historyIntervalMs;
    }
    const QDate start(2000 + quint8(frame[10]), quint8(frame[11]), quint8(frame[12]));
    const QDate end(2000 + quint8(frame[13]), quint8(frame[14]), quint8(frame[15]));
    historyPeer = to;
    historyPending = encodeDeviceText(historyRecords(start, end, perDay));
    if (!historyTimer) {
        historyTimer = new QTimer(this);
        connect(historyTimer, &QTimer::timeout, this, &InstrumentSimulator::sendHistoryChunk);
    }
    historyTimer->start(interval);
    sendHistoryChunk();
}

void InstrumentSimulator::sendHistoryChunk()
{
    int chunkBytes = 256;
    {
        QMutexLocker lock(&mutex);
        chunkBytes = historyChunkBytes;
    }
    if (historyPending.isEmpty()) {
        historyTimer->stop();
        return;
    }
    deliver(historyPeer, historyPending.left(chunkBytes));
    historyPending.remove(0, chunkBytes);
    if (historyPending.isEmpty())
        historyTimer->stop();
}

void InstrumentSimulator::sendDebugLine()
{
    QString line;
    {
        QMutexLocker lock(&mutex);
        if (!debugOn) {
            debugTimer->stop();
            return;
        }
        if (debugTimer->interval() != debugIntervalMs)
            debugTimer->setInterval(debugIntervalMs);
        line = debugLine(clockLocked(), ++debugSequence);
    }
    deliver(debugPeer, encodeDeviceText(line));
}
