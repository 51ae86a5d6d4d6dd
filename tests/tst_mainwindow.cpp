// Labels: fast gui
#include "app/mainwindow.h"
#include "app/menutext.h"
#include "app/neutralaboutdialog.h"
#include "config/ui/configtree.h"
#include "settings/config.h"
#include "tests/support/ui/eventcounter.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void formAtFirstStart();
    void connections_data();
    void connections();
    void languageAtStart_data();
    void languageAtStart();
    void languageSwitching();
    void windowSizeAtStart_data();
    void windowSizeAtStart();
    void storedWidthIsUsed();
    void closeStoresSizeAndWritesFile();
    void unchangedStartLeavesFileAlone();
    void unwritableSettingsReportedOnce();
    void errorBox();
    void threadSignalsArriveInOrder();
    void aboutBox_data();
    void aboutBox();
    void setupDialogRunsThroughPrompter();
    void disablingLeavesToolBarLaidOut();
    void keyboardReachesEveryMenuEntry_data();
    void keyboardReachesEveryMenuEntry();

private:
    static QStringList names(const QList<QAction*>& actions);
    static QAction* action(MainWindow& window, const char* name);
    static QString checkedLanguage(MainWindow& window);
    static void verifyWholeToolBarShows(MainWindow& window);
};

QStringList TestMainWindow::names(const QList<QAction*>& actions)
{
    QStringList result;
    for (QAction* item : actions)
        result << (item->menu() ? item->menu()->objectName() : item->objectName());
    return result;
}

QAction* TestMainWindow::action(MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

QString TestMainWindow::checkedLanguage(MainWindow& window)
{
    QStringList checked;
    for (const char* name : {"lang_en_US", "lang_zh_CH", "lang_zh_TW"})
        if (action(window, name)->isChecked())
            checked << QString::fromLatin1(name);
    return checked.join(',');
}

// The window opens at least as wide as its tool bar needs; no button may fall behind the extension arrow.
void TestMainWindow::verifyWholeToolBarShows(MainWindow& window)
{
    QVERIFY(window.width() >= window.minimumWidth());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* toolBar = window.findChild<QToolBar*>("toolBar");
    for (QAction* item : toolBar->actions()) {
        QVERIFY2(toolBar->widgetForAction(item)->isVisible(), qPrintable(item->objectName()));
        // The buttons follow their actions into the language shown.
        QCOMPARE(qobject_cast<QToolButton*>(toolBar->widgetForAction(item))->text(), item->iconText());
    }
}

void TestMainWindow::formAtFirstStart()
{
    WorkDir dir;
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEve V5.3"));
    QCOMPARE(checkedLanguage(window), QStringLiteral("lang_zh_CH"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("准备就绪"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.centralWidget(), window.configTree());
    QCOMPARE(window.configModel()->rowCount(), 0);

    QCOMPARE(names(window.menuBar()->actions()), (QStringList{"menu", "menu_2", "menu_3"}));
    QCOMPARE(names(window.findChild<QMenu*>("menu")->actions()),
             (QStringList{"setup", "refresh", "import_2", "export_2", "restore_backup", "write_changed", "save",
                          "sync_time", "test_connection", "debug", "update", "monitor", "operations_log"}));
    QCOMPARE(names(window.findChild<QMenu*>("menu_3")->actions()), (QStringList{"manual", "about"}));
    QCOMPARE(names(window.findChild<QMenu*>("menu_2")->actions()),
             (QStringList{"lang_en_US", "lang_zh_CH", "lang_zh_TW"}));

    auto* toolBar = window.findChild<QToolBar*>("toolBar");
    QCOMPARE(names(toolBar->actions()),
             (QStringList{"setup", "refresh", "import_2", "export_2", "write_changed", "sync_time", "debug", "update",
                          "monitor"}));
    QVERIFY(!toolBar->isMovable());
    QCOMPARE(toolBar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(toolBar->iconSize(), QSize(25, 25));
    QCOMPARE(window.toolBarArea(toolBar), Qt::TopToolBarArea);
    for (QAction* item : toolBar->actions()) // drawn at 16x16 inside the 25x25 buttons
        QCOMPARE(item->icon().pixmap(QSize(25, 25)).size(), QSize(16, 16));
    QVERIFY(!action(window, "save")->icon().isNull());
    verifyWholeToolBarShows(window);
}

void TestMainWindow::connections_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("slot");
    const char* actionSlots[][2] = {{"setup", "slotCommunicationSetup()"},
                                    {"refresh", "slotRefresh()"},
                                    {"import_2", "slotImportItems()"},
                                    {"export_2", "slotExportItems()"},
                                    {"save", "slotWriteItems()"},
                                    {"sync_time", "slotSyncTime()"},
                                    {"debug", "slotHistoryData()"},
                                    {"update", "slotUpdateHardware()"},
                                    {"monitor", "slotDeviceMonitor()"},
                                    {"test_connection", "slotTestConnection()"},
                                    {"write_changed", "slotWriteChanged()"},
                                    {"restore_backup", "slotRestoreBackup()"},
                                    {"about", "slotAbout()"},
                                    {"lang_en_US", "slot_en_US()"},
                                    {"lang_zh_CH", "slot_zh_CH()"},
                                    {"lang_zh_TW", "slot_zh_TW()"}};
    for (const auto& row : actionSlots)
        QTest::newRow(row[0]) << row[0] << QByteArray(SIGNAL(triggered())) << QByteArray("1") + row[1];
    QTest::newRow("clear") << "thread" << QByteArray(SIGNAL(signalClearItems())) << QByteArray(SLOT(slotReadStarted()));
    QTest::newRow("add") << "thread" << QByteArray(SIGNAL(signalAddItems(int, const QStringList&)))
                         << QByteArray(SLOT(slotReadItem(int, const QStringList&)));
    QTest::newRow("ended") << "thread" << QByteArray(SIGNAL(signalReadEnded(int, int)))
                           << QByteArray(SLOT(slotReadEnded(int, int)));
    QTest::newRow("error") << "thread" << QByteArray(SIGNAL(signalReadFailed(const ConfigReadFailure&)))
                           << QByteArray(SLOT(slotReadFailed(const ConfigReadFailure&)));
    QTest::newRow("double click") << "tree" << QByteArray(SIGNAL(signalRowActivated(int)))
                                  << QByteArray(SLOT(slotRowDoubleClicked(int)));
}

// Each connection exists exactly when it can be taken down once.
void TestMainWindow::connections()
{
    QFETCH(QString, sender);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, slot);
    WorkDir dir;
    MainWindow window;
    QObject* from = sender == "thread" ? static_cast<QObject*>(&window.refreshThread())
        : sender == "tree"             ? static_cast<QObject*>(window.configTree())
                                       : action(window, sender.toLatin1().constData());
    QVERIFY(QObject::disconnect(from, signal.constData(), &window, slot.constData()));
    QVERIFY(!QObject::disconnect(from, signal.constData(), &window, slot.constData()));
}

void TestMainWindow::languageAtStart_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("refreshText");
    QTest::addColumn<QString>("title");
    QTest::newRow("english") << "en_US" << true << "lang_en_US"
                             << "Refresh"
                             << "US V5.3";
    QTest::newRow("traditional") << "zh_TW" << true << "lang_zh_TW"
                                 << "重新整理"
                                 << "TW V5.3";
    QTest::newRow("traditional without its file") << "zh_TW" << false << "lang_zh_TW"
                                                  << "刷新"
                                                  << "TW V5.3";
    QTest::newRow("english without its file") << "en_US" << false << "lang_en_US"
                                              << "刷新"
                                              << "US V5.3";
    QTest::newRow("simplified") << "zh_CH" << true << "lang_zh_CH"
                                << "刷新"
                                << "CH V5.3";
    QTest::newRow("code in another case") << "en_us" << true << "lang_zh_CH"
                                          << "刷新"
                                          << "CH V5.3";
    QTest::newRow("unknown code") << "fr_FR" << true << "lang_zh_CH"
                                  << "刷新"
                                  << "CH V5.3";
}

void TestMainWindow::languageAtStart()
{
    QFETCH(QString, stored);
    QFETCH(bool, withFiles);
    QFETCH(QString, checked);
    QFETCH(QString, refreshText);
    QFETCH(QString, title);
    WorkDir dir;
    if (withFiles)
        dir.copyTranslations();
    dir.writeConfig({{"language/language", stored}, {"appname/us", "US"}, {"appname/tw", "TW"}, {"appname/ch", "CH"}});
    MainWindow window;
    QCOMPARE(checkedLanguage(window), checked);
    // The English menus carry Alt letters; the tool tip shows the text without them.
    QCOMPARE(withoutMnemonic(action(window, "refresh")->text()), refreshText);
    QCOMPARE(action(window, "refresh")->toolTip(), refreshText);
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(Config().value("language/language").toString(), stored);
    verifyWholeToolBarShows(window);
}

// Switching at run time replaces the translation, drops it when its file is missing, and refits the width.
void TestMainWindow::languageSwitching()
{
    WorkDir dir;
    dir.copyTranslations();
    dir.writeConfig({{"appname/ver", false}});
    MainWindow window;
    window.show();
    const int simplifiedWidth = window.minimumWidth();
    const QSize before = window.size();
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();

    // A switch keeps the window's size, widening it only as far as the tool bar needs and the screen allows.
    action(window, "lang_en_US")->trigger();
    QCOMPARE(checkedLanguage(window), QStringLiteral("lang_en_US"));
    QCOMPARE(action(window, "refresh")->text(), QStringLiteral("&Refresh"));
    QCOMPARE(window.findChild<QMenu*>("menu_3")->title(), QStringLiteral("&Help"));
    QCOMPARE(window.windowTitle(), QStringLiteral("ZU Vuvoriraz"));
    QVERIFY(window.minimumWidth() <= screenWidth);
    QCOMPARE(window.width(), qMax(before.width(), window.minimumWidth()));
    QCOMPARE(window.height(), before.height());
    QCOMPARE(Config().value("language/language").toString(), QStringLiteral("en_US"));

    action(window, "lang_zh_TW")->trigger();
    QCOMPARE(checkedLanguage(window), QStringLiteral("lang_zh_TW"));
    QCOMPARE(action(window, "refresh")->text(), QStringLiteral("重新整理(&R)"));
    const QSize traditional = window.size();

    QVERIFY(QFile::remove(dir.filePath("zh_TW.qm")));
    action(window, "lang_en_US")->trigger();
    action(window, "lang_zh_TW")->trigger();
    QCOMPARE(checkedLanguage(window), QStringLiteral("lang_zh_TW"));
    QCOMPARE(action(window, "refresh")->text(), QStringLiteral("刷新(&R)"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "刷新(&R)"), QStringLiteral("刷新(&R)"));
    QCOMPARE(window.minimumWidth(), simplifiedWidth);
    QCOMPARE(window.size(), traditional);

    action(window, "lang_zh_CH")->trigger();
    QCOMPARE(checkedLanguage(window), QStringLiteral("lang_zh_CH"));
    QCOMPARE(Config().value("language/language").toString(), QStringLiteral("zh_CH"));
    QCOMPARE(window.windowTitle(), QStringLiteral("ZEve"));
}

void TestMainWindow::windowSizeAtStart_data()
{
    QTest::addColumn<QVariant>("width");
    QTest::addColumn<QVariant>("height");
    QTest::addColumn<int>("expectedHeight"); // before the screen's limit
    QTest::addColumn<int>("expectedWidth"); // 0: the tool bar's width; before the screen's limit
    QTest::newRow("no size stored") << QVariant() << QVariant() << 600 << 0;
    QTest::newRow("too low, too wide") << QVariant(2000) << QVariant(400) << 600 << 2000;
    QTest::newRow("tall, too narrow") << QVariant(100) << QVariant(800) << 800 << 0;
    QTest::newRow("not a number") << QVariant("wide") << QVariant("high") << 600 << 0;
    QTest::newRow("largest int") << QVariant(2147483647) << QVariant(2147483647) << 2147483647 << 2147483647;
}

// The stored size is used as far as the tool bar needs and the screen allows.
void TestMainWindow::windowSizeAtStart()
{
    QFETCH(QVariant, width);
    QFETCH(QVariant, height);
    QFETCH(int, expectedHeight);
    QFETCH(int, expectedWidth);
    WorkDir dir;
    if (width.isValid())
        dir.writeConfig({{"window/width", width}, {"window/height", height}});
    MainWindow window;
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    QCOMPARE(window.height(), qMin(expectedHeight, screen.height()));
    const int toolBarWidth = window.minimumWidth();
    QCOMPARE(window.width(), qMax(toolBarWidth, qMin(expectedWidth, screen.width())));
    verifyWholeToolBarShows(window);
    // Shown, the window and its frame fit the screen.
    const int frame = window.frameGeometry().height() - window.height();
    QCOMPARE(window.height(), qMin(expectedHeight, screen.height() - frame));
}

void TestMainWindow::storedWidthIsUsed()
{
    WorkDir dir;
    int toolBarWidth = 0;
    {
        MainWindow first;
        toolBarWidth = first.minimumWidth();
    }
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    QVERIFY2(toolBarWidth + 20 <= screenWidth, "the screen leaves no room for a wider window");
    dir.writeConfig({{"window/width", toolBarWidth + 20}});
    MainWindow window;
    QCOMPARE(window.width(), toolBarWidth + 20);
}

void TestMainWindow::closeStoresSizeAndWritesFile()
{
    WorkDir dir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size(window.minimumWidth() + 37, 733);
    window.resize(size);
    QVERIFY(window.close());
    // The settings instance is gone, so the file on disk already holds everything.
    QSettings file(dir.filePath("config.ini"), QSettings::IniFormat);
    QCOMPARE(file.value("window/width").toInt(), size.width());
    QCOMPARE(file.value("window/height").toInt(), size.height());
    QVERIFY(file.contains("language/language"));

    MainWindow reopened;
    QCOMPARE(reopened.height(), qMin(733, QGuiApplication::primaryScreen()->availableGeometry().height()));
}

// A start and a close that change nothing leave config.ini as it was, comments and all.
void TestMainWindow::unchangedStartLeavesFileAlone()
{
    WorkDir dir;
    {
        MainWindow first;
        QVERIFY(first.close());
    }
    QByteArray contents = dir.readFile("config.ini");
    QVERIFY(contents.contains("language"));
    contents = "; kept by hand\r\n" + contents + "\r\n[extra]\r\nlatin1=caf\xE9\r\n";
    dir.writeFile("config.ini", contents);
    {
        MainWindow again;
        QVERIFY(again.close());
    }
    QCOMPARE(dir.readFile("config.ini"), contents);
}

// A config.ini that cannot be written is told once, in the status bar.
void TestMainWindow::unwritableSettingsReportedOnce()
{
    WorkDir dir;
    QVERIFY(QDir(dir.path()).mkdir("config.ini"));
    // The first start stores the language, and that write fails.
    MainWindow window;
    const QString expected = QStringLiteral("无法保存设置: %1 不可写入").arg(dir.filePath("config.ini"));
    QCOMPARE(window.statusBar()->currentMessage(), expected);
    window.statusBar()->showMessage("other");
    action(window, "lang_zh_TW")->trigger();
    action(window, "lang_zh_CH")->trigger();
    QVERIFY(window.statusBar()->currentMessage() != expected);
    QCOMPARE(Config().value("language/language").toString(), QStringLiteral("zh_CH"));
}

void TestMainWindow::errorBox()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    QString statusWhileShown;
    QStringList buttons;
    prompter.answerNext([&](QDialog& dialog) {
        auto& box = static_cast<QMessageBox&>(dialog);
        statusWhileShown = window.statusBar()->currentMessage();
        for (QAbstractButton* button : box.buttons())
            buttons << button->text();
        if (box.icon() != QMessageBox::Critical || box.parentWidget() != &window || box.windowIcon().isNull())
            buttons << "wrong box";
        return int(QMessageBox::Ok);
    });
    ConfigReadFailure noReply;
    noReply.code = ConfigFailure::Link;
    noReply.link = LinkError::NoReply;
    window.slotReadFailed(noReply);
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].title, QStringLiteral("刷新"));
    QCOMPARE(prompter.shown[0].text, QStringLiteral("接收数据超时"));
    QCOMPARE(buttons, QStringList{"确定"});
    QCOMPARE(statusWhileShown, QStringLiteral("接收数据超时"));
}

// The read thread's signals are queued: rows in emission order, shown when the read ends complete,
// a box after them.
void TestMainWindow::threadSignalsArriveInOrder()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    window.slotAddItems(9, {"旧", "1"});
    int rowsWhenBoxShown = -1;
    prompter.answerNext([&](QDialog&) {
        rowsWhenBoxShown = window.configModel()->rowCount();
        return int(QMessageBox::Ok);
    });
    RefreshThread& thread = window.refreshThread();
    QScopedPointer<QThread> worker(QThread::create([&thread] {
        emit thread.signalClearItems();
        for (int i = 0; i < 50; ++i)
            emit thread.signalAddItems(i, {QStringLiteral("P%1").arg(i), QString::number(i)});
        emit thread.signalReadEnded(RefreshThread::ReadComplete, 50);
        ConfigReadFailure noReply;
        noReply.code = ConfigFailure::Link;
        noReply.link = LinkError::NoReply;
        emit thread.signalReadFailed(noReply);
    }));
    worker->start();
    QVERIFY(worker->wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(prompter.shown.size(), 1, 10000);
    QCOMPARE(rowsWhenBoxShown, 50);
    for (int i = 0; i < 50; ++i)
        QCOMPARE(window.configModel()->row(i).index, i);
}

void TestMainWindow::aboutBox_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::newRow("defaults") << ""
                              << "ZEve V5.3"
                              << "关于";
    QTest::newRow("english") << "[language]\nlanguage=en_US\n"
                             << "ZU Vuvoriraz V5.3"
                             << "About";
    QTest::newRow("traditional, no version") << "[language]\nlanguage=zh_TW\n[appname]\ntw=台版\nver=false\n"
                                             << "台版"
                                             << "關於";
}

void TestMainWindow::aboutBox()
{
    QFETCH(QString, ini);
    QFETCH(QString, label);
    QFETCH(QString, title);
    WorkDir dir;
    dir.copyTranslations();
    dir.writeFile("config.ini", ini.toUtf8());
    ScriptedPrompter prompter;
    MainWindow window;
    QString labelText;
    QSize size;
    int result = -1;
    prompter.answerNext([&](QDialog& dialog) {
        labelText = dialog.findChild<QLabel*>("labelVersion")->text();
        size = dialog.size();
        if (dialog.minimumSize() != size || dialog.maximumSize() != size)
            size = QSize();
        QTest::mouseClick(dialog.findChild<QPushButton*>("bntOK"), Qt::LeftButton);
        return result = dialog.result();
    });
    action(window, "about")->trigger();
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].className, QStringLiteral("NeutralAboutDialog"));
    QCOMPARE(prompter.shown[0].title, title);
    QCOMPARE(labelText, label);
    // One name in the title and in the box, whatever the language.
    QCOMPARE(window.windowTitle(), label);
    // Fixed at the size its contents need, at least the name's box of old.
    QVERIFY(size.width() >= 245 && size.height() >= 112);
    QCOMPARE(result, int(QDialog::Accepted));
}

void TestMainWindow::setupDialogRunsThroughPrompter()
{
    WorkDir dir;
    ScriptedPrompter prompter;
    MainWindow window;
    action(window, "setup")->trigger();
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(prompter.shown[0].className, QStringLiteral("SetupDialog"));
}

// Every operation disables and enables the window's actions: the tool bar's buttons follow without
// the tool bar laying itself out again, which a write of hundreds of items would feel.
void TestMainWindow::disablingLeavesToolBarLaidOut()
{
    WorkDir dir;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* toolBar = window.findChild<QToolBar*>("toolBar");
    QWidget* button = toolBar->widgetForAction(action(window, "sync_time"));
    int layouts = 0;
    EventCounter counter(QEvent::LayoutRequest, &layouts);
    toolBar->installEventFilter(&counter);
    action(window, "sync_time")->setEnabled(false);
    QCoreApplication::processEvents();
    QVERIFY(!button->isEnabled());
    action(window, "sync_time")->setEnabled(true);
    QCoreApplication::processEvents();
    QVERIFY(button->isEnabled());
    QCOMPARE(layouts, 0);
    // A change of what the button shows still reaches it.
    action(window, "sync_time")->setIconText(QStringLiteral("同步设备时间"));
    QCoreApplication::processEvents();
    QCOMPARE(qobject_cast<QToolButton*>(button)->text(), QStringLiteral("同步设备时间"));
}

void TestMainWindow::keyboardReachesEveryMenuEntry_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("refreshButton");
    QTest::newRow("simplified") << "zh_CH"
                                << "刷新";
    QTest::newRow("traditional") << "zh_TW"
                                 << "重新整理";
    QTest::newRow("english") << "en_US"
                             << "Refresh";
}

// Every menu and every entry has an Alt letter of its own within its menu, F10 opens the first
// menu, and the tool bar shows the texts without the letters.
void TestMainWindow::keyboardReachesEveryMenuEntry()
{
    QFETCH(QString, language);
    QFETCH(QString, refreshButton);
    WorkDir dir;
    dir.copyTranslations();
    dir.writeConfig({{"language/language", language}});
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto lettersOf = [](const QList<QAction*>& actions) {
        QSet<QKeySequence> letters;
        for (QAction* item : actions) {
            if (item->isSeparator())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            if (letter.isEmpty() || letters.contains(letter))
                return QString(item->text());
            letters.insert(letter);
        }
        return QString();
    };
    QCOMPARE(lettersOf(window.menuBar()->actions()), QString());
    for (QAction* menu : window.menuBar()->actions())
        QCOMPARE(lettersOf(menu->menu()->actions()), QString());

    auto* toolBar = window.findChild<QToolBar*>("toolBar");
    QCOMPARE(qobject_cast<QToolButton*>(toolBar->widgetForAction(action(window, "refresh")))->text(), refreshButton);

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F10);
    QTRY_VERIFY(window.findChild<QMenu*>("menu")->isVisible());
    QCOMPARE(window.menuBar()->activeAction(), window.menuBar()->actions().first());
    window.findChild<QMenu*>("menu")->close();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
