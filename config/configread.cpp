#include "config/configread.h"

#include "config/itemtext.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/linkchannel.h"

namespace {

// The request carries one index byte: an instrument that never sends the empty item would
// otherwise be asked for items 0..255 over and over.
constexpr int LastItemIndex = 255;

class ItemReader
{
public:
    ItemReader(LinkChannel& channel, const StopToken& stop, ConfigReadSink& sink)
        : channel(channel), stop(stop), sink(sink)
    { }

    ConfigReadOutcome run()
    {
        ConfigReadOutcome outcome;
        outcome.opened = true;
        const int waitMs = LinkTimings::current().readItemMs;
        QByteArray reply;
        int index = 0;
        for (; index <= LastItemIndex && !stop.stopRequested(); ++index) {
            const ExchangeResult result = channel.readItem(index, reply, waitMs);
            if (isLastItem(result, index, reply))
                break;
            DeviceCodec codec = DeviceCodec::Gb2312;
            const QString text = itemReplyText(reply, &codec);
            sink.item(ReadItem{index, splitItemText(text), int(codec)});
        }
        outcome.itemsRead = index;
        outcome.failure = failure;
        outcome.end = stop.stopRequested()        ? ReadEnd::Stopped
            : failure.code != ConfigFailure::None ? ReadEnd::Failed
                                                  : ReadEnd::Complete;
        return outcome;
    }

private:
    // Whether the read ends here: at the empty item, or after an error it has reported. A failed
    // item is asked for once more (retry marks that second time).
    bool isLastItem(ExchangeResult result, int index, QByteArray& reply, bool retry = false)
    {
        // A stopped read ends quietly: whoever stopped it is going away.
        if (result == ExchangeStopped || stop.stopRequested())
            return true;
        const LinkError error = linkErrorOf(result, reply);
        if (error != LinkError::None) {
            if (retry) {
                tellContact(result);
                fail(ConfigFailure::Link, error, reply, false);
                return true;
            }
            const ExchangeResult retried = channel.readItem(index, reply, LinkTimings::current().readItemRetryMs);
            return isLastItem(retried, index, reply, true);
        }
        tellContact(result);
        switch (checkItemReply(reply, channel.deviceAddress())) {
        case ItemReply::Valid:
            // The instrument answers an empty item at the end of its list.
            return quint8(reply.at(2)) == 0;
        case ItemReply::WrongLength:
            fail(ConfigFailure::BadReply, LinkError::None, reply, true);
            return true;
        case ItemReply::WrongAddressOrCommand:
            break;
        }
        fail(ConfigFailure::BadReply, LinkError::None, reply, false);
        return true;
    }

    void tellContact(ExchangeResult result)
    {
        const LinkContact contact = contactOf(result);
        if (contact == LinkContact::Answered && answered)
            return;
        answered = answered || contact == LinkContact::Answered;
        if (contact != LinkContact::NotTried)
            sink.contact(contact);
    }

    void fail(ConfigFailure code, LinkError link, const QByteArray& reply, bool wrongLength)
    {
        failure.code = code;
        failure.link = link;
        if (code == ConfigFailure::BadReply)
            failure.reply = reply;
        failure.wrongLength = wrongLength;
        sink.failed(failure);
    }

    LinkChannel& channel;
    const StopToken& stop;
    ConfigReadSink& sink;
    bool answered = false; // the instrument's answer has been told
    ConfigReadFailure failure;
};

} // namespace

ConfigReadOutcome readConfigItems(const LinkSettings& link, const StopToken& stop, ConfigReadSink& sink)
{
    LinkChannel channel;
    channel.setStopFlag(stop.flag());
    if (!channel.open(link)) {
        ConfigReadOutcome outcome;
        outcome.failure.code = ConfigFailure::CannotOpen;
        outcome.failure.link = channel.openError();
        outcome.failure.open = channel.openFailure();
        sink.failed(outcome.failure);
        return outcome;
    }
    sink.started();
    return ItemReader(channel, stop, sink).run();
}
