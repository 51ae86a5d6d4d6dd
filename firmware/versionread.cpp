#include "firmware/versionread.h"

#include "firmware/firmwareversion.h"
#include "link/devicerequests.h"
#include "link/linkchannel.h"

#include <QThread>

namespace VersionReader {
namespace {

// Between two unanswered tries of the first item, so that a refused datagram does not spin.
constexpr int RetryPauseMs = 200;
// The list the instrument answers is never longer; a version row further on is no version row.
constexpr int LastIndex = 255;

} // namespace

VersionRead read(const LinkSettings& link, const QDeadlineTimer& answerBy, int itemTimeoutMs, const StopToken& stop)
{
    LinkChannel channel;
    if (!channel.open(link))
        return {};
    return read(channel, answerBy, itemTimeoutMs, stop);
}

VersionRead read(LinkChannel& channel, const QDeadlineTimer& answerBy, int itemTimeoutMs, const StopToken& stop)
{
    channel.setStopFlag(stop.flag());
    VersionRead result;
    QByteArray reply;
    for (int index = 0; index <= LastIndex && !stop.stopRequested();) {
        const int wait =
            result.answered ? itemTimeoutMs : int(qBound<qint64>(1, answerBy.remainingTime(), itemTimeoutMs));
        const ExchangeResult exchanged = channel.readItem(index, reply, wait);
        const bool valid =
            exchanged == ExchangeOk && checkItemReply(reply, channel.deviceAddress()) == ItemReply::Valid;
        if (!valid) {
            // Once it has answered, a silence or a garbled item ends the search.
            if (result.answered || answerBy.hasExpired() || stop.stopRequested())
                break;
            if (exchanged != ExchangeNoReply)
                QThread::msleep(quint64(qMin<qint64>(RetryPauseMs, answerBy.remainingTime())));
            continue;
        }
        result.answered = true;
        // The instrument answers an empty item at the end of its list.
        if (quint8(reply.at(2)) == 0)
            break;
        const QString text = itemReplyText(reply);
        const int colon = text.indexOf(QLatin1Char(':'));
        if (colon > 0 && FirmwareVersion::isVersionRow(text.left(colon))) {
            result.found = true;
            result.version = text.mid(colon + 1).section(QLatin1Char(':'), 0, 0).trimmed();
            break;
        }
        ++index;
    }
    return result;
}

} // namespace VersionReader
