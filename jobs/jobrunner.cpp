#include "jobs/jobrunner.h"

#include <QThread>

JobRunner::JobRunner(QObject* parent) : QObject(parent)
{
    thread = QThread::create([this] { serve(); });
    thread->setObjectName(QStringLiteral("JobRunner"));
    thread->start();
}

JobRunner::~JobRunner()
{
    endThread();
}

bool JobRunner::start(Job job)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (working.load() || quitting || !job)
        return false;
    stopSource.reset();
    working = true;
    pending = std::move(job);
    wake.notify_one();
    return true;
}

void JobRunner::stop()
{
    if (working.load())
        stopSource.request();
}

void JobRunner::stopAndWait()
{
    stop();
    waitForIdle();
}

void JobRunner::waitForIdle()
{
    std::unique_lock<std::mutex> lock(mutex);
    idle.wait(lock, [this] { return !working.load(); });
}

void JobRunner::endThread()
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

void JobRunner::serve()
{
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return pending || quitting; });
        if (quitting)
            return;
        Job job = std::move(pending);
        pending = nullptr;
        const StopToken token = stopSource.token();
        lock.unlock();
        job(token);
        // The job's captures go before it is told ended, so that whoever starts the next job from
        // jobEnded() finds nothing of this one still held.
        job = nullptr;
        lock.lock();
        working = false;
        idle.notify_all();
        lock.unlock();
        emit jobEnded();
        lock.lock();
    }
}
