#include "config/configwriter.h"

#include "config/devicetextcheck.h"
#include "config/itemtext.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"

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

ItemWriteOutcome itemFailure(const ConfigOutcome& failure, LinkContact contact = LinkContact::NotTried)
{
    ItemWriteOutcome outcome;
    static_cast<ConfigOutcome&>(outcome) = failure;
    outcome.contact = contact;
    return outcome;
}

ItemWriteOutcome itemFailure(ConfigFailure code, LinkError link, LinkContact contact)
{
    return itemFailure(ConfigOutcome::failure(ConfigOperation::WriteItem, code, link), contact);
}

// The write stopped on this row's value: its outcome names it.
template <typename Outcome> Outcome naming(Outcome outcome, const QString& value)
{
    outcome.valueFailed = true;
    outcome.failedValue = value;
    return outcome;
}

ConfigOutcome openFailure(ConfigOperation operation)
{
    return ConfigOutcome::failure(operation, ConfigFailure::CannotOpen, LinkError::CannotOpen);
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

ItemWriteOutcome ConfigWriter::writeOne(const ConfigRow& row, const QString& value, WriteMode mode)
{
    return writeOne(LinkSettings::load(), row, value, mode);
}

ItemWriteOutcome ConfigWriter::writeOne(const LinkSettings& link, const ConfigRow& row, const QString& value,
                                        WriteMode mode, const std::atomic<bool>* stop)
{
    LinkChannel channel;
    channel.setStopFlag(stop);
    if (!channel.open(link)) {
        ItemWriteOutcome outcome = itemFailure(openFailure(ConfigOperation::WriteItem));
        outcome.valued = row.valued;
        outcome.value = row.value;
        return outcome;
    }
    const ItemWriteOutcome outcome = writeItem(channel, row, value, mode);
    return outcome.ok || outcome.cancelled ? outcome : naming(outcome, value);
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
    if (!anyValued) {
        ConfigOutcome nothing = ConfigOutcome::success(ConfigOperation::WriteRows);
        nothing.nothingToWrite = true;
        return nothing;
    }
    // Every value is checked before the first request: a bad row half-way must not leave the
    // instrument half written.
    for (const ConfigRow& row : rows) {
        const ValueRefusal refusal = row.isConfirmOnly() ? ValueRefusal() : itemRefusal(row.name, row.value);
        if (refusal.refuses())
            return naming(ConfigOutcome::refused(ConfigOperation::WriteRows, refusal), row.value);
    }
    // Between rows the stop is heeded at once; a row sent is counted by its answer, if it comes soon.
    StopAfterAnswer linkStop(stop);
    LinkChannel channel;
    channel.setStopFlag(linkStop.flag());
    if (!channel.open(link))
        return openFailure(ConfigOperation::WriteRows);
    QStringList refused;
    int writtenRows = 0;
    LinkContact contact = LinkContact::NotTried;
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).isConfirmOnly())
            continue; // confirm-only items are written only by a double click
        if (stop && stop->load()) {
            ConfigOutcome cancelled = ConfigOutcome::stopped(ConfigOperation::WriteRows);
            cancelled.contact = contact;
            cancelled.written = writtenRows;
            return cancelled;
        }
        if (progress.starting)
            progress.starting(row);
        const QString& value = rows.at(row).value;
        // Every value passed valueRefusal() above.
        const ItemWriteOutcome written = sendItem(channel, rows.at(row), value, WriteValued);
        if (written.contact != LinkContact::NotTried)
            contact = written.contact;
        if (written.cancelled || !written.ok) {
            ConfigOutcome ended = written;
            ended.operation = ConfigOperation::WriteRows;
            ended.written = writtenRows;
            return written.cancelled ? ended : naming(ended, value);
        }
        ++writtenRows;
        if (!written.kept)
            refused.append(rows.at(row).name);
        if (progress.answered)
            progress.answered(row, written);
    }
    ConfigOutcome done = ConfigOutcome::success(ConfigOperation::WriteRows);
    done.contact = contact;
    done.written = writtenRows;
    done.notKept = refused;
    return done;
}

ValueRefusal ConfigWriter::valueRefusal(const QString& value)
{
    ValueRefusal refusal;
    const QString unencodable = unencodableCharacter(value);
    if (!unencodable.isEmpty()) {
        refusal.kind = ValueRefusal::Unencodable;
        refusal.character = unencodable;
        return refusal;
    }
    // The instrument reads the value up to its first NUL: the rest would be lost without a word.
    if (value.contains(QChar(0))) {
        refusal.kind = ValueRefusal::NulCharacter;
        return refusal;
    }
    // The count byte holds the text and its NUL: a longer value would go out with a wrapped count.
    const int encodedLength = encodeDeviceText(value).size();
    if (encodedLength > MaxItemValueBytes) {
        refusal.kind = ValueRefusal::TooLong;
        refusal.bytes = encodedLength;
        refusal.maximum = MaxItemValueBytes;
    }
    return refusal;
}

ValueRefusal ConfigWriter::itemRefusal(const QString& name, const QString& value)
{
    ValueRefusal refusal = valueRefusal(value);
    if (refusal.refuses())
        return refusal;
    const int replyLength = encodeDeviceText(name).size() + 1 + encodeDeviceText(value).size();
    if (replyLength > MaxItemReplyBytes) {
        refusal.kind = ValueRefusal::ReplyTooLong;
        refusal.name = name;
        refusal.bytes = replyLength;
        refusal.maximum = MaxItemReplyBytes;
    }
    return refusal;
}

ItemWriteOutcome ConfigWriter::writeItem(LinkChannel& channel, const ConfigRow& row, const QString& value,
                                         WriteMode mode)
{
    const ValueRefusal refusal = mode == WriteValued ? itemRefusal(row.name, value) : valueRefusal(value);
    if (refusal.refuses())
        return itemFailure(ConfigOutcome::refused(ConfigOperation::WriteItem, refusal));
    return sendItem(channel, row, value, mode);
}

ItemWriteOutcome ConfigWriter::sendItem(LinkChannel& channel, const ConfigRow& row, const QString& value,
                                        WriteMode mode)
{
    // A value written back as the instrument sent it keeps its bytes: encoded as it was decoded.
    const bool unchanged = row.codec >= 0 && value == row.value;
    const QByteArray request = unchanged
        ? buildWriteItemRequest(channel.deviceAddress(), row.index, value, DeviceCodec(row.codec))
        : buildWriteItemRequest(channel.deviceAddress(), row.index, value);
    if (request.isEmpty()) {
        ValueRefusal tooLong;
        tooLong.kind = ValueRefusal::RequestTooLong;
        tooLong.maximum = MaxItemValueBytes;
        return itemFailure(ConfigOutcome::refused(ConfigOperation::WriteItem, tooLong));
    }

    QByteArray reply;
    const ExchangeResult result =
        channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
    if (result == ExchangeStopped) {
        ItemWriteOutcome stopped;
        static_cast<ConfigOutcome&>(stopped) = ConfigOutcome::stopped(ConfigOperation::WriteItem);
        stopped.valued = row.valued;
        stopped.value = row.value;
        return stopped;
    }
    const LinkContact contact = contactOf(result);
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None)
        return itemFailure(ConfigFailure::Link, error, contact);
    if (checkItemReply(reply, channel.deviceAddress()) != ItemReply::Valid)
        return itemFailure(ConfigFailure::BadReply, LinkError::None, contact);
    DeviceCodec replyCodec = DeviceCodec::Gb2312;
    const QStringList fields = splitItemText(itemReplyText(reply, &replyCodec));
    if (!fieldCountFits(fields.size(), mode))
        return itemFailure(ConfigFailure::BadReply, LinkError::None, contact);

    ItemWriteOutcome outcome;
    outcome.contact = contact;
    outcome.valued = mode == WriteValued || row.valued;
    outcome.value = mode == WriteValued ? itemValue(fields) : row.value;
    outcome.codec = mode == WriteValued ? int(replyCodec) : row.codec;
    // The instrument answers with what it kept; a refused value comes back unchanged.
    outcome.kept = mode != WriteValued || keptAsWritten(itemValue(fields), value);
    if (!outcome.kept)
        outcome.notKept.append(row.name);
    return outcome;
}
