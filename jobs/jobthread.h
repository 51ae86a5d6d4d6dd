#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <mutex>

class QThread;

// A worker whose thread stays up between jobs. A thread started for each job may wait a scheduler
// tick before it runs on a busy machine (milliseconds, more than a whole Write-all over loopback
// takes); a thread that waits for its next job runs it at once. Jobs run one at a time in
// runJob(), report only through signals (queued to the window, in order) and poll the stop flag.
// The thread starts with the object. A subclass calls endThread() in its own destructor, while
// its members still exist: a job is never left running into a destroyed object.
class JobThread : public QObject
{
    Q_OBJECT
public:
    explicit JobThread(QObject* parent = nullptr);
    ~JobThread() override;

    // A job was started and has not returned from runJob() yet.
    bool isWorking() const { return working.load(); }
    // Asks the job to end and returns at once.
    void stop();
    // Asks the job to end and waits until it has, without a time limit.
    void stopAndWait();
    // The flag the job polls, for the link it drives.
    const std::atomic<bool>* stopFlag() const { return &stopping; }

protected:
    // Hands the thread the next job unless one is under way, with an earlier stop request
    // forgotten. False while a job runs.
    bool startJob();
    bool stopRequested() const { return stopping.load(); }
    virtual void runJob() = 0;
    // Called by a job just before its last report, once it reads no member any more: whoever that
    // report reaches may start the next job at once (it runs when this one has returned). Without
    // it, isWorking() turns false only after runJob() returns, a moment after the report.
    void jobDone();
    // Stops the job under way and ends the thread.
    void endThread();

private:
    void serve();

    QThread* thread = nullptr;
    std::mutex mutex;
    std::condition_variable wake; // a job or the end for the thread
    std::condition_variable idle; // the job has returned
    bool pending = false;
    bool quitting = false;
    std::atomic<bool> working{false};
    std::atomic<bool> stopping{false};
};
