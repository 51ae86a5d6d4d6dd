// How long the main window's event loop goes without a turn while Write-all, Sync time and
// Refresh run against an instrument that never answers (the simulator process, silent), over UDP
// on loopback and over a pseudo-terminal. A timer asks for a turn every 5 ms; the longest gap
// between two turns is the stall the operator would feel. Each operation is followed, in the same
// round, by the floor: the same idle window watched for as long as the operation took.
// Usage: bench_stall [--loaded] [--rounds N]
#include "app/mainwindow.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "config/itemtext.h"
#include "config/ui/configtree.h"
#include "link/linktimings.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// The longest gap between turns of the event loop while busy() holds (or, with no busy, for ms).
struct Stall
{
    double longestMs = 0;
    double durationMs = 0;
};

Stall watch(const std::function<bool()>& busy, int idleMs = 0)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    Stall stall;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stall.longestMs = qMax(stall.longestMs, (now - last) / 1e6);
        last = now;
    });
    ticker.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (idleMs > 0 ? clock.elapsed() >= idleMs : !busy())
            loop.quit();
    });
    poll.start();
    loop.exec();
    stall.durationMs = clock.nsecsElapsed() / 1e6;
    return stall;
}

Stall runAction(MainWindow& window, const char* name)
{
    QAction* action = window.findChild<QAction*>(QLatin1String(name));
    QElapsedTimer clock;
    clock.start();
    action->trigger();
    const double triggerMs = clock.nsecsElapsed() / 1e6;
    Stall stall = watch([&] { return window.isBusy(); });
    stall.longestMs = qMax(stall.longestMs, triggerMs);
    stall.durationMs += triggerMs;
    return stall;
}

// Boxes are answered at once: the bench measures the operation, not the operator.
void answerBoxes()
{
    QTimer* closer = new QTimer(qApp);
    closer->setInterval(20);
    QObject::connect(closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer->start();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 3);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    // Shorter than the instrument's 3 s and 10 s, so the bench ends in seconds; the stall does not
    // depend on the length of the wait.
    LinkTimings timings;
    timings.readItemMs = 500;
    timings.readItemRetryMs = 500;
    timings.writeItemMs = 1000;
    timings.setClockMs = 1000;
    LinkTimings::install(&timings);

    QStringList items;
    for (int index = 0; index < 4; ++index)
        items.append(QStringLiteral("配置项%1:%2").arg(index).arg(index * 10));
    QFile itemFile(dir.filePath(QStringLiteral("items.txt")));
    if (!itemFile.open(QIODevice::WriteOnly) || itemFile.write(items.join(QLatin1Char('\n')).toUtf8()) < 0)
        return 1;
    itemFile.close();
    SimProcess sim;
    if (!sim.start({QStringLiteral("--pty"), QStringLiteral("--items"), itemFile.fileName(), QStringLiteral("--fault"),
                    QStringLiteral("no-reply,count=-1")})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorText()));
        return 1;
    }
    answerBoxes();
    const BusyLoops load(options.loaded);
    printHeading("bench_stall: longest event-loop stall of the main window against a silent instrument", options);
    Config config;
    for (bool udp : {true, false}) {
        config.setValue(Settings::UseUdp, udp ? 1 : 0);
        config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
        config.setValue(Settings::UdpPort, QString::number(sim.udpPort()));
        config.setValue(Settings::SerialPort, sim.ptyPath());
        MainWindow window;
        window.show();
        for (const char* action : {"save", "sync_time", "refresh"}) {
            RoundFigures figures;
            for (int round = 0; round < options.rounds; ++round) {
                // Rows not yet written would make the refresh ask first; the bench measures the read.
                if (qstrcmp(action, "refresh") == 0)
                    window.slotClearItems();
                else if (window.configModel()->rowCount() == 0)
                    for (int index = 0; index < items.size(); ++index)
                        window.slotAddItems(index, splitItemText(items.at(index)));
                const Stall stall = runAction(window, action);
                const Stall idle = watch({}, int(stall.durationMs));
                figures.add(stall.longestMs, idle.longestMs);
            }
            const QString name =
                QStringLiteral("stall %1 %2").arg(QLatin1String(udp ? "UDP" : "pty"), QLatin1String(action));
            std::printf("%s: longest stall %.1f ms, idle window %.1f ms (medians)\n", qPrintable(name),
                        figures.medianMeasured(), figures.medianFloor());
            printRatioSummary(name, figures, QStringLiteral("ms"));
        }
    }
    return 0;
}
