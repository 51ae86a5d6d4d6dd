#include "app/mainwindow.h"

#include "app/neutralaboutdialog.h"
#include "app/qttranslations.h"
#include "settings/translationfiles.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "config/ui/configtree.h"
#include "config/skipitems.h"
#include "firmware/ui/updatedialog.h"
#include "history/ui/historydata.h"
#include "setup/ui/setupdialog.h"
#include "monitor/ui/monitordialog.h"

#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QTranslator>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), form(new Ui::MainWindow), tree(nullptr), translator(nullptr), qtTranslator(nullptr)
{
    form->setupUi(this);
    tree = new ConfigTree(this);
    translator = new QTranslator(this);
    qtTranslator = new QTranslator(this);

    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/image/configure.png"))));

    // The form's placeholder central widget goes with the replacement.
    setCentralWidget(tree);
    form->centralWidget = nullptr;
    form->toolBar->setMovable(false);
    form->toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    connect(form->setup, SIGNAL(triggered()), this, SLOT(slotCommunicationSetup()));
    connect(form->refresh, SIGNAL(triggered()), this, SLOT(slotRefresh()));
    connect(form->import_2, SIGNAL(triggered()), this, SLOT(slotImportItems()));
    connect(form->export_2, SIGNAL(triggered()), this, SLOT(slotExportItems()));
    connect(form->save, SIGNAL(triggered()), this, SLOT(slotWriteItems()));
    connect(form->sync_time, SIGNAL(triggered()), this, SLOT(slotSyncTime()));
    connect(form->debug, SIGNAL(triggered()), this, SLOT(slotHistoryData()));
    connect(form->update, SIGNAL(triggered()), this, SLOT(slotUpdateHardware()));
    connect(form->about, SIGNAL(triggered()), this, SLOT(slotAbout()));
    connect(form->lang_en_US, SIGNAL(triggered()), this, SLOT(slot_en_US()));
    connect(form->lang_zh_CH, SIGNAL(triggered()), this, SLOT(slot_zh_CH()));
    connect(form->lang_zh_TW, SIGNAL(triggered()), this, SLOT(slot_zh_TW()));
    connect(form->monitor, SIGNAL(triggered()), this, SLOT(slotDeviceMonitor()));
    // The read thread's signals arrive queued: it lives in this thread but emits from its own.
    connect(&readThread, SIGNAL(signalClearItems()), this, SLOT(slotClearItems()));
    connect(&readThread, SIGNAL(signalAddItems(int, const QStringList&)),
            this, SLOT(slotAddItems(int, const QStringList&)));
    connect(&readThread, SIGNAL(signalItemCodec(int, int)), this, SLOT(slotItemCodec(int, int)));
    connect(&readThread, SIGNAL(showErrorMessage(const QString&, const QString&, const QString&)),
            this, SLOT(slotShowErrorMessage(const QString&, const QString&, const QString&)));
    // The history's PDF names the instrument that the last read named, hidden row or not.
    connect(&readThread, &RefreshThread::signalClearItems, this, [this] { readInstrumentName.clear(); });
    connect(&readThread, &RefreshThread::signalAddItems, this, [this](int, const QStringList& fields) {
        if (fields.size() >= 2 && fields.at(0) == QStringLiteral("设备名称"))
            readInstrumentName = fields.at(1).trimmed();
    });
    // A name row held back by a read never outlives it.
    connect(&readThread, &QThread::finished, this, [] { pendingNameRow() = HeldRow(); });
    connect(tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)),
            this, SLOT(slotItemDoubleClicked(QTreeWidgetItem*, int)));

    restoreWindowState();
    // After the stored language is applied, so the first text already speaks it.
    statusBar()->showMessage(tr("准备就绪"), 5000);
    // A config.ini that the start could not write is worth more than "ready".
    if (!settingsFailure.isEmpty())
        statusBar()->showMessage(settingsFailure);
    shrinkToolBarIcons();
    loadSkipItems();
}

MainWindow::~MainWindow()
{
    // A window torn down without a close (a test, the end of main) must not destroy a running thread.
    readThread.requestStop();
    readThread.wait();
    delete form;
}

void MainWindow::showErrorBox(const QString& title, const QString& text, const QIcon& icon)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setWindowIcon(icon);
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    statusBar()->showMessage(text, 5000);
    Prompter::current().exec(box);
}

void MainWindow::applyLanguage(const QString& code)
{
    form->lang_en_US->setChecked(code == QLatin1String("en_US"));
    form->lang_zh_TW->setChecked(code == QLatin1String("zh_TW"));
    form->lang_zh_CH->setChecked(!form->lang_en_US->isChecked() && !form->lang_zh_TW->isChecked());

    applyQtTranslation(*qtTranslator, code);
    // Dates and calendars of every window opened from now on speak the language too.
    QLocale::setDefault(languageLocale(code));
    // Installed once at most: a second install would only stack the same translator again.
    QCoreApplication::removeTranslator(translator);
    if (translator->load(translationFile(code)))
        QCoreApplication::installTranslator(translator);

    form->retranslateUi(this);
    // A status text still showing speaks the language just left.
    statusBar()->clearMessage();

    // Wide enough for every tool-bar button with its text under the icon. The buttons also stand
    // apart by the layout's spacing; without it the last one would drop behind the extension arrow.
    int width = QToolBar().minimumSizeHint().width();
    int buttons = 0;
    for (QAction* action : form->toolBar->actions()) {
        if (QWidget* button = form->toolBar->widgetForAction(action)) {
            width += button->minimumSizeHint().width();
            ++buttons;
        }
    }
    if (buttons > 1)
        width += form->toolBar->layout()->spacing() * (buttons - 1);
    setMinimumWidth(width);
    resize(width, height());

    Config* config = singleton<Config>::instance();
    config->setValue(Settings::Language, code);
    setWindowTitle(applicationTitle());
    reportUnsavedSettings();
}

void MainWindow::reportUnsavedSettings()
{
    auto settings = singleton<Config>::instance()->settings();
    settings->sync();
    if (settings->status() != QSettings::AccessError || !settingsFailure.isEmpty())
        return;
    settingsFailure = tr("无法保存设置: %1 不可写入").arg(settings->fileName());
    statusBar()->showMessage(settingsFailure);
}

bool MainWindow::beginOperation()
{
    if (operationRunning || readThread.isRunning()) {
        statusBar()->showMessage(tr("另一项配置操作尚未结束, 请稍候"), 5000);
        return false;
    }
    operationRunning = true;
    return true;
}

void MainWindow::endOperation()
{
    operationRunning = false;
}

bool MainWindow::isSkippedRow(int index, const QStringList& fields)
{
    HeldRow released;
    const bool skipped = skipRow(skipMap, index, fields, pendingNameRow(), released);
    // The held name row goes in just before the model row that released it.
    if (released.present)
        addItemRow(released.index, released.fields);
    return skipped;
}

void MainWindow::addItemRow(int index, const QStringList& fields)
{
    QTreeWidgetItem* item = tree->appendItem(index, fields);
    if (readCodecs.contains(index))
        item->setData(0, ItemCodecRole, readCodecs.value(index));
}

void MainWindow::loadSkipItems()
{
    skipMap = readSkipItems(QStringLiteral("SkipItems"));
}

void MainWindow::slotCommunicationSetup()
{
    SetupDialog dialog(this);
    Prompter::current().exec(dialog);
    reportUnsavedSettings();
}

void MainWindow::slotRefresh()
{
    // A second trigger while the read runs does nothing, as before; one during another operation
    // is told why.
    if (readThread.isRunning())
        return;
    if (operationRunning) {
        statusBar()->showMessage(tr("另一项配置操作尚未结束, 请稍候"), 5000);
        return;
    }
    readThread.startRead();
}

void MainWindow::slotHistoryData()
{
    HistoryData dialog(this);
    dialog.setInstrumentName(readInstrumentName);
    Prompter::current().exec(dialog);
}

void MainWindow::slotUpdateHardware()
{
    UpdateDialog dialog(this);
    Prompter::current().exec(dialog);
}

void MainWindow::slotDeviceMonitor()
{
    MonitorDialog dialog(this);
    Prompter::current().exec(dialog);
}

void MainWindow::slotAbout()
{
    NeutralAboutDialog dialog(this);
    Prompter::current().exec(dialog);
}

void MainWindow::slotClearItems()
{
    tree->clear();
    ++treeGeneration;
    readCodecs.clear();
    // A new read or import starts afresh: another instrument's held name row must not come back.
    pendingNameRow() = HeldRow();
}

void MainWindow::slotItemCodec(int index, int codec)
{
    readCodecs.insert(index, codec);
}

void MainWindow::slotAddItems(int index, const QStringList& fields)
{
    if (!isSkippedRow(index, fields))
        addItemRow(index, fields);
}

void MainWindow::slotShowErrorMessage(const QString& title, const QString& text, const QString& iconPath)
{
    showErrorBox(title, text, QIcon(QPixmap(iconPath)));
}

void MainWindow::slot_en_US()
{
    applyLanguage(QStringLiteral("en_US"));
}

void MainWindow::slot_zh_CH()
{
    applyLanguage(QStringLiteral("zh_CH"));
}

void MainWindow::slot_zh_TW()
{
    applyLanguage(QStringLiteral("zh_TW"));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A running read is stopped; the operator sees the window go at once, and the read ends within
    // a fraction of a second.
    if (readThread.isRunning()) {
        hide();
        readThread.requestStop();
    }
    readThread.wait();
    saveWindowSize();
    QMainWindow::closeEvent(event);
    singleton<Config>::destroy();
}

void MainWindow::restoreWindowState()
{
    Config* config = singleton<Config>::instance();
    const int storedWidth = config->value(Settings::WindowWidth).toInt();
    const int storedHeight = qMax(600, config->value(Settings::WindowHeight).toInt());
    // Neither side may exceed the screen: a stored height of 2147483647 would make a window that
    // never paints.
    QSize screen(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->availableGeometry().size();
    resize(QSize(storedWidth, storedHeight).boundedTo(screen));
    applyLanguage(config->value(Settings::Language).toString());
    // The language has set the width the tool bar needs; a wider stored width wins.
    resize(QSize(qMax(minimumWidth(), storedWidth), height()).boundedTo(screen));
}

void MainWindow::shrinkToolBarIcons()
{
    for (QAction* action : form->toolBar->actions())
        action->setIcon(QIcon(action->icon().pixmap(QSize(16, 16), QIcon::Normal, QIcon::Off)));
}

void MainWindow::saveWindowSize()
{
    Config* config = singleton<Config>::instance();
    config->setValue(Settings::WindowWidth, width());
    config->setValue(Settings::WindowHeight, height());
}
