#include "app/mainwindow.h"
#include "app/steadytoolbuttons.h"

#include "app/neutralaboutdialog.h"
#include "app/qttranslations.h"
#include "app/repainthold.h"
#include "config/configmodel.h"
#include "config/itemtext.h"
#include "config/skipitems.h"
#include "config/texts/readtexts.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "config/ui/connectionbar.h"
#include "firmware/firmwareversion.h"
#include "firmware/ui/updatedialog.h"
#include "history/ui/historydata.h"
#include "monitor/ui/monitordialog.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/translationfiles.h"
#include "setup/ui/setupdialog.h"

#include "ui_mainwindow.h"

#include <climits>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      form(new Ui::MainWindow),
      rows(nullptr),
      tree(nullptr),
      translator(nullptr),
      qtTranslator(nullptr)
{
    form->setupUi(this);
    rows = new ConfigModel(this);
    tree = new ConfigTree(rows, this);
    translator = new QTranslator(this);
    qtTranslator = new QTranslator(this);

    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/image/configure.png"))));

    // The form's placeholder central widget goes with the replacement.
    setCentralWidget(tree);
    form->centralWidget = nullptr;
    form->toolBar->setMovable(false);
    form->toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SteadyToolButtons::install(form->toolBar);

    connect(form->setup, SIGNAL(triggered()), this, SLOT(slotCommunicationSetup()));
    connect(form->refresh, SIGNAL(triggered()), this, SLOT(slotRefresh()));
    connect(form->import_2, SIGNAL(triggered()), this, SLOT(slotImportItems()));
    connect(form->export_2, SIGNAL(triggered()), this, SLOT(slotExportItems()));
    connect(form->save, SIGNAL(triggered()), this, SLOT(slotWriteItems()));
    connect(form->sync_time, SIGNAL(triggered()), this, SLOT(slotSyncTime()));
    connect(form->test_connection, SIGNAL(triggered()), this, SLOT(slotTestConnection()));
    connect(form->write_changed, SIGNAL(triggered()), this, SLOT(slotWriteChanged()));
    connect(form->restore_backup, SIGNAL(triggered()), this, SLOT(slotRestoreBackup()));
    connect(form->debug, SIGNAL(triggered()), this, SLOT(slotHistoryData()));
    connect(form->update, SIGNAL(triggered()), this, SLOT(slotUpdateHardware()));
    connect(form->about, SIGNAL(triggered()), this, SLOT(slotAbout()));
    connect(form->lang_en_US, SIGNAL(triggered()), this, SLOT(slot_en_US()));
    connect(form->lang_zh_CH, SIGNAL(triggered()), this, SLOT(slot_zh_CH()));
    connect(form->lang_zh_TW, SIGNAL(triggered()), this, SLOT(slot_zh_TW()));
    connect(form->monitor, SIGNAL(triggered()), this, SLOT(slotDeviceMonitor()));
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
    writeProgressPoll = new QTimer(this);
    writeProgressPoll->setInterval(ConfigWorker::ReportIntervalMs);
    connect(writeProgressPoll, &QTimer::timeout, this, &MainWindow::showWriteProgress);
    connect(&worker, &ConfigWorker::signalRowsWritten, this, &MainWindow::workerRowsWritten);
    connect(&worker, &ConfigWorker::signalDone, this, &MainWindow::workerDone);
    connect(tree, SIGNAL(signalRowActivated(int)), this, SLOT(slotRowDoubleClicked(int)));

    busy = new BusyIndicator(this);
    connection = new ConnectionBar(this);
    changesLabel = new QLabel(this);
    changesLabel->setObjectName(QStringLiteral("labChanges"));
    changesLabel->hide();
    statusBar()->addPermanentWidget(changesLabel);
    statusBar()->addPermanentWidget(busy);
    statusBar()->addPermanentWidget(connection);
    repaintHold = new RepaintHold({form->toolBar, statusBar(), tree}, this);
    connect(busy, &BusyIndicator::signalCancel, this, &MainWindow::slotCancelOperation);
    setShortcuts();
    showCurrentLink();

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
    readThread.stopAndWait();
    worker.stopAndWait();
    delete form;
}

void MainWindow::showErrorBox(const QString& title, const QString& text, const QIcon& icon, const QString& hint)
{
    QMessageBox box(QMessageBox::Critical, title, hint.isEmpty() ? text : text + QLatin1Char('\n') + hint,
                    QMessageBox::Ok, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
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
    retranslateToolTips();
    updateChangeCount();
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

    settings.setValue(Settings::Language, code);
    setWindowTitle(applicationTitle());
    reportUnsavedSettings();
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

bool MainWindow::mayBeginOperation()
{
    if (operationRunning || isBusy() || readThread.isRunning()) {
        statusBar()->showMessage(tr("另一项配置操作尚未结束, 请稍候"), 5000);
        return false;
    }
    return true;
}

bool MainWindow::beginOperation()
{
    if (!mayBeginOperation())
        return false;
    operationRunning = true;
    updateActions();
    return true;
}

void MainWindow::endOperation()
{
    operationRunning = false;
    updateActions();
}

void MainWindow::setShortcuts()
{
    form->refresh->setShortcut(QKeySequence(Qt::Key_F5));
    form->write_changed->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    form->export_2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    form->import_2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    form->sync_time->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    form->debug->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    form->monitor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    form->update->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    form->setup->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
}

void MainWindow::retranslateToolTips()
{
    // The English texts carry the menus' Alt letters; a tool tip shows the text without them.
    for (QAction* action : findChildren<QAction*>())
        action->setToolTip(withoutMnemonic(action->text()));
}

QString MainWindow::withoutMnemonic(QString text)
{
    // Chinese texts carry their letter in brackets, "恢复备份(&B)...": the brackets go with it.
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

void MainWindow::showCurrentLink()
{
    connection->showLink(LinkSettings::load());
}

LinkSettings MainWindow::linkForWorker()
{
    const LinkSettings link = LinkSettings::load();
    worker.setLinkSettings(link);
    return link;
}

void MainWindow::beginBusy(Operation operation, const QString& text, const LinkSettings& link)
{
    running = operation;
    repaintHold->hold();
    connection->showLink(link);
    busy->start(text);
    updateActions();
}

void MainWindow::endBusy()
{
    running = NoOperation;
    writeProgressPoll->stop();
    busy->stop();
    updateActions();
    repaintHold->release();
}

void MainWindow::updateActions()
{
    const bool idle = !isBusy() && !operationRunning;
    for (QAction* action : {form->refresh, form->import_2, form->save, form->write_changed, form->sync_time,
                            form->test_connection, form->restore_backup})
        action->setEnabled(idle);
}

void MainWindow::slotCancelOperation()
{
    if (running == ReadOperation)
        readThread.stop();
    else if (running != NoOperation)
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
    if (changed == 0)
        return true;
    QMessageBox box(QMessageBox::Question, withoutMnemonic(form->refresh->text()),
                    tr("有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。\n仍要刷新吗?").arg(changed),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return Prompter::current().exec(box) == QMessageBox::Yes;
}

void MainWindow::loadSkipItems()
{
    rows->setSkipMap(readSkipItems(QStringLiteral("SkipItems")));
}

void MainWindow::slotCommunicationSetup()
{
    SetupDialog dialog(this);
    Prompter::current().exec(dialog);
    reportUnsavedSettings();
    showCurrentLink();
}

void MainWindow::slotRefresh()
{
    // A second trigger while the read runs does nothing, as before; one during another operation
    // is told why.
    if (readThread.isRunning() || running == ReadOperation)
        return;
    if (operationRunning || isBusy()) {
        statusBar()->showMessage(tr("另一项配置操作尚未结束, 请稍候"), 5000);
        return;
    }
    if (!confirmDiscardChanges())
        return;
    readRows.clear();
    readNoAnswer = false;
    const LinkSettings link = LinkSettings::load();
    beginBusy(ReadOperation, tr("正在读取 ……"), link);
    readThread.setLinkSettings(link);
    readThread.startRead();
}

void MainWindow::slotHistoryData()
{
    HistoryData dialog(this);
    // The history's PDF names the instrument the last complete read named, hidden row or not.
    dialog.setInstrument(instrumentName, instrumentModel, instrumentSerial);
    Prompter::current().exec(dialog);
}

void MainWindow::slotUpdateHardware()
{
    UpdateDialog dialog(this, &updateWorker);
    // The confirmation compares the package with the version the instrument last reported.
    for (const ConfigRow& row : rows->readRows()) {
        if (FirmwareVersion::isVersionRow(row.name))
            dialog.setInstrumentVersion(row.value.trimmed());
        else if (row.name.trimmed() == QStringLiteral("设备型号"))
            dialog.setInstrumentModel(row.value.trimmed()); // its newest file is marked in the catalogue
    }
    // A flashed instrument has new values: the tree reads them as on Refresh.
    connect(&dialog, &UpdateDialog::signalFirmwareUpdated, this, &MainWindow::slotRefresh);
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
    rows->clear();
    updateChangeCount();
}

void MainWindow::slotItemCodec(int, int codec)
{
    readCodec = codec;
}

void MainWindow::slotReadStarted()
{
    readRows.clear();
    readCodec = -1;
    readInstrumentName.clear();
    readInstrumentModel.clear();
    readInstrumentSerial.clear();
}

void MainWindow::slotReadItem(int index, const QStringList& fields)
{
    readRows.append({index, fields, readCodec});
    readCodec = -1;
    if (fields.value(0).trimmed() == QStringLiteral("设备名称") && readInstrumentName.isEmpty())
        readInstrumentName = itemValue(fields);
    else if (fields.value(0).trimmed() == QStringLiteral("设备型号") && readInstrumentModel.isEmpty())
        readInstrumentModel = itemValue(fields);
    else if (fields.value(0).trimmed() == QStringLiteral("序列号") && readInstrumentSerial.isEmpty())
        readInstrumentSerial = itemValue(fields);
    const int done = readRows.size();
    if (lastReadCount >= done)
        busy->setProgress(tr("正在读取 %1/%2 ……").arg(done).arg(lastReadCount), done, lastReadCount);
    else
        busy->setProgress(tr("正在读取 %1 ……").arg(done), done, 0);
}

void MainWindow::slotReadContact(int contact)
{
    readNoAnswer = LinkContact(contact) == LinkContact::NoAnswer;
    connection->showContact(LinkContact(contact));
}

void MainWindow::slotReadEnded(int end, int itemsRead)
{
    if (end == RefreshThread::ReadComplete) {
        lastReadCount = itemsRead;
        instrumentName = readInstrumentName;
        instrumentModel = readInstrumentModel;
        instrumentSerial = readInstrumentSerial;
        rows->showRead(readRows);
        updateChangeCount();
    } else {
        // The tree keeps what it held; the status says that the read did not get through.
        statusBar()->showMessage(tr("读取中断: 已读 %1 项, 配置树保持读取前的内容").arg(itemsRead));
    }
    readRows.clear();
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
    // A read that found no instrument says where to look.
    const bool hint = running == ReadOperation && readNoAnswer;
    showErrorBox(readFailureTitle(), readFailureText(failure), QIcon(QPixmap(QStringLiteral(":/image/refresh.png"))),
                 hint ? linkHint() : QString());
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
        const ConfigWorker::Job job = worker.job();
        if (job == ConfigWorker::WriteOneJob || job == ConfigWorker::WriteRowsJob) {
            QMessageBox box(QMessageBox::Warning, windowTitle(),
                            tr("正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。\n仍要关闭吗?"),
                            QMessageBox::Yes | QMessageBox::No, this);
            box.setDefaultButton(QMessageBox::No);
            if (Prompter::current().exec(box) != QMessageBox::Yes) {
                event->ignore();
                return;
            }
        }
        // Stopped, the worker ends its wait within a fraction of a second.
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
    saveWindowSize();
    QMainWindow::closeEvent(event);
}

void MainWindow::restoreWindowState()
{
    const int storedWidth = int(settings.heldInteger(Settings::WindowWidth, 0, INT_MAX));
    const int storedHeight = qMax(600, int(settings.heldInteger(Settings::WindowHeight, 0, INT_MAX)));
    // Neither side may exceed the screen: a stored height of 2147483647 would make a window that
    // never paints.
    QSize screen(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->availableGeometry().size();
    resize(QSize(storedWidth, storedHeight).boundedTo(screen));
    applyLanguage(settings.value(Settings::Language).toString());
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
    settings.setValue(Settings::WindowWidth, width());
    settings.setValue(Settings::WindowHeight, height());
    // Written now: the window may stay open in memory long after it was closed.
    settings.settings()->sync();
}
