#include "sim/readings.h"

#include <QtMath>

double temperatureAt(qint64 secondsSinceEpoch, double swing)
{
    const double day = double(secondsSinceEpoch % 86400) / 86400.0;
    return 22.0 + swing * qSin(2 * M_PI * (day - 0.3)) + double(secondsSinceEpoch / 86400 % 7) * 0.3;
}

double humidityAt(qint64 secondsSinceEpoch)
{
    const double day = double(secondsSinceEpoch % 86400) / 86400.0;
    return 55.0 - 10.0 * qSin(2 * M_PI * (day - 0.3));
}
