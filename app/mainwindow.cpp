#include "app/mainwindow.h"

#include "app/configfiles.h"
#include "app/configreads.h"
#include "app/configwrites.h"
#include "app/instrumentdialogs.h"
#include "app/instrumentrows.h"
#include "app/menutext.h"
#include "app/neutralaboutdialog.h"
#include "app/operationslog.h"
#include "app/outcomereport.h"
#include "app/qttranslations.h"
#include "app/repainthold.h"
#include "app/screenfit.h"
#include "app/stalerows.h"
#include "app/statusbar.h"
#include "app/steadytoolbuttons.h"
#include "app/windowkeys.h"
#include "app/windowsize.h"
#include "config/itemtext.h"
#include "config/skipitems.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "config/ui/connectionbar.h"
#include "help/ui/manualwindow.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"

#include "ui_mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSettings>
#include <QTranslator>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), form(new Ui::MainWindow)
{
    form->setupUi(this);
    // The status bar keeps its message clear of the link text, cutting it with "…" where it must.
    setStatusBar(new StatusBar(this));
    rows = new ConfigModel(this);
    tree = new ConfigTree(rows, this);
    translator = new QTranslator(this);
    qtTranslator = new QTranslator(this);
    // Every window and dialog opens within the screen, however small it is or large its scale.
    if (!qApp->findChild<ScreenFit*>())
        qApp->installEventFilter(new ScreenFit(qApp));

    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/image/configure.png"))));

    // The form's placeholder central widget goes with the replacement.
    setCentralWidget(tree);
    form->centralWidget = nullptr;
    form->toolBar->setMovable(false);
    SteadyToolButtons::install(form->toolBar);
    log = new OperationsLog(this);
    addDockWidget(Qt::BottomDockWidgetArea, log);
    log->hide();
    form->menu->addAction(log->toggleViewAction());

    const QPair<QAction*, const char*> actionSlots[] = {{form->setup, SLOT(slotCommunicationSetup())},
                                                        {form->refresh, SLOT(slotRefresh())},
                                                        {form->import_2, SLOT(slotImportItems())},
                                                        {form->export_2, SLOT(slotExportItems())},
                                                        {form->save, SLOT(slotWriteItems())},
                                                        {form->sync_time, SLOT(slotSyncTime())},
                                                        {form->test_connection, SLOT(slotTestConnection())},
                                                        {form->write_changed, SLOT(slotWriteChanged())},
                                                        {form->restore_backup, SLOT(slotRestoreBackup())},
                                                        {form->debug, SLOT(slotHistoryData())},
                                                        {form->update, SLOT(slotUpdateHardware())},
                                                        {form->about, SLOT(slotAbout())},
                                                        {form->manual, SLOT(slotManual())},
                                                        {form->lang_en_US, SLOT(slot_en_US())},
                                                        {form->lang_zh_CH, SLOT(slot_zh_CH())},
                                                        {form->lang_zh_TW, SLOT(slot_zh_TW())},
                                                        {form->monitor, SLOT(slotDeviceMonitor())}};
    for (const auto& actionSlot : actionSlots)
        connect(actionSlot.first, SIGNAL(triggered()), this, actionSlot.second);
    // The read thread's signals arrive queued: it lives in this thread but emits from its own.
    connect(&readThread, SIGNAL(signalClearItems()), this, SLOT(slotReadStarted()));
    connect(&readThread, SIGNAL(signalAddItems(int, const QStringList&)), this,
            SLOT(slotReadItem(int, const QStringList&)));
    connect(&readThread, SIGNAL(signalItemCodec(int, int)), this, SLOT(slotItemCodec(int, int)));
    connect(&readThread, SIGNAL(signalReadFailed(const ConfigReadFailure&)), this,
            SLOT(slotReadFailed(const ConfigReadFailure&)));
    connect(&readThread, SIGNAL(signalContact(int)), this, SLOT(slotReadContact(int)));
    connect(&readThread, SIGNAL(signalReadEnded(int, int)), this, SLOT(slotReadEnded(int, int)));
    // finished comes after everything the read emitted, also when its link did not open.
    connect(&readThread, &RefreshThread::finished, this, &MainWindow::readFinished);
    connect(tree, SIGNAL(signalRowActivated(int)), this, SLOT(slotRowDoubleClicked(int)));
    connect(tree, &ConfigTree::signalReadOnly, this,
            [this](const QString& why) { statusBar()->showMessage(why, OutcomeReport::StatusMs); });
    tree->setMenuActions({form->refresh});

    busy = new BusyIndicator(this);
    connection = new ConnectionBar(this);
    changesLabel = new QLabel(this);
    changesLabel->setObjectName(QStringLiteral("labChanges"));
    changesLabel->hide();
    statusBar()->addPermanentWidget(changesLabel);
    statusBar()->addPermanentWidget(busy);
    statusBar()->addPermanentWidget(connection);
    report.reset(new OutcomeReport(*this, *log, *connection));
    writes = new ConfigWrites(*rows, *tree, worker, *busy, this);
    connect(writes, &ConfigWrites::signalRowsAnswered, this, &MainWindow::updateChangeCount);
    reads = new ConfigReads(*rows, *busy, *connection, *statusBar(), *report, this);
    files = new ConfigFiles(*this, *rows, *report);
    connect(files, &ConfigFiles::signalRowsImported, this, &MainWindow::updateChangeCount);
    repaintHold = new RepaintHold({form->toolBar, statusBar(), tree}, this);
    connect(busy, &BusyIndicator::signalCancel, this, &MainWindow::slotCancelOperation);
    setWindowShortcuts(*form, *this);
    showCurrentLink();

    restoreWindowState();
    // After the stored language is applied, so the first text already speaks it.
    statusBar()->showMessage(tr("准备就绪"), 5000);
    // A config.ini that the start could not write is worth more than "ready".
    if (!settingsFailure.isEmpty())
        statusBar()->showMessage(settingsFailure);
    shrinkToolBarIcons(*form->toolBar);
    loadSkipItems();
}

MainWindow::~MainWindow()
{
    // A window torn down without a close (a test, the end of main) must not destroy a running thread.
    readThread.stopAndWait();
    worker.stopAndWait();
    delete form;
}

void MainWindow::showErrorBox(const QString& title, const QString& text, const QIcon& icon, const QString& hint)
{
    report->showError(title, text, icon, hint);
}

void MainWindow::applyLanguage(const QString& code)
{
    form->lang_en_US->setChecked(code == QLatin1String("en_US"));
    form->lang_zh_TW->setChecked(code == QLatin1String("zh_TW"));
    form->lang_zh_CH->setChecked(!form->lang_en_US->isChecked() && !form->lang_zh_TW->isChecked());

    installLanguage(*translator, *qtTranslator, code);
    form->retranslateUi(this);
    log->retranslate();
    retranslateToolTips();
    updateChangeCount();
    // A status text still showing speaks the language just left.
    statusBar()->clearMessage();

    fitToolBarWidth(*this, *form->toolBar);

    settings.setValue(Settings::Language, code);
    updateTitle();
    reportUnsavedSettings();
}

void MainWindow::updateTitle()
{
    setWindowTitle(instrumentTitle(applicationTitle(), instrument.model, instrument.serial));
}

void MainWindow::reportUnsavedSettings()
{
    QSettings* store = settings.settings();
    store->sync();
    if (store->status() != QSettings::AccessError || !settingsFailure.isEmpty())
        return;
    settingsFailure = tr("无法保存设置: %1 不可写入").arg(store->fileName());
    statusBar()->showMessage(settingsFailure);
}

bool MainWindow::mayBegin()
{
    if (running != NoOperation || readThread.isRunning()) {
        statusBar()->showMessage(tr("另一项配置操作尚未结束, 请稍候"), 5000);
        return false;
    }
    return true;
}

void MainWindow::whileAsking(const std::function<void()>& ask)
{
    if (!mayBegin())
        return;
    running = Asking;
    updateActions();
    ask();
    // What was asked may have started an operation on the instrument, which ends on its own.
    if (running == Asking) {
        running = NoOperation;
        updateActions();
    }
}

void MainWindow::retranslateToolTips()
{
    // The texts carry the menus' Alt letters; a tool tip shows the text without them, and so does a
    // tool-bar button (Qt's own would keep the brackets of "刷新(&R)" as "刷新(R)").
    for (QAction* action : findChildren<QAction*>()) {
        action->setToolTip(withoutMnemonic(action->text()));
        action->setIconText(operationName(*action));
    }
}

void MainWindow::showCurrentLink()
{
    showLink(LinkSettings::load());
}

void MainWindow::showLink(const LinkSettings& link)
{
    connection->showLink(link);
    // Rows read over another link are another instrument's, as far as anyone can tell.
    const QString target = ConnectionBar::describeTarget(link);
    markRowsStale(*tree,
                  rows->rowCount() > 0 && !readFromTarget.isEmpty() && target != readFromTarget
                      ? tr("来自 %1 的读取").arg(readFromTarget)
                      : QString());
}

void MainWindow::beginBusy(Operation operation, const QString& text, const LinkSettings& link)
{
    running = operation;
    repaintHold->hold();
    showLink(link);
    connection->showWaiting();
    busy->start(text);
    updateActions();
}

void MainWindow::endBusy()
{
    running = NoOperation;
    busy->stop();
    connection->endWaiting();
    updateActions();
    repaintHold->release();
}

void MainWindow::updateActions()
{
    const bool idle = running == NoOperation;
    for (QAction* action : {form->refresh, form->import_2, form->save, form->write_changed, form->sync_time,
                            form->test_connection, form->restore_backup})
        action->setEnabled(idle);
}

void MainWindow::slotCancelOperation()
{
    if (running == ReadOperation)
        readThread.stop();
    else if (isBusy())
        worker.stop();
}

void MainWindow::updateChangeCount()
{
    const int changed = rows->changedCount();
    changesLabel->setText(tr("%1 项修改未写入").arg(changed));
    changesLabel->setVisible(changed > 0);
}

bool MainWindow::confirmDiscardChanges()
{
    const int changed = rows->changedCount();
    return changed == 0
        || askYesNo(this, QMessageBox::Question, withoutMnemonic(form->refresh->text()),
                    tr("有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。\n仍要刷新吗?").arg(changed),
                    QMessageBox::No);
}

void MainWindow::loadSkipItems()
{
    rows->setSkipMap(readSkipItems(QStringLiteral("SkipItems")));
}

void MainWindow::slotCommunicationSetup()
{
    runSetupDialog(this, *report);
    reportUnsavedSettings();
    showCurrentLink();
}

void MainWindow::slotRefresh()
{
    // A second trigger while the read runs does nothing, as before; one during another operation
    // is told why.
    if (readThread.isRunning() || running == ReadOperation || !mayBegin() || !confirmDiscardChanges())
        return;
    reads->begin();
    const LinkSettings link = LinkSettings::load();
    beginBusy(ReadOperation, tr("正在读取 ……"), link);
    readThread.setLinkSettings(link);
    readThread.startRead();
}

void MainWindow::slotHistoryData()
{
    showCurrentLink();
    runHistoryDialog(this, *connection, instrument);
}

void MainWindow::slotUpdateHardware()
{
    // A flashed instrument has new values: the tree reads them as on Refresh.
    runUpdateDialog(this, updateWorker, rows->readRows(), [this] { slotRefresh(); });
}

void MainWindow::slotDeviceMonitor()
{
    showCurrentLink();
    runMonitorDialog(this, *connection);
}

void MainWindow::slotAbout()
{
    NeutralAboutDialog dialog(this);
    Prompter::current().exec(dialog);
}

void MainWindow::slotManual()
{
    ManualWindow::open(this, ManualWindow::sectionFor(this));
}

void MainWindow::slotClearItems()
{
    rows->clear();
    updateChangeCount();
}

void MainWindow::slotItemCodec(int, int codec)
{
    reads->setCodec(codec);
}

void MainWindow::slotReadStarted()
{
    reads->started();
}

void MainWindow::slotReadItem(int index, const QStringList& fields)
{
    reads->add(index, fields);
}

void MainWindow::slotReadContact(int contact)
{
    reads->contact(LinkContact(contact));
}

void MainWindow::slotReadEnded(int end, int itemsRead)
{
    if (!reads->end(end, itemsRead, operationName(*form->refresh)))
        return;
    instrument = reads->identity();
    readFromTarget = ConnectionBar::describeTarget(LinkSettings::load());
    markRowsStale(*tree, QString());
    updateChangeCount();
    updateTitle();
}

void MainWindow::slotAddItems(int index, const QStringList& fields)
{
    rows->addItem(index, fields);
    updateChangeCount();
}

void MainWindow::readFinished()
{
    if (running == ReadOperation)
        endBusy();
}

void MainWindow::slotReadFailed(const ConfigReadFailure& failure)
{
    reads->fail(failure, operationName(*form->refresh), running == ReadOperation);
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
    if (worker.isWorking()) {
        if ((running == WriteOneOperation || running == WriteRowsOperation)
            && !askYesNo(this, QMessageBox::Warning, windowTitle(),
                         tr("正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。\n仍要关闭吗?"),
                         QMessageBox::No)) {
            event->ignore();
            return;
        }
        // Stopped, the job ends its wait within a fraction of a second.
        hide();
        worker.stopAndWait();
    }
    // A running read is stopped; the operator sees the window go at once, and the read ends within
    // a fraction of a second.
    if (readThread.isRunning()) {
        hide();
        readThread.stop();
    }
    readThread.wait();
    // A refused or failed update may still be ending the instrument's update mode (at most 20 s):
    // the window goes at once, the settings stay until that sequence has run to its end.
    if (updateWorker.isRunning()) {
        hide();
        updateWorker.wait();
    }
    saveWindowSize(settings, *this);
    QMainWindow::closeEvent(event);
}

void MainWindow::restoreWindowState()
{
    const QSize stored = storedWindowSize(settings, *this);
    resize(stored);
    applyLanguage(settings.value(Settings::Language).toString());
    // The language has set the width the tool bar needs; a wider stored width wins.
    resize(QSize(qMax(minimumWidth(), stored.width()), height()).boundedTo(availableScreenSize(*this)));
}
