// Labels: net gui
// The main window as the operator's workbench: the operations log, a link state that is always
// true, rows marked when the link changes, the title naming the instrument, the help entry and
// windows that fit small screens.
#include "app/mainwindow.h"
#include "app/operationslog.h"
#include "app/screenfit.h"
#include "app/stalerows.h"
#include "app/statusbar.h"
#include "config/ui/connectionbar.h"
#include "help/ui/manualwindow.h"
#include "history/ui/historydata.h"
#include "monitor/ui/monitordialog.h"
#include "setup/ui/searchdevicedialog.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QApplication>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeWidget>

class TestWorkbench : public QObject
{
    Q_OBJECT
private slots:
    void failuresStayInTheLog_data();
    void failuresStayInTheLog();
    void emptySearchSaysWhatToCheck();
    void waitingHidesAnEarlierAnswer();
    void linkChangeMarksRows();
    void titleNamesTheInstrument();
    void windowsFitSmallScreens_data();
    void windowsFitSmallScreens();
    void longStatusStopsBeforeTheLink();
    void helpMenuOpensTheManual();
};

void TestWorkbench::failuresStayInTheLog_data()
{
    QTest::addColumn<QString>("instrument"); // "sim", "silent" or "no port"
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint"); // a piece of it
    QTest::newRow("read") << "sim" << false << "已读取 2 项"
                          << "";
    QTest::newRow("silent instrument") << "silent" << true << "接收数据超时"
                                       << "请检查通讯设置";
#ifdef Q_OS_LINUX
    QTest::newRow("serial port missing") << "no port" << true << "打开串口失败"
                                         << "dialout";
#else
    QTest::newRow("serial port missing") << "no port" << true << "打开串口失败"
                                         << "串口是否存在";
#endif
}

// Every outcome of Refresh goes to the log with its time and link; a failure opens the log and
// keeps its whole text and what to check, long after the status bar has moved on.
void TestWorkbench::failuresStayInTheLog()
{
    QFETCH(QString, instrument);
    QFETCH(bool, failed);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    WorkDir dir;
    ScriptedPrompter prompter;
    ShortTimings quick;
    QScopedPointer<ConfigInstrument> sim;
    QScopedPointer<CannedPeer> silent;
    if (instrument == "sim") {
        sim.reset(new ConfigInstrument(Transport::Udp, {"a:1", "b:2"}));
        QVERIFY(sim->started);
    } else if (instrument == "silent") {
        silent.reset(new CannedPeer([](const QByteArray&) { return QByteArray(); }));
    } else {
        Config().setValue(Settings::UseUdp, 0);
        Config().setValue(Settings::SerialPort, dir.filePath("no-such-tty"));
    }
    MainWindow window;
    window.show();
    QVERIFY(refresh(window));
    OperationsLog* log = window.operationsLog();
    QCOMPARE(log->objectName(), QStringLiteral("operationsLog"));
    QCOMPARE(log->entries().size(), 1);
    const OperationsLog::Entry& entry = log->entries().first();
    QCOMPARE(entry.operation, QStringLiteral("刷新"));
    QCOMPARE(entry.failed, failed);
    QVERIFY2(entry.text.startsWith(text), qPrintable(entry.text));
    QVERIFY2(hint.isEmpty() ? entry.hint.isEmpty() : entry.hint.contains(hint), qPrintable(entry.hint));
    QCOMPARE(entry.target, window.connectionBar()->target());
    QVERIFY(qAbs(entry.at.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(log->isVisible(), failed);
    // The row shows it in one line; its tool tip keeps the whole text and the hint.
    QTreeWidgetItem* row = log->list()->topLevelItem(0);
    QVERIFY(row->toolTip(3).startsWith(entry.text));
    QVERIFY(row->toolTip(3).endsWith(entry.hint));
    QCOMPARE(prompter.shown.size(), failed ? 1 : 0);
}

// A device search from the communication settings that finds nothing opens the log with what to
// check: the network, the firewall and the port the probe goes to (silent loopback in tests).
void TestWorkbench::emptySearchSaysWhatToCheck()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    // The search belongs to the UDP page of the settings.
    Config().setValue(Settings::UseUdp, 1);
    MainWindow window;
    window.show();
    prompter.answerNext([](QDialog& setup) {
        setup.findChild<QPushButton*>(QStringLiteral("bntSearch"))->click();
        return int(QDialog::Rejected);
    });
    prompter.answerNext([](QDialog& dialog) {
        auto& search = static_cast<SearchDeviceDialog&>(dialog);
        search.slotSearchDevice();
        // Its end has been shown once Search may be pressed again.
        auto* again = search.findChild<QPushButton*>(QStringLiteral("bntSearch"));
        const bool ended =
            QTest::qWaitFor([&] { return !search.searchThread().isRunning() && again->isEnabled(); }, 20000);
        return ended ? int(QDialog::Rejected) : -1;
    });
    window.slotCommunicationSetup();
    QTRY_COMPARE(window.operationsLog()->entries().size(), 1);
    const OperationsLog::Entry& entry = window.operationsLog()->entries().first();
    QCOMPARE(entry.operation, QStringLiteral("查找设备"));
    QVERIFY(entry.failed);
    QCOMPARE(entry.text, QStringLiteral("未找到设备"));
    QVERIFY2(entry.hint.contains(QStringLiteral("防火墙")) && entry.hint.contains(QStringLiteral("UDP 端口 9 ")),
             qPrintable(entry.hint));
    QVERIFY(window.operationsLog()->isVisible());
}

// While Refresh waits for a dead instrument the bar says so, never an answer from before.
void TestWorkbench::waitingHidesAnEarlierAnswer()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ShortTimings quick;
    CannedPeer silent([](const QByteArray&) { return QByteArray(); });
    MainWindow window;
    window.show();
    ConnectionBar* bar = window.connectionBar();
    bar->showContact(LinkContact::Answered);
    QVERIFY(bar->text().contains("有应答"));
    start(window, "refresh");
    QVERIFY(bar->isWaiting());
    QTRY_VERIFY(bar->text().contains("等待应答…"));
    QVERIFY(!bar->text().contains("有应答"));
    window.slotCancelOperation();
    QVERIFY(waitIdle(window));
    QVERIFY(!bar->isWaiting());
    QVERIFY(!bar->text().contains("等待应答"));
}

// Rows read over one link are marked as that link's once another is set, until a read.
void TestWorkbench::linkChangeMarksRows()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, {"a:1"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    const QString readFrom = window.connectionBar()->target();
    QVERIFY(!rowsMarkedStale(*window.configTree()));

    Config config;
    const QString port = config.value(Settings::UdpPort).toString();
    config.setValue(Settings::UdpPort, "1");
    prompter.answerNext([](QDialog&) { return int(QDialog::Rejected); });
    start(window, "setup");
    QVERIFY(rowsMarkedStale(*window.configTree()));
    QCOMPARE(window.configTree()->toolTip(), QStringLiteral("来自 %1 的读取").arg(readFrom));
    QCOMPARE(window.configTree()->palette().color(QPalette::Active, QPalette::Text),
             window.configTree()->palette().color(QPalette::Disabled, QPalette::Text));

    // Back on the instrument read, the rows are its own again; a read over the new link, too.
    config.setValue(Settings::UdpPort, port);
    prompter.answerNext([](QDialog&) { return int(QDialog::Rejected); });
    start(window, "setup");
    QVERIFY(!rowsMarkedStale(*window.configTree()));
    config.setValue(Settings::UdpPort, "1");
    start(window, "setup");
    QVERIFY(rowsMarkedStale(*window.configTree()));
    config.setValue(Settings::UdpPort, port);
    QVERIFY(refresh(window));
    QVERIFY(!rowsMarkedStale(*window.configTree()));
    QVERIFY(window.configTree()->toolTip().isEmpty());
}

void TestWorkbench::titleNamesTheInstrument()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp);
    QVERIFY(sim.started);
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEve V5.3"));
    QVERIFY(refresh(window));
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEve V5.3 - ZQ-200 ZQ2026120700042"));
    // A language switch keeps the instrument in the title.
    window.findChild<QAction*>("lang_zh_TW")->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEve V5.3 - ZQ-200 ZQ2026120700042"));
}

void TestWorkbench::windowsFitSmallScreens_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("area");
    const QRect areas[] = {QRect(0, 0, 960, 540), QRect(0, 0, 800, 500), QRect(100, 30, 1024, 600)};
    for (const char* window : {"main", "history", "monitor"}) {
        for (const QRect& area : areas)
            QTest::addRow("%s in %dx%d", window, area.width(), area.height()) << window << area;
    }
}

// A 1920x1080 screen at scale factor 2 leaves 960x540: every window gets within the area, and
// the main window's status bar with the link stays on it.
void TestWorkbench::windowsFitSmallScreens()
{
    QFETCH(QString, window);
    QFETCH(QRect, area);
    WorkDir dir;
    dir.writeConfig({{"window/width", 1500}, {"window/height", 1000}});
    MainWindow main;
    main.show();
    QScopedPointer<QDialog> dialog;
    if (window == "history")
        dialog.reset(new HistoryData(&main));
    else if (window == "monitor")
        dialog.reset(new MonitorDialog(&main));
    QWidget* shown = dialog ? static_cast<QWidget*>(dialog.data()) : &main;
    shown->resize(1200, 1100);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    fitToArea(*shown, area);
    QCoreApplication::processEvents();
    QVERIFY2(area.contains(shown->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(shown->x())
                            .arg(shown->y())
                            .arg(shown->frameGeometry().width())
                            .arg(shown->frameGeometry().height())));
    if (!dialog) {
        const QWidget* bar = main.connectionBar();
        QVERIFY(bar->isVisible());
        QVERIFY(main.rect().contains(QRect(bar->mapTo(&main, QPoint(0, 0)), bar->size())));
    }
}

// A long status text ends in "…" before the link text instead of running under it.
void TestWorkbench::longStatusStopsBeforeTheLink()
{
    WorkDir dir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* status = qobject_cast<StatusBar*>(window.statusBar());
    QVERIFY(status);
    const QString longText = QString("1 项未被设备接受: 温度单位").repeated(20);
    status->showMessage(longText);
    QCoreApplication::processEvents();
    QCOMPARE(status->currentMessage(), longText);
    QVERIFY(status->shownMessage().endsWith(QChar(0x2026)));
    QVERIFY(status->messageRight() < window.connectionBar()->x());
    QVERIFY(status->fontMetrics().horizontalAdvance(status->shownMessage()) <= status->messageRight());
    // The link text gives way in its middle and keeps the whole of it in its tool tip.
    QCOMPARE(window.connectionBar()->toolTip(), window.connectionBar()->text());
}

void TestWorkbench::helpMenuOpensTheManual()
{
    WorkDir dir;
    MainWindow window;
    window.show();
    start(window, "manual");
    ManualWindow* manual = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<ManualWindow*>(top))
            manual = found;
    }
    QVERIFY(manual);
    QVERIFY(manual->isVisible());
    QVERIFY(!manual->browser()->toPlainText().isEmpty());
}

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
