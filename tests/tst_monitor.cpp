// Labels: net pty gui
// Runs apart: debugSwitchWhileListening
#include "app/mainwindow.h"
#include "lineview/ui/lineview.h"
#include "link/devicetext.h"
#include "link/hexdump.h"
#include "settings/settingkeys.h"
#include "tests/support/ui/monitorrig.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

// The monitor dialog as the operator uses it, against the simulator over UDP and the pty: the
// display forms, lines in pieces, the debug switch, and the dialog as the main window opens it.
class TestMonitor : public QObject
{
    Q_OBJECT
private slots:
    void formAtOpen();
    void displayForms_data();
    void displayForms();
    void linesInPieces_data();
    void linesInPieces();
    void debugBoxCleared_data();
    void debugBoxCleared();
    void debugSwitchWhileListening_data();
    void debugSwitchWhileListening();
    void startIgnoredWhileRunning();
    void mainWindowOpensMonitor();
};

void TestMonitor::formAtOpen()
{
    MonitorDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("设备监听"));
    QCOMPARE(dialog.size(), QSize(743, 534));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(!dialog.windowIcon().isNull());
    const QList<QPair<QString, QString>> texts{
        {"rdOriginal", "原始数据"}, {"rdHex", "十六进制"},    {"rdOriginalHex", "原始数据 + 十六进制"},
        {"ckDebug", "调试信息"},    {"bntStart", "开始监听"}, {"bntStop", "停止监听"},
        {"bntClear", "清除"}};
    for (const auto& expected : texts) {
        auto* button = dialog.findChild<QAbstractButton*>(expected.first);
        QVERIFY2(button, qPrintable(expected.first));
        QCOMPARE(button->text(), expected.second);
    }
    QVERIFY(dialog.findChild<QRadioButton*>("rdOriginal")->isChecked());
    QVERIFY(dialog.findChild<QCheckBox*>("ckDebug")->isChecked());
    QVERIFY(dialog.findChild<QPushButton*>("bntStart")->isEnabled());
    QVERIFY(!dialog.findChild<QPushButton*>("bntStop")->isEnabled());
    QVERIFY(dialog.findChild<LineView*>("lineView"));
    // One choice at a time.
    dialog.findChild<QRadioButton*>("rdHex")->setChecked(true);
    QVERIFY(!dialog.findChild<QRadioButton*>("rdOriginal")->isChecked());
}

void TestMonitor::displayForms_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("pattern");

    // Two lines in one read: a plain one and a GB2312 one, each with its own stamp and count.
    const QString original = QStringLiteral("^AB\n温度=23.5℃ 状态=正常\n$");
    const QByteArray second = encodeDeviceText(QStringLiteral("温度=23.5℃ 状态=正常\r\n"));
    const QString hex = QStringLiteral("^%1%2\n%3%4\n$")
                            .arg(MonitorRig::stampPattern(4), QStringLiteral("41 42 0D 0A "),
                                 MonitorRig::stampPattern(second.size()), QString::fromLatin1(hexDump(second)));
    const QString both = QStringLiteral("^%1AB \\( 41 42 0D 0A  \\)\n%2温度=23\\.5℃ 状态=正常 \\( %3 \\)\n$")
                             .arg(MonitorRig::stampPattern(4), MonitorRig::stampPattern(second.size()),
                                  QString::fromLatin1(hexDump(second)));
    for (bool udp : {true, false}) {
        const char* transport = udp ? "udp" : "pty";
        QTest::addRow("%s original", transport) << udp << "rdOriginal" << original;
        QTest::addRow("%s hex", transport) << udp << "rdHex" << hex;
        QTest::addRow("%s combined", transport) << udp << "rdOriginalHex" << both;
    }
}

void TestMonitor::displayForms()
{
    QFETCH(bool, udp);
    QFETCH(QString, radio);
    QFETCH(QString, pattern);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.widget<QRadioButton>(qPrintable(radio))->setChecked(true);
    QVERIFY(rig.startListening());
    QVERIFY(!rig.widget("bntStart")->isEnabled() && rig.widget("bntStop")->isEnabled());
    // The debug output can be switched while listening.
    QVERIFY(rig.widget<QCheckBox>("ckDebug")->isEnabled());

    rig.sim()->sendDebugBytes("AB\r\n" + encodeDeviceText(QStringLiteral("温度=23.5℃ 状态=正常\r\n")));
    QVERIFY(rig.waitLines(2));
    const QString shown = rig.text();
    QVERIFY2(QRegularExpression(pattern).match(shown).hasMatch(), qPrintable(shown));

    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
    QVERIFY(rig.idle());
    QCOMPARE(rig.sim()->debugSwitches(), (QStringList{"1", "0"}));
    QVERIFY(!rig.sim()->debugOutput());
    QVERIFY(rig.prompter.shown.isEmpty());
}

void TestMonitor::linesInPieces_data()
{
    MonitorRig::addTransports();
}

// A line split over reads is shown once, whole; bytes without a line feed wait for the rest of
// their line, and are shown as an incomplete line when the run stops.
void TestMonitor::linesInPieces()
{
    QFETCH(bool, udp);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.widget<QRadioButton>("rdHex")->setChecked(true);
    QVERIFY(rig.startListening());

    rig.sim()->sendDebugBytes("HA");
    // Longer than a listening cycle, so that the second piece comes in another read.
    QTest::qWait(MonitorTimings::ListenWaitMs + 50);
    QCOMPARE(rig.dialog.shownLineCount(), 0);
    rig.sim()->sendDebugBytes("LF\r\nNOEND");
    QVERIFY(rig.waitLines(1));
    QTest::qWait(LineModel::FrameMs * 4);
    QVERIFY(QRegularExpression(
                QStringLiteral("^%1%2\n$").arg(MonitorRig::stampPattern(6), QStringLiteral("48 41 4C 46 0D 0A ")))
                .match(rig.text())
                .hasMatch());

    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
    QCOMPARE(rig.dialog.shownLineCount(), 2);
    QVERIFY2(rig.text().endsWith(QStringLiteral("4E 4F 45 4E 44  [行不完整]\n")), qPrintable(rig.text()));

    QVERIFY(rig.startListening());
    rig.sim()->sendDebugBytes("Y\n");
    QVERIFY(rig.waitLines(3));
    // The shown beginning is not joined to the next run's line.
    QVERIFY2(rig.text().endsWith(QStringLiteral("[2] : 59 0A \n")), qPrintable(rig.text()));

    // Clearing is allowed while listening.
    rig.press("bntClear");
    QCOMPARE(rig.text(), QString());
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
}

void TestMonitor::debugBoxCleared_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<bool>("badCrc");
    QTest::addColumn<QString>("error");
    QTest::newRow("udp answered") << true << false << QString();
    QTest::newRow("pty answered") << false << false << QString();
    // Over UDP a reply that is no whole frame is waited for until the time runs out.
    QTest::newRow("udp bad CRC") << true << true << QStringLiteral("接收数据超时");
    QTest::newRow("pty bad CRC") << false << true << QStringLiteral("CRC校验错误");
}

// Without the debug box the instrument is sent "0", and listening starts only on a correct answer;
// such a run sends no closing command.
void TestMonitor::debugBoxCleared()
{
    QFETCH(bool, udp);
    QFETCH(bool, badCrc);
    QFETCH(QString, error);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.widget<QCheckBox>("ckDebug")->setChecked(false);
    if (badCrc)
        rig.sim()->addFault({InstrumentSimulator::BadCrc, InstrumentSimulator::WriteItem});

    if (badCrc) {
        rig.press("bntStart");
        QVERIFY(rig.waitFinished());
        QCOMPARE(rig.listening.count(), 0);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("监听调试"));
        QCOMPARE(rig.prompter.shown.at(0).text, error);
    } else {
        QVERIFY(rig.startListening());
        rig.sim()->sendDebugBytes("quiet line\r\n");
        QVERIFY(rig.waitLines(1));
        QCOMPARE(rig.text(), QStringLiteral("quiet line\n"));
        rig.press("bntStop");
        QVERIFY(rig.waitFinished());
        QVERIFY(rig.prompter.shown.isEmpty());
    }
    QCOMPARE(rig.sim()->debugSwitches(), QStringList{"0"});
    QVERIFY(rig.idle());
}

void TestMonitor::debugSwitchWhileListening_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<bool>("debugAtStart");
    QTest::addColumn<bool>("refused"); // the instrument answers the switch with a bad CRC
    QTest::addColumn<QStringList>("switches");
    for (bool udp : {true, false}) {
        const char* transport = udp ? "udp" : "pty";
        // Switched on while listening: the run switches it off again at its end.
        QTest::addRow("%s off, then on", transport) << udp << false << false << QStringList{"0", "1", "0"};
        // Switched off while listening: nothing is left to switch off at the end.
        QTest::addRow("%s on, then off", transport) << udp << true << false << QStringList{"1", "0"};
    }
    // A refused "1" may still have switched the output on: the run ends with "0" all the same.
    QTest::newRow("pty switch refused") << false << false << true << QStringList{"0", "1", "0"};
}

// The debug box works while the run listens: the command goes through the same exchange, the
// lines that come meanwhile are all shown, and a refused switch leaves the box as the output is.
void TestMonitor::debugSwitchWhileListening()
{
    QFETCH(bool, udp);
    QFETCH(bool, debugAtStart);
    QFETCH(bool, refused);
    QFETCH(QStringList, switches);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.sim()->setDebugInterval(100);
    rig.sim()->setDebugLineCount(-1);
    auto* box = rig.widget<QCheckBox>("ckDebug");
    box->setChecked(debugAtStart);
    QVERIFY(rig.startListening());
    if (debugAtStart)
        QVERIFY(rig.waitLines(3));
    if (refused)
        rig.sim()->addFault({InstrumentSimulator::BadCrc, InstrumentSimulator::WriteItem});

    QSignalSpy switched(&rig.dialog.monitorThread(), &MonitorThread::signalDebugSwitched);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(rig.settle(QTest::qWaitFor([&] { return switched.count() == 1; }, 5000)));
    QCOMPARE(box->isChecked(), refused ? debugAtStart : !debugAtStart);
    if (!debugAtStart && !refused) {
        const qint64 before = rig.dialog.shownLineCount();
        QVERIFY(rig.waitLines(int(before) + 3));
    }
    QTest::qWait(100);
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
    QCOMPARE(rig.sim()->debugSwitches(), switches);
    QCOMPARE(rig.prompter.shown.size(), refused ? 1 : 0);
    if (refused)
        QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("监听调试"));
    else
        QCOMPARE(rig.dialog.receivedLineCount(), qint64(rig.sim()->debugLinesSent()));
}

// Start while a run runs changes nothing: the button is disabled and start() ignores a running thread.
void TestMonitor::startIgnoredWhileRunning()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    QVERIFY(rig.startListening());
    rig.press("bntStart");
    rig.dialog.monitorThread().start();
    rig.sim()->sendDebugBytes("after\n");
    QVERIFY(rig.waitLines(1));
    QCOMPARE(rig.sim()->requestCount(InstrumentSimulator::WriteItem), 1);
    QCOMPARE(rig.listening.count(), 1);
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
}

// The tool bar's monitor opens the dialog; leaving it while a run listens still switches the
// instrument's output off before the dialog is gone.
void TestMonitor::mainWindowOpensMonitor()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    MainWindow window;
    bool listened = false;
    rig.prompter.answerNext([&](QDialog& dialog) {
        auto* monitor = qobject_cast<MonitorDialog*>(&dialog);
        if (!monitor)
            return int(QDialog::Rejected);
        QSignalSpy started(&monitor->monitorThread(), SIGNAL(signalListening()));
        QTest::mousePress(monitor->findChild<QPushButton*>("bntStart"), Qt::LeftButton);
        listened = started.wait(5000);
        return int(QDialog::Rejected);
    });
    window.findChild<QAction*>("monitor")->trigger();
    QVERIFY(listened);
    QCOMPARE(rig.prompter.shown.at(0).className, QStringLiteral("MonitorDialog"));
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("设备监听"));
    QCOMPARE(rig.sim()->debugSwitches(), (QStringList{"1", "0"}));
}

QTEST_MAIN(TestMonitor)
#include "tst_monitor.moc"
