#pragma once

#include <QByteArray>
#include <QHostAddress>

#include <memory>

// A UDP socket for one conversation with the fewest system calls: one send, one wait, one receive
// per datagram. It is made, of the peer's address family, by the first send (the system then
// binds it to a port of its choosing); before that nothing can have arrived. It counts the
// datagrams that the system dropped because its receive buffer was full, where the system says:
// Linux keeps a count per socket; Windows and the BSDs keep none, and the count stays 0 there.
class DatagramSocket
{
public:
    DatagramSocket();
    ~DatagramSocket();
    DatagramSocket(const DatagramSocket&) = delete;
    DatagramSocket& operator=(const DatagramSocket&) = delete;

    // What the socket asks the system to hold for it between reads, from its first send on; the
    // system may grant less.
    void setReceiveBufferBytes(int bytes) { receiveBufferBytes = bytes; }

    bool sendTo(const QByteArray& datagram, const QHostAddress& address, quint16 port);
    // Waits up to timeoutMs until a datagram is waiting; false at once while nothing was sent.
    bool waitForDatagram(int timeoutMs);
    // Takes one waiting datagram, without waiting; false when none is waiting.
    bool takeDatagram(QByteArray* datagram, QHostAddress* sender, quint16* senderPort);
    // Datagrams to this socket that the system dropped since its first send.
    quint64 droppedDatagrams();

    bool isOpen() const;

private:
    struct Native;
    std::unique_ptr<Native> native;
    int receiveBufferBytes = 0;
};
