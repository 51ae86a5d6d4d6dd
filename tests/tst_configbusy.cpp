// Labels: net pty gui
// Runs apart: cancelEndsOperation
// Runs apart: cancelCountsItemInFlight busyStateShowsProgress
// The window while an operation on the instrument runs: the busy note with its Cancel button, the
// connection bar, the connection test, the keys and a close in the middle of a write.
#include "app/mainwindow.h"
#include "app/repainthold.h"
#include "config/configwriter.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "config/ui/connectionbar.h"
#include "config/ui/localclock.h"
#include "config/ui/modifydialog.h"
#include "firmware/devicetypemgr.h"
#include "firmware/downloadthread.h"
#include "history/readthread.h"
#include "jobs/jobrunner.h"
#include "link/devicerequests.h"
#include "settings/linksettings.h"
#include "sim/downloadserver.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/eventcounter.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <QToolBar>
#include <ctime>

class TestConfigBusy : public QObject
{
    Q_OBJECT
private slots:
    void cancelEndsOperation_data();
    void cancelEndsOperation();
    void cancelCountsItemInFlight_data();
    void cancelCountsItemInFlight();
    void stopEndsDialogWorkers_data();
    void stopEndsDialogWorkers();
    void connectionBarTellsContact_data();
    void connectionBarTellsContact();
    void contactTimeAcrossOffsetChanges_data();
    void contactTimeAcrossOffsetChanges();
    void busyStateShowsProgress();
    void shortcuts_data();
    void shortcuts();
    void closeDuringWriteAsks_data();
    void closeDuringWriteAsks();
};

namespace {

const QString hint = QStringLiteral("请检查通讯设置中的地址、端口、串口线和设备地址。");
const QStringList items{"温度:20", "湿度:30", "报警上限:120"};

// The instrument's own waits, so that nothing but Cancel ends a wait within a second.
struct ProductTimings
{
    ProductTimings() { LinkTimings::install(nullptr); }
};

InstrumentSimulator::Fault silence(InstrumentSimulator::Command command)
{
    InstrumentSimulator::Fault fault;
    fault.kind = InstrumentSimulator::NoReply;
    fault.command = command;
    fault.count = -1;
    return fault;
}

} // namespace

void TestConfigBusy::cancelEndsOperation_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QString>("action"); // "edit" is a double click on the first row
    QTest::addColumn<int>("silent"); // the command the instrument does not answer
    QTest::addColumn<QString>("status"); // what the status bar says afterwards
    const QString readStopped = QStringLiteral("读取中断: 已读 0 项, 配置树保持读取前的内容");
    for (Transport transport : {Transport::Udp, Transport::Pty}) {
        const char* over = transport == Transport::Udp ? "udp" : "pty";
        QTest::addRow("read %s", over) << transport << "refresh" << int(InstrumentSimulator::ReadItem) << readStopped;
        QTest::addRow("write-all %s", over)
            << transport << "save" << int(InstrumentSimulator::WriteItem) << "写入已取消, 已写入 0 项";
        QTest::addRow("sync time %s", over)
            << transport << "sync_time" << int(InstrumentSimulator::SetClock) << "同步时间已取消";
    }
    QTest::newRow("edit udp") << Transport::Udp << "edit" << int(InstrumentSimulator::WriteItem)
                              << "写入已取消, 已写入 0 项";
    QTest::newRow("connection test udp") << Transport::Udp << "test_connection" << int(InstrumentSimulator::ReadItem)
                                         << "测试连接已取消";
}

// Against an instrument that stays silent for the product's 10 s waits, Cancel ends the operation
// within a second, without a box, and the tree keeps its rows.
void TestConfigBusy::cancelEndsOperation()
{
    QFETCH(Transport, transport);
    QFETCH(QString, action);
    QFETCH(int, silent);
    QFETCH(QString, status);
    WorkDir dir;
    ScriptedPrompter prompter;
    ProductTimings timings;
    ConfigInstrument sim(transport, items);
    QVERIFY(sim.started);
    sim->addFault(silence(InstrumentSimulator::Command(silent)));
    MainWindow window;
    addRows(window, {{0, "温度:25"}, {1, "湿度:30"}});
    const QStringList before = rowsOf(window);
    if (action == QLatin1String("edit")) {
        prompter.answerNext([](QDialog& dialog) {
            static_cast<ModifyDialog&>(dialog).lineEditor()->setText("21");
            return int(QDialog::Accepted);
        });
        window.slotRowDoubleClicked(0);
    } else {
        start(window, action.toLatin1().constData());
    }
    QVERIFY(window.isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(window.busyIndicator()->isVisibleTo(&window), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(sim->requestCount(InstrumentSimulator::Command(silent)) >= 1, 5000);

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(window.busyIndicator()->cancelButton(), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !window.isBusy(); }, 5000));
    const qint64 took = clock.elapsed();
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    QCoreApplication::processEvents();
    QVERIFY2(outcomeTexts(prompter).isEmpty(), qPrintable(outcomeTexts(prompter).join('\n')));
    QCOMPARE(window.statusBar()->currentMessage(), status);
    QCOMPARE(rowsOf(window), before);
    QVERIFY(!window.busyIndicator()->isVisibleTo(&window));
    QVERIFY(window.findChild<QAction*>("refresh")->isEnabled());
}

void TestConfigBusy::cancelCountsItemInFlight_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<int>("stopAt"); // the row whose request goes out as the operator cancels
    for (Transport transport : {Transport::Udp, Transport::Pty}) {
        const char* over = transport == Transport::Udp ? "udp" : "pty";
        QTest::addRow("first row %s", over) << transport << 0;
        QTest::addRow("third row %s", over) << transport << 2;
    }
}

// A Cancel while the instrument takes its time to answer: it took the row already sent, so the
// count of rows written includes it, and the status tells as many as the instrument holds changed.
void TestConfigBusy::cancelCountsItemInFlight()
{
    QFETCH(Transport, transport);
    QFETCH(int, stopAt);
    WorkDir dir;
    ShortTimings timings;
    const QStringList before{"a:1", "b:2", "c:3", "d:4", "e:5"};
    ConfigInstrument sim(transport, before);
    QVERIFY(sim.started);
    InstrumentSimulator::Fault slow;
    slow.kind = InstrumentSimulator::DelayReply;
    slow.command = InstrumentSimulator::WriteItem;
    slow.count = -1;
    slow.delayMs = 150;
    sim->addFault(slow);
    ConfigRows rows;
    for (int i = 0; i < before.size(); ++i)
        rows.append({i, before.at(i).left(1), QString::number(10 + i), true, -1});
    std::atomic<bool> stop{false};
    ConfigWriter::Progress progress;
    progress.starting = [&](int row) {
        if (row == stopAt)
            stop = true;
    };
    const ConfigOutcome outcome = ConfigWriter::writeAll(LinkSettings::load(), rows, progress, &stop);
    QVERIFY(outcome.cancelled);
    int changed = 0;
    for (int i = 0; i < before.size(); ++i)
        changed += sim.items().value(i) != before.at(i) ? 1 : 0;
    QCOMPARE(changed, stopAt + 1);
    QCOMPARE(outcome.written, changed);
}

void TestConfigBusy::stopEndsDialogWorkers_data()
{
    QTest::addColumn<QString>("worker");
    QTest::addColumn<Transport>("transport");
    QTest::newRow("history query udp") << "history" << Transport::Udp;
    QTest::newRow("history query pty") << "history" << Transport::Pty;
    QTest::newRow("catalogue fetch") << "catalogue" << Transport::Udp;
    QTest::newRow("download") << "download" << Transport::Udp;
}

// The dialogs' workers, each waiting on a silent instrument or a stalled server with a wait far
// longer than a second, end within one when stopped.
void TestConfigBusy::stopEndsDialogWorkers()
{
    QFETCH(QString, worker);
    QFETCH(Transport, transport);
    WorkDir dir;
    ProductTimings timings;
    ConfigInstrument sim(transport, items);
    QVERIFY(sim.started);
    sim->addFault(silence(InstrumentSimulator::QueryHistory));
    DownloadServer server;
    server.addFile("zq.zqbin", QByteArray(4096, 'x'));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    server.setMisbehaviour(DownloadServer::Stall);

    ReadThread history;
    JobRunner runner;
    FetchTimes times;
    times.idleTimeoutMs = 60000;
    std::function<bool()> running;
    std::function<void()> stop;
    if (worker == QLatin1String("history")) {
        history.startRead(buildHistoryRequest(QDate(2026, 1, 1), QDate(2026, 1, 2)));
        QTRY_VERIFY_WITH_TIMEOUT(sim->requestCount(InstrumentSimulator::QueryHistory) >= 1, 5000);
        running = [&] { return history.isRunning(); };
        stop = [&] { history.stop(); };
    } else if (worker == QLatin1String("catalogue")) {
        const QUrl page(server.pageUrl());
        runner.start([page, times](const StopToken& token) { DeviceTypeMgr::fetch(page, times, token); });
        running = [&] { return runner.isWorking(); };
        stop = [&] { runner.stop(); };
    } else {
        DownloadTarget target;
        target.link = server.fileUrl("zq.zqbin");
        target.folder = QDir::currentPath();
        target.times = times;
        runner.start([target](const StopToken& token) {
            struct NoProgress : DownloadSink
            {
                void progress(int) override { }
            } sink;
            DownloadThread::download(target, token, sink);
        });
        running = [&] { return runner.isWorking(); };
        stop = [&] { runner.stop(); };
    }
    QTRY_VERIFY_WITH_TIMEOUT(worker == QLatin1String("history") || server.requestCount() >= 1, 5000);
    QTest::qWait(100);
    QVERIFY(running());
    QElapsedTimer clock;
    clock.start();
    stop();
    QVERIFY(QTest::qWaitFor([&] { return !running(); }, 5000));
    const qint64 took = clock.elapsed();
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
}

void TestConfigBusy::connectionBarTellsContact_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("action");
    QTest::newRow("udp answers test") << Transport::Udp << false << "test_connection";
    QTest::newRow("udp silent test") << Transport::Udp << true << "test_connection";
    QTest::newRow("pty answers test") << Transport::Pty << false << "test_connection";
    QTest::newRow("pty silent read") << Transport::Pty << true << "refresh";
    QTest::newRow("udp answers read") << Transport::Udp << false << "refresh";
    QTest::newRow("udp silent write") << Transport::Udp << true << "save";
}

void TestConfigBusy::connectionBarTellsContact()
{
    QFETCH(Transport, transport);
    QFETCH(bool, silent);
    QFETCH(QString, action);
    WorkDir dir;
    ScriptedPrompter prompter;
    // Silence is all these rows wait for: short waits keep them quick.
    LinkTimings quick;
    quick.readItemMs = 100;
    quick.readItemRetryMs = 150;
    quick.writeItemMs = 150;
    LinkTimings::install(&quick);
    struct Restore
    {
        ~Restore() { LinkTimings::install(nullptr); }
    } restore;
    ConfigInstrument sim(transport, items, 7);
    QVERIFY(sim.started);
    if (silent)
        sim->addFault(silence(InstrumentSimulator::AnyCommand));
    MainWindow window;
    addRows(window, {{2, "报警上限:100"}});
    ConnectionBar* bar = window.connectionBar();
    const LinkSettings link = LinkSettings::load();
    const QString target = transport == Transport::Udp ? QStringLiteral("UDP 127.0.0.1:%1").arg(link.udpPort)
                                                       : link.serialPort + QStringLiteral(" 9600 8N1");
    QCOMPARE(bar->text(), target + QStringLiteral(" | 设备地址 7 | 尚未通讯"));

    trigger(window, action.toLatin1().constData());
    const QString state = bar->text().section(QStringLiteral(" | "), 2);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d %1$").arg(silent ? "无应答" : "有应答"))
                 .match(state)
                 .hasMatch(),
             qPrintable(bar->text()));
    QCOMPARE(bar->contact(), silent ? LinkContact::NoAnswer : LinkContact::Answered);
    // The local time of the contact, within the seconds the check took.
    const int lateBy = QTime::fromString(state.left(8), QStringLiteral("HH:mm:ss")).secsTo(QTime::currentTime());
    QVERIFY2((lateBy + 86400) % 86400 <= 3, qPrintable(state));
    if (silent) {
        QVERIFY2(!outcomeTexts(prompter).isEmpty() && outcomeTexts(prompter).first().endsWith("\n" + hint),
                 qPrintable(outcomeTexts(prompter).join('|')));
    } else if (action == QLatin1String("test_connection")) {
        QCOMPARE(outcomeTexts(prompter).size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^设备已应答, 用时 \\d+ ms$"))
                     .match(outcomeTexts(prompter).first())
                     .hasMatch(),
                 qPrintable(outcomeTexts(prompter).first()));
        QCOMPARE(prompter.shown.first().title, QStringLiteral("测试连接"));
    }
    // Another target forgets what the last one answered.
    Config config;
    config.setValue(Settings::DeviceAddress, 8);
    trigger(window, "setup");
    QVERIFY2(bar->text().endsWith(QStringLiteral("设备地址 8 | 尚未通讯")), qPrintable(bar->text()));
}

// While a Write-all runs the busy note counts the rows and the conflicting actions are off; a row
// double-clicked meanwhile is refused with a word, not queued. A quick one shows no note at all.
void TestConfigBusy::busyStateShowsProgress()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ShortTimings timings;
    ConfigInstrument sim(Transport::Udp, items);
    QVERIFY(sim.started);
    InstrumentSimulator::Fault slow;
    slow.kind = InstrumentSimulator::DelayReply;
    slow.command = InstrumentSimulator::WriteItem;
    slow.count = -1;
    slow.delayMs = 300;
    sim->addFault(slow);
    MainWindow window;
    addRows(window, {{0, "温度:21"}, {1, "湿度:31"}, {2, "报警上限:121"}});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The tool bar shows the busy look one frame into an operation, not before: a quick one paints
    // its end only.
    QWidget* writeButton =
        window.findChild<QToolBar*>("toolBar")->widgetForAction(window.findChild<QAction*>("write_changed"));
    int buttonPaints = 0;
    EventCounter paintCounter(QEvent::Paint, &buttonPaints);
    writeButton->installEventFilter(&paintCounter);
    QStringList seen;
    bool noteShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, &window, [&] {
        noteShown = noteShown || window.busyIndicator()->isVisibleTo(&window);
        const QString text = window.busyIndicator()->text();
        if (window.isBusy() && text.contains(QLatin1Char('/')) && !seen.contains(text))
            seen.append(text);
    });
    watch.start(10);
    start(window, "save");
    // The actions are off, and so are the tool bar's buttons for them.
    const auto offNow = [&window] {
        QStringList off;
        auto* toolBar = window.findChild<QToolBar*>("toolBar");
        for (const char* name :
             {"refresh", "import_2", "save", "write_changed", "sync_time", "test_connection", "restore_backup"}) {
            QAction* action = window.findChild<QAction*>(QLatin1String(name));
            const QWidget* button = toolBar->widgetForAction(action);
            if (!action->isEnabled() && (!button || !button->isEnabled()))
                off.append(QLatin1String(name));
        }
        return off;
    };
    QCOMPARE(offNow().size(), 7);
    QVERIFY(window.findChild<QAction*>("export_2")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(buttonPaints > 0, 600);
    QVERIFY(window.isBusy());
    window.slotRowDoubleClicked(0);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("另一项配置操作尚未结束, 请稍候"));
    QVERIFY(waitIdle(window));
    // The note follows the rows (in batches, so at the rows' pace here).
    QCOMPARE(seen, (QStringList{"正在写入 1/3 ……", "正在写入 2/3 ……", "正在写入 3/3 ……"}));
    QCOMPARE(sim.items(), (QStringList{"温度:21", "湿度:31", "报警上限:121"}));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    QCOMPARE(window.configTree()->currentRow(), 2);
    QCOMPARE(offNow(), QStringList());
    QCOMPARE(outcomeTexts(prompter), QStringList());
    QVERIFY(noteShown);

    sim->clearFaults();
    noteShown = false;
    QTest::qWait(50);
    buttonPaints = 0;
    QElapsedTimer quick;
    quick.start();
    start(window, "save");
    QVERIFY(waitIdle(window));
    const qint64 quickMs = quick.elapsed();
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    QVERIFY(!noteShown);
    QTest::qWait(50);
    // (A machine too busy to end it within the frame paints the busy look too, rightly.)
    if (quickMs < RepaintHold::FrameMs)
        QVERIFY2(buttonPaints <= 1, qPrintable(QString::number(buttonPaints)));
}

void TestConfigBusy::shortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("keys");
    QTest::newRow("refresh") << "refresh"
                             << "F5";
    QTest::newRow("write changes") << "write_changed"
                                   << "Ctrl+S";
    QTest::newRow("export") << "export_2"
                            << "Ctrl+E";
    QTest::newRow("import") << "import_2"
                            << "Ctrl+O";
    QTest::newRow("sync time") << "sync_time"
                               << "Ctrl+T";
    QTest::newRow("history") << "debug"
                             << "Ctrl+H";
    QTest::newRow("monitor") << "monitor"
                             << "Ctrl+M";
    QTest::newRow("firmware") << "update"
                              << "Ctrl+U";
    QTest::newRow("settings") << "setup"
                              << "Ctrl+,";
}

// Each key reaches its action from the window, and no two actions share a key.
void TestConfigBusy::shortcuts()
{
    QFETCH(QString, action);
    QFETCH(QString, keys);
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QAction* found = window.findChild<QAction*>(action);
    QVERIFY(found);
    QCOMPARE(found->shortcut(), QKeySequence(keys));
    int sharing = 0;
    for (QAction* other : window.findChildren<QAction*>())
        sharing += other->shortcut() == QKeySequence(keys) ? 1 : 0;
    QCOMPARE(sharing, 1);
    QSignalSpy triggered(found, &QAction::triggered);
    const QKeySequence sequence(keys);
    QTest::keyClick(&window, Qt::Key(sequence[0] & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(sequence[0] & Qt::KeyboardModifierMask));
    QCOMPARE(triggered.count(), 1);
    QVERIFY(waitIdle(window));
}

void TestConfigBusy::closeDuringWriteAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("stays") << int(QMessageBox::No) << false;
    QTest::newRow("closes") << int(QMessageBox::Yes) << true;
}

// A close in the middle of a write asks first; confirmed, the write stops at once and nothing
// runs on after the window.
void TestConfigBusy::closeDuringWriteAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    WorkDir dir;
    ScriptedPrompter prompter;
    ProductTimings timings;
    ConfigInstrument sim(Transport::Pty, items);
    QVERIFY(sim.started);
    sim->addFault(silence(InstrumentSimulator::WriteItem));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    addRows(window, {{0, "温度:25"}});
    start(window, "save");
    QTRY_VERIFY_WITH_TIMEOUT(sim->requestCount(InstrumentSimulator::WriteItem) >= 1, 5000);
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        defaultButton = box.standardButton(box.defaultButton());
        return answer;
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(window.close(), closes);
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(defaultButton, QMessageBox::No);
    QCOMPARE(outcomeTexts(prompter),
             QStringList{"正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。\n仍要关闭吗?"});
    QCOMPARE(window.configRunner().isWorking(), !closes);
    if (!closes) {
        window.slotCancelOperation();
        QVERIFY(waitIdle(window, 5000));
    }
}

void TestConfigBusy::contactTimeAcrossOffsetChanges_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("utc"); // one after the other, to one clock
    QTest::addColumn<QString>("local"); // as the zone tells each
    QTest::newRow("spring forward") << QByteArray("Europe/Berlin") << "2026-03-29T00:59:59 2026-03-29T01:00:00"
                                    << "01:59:59 03:00:00";
    QTest::newRow("fall back") << QByteArray("Europe/Berlin") << "2026-10-25T00:59:59 2026-10-25T01:00:00"
                               << "02:59:59 02:00:00";
    QTest::newRow("half an hour's change")
        << QByteArray("Australia/Lord_Howe") << "2026-04-04T14:59:59 2026-04-04T15:00:00"
        << "01:59:59 01:30:00";
    QTest::newRow("quarter hours off, over midnight")
        << QByteArray("Asia/Kathmandu") << "2026-12-07T18:14:59 2026-12-07T18:15:00"
        << "23:59:59 00:00:00";
}

// The clock keeps the zone's offset only within a quarter hour of UTC: it follows every change.
void TestConfigBusy::contactTimeAcrossOffsetChanges()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, utc);
    QFETCH(QString, local);
    if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
        QSKIP("the zone database is not installed");
    const QByteArray before = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", zone);
    tzset();
    LocalClock clock;
    QStringList shown;
    for (const QString& moment : utc.split(QLatin1Char(' '))) {
        const QDateTime at = QDateTime::fromString(moment, Qt::ISODate);
        shown.append(clock.timeAt(QDateTime(at.date(), at.time(), Qt::UTC).toMSecsSinceEpoch())
                         .toString(QStringLiteral("HH:mm:ss")));
    }
    if (hadZone)
        qputenv("TZ", before);
    else
        qunsetenv("TZ");
    tzset();
    QCOMPARE(shown.join(QLatin1Char(' ')), local);
}

QTEST_MAIN(TestConfigBusy)
#include "tst_configbusy.moc"
