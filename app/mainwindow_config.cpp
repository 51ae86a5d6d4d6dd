// The configuration operations of the main window: write, edit, CSV import and export, clock.
// They run on the user-interface thread, each with a link channel of its own.
#include "app/mainwindow.h"

#include "prompt/prompter.h"
#include "config/ui/configtree.h"
#include "config/itemcsv.h"
#include "config/itemtext.h"
#include "config/ui/modifydialog.h"
#include "config/writemode.h"
#include "link/frames.h"
#include "link/linkchannel.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextStream>
#include <QTreeWidgetItem>

namespace {
constexpr int StatusMs = 5000;
const char* const CsvFilter = "Files (*.csv)";

// A confirm-only item answers with its bare name, a valued one with name and value (the value
// may hold further ':').
bool fieldCountFits(int fieldCount, int mode)
{
    if (mode == WriteConfirmOnly)
        return fieldCount == 1;
    if (mode == WriteValued)
        return fieldCount >= 2;
    return false;
}
}

bool MainWindow::writeItem(LinkChannel& channel, QTreeWidgetItem* item, const QString& value, int mode)
{
    statusBar()->showMessage(tr("正在写入配置......"));
    const QString title = tr("提交");
    const int index = item->data(0, ItemIndexRole).toInt();

    // The count byte holds the text and its NUL: a longer value would go out with a wrapped count.
    const int encodedLength = encodeDeviceText(value).size();
    if (encodedLength > MaxItemValueBytes) {
        showErrorBox(title, tr("数值过长: 编码后 %1 字节, 最多允许 %2 字节").arg(encodedLength).arg(MaxItemValueBytes),
                     windowIcon());
        return false;
    }
    // A value written back as the instrument sent it keeps its bytes: encoded as it was decoded.
    const QVariant codec = item->data(0, ItemCodecRole);
    const QByteArray request = codec.isValid() && value == ConfigTree::itemValue(item)
        ? buildWriteItemRequest(channel.deviceAddress(), index, value, DeviceCodec(codec.toInt()))
        : buildWriteItemRequest(channel.deviceAddress(), index, value);
    if (request.isEmpty()) {
        showErrorBox(title, tr("数值过长: 最多允许 %1 字节").arg(MaxItemValueBytes), windowIcon());
        return false;
    }

    QByteArray reply;
    const ExchangeResult result =
        channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
    const QString error = errorMessage(result, reply);
    if (!error.isEmpty()) {
        showErrorBox(title, error, windowIcon());
        return false;
    }
    if (checkItemReply(reply, channel.deviceAddress()) != ItemReply::Valid) {
        showErrorBox(title, tr("硬件返回数据校验错误"), windowIcon());
        return false;
    }
    DeviceCodec replyCodec = DeviceCodec::Gb2312;
    const QStringList fields = splitItemText(itemReplyText(reply, &replyCodec));
    if (!fieldCountFits(fields.size(), mode)) {
        showErrorBox(title, tr("硬件返回数据校验错误"), windowIcon());
        return false;
    }
    if (mode == WriteValued) {
        item->setText(1, QStringLiteral(": ") + itemValue(fields));
        item->setData(0, ItemCodecRole, int(replyCodec));
    }

    // The instrument answers with what it kept; a refused value comes back unchanged.
    if (item->text(1).contains(value, Qt::CaseSensitive))
        statusBar()->showMessage(tr("写入配置成功"), StatusMs);
    else
        statusBar()->showMessage(tr("写入配置失败,该项不支持修改"), StatusMs);
    return true;
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
    if (!item)
        return;
    QString newValue;
    const int mode = promptItemValue(item->text(0), item->text(1), newValue);
    if (mode == WriteCancelled)
        return;
    LinkChannel channel;
    if (!channel.openFromSettings()) {
        statusBar()->showMessage(tr("写入错误,连接设备失败"), StatusMs);
        showErrorBox(tr("写入配置"), tr("写入错误,连接设备失败"), windowIcon());
        return;
    }
    if (!writeItem(channel, item, newValue, mode))
        showErrorBox(tr("写入配置"), tr("写入配置失败: %1").arg(newValue), windowIcon());
}

void MainWindow::slotWriteItems()
{
    statusBar()->showMessage(tr("正在写入配置......"));
    LinkChannel channel;
    if (!channel.openFromSettings()) {
        statusBar()->showMessage(tr("写入错误,连接设备失败"), StatusMs);
        showErrorBox(tr("写入配置"), tr("写入错误,连接设备失败"), windowIcon());
        return;
    }
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = tree->topLevelItem(row);
        if (item->text(1).isEmpty())
            continue; // confirm-only items are written only by a double click
        tree->setCurrentItem(item);
        const QString value = ConfigTree::itemValue(item);
        if (!writeItem(channel, item, value, WriteValued)) {
            showErrorBox(tr("写入配置"), tr("写入配置失败: %1").arg(value), windowIcon());
            return;
        }
    }
    statusBar()->showMessage(tr("写入配置成功"), StatusMs);
}

void MainWindow::slotSyncTime()
{
    const QString title = tr("同步时间");
    LinkChannel channel;
    if (!channel.openFromSettings()) {
        showErrorBox(title, channel.errorText(), windowIcon());
        return;
    }
    QByteArray reply;
    const ExchangeResult result =
        channel.exchange(buildSetClockRequest(channel.deviceAddress(), QDateTime::currentDateTime()), reply,
                         CrcOrder::LowFirst, LinkTimings::current().setClockMs);
    const QString error = errorMessage(result, reply);
    if (!error.isEmpty()) {
        showErrorBox(title, error, windowIcon());
        return;
    }
    if (reply != setClockAcknowledgement(channel.deviceAddress())) {
        showErrorBox(title, tr("同步时间失败"), windowIcon());
        return;
    }
    QMessageBox box(QMessageBox::Information, title, tr("同步时间成功"), QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    Prompter::current().exec(box);
}

void MainWindow::slotExportItems()
{
    const QString title = tr("导出配置");
    const QString fileName =
        Prompter::current().getSaveFileName(this, title, QString(), QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    // Binary mode: the lines end in CR LF on every system, as the instrument's tools expect.
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        showErrorBox(title, tr("打开文件失败: %1").arg(fileName), windowIcon());
        return;
    }
    file.write("\xEF\xBB\xBF");
    QTextStream stream(&file);
    stream.setCodec("utf-8");
    statusBar()->showMessage(tr("正在导出配置......"));
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        stream << formatCsvLine(item->data(0, ItemIndexRole).toInt(), item->text(0), item->text(1))
               << QLatin1String("\r\n");
    }
    stream.flush();
    // A full disk must not pass for a saved configuration.
    if (stream.status() != QTextStream::Ok || file.error() != QFileDevice::NoError || !file.flush()) {
        showErrorBox(title, tr("写入文件失败: %1").arg(fileName), windowIcon());
        return;
    }
    statusBar()->showMessage(tr("导出配置成功"), StatusMs);
}

void MainWindow::slotImportItems()
{
    const QString title = tr("导入配置");
    const QString fileName =
        Prompter::current().getOpenFileName(this, title, QString(), QString::fromLatin1(CsvFilter));
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        showErrorBox(title, tr("打开文件失败: %1").arg(fileName), windowIcon());
        return;
    }
    // No codec: a byte order mark chooses the encoding, else the locale's code page applies.
    QTextStream stream(&file);
    statusBar()->showMessage(tr("正在导入配置......"));
    slotClearItems();
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        int index = 0;
        QStringList fields;
        if (!parseCsvLine(line, &index, &fields)) {
            showErrorBox(title, tr("文件解析错误"), windowIcon());
            slotClearItems();
            return;
        }
        slotAddItems(index, fields);
    }
    statusBar()->clearMessage();
}
