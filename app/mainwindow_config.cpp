// The configuration operations of the main window: it asks the operator, hands the rows to the
// writes and files of app/ and to the operations in config/, and shows what they report. Each
// operation opens a link of its own.
#include "app/mainwindow.h"

#include "app/changelist.h"
#include "app/configfiles.h"
#include "app/configwrites.h"
#include "app/instrumentrows.h"
#include "app/itemvalueprompt.h"
#include "app/menutext.h"
#include "app/outcomereport.h"
#include "config/configbackup.h"
#include "config/texts/configtexts.h"
#include "config/ui/connectionbar.h"
#include "config/writelog.h"
#include "prompt/messageboxes.h"

#include "ui_mainwindow.h"

#include <QStatusBar>

int MainWindow::promptItemValue(const ConfigRow& row, QString& value)
{
    return askItemValue(this, row, value);
}

WriteBackup MainWindow::readValuesBackup() const
{
    return WriteBackup{ConfigBackup::folder(), instrument.name, rows->readRows(), WriteLog::defaultPath()};
}

void MainWindow::slotRowDoubleClicked(int row)
{
    // A row the instrument takes no value for opens no editor (the tree says why).
    if (!rows->isEditable(row))
        return;
    const ConfigRow written = rows->row(row);
    QString newValue;
    int mode = WriteCancelled;
    whileAsking([&] { mode = promptItemValue(written, newValue); });
    if (mode == WriteCancelled)
        return;
    // The runner's thread gets going while the window shows that it is busy.
    const LinkSettings link = LinkSettings::load();
    writes->writeOne(link, row, newValue, WriteMode(mode), readValuesBackup(),
                     [this](const ConfigOutcome& outcome) { operationEnded(outcome); });
    statusBar()->showMessage(tr("正在写入配置......"));
    beginBusy(WriteOneOperation, tr("正在写入 %1 ……").arg(written.name), link);
}

void MainWindow::slotWriteItems()
{
    whileAsking([this] {
        // Every row is overwritten: the operator sees them all first, as for Write changes.
        const ChangeList all = writeAllList(*rows);
        if (all.rows.isEmpty()
            || askYesNo(this, QMessageBox::Question, operationName(*form->save), all.text, QMessageBox::Yes,
                        all.details))
            startWriteRows(all.rows);
    });
}

void MainWindow::startWriteRows(const QVector<int>& chosen)
{
    // The runner's thread gets going while the window shows that it is busy.
    const LinkSettings link = LinkSettings::load();
    writes->writeRows(link, chosen, readValuesBackup(),
                      [this](const ConfigOutcome& outcome) { operationEnded(outcome); });
    beginBusy(WriteRowsOperation, tr("正在写入 ……"), link);
    statusBar()->showMessage(tr("正在写入配置......"));
}

void MainWindow::slotWriteChanged()
{
    whileAsking([this] {
        const ChangeList changes = changeList(*rows);
        if (changes.rows.isEmpty()) {
            statusBar()->showMessage(tr("没有需要写入的修改"), OutcomeReport::StatusMs);
            return;
        }
        if (askYesNo(this, QMessageBox::Question, withoutMnemonic(form->write_changed->text()), changes.text,
                     QMessageBox::Yes, changes.details))
            startWriteRows(changes.rows);
    });
}

void MainWindow::slotExportItems()
{
    whileAsking([this] { files->exportRows(operationName(*form->export_2)); });
}

void MainWindow::slotImportItems()
{
    const QString title = operationName(*form->import_2);
    whileAsking([&] { files->importRows(title, QString(), title); });
}

void MainWindow::slotRestoreBackup()
{
    const QString title = operationName(*form->restore_backup);
    whileAsking([&] { files->importRows(title, ConfigFiles::backupFolder(), operationName(*form->import_2)); });
}

void MainWindow::slotSyncTime()
{
    if (!mayBegin())
        return;
    const LinkSettings link = LinkSettings::load();
    worker.run(
        this, [link](const StopToken& stop) { return ConfigJobs::syncTime(link, stop); },
        [this](const ConfigOutcome& outcome) { operationEnded(outcome); });
    beginBusy(SyncOperation, tr("正在同步时间 ……"), link);
}

void MainWindow::slotTestConnection()
{
    if (!mayBegin())
        return;
    const LinkSettings link = LinkSettings::load();
    worker.run(
        this, [link](const StopToken& stop) { return ConfigJobs::testConnection(link, stop); },
        [this](const ConfigOutcome& outcome) { operationEnded(outcome); });
    beginBusy(TestOperation, tr("正在测试连接 ……"), link);
}

void MainWindow::operationEnded(const ConfigOutcome& outcome)
{
    const Operation operation = running;
    // Busy ends before the boxes: the operator may act again as soon as the outcome shows.
    endBusy();
    connection->showContact(outcome.contact);
    ConfigMessages shown = configMessages(outcome);
    if (operation == SyncOperation && outcome.ok && outcome.clockSetTo.isValid()) {
        // The instrument's clock holds the time sent now: the row and the message say which.
        const QString setTo = outcome.clockSetTo.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        setDeviceTime(*rows, setTo);
        for (ConfigMessages::Box& box : shown.boxes)
            box.text += QLatin1Char('\n') + tr("设备时钟已设为 %1").arg(setTo);
    }
    report->show(shown, outcome, operationName(*actionOf(operation)));
}

const QAction* MainWindow::actionOf(Operation operation) const
{
    switch (operation) {
    case SyncOperation:
        return form->sync_time;
    case TestOperation:
        return form->test_connection;
    case WriteOneOperation:
    case WriteRowsOperation:
        return form->save;
    default:
        return form->refresh;
    }
}
