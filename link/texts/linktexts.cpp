#include "link/texts/linktexts.h"

#include <QCoreApplication>

// The texts keep the context they had when the link made them, and with it their translations.
namespace {
QString translated(const char* text)
{
    return QCoreApplication::translate("QObject", text);
}
} // namespace

QString linkErrorText(LinkError error)
{
    switch (error) {
    case LinkError::None:
    case LinkError::Stopped:
    case LinkError::CannotOpen:
        return QString();
    case LinkError::SendFailed:
        return translated(QT_TRANSLATE_NOOP("QObject", "发送命令超时"));
    case LinkError::WriteFailed:
        return translated(QT_TRANSLATE_NOOP("QObject", "发送命令失败"));
    case LinkError::NoReply:
        return translated(QT_TRANSLATE_NOOP("QObject", "接收数据超时"));
    case LinkError::NoStreamData:
        return translated(QT_TRANSLATE_NOOP("QObject", "接受数据超时"));
    case LinkError::BadCrc:
        return translated(QT_TRANSLATE_NOOP("QObject", "CRC校验错误"));
    case LinkError::Undefined:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("QObject", "未定义的错误"));
}

QString settingProblemText(const LinkSettings::Problem& problem)
{
    return QCoreApplication::translate("LinkSettings", "设置 %1 的值无效: %2").arg(problem.key, problem.value);
}

QString linkOpenFailureText(const LinkOpenFailure& failure)
{
    switch (failure.kind) {
    case LinkOpenFailure::None:
        return QString();
    case LinkOpenFailure::RefusedSetting:
        return settingProblemText(failure.setting);
    case LinkOpenFailure::NoSerialPort:
        return translated(QT_TRANSLATE_NOOP("QObject", "串口打开失败"));
    case LinkOpenFailure::SerialPortFailed:
        break;
    }
    return translated(QT_TRANSLATE_NOOP("QObject", "打开串口失败: %1")).arg(failure.port);
}

QString errorMessage(ExchangeResult result, const QByteArray& reply)
{
    return linkErrorText(linkErrorOf(result, reply));
}
