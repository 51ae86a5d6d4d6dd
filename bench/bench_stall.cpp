// Measures how long the main window's event loop goes without a turn while Write-all, Sync time
// and Refresh run against an instrument that never answers, over UDP on loopback and over a
// pseudo-terminal. A timer asks for a turn every 5 ms; the longest gap between two turns is the
// stall the operator would feel. Printed beside the operation's own duration (its waits run out)
// and beside the floor: the longest gap of the same idle window over the same time.
#include "app/mainwindow.h"
#include "config/itemtext.h"
#include "link/linktimings.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

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

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    // Shorter than the instrument's 3 s and 10 s, so the bench ends in seconds; the stall does not
    // depend on the length of the wait.
    LinkTimings timings;
    timings.readItemMs = 1000;
    timings.readItemRetryMs = 1500;
    timings.writeItemMs = 1500;
    timings.setClockMs = 1500;
    LinkTimings::install(&timings);

    SimulatorHost host;
    if (!host.start() || !host.listenUdp() || !host.openPty()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    QStringList items;
    for (int index = 0; index < 4; ++index)
        items.append(QStringLiteral("配置项%1:%2").arg(index).arg(index * 10));
    host.simulator()->setItems(items);
    InstrumentSimulator::Fault silent;
    silent.kind = InstrumentSimulator::NoReply;
    silent.count = -1;
    host.simulator()->addFault(silent);
    answerBoxes();

    QTextStream out(stdout);
    out << "Longest event-loop stall of the main window against a silent instrument\n";
    Config* config = singleton<Config>::instance();
    for (bool udp : {true, false}) {
        config->setValue(Settings::UseUdp, udp ? 1 : 0);
        config->setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
        config->setValue(Settings::UdpPort, QString::number(host.simulator()->udpPort()));
        config->setValue(Settings::SerialPort, host.simulator()->ptyPath());
        MainWindow window;
        window.show();
        for (int index = 0; index < items.size(); ++index)
            window.slotAddItems(index, splitItemText(items.at(index)));
        const Stall floor = watch({}, 1500);
        out << QStringLiteral("  %1 floor, idle window:  longest stall %2 ms over %3 ms\n")
                   .arg(udp ? "UDP" : "pty", -3)
                   .arg(floor.longestMs, 6, 'f', 1)
                   .arg(floor.durationMs, 7, 'f', 0);
        for (const char* action : {"save", "sync_time", "refresh"}) {
            // Rows not yet written would make the refresh ask first; the bench measures the read.
            if (qstrcmp(action, "refresh") == 0)
                window.slotClearItems();
            const Stall stall = runAction(window, action);
            out << QStringLiteral("  %1 %2 longest stall %3 ms over %4 ms\n")
                       .arg(udp ? "UDP" : "pty", -3)
                       .arg(QString::fromLatin1(action) + QLatin1Char(':'), -20)
                       .arg(stall.longestMs, 6, 'f', 1)
                       .arg(stall.durationMs, 7, 'f', 0);
        }
        out.flush();
    }
    host.stop();
    singleton<Config>::destroy();
    return 0;
}
