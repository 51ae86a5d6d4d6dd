#include "tests/support/memoryinstrument.h"

#include "sim/itemstore.h"

#include <QMutexLocker>

#include <algorithm>

using Sim = InstrumentSimulator;

// The channel's side: pieces wait in order of their due time, and a wait moves the clock to the
// first piece due by its deadline, or to the deadline.
class MemoryInstrument::Transport : public LinkTransport
{
public:
    Transport(MemoryInstrument& instrument, bool datagrams) : instrument(instrument), datagrams(datagrams) { }

    bool open(const LinkSettings&, LinkOpenFailure*) override { return true; }
    LinkError send(const QByteArray& request, qint64) override
    {
        for (const Piece& piece : instrument.answer(request, clock))
            pending.insert(std::upper_bound(pending.begin(), pending.end(), piece,
                                            [](const Piece& a, const Piece& b) { return a.dueMs < b.dueMs; }),
                           piece);
        return LinkError::None;
    }
    QByteArray receive(qint64 deadlineMs) override
    {
        if (pending.isEmpty() || pending.first().dueMs > deadlineMs) {
            clock = qMax(clock, deadlineMs);
            return QByteArray();
        }
        clock = qMax(clock, pending.first().dueMs);
        // A datagram comes alone; a byte stream hands over everything that has come.
        return datagrams ? pending.takeFirst().bytes : takeArrived();
    }
    QByteArray takeArrived() override
    {
        QByteArray bytes;
        while (!pending.isEmpty() && pending.first().dueMs <= clock)
            bytes += pending.takeFirst().bytes;
        return bytes;
    }
    bool isDatagram() const override { return datagrams; }
    qint64 nowMs() const override { return clock; }

private:
    MemoryInstrument& instrument;
    const bool datagrams;
    qint64 clock = 0;
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

bool MemoryInstrument::takeFault(int command, Sim::Fault* fault)
{
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

QList<MemoryInstrument::Piece> MemoryInstrument::answer(const QByteArray& request, qint64 nowMs)
{
    QMutexLocker lock(&mutex);
    const InstrumentCore::Response response = core.respond(request);
    if (response.command == Sim::AnyCommand)
        return {}; // not for this instrument
    ++requests;
    Sim::Fault fault;
    bool faulty = takeFault(response.command, &fault);
    if (response.stream || response.reply.isEmpty())
        return {};
    QList<Piece> pieces;
    if (faulty && fault.kind == Sim::Chatter) {
        pieces.append({nowMs, QByteArray("[DBG ") + QByteArray::number(++chatter) + " chatter\r\n"});
        faulty = false;
    }
    const QByteArray& reply = response.reply;
    if (!faulty) {
        pieces.append({nowMs, reply});
        return pieces;
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
    return pieces;
}
