#pragma once

#include "app/instrumentrows.h"
#include "config/configjobs.h"
#include "config/configmodel.h"
#include "config/configoutcome.h"
#include "config/configrow.h"
#include "config/refreshthread.h"
#include "firmware/updatethread.h"
#include "jobs/jobrunner.h"
#include "settings/config.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}
class BusyIndicator;
class ConfigFiles;
class ConfigReads;
class ConfigTree;
class ConfigWrites;
class ConnectionBar;
class OperationsLog;
class OutcomeReport;
class QAction;
class QLabel;
class RepaintHold;
class QIcon;
class QTranslator;

// The assistant's one window: the configuration tree in the middle, every operation behind the
// menus and the tool bar, errors in a box, mirrored in the status bar and kept in the operations log.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // A critical box with one "确定" button; its text also stays in the status bar for a while.
    // A hint, when given, is a further line in the box only.
    void showErrorBox(const QString& title, const QString& text, const QIcon& icon, const QString& hint = QString());

    void applyLanguage(const QString& code);

    void loadSkipItems();

    // Asks for an item's new value; returns a WriteMode.
    int promptItemValue(const ConfigRow& row, QString& value);

    ConfigTree* configTree() const { return tree; }
    ConfigModel* configModel() const { return rows; }
    RefreshThread& refreshThread() { return readThread; }
    // Runs the writes, the clock setting and the connection test.
    JobRunner& configRunner() { return worker; }
    BusyIndicator* busyIndicator() const { return busy; }
    ConnectionBar* connectionBar() const { return connection; }
    OperationsLog* operationsLog() const { return log; }
    // An operation on the instrument runs (until its outcome has been shown).
    bool isBusy() const { return running > Asking; }

public slots:
    void slotCommunicationSetup();
    void slotRefresh();
    void slotExportItems();
    void slotImportItems();
    void slotWriteItems();
    void slotSyncTime();
    void slotTestConnection();
    void slotCancelOperation();
    // Writes only the rows whose value differs from the instrument's, after showing them old -> new.
    void slotWriteChanged();
    // Imports a backup the writes made (then Write changes brings the instrument back).
    void slotRestoreBackup();
    void slotHistoryData();
    void slotUpdateHardware();
    void slotDeviceMonitor();
    void slotAbout();
    void slotManual();
    void slotClearItems();
    // One row through the SkipItems rules, appended to the rows shown.
    void slotAddItems(int index, const QStringList& fields);
    void slotItemCodec(int index, int codec);
    // A read collects its rows aside and shows them only when it completes: a failed or stopped
    // read leaves the tree as it was.
    void slotReadStarted();
    void slotReadItem(int index, const QStringList& fields);
    void slotReadContact(int contact);
    void slotReadEnded(int end, int itemsRead);
    void slotReadFailed(const ConfigReadFailure& failure);
    void slotRowDoubleClicked(int row);
    void slot_en_US();
    void slot_zh_CH();
    void slot_zh_TW();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the window is busy with: nothing, asking the operator before an operation (the others
    // wait meanwhile), or an operation on the instrument (until its outcome has been shown).
    enum Operation {
        NoOperation,
        Asking,
        ReadOperation,
        WriteOneOperation,
        WriteRowsOperation,
        SyncOperation,
        TestOperation
    };

    // One configuration operation at a time: while one runs or asks, the others are disabled, and
    // one reached another way (a double click) is refused with a status text.
    bool mayBegin();
    // Asks the operator while the others wait: the window is busy until ask has returned.
    void whileAsking(const std::function<void()>& ask);
    // Marks the window busy with an operation on the instrument and shows it, and the link it
    // uses, in the status bar.
    void beginBusy(Operation operation, const QString& text, const LinkSettings& link);
    void endBusy();
    void updateActions();
    void readFinished();
    // The outcome of a write, a clock setting or a connection test, once the rows show it.
    void operationEnded(const ConfigOutcome& outcome);
    // The action that started an operation, which names it in the log.
    const QAction* actionOf(Operation operation) const;

    // The values last read, which a write saves before a write changes the instrument.
    WriteBackup readValuesBackup() const;
    void updateChangeCount();
    // Asks before a refresh replaces values not yet written; true to go on.
    bool confirmDiscardChanges();
    void startWriteRows(const QVector<int>& treeRows);
    // The link of config.ini; a new target marks the rows as read from the last one.
    void showCurrentLink();
    void showLink(const LinkSettings& link);
    // The window title with the instrument the last complete read named, when it named one.
    void updateTitle();
    void retranslateToolTips();
    // Reports once, in the status bar, that config.ini could not be written.
    void reportUnsavedSettings();
    void restoreWindowState();

    Ui::MainWindow* form;
    ConfigModel* rows = nullptr;
    ConfigTree* tree = nullptr;
    RefreshThread readThread;
    JobRunner worker;
    // A child that goes after the runner has stopped: the write under way tells its progress there.
    ConfigWrites* writes = nullptr;
    ConfigFiles* files = nullptr;
    ConfigReads* reads = nullptr;
    std::unique_ptr<OutcomeReport> report;
    BusyIndicator* busy = nullptr;
    RepaintHold* repaintHold = nullptr;
    ConnectionBar* connection = nullptr;
    OperationsLog* log = nullptr;
    Operation running = NoOperation;
    QLabel* changesLabel = nullptr;
    // The instrument's identity from the last complete read: its name for the backups' file names
    // and the history's PDF, its model and serial number for the title.
    InstrumentIdentity instrument;
    // The target of the link the rows were last read from ("UDP 127.0.0.1:5000").
    QString readFromTarget;
    // Lent to each update dialog: a failed run still ends the instrument's update mode after the
    // dialog has closed, and the next dialog's run waits for it.
    UpdateThread updateWorker;
    QTranslator* translator = nullptr;
    QTranslator* qtTranslator = nullptr; // Qt's own texts, switched with the assistant's
    QString settingsFailure; // set once config.ini has failed to be written, so it is told once
    // The window's own hold on config.ini: while the window lives, a setting it could not write (a
    // file that is not writable) still holds for every Config of the process, as chosen.
    Config settings;
};
