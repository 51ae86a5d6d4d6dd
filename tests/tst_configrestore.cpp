// Labels: pty net gui
#include "app/mainwindow.h"
#include "config/ui/configtree.h"
#include "config/ui/modifydialog.h"
#include "sim/instrumentsimulator.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <algorithm>

// Carrying a configuration from the instrument to a file and back, as the operator does it, against
// the simulator over UDP and over a pseudo-terminal: nothing may be sent that the operator did not
// mean to send, and nothing that cannot be carried.
class TestConfigRestore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void sampleItemsRoundTrip_data() { addTransports(); }
    void sampleItemsRoundTrip();
    void indexAboveByteRefused_data();
    void indexAboveByteRefused();
    void importDuringSerialWriteAllRefused();
    void heldNameRowStaysWithItsInstrument_data() { addTransports(); }
    void heldNameRowStaysWithItsInstrument();
    void unencodableValueSendsNothing_data();
    void unencodableValueSendsNothing();
    void writeAllNamesRefusedItems_data() { addTransports(); }
    void writeAllNamesRefusedItems();

private:
    static void addTransports()
    {
        QTest::addColumn<Transport>("transport");
        QTest::newRow("udp") << Transport::Udp;
        QTest::newRow("pty") << Transport::Pty;
    }
    std::unique_ptr<ShortTimings> timings;
};

namespace {

// The item indices of the WriteItem requests in a simulator's request log.
QList<int> writtenIndices(const InstrumentSimulator* sim)
{
    QList<int> indices;
    for (const QByteArray& frame : sim->requestLog()) {
        if (frame.size() > 3 && quint8(frame.at(1)) == 0x0F && quint8(frame.at(2)) == 0x4B)
            indices.append(quint8(frame.at(3)));
    }
    return indices;
}

QStringList namesOf(const QStringList& rows)
{
    QStringList names;
    for (const QString& row : rows)
        names.append(row.section('|', 0, 0));
    return names;
}

} // namespace

// Export, import, Write-all: the instrument ends as it began, and its action items never run.
void TestConfigRestore::sampleItemsRoundTrip()
{
    QFETCH(Transport, transport);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport);
    QVERIFY(sim.started);
    const QStringList before = sim.items();
    MainWindow window;
    QVERIFY(refresh(window));
    const QStringList read = rowsOf(window);
    QCOMPARE(read.size(), before.size());

    prompter.nextFileName(dir.filePath("restore.csv"));
    trigger(window, "export_2");
    prompter.nextFileName(dir.filePath("restore.csv"));
    prompter.answerNext(acceptComparison());
    trigger(window, "import_2");
    // The instrument's own file: nothing differs but, perhaps, its clock, which is not proposed.
    QCOMPARE(namesOf(rowsOf(window)), namesOf(read));
    QCOMPARE(window.configModel()->changedCount(), 0);

    trigger(window, "save");
    QCOMPARE(outcomeTexts(prompter), QStringList());
    // The instrument's clock runs on while the test works: when it has moved on between the read
    // and the write, the instrument keeps its own time and says so.
    const QString status = window.statusBar()->currentMessage();
    QVERIFY2(status == QStringLiteral("写入配置成功")
                 || status == QStringLiteral("写入配置完成, 1 项未被设备接受: 设备时间"),
             qPrintable(status));
    const auto withoutClock = [](QStringList items) {
        items.erase(std::remove_if(items.begin(), items.end(),
                                   [](const QString& item) { return item.startsWith(QStringLiteral("设备时间:")); }),
                    items.end());
        return items;
    };
    QCOMPARE(withoutClock(sim.items()), withoutClock(before));
    QList<int> expected;
    // Write all leaves out the rows that name the instrument (name, model, serial number).
    for (int index = 2; index < before.size(); ++index) {
        if (before.at(index).contains(':') && !before.at(index).startsWith(QStringLiteral("序列号:")))
            expected.append(index);
    }
    QCOMPARE(writtenIndices(sim.get()), expected);
    for (const char* action : {"清除历史记录", "恢复出厂设置", "重启设备"})
        QVERIFY(!expected.contains(before.indexOf(QString::fromUtf8(action))));
}

void TestConfigRestore::indexAboveByteRefused_data()
{
    QTest::addColumn<QByteArray>("line");
    // 258 would land on item 2, 511 on 255, the debug-output switch.
    QTest::newRow("258") << QByteArray("258. zz, 999");
    QTest::newRow("511") << QByteArray("511. zz, 1");
}

void TestConfigRestore::indexAboveByteRefused()
{
    QFETCH(QByteArray, line);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(Transport::Udp, {"a:1", "b:2", "c:3"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    const QStringList read = rowsOf(window);
    dir.writeFile("other.csv",
                  "\xEF\xBB\xBF"
                  "00. a, 1\r\n01. b, 2\r\n"
                      + line + "\r\n");
    prompter.nextFileName(dir.filePath("other.csv"));
    trigger(window, "import_2");
    QCOMPARE(outcomeTexts(prompter),
             QStringList{"文件解析错误: " + dir.filePath("other.csv") + " 第 3 行: 配置项编号必须在 0 到 255 之间"});
    QCOMPARE(rowsOf(window), read);

    trigger(window, "save");
    QCOMPARE(sim.items(), (QStringList{"a:1", "b:2", "c:3"}));
    QCOMPARE(writtenIndices(sim.get()), (QList<int>{0, 1, 2}));
    QVERIFY(!sim->debugOutput());
}

// The serial write waits in event loops: an Import triggered meanwhile must not clear the tree
// under it (that was a use after free).
void TestConfigRestore::importDuringSerialWriteAllRefused()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    const QStringList items{"a:1", "b:2", "c:3", "d:4"};
    ConfigInstrument sim(Transport::Pty, items);
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    const QStringList read = rowsOf(window);
    dir.writeFile("other.csv",
                  "\xEF\xBB\xBF"
                  "07. z, 9\r\n");

    QStringList enabledDuringWrite;
    int importsTried = 0;
    connect(
        sim.get(), &InstrumentSimulator::requestHandled, &window,
        [&](int command) {
            if (command != InstrumentSimulator::WriteItem || importsTried++ > 0)
                return;
            // While the write runs the operations that would conflict are disabled, not refused.
            for (const char* name : {"import_2", "refresh", "sync_time", "save", "test_connection"}) {
                if (window.findChild<QAction*>(QLatin1String(name))->isEnabled())
                    enabledDuringWrite.append(QLatin1String(name));
            }
            prompter.nextFileName(dir.filePath("other.csv"));
            start(window, "import_2");
            start(window, "refresh");
            start(window, "sync_time");
        },
        Qt::QueuedConnection);
    trigger(window, "save");

    QCOMPARE(importsTried > 0, true);
    QCOMPARE(enabledDuringWrite, QStringList());
    QVERIFY(prompter.fileDialogCaptions.isEmpty());
    QVERIFY(!window.refreshThread().isRunning());
    QCOMPARE(rowsOf(window), read);
    QCOMPARE(sim.items(), items);
    QCOMPARE(sim->requestCount(InstrumentSimulator::SetClock), 0);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    QCOMPARE(outcomeTexts(prompter), QStringList());
}

// Instrument A's name row, held back for a model row that never came, must not show up in
// instrument B's tree (nor be written to B).
void TestConfigRestore::heldNameRowStaysWithItsInstrument()
{
    QFETCH(Transport, transport);
    WorkDir dir;
    dir.writeFile("SkipItems", "N1,M1\n");
    ScriptedPrompter prompter;
    ConfigInstrument first(transport, {"设备名称:N1", "温度:20"});
    QVERIFY(first.started);
    MainWindow window;
    QVERIFY(refresh(window));
    QCOMPARE(rowsOf(window), QStringList{"01. 温度|: 20|1"});

    ConfigInstrument second(transport, {"设备型号:M2", "湿度:30"});
    QVERIFY(second.started);
    QVERIFY(refresh(window));
    QCOMPARE(rowsOf(window), (QStringList{"01. 设备型号|: M2|0", "02. 湿度|: 30|1"}));
    trigger(window, "save");
    QCOMPARE(second.items(), (QStringList{"设备型号:M2", "湿度:30"}));
    // The model row names the instrument: Write all leaves it out.
    QCOMPARE(writtenIndices(second.get()), (QList<int>{1}));
    QVERIFY(writtenIndices(first.get()).isEmpty());
    QCOMPARE(outcomeTexts(prompter), QStringList());
}

void TestConfigRestore::unencodableValueSendsNothing_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("udp, emoji") << Transport::Udp << QStringLiteral("a\U0001F600b")
                                << QStringLiteral("\U0001F600 (U+1F600)");
    QTest::newRow("pty, Chinese and Latin-1")
        << Transport::Pty << QStringLiteral("中ß") << QStringLiteral("ß (U+00DF)");
    QTest::newRow("udp, Cyrillic") << Transport::Udp << QStringLiteral("ЖЖ") << QString();
}

void TestConfigRestore::unencodableValueSendsNothing()
{
    QFETCH(Transport, transport);
    QFETCH(QString, value);
    QFETCH(QString, named);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, {"备注:x"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    prompter.answerNext([&](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText(value);
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    if (named.isEmpty()) {
        // GB2312 carries Cyrillic: the value goes out.
        QCOMPARE(sim.items(), QStringList{"备注:" + value});
        return;
    }
    QCOMPARE(outcomeTexts(prompter), (QStringList{"数值含有设备无法表示的字符: " + named, "写入配置失败: " + value}));
    QCOMPARE(prompter.shown.at(1).title, QStringLiteral("提交"));
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 0);
    QCOMPARE(sim.items(), QStringList{"备注:x"});
    QCOMPARE(shownText(window, 0, 1), QStringLiteral(": x"));
}

// Read-only items keep their values; Write-all says which ones instead of "写入配置成功".
void TestConfigRestore::writeAllNamesRefusedItems()
{
    QFETCH(Transport, transport);
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, {"温度:20", "!固件版本:V1", "!型号:M", "复位"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    ConfigModel* rows = window.configModel();
    rows->setValue(0, "25");
    rows->setValue(1, "V2");
    rows->setValue(2, "N");
    trigger(window, "save");
    QCOMPARE(sim.items(), (QStringList{"温度:25", "固件版本:V1", "型号:M", "复位"}));
    QCOMPARE(rowsOf(window), (QStringList{"01. 温度|: 25|0", "02. 固件版本|: V1|1", "03. 型号|: M|2", "04. 复位||3"}));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置完成, 2 项未被设备接受: 固件版本、型号"));
    QCOMPARE(outcomeTexts(prompter), QStringList());
}

QTEST_MAIN(TestConfigRestore)
#include "tst_configrestore.moc"
