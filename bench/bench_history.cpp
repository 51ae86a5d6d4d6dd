// The history dialog with many records, against the simulator over UDP on loopback:
//  - the display of the records beside the bare stream (the same records received by a LinkChannel
//    that only counts lines): when the last record is in the view, how much later than the bare
//    stream's last byte, and whether every record is there (counted); once on the machine as it is
//    and once more while two busy processes load both cores;
//  - the largest lateness of a 10 ms timer on the interface thread during the display;
//  - how long Stop takes to end a transfer;
//  - the memory of 200 000 records held by the dialog beside the size of their text;
//  - the PDF export of 10 000 and 100 000 lines, beside the floor of fitting the same rows without
//    painting.
// Usage: bench_history [records, default 100000]
#include "history/historyexport.h"
#include "history/recordstore.h"
#include "history/recordtable.h"
#include "history/ui/historydata.h"
#include "link/ddatareceiver.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/historygenerator.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

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

struct Bare
{
    qint64 ms = 0;
    int lines = 0;
};

Bare bareStream()
{
    LinkChannel channel;
    channel.openFromSettings();
    LineCounter counter;
    counter.clock.start();
    channel.receiveStream(buildHistoryRequest(Day, Day), &counter);
    if (!counter.error.isEmpty())
        std::fprintf(stderr, "bare stream: %s\n", qPrintable(counter.error));
    return {counter.lastDataMs, counter.lines};
}

struct Display
{
    qint64 ms = -1;
    qint64 worstLatenessMs = 0;
    int records = 0;
};

Display display(int records)
{
    HistoryData dialog;
    dialog.show();
    auto* view = dialog.findChild<QTableView*>(QStringLiteral("viewRecords"));
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
        // The header and the records, all in the view.
        if (view->model()->rowCount() >= records + 1) {
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
    // The probe ends with the display: the wait below is the bench's own, for the reader to notice
    // the silence after the last record.
    probe.stop();
    dialog.reader().wait();
    QCoreApplication::processEvents();
    result.records = dialog.records().recordCount();
    return result;
}

void displayFigures(int records, const char* load)
{
    const Bare bare = bareStream();
    const Display shown = display(records);
    std::printf("Display of %d records over UDP%s: last record in view after %lld ms; bare stream %lld ms"
                " (floor); %lld ms later; records held %d of %d (bare stream counted %d lines)\n",
                records, load, shown.ms, bare.ms, shown.ms - bare.ms, shown.records, records, bare.lines);
    std::printf("  largest event-loop lateness during the display: %lld ms\n", shown.worstLatenessMs);
    std::fflush(stdout);
}

// Two busy loops for the length of a measurement, at the benchmark's own priority.
class CoreLoad
{
public:
    CoreLoad()
    {
        for (int i = 0; i < 2; ++i) {
            auto process = std::make_unique<QProcess>();
            process->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            process->waitForStarted();
            processes.push_back(std::move(process));
        }
    }
    ~CoreLoad()
    {
        for (auto& process : processes) {
            process->kill();
            process->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> processes;
};

// How long Stop takes, from the press to the end of the run, in the middle of a long transfer.
qint64 stopMs()
{
    HistoryData dialog;
    dialog.show();
    dialog.findChild<QDateEdit*>(QStringLiteral("dateStart"))->setDate(Day);
    dialog.findChild<QDateEdit*>(QStringLiteral("dateEnd"))->setDate(Day);
    dialog.findChild<QPushButton*>(QStringLiteral("bntQuery"))->click();
    QElapsedTimer wait;
    wait.start();
    while (dialog.records().recordCount() < 1000 && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QElapsedTimer clock;
    clock.start();
    dialog.findChild<QPushButton*>(QStringLiteral("bntStop"))->click();
    dialog.reader().wait();
    return clock.elapsed();
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

void memoryFigures(int records)
{
    malloc_trim(0);
    const long before = residentKiB();
    HistoryData dialog;
    dialog.show();
    dialog.findChild<QDateEdit*>(QStringLiteral("dateStart"))->setDate(Day);
    dialog.findChild<QDateEdit*>(QStringLiteral("dateEnd"))->setDate(Day);
    dialog.findChild<QPushButton*>(QStringLiteral("bntQuery"))->click();
    QElapsedTimer wait;
    wait.start();
    while ((dialog.reader().isRunning() || dialog.findChild<QTableView*>()->model()->rowCount() < records + 1)
           && wait.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    malloc_trim(0);
    const long after = residentKiB();
    const RecordStore& held = dialog.records();
    qint64 textBytes = 0;
    for (int row = 0; row < held.lineCount(); ++row)
        textBytes += qint64(held.line(row).size()) * 2;
    const double perRecord = double(after - before) * 1024 / held.lineCount();
    const double textPerRecord = double(textBytes) / held.lineCount();
    std::printf("Memory of %d records in the dialog: +%ld KiB resident, %.0f bytes a line beside a text of %.0f"
                " bytes a line (UTF-16): %.2f times (the store alone: %.0f bytes a line)\n",
                held.recordCount(), after - before, perRecord, textPerRecord, perRecord / textPerRecord,
                double(held.memoryBytes()) / held.lineCount());
    std::fflush(stdout);
}

RecordStore recordLines(int lines)
{
    HistoryGenerator generator(Day, Day.addDays(30), lines - 1);
    RecordStore store;
    store.appendLines(HistoryGenerator::header());
    for (int i = 0; i < lines - 1; ++i)
        store.appendLines(generator.record(i));
    return store;
}

void pdfFigures(int lines)
{
    const RecordStore records = recordLines(lines);
    QElapsedTimer clock;
    clock.start();
    int cells = 0;
    const int columns = splitFields(records.line(0)).size();
    for (int row = 0; row < records.lineCount(); ++row)
        cells += fitRow(records.line(row), columns).size();
    const qint64 floorMs = clock.elapsed();

    clock.restart();
    const PdfHeading heading{QStringLiteral("ZQ"), Day, Day.addDays(30), QDateTime::currentDateTime()};
    const QString error = HistoryExport::exportPdf(records, QDir::current().filePath(QStringLiteral("bench.pdf")), heading);
    const qint64 exportMs = clock.elapsed();
    if (!error.isEmpty())
        std::fprintf(stderr, "pdf: %s\n", qPrintable(error));
    std::printf("PDF export, %6d lines: %6lld ms (%.1f us a line; floor, fitting the rows only: %lld ms);"
                " file %lld KiB\n",
                lines, exportMs, 1000.0 * double(exportMs) / lines, floorMs,
                QFileInfo(QStringLiteral("bench.pdf")).size() / 1024);
    std::fflush(stdout);
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

    std::printf("Load average before: %s", qPrintable(QString::fromLatin1([] {
                    QFile file(QStringLiteral("/proc/loadavg"));
                    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?\n");
                }())));
    displayFigures(records, "");
    {
        const CoreLoad load;
        displayFigures(records, ", two busy loops loading both cores");
    }
    std::printf("Stop during a transfer: the run ended %lld ms after the press\n", stopMs());

    host.simulator()->setHistoryRecordCount(200000);
    memoryFigures(200000);

    pdfFigures(10000);
    pdfFigures(records);
    return 0;
}
