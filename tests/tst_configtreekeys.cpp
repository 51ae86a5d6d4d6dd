// Labels: net gui
// The configuration tree from the keyboard and its context menu, as an operator drives them: an item
// edited with F2, Enter or Space is written, read-only items open no editor and say why, Ctrl+C and
// the menu copy "name: value", and an empty tree tells how to fill it.
#include "app/mainwindow.h"
#include "config/readonlyitems.h"
#include "config/ui/configtree.h"
#include "config/ui/modifydialog.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

Q_DECLARE_METATYPE(ReadOnlyItem)

namespace {

const QStringList instrumentItems{"温度:20",      "!序列号:ZQ0042", "!当前温度:25.0℃", "!设备时间:2026-12-07 08:00:00",
                                  "报警上限:120", "恢复出厂设置"};
constexpr int TemperatureRow = 0;
constexpr int SerialRow = 1;
constexpr int AlarmRow = 4;
constexpr int ResetRow = 5;

int writesOf(const ConfigInstrument& sim)
{
    return sim->requestCount(InstrumentSimulator::WriteItem);
}

// A read window with the tree focused on row, as after the operator has walked to it.
struct TreeAtHand
{
    explicit TreeAtHand(Transport transport = Transport::Udp) : sim(transport, instrumentItems) { }

    bool ready()
    {
        if (!sim.started || !refresh(window))
            return false;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        tree()->setFocus();
        return true;
    }
    ConfigTree* tree() const { return window.configTree(); }
    void walkTo(int row)
    {
        QTest::keyClick(tree(), Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(tree(), Qt::Key_Down);
    }
    // Opens the menu of the current row with the menu key and returns it.
    QMenu* menuFromKey()
    {
        // Menus closed before go first: they are deleted only later.
        qDeleteAll(tree()->findChildren<QMenu*>(QStringLiteral("configTreeMenu")));
        QTest::keyClick(window.windowHandle(), Qt::Key_Menu);
        return tree()->findChild<QMenu*>(QStringLiteral("configTreeMenu"));
    }

    WorkDir dir;
    ScriptedPrompter prompter;
    ConfigInstrument sim;
    MainWindow window;
};

// Answers the value dialog as the operator would: types value over the old one and presses Enter.
ScriptedPrompter::DialogAnswer typeAndEnter(const QString& value, QString* title = nullptr)
{
    return [value, title](QDialog& dialog) {
        if (title)
            *title = dialog.windowTitle();
        dialog.show();
        QLineEdit* editor = static_cast<ModifyDialog&>(dialog).lineEditor();
        editor->selectAll();
        QTest::keyClicks(editor, value);
        QTest::keyClick(editor, Qt::Key_Return);
        return dialog.result();
    };
}

} // namespace

class TestConfigTreeKeys : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void keyEditsAndWrites_data();
    void keyEditsAndWrites();
    void readOnlyRowOpensNoEditor_data();
    void readOnlyRowOpensNoEditor();
    void spaceAsksBeforeAnAction();
    void copyGivesNameAndValue();
    void menuFollowsTheRow();
    void menuReadsAgain();
    void emptyTreeShowsTheHint();

private:
    std::unique_ptr<ShortTimings> timings;
};

void TestConfigTreeKeys::keyEditsAndWrites_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("F2") << int(Qt::Key_F2);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// Walk to the row, press the key, type the value and Enter: the instrument holds it.
void TestConfigTreeKeys::keyEditsAndWrites()
{
    QFETCH(int, key);
    TreeAtHand at;
    QVERIFY(at.ready());
    at.walkTo(AlarmRow);
    QString title;
    at.prompter.answerNext(typeAndEnter(QStringLiteral("130"), &title));
    QTest::keyClick(at.tree(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(waitIdle(at.window));
    QCOMPARE(title, QStringLiteral("报警上限"));
    QCOMPARE(at.sim.items().at(AlarmRow), QStringLiteral("报警上限:130"));
    QCOMPARE(shownText(at.window, AlarmRow, 1), QStringLiteral(": 130"));
}

void TestConfigTreeKeys::readOnlyRowOpensNoEditor_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<ReadOnlyItem>("reason");
    QTest::newRow("serial number, F2") << SerialRow << false << ReadOnlyItem::Identity;
    QTest::newRow("serial number, double click") << SerialRow << true << ReadOnlyItem::Identity;
    QTest::newRow("current temperature, F2") << 2 << false << ReadOnlyItem::Measured;
    QTest::newRow("device time, double click") << 3 << true << ReadOnlyItem::Clock;
}

// No dialog, nothing sent; the row's tip and the status bar tell why, and the menu's Edit is off.
void TestConfigTreeKeys::readOnlyRowOpensNoEditor()
{
    QFETCH(int, row);
    QFETCH(bool, byMouse);
    QFETCH(ReadOnlyItem, reason);
    TreeAtHand at;
    QVERIFY(at.ready());
    if (byMouse) {
        doubleClick(at.window, row);
    } else {
        at.walkTo(row);
        QTest::keyClick(at.tree(), Qt::Key_F2);
    }
    QVERIFY(waitIdle(at.window));
    QVERIFY(at.prompter.shown.isEmpty());
    QCOMPARE(writesOf(at.sim), 0);
    const QString why = shownCell(at.window, row, 1).data(Qt::ToolTipRole).toString();
    QCOMPARE(why, ConfigTree::readOnlyText(reason));
    QVERIFY(why.startsWith(QStringLiteral("只读")));
    QCOMPARE(at.window.statusBar()->currentMessage(), why);
    QVERIFY(!(shownCell(at.window, row).flags() & Qt::ItemIsEditable));
    at.walkTo(row);
    QMenu* menu = at.menuFromKey();
    QVERIFY(menu);
    QVERIFY(!menu->findChild<QAction*>(QStringLiteral("actEdit"))->isEnabled());
    menu->close();
}

// Space on an action asks as a double click does, and nothing goes out on Cancel.
void TestConfigTreeKeys::spaceAsksBeforeAnAction()
{
    TreeAtHand at;
    QVERIFY(at.ready());
    at.walkTo(ResetRow);
    at.prompter.pressNext(QMessageBox::Cancel);
    QTest::keyClick(at.tree(), Qt::Key_Space);
    QVERIFY(waitIdle(at.window));
    QCOMPARE(at.prompter.shown.size(), 1);
    QCOMPARE(at.prompter.shown.first().title, QStringLiteral("恢复出厂设置"));
    QCOMPARE(writesOf(at.sim), 0);
}

// Ctrl+C takes every selected row, one "name: value" line each (an action by its name); the menu
// copies the value, the row, or all rows.
void TestConfigTreeKeys::copyGivesNameAndValue()
{
    TreeAtHand at;
    QVERIFY(at.ready());
    QClipboard* clipboard = QGuiApplication::clipboard();
    at.walkTo(SerialRow);
    QTest::keyClick(at.tree(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("序列号: ZQ0042"));

    at.walkTo(AlarmRow);
    QTest::keyClick(at.tree(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(at.tree(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("报警上限: 120\n恢复出厂设置"));

    const QList<QPair<const char*, QString>> fromMenu{
        {"actCopyValue", "ZQ0042"},
        {"actCopyRow", "序列号: ZQ0042"},
        {"actCopyAll",
         "温度: 20\n序列号: ZQ0042\n当前温度: 25.0℃\n设备时间: 2026-12-07 08:00:00\n报警上限: 120\n"
         "恢复出厂设置"}};
    for (const auto& [name, copied] : fromMenu) {
        clipboard->clear();
        at.walkTo(SerialRow);
        QMenu* menu = at.menuFromKey();
        QVERIFY(menu);
        menu->findChild<QAction*>(QLatin1String(name))->trigger();
        menu->close();
        QCOMPARE(clipboard->text(), copied);
    }
}

// What the menu offers follows the row: an action has no value to copy, and a right click elsewhere
// than on a row only copies all; the window's Refresh closes every menu.
void TestConfigTreeKeys::menuFollowsTheRow()
{
    TreeAtHand at;
    QVERIFY(at.ready());
    const auto enabled = [](QMenu* menu) {
        QStringList names;
        for (QAction* action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                names.append(action->objectName());
        menu->close();
        return names;
    };
    at.walkTo(ResetRow);
    QCOMPARE(enabled(at.menuFromKey()), (QStringList{"actEdit", "actCopyRow", "actCopyAll", "refresh"}));
    at.walkTo(TemperatureRow);
    QCOMPARE(enabled(at.menuFromKey()),
             (QStringList{"actEdit", "actCopyValue", "actCopyRow", "actCopyAll", "refresh"}));
    QCOMPARE(enabled(at.tree()->rowMenu(-1)), (QStringList{"actCopyAll", "refresh"}));
}

// The menu's Refresh reads the instrument again, as F5 does.
void TestConfigTreeKeys::menuReadsAgain()
{
    TreeAtHand at;
    QVERIFY(at.ready());
    at.sim.setItems({"温度:21"});
    at.walkTo(TemperatureRow);
    QMenu* menu = at.menuFromKey();
    QVERIFY(menu);
    QAction* refresh = nullptr;
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String("refresh"))
            refresh = action;
    QVERIFY(refresh);
    refresh->trigger();
    menu->close();
    QVERIFY(waitIdle(at.window));
    QCOMPARE(rowsOf(at.window), QStringList{"01. 温度|: 21|0"});
}

// Before the first read the tree says how to fill it, in the middle of its viewport.
void TestConfigTreeKeys::emptyTreeShowsTheHint()
{
    WorkDir dir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(ConfigTree::emptyHint(), QStringLiteral("按 F5 读取仪器配置"));
    QWidget* viewport = window.configTree()->viewport();
    const auto inked = [viewport] {
        const QImage shown = viewport->grab().toImage();
        const QRect middle(shown.width() / 4, shown.height() / 2 - 20, shown.width() / 2, 40);
        const QRgb background = shown.pixel(2, 2);
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                if (shown.pixel(x, y) != background)
                    return true;
        return false;
    };
    QVERIFY(inked());
}

QTEST_MAIN(TestConfigTreeKeys)
#include "tst_configtreekeys.moc"
