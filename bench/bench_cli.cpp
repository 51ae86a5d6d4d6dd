// zq-cli flashing several instruments at once: the wall time of one transfer (the floor) beside
// four transfers to four simulators on loopback served in parallel, each page acknowledged after
// a delay so that a transfer lasts long enough to measure. Usage: bench_cli
#include "firmware/packagewriter.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Pages = 32;
constexpr int PageDelayMs = 20;

// Milliseconds for one zq-cli flash run against the given instruments; -1 when it failed.
qint64 flashMs(const QString& package, const std::vector<std::unique_ptr<SimulatorHost>>& hosts, int count)
{
    QStringList arguments{QStringLiteral("flash"), package, QStringLiteral("--timeout"), QStringLiteral("300"),
                          QStringLiteral("--address"), QString::number(hosts.front()->simulator()->deviceAddress())};
    for (int i = 0; i < count; ++i)
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(hosts.at(size_t(i))->simulator()->udpPort());
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zq-cli"), arguments);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "zq-cli failed: %s\n", cli.readAllStandardError().constData());
        return -1;
    }
    return clock.elapsed();
}

}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("bench.zqbin"));
    PackageWriter::write(package, PackageWriter::fields(QStringLiteral("bench"), QStringLiteral("ZQ-200"), QStringLiteral("1"),
                                                        QByteArray(Pages * 1024, '\x5A')));
    std::vector<std::unique_ptr<SimulatorHost>> hosts;
    for (int i = 0; i < 4; ++i) {
        hosts.push_back(std::make_unique<SimulatorHost>());
        if (!hosts.back()->start() || !hosts.back()->listenUdp())
            return 1;
        hosts.back()->simulator()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WritePage, -1, PageDelayMs});
    }
    const qint64 one = flashMs(package, hosts, 1);
    const qint64 four = flashMs(package, hosts, 4);
    if (one <= 0 || four <= 0)
        return 1;
    std::printf("zq-cli flash, %d pages of 1 KiB, each acknowledged after %d ms, UDP on loopback:\n", Pages, PageDelayMs);
    std::printf("  one instrument (floor):        %6lld ms\n", one);
    std::printf("  four instruments in parallel:  %6lld ms  (%.2f x one; one after another would be about 4 x)\n", four,
                double(four) / double(one));
    return 0;
}
