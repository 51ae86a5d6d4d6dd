// The traffic monitor under a flood: the simulator process sends debug lines at 10 000 a second
// over UDP on loopback, each carrying the time it was made. Per round, first or second by turns:
//  - the floor: a bare socket switches the output on and takes the lines, each line's lateness
//    being the time from its stamp to its arrival;
//  - the monitor dialog (offscreen, holding its default lines): each line's lateness is the time
//    from its stamp to the paint of the view after the line became a row.
// Also: lines lost (sent, not received), the largest lateness of a 10 ms timer on the interface
// thread, and the heap against the bytes received; in a round of two minutes or more, the heap
// after its first minute against the heap at its end (a flat heap holds no more as it goes).
// Also the interface thread's processor time and how often it was preempted, which tells a window
// that works too long from one that waits for the processor; --trace-slow MS prints every event the
// interface thread took longer than MS to handle.
// Usage: bench_monitor [--loaded] [--rounds N] [--seconds S, per round and path; default 5]
//                      [--floor-seconds F, the bare socket's part of each round; default S]
//                      [--trace-slow MS]
// The ten-minute run: bench_monitor --rounds 1 --seconds 600 --floor-seconds 10
#include "bench/support/bareclients.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "lineview/linemodel.h"
#include "lineview/ui/lineview.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "monitor/ui/monitordialog.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>

namespace {

constexpr quint8 Address = 0xFF;
constexpr int Rate = 10000;

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

// The sender's stamp of a debug line, "[DBG 00001] yyyy-MM-dd hh:mm:ss.zzz ...", as milliseconds
// since the epoch; -1 when the line carries none. The zone's offset is looked up once.
qint64 senderStampMs(const QByteArray& line)
{
    static const qint64 offsetMs = qint64(QDateTime::currentDateTime().offsetFromUtc()) * 1000;
    const int at = line.indexOf("] ") + 2;
    if (at < 2 || line.size() < at + 23)
        return -1;
    const char* p = line.constData() + at;
    const auto number = [p](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (p[i] - '0');
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    if (!date.isValid())
        return -1;
    const qint64 dayMs = (number(11, 2) * 3600 + number(14, 2) * 60 + number(17, 2)) * 1000LL + number(20, 3);
    return (date.toJulianDay() - 2440588) * 86400000LL + dayMs - offsetMs;
}

// Latenesses in whole milliseconds, up to a minute; its percentiles.
class Lateness
{
public:
    void add(qint64 ms) { ++counts[size_t(qBound<qint64>(0, ms, qint64(counts.size()) - 1))], ++total; }
    qint64 count() const { return total; }
    double percentile(double p) const
    {
        qint64 seen = 0;
        for (size_t ms = 0; ms < counts.size(); ++ms) {
            seen += counts[ms];
            if (total > 0 && seen * 100.0 >= p * double(total))
                return double(ms);
        }
        return 0;
    }
    double worst() const
    {
        for (size_t ms = counts.size(); ms-- > 0;)
            if (counts[ms] > 0)
                return double(ms);
        return 0;
    }

private:
    std::array<qint64, 60001> counts{};
    qint64 total = 0;
};

// The largest lateness of a repeating 10 ms timer while the event loop runs.
class LoopProbe
{
public:
    LoopProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            if (last > 0)
                worst = qMax(worst, (now - last) / 1e6 - 10.0);
            last = now;
        });
        clock.start();
        timer.start();
    }
    double worst = 0;

private:
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
};

// An application that notes every event on the interface thread whose handling took longer than
// a threshold: which object got it, of what type, and how long it took (--trace-slow MS).
class TracingApplication : public QApplication
{
public:
    using QApplication::QApplication;
    qint64 thresholdNs = 0;

    bool notify(QObject* receiver, QEvent* event) override
    {
        // Paints nest inside the window's update; they are timed on their own as well.
        if (thresholdNs <= 0 || (depth > 0 && event->type() != QEvent::Paint))
            return QApplication::notify(receiver, event);
        const int type = event->type();
        QElapsedTimer clock;
        clock.start();
        ++depth;
        const bool handled = QApplication::notify(receiver, event);
        --depth;
        const qint64 took = clock.nsecsElapsed();
        if (took >= thresholdNs) {
            const QObject* parent = receiver->parent();
            std::printf("  slow event%s: %.1f ms, type %d, to %s \"%s\" (in %s)\n", depth > 0 ? " (nested)" : "",
                        took / 1e6, type, receiver->metaObject()->className(), qPrintable(receiver->objectName()),
                        parent ? parent->metaObject()->className() : "-");
            std::fflush(stdout);
        }
        return handled;
    }

private:
    int depth = 0;
};

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool runUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        runFor(10);
    return done();
}

struct RoundResult
{
    Lateness lateness;
    qint64 received = 0;
    qint64 bytes = 0;
};

void bareRound(RoundResult& result, quint16 port, int lines)
{
    BareUdp bare;
    QByteArray reply;
    if (!bare.open(port)
        || !bare.exchange(buildWriteItemRequest(Address, 255, QStringLiteral("1")), &reply, Address, CrcOrder::LowFirst,
                          3000)) {
        std::printf("  bare socket: the debug output did not switch on\n");
        return;
    }
    QByteArray pending;
    for (QByteArray datagram = bare.receive(3000); !datagram.isEmpty() && result.received < lines;
         datagram = bare.receive(1000)) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        result.bytes += datagram.size();
        pending += datagram;
        for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const qint64 stamp = senderStampMs(pending.left(end));
            if (stamp >= 0)
                result.lateness.add(now - stamp);
            ++result.received;
            pending.remove(0, end + 1);
        }
    }
    bare.exchange(buildWriteItemRequest(Address, 255, QStringLiteral("0")), &reply, Address, CrcOrder::LowFirst, 3000);
}

// Notes the stamps of the rows a frame adds and takes their lateness when the view next paints.
class DrawWatch : public QObject
{
public:
    DrawWatch(LineModel& model, LineView* view, RoundResult& result) : model(model), result(result)
    {
        view->viewport()->installEventFilter(this);
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, this,
                         [this](const QModelIndex&, int first, int last) {
                             for (int row = first; row <= last; ++row)
                                 stamps.append(senderStampMs(this->model.lineAt(row).bytes));
                         });
    }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            for (qint64 stamp : qAsConst(stamps))
                if (stamp >= 0)
                    result.lateness.add(now - stamp);
            stamps.clear();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    LineModel& model;
    RoundResult& result;
    QVector<qint64> stamps;
};

void press(MonitorDialog& dialog, const char* button)
{
    QMetaObject::invokeMethod(dialog.findChild<QPushButton*>(button), "pressed");
}

// Processor time the calling thread has used, in seconds, and how often the system took the
// processor from it while it still wanted it.
struct ThreadUsage
{
    double cpuSeconds = 0;
    long preempted = 0;

    static ThreadUsage now()
    {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return {double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                    + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6,
                usage.ru_nivcsw};
    }
};

double heapMiB()
{
    return mallinfo2().uordblks / 1048576.0;
}

void dialogRound(RoundResult& result, int lines, ThreadUsage* used, double* loopWorst, double* heapGrowthMiB,
                 double* heapAtMinuteMiB, double* heapAtEndMiB)
{
    MonitorDialog dialog;
    dialog.show();
    runFor(200);
    DrawWatch watch(dialog.lineModel(), dialog.findChild<LineView*>(), result);
    const double heapBefore = heapMiB();
    const LoopProbe probe;
    const ThreadUsage usageBefore = ThreadUsage::now();
    press(dialog, "bntStart");
    qint64 last = -1;
    QElapsedTimer quiet;
    quiet.start();
    QElapsedTimer sinceStart;
    sinceStart.start();
    *heapAtMinuteMiB = -1;
    runUntil(
        [&] {
            if (*heapAtMinuteMiB < 0 && sinceStart.elapsed() >= 60000)
                *heapAtMinuteMiB = heapMiB();
            if (dialog.receivedLineCount() != last) {
                last = dialog.receivedLineCount();
                quiet.restart();
            }
            return (last >= lines && dialog.lineModel().pendingCount() == 0) || quiet.elapsed() > 3000;
        },
        lines / Rate * 1000 + 60000);
    runFor(100);
    const ThreadUsage usageAfter = ThreadUsage::now();
    used->cpuSeconds = usageAfter.cpuSeconds - usageBefore.cpuSeconds;
    used->preempted = usageAfter.preempted - usageBefore.preempted;
    *loopWorst = qMax(*loopWorst, probe.worst);
    *heapAtEndMiB = heapMiB();
    *heapGrowthMiB = *heapAtEndMiB - heapBefore;
    press(dialog, "bntStop");
    runUntil([&] { return !dialog.monitorThread().isRunning(); }, 30000);
    result.received = dialog.receivedLineCount();
    for (int row = 0; row < dialog.lineModel().rowCount(); ++row)
        result.bytes += dialog.lineModel().lineAt(row).bytes.size();
    if (watch.paints == 0)
        std::printf("  the view never painted: no lateness to the screen measured\n");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TracingApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 3, 5);
    const int traceAt = int(options.rest.indexOf(QStringLiteral("--trace-slow")));
    if (traceAt >= 0 && traceAt + 1 < options.rest.size())
        application.thresholdNs = qint64(options.rest.at(traceAt + 1).toDouble() * 1e6);
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    PrintingPrompter prompter;
    Prompter::install(&prompter);

    const int lines = Rate * options.seconds;
    const int floorAt = int(options.rest.indexOf(QStringLiteral("--floor-seconds")));
    const int floorLines = floorAt >= 0 && floorAt + 1 < options.rest.size()
        ? Rate * qMax(1, options.rest.at(floorAt + 1).toInt())
        : lines;
    SimProcess sim;
    if (!sim.start({QStringLiteral("--wall-clock"), QStringLiteral("--debug-rate"), QString::number(Rate),
                    QStringLiteral("--debug-count"), QString::number(lines)})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorText()));
        return 1;
    }
    Config config;
    config.setValue(Settings::UseUdp, 1);
    config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config.setValue(Settings::UdpPort, QString::number(sim.udpPort()));
    config.setValue(Settings::DeviceAddress, Address);

    const BusyLoops load(options.loaded);
    printHeading("bench_monitor: debug lines from the simulator process over UDP", options);
    QVector<double> worstShown, worstBare, medianShown, p99Shown;
    qint64 lost = 0;
    double loopWorst = 0;
    double heapGrowth = 0;
    double heapAtMinute = -1;
    double heapAtEnd = 0;
    for (int round = 0; round < options.rounds; ++round) {
        RoundResult bare;
        RoundResult shown;
        if (round % 2 == 0)
            bareRound(bare, sim.udpPort(), floorLines);
        ThreadUsage used;
        dialogRound(shown, lines, &used, &loopWorst, &heapGrowth, &heapAtMinute, &heapAtEnd);
        if (round % 2 == 1)
            bareRound(bare, sim.udpPort(), floorLines);
        lost += qMax<qint64>(0, lines - shown.received);
        worstShown.append(shown.lateness.worst());
        medianShown.append(shown.lateness.percentile(50));
        p99Shown.append(shown.lateness.percentile(99));
        worstBare.append(bare.lateness.worst());
        std::printf(
            "  round %d, %d lines in %d s: dialog received %lld, drew %lld, lateness to the screen median %.0f"
            " ms, 90th %.0f ms, 99th %.0f ms, worst %.0f ms; bare socket received %lld, lateness median %.0f ms,"
            " worst %.0f ms\n",
            round + 1, lines, options.seconds, (long long)shown.received, (long long)shown.lateness.count(),
            shown.lateness.percentile(50), shown.lateness.percentile(90), shown.lateness.percentile(99),
            shown.lateness.worst(), (long long)bare.received, bare.lateness.percentile(50), bare.lateness.worst());
        std::printf("  heap grew %.1f MiB over the round; %.1f MiB of line bytes held\n", heapGrowth,
                    shown.bytes / 1048576.0);
        std::printf("  the interface thread used %.1f s of processor time, %.1f %% of a core over the lines' time;"
                    " preempted %ld times\n",
                    used.cpuSeconds, used.cpuSeconds * 100.0 / qMax(1, options.seconds), used.preempted);
        if (heapAtMinute >= 0)
            std::printf("  heap after the first minute %.1f MiB, at the end %.1f MiB\n", heapAtMinute, heapAtEnd);
        std::fflush(stdout);
    }
    const auto median = [](const QVector<double>& values) { return RoundFigures::percentile(values, 50); };
    const auto p90 = [](const QVector<double>& values) { return RoundFigures::percentile(values, 90); };
    printSummary(QStringLiteral("monitor send->screen, median line"), median(medianShown), p90(medianShown),
                 QStringLiteral("ms"), QStringLiteral("-"), options.rounds);
    printSummary(QStringLiteral("monitor send->screen, 99th percentile"), median(p99Shown), p90(p99Shown),
                 QStringLiteral("ms"), QStringLiteral("-"), options.rounds);
    printSummary(QStringLiteral("monitor send->screen, worst line"), median(worstShown), p90(worstShown),
                 QStringLiteral("ms (goal <= 100)"), QStringLiteral("%1 ms").arg(median(worstBare)), options.rounds);
    printSummary(QStringLiteral("monitor lines lost"), double(lost), double(lost), QStringLiteral("lines"),
                 QStringLiteral("0"), options.rounds);
    if (heapAtMinute >= 0)
        printSummary(QStringLiteral("monitor heap, end vs first minute (last round)"), heapAtEnd - heapAtMinute,
                     heapAtEnd - heapAtMinute, QStringLiteral("MiB"),
                     QStringLiteral("%1 MiB").arg(heapAtMinute, 0, 'f', 1), 1);
    printSummary(QStringLiteral("monitor event-loop lateness, worst"), loopWorst, loopWorst, QStringLiteral("ms"),
                 QStringLiteral("-"), options.rounds);
    Prompter::install(nullptr);
    return 0;
}
