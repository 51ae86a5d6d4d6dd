#pragma once

#include "link/linkerror.h"

#include <QByteArray>
#include <QString>

// The text the operator sees for a link failure, translated; empty for None and Stopped, and for
// CannotOpen, whose text names the port or the setting (linkOpenFailureText).
QString linkErrorText(LinkError error);

// A setting that cannot be used: "设置 udp/port 的值无效: 70000".
QString settingProblemText(const LinkSettings::Problem& problem);

// Why the link did not open: "打开串口失败: /dev/ttyS0", or the setting refused.
QString linkOpenFailureText(const LinkOpenFailure& failure);

// The text for an exchange's result; empty when a low-first reply arrived whole.
QString errorMessage(ExchangeResult result, const QByteArray& reply);
