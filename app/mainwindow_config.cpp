// The configuration operations of the main window: it asks the operator, hands the rows to the
// operations in config/ and shows what they report. Each operation opens a link of its own.
#include "app/mainwindow.h"

#include "config/clocksync.h"
#include "config/configbackup.h"
#include "config/configcsv.h"
#include "config/configwriter.h"
#include "config/itemtext.h"
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

#include <functional>
#include <numeric>

namespace {
constexpr int StatusMs = 5000;
const char* const CsvFilter = "Files (*.csv)";

// Ends the window's configuration operation (the export's or the import's) however the slot returns.
class OperationScope
{
public:
    explicit OperationScope(std::function<void()> end) : end(std::move(end)) { }
    ~OperationScope() { end(); }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    std::function<void()> end;
};
} // namespace

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

int MainWindow::promptItemValue(const ConfigRow& row, QString& value)
{
    value.clear();
    const bool confirmOnly = row.isConfirmOnly();
    const QString& name = row.name;
    const QString& current = row.value;

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
    return WriteBackup{ConfigBackup::folder(), instrumentName, rows->readRows()};
}

void MainWindow::slotRowDoubleClicked(int row)
{
    if (row < 0 || row >= rows->rowCount() || !beginOperation())
        return;
    const ConfigRow written = rows->row(row);
    QString newValue;
    const int mode = promptItemValue(written, newValue);
    endOperation();
    if (mode == WriteCancelled)
        return;
    writtenRow = row;
    writeGeneration = rows->generation();
    // The worker's thread gets going while the window shows that it is busy.
    const LinkSettings link = linkForWorker();
    worker.startWriteOne(written, newValue, WriteMode(mode), readValuesBackup());
    statusBar()->showMessage(tr("正在写入配置......"));
    beginBusy(WriteOneOperation, tr("正在写入 %1 ……").arg(written.name), link);
}

void MainWindow::slotWriteItems()
{
    if (!mayBeginOperation())
        return;
    QVector<int> all(rows->rowCount());
    std::iota(all.begin(), all.end(), 0);
    startWriteRows(all);
}

void MainWindow::startWriteRows(const QVector<int>& chosen)
{
    writeGeneration = rows->generation();
    currentWriteRow = -1;
    writeTreeRows = chosen;
    ConfigRows written;
    written.reserve(chosen.size());
    for (int row : chosen)
        written.append(rows->row(row));
    const LinkSettings link = linkForWorker();
    worker.startWriteRows(written, readValuesBackup());
    // The worker's thread gets going while the window shows that it is busy.
    beginBusy(WriteRowsOperation, tr("正在写入 ……"), link);
    statusBar()->showMessage(tr("正在写入配置......"));
    writeProgressPoll->start();
}

void MainWindow::slotWriteChanged()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    QVector<int> changed;
    QStringList lines;
    for (int row = 0; row < rows->rowCount(); ++row) {
        const ConfigItem& item = rows->item(row);
        if (!item.isChanged())
            continue;
        changed.append(row);
        const QString old = item.hasReadValue ? item.readValue : tr("(未读取)");
        lines.append(tr("%1: %2 → %3").arg(item.row.name, old, item.row.value));
    }
    if (changed.isEmpty()) {
        statusBar()->showMessage(tr("没有需要写入的修改"), StatusMs);
        return;
    }
    // A long list goes to the details; the box shows its head.
    constexpr int ShownLines = 12;
    QString text = tr("将以下 %1 项写入设备:").arg(changed.size()) + QLatin1Char('\n')
        + QStringList(lines.mid(0, ShownLines)).join(QLatin1Char('\n'));
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
    startWriteRows(changed);
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
    const LinkSettings link = linkForWorker();
    worker.startSyncTime();
    beginBusy(SyncOperation, tr("正在同步时间 ……"), link);
}

void MainWindow::slotTestConnection()
{
    if (!beginOperation())
        return;
    endOperation();
    const LinkSettings link = linkForWorker();
    worker.startTestConnection();
    beginBusy(TestOperation, tr("正在测试连接 ……"), link);
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
void MainWindow::workerRowsWritten(const WrittenRows& written)
{
    if (writeGeneration != rows->generation())
        return;
    QVector<QPair<int, const ItemWriteOutcome*>> answers;
    answers.reserve(written.size());
    for (const WrittenRow& row : written)
        answers.append({writeTreeRows.value(row.row, -1), &row.outcome});
    rows->applyAnswers(answers);
    showWriteProgress();
    tree->setCurrentRow(currentWriteRow);
    updateChangeCount();
}

void MainWindow::workerDone(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int)
{
    const Operation operation = running;
    const bool sameRows = writeGeneration == rows->generation();
    if (operation == WriteRowsOperation && sameRows) {
        // The window ends on the row the write ended on.
        showWriteProgress();
        tree->setCurrentRow(currentWriteRow);
    }
    if (operation == WriteOneOperation && item.ok && sameRows && writtenRow >= 0) {
        rows->applyAnswer(writtenRow, item);
        updateChangeCount();
    }
    writtenRow = -1;
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
    const QString fileName = Prompter::current().getSaveFileName(this, withoutMnemonic(tr("导出配置")), QString(),
                                                                 QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    statusBar()->showMessage(tr("正在导出配置......"));
    showOutcome(ConfigCsv::exportTo(fileName, rows->rows()));
}

void MainWindow::slotImportItems()
{
    if (!beginOperation())
        return;
    OperationScope scope([this] { endOperation(); });
    const QString fileName = Prompter::current().getOpenFileName(this, withoutMnemonic(tr("导入配置")), QString(),
                                                                 QString::fromLatin1(CsvFilter));
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
    rows->showImport(import.rows);
    updateChangeCount();
    statusBar()->clearMessage();
}
