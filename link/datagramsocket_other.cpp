// Systems without the POSIX socket calls (Windows): the same conversation through QUdpSocket,
// without a count of dropped datagrams (the system keeps none per socket).
#include "link/datagramsocket.h"

#ifndef Q_OS_UNIX

#include <QNetworkDatagram>
#include <QUdpSocket>

struct DatagramSocket::Native
{
    QUdpSocket socket;
    bool sent = false;
};

DatagramSocket::DatagramSocket() : native(new Native)
{ }

DatagramSocket::~DatagramSocket() = default;

bool DatagramSocket::isOpen() const
{
    return native->socket.state() == QAbstractSocket::BoundState;
}

bool DatagramSocket::sendTo(const QByteArray& datagram, const QHostAddress& address, quint16 port)
{
    const bool wasBound = isOpen();
    const bool sent = native->socket.writeDatagram(datagram, address, port) >= 1;
    if (!wasBound && isOpen() && receiveBufferBytes > 0)
        native->socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBufferBytes);
    return sent;
}

bool DatagramSocket::waitForDatagram(int timeoutMs)
{
    return isOpen() && (native->socket.hasPendingDatagrams() || native->socket.waitForReadyRead(timeoutMs));
}

bool DatagramSocket::takeDatagram(QByteArray* datagram, QHostAddress* sender, quint16* senderPort)
{
    if (!isOpen() || !native->socket.hasPendingDatagrams())
        return false;
    const QNetworkDatagram received = native->socket.receiveDatagram();
    *datagram = received.data();
    *sender = received.senderAddress();
    *senderPort = quint16(received.senderPort());
    return received.isValid();
}

quint64 DatagramSocket::droppedDatagrams()
{
    return 0;
}

#endif
