// Labels: net pty gui
#include "settings/settingkeys.h"
#include "tests/support/ui/monitorrig.h"

#include <QTimer>

// How a monitoring run fails and ends: each failure row with its fault injected, a stop while the
// first debug command waits, and closing the dialog during a run, over UDP and the pty.
class TestMonitorStop : public QObject
{
    Q_OBJECT
private slots:
    void failures_data();
    void failures();
    void stopDuringFirstCommand_data();
    void stopDuringFirstCommand();
    void closeDuringRun_data();
    void closeDuringRun();
};

Q_DECLARE_METATYPE(InstrumentSimulator::FaultKind)

void TestMonitorStop::failures_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QString>("serialPort"); // empty: the simulator's
    QTest::addColumn<QString>("udpAddress"); // empty: the simulator's
    QTest::addColumn<int>("fault"); // -1: none
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("pty open failure") << false << "/nonexistent/ttyZQ" << QString() << -1 << "设备监听"
                                      << "打开串口失败: /nonexistent/ttyZQ";
    QTest::newRow("udp not sent") << true << QString() << "no.such.address" << -1 << "监听调试"
                                  << "发送命令超时";
    QTest::newRow("udp no reply") << true << QString() << QString() << int(InstrumentSimulator::NoReply) << "监听调试"
                                  << "接收数据超时";
    QTest::newRow("pty no reply") << false << QString() << QString() << int(InstrumentSimulator::NoReply) << "监听调试"
                                  << "接收数据超时";
    QTest::newRow("pty bad CRC") << false << QString() << QString() << int(InstrumentSimulator::BadCrc) << "监听调试"
                                 << "CRC校验错误";
}

// A failed open or first debug command ends the run by itself after its box, without listening.
void TestMonitorStop::failures()
{
    QFETCH(bool, udp);
    QFETCH(QString, serialPort);
    QFETCH(QString, udpAddress);
    QFETCH(int, fault);
    QFETCH(QString, title);
    QFETCH(QString, text);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    if (!serialPort.isEmpty())
        rig.dir.writeConfig({{Settings::SerialPort.path, serialPort}});
    if (!udpAddress.isEmpty())
        rig.dir.writeConfig({{Settings::UdpAddress.path, udpAddress}});
    if (fault >= 0)
        rig.sim()->addFault({InstrumentSimulator::FaultKind(fault), InstrumentSimulator::WriteItem});

    rig.press("bntStart");
    QVERIFY(rig.waitFinished());
    QCOMPARE(rig.listening.count(), 0);
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, title);
    QCOMPARE(rig.prompter.shown.at(0).text, text);
    QVERIFY(rig.idle());
    // No listening; but a "1" that went out may have switched the output on, so "0" follows.
    QCOMPARE(rig.sim()->requestCount(InstrumentSimulator::WriteItem), fault >= 0 ? 2 : 0);
}

void TestMonitorStop::stopDuringFirstCommand_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

// Stop while the "1" still waits for its reply returns at once and shows the run ending; no
// listening cycle runs, and the "1" that succeeded is followed by "0" before finished().
void TestMonitorStop::stopDuringFirstCommand()
{
    QFETCH(bool, udp);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WriteItem, 1, 400});
    QStringList switchesAtFinish;
    QObject::connect(
        &rig.dialog.monitorThread(), &MonitorThread::finished, &rig.dialog,
        [&] { switchesAtFinish = rig.sim()->debugSwitches(); }, Qt::DirectConnection);

    rig.press("bntStart");
    QVERIFY(rig.settle(
        QTest::qWaitFor([&] { return rig.sim()->requestCount(InstrumentSimulator::WriteItem) == 1; }, 5000)));
    QVERIFY(rig.widget("bntStop")->isEnabled());
    rig.press("bntStop");
    // The press returned with the command still waiting: the window shows that it is stopping.
    QVERIFY(rig.dialog.monitorThread().isStopping());
    QVERIFY(!rig.widget("bntStart")->isEnabled());
    QVERIFY(!rig.widget("bntStop")->isEnabled());
    QVERIFY(!rig.widget<QCheckBox>("ckDebug")->isEnabled());

    QVERIFY(rig.waitFinished());
    QCOMPARE(rig.listening.count(), 0);
    QCOMPARE(switchesAtFinish, (QStringList{"1", "0"}));
    QVERIFY(rig.prompter.shown.isEmpty());
    QVERIFY(rig.idle());
}

void TestMonitorStop::closeDuringRun_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

// Closing during a run stops it and closes once the worker has sent its closing "0" and ended;
// the window's event loop keeps running meanwhile, and the dialog stays up until then.
void TestMonitorStop::closeDuringRun()
{
    QFETCH(bool, udp);
    MonitorRig rig(udp);
    QVERIFY(rig.ready);
    rig.sim()->setDebugRate(200);
    rig.sim()->setDebugLineCount(-1);

    int ticksWhileClosing = 0;
    bool closing = false;
    bool visibleAfterClose = false;
    QTimer ticker;
    ticker.setInterval(20);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksWhileClosing += closing ? 1 : 0; });
    ticker.start();
    QTimer::singleShot(0, &rig.dialog, [&] {
        if (!rig.startListening() || !rig.waitLines(3))
            return;
        // The closing "0" is answered late, so that the close has something to wait for.
        rig.sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WriteItem, 1, 300});
        closing = true;
        rig.dialog.reject();
        visibleAfterClose = rig.dialog.isVisible();
    });
    const int result = rig.dialog.exec();
    closing = false;

    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(visibleAfterClose);
    QVERIFY(!rig.dialog.monitorThread().isRunning());
    QCOMPARE(rig.sim()->debugSwitches(), (QStringList{"1", "0"}));
    QVERIFY(!rig.sim()->debugOutput());
    // 300 ms of waiting at 20 ms a tick: the loop ran all along.
    QVERIFY2(ticksWhileClosing >= 5, qPrintable(QString::number(ticksWhileClosing)));
    QVERIFY(rig.prompter.shown.isEmpty());
}

QTEST_MAIN(TestMonitorStop)
#include "tst_monitorstop.moc"
