#pragma once

#include "jobs/stoptoken.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QThread;

// The one thread class that runs the window's device work. An operation is a plain function that
// polls its stop token and reports through its sink; the runner only gives it a thread. Its thread
// stays up between jobs: a thread started for each job may wait a scheduler tick before it runs on
// a busy machine, more than a whole Write-all over loopback takes. One job at a time.
// The destructor stops the job under way and waits for it: a running thread is never destroyed.
class JobRunner : public QObject
{
    Q_OBJECT
public:
    using Job = std::function<void(const StopToken&)>;

    explicit JobRunner(QObject* parent = nullptr);
    ~JobRunner() override;

    // Hands the thread the job unless one is under way, with an earlier stop request forgotten.
    // False while a job runs (the job is then dropped).
    bool start(Job job);
    // A job was started and has not returned yet.
    bool isWorking() const { return working.load(); }
    // Asks the job to end and returns at once; jobEnded() follows once it has.
    void stop();
    // Asks the job to end and waits until it has, without a time limit.
    void stopAndWait();
    // Waits for the job under way to end by itself, without asking it to (a firmware transfer that
    // has begun has no stop).
    void waitForIdle();

signals:
    // The job has returned; emitted on the runner's thread, so it reaches a window queued, after
    // everything the job posted.
    void jobEnded();

private:
    void serve();
    void endThread();

    QThread* thread = nullptr;
    StopSource stopSource;
    std::mutex mutex;
    std::condition_variable wake; // a job or the end for the thread
    std::condition_variable idle; // the job has returned
    Job pending;
    bool quitting = false;
    std::atomic<bool> working{false};
};
