// Labels: fast
#include "jobs/jobrunner.h"
#include "jobs/posting.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

// A job that runs until it is released or asked to stop.
struct HeldJob
{
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    std::atomic<bool> sawStop{false};

    JobRunner::Job job()
    {
        return [this](const StopToken& stop) {
            started = true;
            while (!release.load() && !stop.stopRequested())
                QThread::msleep(1);
            sawStop = stop.stopRequested();
        };
    }
};

class TestJobs : public QObject
{
    Q_OBJECT
private slots:
    void oneJobAtATime()
    {
        JobRunner runner;
        HeldJob held;
        QSignalSpy ended(&runner, &JobRunner::jobEnded);
        QVERIFY(runner.start(held.job()));
        QVERIFY(runner.isWorking());
        QVERIFY(!runner.start([](const StopToken&) {}));
        held.release = true;
        // The spy counts on the runner's thread, maybe before a wait() would begin.
        QTRY_COMPARE(ended.count(), 1);
        QVERIFY(!runner.isWorking());
        QVERIFY(!held.sawStop);
        // The next job runs on the same thread, with no stop request left over.
        HeldJob next;
        next.release = true;
        QVERIFY(runner.start(next.job()));
        QTRY_COMPARE(ended.count(), 2);
        QVERIFY(!next.sawStop);
    }

    void stopReachesTheJob()
    {
        JobRunner runner;
        HeldJob held;
        QVERIFY(runner.start(held.job()));
        QTRY_VERIFY(held.started.load());
        runner.stopAndWait();
        QVERIFY(!runner.isWorking());
        QVERIFY(held.sawStop);
    }

    void reportsArriveBeforeTheEndInOrder()
    {
        JobRunner runner;
        QObject window;
        auto seen = std::make_shared<QList<int>>();
        connect(&runner, &JobRunner::jobEnded, &window, [seen] { seen->append(-1); });
        QVERIFY(runner.start([&window, seen](const StopToken&) {
            for (int i = 0; i < 100; ++i)
                postTo(&window, [seen, i] { seen->append(i); });
        }));
        QTRY_COMPARE(seen->size(), 101);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(seen->at(i), i);
        QCOMPARE(seen->last(), -1);
    }

    // The outcome comes after every report, with the runner idle: the end may start the next job
    // at once, as the window's write-all does when it is asked again.
    void outcomeArrivesLastWithTheRunnerIdle()
    {
        JobRunner runner;
        QObject window;
        auto seen = std::make_shared<QList<int>>();
        QList<bool> busyAtEnd;
        QList<bool> nextStarted;
        const auto job = [&window, seen](const StopToken&) {
            for (int i = 0; i < 100; ++i)
                postTo(&window, [seen, i] { seen->append(i); });
            return 100;
        };
        std::function<void(int)> ended = [&](int outcome) {
            seen->append(outcome);
            busyAtEnd.append(runner.isWorking());
            if (nextStarted.isEmpty())
                nextStarted.append(runner.run(&window, job, ended));
        };
        QVERIFY(runner.run(&window, job, ended));
        QTRY_COMPARE(seen->size(), 202);
        QCOMPARE(busyAtEnd, (QList<bool>{false, false}));
        QCOMPARE(nextStarted, QList<bool>{true});
        for (int i = 0; i < 202; ++i)
            QCOMPARE(seen->at(i), i % 101);
    }

    // A receiver that goes once the runner is idle takes its queued end with it.
    void receiverGoneAfterTheWaitGetsNothing()
    {
        JobRunner runner;
        auto receiver = std::make_unique<QObject>();
        std::atomic<bool> endedRan{false};
        QVERIFY(runner.run(
            receiver.get(), [](const StopToken&) { return 1; }, [&endedRan](int) { endedRan = true; }));
        runner.waitForIdle();
        receiver.reset();
        QCoreApplication::processEvents();
        QTest::qWait(10);
        QVERIFY(!endedRan);
    }

    void destroyedWhileWorkingStopsAndWaits()
    {
        HeldJob held;
        {
            JobRunner runner;
            QVERIFY(runner.start(held.job()));
            QTRY_VERIFY(held.started.load());
        }
        QVERIFY(held.sawStop);
    }

    void aTokenOutlivesItsSource()
    {
        StopToken token;
        QVERIFY(!token.stopRequested());
        QVERIFY(!token.flag());
        {
            StopSource source;
            token = source.token();
            source.request();
        }
        QVERIFY(token.stopRequested());
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
