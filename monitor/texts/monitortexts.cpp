#include "monitor/texts/monitortexts.h"

#include "link/texts/linktexts.h"

#include <QCoreApplication>

// The titles keep the translation context of the worker that once showed them.
namespace MonitorTexts {

QString failureTitle(MonitorFailure failure)
{
    if (failure == MonitorFailure::CannotOpen)
        return QCoreApplication::translate("MonitorThread", "设备监听");
    return QCoreApplication::translate("MonitorThread", "监听调试");
}

QString failureText(MonitorFailure failure, LinkError error, const QString& openError)
{
    if (failure == MonitorFailure::CannotOpen)
        return openError;
    return linkErrorText(error);
}

} // namespace MonitorTexts
