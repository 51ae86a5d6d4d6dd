// The history dialog with many records, against the simulator over UDP on loopback:
//  - the display of the records in the text box beside the bare stream (the same records received
//    by a LinkChannel that only counts lines), as a ratio;
//  - the largest lateness of a 10 ms timer on the interface thread during the display;
//  - the PDF export of 10 000 and 100 000 lines, beside the floor of fitting the same rows without
//    painting, with the memory it took beside the size of the text.
// Usage: bench_history [records, default 100000]
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "history/historyexport.h"
#include "history/recordtable.h"
#include "history/ui/historydata.h"
#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "sim/historygenerator.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

const QDate Day(2026, 3, 1);

// Counts lines and notes when the last bytes came.
class LineCounter : public DDataReceiver
{
public:
    bool isStopped() override { return false; }
    void onError(const QString& text) override { error = text; }
    void onData(const QByteArray& chunk) override
    {
        lines += chunk.count('\n');
        lastDataMs = clock.elapsed();
    }
    QElapsedTimer clock;
    qint64 lastDataMs = 0;
    int lines = 0;
    QString error;
};

qint64 bareStreamMs(int records)
{
    LinkChannel channel;
    channel.openFromSettings();
    LineCounter counter;
    counter.clock.start();
    channel.receiveStream(buildHistoryRequest(Day, Day), &counter);
    if (counter.lines != records + 1)
        std::fprintf(stderr, "bare stream: %d lines of %d (%s)\n", counter.lines, records + 1, qPrintable(counter.error));
    return counter.lastDataMs;
}

struct Display
{
    qint64 ms = -1;
    qint64 worstLatenessMs = 0;
};

Display displayMs(int records)
{
    HistoryData dialog;
    dialog.show();
    QTextEdit* text = dialog.findChild<QTextEdit*>(QStringLiteral("textEdit"));
    dialog.findChild<QDateEdit*>(QStringLiteral("dateStart"))->setDate(Day);
    dialog.findChild<QDateEdit*>(QStringLiteral("dateEnd"))->setDate(Day);

    Display result;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QEventLoop loop;
    // Ticks every 10 ms: how late each comes is how long the event loop was held up.
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        result.worstLatenessMs = qMax(result.worstLatenessMs, sinceTick.elapsed() - 10);
        sinceTick.restart();
        // The header, the records and the empty block after the last line feed.
        if (text->document()->blockCount() >= records + 2) {
            result.ms = clock.elapsed();
            loop.quit();
        }
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    sinceTick.start();
    probe.start();
    dialog.findChild<QPushButton*>(QStringLiteral("bntQuery"))->click();
    loop.exec();
    dialog.reader().wait();
    if (result.ms < 0)
        std::fprintf(stderr, "display: %d of %d lines\n", text->document()->blockCount() - 1, records + 1);
    return result;
}

QString recordsText(int lines)
{
    HistoryGenerator generator(Day, Day.addDays(30), lines - 1);
    QString text = HistoryGenerator::header();
    for (int i = 0; i < lines - 1; ++i)
        text += generator.record(i);
    return text.remove(QLatin1Char('\r'));
}

// The resident memory now, in KiB.
long residentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The most resident memory seen while it lives, sampled every 5 ms on a thread of its own.
class MemoryWatch
{
public:
    MemoryWatch() : sampler([this] {
        while (!done) {
            peak = std::max<long>(peak, residentKiB());
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }) {}
    ~MemoryWatch() { stop(); }
    long stop()
    {
        done = true;
        if (sampler.joinable())
            sampler.join();
        return peak;
    }

private:
    std::atomic<bool> done{false};
    std::atomic<long> peak{0};
    std::thread sampler;
};

void pdfFigures(int lines)
{
    const QString text = recordsText(lines);
    QElapsedTimer clock;
    clock.start();
    int cells = 0;
    const int columns = countColumns(text);
    for (const QString& line : text.split(QLatin1Char('\n')))
        cells += fitRow(line, columns).size();
    const qint64 floorMs = clock.elapsed();

    const long before = residentKiB();
    MemoryWatch watch;
    clock.restart();
    const QString error = HistoryExport::exportPdf(text, QDir::current().filePath(QStringLiteral("bench.pdf")));
    const qint64 exportMs = clock.elapsed();
    const long peak = watch.stop();
    if (!error.isEmpty())
        std::fprintf(stderr, "pdf: %s\n", qPrintable(error));
    std::printf("PDF export, %6d lines: %6lld ms (%.1f us a line; floor, fitting the rows only: %lld ms);"
                " memory during it +%ld KiB beside a text of %lld KiB; file %lld KiB\n",
                lines, exportMs, 1000.0 * double(exportMs) / lines, floorMs, peak - before,
                qint64(text.size()) * 2 / 1024, QFileInfo(QStringLiteral("bench.pdf")).size() / 1024);
    Q_UNUSED(cells);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    SimulatorHost host;
    if (!host.start() || !host.listenUdp()) {
        std::fprintf(stderr, "simulator: %s\n", host.simulator() ? qPrintable(host.simulator()->errorString()) : "");
        return 1;
    }
    host.simulator()->setHistoryRecordCount(records);
    host.simulator()->setHistoryPace(24, 8192, 1);
    Config* config = singleton<Config>::instance();
    config->setValue(Settings::UseUdp, 1);
    config->setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config->setValue(Settings::UdpPort, QString::number(host.simulator()->udpPort()));

    const qint64 bareMs = bareStreamMs(records);
    const Display display = displayMs(records);
    std::printf("Display of %d records over UDP: %lld ms; bare stream %lld ms; ratio %.2f, %lld ms more\n",
                records, display.ms, bareMs, bareMs > 0 ? double(display.ms) / double(bareMs) : 0.0,
                display.ms - bareMs);
    std::printf("Largest event-loop lateness during the display: %lld ms\n", display.worstLatenessMs);
    std::fflush(stdout);

    pdfFigures(10000);
    pdfFigures(records);
    return 0;
}
