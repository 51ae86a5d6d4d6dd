// The traffic monitor under a flood: the simulator sends debug lines at 10 000 a second over UDP on
// loopback for a long run, then as fast as the pseudo-terminal takes them, into the monitor dialog
// (offscreen, the view holding its default 100 000 lines).
// Figures, each beside its floor from the same run:
// - lines lost (sent by the simulator, not received by the dialog); floor 0;
// - display lateness, the age of a line when it is drawn (received but not yet shown, as time),
//   worst over the run; floor: one frame plus the event loop's own lateness with the dialog idle;
// - the largest lateness of a 10 ms timer on the interface thread; floor: the same, dialog idle;
// - the heap after the run and its growth per minute; floor: the bytes of the lines the view holds;
// - over the pty, lines a second into the dialog; floor: the worker alone, printing nowhere.
// Usage: bench_monitor [seconds over UDP, default 600] [seconds over the pty, default 20]
#include "lineview/linemodel.h"
#include "monitor/ui/monitordialog.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QApplication>
#include <QMessageBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <malloc.h>

namespace {

// A box (a failed debug command on a starved machine) is printed and answered, so that the run
// ends instead of waiting for an operator.
class PrintingPrompter : public Prompter
{
protected:
    int run(QDialog& dialog) override
    {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        std::printf("  box: %s: %s\n", qPrintable(dialog.windowTitle()), box ? qPrintable(box->text()) : "");
        std::fflush(stdout);
        return QMessageBox::Ok;
    }
};

// The largest lateness of a repeating 10 ms timer while the event loop runs.
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

double heapMiB()
{
    return mallinfo2().uordblks / 1048576.0;
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

void press(MonitorDialog& dialog, const char* button)
{
    QMetaObject::invokeMethod(dialog.findChild<QPushButton*>(button), "pressed");
}

// Waits until everything sent has arrived: the count matches, or nothing came for 3 s.
void waitForArrival(MonitorDialog& dialog, InstrumentSimulator* sim, qint64 sentBefore)
{
    qint64 last = -1;
    QElapsedTimer quiet;
    quiet.start();
    runUntil(
        [&] {
            if (dialog.receivedLineCount() != last) {
                last = dialog.receivedLineCount();
                quiet.restart();
            }
            return (last == sim->debugLinesSent() - sentBefore && quiet.elapsed() > 200) || quiet.elapsed() > 3000;
        },
        120000);
}

// The worst age of a line when the dialog draws it.
class DrawLateness
{
public:
    explicit DrawLateness(LineModel& model)
    {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                         [this, &model](const QModelIndex&, int first, int last) {
                             const qint64 now = QDateTime::currentMSecsSinceEpoch();
                             // Lines of one piece share a stamp: the first and last row of the frame tell the worst.
                             worst = qMax(worst, now - model.lineAt(first).stampMs);
                             worst = qMax(worst, now - model.lineAt(last).stampMs);
                         });
    }
    qint64 worst = 0;
};

void udpFlood(SimulatorHost& host, int seconds)
{
    InstrumentSimulator* sim = host.simulator();
    pointAt(host, true);
    const int rate = 10000;
    sim->setDebugRate(rate);
    sim->setDebugLineCount(rate * seconds);

    MonitorDialog dialog;
    dialog.show();
    LatenessProbe probe;
    probe.start();
    runFor(1000);
    const double idleWorst = probe.stop();
    DrawLateness lateness(dialog.lineModel());

    const qint64 sentBefore = sim->debugLinesSent();
    const double heapAtStart = heapMiB();
    probe.start();
    press(dialog, "bntStart");
    QList<double> heapPerMinute;
    QElapsedTimer clock;
    clock.start();
    for (int minute = 1; minute * 60 <= seconds; ++minute) {
        runFor(int(minute * 60000 - clock.elapsed()));
        heapPerMinute.append(heapMiB());
    }
    runFor(int(qMax<qint64>(0, seconds * 1000 - clock.elapsed())));
    waitForArrival(dialog, sim, sentBefore);
    const double elapsed = clock.elapsed() / 1000.0;
    press(dialog, "bntStop");
    runUntil([&] { return !dialog.monitorThread().isRunning(); }, 30000);
    runFor(100);
    const double worst = probe.stop();

    const qint64 sent = sim->debugLinesSent() - sentBefore;
    const qint64 received = dialog.receivedLineCount();
    qint64 heldBytes = 0;
    for (int row = 0; row < dialog.lineModel().rowCount(); ++row)
        heldBytes += dialog.lineModel().lineAt(row).bytes.size();

    std::printf("UDP, %d lines/s for %d s: %lld sent, %lld received, %lld lost (floor 0) in %.1f s\n", rate, seconds,
                (long long)sent, (long long)received, (long long)(sent - received), elapsed);
    std::printf("  display lateness, worst %lld ms (goal <= 100 ms; floor: one frame %d ms + idle loop %.1f ms)\n",
                (long long)lateness.worst, LineModel::FrameMs, idleWorst);
    std::printf("  largest event-loop lateness %.1f ms (floor, idle dialog: %.1f ms)\n", worst, idleWorst);
    std::printf(
        "  heap %.1f MiB after the run, %.1f MiB at its start; view holds %d lines, %.1f MiB of bytes (floor)\n",
        heapMiB(), heapAtStart, dialog.lineModel().heldCount(), heldBytes / 1048576.0);
    std::printf("  heap growth per minute (MiB):");
    double previous = heapAtStart;
    for (double heap : heapPerMinute) {
        std::printf(" %+.1f", heap - previous);
        previous = heap;
    }
    std::printf("%s\n", heapPerMinute.isEmpty() ? " (run shorter than a minute)" : "");
    std::fflush(stdout);
}

// Lines a second that a bare worker takes from the pty, counted where they arrive.
double bareWorkerRate(InstrumentSimulator* sim, int seconds)
{
    MonitorThread thread;
    thread.setDebug(true);
    std::atomic<qint64> lines{0};
    QObject::connect(
        &thread, &MonitorThread::signalLinesRecv, &thread,
        [&](const QByteArrayList& received, qint64) { lines += received.size(); }, Qt::DirectConnection);
    sim->setDebugRate(0);
    sim->setDebugLineCount(-1);
    thread.start();
    runUntil([&] { return lines > 0; }, 10000);
    const qint64 first = lines;
    QElapsedTimer clock;
    clock.start();
    runFor(seconds * 1000);
    const double rate = (lines - first) * 1000.0 / double(clock.elapsed());
    sim->setDebugLineCount(0);
    thread.stopAndWait();
    return rate;
}

void ptyFlood(SimulatorHost& host, int seconds)
{
    InstrumentSimulator* sim = host.simulator();
    pointAt(host, false);
    const double floorRate = bareWorkerRate(sim, seconds);
    sim->setDebugRate(0);
    sim->setDebugLineCount(-1);

    MonitorDialog dialog;
    dialog.show();
    LatenessProbe probe;
    const qint64 sentBefore = sim->debugLinesSent();
    probe.start();
    QElapsedTimer clock;
    clock.start();
    press(dialog, "bntStart");
    runFor(seconds * 1000);
    sim->setDebugLineCount(0); // the flood ends here; what was sent is still to come
    waitForArrival(dialog, sim, sentBefore);
    const double elapsed = clock.elapsed() / 1000.0;
    press(dialog, "bntStop");
    const bool ended = runUntil([&] { return !dialog.monitorThread().isRunning(); }, 30000);
    const double worst = probe.stop();
    const qint64 sent = sim->debugLinesSent() - sentBefore;
    const qint64 received = dialog.receivedLineCount();

    std::printf("pty, top speed for %d s: %lld sent, %lld received, %lld lost (floor 0), drained and %s in %.1f s\n",
                seconds, (long long)sent, (long long)received, (long long)(sent - received),
                ended ? "ended" : "NOT ENDED", elapsed);
    std::printf("  %.0f lines/s into the dialog (floor, the worker alone: %.0f lines/s)\n", received / elapsed,
                floorRate);
    std::printf("  largest event-loop lateness %.1f ms\n", worst);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int udpSeconds = argc > 1 ? qMax(1, atoi(argv[1])) : 600;
    const int ptySeconds = argc > 2 ? qMax(1, atoi(argv[2])) : 20;
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    PrintingPrompter prompter;
    Prompter::install(&prompter);

    SimulatorHost host;
    if (!host.start() || !host.listenUdp() || !host.openPty()) {
        std::fprintf(stderr, "simulator: %s\n",
                     host.simulator() ? qPrintable(host.simulator()->errorString()) : "not started");
        return 1;
    }
    udpFlood(host, udpSeconds);
    ptyFlood(host, ptySeconds);
    host.stop();
    Prompter::install(nullptr);
    singleton<Config>::destroy();
    return 0;
}
