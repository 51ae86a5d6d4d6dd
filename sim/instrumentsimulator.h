#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QMutex>
#include <QObject>
#include <QStringList>

// A stand-in for a ZQ instrument: answers the assistant's requests over UDP and over a
// pseudo-terminal, keeps what was written to it, and misbehaves on demand for tests.
// Lives in one thread (see SimulatorHost); the getters and the fault setters may be called from any.
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
        OtherAddress,  // answer with another device address
        OtherCommand,  // answer with 0x83 in the command byte
        WrongLength,   // a count byte that disagrees with the data
        OtherPort      // answer from another UDP port
    };
    enum Command { AnyCommand = -1, ReadItem, WriteItem, SetClock, QueryHistory, ReadDeviceId, EraseFlash, WritePage, EndUpdate };
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

    void setDeviceAddress(quint8 address);
    quint8 deviceAddress() const;

    // Items as "name:value" or a bare name per line (UTF-8); sent GB2312-encoded.
    bool loadItems(const QString& path, QString* error = nullptr);
    void setItems(const QStringList& itemTexts);
    QStringList items() const;

    bool listenUdp(const QHostAddress& address, quint16 port = 0);
    quint16 udpPort() const;
    // Creates a pseudo-terminal; linkPath, when given, becomes a symbolic link to its slave.
    bool openPty(const QString& linkPath = QString());
    QString ptyPath() const;
    // Answers the search probe on its own port with displayName, from the link's UDP port.
    bool listenProbe(const QHostAddress& address, quint16 port, const QString& displayName);

    void addFault(const Fault& fault);
    void clearFaults();

    QDateTime clock() const;           // as last set by SetClock (then running on)
    QByteArray receivedImage() const;  // the firmware pages written so far
    bool debugOutput() const;
    int requestCount() const;          // requests answered or ignored since start
};
