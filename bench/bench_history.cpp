// The history dialog receiving many records from the simulator process over UDP on loopback,
// beside a bare socket that sends the same query and counts the lines of the answer. Per round:
// the time from the query to the last record in the dialog's view against the time from the
// query to the bare socket's last byte, and the records held against those sent (a shortfall is
// loss). Then the memory the dialog holds for the records against the bytes received, and how
// long Stop takes. Last, rounds with the socket's receive buffer held at 212,992 bytes (a normal
// Linux's default): records lost, and whether the dialog said so.
// Usage: bench_history [--loaded] [--rounds N] [records, default 100000]
#include "bench/support/bareclients.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "history/recordstore.h"
#include "history/ui/historydata.h"
#include "link/devicerequests.h"
#include "link/linktimings.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {

// Answers every box at once and counts those that tell of lost datagrams.
class CountingPrompter : public Prompter
{
public:
    int lossWarnings = 0;

protected:
    int run(QDialog& dialog) override
    {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (box && box->text().contains(QStringLiteral("数据报")))
            ++lossWarnings;
        return QMessageBox::Ok;
    }
};

const QDate Day(2026, 3, 1);
// The instrument's silence that ends a transfer.
constexpr int SilenceMs = 1000;

struct Transfer
{
    double lastMs = -1; // from the query to the last byte (bare) or the last record in view (dialog)
    qint64 lines = 0;
    qint64 bytes = 0;
};

Transfer bareTransfer(quint16 port)
{
    Transfer result;
    BareUdp bare;
    if (!bare.open(port) || !bare.send(buildHistoryRequest(Day, Day)))
        return result;
    QElapsedTimer clock;
    clock.start();
    for (QByteArray datagram = bare.receive(10000); !datagram.isEmpty(); datagram = bare.receive(SilenceMs)) {
        result.lastMs = clock.nsecsElapsed() / 1e6;
        result.lines += datagram.count('\n');
        result.bytes += datagram.size();
    }
    return result;
}

void setRange(HistoryData& dialog)
{
    dialog.findChild<QDateEdit*>(QStringLiteral("dateStart"))->setDate(Day);
    dialog.findChild<QDateEdit*>(QStringLiteral("dateEnd"))->setDate(Day);
}

// Runs a query in dialog; returns when the transfer has ended (the silence after the last record).
Transfer dialogTransfer(HistoryData& dialog, int records)
{
    Transfer result;
    auto* view = dialog.findChild<QTableView*>(QStringLiteral("viewRecords"));
    QElapsedTimer clock;
    QEventLoop loop;
    // Looks every 5 ms whether the last record is in the view; the look costs a row count.
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (result.lastMs < 0 && view->model()->rowCount() >= records + 1)
            result.lastMs = clock.nsecsElapsed() / 1e6;
        if (clock.elapsed() > 2000 && !dialog.isQuerying())
            loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    clock.start();
    probe.start();
    dialog.findChild<QPushButton*>(QStringLiteral("bntQuery"))->click();
    loop.exec();
    while (dialog.isQuerying())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    result.lines = dialog.records().recordCount();
    return result;
}

// How long Stop takes, from the press to the end of the run, in the middle of a transfer.
double stopMs()
{
    HistoryData dialog;
    dialog.show();
    setRange(dialog);
    dialog.findChild<QPushButton*>(QStringLiteral("bntQuery"))->click();
    QElapsedTimer wait;
    wait.start();
    while (dialog.records().recordCount() < 1000 && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QElapsedTimer clock;
    clock.start();
    dialog.findChild<QPushButton*>(QStringLiteral("bntStop"))->click();
    while (dialog.isQuerying())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 5);
    const int records = options.rest.isEmpty() ? 100000 : qMax(1, options.rest.first().toInt());
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    // About 8 MB/s: a round lasts about a second.
    SimProcess sim;
    if (!sim.start({QStringLiteral("--history-records"), QString::number(records), QStringLiteral("--history-chunk"),
                    QStringLiteral("8192"), QStringLiteral("--history-interval"), QStringLiteral("1")})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorText()));
        return 1;
    }
    Config config;
    config.setValue(Settings::UseUdp, 1);
    config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config.setValue(Settings::UdpPort, QString::number(sim.udpPort()));

    const BusyLoops load(options.loaded);
    printHeading("bench_history: records from the simulator process over UDP", options);
    RoundFigures figures;
    int roundsShort = 0;
    qint64 bytesReceived = 0;
    for (int round = 0; round < options.rounds; ++round) {
        HistoryData dialog;
        dialog.show();
        setRange(dialog);
        Transfer bare;
        Transfer shown;
        if (round % 2 == 0) {
            bare = bareTransfer(sim.udpPort());
            shown = dialogTransfer(dialog, records);
        } else {
            shown = dialogTransfer(dialog, records);
            bare = bareTransfer(sim.udpPort());
        }
        bytesReceived = bare.bytes;
        if (shown.lines < records)
            ++roundsShort;
        std::printf("  round %d: dialog held %lld of %d records, last in view after %.0f ms; bare socket %lld lines,"
                    " last byte after %.0f ms\n",
                    round + 1, (long long)shown.lines, records, shown.lastMs, (long long)bare.lines, bare.lastMs);
        std::fflush(stdout);
        if (shown.lastMs > 0 && bare.lastMs > 0)
            figures.add(shown.lastMs, bare.lastMs);
    }
    printRatioSummary(QStringLiteral("history %1 records, to last in view").arg(records), figures,
                      QStringLiteral("ms"));
    printSummary(QStringLiteral("history rounds that lost records"), roundsShort, roundsShort, QStringLiteral("rounds"),
                 QStringLiteral("0"), options.rounds);

    // Memory: the records held, against the bytes the instrument sent for them.
    {
        malloc_trim(0);
        const qint64 before = residentBytes();
        HistoryData dialog;
        dialog.show();
        setRange(dialog);
        const Transfer shown = dialogTransfer(dialog, records);
        malloc_trim(0);
        const qint64 grown = residentBytes() - before;
        std::printf("Memory: +%.1f MiB resident for %lld records; %.1f MiB received: %.2f x the bytes received\n",
                    grown / 1048576.0, (long long)shown.lines, bytesReceived / 1048576.0,
                    bytesReceived > 0 ? double(grown) / double(bytesReceived) : 0.0);
        printSummary(QStringLiteral("history memory held"), double(grown) / qMax<qint64>(1, bytesReceived),
                     double(grown) / qMax<qint64>(1, bytesReceived), QStringLiteral("x bytes received"),
                     QStringLiteral("%1 MiB").arg(bytesReceived / 1048576.0, 0, 'f', 1), 1);
    }
    std::printf("Stop during a transfer: the run ended %.0f ms after the press\n", stopMs());

    // The system doubles what it is asked for: this holds 212,992 bytes.
    LinkTimings smallBuffer = LinkTimings::current();
    smallBuffer.udpReceiveBufferBytes = 212992 / 2;
    LinkTimings::install(&smallBuffer);
    CountingPrompter prompter;
    Prompter::install(&prompter);
    int roundsLost = 0;
    int roundsWarned = 0;
    for (int round = 0; round < options.rounds; ++round) {
        HistoryData dialog;
        dialog.show();
        setRange(dialog);
        const int warningsBefore = prompter.lossWarnings;
        const Transfer shown = dialogTransfer(dialog, records);
        const bool lost = shown.lines < records;
        const bool warned = prompter.lossWarnings > warningsBefore;
        roundsLost += lost ? 1 : 0;
        roundsWarned += lost && warned ? 1 : 0;
        std::printf("  212,992-byte buffer, round %d: held %lld of %d records%s\n", round + 1, (long long)shown.lines,
                    records, lost ? (warned ? ", the dialog warned" : ", NO WARNING") : "");
        std::fflush(stdout);
    }
    Prompter::install(nullptr);
    LinkTimings::install(nullptr);
    printSummary(QStringLiteral("history 212992 B buffer: rounds lost"), roundsLost, roundsLost,
                 QStringLiteral("rounds"), QStringLiteral("0"), options.rounds);
    printSummary(QStringLiteral("history 212992 B buffer: lost, unwarned"), roundsLost - roundsWarned,
                 roundsLost - roundsWarned, QStringLiteral("rounds"), QStringLiteral("0"), options.rounds);
    return 0;
}
