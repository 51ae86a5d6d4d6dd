// The traffic monitor under a flood: the simulator sends debug lines at 10 000 a second over UDP on
// loopback, then as fast as the pseudo-terminal takes them, into the monitor dialog (offscreen).
// Figures: lines shown against lines sent, the largest lateness of a 10 ms timer on the interface
// thread, and the memory the text box holds at the end. Floors from the same run: the timer's
// lateness with the dialog idle, and the size of the shown text as one plain string.
// Usage: bench_monitor [seconds per transport, default 30]
#include "monitor/ui/monitordialog.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {

// The largest lateness of a repeating 10 ms timer while the event loop runs for ms.
class LatenessProbe
{
public:
    LatenessProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            if (last > 0)
                worst = qMax(worst, (now - last) / 1000000.0 - 10.0);
            last = now;
        });
    }
    void start()
    {
        worst = 0;
        last = 0;
        clock.start();
        timer.start();
    }
    double stop()
    {
        timer.stop();
        return worst;
    }

private:
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    double worst = 0;
};

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds or limitMs pass.
bool runUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        runFor(10);
    return done();
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

void pointAt(const SimulatorHost& host, bool udp)
{
    Config* config = singleton<Config>::instance();
    config->setValue(Settings::UseUdp, udp ? 1 : 0);
    config->setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config->setValue(Settings::UdpPort, QString::number(host.simulator()->udpPort()));
    config->setValue(Settings::SerialPort, host.simulator()->ptyPath());
    config->setValue(Settings::DeviceAddress, 255);
}

void flood(SimulatorHost& host, bool udp, int seconds)
{
    InstrumentSimulator* sim = host.simulator();
    pointAt(host, udp);
    const double rate = udp ? 10000.0 : 0.0;
    sim->setDebugRate(rate);
    sim->setDebugLineCount(udp ? int(rate) * seconds : -1);

    MonitorDialog dialog;
    dialog.show();
    LatenessProbe probe;
    probe.start();
    runFor(1000);
    const double idleWorst = probe.stop();

    const int sentBefore = sim->debugLinesSent();
    probe.start();
    QElapsedTimer clock;
    clock.start();
    QMetaObject::invokeMethod(dialog.findChild<QPushButton*>("bntStart"), "pressed");
    runFor(seconds * 1000);
    if (!udp)
        sim->setDebugLineCount(0); // the pty flood ends here; what was sent is still to come
    // Everything sent has arrived when the count matches or the line has been quiet for 2 s.
    qint64 lastShown = -1;
    QElapsedTimer quiet;
    quiet.start();
    runUntil([&] {
        if (dialog.shownLineCount() != lastShown) {
            lastShown = dialog.shownLineCount();
            quiet.restart();
        }
        return (lastShown == sim->debugLinesSent() - sentBefore && quiet.elapsed() > 200) || quiet.elapsed() > 5000;
    }, 60000);
    const double elapsed = clock.elapsed() / 1000.0;
    QMetaObject::invokeMethod(dialog.findChild<QPushButton*>("bntStop"), "pressed");
    runUntil([&] { return !dialog.monitorThread().isRunning(); }, 30000);
    runFor(100);
    const double worst = probe.stop();

    const qint64 sent = sim->debugLinesSent() - sentBefore;
    const qint64 shown = dialog.shownLineCount();
    QTextEdit* text = dialog.findChild<QTextEdit*>("textEdit");
    const qint64 plainBytes = qint64(text->toPlainText().size()) * 2;
    const size_t before = heapInUse();
    text->clear();
    const size_t after = heapInUse();
    const double textMiB = (double(before) - double(after)) / 1048576.0;

    std::printf("%s: %lld lines sent, %lld shown (%lld lost) in %.1f s, %.0f lines/s\n", udp ? "UDP, 10000 lines/s" : "pty, top speed",
                (long long)sent, (long long)shown, (long long)(sent - shown), elapsed, shown / elapsed);
    std::printf("  largest event-loop lateness %.1f ms (floor, idle dialog: %.1f ms; goal <= 100 ms)\n", worst, idleWorst);
    std::printf("  text box memory %.1f MiB for %lld lines (floor, the text as one string: %.1f MiB)\n", textMiB,
                (long long)shown, plainBytes / 1048576.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 30;
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    SimulatorHost host;
    if (!host.start() || !host.listenUdp() || !host.openPty()) {
        std::fprintf(stderr, "simulator: %s\n", host.simulator() ? qPrintable(host.simulator()->errorString()) : "not started");
        return 1;
    }
    flood(host, true, seconds);
    flood(host, false, seconds);
    host.stop();
    singleton<Config>::destroy();
    return 0;
}
