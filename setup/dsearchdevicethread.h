#pragma once

#include "jobs/jobrunner.h"

// The runner the search dialog runs searchDevices() on, under the name the instrument's other tools
// give their search thread.
class DSearchDeviceThread : public JobRunner
{
public:
    using JobRunner::JobRunner;

    bool isRunning() const { return isWorking(); }
    bool isFinished() const { return !isWorking(); }
};
