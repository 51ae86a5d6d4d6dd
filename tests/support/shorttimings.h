#pragma once

#include "link/linktimings.h"

// Installs short link timings for its lifetime, so that a test of a silent instrument waits a
// fraction of a second instead of the product's 3000/10000 ms. The first wait and its retry stay
// apart, and each stays long enough for a reply the simulator delays on purpose (up to 100 ms).
class ShortTimings
{
public:
    ShortTimings()
    {
        LinkTimings timings;
        timings.readItemMs = 300;
        timings.readItemRetryMs = 500;
        timings.writeItemMs = 800;
        timings.setClockMs = 500;
        timings.streamFirstDataMs = 800;
        LinkTimings::install(&timings);
    }
    ~ShortTimings() { LinkTimings::install(nullptr); }
    ShortTimings(const ShortTimings&) = delete;
    ShortTimings& operator=(const ShortTimings&) = delete;
};
