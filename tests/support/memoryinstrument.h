#pragma once

#include "link/linktransportfactory.h"
#include "settings/linksettings.h"
#include "sim/instrumentcore.h"
#include "sim/instrumentsimulator.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QStringList>

// An instrument in memory for the tests of the link's logic and of the operations on it: every
// LinkChannel opened while it lives talks to the simulator's InstrumentCore through a transport
// without socket or thread, whose clock moves only while the channel waits. A reply due in 350 ms
// is there at once in real time, and a wait for one that never comes ends at once too, so
// time-outs, late replies and retries cost no real time and no test depends on the machine's load.
// Faults are the simulator's; DelayReply, SplitReply and ForeignFirst make the reply due later on
// the waiting channel's clock. History streams and debug output are not played: the simulator
// over real UDP and a pty stays for those, for the transports themselves and the operator paths.
//     MemoryInstrument instrument; // one at a time: it is the link of every channel
//     instrument.addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::ReadItem, -1, 350});
//     thread.setLinkSettings(instrument.settings(true));
class MemoryInstrument
{
public:
    MemoryInstrument();
    ~MemoryInstrument();
    MemoryInstrument(const MemoryInstrument&) = delete;
    MemoryInstrument& operator=(const MemoryInstrument&) = delete;

    // Settings that reach this instrument, as datagrams (like UDP) or as a byte stream (like the
    // serial line, where a reply may come in pieces).
    LinkSettings settings(bool datagrams) const;
    void setItems(const QStringList& itemTexts);
    QStringList items() const;
    void addFault(const InstrumentSimulator::Fault& fault);
    // Requests for this instrument so far.
    int requestCount() const;

private:
    class Transport;
    struct Piece
    {
        qint64 dueMs = 0; // on the asking channel's clock
        QByteArray bytes;
    };
    // What the instrument sends for request, sent at nowMs.
    QList<Piece> answer(const QByteArray& request, qint64 nowMs);
    bool takeFault(int command, InstrumentSimulator::Fault* fault);

    mutable QMutex mutex;
    InstrumentCore core;
    QList<InstrumentSimulator::Fault> faults;
    int requests = 0;
    int chatter = 0;
    LinkTransportFactory factory;
};
