// Times a full configuration read of 256 items through the read thread and a write-all of 256
// items from the main window, both against the simulator over UDP on loopback, beside their floors:
// the same 256 bare readItem, and writeItem, exchanges on one link channel.
#include "app/mainwindow.h"
#include "config/configwriter.h"
#include "config/ui/configtree.h"
#include "config/itemtext.h"
#include "link/linkchannel.h"
#include "settings/config.h"
#include "settings/singleton.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int ItemCount = 256;
constexpr int Rounds = 21;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double floorRound()
{
    LinkChannel channel;
    channel.openFromSettings();
    QByteArray reply;
    QElapsedTimer timer;
    timer.start();
    for (int index = 0; index < ItemCount; ++index)
        channel.readItem(index, reply, 3000);
    return timer.nsecsElapsed() / 1e6;
}

// The same loop on a thread of its own, as the read runs.
double floorRoundOnThread()
{
    double ms = 0;
    QThread* thread = QThread::create([&ms] { ms = floorRound(); });
    thread->start();
    thread->wait();
    delete thread;
    return ms;
}

double refreshRound(int* rows)
{
    RefreshThread thread;
    int added = 0;
    QObject::connect(&thread, &RefreshThread::signalAddItems, [&added](int, const QStringList&) { ++added; });
    QElapsedTimer timer;
    timer.start();
    thread.start();
    while (!thread.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = timer.nsecsElapsed() / 1e6;
    thread.wait();
    QCoreApplication::processEvents();
    *rows = added;
    return ms;
}

// The same 256 items written one by one, as a write-all sends them: the floor of a write-all.
double writeFloorRound(const QStringList& items, int* answered)
{
    double ms = 0;
    QThread* thread = QThread::create([&ms, &items, answered] {
        LinkChannel channel;
        channel.openFromSettings();
        QByteArray reply;
        QElapsedTimer timer;
        timer.start();
        for (int index = 0; index < items.size(); ++index) {
            const QByteArray request =
                buildWriteItemRequest(channel.deviceAddress(), index, itemValue(splitItemText(items.at(index))));
            if (channel.exchange(request, reply, CrcOrder::LowFirst, 10000) == ExchangeOk
                && checkItemReply(reply, channel.deviceAddress()) == ItemReply::Valid)
                ++*answered;
        }
        ms = timer.nsecsElapsed() / 1e6;
    });
    thread->start();
    thread->wait();
    delete thread;
    return ms;
}

// The write-all itself on a worker thread, without a window: what the window adds is the rest.
double writerRound(const QStringList& items)
{
    ConfigRows rows;
    for (const QString& item : items) {
        ConfigRow row;
        row.index = rows.size();
        const QStringList columns = splitItemText(item);
        row.nameColumn = columns.value(0);
        row.valueColumn = columns.value(1);
        rows.append(row);
    }
    double ms = 0;
    QThread* thread = QThread::create([&ms, &rows] {
        QElapsedTimer timer;
        timer.start();
        ConfigWriter::writeAll(LinkSettings::load(), rows, ConfigWriter::Progress());
        ms = timer.nsecsElapsed() / 1e6;
    });
    thread->start();
    thread->wait();
    delete thread;
    return ms;
}

// Runs the event loop for ms, as a window in use sits idle between operations.
void settle(int ms)
{
    QEventLoop idle;
    QTimer::singleShot(ms, &idle, &QEventLoop::quit);
    idle.exec();
}

// From the trigger until the window has shown the outcome (the rows' new values included), in a
// shown window that has laid out and painted its rows before.
double writeAllRound(const QStringList& items, QString* status)
{
    MainWindow window;
    for (int index = 0; index < items.size(); ++index)
        window.slotAddItems(index, splitItemText(items.at(index)));
    window.show();
    settle(50);
    QElapsedTimer timer;
    timer.start();
    window.slotWriteItems();
    // Waits as the application's own loop does. (processEvents with a time limit never sleeps: it
    // kept a core busy that the worker and the simulator needed.)
    while (window.isBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double ms = timer.nsecsElapsed() / 1e6;
    *status = window.statusBar()->currentMessage();
    return ms;
}

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    QStringList items;
    for (int index = 0; index < ItemCount; ++index)
        items.append(QStringLiteral("配置项%1:%2").arg(index).arg(index * 10));
    SimulatorHost host;
    if (!host.start() || !host.listenUdp()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    host.simulator()->setItems(items);
    Config* config = singleton<Config>::instance();
    config->setValue(QStringLiteral("communicate/udp"), 1);
    config->setValue(QStringLiteral("udp/address"), QStringLiteral("127.0.0.1"));
    config->setValue(QStringLiteral("udp/port"), QString::number(host.simulator()->udpPort()));

    QList<double> floors, threadFloors, writeFloors, writers, refreshes, writes;
    int rows = 0;
    int answeredWrites = 0;
    QString status;
    for (int round = 0; round < Rounds; ++round) {
        floors.append(floorRound());
        threadFloors.append(floorRoundOnThread());
        refreshes.append(refreshRound(&rows));
        answeredWrites = 0;
        writeFloors.append(writeFloorRound(items, &answeredWrites));
        writers.append(writerRound(items));
        writes.append(writeAllRound(items, &status));
    }
    QTextStream out(stdout);
    out << "256 items over UDP on loopback, median of " << Rounds << " rounds\n";
    out << QStringLiteral("  floor, bare readItem exchanges on a worker thread: %1 ms total, %2 ms per item\n")
               .arg(median(threadFloors), 0, 'f', 1)
               .arg(median(threadFloors) / ItemCount, 0, 'f', 3);
    out << QStringLiteral("  floor, bare readItem exchanges on the UI thread:   %1 ms total, %2 ms per item\n")
               .arg(median(floors), 0, 'f', 1)
               .arg(median(floors) / ItemCount, 0, 'f', 3);
    out << QStringLiteral("  refresh through RefreshThread (worker thread):     %1 ms total, %2 ms per item (%3 rows)\n")
               .arg(median(refreshes), 0, 'f', 1)
               .arg(median(refreshes) / ItemCount, 0, 'f', 3)
               .arg(rows);
    out << QStringLiteral("  floor, bare writeItem exchanges on a worker thread: %1 ms total, %2 ms per item (%3 answered)\n")
               .arg(median(writeFloors), 0, 'f', 1)
               .arg(median(writeFloors) / ItemCount, 0, 'f', 3)
               .arg(answeredWrites);
    out << QStringLiteral("  write-all without a window (worker thread):       %1 ms total, %2x the floor\n")
               .arg(median(writers), 0, 'f', 1)
               .arg(median(writers) / median(writeFloors), 0, 'f', 2);
    out << QStringLiteral("  write-all from the main window (worker thread):    %1 ms total, %2 ms per item, %3x the floor (status %4)\n")
               .arg(median(writes), 0, 'f', 1)
               .arg(median(writes) / ItemCount, 0, 'f', 3)
               .arg(median(writes) / median(writeFloors), 0, 'f', 2)
               .arg(status);
    host.stop();
    singleton<Config>::destroy();
    return 0;
}
