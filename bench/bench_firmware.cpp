// Firmware transfer and download speed. The transfer of a 256 KiB image (page numbers wrap):
// over the pty paced at 115200 baud, as a share of the line's limit; over UDP on loopback beside a
// floor, the same request/acknowledgement sequence through a plain socket. The download of a 50 MB
// file from the simulator's server on loopback beside a bare QNetworkAccessManager read into a
// file, with the peak memory growth of the download. Usage: bench_firmware
#include "firmware/downloadthread.h"
#include "firmware/packagewriter.h"
#include "firmware/updatethread.h"
#include "link/frames.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/downloadserver.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <cstdio>

namespace {

constexpr int ImageBytes = 256 * 1024;
constexpr int Baud = 115200;

// Seconds from the erase's acknowledgement to the last page's.
double transferSeconds(bool udp, SimulatorHost& host)
{
    Config* config = singleton<Config>::instance();
    config->setValue(Settings::UseUdp, udp ? 1 : 0);
    config->setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config->setValue(Settings::UdpPort, QString::number(host.simulator()->udpPort()));
    config->setValue(Settings::SerialPort, host.simulator()->ptyPath());
    config->setValue(Settings::SerialBaudRate, Baud);

    DEncryptInfo info;
    info.fields = PackageWriter::fields(QStringLiteral("bench"), QStringLiteral("ZQ-100"), QStringLiteral("1"),
                                        QByteArray(ImageBytes, '\x3C'));
    UpdateThread thread;
    thread.setInfo(info);
    thread.setExchangeTimeout(300); // the loader never answers EndUpdate
    QElapsedTimer clock;
    qint64 first = -1;
    qint64 last = -1;
    int reports = 0;
    QObject::connect(&thread, &UpdateThread::signalUpdateProgress, &thread, [&](int) {
        (first < 0 ? first : last) = clock.nsecsElapsed();
        ++reports;
    }, Qt::DirectConnection);
    clock.start();
    thread.start();
    thread.wait();
    if (reports != ImageBytes / FirmwarePageSize + 1 || host.simulator()->receivedImage() != info.image()) {
        std::fprintf(stderr, "transfer failed\n");
        return -1;
    }
    return (last - first) / 1e9;
}

double udpFloorSeconds(SimulatorHost& host)
{
    QUdpSocket socket;
    const QHostAddress peer(QHostAddress::LocalHost);
    const quint16 port = host.simulator()->udpPort();
    auto exchange = [&](const QByteArray& request) {
        socket.writeDatagram(request, peer, port);
        if (!socket.waitForReadyRead(3000))
            return false;
        while (socket.hasPendingDatagrams())
            socket.receiveDatagram();
        return true;
    };
    exchange(buildEraseFlashRequest(ImageBytes));
    const QByteArray page(FirmwarePageSize, '\x3C');
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < ImageBytes / FirmwarePageSize; ++i)
        if (!exchange(buildWritePageRequest(quint8(i % 256), page)))
            return -1;
    return clock.nsecsElapsed() / 1e9;
}

long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

double downloadSeconds(const QString& link, const QString& folder, long* growthKiB)
{
    DownloadThread thread;
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&thread, &DownloadThread::signalDownloadSucceed, &loop, [&] { ok = true; });
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    resetPeakMemory();
    const long before = statusKiB("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    thread.startDownload(link, folder);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    *growthKiB = statusKiB("VmHWM:") - before;
    return ok ? seconds : -1;
}

double floorSeconds(const QString& link, const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QNetworkAccessManager manager;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(link)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] { file.write(reply->readAll()); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    file.write(reply->readAll());
    delete reply;
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    SimulatorHost host;
    if (!host.start() || !host.listenUdp() || !host.openPty()) {
        std::fprintf(stderr, "simulator failed\n");
        return 1;
    }
    host.simulator()->setModel(QStringLiteral("ZQ-100"));
    const int pages = ImageBytes / FirmwarePageSize;

    host.simulator()->setLineRate(Baud);
    const double pty = transferSeconds(false, host);
    host.simulator()->setLineRate(0);
    const double limit = pages * (1038.0 + 25.0) * 10.0 / Baud;
    std::printf("transfer over the pty at %d baud: %.2f s for %d pages; line limit %.2f s; share of the line %.1f %%\n",
                Baud, pty, pages, limit, 100.0 * limit / pty);

    const double udp = transferSeconds(true, host);
    const double floor = udpFloorSeconds(host);
    std::printf("transfer over UDP: %.3f s (%.0f KiB/s); plain-socket floor %.3f s (%.0f KiB/s); share of the floor %.1f %%\n",
                udp, ImageBytes / 1024.0 / udp, floor, ImageBytes / 1024.0 / floor, 100.0 * floor / udp);

    DownloadServer server;
    const qint64 size = 50LL * 1000 * 1000;
    server.addGeneratedFile(QStringLiteral("big.bin"), size);
    server.listen(QHostAddress::LocalHost);
    const QString link = server.fileUrl(QStringLiteral("big.bin"));
    long growth = 0;
    floorSeconds(link, dir.filePath(QStringLiteral("warm.bin"))); // warm up both ends
    const double downloaded = downloadSeconds(link, dir.filePath(QStringLiteral("out")), &growth);
    const double bare = floorSeconds(link, dir.filePath(QStringLiteral("floor.bin")));
    std::printf("download of 50 MB: %.2f s (%.1f MB/s); bare QNetworkAccessManager floor %.2f s (%.1f MB/s); share of the floor %.1f %%; peak memory growth %.1f MB\n",
                downloaded, size / 1e6 / downloaded, bare, size / 1e6 / bare, 100.0 * bare / downloaded, growth / 1024.0);
    return 0;
}
