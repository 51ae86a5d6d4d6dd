#include "monitor/monitorthread.h"

#include "jobs/posting.h"

#include <QDateTime>

#include <chrono>

// What the run reports, on the runner's thread: bytes and marks go into the inbox with one wake
// for the window's thread however many come; every other report first has what came before it
// cut into lines, so that the window sees everything in the order it happened.
class MonitorThread::Sink : public MonitorSink
{
public:
    explicit Sink(MonitorThread& owner) : owner(owner) { }

    void listening() override
    {
        after([](MonitorThread& o) { emit o.signalListening(); });
    }
    void received(const QByteArray& bytes, qint64 receivedAtMs) override
    {
        put({ReceivedBytes::Entry::Bytes, bytes, receivedAtMs});
    }
    void lineInterrupted() override
    {
        put({ReceivedBytes::Entry::LineInterrupted, QByteArray(), QDateTime::currentMSecsSinceEpoch()});
    }
    void streamRestarted() override { put({ReceivedBytes::Entry::StreamRestarted, QByteArray(), 0}); }
    void debugCommandFailed(LinkError error) override
    {
        after([error](MonitorThread& o) { emit o.signalFailed(MonitorFailure::DebugCommand, error, QString()); });
    }
    void debugSwitched(bool on) override
    {
        after([on](MonitorThread& o) { emit o.signalDebugSwitched(on); });
    }
    void datagramsLost(qint64 total) override
    {
        after([total](MonitorThread& o) { emit o.signalDatagramsLost(total); });
    }
    std::optional<bool> takeDebugRequest() override
    {
        const int wanted = owner.debugRequest.exchange(-1);
        return wanted < 0 ? std::nullopt : std::optional<bool>(wanted == 1);
    }
    void holdBack(const StopToken& stop) override { owner.holdBack(stop); }

private:
    void put(ReceivedBytes::Entry entry)
    {
        if (owner.inbox.put(std::move(entry)))
            postTo(&owner, [o = &owner] { o->takeReceived(); });
    }
    template <typename F> void after(F report)
    {
        postTo(&owner, [o = &owner, report] {
            o->takeReceived();
            report(*o);
        });
    }

    MonitorThread& owner;
};

MonitorThread::MonitorThread()
{
    connect(&runner, &JobRunner::jobEnded, this, &MonitorThread::runEnded);
}

MonitorThread::~MonitorThread()
{
    // The run uses the members below: it ends before they go.
    runner.stopAndWait();
}

void MonitorThread::requestDebug(bool on)
{
    if (running)
        debugRequest = on ? 1 : 0;
    else
        debugMode = on;
}

void MonitorThread::start()
{
    if (running)
        return;
    const bool debug = debugMode;
    const LinkSettings settings = link ? *link : LinkSettings::load();
    udpRun = settings.useUdp;
    debugRequest = -1;
    backlog = 0;
    inbox.clear();
    cutter.clear();
    const bool begun = runner.start([this, debug, settings](const StopToken& stop) {
        Sink sink(*this);
        ending = runMonitor(settings, debug, stop, sink);
    });
    if (!begun)
        return;
    running = true;
    stopAsked = false;
    emit started();
}

void MonitorThread::stop()
{
    if (!running)
        return;
    stopAsked = true;
    runner.stop();
    caughtUp.notify_all();
}

void MonitorThread::stopAndWait()
{
    stop();
    runner.stopAndWait();
}

void MonitorThread::linesTaken(int count)
{
    const int limit = backlogLimit;
    const int left = backlog -= count;
    // The run waits until half the backlog is gone; wake it then, not for every line.
    if (limit > 0 && left <= limit / 2 && left + count > limit / 2)
        caughtUp.notify_all();
}

void MonitorThread::holdBack(const StopToken& stop)
{
    const int limit = backlogLimit;
    const bool linesBehind = !udpRun && limit > 0 && backlog > limit;
    if (!linesBehind && inbox.waitingBytes() <= MaxWaitingBytes)
        return;
    std::unique_lock<std::mutex> lock(holdMutex);
    // Until half is taken; the time limit covers a wake-up that slips between the test and the wait.
    while (!stop.stopRequested()
           && ((linesBehind && backlog > limit / 2) || inbox.waitingBytes() > MaxWaitingBytes / 2))
        caughtUp.wait_for(lock, std::chrono::milliseconds(20));
}

void MonitorThread::takeReceived()
{
    QByteArrayList batch;
    qint64 batchAt = -1;
    // Lines of one moment go together; a later piece's lines carry their own time.
    const auto handOver = [&] {
        if (batch.isEmpty())
            return;
        backlog += batch.size();
        emit signalLinesRecv(batch, batchAt);
        batch.clear();
    };
    const auto add = [&](const QByteArrayList& lines, qint64 at) {
        if (lines.isEmpty())
            return;
        if (at != batchAt)
            handOver();
        batchAt = at;
        batch += lines;
    };
    const std::vector<ReceivedBytes::Entry> entries = inbox.takeAll();
    if (entries.empty())
        return;
    for (const ReceivedBytes::Entry& entry : entries) {
        switch (entry.kind) {
        case ReceivedBytes::Entry::Bytes:
            add(cutter.feed(entry.bytes), entry.receivedAtMs);
            break;
        case ReceivedBytes::Entry::LineInterrupted: {
            const QByteArray unfinished = cutter.flush();
            if (!unfinished.isEmpty())
                add({unfinished}, entry.receivedAtMs);
            break;
        }
        case ReceivedBytes::Entry::StreamRestarted:
            cutter.clear();
            break;
        }
    }
    handOver();
    caughtUp.notify_all();
}

void MonitorThread::runEnded()
{
    takeReceived();
    last = ending;
    running = false;
    if (last.failure == MonitorFailure::CannotOpen)
        emit signalFailed(last.failure, last.linkError, last.openError);
    emit finished();
}
