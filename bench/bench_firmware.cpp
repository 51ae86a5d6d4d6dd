// Firmware transfer and download against the simulator process, each beside a bare floor in the
// same rounds (their order alternating):
//  - the transfer of an image over UDP on loopback through the update thread, from the erase's
//    acknowledgement to the last page's, beside the same pages sent through a bare socket;
//  - the same over the pseudo-terminal paced at 115200 baud, beside the bare pty slave;
//  - the download of a 60 MB file from the simulator's HTTP server through the download thread,
//    beside a bare TCP socket writing the same body to a file; and the download's peak memory.
// Usage: bench_firmware [--loaded] [--rounds N]
#include "bench/support/bareclients.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "firmware/downloadthread.h"
#include "firmware/packagewriter.h"
#include "firmware/updatethread.h"
#include "jobs/jobrunner.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int Baud = 115200;
// Below the 64 MiB a download may have; six of them make a round.
constexpr qint64 DownloadBytes = 60LL * 1000 * 1000;
constexpr int DownloadsPerRound = 6;
const QString Model = QStringLiteral("ZQ-100");

// Seconds from the erase's acknowledgement to the last page's through the update thread.
double transferSeconds(int imageBytes)
{
    DEncryptInfo info;
    info.fields =
        PackageWriter::fields(QStringLiteral("bench"), Model, QStringLiteral("1"), QByteArray(imageBytes, '\x3C'));
    UpdateThread thread;
    thread.setInfo(info);
    thread.setExchangeTimeout(300); // the loader never answers EndUpdate
    QElapsedTimer clock;
    qint64 first = -1;
    qint64 last = -1;
    int reports = 0;
    QObject::connect(
        &thread, &UpdateThread::signalUpdateProgress, &thread,
        [&](int) {
            (first < 0 ? first : last) = clock.nsecsElapsed();
            ++reports;
        },
        Qt::DirectConnection);
    clock.start();
    thread.start();
    thread.wait();
    if (reports != imageBytes / FirmwarePageSize + 1) {
        std::fprintf(stderr, "transfer failed after %d reports\n", reports);
        return -1;
    }
    return (last - first) / 1e9;
}

// The same erase and pages through a bare client; seconds for the pages.
template <typename Bare> double bareTransferSeconds(Bare& bare, int imageBytes)
{
    QByteArray reply;
    if (!bare.exchange(buildEraseFlashRequest(quint32(imageBytes)), &reply, 0, CrcOrder::HighFirst, 10000))
        return -1;
    const QByteArray page(FirmwarePageSize, '\x3C');
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < imageBytes / FirmwarePageSize; ++i)
        if (!bare.exchange(buildWritePageRequest(quint8(i % 256), page), &reply, 0, CrcOrder::HighFirst, 10000))
            return -1;
    return clock.nsecsElapsed() / 1e9;
}

void compare(const QString& name, const BenchOptions& options, const std::function<double()>& measured,
             const std::function<double()>& floor, const QString& unit = QStringLiteral("s"))
{
    RoundFigures figures;
    for (int round = 0; round < options.rounds; ++round) {
        double floorValue = round % 2 == 0 ? floor() : 0;
        const double measuredValue = measured();
        if (round % 2 == 1)
            floorValue = floor();
        if (floorValue <= 0 || measuredValue <= 0) {
            std::printf("%s: round %d failed\n", qPrintable(name), round + 1);
            return;
        }
        figures.add(measuredValue, floorValue);
    }
    std::printf("%s: %.3f %s against a floor of %.3f %s (medians)\n", qPrintable(name), figures.medianMeasured(),
                qPrintable(unit), figures.medianFloor(), qPrintable(unit));
    printRatioSummary(name, figures, unit);
}

void pointAt(const SimProcess& sim, bool udp)
{
    Config config;
    config.setValue(Settings::UseUdp, udp ? 1 : 0);
    config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config.setValue(Settings::UdpPort, QString::number(sim.udpPort()));
    config.setValue(Settings::SerialPort, sim.ptyPath());
    config.setValue(Settings::SerialBaudRate, Baud);
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

double downloadSeconds(const QString& link, const QString& folder, long* peakGrowthKiB)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    // The download runs on a job runner; the server answers on this thread meanwhile.
    struct NoProgress : DownloadSink
    {
        void progress(int) override { }
    };
    JobRunner runner;
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&runner, &JobRunner::jobEnded, &loop, &QEventLoop::quit);
    DownloadTarget target;
    target.link = link;
    target.folder = folder;
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5"); // the peak starts again from here
    refs.close();
    const long before = statusKiB("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    runner.start([&ok, target](const StopToken& stop) {
        NoProgress sink;
        ok = DownloadThread::download(target, stop, sink).problem.failure == DownloadFailure::None;
    });
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    *peakGrowthKiB = qMax(*peakGrowthKiB, statusKiB("VmHWM:") - before);
    return ok ? seconds : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 5);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    SimProcess udpSim;
    SimProcess ptySim;
    if (!udpSim.start({QStringLiteral("--model"), Model, QStringLiteral("--http"), QStringLiteral("127.0.0.1:0"),
                       QStringLiteral("--http-file"), QStringLiteral("big.bin:%1").arg(DownloadBytes)})
        || !ptySim.start({QStringLiteral("--model"), Model, QStringLiteral("--pty"), QStringLiteral("--baud"),
                          QString::number(Baud)})) {
        std::fprintf(stderr, "%s%s\n", qPrintable(udpSim.errorText()), qPrintable(ptySim.errorText()));
        return 1;
    }
    const BusyLoops load(options.loaded);
    printHeading("bench_firmware: transfers and a download from the simulator process", options);

    // 12 MiB of pages a round over UDP (the page numbers wrap): about a second of the floor.
    const int udpImage = 12 * 1024 * 1024;
    const int udpTransfers = 1;
    pointAt(udpSim, true);
    BareUdp bareUdp;
    bareUdp.open(udpSim.udpPort());
    compare(
        QStringLiteral("firmware pages over UDP"), options,
        [&] {
            double total = 0;
            for (int i = 0; i < udpTransfers; ++i)
                total += transferSeconds(udpImage);
            return total;
        },
        [&] {
            double total = 0;
            for (int i = 0; i < udpTransfers; ++i)
                total += bareTransferSeconds(bareUdp, udpImage);
            return total;
        });

    // 16 pages at 115200 baud: about a second and a half.
    const int ptyImage = 16 * FirmwarePageSize;
    pointAt(ptySim, false);
    compare(
        QStringLiteral("firmware pages over pty 115200"), options, [&] { return transferSeconds(ptyImage); },
        [&] {
            BarePty pty;
            return pty.open(ptySim.ptyPath()) ? bareTransferSeconds(pty, ptyImage) : -1.0;
        });

    const QString link = udpSim.pageUrl().section(QLatin1Char('/'), 0, -2) + QStringLiteral("/files/big.bin");
    long peakKiB = 0;
    compare(
        QStringLiteral("download 6 x 60 MB"), options,
        [&] {
            double total = 0;
            for (int i = 0; i < DownloadsPerRound && total >= 0; ++i) {
                const double seconds = downloadSeconds(link, dir.filePath(QStringLiteral("out")), &peakKiB);
                total = seconds < 0 ? -1 : total + seconds;
            }
            return total;
        },
        [&] {
            QElapsedTimer clock;
            clock.start();
            for (int i = 0; i < DownloadsPerRound; ++i)
                if (bareHttpGet(link, dir.filePath(QStringLiteral("floor.bin"))) != DownloadBytes)
                    return -1.0;
            return clock.nsecsElapsed() / 1e9;
        });
    std::printf("download peak memory growth %.1f MB\n", peakKiB / 1024.0);
    printSummary(QStringLiteral("download peak memory growth"), peakKiB / 1024.0, peakKiB / 1024.0,
                 QStringLiteral("MiB"), QStringLiteral("-"), options.rounds);
    return 0;
}
