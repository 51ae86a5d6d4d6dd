#pragma once

// A minimal lock interface; the settings store guards the creation of its one instance with it.
class lock
{
public:
    virtual ~lock() = default;
    virtual void acquire() = 0;
    virtual void release() = 0;
    virtual bool tryAcquire() = 0;
};
