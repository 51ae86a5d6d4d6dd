#include "config/texts/configtexts.h"

#include "config/clocksync.h"
#include "config/configcsv.h"
#include "link/hexdump.h"
#include "link/texts/linktexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

// Each operation's texts keep the context of the class that once made them, and with it their
// translations.
namespace {

// At most this many names of items the instrument did not keep go into the status text.
constexpr int NamedRefusals = 5;

// A box shows at most this many bytes of a malformed reply.
constexpr int ShownReplyBytes = 64;

ConfigMessages::Box errorBox(const QString& title, const QString& text)
{
    return {true, title, text};
}

// Why a write failed, in the box titled "提交"; a link that did not open is told apart.
QString writeFailureText(const ConfigOutcome& outcome)
{
    switch (outcome.failureCode) {
    case ConfigFailure::BadValue:
        return valueRefusalText(outcome.refusal);
    case ConfigFailure::Link:
        return linkErrorText(outcome.linkError);
    default:
        return QCoreApplication::translate("ConfigWriter", "硬件返回数据校验错误");
    }
}

QString writtenStatus(const ConfigOutcome& outcome)
{
    if (outcome.nothingToWrite)
        return QCoreApplication::translate("ConfigWriter", "没有可写入的配置项");
    if (outcome.notKept.isEmpty())
        return QCoreApplication::translate("ConfigWriter", "写入配置成功");
    if (outcome.operation == ConfigOperation::WriteItem)
        return QCoreApplication::translate("ConfigWriter", "写入配置失败,该项不支持修改");
    QString names =
        QStringList(outcome.notKept.mid(0, NamedRefusals)).join(QCoreApplication::translate("ConfigWriter", "、"));
    if (outcome.notKept.size() > NamedRefusals)
        names += QCoreApplication::translate("ConfigWriter", " 等");
    return QCoreApplication::translate("ConfigWriter", "写入配置完成, %1 项未被设备接受: %2")
        .arg(outcome.notKept.size())
        .arg(names);
}

ConfigMessages writeMessages(const ConfigOutcome& outcome)
{
    ConfigMessages shown;
    if (outcome.cancelled) {
        shown.status = QCoreApplication::translate("ConfigWriter", "写入已取消, 已写入 %1 项").arg(outcome.written);
        return shown;
    }
    if (outcome.ok) {
        shown.status = writtenStatus(outcome);
        return shown;
    }
    const QString writeTitle = QCoreApplication::translate("ConfigWriter", "写入配置");
    if (outcome.failureCode == ConfigFailure::CannotOpen) {
        shown.status = QCoreApplication::translate("ConfigWriter", "写入错误,连接设备失败");
        shown.boxes.append(errorBox(writeTitle, shown.status));
        return shown;
    }
    shown.boxes.append(errorBox(QCoreApplication::translate("ConfigWriter", "提交"), writeFailureText(outcome)));
    if (outcome.valueFailed)
        shown.boxes.append(errorBox(
            writeTitle, QCoreApplication::translate("ConfigWriter", "写入配置失败: %1").arg(outcome.failedValue)));
    return shown;
}

ConfigMessages clockMessages(const ConfigOutcome& outcome)
{
    ConfigMessages shown;
    if (outcome.cancelled) {
        shown.status = QCoreApplication::translate("ClockSync", "同步时间已取消");
        return shown;
    }
    const QString title = QCoreApplication::translate("ClockSync", "同步时间");
    if (outcome.ok) {
        shown.boxes.append({false, title, QCoreApplication::translate("ClockSync", "同步时间成功")});
        return shown;
    }
    switch (outcome.failureCode) {
    case ConfigFailure::BadValue:
        shown.boxes.append(errorBox(title, clockOutOfRangeText(outcome.clockRefused)));
        break;
    case ConfigFailure::CannotOpen:
        shown.boxes.append(errorBox(title, linkOpenFailureText(outcome.open)));
        break;
    case ConfigFailure::Link:
        shown.boxes.append(errorBox(title, linkErrorText(outcome.linkError)));
        break;
    default:
        shown.boxes.append(errorBox(title, QCoreApplication::translate("ClockSync", "同步时间失败")));
        break;
    }
    return shown;
}

ConfigMessages connectionTestMessages(const ConfigOutcome& outcome)
{
    ConfigMessages shown;
    if (outcome.cancelled) {
        shown.status = QCoreApplication::translate("ConfigWorker", "测试连接已取消");
        return shown;
    }
    const QString title = QCoreApplication::translate("ConfigWorker", "测试连接");
    if (outcome.ok) {
        shown.boxes.append(
            {false, title,
             QCoreApplication::translate("ConfigWorker", "设备已应答, 用时 %1 ms").arg(outcome.elapsedMs)});
        return shown;
    }
    switch (outcome.failureCode) {
    case ConfigFailure::CannotOpen:
        shown.boxes.append(errorBox(title, linkOpenFailureText(outcome.open)));
        break;
    case ConfigFailure::BadReply:
        shown.boxes.append(errorBox(title,
                                    QCoreApplication::translate("ConfigWorker", "设备应答了, 但应答无效: %1")
                                        .arg(QString::fromLatin1(hexDump(outcome.reply.left(ShownReplyBytes))))));
        break;
    default:
        shown.boxes.append(errorBox(title, linkErrorText(outcome.linkError)));
        break;
    }
    return shown;
}

// Why a line of a configuration file does not read, or nothing for a malformed line.
QString badLineReason(const FileFailure& file)
{
    if (file.notText)
        return QCoreApplication::translate("ConfigCsv", "文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本");
    if (file.debugSwitch)
        return QCoreApplication::translate("ConfigCsv", "配置项 %1 是设备的调试开关, 不能从文件写入")
            .arg(ConfigCsv::DebugSwitchIndex);
    if (file.refusal.refuses())
        return valueRefusalText(file.refusal);
    switch (file.lineError) {
    case CsvLineError::IndexOutOfRange:
        return QCoreApplication::translate("ConfigCsv", "配置项编号必须在 0 到 255 之间");
    case CsvLineError::StrayQuote:
        return QCoreApplication::translate("ConfigCsv", "引号必须紧跟在逗号之后并成对出现");
    case CsvLineError::None:
    case CsvLineError::Malformed:
        break;
    }
    return QString();
}

QString csvFailureText(const FileFailure& file)
{
    switch (file.kind) {
    case FileFailure::CannotOpen:
        return QCoreApplication::translate("ConfigCsv", "打开文件失败: %1").arg(file.path);
    case FileFailure::BadLine: {
        const QString where =
            QCoreApplication::translate("ConfigCsv", "文件解析错误: %1 第 %2 行").arg(file.path).arg(file.line);
        const QString reason = badLineReason(file);
        return reason.isEmpty() ? where : where + QStringLiteral(": ") + reason;
    }
    default:
        return QCoreApplication::translate("ConfigCsv", "写入文件失败: %1").arg(file.path);
    }
}

ConfigMessages csvMessages(const ConfigOutcome& outcome)
{
    ConfigMessages shown;
    const bool exporting = outcome.operation == ConfigOperation::Export;
    if (outcome.ok) {
        if (exporting)
            shown.status = QCoreApplication::translate("ConfigCsv", "导出配置成功");
        return shown;
    }
    const QString title = exporting ? QCoreApplication::translate("ConfigCsv", "导出配置")
                                    : QCoreApplication::translate("ConfigCsv", "导入配置");
    shown.boxes.append(errorBox(title, csvFailureText(outcome.file)));
    return shown;
}

ConfigMessages backupMessages(const ConfigOutcome& outcome)
{
    ConfigMessages shown;
    if (outcome.ok) {
        shown.status =
            QCoreApplication::translate("ConfigBackup", "已备份到 %1").arg(QDir::toNativeSeparators(outcome.savedTo));
        return shown;
    }
    const QString title = QCoreApplication::translate("ConfigBackup", "备份");
    shown.boxes.append(
        errorBox(title,
                 outcome.file.kind == FileFailure::CannotCreateFolder
                     ? QCoreApplication::translate("ConfigBackup", "无法创建备份文件夹: %1").arg(outcome.file.path)
                     : QCoreApplication::translate("ConfigBackup", "备份失败, 未写入设备: %1").arg(outcome.file.path)));
    return shown;
}

} // namespace

ConfigMessages configMessages(const ConfigOutcome& outcome)
{
    switch (outcome.operation) {
    case ConfigOperation::WriteItem:
    case ConfigOperation::WriteRows:
        break;
    case ConfigOperation::SyncClock:
        return clockMessages(outcome);
    case ConfigOperation::TestConnection:
        return connectionTestMessages(outcome);
    case ConfigOperation::Export:
    case ConfigOperation::Import:
        return csvMessages(outcome);
    case ConfigOperation::Backup:
        return backupMessages(outcome);
    }
    return writeMessages(outcome);
}

QString valueRefusalText(const ValueRefusal& refusal)
{
    switch (refusal.kind) {
    case ValueRefusal::None:
        break;
    case ValueRefusal::Unencodable: {
        const uint code = refusal.character.toUcs4().value(0);
        return QCoreApplication::translate("ConfigWriter", "数值含有设备无法表示的字符: %1 (U+%2)")
            .arg(refusal.character)
            .arg(QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    case ValueRefusal::NulCharacter:
        return QCoreApplication::translate("ConfigWriter", "数值含有空字符 (U+0000)");
    case ValueRefusal::TooLong:
        return QCoreApplication::translate("ConfigWriter", "数值过长: 编码后 %1 字节, 最多允许 %2 字节")
            .arg(refusal.bytes)
            .arg(refusal.maximum);
    case ValueRefusal::ReplyTooLong:
        return QCoreApplication::translate("ConfigWriter", "“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节")
            .arg(refusal.name)
            .arg(refusal.bytes)
            .arg(refusal.maximum);
    case ValueRefusal::RequestTooLong:
        return QCoreApplication::translate("ConfigWriter", "数值过长: 最多允许 %1 字节").arg(refusal.maximum);
    }
    return QString();
}

QString clockOutOfRangeText(const QDateTime& time)
{
    // The year is sent as two digits: 2100 would be set as 2000, 1999 as 2099.
    return QCoreApplication::translate("ClockSync", "时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送")
        .arg(time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
        .arg(ClockSync::FirstYear)
        .arg(ClockSync::LastYear);
}
