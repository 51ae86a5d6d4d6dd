// The configuration operations of the main window: it asks the operator, hands the rows to the
// operations in config/ and shows what they report. Each operation opens a link of its own.
#include "app/mainwindow.h"

#include "config/clocksync.h"
#include "config/configcsv.h"
#include "config/configwriter.h"
#include "config/itemtext.h"
#include "config/skipitems.h"
#include "config/ui/busyindicator.h"
#include "config/ui/configtree.h"
#include "config/ui/connectionbar.h"
#include "config/ui/modifydialog.h"
#include "config/writemode.h"
#include "prompt/prompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>

#include <functional>

namespace {
constexpr int StatusMs = 5000;
const char* const CsvFilter = "Files (*.csv)";

// Ends the window's configuration operation (the export's or the import's) however the slot returns.
class OperationScope
{
public:
    explicit OperationScope(std::function<void()> end) : end(std::move(end)) {}
    ~OperationScope() { end(); }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    std::function<void()> end;
};
}

ConfigRow MainWindow::rowOf(const QTreeWidgetItem* item)
{
    const QVariant codec = item->data(0, ItemCodecRole);
    return ConfigRow{item->data(0, ItemIndexRole).toInt(), item->text(0), item->text(1), codec.isValid() ? codec.toInt() : -1};
}

void MainWindow::setRowValue(QTreeWidgetItem* item, const ItemWriteOutcome& outcome)
{
    item->setText(1, outcome.valueColumn);
    if (outcome.codec >= 0)
        item->setData(0, ItemCodecRole, outcome.codec);
}

ConfigRows MainWindow::treeRows() const
{
    ConfigRows rows;
    rows.reserve(tree->topLevelItemCount());
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        rows.append(rowOf(tree->topLevelItem(row)));
    return rows;
}

void MainWindow::showOutcome(const ConfigOutcome& outcome)
{
    // The first box of a failure in which the instrument did not answer says where to look.
    bool hint = outcome.contact == LinkContact::NoAnswer;
    for (const ConfigOutcome::Box& shown : outcome.boxes) {
        if (shown.error) {
            showErrorBox(shown.title, shown.text, windowIcon(), hint ? linkHint() : QString());
            hint = false;
            continue;
        }
        QMessageBox box(QMessageBox::Information, shown.title, shown.text, QMessageBox::Ok, this,
                        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        Prompter::current().exec(box);
    }
    if (!outcome.status.isEmpty())
        statusBar()->showMessage(outcome.status, StatusMs);
}

int MainWindow::promptItemValue(const QString& nameText, const QString& valueText, QString& value)
{
    value.clear();
    const bool confirmOnly = valueText.length() < 1;
    const QString name = itemNameFromColumn(nameText);
    const QString current = itemValueFromColumn(valueText);

    if (confirmOnly) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" "), name, QMessageBox::Ok | QMessageBox::Cancel, this,
                        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.button(QMessageBox::Ok)->setText(tr("确定"));
        box.button(QMessageBox::Cancel)->setText(tr("取消"));
        box.setWindowIcon(windowIcon());
        return Prompter::current().exec(box) == QMessageBox::Ok ? WriteConfirmOnly : WriteCancelled;
    }

    ModifyDialog dialog(name, current, this);
    if (Prompter::current().exec(dialog) != QDialog::Accepted)
        return WriteCancelled;
    value = dialog.value().trimmed();
    return WriteValued;
}

void MainWindow::slotItemDoubleClicked(QTreeWidgetItem* item, int)
{
    if (!item || !beginOperation())
        return;
    QString newValue;
    const int mode = promptItemValue(item->text(0), item->text(1), newValue);
    endOperation();
    if (mode == WriteCancelled)
        return;
    statusBar()->showMessage(tr("正在写入配置......"));
    writtenItem = item;
    writeGeneration = treeGeneration;
    beginBusy(WriteOneOperation, tr("正在写入 %1 ……").arg(itemNameFromColumn(item->text(0))));
    worker.startWriteOne(rowOf(item), newValue, WriteMode(mode));
}

void MainWindow::slotWriteItems()
{
    if (!beginOperation())
        return;
    endOperation();
    statusBar()->showMessage(tr("正在写入配置......"));
    writeGeneration = treeGeneration;
    writtenRows.clear();
    currentWriteRow = -1;
    beginBusy(WriteRowsOperation, tr("正在写入 ……"));
    worker.startWriteRows(treeRows());
}

void MainWindow::slotSyncTime()
{
    if (!beginOperation())
        return;
    endOperation();
    beginBusy(SyncOperation, tr("正在同步时间 ……"));
    worker.startSyncTime();
}

void MainWindow::slotTestConnection()
{
    if (!beginOperation())
        return;
    endOperation();
    beginBusy(TestOperation, tr("正在测试连接 ……"));
    worker.startTestConnection();
}

void MainWindow::workerRowStarting(int row, int done, int total)
{
    currentWriteRow = row;
    busy->setProgress(tr("正在写入 %1/%2 ……").arg(done + 1).arg(total), done, total);
}

void MainWindow::workerRowWritten(int row, const ItemWriteOutcome& outcome)
{
    writtenRows.append({row, outcome});
    if (!flushTimer->isActive())
        flushTimer->start();
}

void MainWindow::flushWrittenRows()
{
    flushTimer->stop();
    if (writeGeneration != treeGeneration) {
        writtenRows.clear();
        return;
    }
    tree->setUpdatesEnabled(false);
    for (const auto& written : qAsConst(writtenRows)) {
        if (QTreeWidgetItem* item = tree->topLevelItem(written.first))
            setRowValue(item, written.second);
    }
    writtenRows.clear();
    if (QTreeWidgetItem* item = tree->topLevelItem(currentWriteRow))
        tree->setCurrentItem(item);
    tree->setUpdatesEnabled(true);
}

void MainWindow::workerDone(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int)
{
    const Operation operation = running;
    if (operation == WriteRowsOperation)
        flushWrittenRows();
    if (operation == WriteOneOperation && item.ok && writeGeneration == treeGeneration && writtenItem)
        setRowValue(writtenItem, item);
    writtenItem = nullptr;
    connection->showContact(outcome.contact);
    // Busy ends before the boxes: the operator may act again as soon as the outcome shows.
    endBusy();
    showOutcome(outcome);
}

QString MainWindow::linkHint()
{
    return tr("请检查通讯设置中的地址、端口、串口线和设备地址。");
}


void MainWindow::slotExportItems()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    const QString fileName =
        Prompter::current().getSaveFileName(this, withoutMnemonic(tr("导出配置")), QString(), QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导出配置......"));
    showOutcome(ConfigCsv::exportTo(fileName, treeRows()));
}

void MainWindow::slotImportItems()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    const QString fileName =
        Prompter::current().getOpenFileName(this, withoutMnemonic(tr("导入配置")), QString(), QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导入配置......"));
    const CsvImport import = ConfigCsv::importFrom(fileName);
    // A file that does not read leaves the tree as it was.
    if (!import.outcome.ok) {
        showOutcome(import.outcome);
        return;
    }
    slotClearItems();
    for (const ImportedRow& row : import.rows)
        slotAddItems(row.index, row.fields);
    // A name row the file held back ends with the import.
    pendingNameRow() = HeldRow();
    statusBar()->clearMessage();
}
