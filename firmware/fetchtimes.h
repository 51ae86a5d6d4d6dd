#pragma once

#include <QtGlobal>

// How long a catalogue fetch or a download may take; tests shorten them.
struct FetchTimes
{
    // The stall guard: each window this long must bring at least 1 KiB.
    int idleTimeoutMs = 30000;
    // The whole request; a download adds the time its length needs at the slowest rate taken.
    int deadlineMs = 30000;
    qint64 slowestBytesPerSecond = 16 * 1024;
};
