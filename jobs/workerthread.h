#pragma once

#include <QThread>

#include <atomic>

// The start and stop of every worker of the assistant: started only when it is not running, asked
// to stop with a flag that its run() polls (and hands to the link or the HTTP fetch, so that their
// waits end too), and waited for before it goes. stop() only asks and returns at once; whoever must
// see the run over calls stopAndWait(). A subclass calls stopAndWait() in its own destructor, while
// its members still exist: a running thread is never destroyed.
class WorkerThread : public QThread
{
    Q_OBJECT
public:
    explicit WorkerThread(QObject* parent = nullptr) : QThread(parent) { }
    ~WorkerThread() override;

public slots:
    // Asks the run to end and returns at once; finished() follows once it has.
    void stop();

public:
    // Asks the run to end and waits for it, without a time limit.
    void stopAndWait();
    // Running, and asked to stop: the run is winding down.
    bool isStopping() const { return stopRequested() && isRunning(); }
    // The flag run() polls, for the link or the fetch it drives.
    const std::atomic<bool>* stopFlag() const { return &stopping; }

protected:
    // Starts a run unless one is running, with a stop request of an earlier run forgotten.
    // False when a run was still going.
    bool startWork(QThread::Priority priority = QThread::InheritPriority);
    bool stopRequested() const { return stopping.load(); }
    // Called on the asking thread after the flag is set, to wake a run that sleeps on something
    // else (a condition variable, say).
    virtual void wakeForStop() { }

private:
    std::atomic<bool> stopping{false};
};
