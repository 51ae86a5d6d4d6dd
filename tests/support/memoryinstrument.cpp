#include "tests/support/memoryinstrument.h"

#include "link/devicetext.h"
#include "sim/instrumenttexts.h"
#include "sim/itemstore.h"

#include <QMutexLocker>

#include <algorithm>
#include <utility>

using Sim = InstrumentSimulator;

// The channel's side: pieces wait in order of their due time, and a wait moves the clock to the
// first piece due by its deadline, or to the deadline.
class MemoryInstrument::Transport : public LinkTransport
{
public:
    Transport(MemoryInstrument& instrument, bool datagrams) : instrument(instrument), datagrams(datagrams)
    {
        instrument.noteClock(clock);
        // The debug output goes to the peer that switched it on: over UDP a port of its own, while
        // the serial line is the one peer whichever channel opens it.
        if (!datagrams && instrument.debugOutput())
            nextDebugMs = instrument.debugInterval();
    }

    bool open(const LinkSettings&, LinkOpenFailure*) override { return true; }
    LinkError send(const QByteArray& request, qint64) override
    {
        moveClock(clock + instrument.takeIdle());
        const Answer answer = instrument.answer(request, clock);
        for (const Piece& piece : answer.pieces)
            enqueue(piece);
        if (answer.debugSwitch >= 0)
            nextDebugMs = answer.debugSwitch == 1 ? clock + instrument.debugInterval() : -1;
        return LinkError::None;
    }
    QByteArray receive(qint64 deadlineMs) override
    {
        moveClock(clock + instrument.takeIdle());
        const qint64 due = nextDueMs();
        if (due < 0 || due > deadlineMs) {
            moveClock(deadlineMs);
            return QByteArray();
        }
        moveClock(due);
        // A datagram comes alone; a byte stream hands over everything that has come.
        return datagrams ? pending.takeFirst().bytes : takeArrived();
    }
    QByteArray takeArrived() override
    {
        moveClock(clock + instrument.takeIdle()); // and the debug lines due by then
        QByteArray bytes;
        while (!pending.isEmpty() && pending.first().dueMs <= clock)
            bytes += pending.takeFirst().bytes;
        return bytes;
    }
    bool isDatagram() const override { return datagrams; }
    qint64 nowMs() const override { return clock; }

private:
    void enqueue(const Piece& piece)
    {
        pending.insert(std::upper_bound(pending.begin(), pending.end(), piece,
                                        [](const Piece& a, const Piece& b) { return a.dueMs < b.dueMs; }),
                       piece);
    }
    // The first moment something comes: a piece that waits or the next debug line; -1: nothing.
    qint64 nextDueMs() const
    {
        qint64 due = pending.isEmpty() ? -1 : pending.first().dueMs;
        if (nextDebugMs >= 0 && (due < 0 || nextDebugMs < due))
            due = nextDebugMs;
        return due;
    }
    // The debug lines are made as the clock passes their moments, so a talking instrument costs
    // only the lines a wait lets come.
    void moveClock(qint64 toMs)
    {
        clock = qMax(clock, toMs);
        while (nextDebugMs >= 0 && nextDebugMs <= clock) {
            enqueue({nextDebugMs, instrument.nextDebugLine()});
            nextDebugMs += instrument.debugInterval();
        }
        instrument.noteClock(clock);
    }

    MemoryInstrument& instrument;
    const bool datagrams;
    qint64 clock = 0;
    qint64 nextDebugMs = -1; // the next debug line's moment; -1: the output is off
    QList<Piece> pending;
};

MemoryInstrument::MemoryInstrument()
{
    ItemStore sample;
    sample.setLines(Sim::sampleItems());
    core.setItems(sample);
    factory = [this](const LinkSettings& settings, const LinkTimings&) -> std::unique_ptr<LinkTransport> {
        return std::make_unique<Transport>(*this, settings.useUdp);
    };
    installLinkTransportFactory(&factory);
}

MemoryInstrument::~MemoryInstrument()
{
    installLinkTransportFactory(nullptr);
}

LinkSettings MemoryInstrument::settings(bool datagrams) const
{
    LinkSettings settings;
    settings.useUdp = datagrams;
    settings.udpAddress = QStringLiteral("127.0.0.1");
    settings.udpPort = QStringLiteral("9");
    settings.serialPort = QStringLiteral("memory");
    QMutexLocker lock(&mutex);
    settings.deviceAddress = core.address;
    return settings;
}

void MemoryInstrument::setItems(const QStringList& itemTexts)
{
    ItemStore store;
    store.setLines(itemTexts);
    QMutexLocker lock(&mutex);
    core.setItems(store);
}

QStringList MemoryInstrument::items() const
{
    QMutexLocker lock(&mutex);
    return core.itemTexts();
}

void MemoryInstrument::addFault(const Sim::Fault& fault)
{
    QMutexLocker lock(&mutex);
    faults.append(fault);
}

int MemoryInstrument::requestCount() const
{
    QMutexLocker lock(&mutex);
    return requests;
}

int MemoryInstrument::requestCount(Sim::Command command) const
{
    QMutexLocker lock(&mutex);
    return command >= Sim::ReadItem && command <= Sim::EndUpdate ? perCommand[command] : requests;
}

void MemoryInstrument::addFaultAfter(int skip, const Sim::Fault& fault)
{
    QMutexLocker lock(&mutex);
    laterFaults.append({skip, fault});
}

void MemoryInstrument::setModel(const QString& model)
{
    QMutexLocker lock(&mutex);
    core.modelOverride = model;
}

quint32 MemoryInstrument::erasedSize() const
{
    QMutexLocker lock(&mutex);
    return core.erasedSize();
}

QByteArray MemoryInstrument::receivedPages() const
{
    QMutexLocker lock(&mutex);
    return core.pages();
}

QByteArray MemoryInstrument::receivedImage() const
{
    QMutexLocker lock(&mutex);
    return core.image();
}

int MemoryInstrument::endUpdateCount() const
{
    QMutexLocker lock(&mutex);
    return core.endUpdateCount();
}

void MemoryInstrument::setDeviceAddress(quint8 address)
{
    QMutexLocker lock(&mutex);
    core.address = address;
}

void MemoryInstrument::clearFaults()
{
    QMutexLocker lock(&mutex);
    faults.clear();
    laterFaults.clear();
}

void MemoryInstrument::setHistoryPace(int recordsPerDay, int chunkBytes, int intervalMs)
{
    QMutexLocker lock(&mutex);
    historyRecordsPerDay = qMax(1, recordsPerDay);
    historyChunkBytes = qMax(1, chunkBytes);
    historyIntervalMs = qMax(0, intervalMs);
}

void MemoryInstrument::setDebugInterval(int ms)
{
    QMutexLocker lock(&mutex);
    debugIntervalMs = qMax(1, ms);
}

int MemoryInstrument::debugInterval() const
{
    QMutexLocker lock(&mutex);
    return debugIntervalMs;
}

bool MemoryInstrument::debugOutput() const
{
    QMutexLocker lock(&mutex);
    return core.debugOn();
}

int MemoryInstrument::debugLinesSent() const
{
    QMutexLocker lock(&mutex);
    return debugLines;
}

qint64 MemoryInstrument::clockMs() const
{
    QMutexLocker lock(&mutex);
    return latestClockMs;
}

void MemoryInstrument::passMs(qint64 ms)
{
    QMutexLocker lock(&mutex);
    idleMs += qMax<qint64>(0, ms);
}

qint64 MemoryInstrument::takeIdle()
{
    QMutexLocker lock(&mutex);
    return std::exchange(idleMs, 0);
}

void MemoryInstrument::noteClock(qint64 ms)
{
    QMutexLocker lock(&mutex);
    latestClockMs = ms;
}

bool MemoryInstrument::takeFault(int command, Sim::Fault* fault)
{
    for (int i = 0; i < laterFaults.size();) {
        if (laterFaults.at(i).second.command == command && perCommand[command] > laterFaults.at(i).first)
            faults.append(laterFaults.takeAt(i).second);
        else
            ++i;
    }
    for (int i = 0; i < faults.size(); ++i) {
        Sim::Fault& candidate = faults[i];
        if (candidate.count == 0 || (candidate.command != Sim::AnyCommand && candidate.command != command))
            continue;
        *fault = candidate;
        if (candidate.count > 0 && --candidate.count == 0)
            faults.removeAt(i);
        return true;
    }
    return false;
}

MemoryInstrument::Answer MemoryInstrument::answer(const QByteArray& request, qint64 nowMs)
{
    QMutexLocker lock(&mutex);
    const bool wasTalking = core.debugOn();
    const InstrumentCore::Response response = core.respond(request);
    if (response.command == Sim::AnyCommand)
        return {}; // not for this instrument
    ++requests;
    if (response.command >= Sim::ReadItem && response.command <= Sim::EndUpdate)
        ++perCommand[response.command];
    Answer answer;
    if (response.command == Sim::WriteItem && quint8(request[3]) == InstrumentCore::MonitorIndex
        && (core.debugOn() || wasTalking))
        answer.debugSwitch = core.debugOn() ? 1 : 0;
    Sim::Fault fault;
    bool faulty = takeFault(response.command, &fault);
    if (!response.stream && response.reply.isEmpty())
        return answer;
    QList<Piece>& pieces = answer.pieces;
    if (faulty && fault.kind == Sim::Chatter) {
        pieces.append({nowMs, encodeDeviceText(debugLine(core.clock(), ++debugSequence))});
        faulty = false;
    }
    if (response.stream) {
        if (!faulty || fault.kind == Sim::DelayReply)
            pieces += historyPieces(request, nowMs + (faulty ? fault.delayMs : 0));
        // Any other fault on a stream: the instrument says nothing.
        return answer;
    }
    const QByteArray& reply = response.reply;
    if (!faulty) {
        pieces.append({nowMs, reply});
        return answer;
    }
    switch (fault.kind) {
    case Sim::NoReply:
    case Sim::OtherPort: // a UDP transport drops it, the serial line says nothing
        break;
    case Sim::DelayReply:
    case Sim::ForeignFirst: // the copy from another port is dropped; the reply comes late
        pieces.append({nowMs + fault.delayMs, reply});
        break;
    case Sim::SplitReply: {
        const int count = qBound(1, fault.pieces, reply.size());
        const int size = (reply.size() + count - 1) / count;
        for (int piece = 0; piece * size < reply.size(); ++piece)
            pieces.append({nowMs + piece * fault.delayMs, reply.mid(piece * size, size)});
        break;
    }
    default:
        pieces.append({nowMs, Sim::spoiled(reply, fault.kind)});
        break;
    }
    return answer;
}

// The records for the range the query names, in chunks at the pace set, the first at fromMs.
QList<MemoryInstrument::Piece> MemoryInstrument::historyPieces(const QByteArray& request, qint64 fromMs) const
{
    const QDate start(2000 + quint8(request[10]), quint8(request[11]), quint8(request[12]));
    const QDate end(2000 + quint8(request[13]), quint8(request[14]), quint8(request[15]));
    const QByteArray text = encodeDeviceText(historyRecords(start, end, historyRecordsPerDay));
    QList<Piece> pieces;
    for (int at = 0, chunk = 0; at < text.size(); at += historyChunkBytes, ++chunk)
        pieces.append({fromMs + qint64(chunk) * historyIntervalMs, text.mid(at, historyChunkBytes)});
    return pieces;
}

QByteArray MemoryInstrument::nextDebugLine()
{
    QMutexLocker lock(&mutex);
    ++debugLines;
    return encodeDeviceText(debugLine(core.clock(), ++debugSequence));
}
