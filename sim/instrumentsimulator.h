#pragma once

#include "sim/instrumentcore.h"
#include "sim/requestassembler.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class HistoryGenerator;
class LinePacer;
class PtyPort;
class QTimer;
class QUdpSocket;

// A stand-in for a ZQ instrument: answers the assistant's requests over UDP and over a
// pseudo-terminal, keeps what was written to it, and misbehaves on demand for tests.
// Lives in one thread (see SimulatorHost); the getters and the setters may be called from any,
// listenUdp, openPty and listenProbe only from the simulator's own thread.
//
// Items: see ItemStore for the line syntax ("name:value", a bare name for an action, a leading '!'
// for a read-only item, '#' comments). A new simulator holds sampleItems() (sim/sample-items.txt).
// The item "设备时间" shows the clock that SetClock sets; "设备型号" is the model ReadDeviceId names
// unless setModel says otherwise. WriteItem with index 255 switches the debug output ("1" on,
// "0" off): text lines ended by CR LF (readings, link and storage events, GB2312 like every text),
// at setDebugRate lines a second to whoever switched it on; fast rates pack the lines due into
// datagrams of at most MaxDebugDatagram bytes.
// QueryHistory streams a header line and then records "yyyy-MM-dd hh:mm:ss ..." for the range,
// a chunk at a time, then stays silent; with a record count set, HistoryGenerator's records instead. The firmware loader keeps the written image.
class InstrumentSimulator : public QObject
{
    Q_OBJECT
public:
    // One deliberate misbehaviour, applied to the next `count` requests of `command`
    // (-1: every request of any command).
    enum FaultKind {
        NoReply,       // say nothing
        DelayReply,    // answer after delayMs
        SplitReply,    // send the reply in `pieces` parts, delayMs apart
        BadCrc,        // flip the CRC
        OtherAddress,  // answer with another device address (marker replies: another second address byte)
        OtherCommand,  // answer with 0x83 in the command byte (marker replies: another message code)
        WrongLength,   // a count byte that disagrees with the data (the CRC still fits the bytes)
        OtherPort,     // answer from another UDP port (over the pty: say nothing)
        ForeignFirst,  // over UDP, a copy of the reply from another port at once, the reply itself after delayMs
        Chatter        // one debug text line (ended by CR LF) just before the reply or the stream, over
                       // UDP as a datagram of its own: an instrument left talking
    };
    enum Command {
        AnyCommand = InstrumentCore::Unknown,
        ReadItem = InstrumentCore::ReadItem,
        WriteItem = InstrumentCore::WriteItem,
        SetClock = InstrumentCore::SetClock,
        QueryHistory = InstrumentCore::QueryHistory,
        ReadDeviceId = InstrumentCore::ReadDeviceId,
        EraseFlash = InstrumentCore::EraseFlash,
        WritePage = InstrumentCore::WritePage,
        EndUpdate = InstrumentCore::EndUpdate
    };
    struct Fault
    {
        FaultKind kind = NoReply;
        int command = AnyCommand;
        int count = 1;      // how many matching requests it applies to; -1 forever
        int delayMs = 0;
        int pieces = 2;
    };

    explicit InstrumentSimulator(QObject* parent = nullptr);
    ~InstrumentSimulator() override;

    static QStringList sampleItems();
    // reply spoilt as a fault of kind spoils it (BadCrc, OtherAddress, OtherCommand, WrongLength);
    // any other kind leaves it as it is.
    static QByteArray spoiled(const QByteArray& reply, FaultKind kind);
    // The items of a model the simulator knows: "ZQ-200" (the sample items, the recorder) or
    // "ZQ-310" (a pressure transmitter with a list of its own); empty for another name.
    static QStringList sampleItems(const QString& model);

    void setDeviceAddress(quint8 address);
    quint8 deviceAddress() const;

    // Items as "name:value" or a bare name per line (UTF-8); sent GB2312-encoded.
    bool loadItems(const QString& path, QString* error = nullptr);
    void setItems(const QStringList& itemTexts);
    QStringList items() const;
    // An item's text as the instrument sends it, and a value set byte for byte.
    QByteArray itemBytes(int index) const;
    void setItemValueBytes(int index, const QByteArray& valueBytes);

    bool listenUdp(const QHostAddress& address, quint16 port = 0);
    quint16 udpPort() const;
    // Creates a pseudo-terminal; linkPath, when given, becomes a symbolic link to its slave.
    bool openPty(const QString& linkPath = QString());

    QString ptyPath() const;
    // Answers the search probe on its own port with displayName, from the link's UDP port.
    bool listenProbe(const QHostAddress& address, quint16 port, const QString& displayName);
    quint16 probePort() const;
    QString errorString() const; // why the last listen or open failed

    void addFault(const Fault& fault);
    void clearFaults();

    QDateTime clock() const;           // as last set by SetClock (then running on)
    void setClock(const QDateTime& time); // as SetClock does
    QByteArray receivedImage() const;  // the firmware pages written so far, cut to the erased size
    QByteArray receivedPages() const;  // the same whole pages, filler of the last one included
    bool debugOutput() const;
    int requestCount() const;          // requests to this instrument since start, answered or not
    int repliesSent() const;           // sends so far: replies, their pieces, stream chunks, debug lines

    // The model named in the ReadDeviceId reply; empty: the value of the item "设备型号".
    void setModel(const QString& model);
    QString model() const;
    // After a whole image and EndUpdate, the item "固件版本" shows version (empty: unchanged) and
    // item requests go unanswered for restartMs, as an instrument starting its new firmware.
    void setFlashedVersion(const QString& version, int restartMs = 0);
    int requestCount(Command command) const;
    // Every request to this instrument since start, whole frames in arrival order.
    QList<QByteArray> requestLog() const;
    int endUpdateCount() const;
    // Paces the pty like a serial line of this rate in both directions (0: as fast as it goes).
    void setLineRate(int baud) { lineBaud = baud; }
    quint32 erasedSize() const;        // the image size of the last EraseFlash
    void setDebugInterval(int ms);     // one debug line every ms (default 300)
    // Debug lines a second; 0: as fast as the line takes them (over UDP: DebugBurst lines a
    // millisecond). Over the pty nothing is lost: lines wait until the reader makes room.
    void setDebugRate(double linesPerSecond);
    // At most count lines after each switch-on; -1 (the default): until switched off.
    void setDebugLineCount(int count);
    int debugLinesSent() const;        // debug lines sent since start (injected bytes not counted)
    QStringList debugSwitches() const; // "1" or "0" for every WriteItem on index 255, in order
    // Puts bytes on the debug output as they are, to whoever last wrote index 255 (for pieces of
    // lines in tests). Any thread.
    void sendDebugBytes(const QByteArray& bytes);
    static constexpr int MaxDebugDatagram = 1400;
    static constexpr int DebugBurst = 100;
    // History pace: records per day in the range, bytes per chunk, pause between chunks (0: the
    // whole answer at once).
    void setHistoryPace(int recordsPerDay, int chunkBytes, int intervalMs); // default 24, 256, 20
    // A query answers this many HistoryGenerator records over its range (0: the per-day records).
    void setHistoryRecordCount(int count);
    // Bytes sent after the records, for an answer whose last line has no line feed.
    void setHistoryTail(const QByteArray& bytes);

signals:
    // After a request has been handled (any thread may listen, queued).
    void requestHandled(int command);

private:
    struct Peer
    {
        bool pty = false;
        QHostAddress address;
        quint16 port = 0;
    };

    void readUdp();
    void readProbe();
    void readPty(const QByteArray& bytes);
    void handleFrame(const QByteArray& frame, const Peer& from);
    bool takeFault(int command, Fault* fault);
    QByteArray chatterLine();
    void sendReply(const Peer& to, const QByteArray& reply, bool faulty, const Fault& fault);
    void switchDebugOutput(const Peer& from);
    void deliver(const Peer& to, const QByteArray& bytes, bool fromOtherPort = false);
    void startHistory(const Peer& to, const QByteArray& frame);
    void sendHistoryChunk();
    void sendDebugLines();
    void deliverDebug(const QByteArray& bytes);
    qint64 debugLinesDue() const;

    mutable QMutex mutex;
    // Guarded by mutex.
    InstrumentCore core;
    QList<Fault> faults;
    int requests = 0;
    QList<QByteArray> requestFrames;
    int replies = 0;
    int perCommand[EndUpdate + 1] = {};
    double debugRate = 1000.0 / 300;
    int debugLineLimit = -1;
    int debugRunSent = 0;   // lines since the last switch-on
    int debugTotalSent = 0;
    QStringList debugSwitchLog;
    QElapsedTimer debugRunClock;
    int historyRecordsPerDay = 24;
    int historyChunkBytes = 256;
    int historyIntervalMs = 20;
    int historyRecordCount = 0;
    QByteArray historyTail;
    quint16 udpLocalPort = 0;
    quint16 probeLocalPort = 0;
    QString ptySlavePath;
    QString lastError;

    // Touched only in the simulator's thread.
    QUdpSocket* udpSocket = nullptr;
    QUdpSocket* otherSocket = nullptr;
    QUdpSocket* probeSocket = nullptr;
    QByteArray probeName;
    PtyPort* pty = nullptr;
    LinePacer* ptyIn = nullptr;
    LinePacer* ptyOut = nullptr;
    std::atomic<int> lineBaud{0};
    RequestAssembler ptyAssembler;
    QTimer* debugTimer = nullptr;
    Peer debugPeer;
    int debugSequence = 0;
    QTimer* historyTimer = nullptr;
    Peer historyPeer;
    QByteArray historyPending;
    std::unique_ptr<HistoryGenerator> historySource;
};
