#pragma once

#include <QTime>

// The local time of day, as QTime::currentTime() tells it, without looking up the local zone's
// offset each time: that reads the zone database, a tenth of a millisecond at the end of every
// operation. Zones change their offset only at a whole quarter hour of UTC, so an offset found
// holds until the next one.
class LocalClock
{
public:
    QTime timeAt(qint64 utcMs);
    QTime now();

private:
    qint64 offsetQuarter = -1; // the quarter hour of UTC for which offsetMs holds
    qint64 offsetMs = 0;
};
