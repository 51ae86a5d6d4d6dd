// Labels: pty net gui
#include "app/mainwindow.h"
#include "settings/settingkeys.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

#include <memory>

// Sync Time sets the instrument's clock from the workstation's.
class TestSyncTime : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void setsSimulatorClock_data();
    void setsSimulatorClock();
    void replies_data();
    void replies();
    void silentInstrument();
    void unopenedLink();

private:
    std::unique_ptr<ShortTimings> timings;
};

void TestSyncTime::setsSimulatorClock_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<int>("address");
    QTest::newRow("udp") << Transport::Udp << 255;
    QTest::newRow("pty") << Transport::Pty << 255;
    QTest::newRow("udp address 1") << Transport::Udp << 1;
}

void TestSyncTime::setsSimulatorClock()
{
    QFETCH(Transport, transport);
    QFETCH(int, address);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, {"a:1"}, address);
    QVERIFY(sim.started);
    MainWindow window;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    prompter.answerNext([&](QDialog& dialog) {
        icon = static_cast<QMessageBox&>(dialog).icon();
        return int(QMessageBox::Ok);
    });
    addRows(window, {{0, "a:1"}, {1, "设备时间:2000-01-01 00:00:00"}});
    trigger(window, "sync_time");
    const QDateTime now = QDateTime::currentDateTime();
    // The message and the device-time row both name the time the instrument took.
    QCOMPARE(prompter.texts().size(), 1);
    const QStringList lines = prompter.texts().first().split('\n');
    QCOMPARE(lines.first(), QStringLiteral("同步时间成功"));
    QVERIFY2(lines.value(1).startsWith(QStringLiteral("设备时钟已设为 ")), qPrintable(lines.value(1)));
    const QString setTo = lines.value(1).section(' ', 1);
    QCOMPARE(shownText(window, 1, 1), ": " + setTo);
    QVERIFY(!window.configModel()->item(1).isChanged());
    QVERIFY(qAbs(QDateTime::fromString(setTo, "yyyy-MM-dd HH:mm:ss").secsTo(now)) <= 2);
    QCOMPARE(prompter.shown.first().title, QStringLiteral("同步时间"));
    QCOMPARE(icon, QMessageBox::Information);
    const qint64 apart = qAbs(sim->clock().secsTo(now));
    QVERIFY2(apart <= 2, qPrintable(sim->clock().toString(Qt::ISODate) + " vs " + now.toString(Qt::ISODate)));
}

void TestSyncTime::replies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::newRow("acknowledged") << QByteArray::fromHex("FF03024F4BE597") << "同步时间成功";
    QTest::newRow("well formed, not OK") << CannedPeer::dataReply("NO") << "同步时间失败";
    QTest::newRow("longer than OK") << CannedPeer::dataReply("OK!") << "同步时间失败";
    QTest::newRow("other address") << CannedPeer::dataReply("OK", 0x01) << "同步时间失败";
}

void TestSyncTime::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    WorkDir dir;
    ScriptedPrompter prompter;
    CannedPeer peer([reply](const QByteArray&) { return reply; });
    MainWindow window;
    trigger(window, "sync_time");
    QCOMPARE(prompter.texts().size(), 1);
    QCOMPARE(prompter.texts().first().section('\n', 0, 0), text);
    QCOMPARE(prompter.shown.first().title, QStringLiteral("同步时间"));
    QCOMPARE(peer.requests().size(), 1);
    const QByteArray request = peer.requests().first();
    QCOMPARE(request.size(), 16);
    QCOMPARE(request.left(7), QByteArray::fromHex("FF0F4D08000307"));
}

void TestSyncTime::silentInstrument()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, {"a:1"});
    InstrumentSimulator::Fault silent;
    silent.kind = InstrumentSimulator::NoReply;
    silent.command = InstrumentSimulator::SetClock;
    sim->addFault(silent);
    MainWindow window;
    trigger(window, "sync_time");
    QCOMPARE(prompter.texts(), QStringList{"接收数据超时\n请检查通讯设置中的地址、端口、串口线和设备地址。"});
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("接收数据超时"));
}

void TestSyncTime::unopenedLink()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    Config().setValue(Settings::UseUdp, 0);
    Config().setValue(Settings::SerialPort, dir.filePath("no-such-tty"));
    MainWindow window;
    trigger(window, "sync_time");
    QCOMPARE(prompter.texts(), QStringList{"打开串口失败: " + dir.filePath("no-such-tty")});
    QCOMPARE(prompter.shown.first().title, QStringLiteral("同步时间"));
}

QTEST_MAIN(TestSyncTime)
#include "tst_synctime.moc"
