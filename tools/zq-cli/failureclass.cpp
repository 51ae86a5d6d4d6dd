#include "tools/zq-cli/failureclass.h"

#include "firmware/updatethread.h"

#include <QObject>

ExitCode classifyLinkError(const QString& text)
{
    const QString silent[] = {
        QObject::tr("发送命令超时"),
        QObject::tr("接收数据超时"),
        // The loader did not answer the identify request, twice.
        UpdateThread::tr("固件更新失败,获取设备ID失败!"),
    };
    for (const QString& link : silent) {
        if (text.contains(link))
            return ExitLink;
    }
    return ExitRefused;
}
