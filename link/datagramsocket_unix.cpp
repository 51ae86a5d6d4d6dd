#include "link/datagramsocket.h"

#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/sock_diag.h>
#endif

#include <cstring>

struct DatagramSocket::Native
{
    int fd = -1;
    // The system's running count, as the last datagram carried it.
    quint64 dropped = 0;
};

DatagramSocket::DatagramSocket() : native(new Native)
{ }

DatagramSocket::~DatagramSocket()
{
    if (native->fd >= 0)
        ::close(native->fd);
}

bool DatagramSocket::isOpen() const
{
    return native->fd >= 0;
}

namespace {

// The peer as a socket address; false for an address of no family the system knows.
bool toSocketAddress(const QHostAddress& address, quint16 port, sockaddr_storage* storage, socklen_t* length)
{
    std::memset(storage, 0, sizeof *storage);
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto* ipv4 = reinterpret_cast<sockaddr_in*>(storage);
        ipv4->sin_family = AF_INET;
        ipv4->sin_port = htons(port);
        ipv4->sin_addr.s_addr = htonl(address.toIPv4Address());
        *length = sizeof *ipv4;
        return true;
    }
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* ipv6 = reinterpret_cast<sockaddr_in6*>(storage);
        ipv6->sin6_family = AF_INET6;
        ipv6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&ipv6->sin6_addr, bytes.c, sizeof bytes.c);
        ipv6->sin6_scope_id = address.scopeId().toUInt();
        *length = sizeof *ipv6;
        return true;
    }
    return false;
}

void fromSocketAddress(const sockaddr_storage& storage, QHostAddress* address, quint16* port)
{
    if (storage.ss_family == AF_INET) {
        const auto& ipv4 = reinterpret_cast<const sockaddr_in&>(storage);
        address->setAddress(ntohl(ipv4.sin_addr.s_addr));
        *port = ntohs(ipv4.sin_port);
    } else if (storage.ss_family == AF_INET6) {
        const auto& ipv6 = reinterpret_cast<const sockaddr_in6&>(storage);
        address->setAddress(reinterpret_cast<const quint8*>(&ipv6.sin6_addr));
        *port = ntohs(ipv6.sin6_port);
    } else {
        address->clear();
        *port = 0;
    }
}

} // namespace

bool DatagramSocket::sendTo(const QByteArray& datagram, const QHostAddress& address, quint16 port)
{
    sockaddr_storage peer;
    socklen_t length = 0;
    if (!toSocketAddress(address, port, &peer, &length))
        return false;
    if (native->fd < 0) {
        native->fd = ::socket(peer.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (native->fd < 0)
            return false;
        if (receiveBufferBytes > 0)
            ::setsockopt(native->fd, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes, sizeof receiveBufferBytes);
#ifdef SO_RXQ_OVFL
        // Every datagram then carries the count of those dropped before it.
        const int on = 1;
        ::setsockopt(native->fd, SOL_SOCKET, SO_RXQ_OVFL, &on, sizeof on);
#endif
    }
    ssize_t sent = -1;
    do
        sent = ::sendto(native->fd, datagram.constData(), size_t(datagram.size()), 0,
                        reinterpret_cast<const sockaddr*>(&peer), length);
    while (sent < 0 && errno == EINTR);
    return sent >= 1;
}

bool DatagramSocket::waitForDatagram(int timeoutMs)
{
    if (native->fd < 0)
        return false;
    pollfd waiting{native->fd, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, timeoutMs);
    return ready > 0 && (waiting.revents & (POLLIN | POLLERR)) != 0;
}

bool DatagramSocket::takeDatagram(QByteArray* datagram, QHostAddress* sender, quint16* senderPort)
{
    if (native->fd < 0)
        return false;
    // The largest datagram UDP carries, so that none is cut short.
    static thread_local char buffer[65536];
    sockaddr_storage from;
    iovec piece{buffer, sizeof buffer};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(quint32))];
    msghdr message{};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &piece;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t size = -1;
    do
        size = ::recvmsg(native->fd, &message, MSG_DONTWAIT);
    while (size < 0 && errno == EINTR);
    if (size < 0)
        return false; // nothing waiting, or an error the system reports for an earlier send
#ifdef SO_RXQ_OVFL
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SO_RXQ_OVFL) {
            quint32 count = 0;
            std::memcpy(&count, CMSG_DATA(header), sizeof count);
            native->dropped = qMax<quint64>(native->dropped, count);
        }
    }
#endif
    *datagram = QByteArray(buffer, int(size));
    fromSocketAddress(from, sender, senderPort);
    return true;
}

quint64 DatagramSocket::droppedDatagrams()
{
#if defined(SO_MEMINFO) && defined(__linux__)
    // Drops after the last datagram taken are carried by none yet: the socket's own count says.
    if (native->fd >= 0) {
        quint32 info[SK_MEMINFO_VARS] = {};
        socklen_t length = sizeof info;
        if (::getsockopt(native->fd, SOL_SOCKET, SO_MEMINFO, info, &length) == 0 && length > SK_MEMINFO_DROPS * 4)
            native->dropped = qMax<quint64>(native->dropped, info[SK_MEMINFO_DROPS]);
    }
#endif
    return native->dropped;
}
