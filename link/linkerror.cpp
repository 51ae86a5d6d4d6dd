#include "link/linkerror.h"

#include "link/frames.h"

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
