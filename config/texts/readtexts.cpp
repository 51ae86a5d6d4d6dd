#include "config/texts/readtexts.h"

#include "link/hexdump.h"
#include "link/linkerror.h"
#include "link/texts/linktexts.h"

#include <QCoreApplication>

// The texts keep the context of the read's former thread class, and with it their translations.
namespace {

// A box shows at most this many bytes of a malformed reply: a 65 KB reply would otherwise make a
// message too large for any screen.
constexpr int ShownReplyBytes = 64;

QString replyDump(const QByteArray& reply)
{
    QString text = QString::fromLatin1(hexDump(reply.left(ShownReplyBytes)));
    if (reply.size() > ShownReplyBytes)
        text += QCoreApplication::translate("RefreshThread", "... (共 %1 字节)").arg(reply.size());
    return text;
}

}

QString readFailureTitle()
{
    return QCoreApplication::translate("RefreshThread", "刷新");
}

QString readFailureText(const ConfigReadFailure& failure)
{
    switch (failure.code) {
    case ConfigFailure::CannotOpen:
        return linkOpenFailureText(failure.open);
    case ConfigFailure::BadReply:
        return failure.wrongLength
            ? QCoreApplication::translate("RefreshThread", "数据长度校验错误 : \n%1").arg(replyDump(failure.reply))
            : QCoreApplication::translate("RefreshThread", "地址或命令校验错误: \n%1").arg(replyDump(failure.reply));
    default:
        return linkErrorText(failure.link);
    }
}
