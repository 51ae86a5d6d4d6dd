#pragma once

#include "settings/lock.h"

#include <atomic>

// A spin lock on one byte: yields the processor while taken, never sleeps, not recursive.
class atom_lock : public lock
{
public:
    void acquire() override;
    void release() override;
    bool tryAcquire() override;

private:
    std::atomic<unsigned char> flag{0};
};
