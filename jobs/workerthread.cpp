#include "jobs/workerthread.h"

WorkerThread::~WorkerThread()
{
    // The last guard: a subclass has stopped and waited already, while its members still existed.
    stopping = true;
    wait();
}

bool WorkerThread::startWork(QThread::Priority priority)
{
    if (isRunning())
        return false;
    stopping = false;
    start(priority);
    return true;
}

void WorkerThread::stop()
{
    if (!isRunning())
        return;
    stopping = true;
    wakeForStop();
}

void WorkerThread::stopAndWait()
{
    stop();
    wait();
}
