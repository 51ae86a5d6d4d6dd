#pragma once

#include "tools/zq-cli/exitcode.h"

#include <QString>

// The exit status an operation's error text stands for: the link's send and receive time-outs mean
// a silent instrument or a dead line (ExitLink); every other error text of an exchange means the
// instrument refused or answered something invalid (ExitRefused). The texts are compared after
// translation, with the same translator that produced them.
ExitCode classifyLinkError(const QString& text);
