#pragma once

#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>

// Results of one request/reply exchange on the link.
enum ExchangeResult {
    ExchangeOk = 0, // the exchange ended with bytes in hand (still to be checked)
    ExchangeSendFailed = 1, // the request was not sent
    ExchangeNoReply = 2, // no reply arrived in time
    ExchangeStopped = 3 // the operation was asked to stop while it waited
};

// Why a talk with the instrument failed, as a value: every layer above passes the code on and
// makes its text only where it is shown, so that the command-line tool and the tests judge a
// failure the same way in every language.
enum class LinkError {
    None,
    CannotOpen, // the serial port did not open, or the settings are refused
    SendFailed, // the request did not go out ("发送命令超时")
    WriteFailed, // the serial line did not take the request's bytes ("发送命令失败")
    NoReply, // no reply in time ("接收数据超时")
    NoStreamData, // a stream's first bytes did not come in time ("接受数据超时")
    BadCrc, // bytes came, but no whole frame with a valid CRC ("CRC校验错误")
    Stopped, // the operation was asked to stop; nothing to show
    Undefined // any other result ("未定义的错误")
};

// The code of an exchange's result: ExchangeOk with a whole low-first reply is None, with any
// other bytes BadCrc.
LinkError linkErrorOf(ExchangeResult result, const QByteArray& reply);

// Why the link did not open, with what its text names: the setting refused (its key and value)
// or the serial port. The text is made where it is shown (linkOpenFailureText).
struct LinkOpenFailure
{
    enum Kind {
        None,
        RefusedSetting, // a stored value out of range or unreadable: setting names it
        NoSerialPort, // no serial port is set, and none opens by an empty name
        SerialPortFailed // port did not open
    };
    Kind kind = None;
    LinkSettings::Problem setting;
    QString port;
    bool failed() const { return kind != None; }
};

// Whether the failure means a silent instrument or a dead line, as against one that answered
// something wrong.
inline bool isSilence(LinkError error)
{
    return error == LinkError::CannotOpen || error == LinkError::SendFailed || error == LinkError::WriteFailed
        || error == LinkError::NoReply || error == LinkError::NoStreamData;
}
