#include "settings/atom_lock.h"

#include <thread>

void atom_lock::acquire()
{
    while (flag.exchange(1, std::memory_order_acquire) == 1)
        std::this_thread::yield();
}

void atom_lock::release()
{
    flag.exchange(0, std::memory_order_release);
}

bool atom_lock::tryAcquire()
{
    return flag.exchange(1, std::memory_order_acquire) == 0;
}
