#pragma once

#include "config/configoutcome.h"

#include <QCoreApplication>
#include <QDateTime>

#include <atomic>

struct LinkSettings;

// Sets the instrument's clock to the workstation's local time in one request.
class ClockSync
{
    Q_DECLARE_TR_FUNCTIONS(ClockSync)
public:
    // Opens the link from the settings and sends the time read just then; success carries the
    // information box "同步时间成功".
    static ConfigOutcome run();
    // The same over the given link; a null time stands for the local time when the request goes.
    static ConfigOutcome run(const LinkSettings& link, const QDateTime& time,
                             const std::atomic<bool>* stop = nullptr);
};
