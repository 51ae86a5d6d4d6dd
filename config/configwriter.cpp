#include "config/configwriter.h"

#include "config/devicetextcheck.h"
#include "config/itemtext.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// A confirm-only item answers with its bare name, a valued one with name and value (the value
// may hold further ':').
bool fieldCountFits(int fieldCount, WriteMode mode)
{
    if (mode == WriteConfirmOnly)
        return fieldCount == 1;
    if (mode == WriteValued)
        return fieldCount >= 2;
    return false;
}

// Whether the instrument kept the value as written. After a number it may add its unit ("9600 bps",
// "10s"), and it may tidy a number ("1.0" for 1); a value that merely contains the new one ("10"
// for 1, "1.5" for 1) was refused.
bool keptAsWritten(const QString& reported, const QString& written)
{
    if (reported == written)
        return true;
    bool reportedNumber = false;
    bool writtenNumber = false;
    const double reportedValue = reported.trimmed().toDouble(&reportedNumber);
    const double writtenValue = written.trimmed().toDouble(&writtenNumber);
    if (reportedNumber && writtenNumber && reportedValue == writtenValue)
        return true;
    if (written.isEmpty() || !written.back().isDigit() || !reported.startsWith(written))
        return false;
    const QChar next = reported.at(written.size());
    return !next.isDigit() && next != QLatin1Char('.') && next != QLatin1Char(',');
}

// At most this many refused names go into the status text.
constexpr int NamedRefusals = 5;

ItemWriteOutcome itemFailure(const QString& title, const QString& text, ConfigFailure code,
                             LinkError link = LinkError::None, LinkContact contact = LinkContact::NotTried)
{
    ItemWriteOutcome outcome;
    static_cast<ConfigOutcome&>(outcome) = ConfigOutcome::failure(title, text, code, link);
    outcome.contact = contact;
    return outcome;
}

// The operator's stop, handed on to the link only once the item in flight has had its chance to be
// answered: the instrument takes an item when its request arrives, so a wait cut short would leave
// a changed item out of the count of items written. Against a silent instrument the wait still
// ends GraceMs after the stop.
class StopAfterAnswer
{
public:
    static constexpr int GraceMs = 400;

    explicit StopAfterAnswer(const std::atomic<bool>* stop) : stop(stop)
    {
        if (stop)
            watcher = std::thread([this] { watch(); });
    }
    ~StopAfterAnswer()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ended = true;
        }
        wake.notify_all();
        if (watcher.joinable())
            watcher.join();
    }
    StopAfterAnswer(const StopAfterAnswer&) = delete;
    StopAfterAnswer& operator=(const StopAfterAnswer&) = delete;

    // What the link heeds: null when nobody can stop the write.
    const std::atomic<bool>* flag() const { return stop ? &handedOn : nullptr; }

private:
    // Nobody signals the stop flag: it is looked at this often.
    static constexpr int PollMs = 20;

    void watch()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!ended && !stop->load())
            wake.wait_for(lock, std::chrono::milliseconds(PollMs));
        if (ended)
            return;
        wake.wait_for(lock, std::chrono::milliseconds(GraceMs), [this] { return ended; });
        handedOn = true;
    }

    const std::atomic<bool>* stop;
    std::atomic<bool> handedOn{false};
    std::mutex mutex;
    std::condition_variable wake;
    bool ended = false;
    std::thread watcher;
};

} // namespace

ConfigOutcome ConfigWriter::openFailure()
{
    ConfigOutcome outcome = ConfigOutcome::failure(tr("写入配置"), tr("写入错误,连接设备失败"),
                                                   ConfigFailure::CannotOpen, LinkError::CannotOpen);
    outcome.status = tr("写入错误,连接设备失败");
    return outcome;
}

ItemWriteOutcome ConfigWriter::writeOne(const ConfigRow& row, const QString& value, WriteMode mode)
{
    return writeOne(LinkSettings::load(), row, value, mode);
}

QString ConfigWriter::cancelledText(int written)
{
    return tr("写入已取消, 已写入 %1 项").arg(written);
}

ItemWriteOutcome ConfigWriter::writeOne(const LinkSettings& link, const ConfigRow& row, const QString& value,
                                        WriteMode mode, const std::atomic<bool>* stop)
{
    LinkChannel channel;
    channel.setStopFlag(stop);
    if (!channel.open(link)) {
        ItemWriteOutcome outcome;
        static_cast<ConfigOutcome&>(outcome) = openFailure();
        outcome.valued = row.valued;
        outcome.value = row.value;
        return outcome;
    }
    ItemWriteOutcome outcome = writeItem(channel, row, value, mode);
    if (outcome.cancelled)
        outcome.status = cancelledText(0);
    else if (!outcome.ok)
        outcome.addError(tr("写入配置"), tr("写入配置失败: %1").arg(value));
    return outcome;
}

ConfigOutcome ConfigWriter::writeAll(const ConfigRows& rows, const Progress& progress)
{
    return writeAll(LinkSettings::load(), rows, progress);
}

ConfigOutcome ConfigWriter::writeAll(const LinkSettings& link, const ConfigRows& rows, const Progress& progress,
                                     const std::atomic<bool>* stop)
{
    const bool anyValued =
        std::any_of(rows.cbegin(), rows.cend(), [](const ConfigRow& row) { return !row.isConfirmOnly(); });
    if (!anyValued)
        return ConfigOutcome::success(tr("没有可写入的配置项"));
    // Every value is checked before the first request: a bad row half-way must not leave the
    // instrument half written.
    for (const ConfigRow& row : rows) {
        const QString refusal = row.isConfirmOnly() ? QString() : itemRefusal(row.name, row.value);
        if (!refusal.isEmpty()) {
            ConfigOutcome refused = ConfigOutcome::failure(tr("提交"), refusal, ConfigFailure::BadValue);
            refused.addError(tr("写入配置"), tr("写入配置失败: %1").arg(row.value));
            return refused;
        }
    }
    // Between rows the stop is heeded at once; a row sent is counted by its answer, if it comes soon.
    StopAfterAnswer linkStop(stop);
    LinkChannel channel;
    channel.setStopFlag(linkStop.flag());
    if (!channel.open(link))
        return openFailure();
    QStringList refused;
    int writtenRows = 0;
    LinkContact contact = LinkContact::NotTried;
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).isConfirmOnly())
            continue; // confirm-only items are written only by a double click
        if (stop && stop->load()) {
            ConfigOutcome cancelled;
            cancelled.ok = false;
            cancelled.cancelled = true;
            cancelled.contact = contact;
            cancelled.status = cancelledText(writtenRows);
            return cancelled;
        }
        if (progress.starting)
            progress.starting(row);
        const QString& value = rows.at(row).value;
        // Every value passed valueRefusal() above.
        const ItemWriteOutcome written = sendItem(channel, rows.at(row), value, WriteValued);
        if (written.contact != LinkContact::NotTried)
            contact = written.contact;
        if (written.cancelled) {
            ConfigOutcome cancelled = written;
            cancelled.status = cancelledText(writtenRows);
            return cancelled;
        }
        if (!written.ok) {
            ConfigOutcome failed = written;
            failed.addError(tr("写入配置"), tr("写入配置失败: %1").arg(value));
            return failed;
        }
        ++writtenRows;
        if (!written.kept)
            refused.append(rows.at(row).name);
        if (progress.answered)
            progress.answered(row, written);
    }
    ConfigOutcome done = ConfigOutcome::success(tr("写入配置成功"));
    done.contact = contact;
    if (refused.isEmpty())
        return done;
    QString names = QStringList(refused.mid(0, NamedRefusals)).join(tr("、"));
    if (refused.size() > NamedRefusals)
        names += tr(" 等");
    done.status = tr("写入配置完成, %1 项未被设备接受: %2").arg(refused.size()).arg(names);
    return done;
}

QString ConfigWriter::valueRefusal(const QString& value)
{
    const QString unencodable = unencodableCharacter(value);
    if (!unencodable.isEmpty()) {
        const uint code = unencodable.toUcs4().value(0);
        return tr("数值含有设备无法表示的字符: %1 (U+%2)")
            .arg(unencodable)
            .arg(QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    // The instrument reads the value up to its first NUL: the rest would be lost without a word.
    if (value.contains(QChar(0)))
        return tr("数值含有空字符 (U+0000)");
    // The count byte holds the text and its NUL: a longer value would go out with a wrapped count.
    const int encodedLength = encodeDeviceText(value).size();
    if (encodedLength > MaxItemValueBytes)
        return tr("数值过长: 编码后 %1 字节, 最多允许 %2 字节").arg(encodedLength).arg(MaxItemValueBytes);
    return QString();
}

QString ConfigWriter::itemRefusal(const QString& name, const QString& value)
{
    const QString refusal = valueRefusal(value);
    if (!refusal.isEmpty())
        return refusal;
    const int replyLength = encodeDeviceText(name).size() + 1 + encodeDeviceText(value).size();
    if (replyLength > MaxItemReplyBytes)
        return tr("“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节")
            .arg(name)
            .arg(replyLength)
            .arg(MaxItemReplyBytes);
    return QString();
}

ItemWriteOutcome ConfigWriter::writeItem(LinkChannel& channel, const ConfigRow& row, const QString& value,
                                         WriteMode mode)
{
    const QString refusal = mode == WriteValued ? itemRefusal(row.name, value) : valueRefusal(value);
    if (!refusal.isEmpty())
        return itemFailure(tr("提交"), refusal, ConfigFailure::BadValue);
    return sendItem(channel, row, value, mode);
}

ItemWriteOutcome ConfigWriter::sendItem(LinkChannel& channel, const ConfigRow& row, const QString& value,
                                        WriteMode mode)
{
    const QString title = tr("提交");
    // A value written back as the instrument sent it keeps its bytes: encoded as it was decoded.
    const bool unchanged = row.codec >= 0 && value == row.value;
    const QByteArray request = unchanged
        ? buildWriteItemRequest(channel.deviceAddress(), row.index, value, DeviceCodec(row.codec))
        : buildWriteItemRequest(channel.deviceAddress(), row.index, value);
    if (request.isEmpty())
        return itemFailure(title, tr("数值过长: 最多允许 %1 字节").arg(MaxItemValueBytes), ConfigFailure::BadValue);

    QByteArray reply;
    const ExchangeResult result =
        channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
    if (result == ExchangeStopped) {
        ItemWriteOutcome stopped;
        stopped.ok = false;
        stopped.cancelled = true;
        stopped.valued = row.valued;
        stopped.value = row.value;
        return stopped;
    }
    const LinkContact contact = contactOf(result);
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None)
        return itemFailure(title, linkErrorText(error), ConfigFailure::Link, error, contact);
    if (checkItemReply(reply, channel.deviceAddress()) != ItemReply::Valid)
        return itemFailure(title, tr("硬件返回数据校验错误"), ConfigFailure::BadReply, LinkError::None, contact);
    DeviceCodec replyCodec = DeviceCodec::Gb2312;
    const QStringList fields = splitItemText(itemReplyText(reply, &replyCodec));
    if (!fieldCountFits(fields.size(), mode))
        return itemFailure(title, tr("硬件返回数据校验错误"), ConfigFailure::BadReply, LinkError::None, contact);

    ItemWriteOutcome outcome;
    outcome.contact = contact;
    outcome.valued = mode == WriteValued || row.valued;
    outcome.value = mode == WriteValued ? itemValue(fields) : row.value;
    outcome.codec = mode == WriteValued ? int(replyCodec) : row.codec;
    // The instrument answers with what it kept; a refused value comes back unchanged.
    outcome.kept = mode != WriteValued || keptAsWritten(itemValue(fields), value);
    outcome.status = outcome.kept ? tr("写入配置成功") : tr("写入配置失败,该项不支持修改");
    return outcome;
}
