#pragma once

#include "config/configoutcome.h"

#include <QDateTime>

#include <atomic>

struct LinkSettings;

// Sets the instrument's clock to the workstation's local time in one request.
class ClockSync
{
public:
    // The instrument keeps two digits of the year and counts them from 2000.
    static constexpr int FirstYear = 2000;
    static constexpr int LastYear = 2099;

    // Opens the link from the settings and sends the time read just then; success carries the time
    // the instrument took (clockSetTo).
    static ConfigOutcome run();
    // The same over the given link; a null time stands for the local time when the request goes.
    // A time in another zone or with an offset is sent as the local time it stands for. A time the
    // instrument cannot hold is refused (BadValue, clockRefused) and nothing is sent.
    static ConfigOutcome run(const LinkSettings& link, const QDateTime& time, const std::atomic<bool>* stop = nullptr);

    // Whether the instrument can hold time, read as local time.
    static bool fits(const QDateTime& time);
};
