#include "config/ui/localclock.h"

#include <QDateTime>

QTime LocalClock::timeAt(qint64 utcMs)
{
    constexpr qint64 QuarterMs = 15 * 60 * 1000;
    constexpr qint64 DayMs = 24 * 60 * 60 * 1000;
    // Floor division: a time before 1970 still falls in its own quarter.
    const qint64 quarter = utcMs >= 0 ? utcMs / QuarterMs : -((-utcMs + QuarterMs - 1) / QuarterMs);
    if (quarter != offsetQuarter) {
        offsetQuarter = quarter;
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
    }
    return QTime::fromMSecsSinceStartOfDay(int(((utcMs + offsetMs) % DayMs + DayMs) % DayMs));
}

QTime LocalClock::now()
{
    return timeAt(QDateTime::currentMSecsSinceEpoch());
}
