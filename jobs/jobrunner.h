#pragma once

#include "jobs/posting.h"
#include "jobs/stoptoken.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QThread;

// The one thread class that runs the window's device work. An operation is a plain function that
// polls its stop token and reports through its sink; the runner only gives it a thread. Its thread
// starts with the first job and stays up between jobs: a thread started for each job may wait a
// scheduler tick before it runs on a busy machine, more than a whole Write-all over loopback takes.
// Born with the first job, it lives in the network namespace of whoever started that job (the
// device search's tests run it in one). One job at a time.
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
    // Starts operation (a callable taking the stop token and returning its outcome) as start()
    // does, and hands the outcome to ended on receiver's thread, queued behind everything the
    // operation posted there. By then the runner is idle, so ended may start the next job at once.
    // A receiver destroyed after waitForIdle() gets nothing; it must not go while a job runs.
    template <typename Operation, typename Ended> bool run(QObject* receiver, Operation operation, Ended ended);
    // A job was started and has not returned yet.
    bool isWorking() const { return working.load(); }
    // Asks the job to end and returns at once; jobEnded() follows once it has.
    void stop();
    // Asks the job to end and waits until it has, without a time limit.
    void stopAndWait();
    // Waits for the job under way to end by itself, without asking it to (a firmware transfer that
    // has begun has no stop).
    void waitForIdle();
    // The same for at most timeoutMs (no limit when negative); false when the job still runs.
    bool waitForIdle(int timeoutMs);

signals:
    // The job has returned; emitted on the runner's thread, so it reaches a window queued, after
    // everything the job posted and after the end run() posts. A job started from that end may be
    // under way by the time it arrives.
    void jobEnded();

private:
    // What a job leaves to be done once the runner is idle: posting its outcome.
    using Finish = std::function<void()>;
    using Stage = std::function<Finish(const StopToken&)>;

    bool begin(Stage stage);
    void serve();
    void endThread();

    QThread* thread = nullptr;
    StopSource stopSource;
    std::mutex mutex;
    std::condition_variable wake; // a job or the end for the thread
    std::condition_variable idle; // the job has returned
    Stage pending;
    bool quitting = false;
    std::atomic<bool> working{false};
};

template <typename Operation, typename Ended> bool JobRunner::run(QObject* receiver, Operation operation, Ended ended)
{
    return begin([receiver, operation = std::move(operation), ended = std::move(ended)](const StopToken& stop) {
        auto outcome = operation(stop);
        return Finish([receiver, ended, outcome = std::move(outcome)] {
            postTo(receiver, [ended, outcome] { ended(outcome); });
        });
    });
}
