#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

class DDataReceiver;
class QElapsedTimer;
class QSerialPort;
class QUdpSocket;

// The link to the instrument for one operation: built on the stack of the thread that performs it,
// opened from the settings, used for a few exchanges and destroyed with the operation.
class LinkChannel
{
public:
    LinkChannel();
    ~LinkChannel();
    LinkChannel(const LinkChannel&) = delete;
    LinkChannel& operator=(const LinkChannel&) = delete;

    // Reads the communication settings; false leaves the reason in errorText.
    bool openFromSettings();

    // Sends request and collects the reply (cleared first) until it is complete; returns an
    // ExchangeResult. timeoutMs bounds each wait for a reply.
    int exchange(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs);
    int readItem(int index, QByteArray& reply, int timeoutMs);

    // Sends request, then hands every chunk to receiver until it stops or the line falls silent
    // (1000 ms over UDP, 500 ms over the serial port). The first bytes must come within
    // streamFirstDataMs; failures go to receiver->onError.
    void receiveStream(const QByteArray& request, DDataReceiver* receiver);

    // A pause that keeps this thread's event loop running.
    static void pauseMs(int ms);

    bool sendRts = false;
    bool isUdp = false;
    quint8 deviceAddress = 0xFF;
    QHostAddress peerAddress;
    quint16 peerPort = 65535;
    QString errorText;
    QUdpSocket* udpSocket;
    QSerialPort* serialPort;
    // How long receiveStream waits for the first bytes (and, over the serial port, for the request
    // to be written). Only tests change it.
    int streamFirstDataMs = 10000;

    // Over UDP: whether a datagram's sender is the instrument (its address, also as an
    // IPv4-mapped IPv6 address, and its port).
    bool isPeer(const QHostAddress& sender, quint16 senderPort) const;
    // Over UDP: waits up to timeoutMs for datagrams from the instrument and returns all of them
    // that are pending then, joined; empty when none came. Others' datagrams are dropped.
    // Blocks this thread without an event loop; wakes as soon as a datagram is pending.
    QByteArray collectUdpChunk(int timeoutMs);

private:
    int exchangeUdp(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs);
    int exchangeSerial(const QByteArray& request, QByteArray& reply, bool crcHighFirst, int timeoutMs);
    void receiveStreamUdp(const QByteArray& request, DDataReceiver* receiver);
    void receiveStreamSerial(const QByteArray& request, DDataReceiver* receiver);
    bool sendDatagram(const QByteArray& request);
    bool hasPendingDatagram() const;
    bool waitForDatagram(QElapsedTimer& clock, int timeoutMs);
    bool pulseRts();
    bool waitForSerialData(int timeoutMs);
};
