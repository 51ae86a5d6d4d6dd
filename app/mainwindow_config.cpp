// The configuration operations of the main window: it asks the operator, hands the rows to the
// operations in config/ and shows what they report. Each operation opens a link of its own.
#include "app/mainwindow.h"

#include "config/clocksync.h"
#include "config/configbackup.h"
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

#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>

#include <functional>
#include <numeric>

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
    const ConfigRowState* state = ConfigTreeRow::stateOf(item);
    return ConfigRow{state->index, item->text(0), item->text(1), state->codec};
}

void MainWindow::setRowValue(QTreeWidgetItem* item, const ItemWriteOutcome& outcome)
{
    ConfigTreeRow* row = ConfigTreeRow::from(item);
    // What the instrument answered is what it holds now; a refused value stays marked until a read.
    ConfigRowState state = row->state();
    state.hasReadValue = true;
    state.readValue = outcome.valueColumn;
    state.refused = !outcome.kept;
    if (outcome.codec >= 0)
        state.codec = outcome.codec;
    const ConfigRowState& was = row->state();
    // Most rows of a Write-all come back as they were read: nothing to change or mark again.
    if (item->text(1) != outcome.valueColumn)
        item->setText(1, outcome.valueColumn);
    else if (was.hasReadValue && was.readValue == state.readValue && was.refused == state.refused
             && was.codec == state.codec)
        return;
    row->setState(state);
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
        // An action such as a factory reset: the instrument carries it out at once, so Enter must
        // not be the way to confirm it.
        QMessageBox box(QMessageBox::Warning, name, tr("设备将执行“%1”。\n确定要继续吗?").arg(name),
                        QMessageBox::Ok | QMessageBox::Cancel, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.button(QMessageBox::Ok)->setText(tr("确定"));
        box.button(QMessageBox::Cancel)->setText(tr("取消"));
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        box.setWindowIcon(windowIcon());
        return Prompter::current().exec(box) == QMessageBox::Ok ? WriteConfirmOnly : WriteCancelled;
    }

    // A value that plainly does not fit is refused before anything is sent; the dialog comes back
    // with it, to be mended.
    QString proposed = current;
    for (;;) {
        ModifyDialog dialog(name, proposed, this);
        if (Prompter::current().exec(dialog) != QDialog::Accepted)
            return WriteCancelled;
        proposed = dialog.value().trimmed();
        const ValueProblem problem = checkItemValue(name, current, proposed);
        if (problem == ValueProblem::None)
            break;
        const QString text = problem == ValueProblem::NotANumber
            ? tr("“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。").arg(proposed, current)
            : tr("“%1”不是此项的可选值。").arg(proposed);
        QMessageBox box(QMessageBox::Warning, dialog.windowTitle(), text, QMessageBox::Ok, this,
                        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        box.button(QMessageBox::Ok)->setText(tr("确定"));
        Prompter::current().exec(box);
    }
    value = proposed;
    return WriteValued;
}

WriteBackup MainWindow::readValuesBackup() const
{
    WriteBackup backup{ConfigBackup::folder(), instrumentName, {}};
    ConfigRows& read = backup.rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        const ConfigRowState* state = ConfigTreeRow::stateOf(item);
        if (state->hasReadValue)
            read.append(ConfigRow{state->index, item->text(0), state->readValue, state->codec});
    }
    return backup;
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
    writtenItem = item;
    writeGeneration = treeGeneration;
    // The worker's thread gets going while the window shows that it is busy.
    worker.startWriteOne(rowOf(item), newValue, WriteMode(mode), readValuesBackup());
    statusBar()->showMessage(tr("正在写入配置......"));
    beginBusy(WriteOneOperation, tr("正在写入 %1 ……").arg(itemNameFromColumn(item->text(0))));
}

void MainWindow::slotWriteItems()
{
    if (!mayBeginOperation())
        return;
    QVector<int> all(tree->topLevelItemCount());
    std::iota(all.begin(), all.end(), 0);
    startWriteRows(all);
}

void MainWindow::startWriteRows(const QVector<int>& rows)
{
    writeGeneration = treeGeneration;
    currentWriteRow = -1;
    writeTreeRows = rows;
    ConfigRows written;
    written.reserve(rows.size());
    for (int row : rows)
        written.append(rowOf(tree->topLevelItem(row)));
    worker.startWriteRows(written, readValuesBackup());
    // The worker's thread gets going while the window shows that it is busy.
    beginBusy(WriteRowsOperation, tr("正在写入 ……"));
    statusBar()->showMessage(tr("正在写入配置......"));
    writeProgressPoll->start();
}

void MainWindow::slotWriteChanged()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    QVector<int> rows;
    QStringList lines;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        if (!ConfigTree::isChanged(item))
            continue;
        rows.append(row);
        const QVariant read = item->data(0, ItemReadValueRole);
        const QString old = read.isValid() ? itemValueFromColumn(read.toString()) : tr("(未读取)");
        lines.append(tr("%1: %2 → %3").arg(ConfigTree::itemName(item), old, ConfigTree::itemValue(item)));
    }
    if (rows.isEmpty()) {
        statusBar()->showMessage(tr("没有需要写入的修改"), StatusMs);
        return;
    }
    // A long list goes to the details; the box shows its head.
    constexpr int ShownLines = 12;
    QString text = tr("将以下 %1 项写入设备:").arg(rows.size()) + QLatin1Char('\n') + QStringList(lines.mid(0, ShownLines)).join(QLatin1Char('\n'));
    if (lines.size() > ShownLines)
        text += QLatin1Char('\n') + tr("…… 其余 %1 项见详细信息").arg(lines.size() - ShownLines);
    QMessageBox box(QMessageBox::Question, withoutMnemonic(form->write_changed->text()), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    if (lines.size() > ShownLines)
        box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.setDefaultButton(QMessageBox::Yes);
    if (Prompter::current().exec(box) != QMessageBox::Yes)
        return;
    endOperation();
    startWriteRows(rows);
}

void MainWindow::slotRestoreBackup()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    const QString title = withoutMnemonic(form->restore_backup->text()).remove(QStringLiteral("..."));
    const QString fileName = Prompter::current().getOpenFileName(this, title, ConfigBackup::folder().absolutePath(),
                                                                  QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    importFile(fileName);
}

void MainWindow::slotSyncTime()
{
    if (!beginOperation())
        return;
    endOperation();
    worker.startSyncTime();
    beginBusy(SyncOperation, tr("正在同步时间 ……"));
}

void MainWindow::slotTestConnection()
{
    if (!beginOperation())
        return;
    endOperation();
    worker.startTestConnection();
    beginBusy(TestOperation, tr("正在测试连接 ……"));
}

void MainWindow::showWriteProgress()
{
    const ConfigWorker::WriteProgress progress = worker.writeProgress();
    if (progress.row < 0)
        return;
    currentWriteRow = writeTreeRows.value(progress.row, -1);
    busy->setProgress(tr("正在写入 %1/%2 ……").arg(progress.done + 1).arg(progress.total), progress.done,
                      progress.total);
}

// A batch of answered rows: one repaint for all of them.
void MainWindow::workerRowsWritten(const WrittenRows& rows)
{
    if (writeGeneration != treeGeneration)
        return;
    tree->changeRows([&] {
        for (const WrittenRow& written : rows) {
            if (QTreeWidgetItem* item = tree->topLevelItem(writeTreeRows.value(written.row, -1)))
                setRowValue(item, written.outcome);
        }
    });
    showWriteProgress();
    if (QTreeWidgetItem* item = tree->topLevelItem(currentWriteRow))
        tree->setCurrentItem(item);
    updateChangeCount();
}

void MainWindow::workerDone(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int)
{
    const Operation operation = running;
    if (operation == WriteRowsOperation && writeGeneration == treeGeneration) {
        // The window ends on the row the write ended on.
        showWriteProgress();
        if (QTreeWidgetItem* row = tree->topLevelItem(currentWriteRow))
            tree->setCurrentItem(row);
    }
    if (operation == WriteOneOperation && item.ok && writeGeneration == treeGeneration && writtenItem) {
        setRowValue(writtenItem, item);
        updateChangeCount();
    }
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
    importFile(fileName);
}

void MainWindow::importFile(const QString& fileName)
{
    statusBar()->showMessage(tr("正在导入配置......"));
    const CsvImport import = ConfigCsv::importFrom(fileName);
    // A file that does not read leaves the tree as it was.
    if (!import.outcome.ok) {
        showOutcome(import.outcome);
        return;
    }
    // The rows keep what the instrument reported for their items, so that what the file changes shows.
    carriedReadValues.clear();
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        const QVariant read = item->data(0, ItemReadValueRole);
        if (read.isValid())
            carriedReadValues.insert(item->data(0, ItemIndexRole).toInt(), read.toString());
    }
    tree->setUpdatesEnabled(false);
    slotClearItems();
    addingManyRows = true;
    for (const ImportedRow& row : import.rows)
        slotAddItems(row.index, row.fields);
    addingManyRows = false;
    updateChangeCount();
    tree->setUpdatesEnabled(true);
    carriedReadValues.clear();
    // A name row the file held back ends with the import.
    pendingNameRow() = HeldRow();
    statusBar()->clearMessage();
}
