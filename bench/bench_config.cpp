// A configuration of 256 items against the simulator process over UDP on loopback:
//  - read into the main window (Refresh, until the window is idle with every row), and
//  - written from it (Write-all, until idle), each beside the same 256 ReadItem or WriteItem
//    exchanges through a bare socket;
//  - zq-cli read, beside the bare exchanges plus zq-cli's start-up and exit (zq-cli --help).
// A round repeats each path for about a second, measured path and floor one after the other.
// Usage: bench_config [--loaded] [--rounds N]
#include "app/mainwindow.h"
#include "bench/support/bareclients.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "config/itemtext.h"
#include "config/ui/configtree.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr int ItemCount = 256;
constexpr quint8 Address = 0xFF;

QStringList benchItems()
{
    QStringList items;
    for (int index = 0; index < ItemCount; ++index)
        items.append(QStringLiteral("配置项%1:%2").arg(index).arg(index * 10));
    return items;
}

// Milliseconds for times runs of job; -1 when one failed.
double timed(int times, const std::function<bool()>& job)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < times; ++i)
        if (!job())
            return -1;
    return clock.nsecsElapsed() / 1e6;
}

// How many runs of the floor last a second.
int runsPerRound(const std::function<bool()>& floor)
{
    const double once = timed(3, floor) / 3;
    return once > 0 ? qMax(1, int(1000.0 / once) + 1) : 0;
}

void waitWhileBusy(MainWindow& window)
{
    // Waits as the application's own loop does, sleeping until the next event.
    while (window.isBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// Runs measured and floor, each `times` times, per round (their order alternating), and prints
// and summarises the per-round ratios.
void compare(const QString& name, const BenchOptions& options, const std::function<bool()>& measured,
             const std::function<bool()>& floor)
{
    const int times = runsPerRound(floor);
    if (times == 0 || !measured()) {
        std::printf("%s: failed before the first round\n", qPrintable(name));
        return;
    }
    RoundFigures figures;
    for (int round = 0; round < options.rounds; ++round) {
        const bool floorFirst = round % 2 == 0;
        double floorMs = floorFirst ? timed(times, floor) : -2;
        const double measuredMs = timed(times, measured);
        if (!floorFirst)
            floorMs = timed(times, floor);
        if (floorMs < 0 || measuredMs < 0) {
            std::printf("%s: round %d failed\n", qPrintable(name), round + 1);
            return;
        }
        figures.add(measuredMs / times, floorMs / times);
    }
    std::printf("%s: %d runs a round; %.2f ms against a floor of %.2f ms a run (medians)\n", qPrintable(name), times,
                figures.medianMeasured(), figures.medianFloor());
    printRatioSummary(name, figures, QStringLiteral("ms"));
}

bool runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zq-cli"), arguments);
    return cli.waitForFinished(30000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 5);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    const QStringList items = benchItems();
    QFile itemFile(dir.filePath(QStringLiteral("items.txt")));
    if (!itemFile.open(QIODevice::WriteOnly) || itemFile.write(items.join(QLatin1Char('\n')).toUtf8()) < 0)
        return 1;
    itemFile.close();
    SimProcess sim;
    if (!sim.start({QStringLiteral("--items"), itemFile.fileName()})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorText()));
        return 1;
    }
    Config config;
    config.setValue(Settings::UseUdp, 1);
    config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config.setValue(Settings::UdpPort, QString::number(sim.udpPort()));
    config.setValue(Settings::DeviceAddress, Address);

    const BusyLoops load(options.loaded);
    printHeading("bench_config: 256 items with the simulator process over UDP", options);

    BareUdp bare;
    if (!bare.open(sim.udpPort()))
        return 1;
    QByteArray reply;
    const auto bareReads = [&] {
        for (int index = 0; index < ItemCount; ++index)
            if (!bare.exchange(buildReadItemRequest(Address, index), &reply, Address, CrcOrder::LowFirst, 3000))
                return false;
        return true;
    };
    QList<QByteArray> writeRequests;
    for (int index = 0; index < ItemCount; ++index)
        writeRequests.append(buildWriteItemRequest(Address, index, itemValue(splitItemText(items.at(index)))));
    const auto bareWrites = [&] {
        for (const QByteArray& request : writeRequests)
            if (!bare.exchange(request, &reply, Address, CrcOrder::LowFirst, 10000))
                return false;
        return true;
    };

    MainWindow readWindow;
    readWindow.show();
    compare(
        QStringLiteral("config read 256 (window)"), options,
        [&] {
            readWindow.slotRefresh();
            waitWhileBusy(readWindow);
            return readWindow.configModel()->rowCount() == ItemCount;
        },
        bareReads);

    MainWindow writeWindow;
    for (int index = 0; index < items.size(); ++index)
        writeWindow.slotAddItems(index, splitItemText(items.at(index)));
    writeWindow.show();
    compare(
        QStringLiteral("config write-all 256 (window)"), options,
        [&] {
            writeWindow.slotWriteItems();
            waitWhileBusy(writeWindow);
            return true;
        },
        bareWrites);

    // The floor of zq-cli is the bare exchanges plus its start-up and exit (zq-cli --help), both
    // measured in the same rounds.
    const QStringList readArguments{QStringLiteral("read"), QStringLiteral("--udp"),
                                    QStringLiteral("127.0.0.1:%1").arg(sim.udpPort())};
    compare(
        QStringLiteral("zq-cli read 256"), options, [&] { return runCli(readArguments); },
        [&] { return bareReads() && runCli({QStringLiteral("--help")}); });
    return 0;
}
