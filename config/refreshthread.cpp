#include "config/refreshthread.h"

#include "config/configoutcome.h"
#include "config/itemtext.h"
#include "link/frames.h"
#include "link/linkchannel.h"

namespace {
// The request carries one index byte: an instrument that never sends the empty item would
// otherwise be asked for items 0..255 over and over.
constexpr int LastItemIndex = 255;
// A box shows at most this many bytes of a malformed reply: a 65 KB reply would otherwise make a
// message too large for any screen.
constexpr int ShownReplyBytes = 64;

QString replyDump(const QByteArray& reply)
{
    QString text = QString::fromLatin1(hexDump(reply.left(ShownReplyBytes)));
    if (reply.size() > ShownReplyBytes)
        text += RefreshThread::tr("... (共 %1 字节)").arg(reply.size());
    return text;
}
}

void RefreshThread::run()
{
    failureCode = ConfigFailure::None;
    failureLink = LinkError::None;
    LinkChannel channel;
    channel.setStopFlag(stopFlag());
    readAllItems(channel);
}

void RefreshThread::readAllItems(LinkChannel& channel)
{
    const QString title = tr("刷新");
    const QString iconPath = QStringLiteral(":/image/refresh.png");
    if (!(link ? channel.open(*link) : channel.openFromSettings())) {
        fail(ConfigFailure::CannotOpen, channel.openError(), title, channel.errorText(), iconPath);
        return;
    }
    emit signalClearItems();
    const LinkTimings timings = LinkTimings::current();
    QByteArray reply;
    answered = false;
    int index = 0;
    for (; index <= LastItemIndex && !stopRequested(); ++index) {
        const ExchangeResult result = channel.readItem(index, reply, timings.readItemMs);
        if (isLastItem(result, channel, index, title, iconPath, reply))
            break;
        DeviceCodec codec = DeviceCodec::Gb2312;
        const QString text = itemReplyText(reply, &codec);
        emit signalItemCodec(index, int(codec));
        emit signalAddItems(index, splitItemText(text));
    }
    const ReadEnd end = stopRequested() ? ReadStopped : failureCode != ConfigFailure::None ? ReadFailed : ReadComplete;
    emit signalReadEnded(end, index);
}

void RefreshThread::tellContact(ExchangeResult result)
{
    const LinkContact contact = contactOf(result);
    if (contact == LinkContact::Answered && answered)
        return;
    answered = answered || contact == LinkContact::Answered;
    if (contact != LinkContact::NotTried)
        emit signalContact(int(contact));
}

bool RefreshThread::isLastItem(ExchangeResult result, LinkChannel& channel, int index, const QString& title,
                               const QString& iconPath, QByteArray& reply)
{
    // A stopped read ends quietly: the window is going away.
    if (result == ExchangeStopped || stopRequested())
        return true;
    const LinkError error = linkErrorOf(result, reply);
    if (error != LinkError::None) {
        if (index == -1) {
            tellContact(result);
            fail(ConfigFailure::Link, error, title, linkErrorText(error), iconPath);
            return true;
        }
        const ExchangeResult retried = channel.readItem(index, reply, LinkTimings::current().readItemRetryMs);
        return isLastItem(retried, channel, -1, title, iconPath, reply);
    }
    tellContact(result);
    switch (checkItemReply(reply, channel.deviceAddress())) {
    case ItemReply::Valid:
        // The instrument answers an empty item at the end of its list.
        return quint8(reply.at(2)) == 0;
    case ItemReply::WrongLength:
        fail(ConfigFailure::BadReply, LinkError::None, title, tr("数据长度校验错误 : \n%1").arg(replyDump(reply)),
             iconPath);
        return true;
    case ItemReply::WrongAddressOrCommand:
        break;
    }
    fail(ConfigFailure::BadReply, LinkError::None, title, tr("地址或命令校验错误: \n%1").arg(replyDump(reply)),
         iconPath);
    return true;
}

void RefreshThread::fail(ConfigFailure code, LinkError link, const QString& title, const QString& text,
                         const QString& iconPath)
{
    failureCode = code;
    failureLink = link;
    emit showErrorMessage(title, text, iconPath);
}
