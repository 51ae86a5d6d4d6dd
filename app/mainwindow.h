#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"
#include "config/refreshthread.h"

#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <QSet>
#include <QStringList>

namespace Ui {
class MainWindow;
}
class ConfigTree;
struct ItemWriteOutcome;
class QIcon;
class QTranslator;
class QTreeWidgetItem;

// The assistant's one window: the configuration tree in the middle, every operation behind the
// menus and the tool bar, errors in a box and mirrored in the status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // A critical box with one "确定" button; its text also stays in the status bar for 5000 ms.
    void showErrorBox(const QString& title, const QString& text, const QIcon& icon);

    void applyLanguage(const QString& code);

    // Rows: the SkipItems filter, then a numbered row that keeps the instrument's index.
    bool isSkippedRow(int index, const QStringList& fields);
    void addItemRow(int index, const QStringList& fields);
    void loadSkipItems();

    // Asks for an item's new value; returns a WriteMode.
    int promptItemValue(const QString& nameText, const QString& valueText, QString& value);

    ConfigTree* configTree() const { return tree; }
    RefreshThread& refreshThread() { return readThread; }

public slots:
    void slotCommunicationSetup();
    void slotRefresh();
    void slotExportItems();
    void slotImportItems();
    void slotWriteItems();
    void slotSyncTime();
    void slotHistoryData();
    void slotUpdateHardware();
    void slotDeviceMonitor();
    void slotAbout();
    void slotClearItems();
    void slotAddItems(int index, const QStringList& fields);
    void slotItemCodec(int index, int codec);
    void slotShowErrorMessage(const QString& title, const QString& text, const QString& iconPath);
    void slotItemDoubleClicked(QTreeWidgetItem* item, int column);
    void slot_en_US();
    void slot_zh_CH();
    void slot_zh_TW();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static ConfigRow rowOf(const QTreeWidgetItem* item);
    // Column 1 as the instrument now reports it, and how its text was decoded.
    static void setRowValue(QTreeWidgetItem* item, const ItemWriteOutcome& outcome);
    ConfigRows treeRows() const;
    // The boxes of an operation's outcome in order, then its status text for 5000 ms.
    void showOutcome(const ConfigOutcome& outcome);
    // One configuration operation at a time: a second one (or a refresh, or one while the read
    // runs) is refused with a status text. The writes' waits run event loops, so an Import
    // triggered during a Write-all would otherwise clear the tree under it.
    bool beginOperation();
    void endOperation();
    // Reports once, in the status bar, that config.ini could not be written.
    void reportUnsavedSettings();
    void restoreWindowState();
    void shrinkToolBarIcons();
    void saveWindowSize();

    Ui::MainWindow* form;
    ConfigTree* tree;
    RefreshThread readThread;
    QTranslator* translator;
    QTranslator* qtTranslator; // Qt's own texts, switched with the assistant's
    QMap<QString, QSet<QString>> skipMap;
    bool operationRunning = false;
    // Counts the clears of the tree: an operation that sees it change leaves the new rows alone.
    int treeGeneration = 0;
    QString settingsFailure; // set once config.ini has failed to be written, so it is told once
    // How the current read decoded each item (DeviceCodec by index), for the rows it adds.
    QHash<int, int> readCodecs;
    // The instrument's name as the last configuration read gave it, for the history's PDF.
    QString readInstrumentName;
};
