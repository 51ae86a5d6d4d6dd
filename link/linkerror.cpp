#include "link/linkerror.h"

#include <QObject>

QString linkErrorText(LinkError error)
{
    switch (error) {
    case LinkError::None:
    case LinkError::Stopped:
    case LinkError::CannotOpen: // the channel's own text names the port
        return QString();
    case LinkError::SendFailed:
        return QObject::tr("发送命令超时");
    case LinkError::WriteFailed:
        return QObject::tr("发送命令失败");
    case LinkError::NoReply:
        return QObject::tr("接收数据超时");
    case LinkError::NoStreamData:
        return QObject::tr("接受数据超时");
    case LinkError::BadCrc:
        return QObject::tr("CRC校验错误");
    case LinkError::Undefined:
        break;
    }
    return QObject::tr("未定义的错误");
}

LinkError linkErrorOf(ExchangeResult result, const QByteArray& reply)
{
    switch (result) {
    case ExchangeOk:
        if (reply.size() > 2 && checkFrameCrc(reply.constData(), reply.size(), CrcOrder::LowFirst))
            return LinkError::None;
        return LinkError::BadCrc;
    case ExchangeSendFailed:
        return LinkError::SendFailed;
    case ExchangeNoReply:
        return LinkError::NoReply;
    default:
        return LinkError::Undefined;
    }
}
