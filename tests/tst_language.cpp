// Labels: gui net
// The operator's language reaches every window: after a switch to English no window or dialog
// shows Chinese, after a switch to Traditional Chinese none shows Simplified characters or
// Mainland terms; Qt's own texts (standard buttons, file dialogs, text-box menus) follow every
// switch; and the first status text speaks the stored language.
#include "app/mainwindow.h"
#include "config/ui/busyindicator.h"
#include "config/ui/connectionbar.h"
#include "config/ui/elidedlabel.h"
#include "link/devicerequests.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/languageprobe.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

namespace {

// Every window the operator can open from the main window, and the class that must open; a new
// dialog is one more line.
struct WindowRow
{
    const char* name;
    Opener open;
    const char* className;
};

const QList<WindowRow>& windows()
{
    static const QList<WindowRow> rows = {
        {"settings", byAction("setup"), "SetupDialog"},
        {"search", byAction("setup", {clickIn("bntSearch", chooseUdp)}), "SearchDeviceDialog"},
        {"edit", byDoubleClick(0), "ModifyDialog"},
        {"confirm", byDoubleClick(1), "QMessageBox"},
        {"write changes", byAction("write_changed"), "QMessageBox"},
        {"refresh over changes", byAction("refresh"), "QMessageBox"},
        {"about", byAction("about"), "NeutralAboutDialog"},
        {"update", byAction("update"), "UpdateDialog"},
        {"history", byAction("debug"), "HistoryData"},
        {"monitor", byAction("monitor"), "MonitorDialog"},
    };
    return rows;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void everyWindow_data();
    void everyWindow();
    void busyStateSpeaksTheLanguage_data();
    void busyStateSpeaksTheLanguage();
    void qtTextsFollowEverySwitch();
    void menusAnswerTheKeyboard_data() { busyStateSpeaksTheLanguage_data(); }
    void menusAnswerTheKeyboard();
    void firstStatusText_data();
    void firstStatusText();
};

void TestLanguage::everyWindow_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("row");
    for (const char* code : {"en_US", "zh_TW"})
        for (int row = 0; row < windows().size(); ++row)
            QTest::addRow("%s %s", code, windows().at(row).name) << QString::fromLatin1(code) << row;
}

void TestLanguage::everyWindow()
{
    QFETCH(QString, code);
    QFETCH(int, row);
    const WindowRow& window = windows().at(row);
    LanguageSetup setup(code);
    QVERIFY(QTest::qWaitForWindowExposed(setup.window.data()));
    saveScreenshot(setup.window.data(), code + QStringLiteral("-main"));

    Inspector inspector{code, QString::fromLatin1(window.name), {}, wrongTexts(setup.window.data(), code)};
    ScriptedPrompter prompter;
    window.open(*setup.window, prompter, setup.dir, [&] { prompter.answerNext(inspector.answer()); });
    if (inspector.classes.isEmpty())
        QFAIL("the dialog never opened");
    QCOMPARE(inspector.classes.last(), QString::fromLatin1(window.className));
    QVERIFY2(inspector.faults.isEmpty(), qPrintable(QStringLiteral("\n") + inspector.faults.join('\n')));
}

void TestLanguage::busyStateSpeaksTheLanguage_data()
{
    QTest::addColumn<QString>("code");
    for (const char* code : {"en_US", "zh_TW", "zh_CH"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

// While a write waits for a silent instrument: the busy note, its Cancel button, the connection
// bar and the count of changes all speak the language.
void TestLanguage::busyStateSpeaksTheLanguage()
{
    QFETCH(QString, code);
    LanguageSetup setup(code);
    CannedPeer silent([](const QByteArray&) { return QByteArray(); });
    setup.window->findChild<QAction*>(QStringLiteral("lang_") + code)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(setup.window.data()));
    ScriptedPrompter prompter;
    start(*setup.window, "save");
    QVERIFY(setup.window->isBusy());
    QTRY_VERIFY(setup.window->busyIndicator()->isVisible());
    saveScreenshot(setup.window.data(), code + QStringLiteral("-busy"));
    if (code != QLatin1String("zh_CH")) {
        const QStringList faults = wrongTexts(setup.window.data(), code);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
    // At the window's least width the note and the connection bar stay inside the status bar, the
    // note whole; the bar gives way and keeps its whole text in its tool tip.
    setup.window->connectionBar()->showContact(LinkContact::NoAnswer);
    MainWindow* window = setup.window.data();
    window->resize(window->minimumWidth(), window->height());
    QCoreApplication::processEvents();
    for (const QWidget* part :
         {static_cast<QWidget*>(window->busyIndicator()), static_cast<QWidget*>(window->connectionBar())}) {
        const int end = part->mapTo(window, QPoint(part->width(), 0)).x();
        QVERIFY2(
            end <= window->width(),
            qPrintable(QStringLiteral("%1 ends at %2 of %3").arg(part->objectName()).arg(end).arg(window->width())));
    }
    const auto* note = window->busyIndicator()->findChild<ElidedLabel*>(QStringLiteral("labBusy"));
    QCOMPARE(note->shownText(), note->text());
    QCOMPARE(window->connectionBar()->toolTip(), window->connectionBar()->text());
    saveScreenshot(setup.window.data(), code + QStringLiteral("-busy-narrow"));
    setup.window->slotCancelOperation();
    QVERIFY(waitIdle(*setup.window, 5000));
    saveScreenshot(setup.window.data(), code + QStringLiteral("-after-cancel"));
}

// Every menu of the menu bar, and the entries found only in a menu, open with Alt and a letter in
// every language: Chinese texts carry theirs in brackets, "操作(&O)".
void TestLanguage::menusAnswerTheKeyboard()
{
    QFETCH(QString, code);
    LanguageSetup setup(code);
    setup.window->findChild<QAction*>(QStringLiteral("lang_") + code)->trigger();
    QStringList missing;
    const auto hasMnemonic = [](const QString& text) {
        return text.contains(QRegularExpression(QStringLiteral("&[^&]")));
    };
    for (const QAction* menu : setup.window->menuBar()->actions()) {
        if (!hasMnemonic(menu->text()))
            missing << menu->text();
    }
    for (const char* name : {"restore_backup", "save", "test_connection", "about"}) {
        const QString text = setup.window->findChild<QAction*>(QLatin1String(name))->text();
        if (!hasMnemonic(text))
            missing << text;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

// Qt's translation is replaced on every switch and dropped for English: the clock's success box,
// a file dialog, a text box's menu and a calendar each show the language just chosen.
void TestLanguage::qtTextsFollowEverySwitch()
{
    struct Step
    {
        const char* code;
        QString ok;
        QString filesOfType;
        QString undo;
        QString march;
    };
    const QList<Step> steps = {
        {"en_US", QStringLiteral("OK"), QStringLiteral("Files of type:"), QStringLiteral("&Undo"),
         QStringLiteral("March")},
        {"zh_CH", QStringLiteral("确定"), QStringLiteral("文件类型："), QStringLiteral("撤消(&U)"),
         QStringLiteral("三月")},
        {"zh_TW", QStringLiteral("確定"), QStringLiteral("檔案型態："), QStringLiteral("復原(&U)"),
         QStringLiteral("3月")},
        {"en_US", QStringLiteral("OK"), QStringLiteral("Files of type:"), QStringLiteral("&Undo"),
         QStringLiteral("March")},
        {"zh_CH", QStringLiteral("确定"), QStringLiteral("文件类型："), QStringLiteral("撤消(&U)"),
         QStringLiteral("三月")},
    };
    WorkDir dir;
    dir.copyTranslations();
    CannedPeer peer([](const QByteArray&) { return setClockAcknowledgement(0xFF); });
    MainWindow window;
    for (const Step& step : steps) {
        trigger(window, (QByteArray("lang_") + step.code).constData());
        ScriptedPrompter prompter;
        QString okText;
        prompter.answerNext([&](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (box && box->button(QMessageBox::Ok)) {
                okText = box->button(QMessageBox::Ok)->text();
                saveScreenshot(box, QStringLiteral("%1-sync-time-success").arg(QLatin1String(step.code)));
            }
            return int(QMessageBox::Ok);
        });
        trigger(window, "sync_time");
        QCOMPARE(prompter.texts().size(), 1);
        QCOMPARE(okText, step.ok);

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        auto* typeLabel = files.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
        QVERIFY(typeLabel);
        QCOMPARE(typeLabel->text(), step.filesOfType);

        QLineEdit edit;
        QScopedPointer<QMenu> menu(edit.createStandardContextMenu());
        QCOMPARE(menu->actions().value(0)->text().section('\t', 0, 0), step.undo);

        // Dates and the calendar pop-up speak the language, not the system's locale.
        QDateEdit date(QDate(2026, 3, 1));
        date.setCalendarPopup(true);
        QCOMPARE(date.calendarWidget()->locale().monthName(3), step.march);
        QCOMPARE(date.locale().toString(date.date(), QStringLiteral("MMMM")), step.march);
    }
}

void TestLanguage::firstStatusText_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("English") << "en_US"
                             << "Ready";
    QTest::newRow("Simplified Chinese") << "zh_CH"
                                        << "准备就绪";
    QTest::newRow("Traditional Chinese") << "zh_TW"
                                         << "就緒";
}

void TestLanguage::firstStatusText()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    WorkDir dir;
    dir.copyTranslations();
    dir.writeConfig({{"language/language", code}});
    MainWindow window;
    QCOMPARE(window.statusBar()->currentMessage(), text);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
