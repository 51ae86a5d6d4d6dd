#include "bench/support/bareclients.h"

#include "link/frames.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Waits until fd is readable or timeoutMs pass.
bool readable(int fd, int timeoutMs)
{
    pollfd waiting{fd, POLLIN, 0};
    return ::poll(&waiting, 1, timeoutMs) == 1 && (waiting.revents & POLLIN);
}

} // namespace

BareUdp::~BareUdp()
{
    if (fd >= 0)
        ::close(fd);
}

bool BareUdp::open(quint16 port)
{
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0;
}

bool BareUdp::send(const QByteArray& request)
{
    return ::send(fd, request.constData(), size_t(request.size()), 0) == request.size();
}

QByteArray BareUdp::receive(int timeoutMs)
{
    if (!readable(fd, timeoutMs))
        return QByteArray();
    char buffer[65536];
    const ssize_t size = ::recv(fd, buffer, sizeof buffer, 0);
    return size > 0 ? QByteArray(buffer, int(size)) : QByteArray();
}

bool BareUdp::exchange(const QByteArray& request, QByteArray* reply, quint8 address, CrcOrder order, int timeoutMs)
{
    reply->clear();
    if (!send(request))
        return false;
    while (!isCompleteReply(*reply, address, order)) {
        const QByteArray datagram = receive(timeoutMs);
        if (datagram.isEmpty())
            return false;
        reply->append(datagram);
    }
    return true;
}

int BareUdp::receiveBufferBytes() const
{
    int bytes = 0;
    socklen_t length = sizeof bytes;
    ::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, &length);
    return bytes;
}

BarePty::~BarePty()
{
    close();
}

bool BarePty::open(const QString& path)
{
    close();
    fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios settings{};
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

void BarePty::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool BarePty::send(const QByteArray& request)
{
    return ::write(fd, request.constData(), size_t(request.size())) == request.size();
}

QByteArray BarePty::receive(int timeoutMs)
{
    if (!readable(fd, timeoutMs))
        return QByteArray();
    char buffer[65536];
    const ssize_t size = ::read(fd, buffer, sizeof buffer);
    return size > 0 ? QByteArray(buffer, int(size)) : QByteArray();
}

bool BarePty::exchange(const QByteArray& request, QByteArray* reply, quint8 address, CrcOrder order, int timeoutMs)
{
    reply->clear();
    if (!send(request))
        return false;
    while (!isCompleteReply(*reply, address, order)) {
        const QByteArray piece = receive(timeoutMs);
        if (piece.isEmpty())
            return false;
        reply->append(piece);
    }
    return true;
}

qint64 bareHttpGet(const QString& url, const QString& path)
{
    // http://127.0.0.1:PORT/PATH
    const QString rest = url.section(QStringLiteral("://"), 1);
    const QString hostPort = rest.section(QLatin1Char('/'), 0, 0);
    const QByteArray target = '/' + rest.section(QLatin1Char('/'), 1).toUtf8();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(quint16(hostPort.section(QLatin1Char(':'), 1).toUInt()));
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int out = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    qint64 body = -1;
    if (fd >= 0 && out >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0) {
        const QByteArray request =
            "GET " + target + " HTTP/1.1\r\nHost: " + hostPort.toUtf8() + "\r\nConnection: close\r\n\r\n";
        if (::send(fd, request.constData(), size_t(request.size()), 0) == request.size()) {
            static char buffer[1 << 16];
            QByteArray head;
            bool inBody = false;
            body = 0;
            for (ssize_t size = ::recv(fd, buffer, sizeof buffer, 0); size > 0;
                 size = ::recv(fd, buffer, sizeof buffer, 0)) {
                const char* data = buffer;
                if (!inBody) {
                    head.append(buffer, int(size));
                    const int end = head.indexOf("\r\n\r\n");
                    if (end < 0)
                        continue;
                    inBody = true;
                    data = buffer + (size - (head.size() - end - 4));
                    size = head.size() - end - 4;
                }
                if (::write(out, data, size_t(size)) != size)
                    body = -1;
                else if (body >= 0)
                    body += size;
            }
        }
    }
    if (out >= 0)
        ::close(out);
    if (fd >= 0)
        ::close(fd);
    return body;
}
