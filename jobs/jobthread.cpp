#include "jobs/jobthread.h"

#include <QThread>

JobThread::JobThread(QObject* parent) : QObject(parent)
{
    thread = QThread::create([this] { serve(); });
    thread->setObjectName(QStringLiteral("JobThread"));
    thread->start();
}

JobThread::~JobThread()
{
    endThread();
}

bool JobThread::startJob()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (working.load() || quitting)
        return false;
    stopping = false;
    working = true;
    pending = true;
    wake.notify_one();
    return true;
}

void JobThread::stop()
{
    if (working.load())
        stopping = true;
}

void JobThread::stopAndWait()
{
    stop();
    std::unique_lock<std::mutex> lock(mutex);
    idle.wait(lock, [this] { return !working.load(); });
}

void JobThread::jobDone()
{
    std::lock_guard<std::mutex> lock(mutex);
    working = false;
    idle.notify_all();
}

void JobThread::endThread()
{
    if (!thread)
        return;
    stopAndWait();
    {
        std::lock_guard<std::mutex> lock(mutex);
        quitting = true;
        wake.notify_one();
    }
    thread->wait();
    delete thread;
    thread = nullptr;
}

void JobThread::serve()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return pending || quitting; });
        if (quitting)
            return;
        pending = false;
        lock.unlock();
        runJob();
        lock.lock();
        // After jobDone() the next job may have been started already; it stays working.
        if (!pending) {
            working = false;
            idle.notify_all();
        }
    }
}
