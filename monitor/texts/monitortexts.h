#pragma once

#include "monitor/monitorsession.h"

#include <QString>

// The titles and texts the operator reads about a failed monitoring run, made from its codes in
// this one place.
namespace MonitorTexts {

// "设备监听" for a link that did not open, "监听调试" for a debug command.
QString failureTitle(MonitorFailure failure);
// The link's account of a failed open, or the debug command's error.
QString failureText(MonitorFailure failure, LinkError error, const QString& openError);

} // namespace MonitorTexts
