#include "config/refreshthread.h"

#include "config/itemtext.h"
#include "link/frames.h"
#include "link/linkchannel.h"

namespace {
// The request carries one index byte: an instrument that never sends the empty item would
// otherwise be asked for items 0..255 over and over.
constexpr int LastItemIndex = 255;
constexpr int FirstWaitMs = 3000;
constexpr int RetryWaitMs = 10000;
}

void RefreshThread::run()
{
    LinkChannel channel;
    readAllItems(channel);
}

void RefreshThread::readAllItems(LinkChannel& channel)
{
    const QString title = tr("刷新");
    const QString iconPath = QStringLiteral(":/image/refresh.png");
    if (!channel.openFromSettings()) {
        emit showErrorMessage(title, channel.errorText, iconPath);
        return;
    }
    emit signalClearItems();
    QByteArray reply;
    for (int index = 0; index <= LastItemIndex; ++index) {
        const int result = channel.readItem(index, reply, FirstWaitMs);
        if (checkItemReply(result, channel, index, title, iconPath, reply))
            return;
        const quint8 length = quint8(reply.at(2));
        emit signalAddItems(index, splitItemText(decodeDeviceText(reply.constData() + 3, length)));
    }
}

bool RefreshThread::checkItemReply(int result, LinkChannel& channel, int index, const QString& title,
                                   const QString& iconPath, QByteArray& reply)
{
    const QString error = errorMessage(result, reply);
    if (!error.isEmpty()) {
        if (index == -1) {
            emit showErrorMessage(title, error, iconPath);
            return true;
        }
        const int retried = channel.readItem(index, reply, RetryWaitMs);
        return checkItemReply(retried, channel, -1, title, iconPath, reply);
    }
    if (reply.size() > 4 && quint8(reply.at(0)) == channel.deviceAddress && quint8(reply.at(1)) == 0x03) {
        const int length = quint8(reply.at(2));
        if (reply.size() == length + 5)
            return length == 0;
        emit showErrorMessage(title, QStringLiteral("数据长度校验错误 : \n%1").arg(QString::fromLatin1(hexDump(reply))),
                              iconPath);
        return true;
    }
    emit showErrorMessage(title, QStringLiteral("地址或命令校验错误: \n%1").arg(QString::fromLatin1(hexDump(reply))),
                          iconPath);
    return true;
}
