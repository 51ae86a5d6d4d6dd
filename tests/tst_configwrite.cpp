// Labels: pty net gui
#include "app/mainwindow.h"
#include "config/ui/configtree.h"
#include "config/ui/modifydialog.h"
#include "settings/settingkeys.h"
#include "tests/support/hostilecsv.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>
#include <QTextCodec>

// Editing one item and writing items, as the operator does it, against the simulator and, for
// replies the simulator would not give, a canned peer.
class TestConfigWrite : public QObject
{
    Q_OBJECT
private slots:
    void editorChoice_data();
    void editorChoice();
    void confirmOnlyPrompt_data();
    void confirmOnlyPrompt();
    void valuedPromptTrimsAndCancels();

    void editEnumerationItem_data();
    void editEnumerationItem();
    void refusedValueShowsInstrumentValue();
    void unitSuffixCountsAsTaken();
    void keptValueCheck_data();
    void keptValueCheck();
    void confirmOnlyItemWritesEmptyValue();
    void wrongFieldCount_data();
    void wrongFieldCount();
    void tooLongValueSendsNothing();
    void unopenedLinkWritesNothing();

    void writeAllInTreeOrder();
    void writeAllStopsAtFirstFailure();
    void writeAllOfEmptyTree();
    void writeAllNamesRefusals();
    void writeAllChecksEveryValueFirst();
    void importedFileIsCheckedBeforeWriting_data();
    void importedFileIsCheckedBeforeWriting();
    void timeOfDayRoundTrip();
    void unchangedValuesKeepTheirBytes_data();
    void unchangedValuesKeepTheirBytes();
};

namespace {

// The fields of a WriteItem request: index and the value text.
struct WriteRequest
{
    bool valid = false;
    int index = -1;
    QByteArray value;
};

WriteRequest parseWrite(const QByteArray& request)
{
    WriteRequest parsed;
    if (request.size() < 10 || quint8(request.at(1)) != 0x0F || quint8(request.at(2)) != 0x4B)
        return parsed;
    const int count = quint8(request.at(6));
    if (request.size() != count + 9 || request.at(6 + count) != '\0')
        return parsed;
    parsed.valid = true;
    parsed.index = quint8(request.at(3));
    parsed.value = request.mid(7, count - 1);
    return parsed;
}

// A canned instrument that keeps the written value unless told otherwise.
CannedPeer::Answer echoWrites(const QMap<int, QByteArray>& names,
                              std::function<QByteArray(int, const QByteArray&)> reply = {})
{
    return [names, reply](const QByteArray& request) {
        const WriteRequest write = parseWrite(request);
        if (!write.valid)
            return QByteArray();
        if (reply)
            return CannedPeer::dataReply(reply(write.index, write.value));
        const QByteArray name = names.value(write.index);
        return CannedPeer::dataReply(write.value.isEmpty() ? name : name + ':' + write.value);
    };
}

struct Window
{
    WorkDir dir;
    ScriptedPrompter prompter;
};

} // namespace

void TestConfigWrite::editorChoice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("options"); // empty: a line edit
    QTest::addColumn<QString>("shown");
    QTest::newRow("baud rate") << "波特率(1200/2400/4800/9600)"
                               << "9600"
                               << "波特率" << QStringList{"1200", "2400", "4800", "9600"} << "9600";
    QTest::newRow("single option is plain") << "模式(A)"
                                            << "A"
                                            << "模式(A)" << QStringList() << "A";
    QTest::newRow("no option in value") << "开关(开/关)"
                                        << "未知"
                                        << "开关" << QStringList{"开", "关"} << "开";
    QTest::newRow("exact match sticks") << "x(1/10/100)"
                                        << "10"
                                        << "x" << QStringList{"1", "10", "100"} << "10";
    QTest::newRow("last contained option") << "x(1/10/100)"
                                           << "100"
                                           << "x" << QStringList{"1", "10", "100"} << "100";
    QTest::newRow("value with unit") << "速率(1200/9600)"
                                     << "9600 bps"
                                     << "速率" << QStringList{"1200", "9600"} << "9600";
    QTest::newRow("label with parentheses") << "a(b)(c/d)"
                                            << "d"
                                            << "a(b)" << QStringList{"c", "d"} << "d";
    QTest::newRow("empty option is no list") << "x(a//b)"
                                             << "a"
                                             << "x(a//b)" << QStringList() << "a";
}

void TestConfigWrite::editorChoice()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, title);
    QFETCH(QStringList, options);
    QFETCH(QString, shown);
    ModifyDialog dialog(name, value);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.size(), QSize(232, 119));
    QCOMPARE(bool(dialog.comboEditor()), !options.isEmpty());
    QCOMPARE(bool(dialog.lineEditor()), options.isEmpty());
    QWidget* editor = dialog.comboEditor() ? static_cast<QWidget*>(dialog.comboEditor()) : dialog.lineEditor();
    QCOMPARE(editor->font().pointSize(), 14);
    QCOMPARE(editor->geometry(), QRect(10, 20, 211, 31));
    if (QComboBox* combo = dialog.comboEditor()) {
        QStringList listed;
        for (int i = 0; i < combo->count(); ++i)
            listed.append(combo->itemText(i));
        QCOMPARE(listed, options);
    }
    QCOMPARE(dialog.value(), shown);
}

void TestConfigWrite::confirmOnlyPrompt_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("mode");
    QTest::newRow("ok") << int(QMessageBox::Ok) << 1;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << 0;
}

void TestConfigWrite::confirmOnlyPrompt()
{
    QFETCH(int, button);
    QFETCH(int, mode);
    Window env;
    MainWindow window;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Critical;
    env.prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        icon = box.icon();
        for (QAbstractButton* b : box.buttons())
            buttons.append(b->text());
        return button;
    });
    QString value = "stale";
    QCOMPARE(window.promptItemValue(ConfigRow{12, "恢复出厂设置", "", false}, value), mode);
    QCOMPARE(value, QString());
    QCOMPARE(env.prompter.shown.size(), 1);
    // An action the instrument carries out: a warning titled with its name.
    QCOMPARE(env.prompter.shown.first().title, QStringLiteral("恢复出厂设置"));
    QCOMPARE(env.prompter.shown.first().text, QStringLiteral("设备将执行“恢复出厂设置”。\n确定要继续吗?"));
    QCOMPARE(icon, QMessageBox::Warning);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"取消", "确定"}));
}

void TestConfigWrite::valuedPromptTrimsAndCancels()
{
    Window env;
    MainWindow window;
    env.prompter.answerNext([](QDialog& dialog) {
        auto& modify = static_cast<ModifyDialog&>(dialog);
        if (modify.lineEditor()->text() != QLatin1String("20"))
            return int(QDialog::Rejected);
        modify.lineEditor()->setText("  25 ");
        return int(QDialog::Accepted);
    });
    QString value;
    QCOMPARE(window.promptItemValue(ConfigRow{3, "温度", "20", true}, value), 2);
    QCOMPARE(value, QStringLiteral("25"));
    QCOMPARE(env.prompter.shown.last().className, QStringLiteral("ModifyDialog"));
    QCOMPARE(env.prompter.shown.last().title, QStringLiteral("温度"));
    // Unscripted: the dialog is rejected and nothing is to be written.
    QCOMPARE(window.promptItemValue(ConfigRow{3, "温度", "20", true}, value), 0);
    QCOMPARE(value, QString());
}

void TestConfigWrite::editEnumerationItem_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("udp") << Transport::Udp;
    QTest::newRow("pty") << Transport::Pty;
}

void TestConfigWrite::editEnumerationItem()
{
    QFETCH(Transport, transport);
    Window env;
    ConfigInstrument sim(transport, {"设备名称:ZQ-1", "温度:20", "波特率(1200/2400/4800/9600):9600"});
    QVERIFY(sim.started);
    MainWindow window;
    QVERIFY(refresh(window));
    QCOMPARE(shownRowCount(window), 3);

    QStringList offered;
    QString selected;
    env.prompter.answerNext([&](QDialog& dialog) {
        QComboBox* combo = static_cast<ModifyDialog&>(dialog).comboEditor();
        if (!combo)
            return int(QDialog::Rejected);
        for (int i = 0; i < combo->count(); ++i)
            offered.append(combo->itemText(i));
        selected = combo->currentText();
        combo->setCurrentText("2400");
        return int(QDialog::Accepted);
    });
    doubleClick(window, 2);
    QCOMPARE(offered, (QStringList{"1200", "2400", "4800", "9600"}));
    QCOMPARE(selected, QStringLiteral("9600"));
    QCOMPARE(env.prompter.shown.first().title, QStringLiteral("波特率"));
    QCOMPARE(sim.items().value(2), QStringLiteral("波特率(1200/2400/4800/9600):2400"));
    QCOMPARE(shownText(window, 2, 1), QStringLiteral(": 2400"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    QCOMPARE(outcomeTexts(env.prompter), QStringList());
}

void TestConfigWrite::refusedValueShowsInstrumentValue()
{
    Window env;
    ConfigInstrument sim(Transport::Udp, {"温度:20", "!报警上限:120"});
    MainWindow window;
    QVERIFY(refresh(window));
    env.prompter.answerNext([](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText("130");
        return int(QDialog::Accepted);
    });
    doubleClick(window, 1);
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 1);
    QCOMPARE(shownText(window, 1, 1), QStringLiteral(": 120"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置失败,该项不支持修改"));
    QCOMPARE(outcomeTexts(env.prompter), QStringList());
}

void TestConfigWrite::unitSuffixCountsAsTaken()
{
    Window env;
    CannedPeer peer(echoWrites({}, [](int, const QByteArray&) { return QByteArray("速率:9600 bps"); }));
    MainWindow window;
    addRows(window, {{2, "速率:1200 bps"}});
    env.prompter.answerNext([](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText("9600");
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(shownText(window, 0, 1), QStringLiteral(": 9600 bps"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
}

void TestConfigWrite::keptValueCheck_data()
{
    QTest::addColumn<QByteArray>("reported");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("kept");
    QTest::newRow("as written") << QByteArray("x:1") << "1" << true;
    QTest::newRow("old value holding the new one") << QByteArray("x:10") << "1" << false;
    QTest::newRow("decimal after it") << QByteArray("x:1.5") << "1" << false;
    QTest::newRow("unit without a blank") << QByteArray("x:10s") << "10" << true;
    QTest::newRow("longer text") << QByteArray("x:abc") << "ab" << false;
    QTest::newRow("text inside") << QByteArray("x:19600") << "9600" << false;
    QTest::newRow("case differs") << QByteArray("x:ON") << "on" << false;
    QTest::newRow("number tidied") << QByteArray("x:1.0") << "1" << true;
    QTest::newRow("number tidied the other way") << QByteArray("x:2") << "2.00" << true;
    QTest::newRow("another number") << QByteArray("x:1.01") << "1" << false;
}

void TestConfigWrite::keptValueCheck()
{
    QFETCH(QByteArray, reported);
    QFETCH(QString, written);
    QFETCH(bool, kept);
    Window env;
    CannedPeer peer(echoWrites({}, [reported](int, const QByteArray&) { return reported; }));
    MainWindow window;
    // A text item: the edit dialog takes any value for it.
    addRows(window, {{2, "x:old"}});
    env.prompter.answerNext([written](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText(written);
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(shownText(window, 0, 1), ": " + QString::fromUtf8(reported.mid(2)));
    QCOMPARE(window.statusBar()->currentMessage(),
             kept ? QStringLiteral("写入配置成功") : QStringLiteral("写入配置失败,该项不支持修改"));
}

void TestConfigWrite::confirmOnlyItemWritesEmptyValue()
{
    Window env;
    CannedPeer peer(echoWrites({{7, "复位"}}));
    MainWindow window;
    addRows(window, {{7, "复位"}});
    env.prompter.pressNext(QMessageBox::Cancel);
    doubleClick(window, 0);
    QCOMPARE(peer.requests().size(), 0);
    env.prompter.pressNext(QMessageBox::Ok);
    doubleClick(window, 0);
    QCOMPARE(peer.requests().size(), 1);
    // Address, write, items, index 7, 0, 0, count 1, the lone NUL, then the CRC.
    QCOMPARE(peer.requests().first().left(8), QByteArray::fromHex("FF0F4B0700000100"));
    QCOMPARE(peer.requests().first().size(), 10);
    QCOMPARE(shownText(window, 0, 1), QString());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    const QString warning = QStringLiteral("设备将执行“复位”。\n确定要继续吗?");
    QCOMPARE(outcomeTexts(env.prompter), (QStringList{warning, warning}));
}

void TestConfigWrite::wrongFieldCount_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("newValue");
    QTest::newRow("valued item answered by a bare name") << "温度:20" << QByteArray("温度") << "25";
    QTest::newRow("confirm-only answered with a value") << "复位" << QByteArray("复位:1") << "";
}

void TestConfigWrite::wrongFieldCount()
{
    QFETCH(QString, row);
    QFETCH(QByteArray, reply);
    QFETCH(QString, newValue);
    Window env;
    CannedPeer peer(echoWrites({}, [reply](int, const QByteArray&) { return reply; }));
    MainWindow window;
    addRows(window, {{3, row}});
    const QString before = shownText(window, 0, 1);
    env.prompter.answerNext([newValue](QDialog& dialog) {
        if (auto* modify = qobject_cast<ModifyDialog*>(&dialog))
            modify->lineEditor()->setText(newValue);
        return newValue.isEmpty() ? int(QMessageBox::Ok) : int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QStringList texts = outcomeTexts(env.prompter);
    if (newValue.isEmpty())
        texts.removeFirst(); // the confirmation
    QCOMPARE(texts, (QStringList{"硬件返回数据校验错误", "写入配置失败: " + newValue}));
    QCOMPARE(env.prompter.shown.at(env.prompter.shown.size() - 2).title, QStringLiteral("提交"));
    QCOMPARE(env.prompter.shown.last().title, QStringLiteral("写入配置"));
    QCOMPARE(shownText(window, 0, 1), before);
}

void TestConfigWrite::tooLongValueSendsNothing()
{
    Window env;
    ConfigInstrument sim(Transport::Udp, {"备注:x"});
    MainWindow window;
    addRows(window, {{0, "备注:x"}});
    const QString longValue(200, QChar(0x4E2D)); // 400 bytes in GB2312
    env.prompter.answerNext([&](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText(longValue);
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(sim->requestCount(), 0);
    const QStringList texts = outcomeTexts(env.prompter);
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts.first().contains(QLatin1String("254")), qPrintable(texts.first()));
    QCOMPARE(env.prompter.shown.at(1).title, QStringLiteral("提交"));
    QCOMPARE(texts.last(), "写入配置失败: " + longValue);
    QCOMPARE(sim.items(), QStringList{"备注:x"});

    // 254 bytes fit the request, but not the answer: "备注:" takes 5 of its 255 bytes.
    const QString beyondAnswer(127, QChar(0x4E2D));
    env.prompter.answerNext([&](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText(beyondAnswer);
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(sim->requestCount(), 0);
    QCOMPARE(
        outcomeTexts(env.prompter).mid(2),
        (QStringList{"“备注”的名称与数值过长: 设备的应答为 259 字节, 最多 255 字节", "写入配置失败: " + beyondAnswer}));

    const QString longest(125, QChar(0x4E2D));
    env.prompter.answerNext([&](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText(longest);
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(sim->requestCount(), 1);
    QCOMPARE(sim.items(), QStringList{"备注:" + longest});
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
}

void TestConfigWrite::unopenedLinkWritesNothing()
{
    Window env;
    Config().setValue(Settings::UseUdp, 0);
    Config().setValue(Settings::SerialPort, env.dir.filePath("no-such-tty"));
    MainWindow window;
    addRows(window, {{3, "温度:20"}});
    env.prompter.answerNext([](QDialog&) { return int(QDialog::Accepted); });
    doubleClick(window, 0);
    trigger(window, "save");
    QCOMPARE(outcomeTexts(env.prompter), (QStringList{"写入错误,连接设备失败", "写入错误,连接设备失败"}));
    QCOMPARE(env.prompter.shown.last().title, QStringLiteral("写入配置"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入错误,连接设备失败"));
}

void TestConfigWrite::writeAllInTreeOrder()
{
    Window env;
    ConfigInstrument sim(Transport::Udp, {"a:1", "复位", "b:2", "c:3"});
    MainWindow window;
    // Imported rows in another order than the instrument's, with new values.
    addRows(window, {{3, "c:30"}, {1, "复位"}, {0, "a:10"}, {2, "b:20"}});
    trigger(window, "save");
    QCOMPARE(sim->requestCount(), 3);
    QCOMPARE(sim.items(), (QStringList{"a:10", "复位", "b:20", "c:30"}));
    QCOMPARE(rowsOf(window), (QStringList{"01. c|: 30|3", "02. 复位||1", "03. a|: 10|0", "04. b|: 20|2"}));
    QCOMPARE(window.configTree()->currentRow(), 3);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
    QCOMPARE(outcomeTexts(env.prompter), QStringList());
}

void TestConfigWrite::writeAllStopsAtFirstFailure()
{
    Window env;
    CannedPeer peer(echoWrites({}, [](int index, const QByteArray& value) {
        return index == 5 ? QByteArray("b") : (index == 4 ? "a:" : "c:") + value;
    }));
    MainWindow window;
    addRows(window, {{4, "a:1"}, {5, "b:2"}, {6, "c:3"}});
    trigger(window, "save");
    QCOMPARE(peer.requests().size(), 2);
    QCOMPARE(outcomeTexts(env.prompter), (QStringList{"硬件返回数据校验错误", "写入配置失败: 2"}));
    QCOMPARE(window.configTree()->currentRow(), 1);
    QVERIFY(window.statusBar()->currentMessage() != QStringLiteral("写入配置成功"));
}

void TestConfigWrite::writeAllOfEmptyTree()
{
    Window env;
    CannedPeer peer(echoWrites({}));
    MainWindow window;
    trigger(window, "save");
    addRows(window, {{1, "复位"}});
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("没有可写入的配置项"));
    window.statusBar()->clearMessage();
    trigger(window, "save");
    QCOMPARE(peer.requests().size(), 0);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("没有可写入的配置项"));
    QCOMPARE(outcomeTexts(env.prompter), QStringList());
}

void TestConfigWrite::writeAllNamesRefusals()
{
    Window env;
    // The instrument keeps every value but those of the items 5 and 6, which stay as they were.
    CannedPeer peer(echoWrites({}, [](int index, const QByteArray& value) {
        const QByteArray name = "项" + QByteArray::number(index);
        return name + ':' + (index == 5 ? QByteArray("10") : index == 6 ? QByteArray("old") : value);
    }));
    MainWindow window;
    addRows(window, {{4, "项4:7"}, {5, "项5:1"}, {6, "项6:new"}, {7, "复位"}});
    trigger(window, "save");
    QCOMPARE(peer.requests().size(), 3);
    QCOMPARE(rowsOf(window), (QStringList{"01. 项4|: 7|4", "02. 项5|: 10|5", "03. 项6|: old|6", "04. 复位||7"}));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置完成, 2 项未被设备接受: 项5、项6"));
    QCOMPARE(outcomeTexts(env.prompter), QStringList());
}

// A value with ':' in it is shown, written and read back whole.
void TestConfigWrite::timeOfDayRoundTrip()
{
    Window env;
    ConfigInstrument sim(Transport::Udp, {"定时:12:30:00", "温度:20"});
    MainWindow window;
    QVERIFY(refresh(window));
    QCOMPARE(rowsOf(window), (QStringList{"01. 定时|: 12:30:00|0", "02. 温度|: 20|1"}));
    trigger(window, "save");
    QCOMPARE(sim.items(), (QStringList{"定时:12:30:00", "温度:20"}));
    QCOMPARE(rowsOf(window), (QStringList{"01. 定时|: 12:30:00|0", "02. 温度|: 20|1"}));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));

    env.prompter.answerNext([](QDialog& dialog) {
        static_cast<ModifyDialog&>(dialog).lineEditor()->setText("07:05:00");
        return int(QDialog::Accepted);
    });
    doubleClick(window, 0);
    QCOMPARE(sim.items().first(), QStringLiteral("定时:07:05:00"));
    QCOMPARE(shownText(window, 0, 1), QStringLiteral(": 07:05:00"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("写入配置成功"));
}

QTEST_MAIN(TestConfigWrite)
#include "tst_configwrite.moc"

void TestConfigWrite::unchangedValuesKeepTheirBytes_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("udp") << Transport::Udp;
    QTest::newRow("pty") << Transport::Pty;
}

// Each of these bytes alone is read as a Latin-1 letter or sign that GB2312 also holds (ED is í,
// which GB2312 writes A8 AA). Read, then Write-all without an edit: the instrument keeps its bytes.
void TestConfigWrite::unchangedValuesKeepTheirBytes()
{
    QFETCH(Transport, transport);
    const QByteArray values = QByteArray::fromHex("A4A7A8B0B1B7D7E0E1E8E9EAECEDF2F3F7F9FAFC");
    QStringList items;
    for (int i = 0; i < values.size(); ++i)
        items.append(QStringLiteral("t%1:x").arg(i));
    items.append(QStringLiteral("温度:20")); // a GB2312 row beside them keeps its bytes too
    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim(transport, items);
    QVERIFY(sim.started);
    QList<QByteArray> before;
    for (int i = 0; i < values.size(); ++i)
        sim->setItemValueBytes(i, values.mid(i, 1));
    for (int i = 0; i < items.size(); ++i)
        before.append(sim->itemBytes(i));
    QCOMPARE(before.at(13), QByteArray::fromHex("7431333AED"));

    MainWindow window;
    QVERIFY(refresh(window));
    QCOMPARE(shownRowCount(window), items.size());
    trigger(window, "save");
    QVERIFY2(outcomeTexts(prompter).isEmpty(), qPrintable(outcomeTexts(prompter).join('\n')));
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), items.size());
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(sim->itemBytes(i).toHex(' '), before.at(i).toHex(' '));
}

void TestConfigWrite::writeAllChecksEveryValueFirst()
{
    Window env;
    ConfigInstrument sim(Transport::Udp, {"a:1", "b:2", "c:3"});
    MainWindow window;
    const QString tooLong(300, QLatin1Char('x'));
    addRows(window, {{0, "a:10"}, {1, "b:" + tooLong}, {2, "c:30"}});
    trigger(window, "save");
    QCOMPARE(sim->requestCount(), 0);
    QCOMPARE(sim.items(), (QStringList{"a:1", "b:2", "c:3"}));
    QCOMPARE(outcomeTexts(env.prompter),
             (QStringList{"数值过长: 编码后 300 字节, 最多允许 254 字节", "写入配置失败: " + tooLong}));
}

void TestConfigWrite::importedFileIsCheckedBeforeWriting_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("badLine");
    QTest::addColumn<QString>("reason");
    for (const CsvCase& file : csvImportCases())
        QTest::newRow(file.name) << file.contents << file.badLine << file.reason;
}

// Import, then Write changes: a file with one bad row anywhere reaches neither the tree nor the instrument.
void TestConfigWrite::importedFileIsCheckedBeforeWriting()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, badLine);
    QFETCH(QString, reason);
    Window env;
    ConfigInstrument sim(Transport::Udp, csvCaseInstrumentItems());
    QVERIFY(sim.started);
    QTextCodec* previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const auto restore = qScopeGuard([previous] { QTextCodec::setCodecForLocale(previous); });
    env.dir.writeFile("in.csv", contents);
    MainWindow window;
    QVERIFY(refresh(window));
    const QStringList read = rowsOf(window);
    env.prompter.nextFileName(env.dir.filePath("in.csv"));
    if (badLine == 0)
        env.prompter.answerNext(acceptComparison());
    trigger(window, "import_2");
    trigger(window, "write_changed");
    if (badLine == 0) {
        QCOMPARE(env.prompter.texts().size(), 1); // the confirmation of the write
        QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 2);
        for (const QString& item : csvCaseWrittenItems())
            QVERIFY2(sim.items().contains(item), qPrintable(item));
        return;
    }
    QCOMPARE(
        outcomeTexts(env.prompter),
        QStringList{
            QStringLiteral("文件解析错误: %1 第 %2 行: %3").arg(env.dir.filePath("in.csv")).arg(badLine).arg(reason)});
    QCOMPARE(rowsOf(window), read);
    QCOMPARE(sim->requestCount(InstrumentSimulator::WriteItem), 0);
    QCOMPARE(sim.items(), csvCaseInstrumentItems());
}
