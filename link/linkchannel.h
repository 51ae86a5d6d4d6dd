#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

class DDataReceiver;
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

    // Sends request, then hands every chunk to receiver until it stops or the line falls silent.
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
};
