// Labels: pty net gui
#include "app/mainwindow.h"
#include "config/configread.h"
#include "config/ui/configtree.h"
#include "jobs/stoptoken.h"
#include "link/frames.h"
#include "link/linktimings.h"
#include "settings/settingkeys.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTest>

#include <memory>

#include "tests/support/simfixture.h"

// Refresh as the operator triggers it, against the simulator over UDP and over a pseudo-terminal.
class TestConfigRead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void fillsTree_data();
    void fillsTree();
    void fillsTreeFromSampleItems();
    void firstReplyEmpty_data();
    void firstReplyEmpty();
    void retryAfterFirstTimeoutIsSilent();
    void silentInstrument_data();
    void silentInstrument();
    void malformedReplyKeepsEarlierRows_data();
    void malformedReplyKeepsEarlierRows();
    void longReplyShownShort_data();
    void longReplyShownShort();
    void secondRefreshWhileRunningStartsNothing();
    void readEndsAfterLastIndexByte();
    void unopenedLinkLeavesTree();
    void closeDuringReadStopsIt_data();
    void closeDuringReadStopsIt();
    void readFunctionTellsItsSink_data();
    void readFunctionTellsItsSink();

private:
    std::unique_ptr<ShortTimings> timings;
};

namespace {

void addTransportRows()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("udp") << Transport::Udp;
    QTest::newRow("pty") << Transport::Pty;
}

const QString noAnswerHint = QStringLiteral("请检查通讯设置中的地址、端口、串口线和设备地址。");

const QStringList sampleItems{
    "设备名称:ZQ-1", "设备型号: M1 ", "温度:20",  "波特率(1200/2400/4800/9600):9600",
    "复位",          "定时:12:30:00", "model:X1",
};

// The window of one test, with its working directory, prompter and simulator.
struct Bench
{
    explicit Bench(Transport transport, const QStringList& items = sampleItems, const QByteArray& skipItems = {})
    {
        if (!skipItems.isEmpty())
            dir.writeFile("SkipItems", skipItems);
        sim = std::make_unique<ConfigInstrument>(transport, items);
        window = std::make_unique<MainWindow>();
    }
    WorkDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<ConfigInstrument> sim;
    std::unique_ptr<MainWindow> window;
};

InstrumentSimulator::Fault readFault(InstrumentSimulator::FaultKind kind, int count = 1)
{
    InstrumentSimulator::Fault fault;
    fault.kind = kind;
    fault.command = InstrumentSimulator::ReadItem;
    fault.count = count;
    return fault;
}

} // namespace

void TestConfigRead::fillsTree_data()
{
    addTransportRows();
}

void TestConfigRead::fillsTree()
{
    QFETCH(Transport, transport);
    // The name ZQ-1 with the model M1 hides both rows; the model X1 is hidden wherever it stands.
    Bench bench(transport, sampleItems, "ZQ-1, M 1\r\nX1\n");
    QVERIFY(bench.sim->started);
    addRows(*bench.window, {{40, "旧:1"}});
    QVERIFY(refresh(*bench.window));
    QCOMPARE(rowsOf(*bench.window),
             (QStringList{"01. 温度|: 20|2", "02. 波特率(1200/2400/4800/9600)|: 9600|3", "03. 复位||4",
                          "04. 定时|: 12:30:00|5"}));
    QVERIFY(bench.prompter.shown.isEmpty());
    QCOMPARE((*bench.sim)->requestCount(), sampleItems.size() + 1);
}

void TestConfigRead::fillsTreeFromSampleItems()
{
    WorkDir dir;
    dir.writeFile("SkipItems", QStringLiteral("ZQ温湿度记录仪, ZQ-200\r\n").toUtf8());
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp);
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    const QStringList items = sim.items();
    QCOMPARE(items.first(), QStringLiteral("设备名称:ZQ温湿度记录仪"));
    const QStringList rows = rowsOf(window);
    QCOMPARE(rows.size(), items.size() - 2);
    QCOMPARE(rows.first(), QStringLiteral("01. 固件版本|: V2.1.7|2"));
    QVERIFY(rows.contains(QStringLiteral("%1. 定时上传|: 12:30:00|%2")
                              .arg(items.indexOf("定时上传:12:30:00") - 1, 2, 10, QLatin1Char('0'))
                              .arg(items.indexOf("定时上传:12:30:00"))));
    QCOMPARE(rows.last(), QStringLiteral("%1. 重启设备||%2").arg(items.size() - 2).arg(items.size() - 1));
    QVERIFY(prompter.shown.isEmpty());
}

void TestConfigRead::firstReplyEmpty_data()
{
    addTransportRows();
}

void TestConfigRead::firstReplyEmpty()
{
    QFETCH(Transport, transport);
    Bench bench(transport, {});
    bench.sim->setItems({});
    addRows(*bench.window, {{3, "旧:1"}});
    QVERIFY(refresh(*bench.window));
    QCOMPARE(shownRowCount(*bench.window), 0);
    QVERIFY(bench.prompter.shown.isEmpty());
}

void TestConfigRead::retryAfterFirstTimeoutIsSilent()
{
    Bench bench(Transport::Udp);
    (*bench.sim)->addFault(readFault(InstrumentSimulator::NoReply));
    QVERIFY(refresh(*bench.window));
    QCOMPARE(shownRowCount(*bench.window), sampleItems.size());
    QVERIFY(bench.prompter.shown.isEmpty());
}

void TestConfigRead::silentInstrument_data()
{
    addTransportRows();
}

void TestConfigRead::silentInstrument()
{
    QFETCH(Transport, transport);
    Bench bench(transport);
    (*bench.sim)->addFault(readFault(InstrumentSimulator::NoReply, -1));
    addRows(*bench.window, {{3, "旧:1"}});
    QVERIFY(refresh(*bench.window));
    // The box says where to look; the tree keeps what it held.
    QCOMPARE(bench.prompter.texts(), QStringList{"接收数据超时\n" + noAnswerHint});
    QCOMPARE(bench.prompter.shown.first().title, QStringLiteral("刷新"));
    QCOMPARE(bench.window->statusBar()->currentMessage(),
             QStringLiteral("读取中断: 已读 0 项, 配置树保持读取前的内容"));
    QCOMPARE(rowsOf(*bench.window), QStringList{"01. 旧|: 1|3"});
    // The first wait and the retry, nothing more.
    QCOMPARE((*bench.sim)->requestCount(), 2);
}

void TestConfigRead::malformedReplyKeepsEarlierRows_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("udp other command") << Transport::Udp << int(InstrumentSimulator::OtherCommand)
                                       << "地址或命令校验错误: \nFF 83 ";
    QTest::newRow("pty other command") << Transport::Pty << int(InstrumentSimulator::OtherCommand)
                                       << "地址或命令校验错误: \nFF 83 ";
    QTest::newRow("udp other address") << Transport::Udp << int(InstrumentSimulator::OtherAddress)
                                       << "地址或命令校验错误: \n";
    // Only the serial line hands over a reply that never became complete.
    QTest::newRow("pty wrong length") << Transport::Pty << int(InstrumentSimulator::WrongLength)
                                      << "数据长度校验错误 : \nFF 03 ";
}

void TestConfigRead::malformedReplyKeepsEarlierRows()
{
    QFETCH(Transport, transport);
    QFETCH(int, kind);
    QFETCH(QString, textStart);
    Bench bench(transport);
    // The third item's reply goes wrong: armed in the read thread as soon as the second row is out.
    InstrumentSimulator* sim = bench.sim->get();
    connect(
        &bench.window->refreshThread(), &RefreshThread::signalAddItems, sim,
        [sim, kind](int index, const QStringList&) {
            if (index == 1)
                sim->addFault(readFault(InstrumentSimulator::FaultKind(kind)));
        },
        Qt::DirectConnection);
    addRows(*bench.window, {{9, "旧:1"}});
    QVERIFY(refresh(*bench.window));
    QCOMPARE(bench.prompter.texts().size(), 1);
    const QString text = bench.prompter.texts().first();
    QVERIFY2(text.startsWith(textStart), qPrintable(text));
    QVERIFY2(text.endsWith(QLatin1Char(' ')), qPrintable(text));
    QCOMPARE(bench.prompter.shown.first().title, QStringLiteral("刷新"));
    // The two rows read before it do not replace the tree's rows: the read did not complete.
    QCOMPARE(rowsOf(*bench.window), QStringList{"01. 旧|: 1|9"});
    QCOMPARE(bench.window->statusBar()->currentMessage(),
             QStringLiteral("读取中断: 已读 2 项, 配置树保持读取前的内容"));
    // A malformed reply is not retried.
    QCOMPARE((*bench.sim)->requestCount(), 3);
}

void TestConfigRead::longReplyShownShort_data()
{
    QTest::addColumn<int>("replyBytes");
    QTest::newRow("short reply whole") << 14;
    QTest::newRow("64 bytes whole") << 64;
    QTest::newRow("65 bytes cut") << 65;
    QTest::newRow("60000 bytes cut") << 60000;
}

// A malformed reply shows at most its first 64 bytes in hex, then its length.
void TestConfigRead::longReplyShownShort()
{
    QFETCH(int, replyBytes);
    WorkDir dir;
    ScriptedPrompter prompter;
    // Another instrument's reply: whole by its CRC, so it is handed over as it came.
    CannedPeer peer([replyBytes](const QByteArray&) {
        QByteArray frame = QByteArray::fromHex("0183") + QByteArray(replyBytes - 4, '\0');
        const quint16 crc = crc16(frame);
        return frame.append(char(crc & 0xFF)).append(char(crc >> 8));
    });
    MainWindow window;
    QVERIFY(refresh(window));
    QCOMPARE(prompter.texts().size(), 1);
    const QString text = prompter.texts().first();
    const QString head = QStringLiteral("地址或命令校验错误: \n");
    QVERIFY2(text.startsWith(head + "01 83 00 "), qPrintable(text));
    const bool cut = replyBytes > 64;
    const QString dump = cut ? text.mid(head.size()).section(QStringLiteral("..."), 0, 0) : text.mid(head.size());
    QCOMPARE(dump.size(), qMin(replyBytes, 64) * 3);
    if (cut)
        QVERIFY2(text.endsWith(QStringLiteral("... (共 %1 字节)").arg(replyBytes)), qPrintable(text));
}

void TestConfigRead::secondRefreshWhileRunningStartsNothing()
{
    Bench bench(Transport::Udp);
    InstrumentSimulator::Fault slow = readFault(InstrumentSimulator::DelayReply);
    slow.delayMs = 100;
    (*bench.sim)->addFault(slow);
    int starts = 0;
    connect(&bench.window->refreshThread(), &RefreshThread::finished, bench.window.get(), [&] { ++starts; });
    start(*bench.window, "refresh");
    start(*bench.window, "refresh");
    QVERIFY(waitIdle(*bench.window));
    QCOMPARE(starts, 1);
    QCOMPARE(shownRowCount(*bench.window), sampleItems.size());
    QCOMPARE((*bench.sim)->requestCount(), sampleItems.size() + 1);
}

void TestConfigRead::readEndsAfterLastIndexByte()
{
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many.append(QStringLiteral("项%1:%1").arg(i));
    Bench bench(Transport::Udp, many);
    QVERIFY(refresh(*bench.window, 60000));
    QCOMPARE(shownRowCount(*bench.window), 256);
    QCOMPARE(shownCell(*bench.window, 255).data(ConfigModel::IndexRole).toInt(), 255);
    QCOMPARE(shownText(*bench.window, 255, 0), QStringLiteral("256. 项255"));
    QVERIFY(bench.prompter.shown.isEmpty());
    QCOMPARE((*bench.sim)->requestCount(), 256);
}

void TestConfigRead::unopenedLinkLeavesTree()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    Config().setValue(Settings::UseUdp, 0);
    Config().setValue(Settings::SerialPort, dir.filePath("no-such-tty"));
    MainWindow window;
    addRows(window, {{3, "旧:1"}});
    QVERIFY(refresh(window));
    QCOMPARE(prompter.texts(), QStringList{"打开串口失败: " + dir.filePath("no-such-tty")});
    QCOMPARE(shownRowCount(window), 1);
}

namespace {
// What a read told, in order: "start", "contact N", "item INDEX", "failed CODE".
class RecordingSink : public ConfigReadSink
{
public:
    void started() override { told.append(QStringLiteral("start")); }
    void contact(LinkContact contact) override { told.append(QStringLiteral("contact %1").arg(int(contact))); }
    void item(const ReadItem& item) override { told.append(QStringLiteral("item %1").arg(item.index)); }
    void failed(const ConfigReadFailure& failure) override
    {
        told.append(QStringLiteral("failed %1").arg(int(failure.code)));
    }
    QStringList told;
};
} // namespace

void TestConfigRead::readFunctionTellsItsSink_data()
{
    QTest::addColumn<QString>("link"); // "sim", or "closed" for a port that does not open
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("items");
    QTest::newRow("complete") << "sim" << false << QStringList{"start", "contact 1", "item 0", "item 1"}
                              << int(ReadEnd::Complete) << 2;
    QTest::newRow("stopped before the first item")
        << "sim" << true << QStringList{"start"} << int(ReadEnd::Stopped) << 0;
    QTest::newRow("link does not open") << "closed" << false
                                        << QStringList{QStringLiteral("failed %1").arg(int(ConfigFailure::CannotOpen))}
                                        << int(ReadEnd::Failed) << 0;
}

// The read as a plain function: what it tells its sink and the outcome it returns.
void TestConfigRead::readFunctionTellsItsSink()
{
    QFETCH(QString, link);
    QFETCH(bool, stopFirst);
    QFETCH(QStringList, told);
    QFETCH(int, end);
    QFETCH(int, items);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setItems({QStringLiteral("a:1"), QStringLiteral("复位")});
    LinkSettings settings = instrument.udpSettings();
    if (link == QLatin1String("closed")) {
        settings.useUdp = false;
        settings.serialPort = dir.filePath(QStringLiteral("no-such-port"));
    }
    StopSource stop;
    if (stopFirst)
        stop.request();
    RecordingSink sink;
    const ConfigReadOutcome outcome = readConfigItems(settings, stop.token(), sink);
    QCOMPARE(sink.told, told);
    QCOMPARE(int(outcome.end), end);
    QCOMPARE(outcome.itemsRead, items);
    QCOMPARE(outcome.opened, link == QLatin1String("sim"));
}

QTEST_MAIN(TestConfigRead)
#include "tst_configread.moc"

void TestConfigRead::closeDuringReadStopsIt_data()
{
    addTransportRows();
}

// The instrument answers two items and then falls silent, with the product's own waits (3 s, then
// 10 s): closing the window hides it at once, stops the read within about a second, shows no box
// and leaves the tree as it was before the read.
void TestConfigRead::closeDuringReadStopsIt()
{
    QFETCH(Transport, transport);
    const LinkTimings quick = LinkTimings::current();
    LinkTimings::install(nullptr);
    Bench bench(transport);
    QVERIFY(bench.sim->started);
    (*bench.sim)->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::ReadItem, 2, 0, 2});
    (*bench.sim)->addFault(readFault(InstrumentSimulator::NoReply, -1));
    bench.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
    addRows(*bench.window, {{9, "旧:1"}});
    start(*bench.window, "refresh");
    QTRY_COMPARE_WITH_TIMEOUT((*bench.sim)->requestCount(), 3, 5000);
    QVERIFY(bench.window->refreshThread().isRunning());

    QElapsedTimer clock;
    clock.start();
    QVERIFY(bench.window->close());
    const qint64 took = clock.elapsed();
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    QVERIFY(!bench.window->isVisible());
    QVERIFY(!bench.window->refreshThread().isRunning());
    QCoreApplication::processEvents();
    QCOMPARE(rowsOf(*bench.window), QStringList{"01. 旧|: 1|9"});
    QVERIFY(bench.prompter.shown.isEmpty());
    LinkTimings::install(&quick);
}
