#pragma once

#include "settings/atom_lock.h"

#include <atomic>

// The one instance of T for the whole process, created on first use from any thread.
// The pointer is read atomically, so the fast path needs no lock; creation and destruction take it.
template <class T>
class singleton : public T
{
public:
    static T* instance()
    {
        singleton* current = pointer().load(std::memory_order_acquire);
        if (current)
            return current;
        guard().acquire();
        current = pointer().load(std::memory_order_relaxed);
        if (!current) {
            current = new singleton;
            pointer().store(current, std::memory_order_release);
        }
        guard().release();
        return current;
    }

    // Deletes the instance (a Config writes its file then); a later instance() makes a fresh one.
    static void destroy()
    {
        guard().acquire();
        singleton* current = pointer().exchange(nullptr, std::memory_order_acq_rel);
        delete current;
        guard().release();
    }

private:
    singleton() = default;

    static std::atomic<singleton*>& pointer()
    {
        static std::atomic<singleton*> value{nullptr};
        return value;
    }

    static atom_lock& guard()
    {
        static atom_lock value;
        return value;
    }
};
