#pragma once

#include <QtGlobal>

// The simulated instrument's readings at a moment: they drift through the day and from day to day,
// and are the same for the same moment every time, so its history and its debug lines agree.

// Degrees Celsius; swing is half the day's range.
double temperatureAt(qint64 secondsSinceEpoch, double swing);
// Relative humidity in percent.
double humidityAt(qint64 secondsSinceEpoch);
