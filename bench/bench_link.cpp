// Time per ReadItem exchange through LinkChannel against the simulator, over UDP on loopback and
// over a pseudo-terminal, beside the floor: the same bytes echoed through a plain socket and a
// plain pty file descriptor by a bare thread. Usage: bench_link [exchanges, default 2000]
#include "settings/config.h"
#include "settings/singleton.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

struct Figure
{
    int done = 0;
    qint64 nanoseconds = 0;
    double microsecondsEach() const { return done ? double(nanoseconds) / done / 1000.0 : 0.0; }
};

Figure linkExchanges(bool udp, const SimulatorHost& host, int count)
{
    Config* config = singleton<Config>::instance();
    config->setValue("communicate/udp", udp ? 1 : 0);
    config->setValue("udp/address", "127.0.0.1");
    config->setValue("udp/port", QString::number(host.simulator()->udpPort()));
    config->setValue("serial/port", host.simulator()->ptyPath());
    config->setValue("device/address", 255);

    LinkChannel channel;
    Figure figure;
    if (!channel.openFromSettings()) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(channel.errorText()));
        return figure;
    }
    QByteArray reply;
    for (int i = 0; i < 20; ++i) // warm up: first bind, caches
        channel.readItem(0, reply, 3000);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        if (channel.readItem(i % 20, reply, 3000) != ExchangeOk || !errorMessage(ExchangeOk, reply).isEmpty()) {
            std::fprintf(stderr, "exchange %d failed\n", i);
            break;
        }
        ++figure.done;
    }
    figure.nanoseconds = clock.nsecsElapsed();
    return figure;
}

// Reads exactly size bytes from a blocking descriptor.
bool readFully(int fd, char* data, int size)
{
    for (int got = 0; got < size;) {
        const ssize_t count = ::read(fd, data + got, size_t(size - got));
        if (count <= 0)
            return false;
        got += int(count);
    }
    return true;
}

Figure udpFloor(const QByteArray& request, const QByteArray& reply, int count)
{
    Figure figure;
    const int server = ::socket(AF_INET, SOCK_DGRAM, 0);
    const int client = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
    const int total = count + 20;

    std::thread echo([&] {
        char buffer[2048];
        for (int i = 0; i < total; ++i) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            if (::recvfrom(server, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength) <= 0)
                return;
            ::sendto(server, reply.constData(), size_t(reply.size()), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
        }
    });
    char buffer[2048];
    QElapsedTimer clock;
    for (int i = 0; i < total; ++i) {
        if (i == 20)
            clock.start();
        ::sendto(client, request.constData(), size_t(request.size()), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
        if (::recv(client, buffer, sizeof buffer, 0) != reply.size())
            break;
        if (i >= 20)
            ++figure.done;
    }
    figure.nanoseconds = clock.nsecsElapsed();
    echo.join();
    ::close(client);
    ::close(server);
    return figure;
}

Figure ptyFloor(const QByteArray& request, const QByteArray& reply, int count)
{
    Figure figure;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return figure;
    for (int fd : {master, slave}) {
        termios settings;
        ::tcgetattr(fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
    const int total = count + 20;
    std::thread echo([&] {
        QByteArray buffer(request.size(), Qt::Uninitialized);
        for (int i = 0; i < total; ++i) {
            if (!readFully(master, buffer.data(), buffer.size()))
                return;
            if (::write(master, reply.constData(), size_t(reply.size())) != reply.size())
                return;
        }
    });
    QByteArray buffer(reply.size(), Qt::Uninitialized);
    QElapsedTimer clock;
    for (int i = 0; i < total; ++i) {
        if (i == 20)
            clock.start();
        if (::write(slave, request.constData(), size_t(request.size())) != request.size()
            || !readFully(slave, buffer.data(), buffer.size()))
            break;
        if (i >= 20)
            ++figure.done;
    }
    figure.nanoseconds = clock.nsecsElapsed();
    echo.join();
    ::close(slave);
    ::close(master);
    return figure;
}

void print(const char* what, const Figure& figure)
{
    std::printf("%-38s %7d exchanges  %9.1f us each\n", what, figure.done, figure.microsecondsEach());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 2000;

    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    SimulatorHost host;
    if (!host.start() || !host.listenUdp() || !host.openPty()) {
        std::fprintf(stderr, "simulator did not start: %s\n", qPrintable(host.simulator() ? host.simulator()->errorString() : QString()));
        return 1;
    }
    const QByteArray request = buildReadItemRequest(0xFF, 3);
    const QByteArray reply = buildAddressReply(0xFF, encodeDeviceText(host.simulator()->items().at(3)));

    std::printf("ReadItem request %d bytes, reply %d bytes\n", request.size(), reply.size());
    print("LinkChannel over UDP (loopback)", linkExchanges(true, host, count));
    print("floor: plain UDP sockets, echo thread", udpFloor(request, reply, count));
    print("LinkChannel over pty (QSerialPort)", linkExchanges(false, host, count));
    print("floor: plain pty descriptors, echo", ptyFloor(request, reply, count));
    host.stop();
    singleton<Config>::destroy();
    return 0;
}
