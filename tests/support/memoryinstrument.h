#pragma once

#include "link/linktransportfactory.h"
#include "settings/linksettings.h"
#include "sim/instrumentcore.h"
#include "sim/instrumentsimulator.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QStringList>

// An instrument in memory for the tests of the link's logic and of the operations on it: every
// LinkChannel opened while it lives talks to the simulator's InstrumentCore through a transport
// without socket or thread, whose clock moves only while the channel waits. A reply due in 350 ms
// is there at once in real time, and a wait for one that never comes ends at once too, so
// time-outs, late replies and retries cost no real time and no test depends on the machine's load.
// Faults are the simulator's; DelayReply, SplitReply and ForeignFirst make the reply due later on
// the waiting channel's clock. The history stream comes in chunks at the simulator's pace, and the
// debug output, once a channel switches it on, sends that channel (and, as on the serial line, every
// byte-stream channel opened later) a line every debug interval, both on the same clock. The simulator over real UDP
// and a pty stays for the transports themselves (ports, peers, the line's pieces) and the operator paths.
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
    void setDeviceAddress(quint8 address);
    void setItems(const QStringList& itemTexts);
    QStringList items() const;
    void addFault(const InstrumentSimulator::Fault& fault);
    // The fault, once skip requests of its command have been answered (it needs a command).
    void addFaultAfter(int skip, const InstrumentSimulator::Fault& fault);
    void clearFaults();
    // Requests for this instrument so far, of every command or of one.
    int requestCount() const;
    int requestCount(InstrumentSimulator::Command command) const;
    // The firmware loader, as the simulator's: the model the identify reply names, and what the
    // transfers left.
    void setModel(const QString& model);
    quint32 erasedSize() const;
    QByteArray receivedPages() const;
    QByteArray receivedImage() const;
    int endUpdateCount() const;
    // As the simulator's: records per day, bytes per chunk, pause between chunks (0: at once).
    void setHistoryPace(int recordsPerDay, int chunkBytes, int intervalMs);
    // One debug line every ms of the channel's clock while the output is on (default 300).
    void setDebugInterval(int ms);
    bool debugOutput() const;
    int debugLinesSent() const;
    // Now on the clock of the channel opened last: what its waits took, without real time.
    qint64 clockMs() const;
    // Lets ms pass on the clock of the channel that steps next, before that step, as between two
    // of the operator's requests: what the instrument sends meanwhile waits for it.
    void passMs(qint64 ms);

private:
    class Transport;
    struct Piece
    {
        qint64 dueMs = 0; // on the asking channel's clock
        QByteArray bytes;
    };
    struct Answer
    {
        QList<Piece> pieces;
        int debugSwitch = -1; // the request switched the debug output off (0) or on (1)
    };
    // What the instrument sends for request, sent at nowMs.
    Answer answer(const QByteArray& request, qint64 nowMs);
    QList<Piece> historyPieces(const QByteArray& request, qint64 fromMs) const;
    QByteArray nextDebugLine();
    int debugInterval() const;
    bool takeFault(int command, InstrumentSimulator::Fault* fault);
    void noteClock(qint64 ms);
    qint64 takeIdle();

    mutable QMutex mutex;
    InstrumentCore core;
    QList<InstrumentSimulator::Fault> faults;
    QList<QPair<int, InstrumentSimulator::Fault>> laterFaults; // from the request after the first
    int requests = 0;
    int perCommand[InstrumentSimulator::EndUpdate + 1] = {};
    int debugSequence = 0; // debug and chatter lines alike, as the simulator numbers them
    int debugLines = 0;
    int debugIntervalMs = 300;
    int historyRecordsPerDay = 24;
    int historyChunkBytes = 256;
    int historyIntervalMs = 20;
    qint64 latestClockMs = 0;
    qint64 idleMs = 0; // to pass before the next step of a channel
    LinkTransportFactory factory;
};
