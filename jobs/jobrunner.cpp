#include "jobs/jobrunner.h"

#include <QThread>

JobRunner::JobRunner(QObject* parent) : QObject(parent)
{ }

JobRunner::~JobRunner()
{
    endThread();
}

bool JobRunner::start(Job job)
{
    if (!job)
        return false;
    return begin([job = std::move(job)](const StopToken& stop) {
        job(stop);
        return Finish();
    });
}

bool JobRunner::begin(Stage stage)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (working.load() || quitting)
        return false;
    if (!thread) {
        thread = QThread::create([this] { serve(); });
        thread->setObjectName(QStringLiteral("JobRunner"));
        thread->start();
    }
    stopSource.reset();
    working = true;
    pending = std::move(stage);
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

bool JobRunner::waitForIdle(int timeoutMs)
{
    if (timeoutMs < 0) {
        waitForIdle();
        return true;
    }
    std::unique_lock<std::mutex> lock(mutex);
    return idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !working.load(); });
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
        Stage job = std::move(pending);
        pending = nullptr;
        const StopToken token = stopSource.token();
        lock.unlock();
        Finish finish = job(token);
        // The job's captures go before it is told ended, so that whoever starts the next job from
        // its end finds nothing of this one still held.
        job = nullptr;
        lock.lock();
        working = false;
        // Posted under the lock, so that waitForIdle() returns only once it is queued: a receiver
        // destroyed after that wait takes the posted end with it.
        if (finish)
            finish();
        finish = nullptr;
        idle.notify_all();
        lock.unlock();
        emit jobEnded();
        lock.lock();
    }
}
