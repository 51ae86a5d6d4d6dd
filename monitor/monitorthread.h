#pragma once

#include "jobs/jobrunner.h"
#include "linesplit/linesplitter.h"
#include "monitor/monitorsession.h"
#include "monitor/receivedbytes.h"
#include "settings/linksettings.h"

#include <QByteArrayList>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

// The monitor for a window: runMonitor() on a job runner of its own, whose thread only takes the
// instrument's bytes into memory; this object, on the window's thread, cuts them into lines and
// hands them on as signals, in the order they came. Only one run at a time.
class MonitorThread : public QObject
{
    Q_OBJECT
public:
    // How much the link may have taken and this object not yet cut into lines before the run
    // waits: a window that falls far behind holds no more than this (over UDP the system then
    // drops datagrams, and the run counts them).
    static constexpr qint64 MaxWaitingBytes = 16 * 1024 * 1024;

    MonitorThread();
    ~MonitorThread() override;

    // Whether the next run switches the debug output on; set while idle.
    void setDebug(bool on) { debugMode = on; }
    // While a run listens: switches the instrument's debug output with the same command, between
    // two listening cycles; signalDebugSwitched() tells the outcome. Idle: as setDebug().
    void requestDebug(bool on);
    bool isDebug() const { return debugMode; }
    // The link to listen on instead of config.ini; set while idle.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // Flow control for a fast instrument on the serial line: the run reads no more while this
    // many lines are handed over and not yet taken (0: no limit). The receiver reports the taken
    // lines. Over UDP the run never holds back for this, since datagrams not read are lost.
    void setBacklogLimit(int lines) { backlogLimit = lines; }
    void linesTaken(int count = 1);

    // From start() until finished() has been emitted.
    bool isRunning() const { return running; }
    // Running, and asked to stop: the run is winding down.
    bool isStopping() const { return running && stopAsked; }
    // Asks the run to end and waits for it, without a time limit; finished() still follows queued.
    void stopAndWait();

    // How the last run ended (read after finished()).
    const MonitorOutcome& outcome() const { return last; }
    MonitorFailure failure() const { return last.failure; }
    LinkError linkError() const { return last.linkError; }

signals:
    void started();
    void finished();
    // A debug command failed, or the link did not open (openError the link's account of it).
    void signalFailed(MonitorFailure failure, LinkError error, const QString& openError);
    // The whole lines of what came, each with its line feed (a line cut for its length has none,
    // nor one shown after a silence), and when their last piece came (ms since the epoch).
    void signalLinesRecv(const QByteArrayList& lines, qint64 receivedAtMs);
    // A switch of the debug output while listening has ended: on is the output's state now.
    void signalDebugSwitched(bool on);
    // The debug command has been answered and listening begins.
    void signalListening();
    // The system has dropped this many of the instrument's datagrams in this run so far.
    void signalDatagramsLost(qint64 total);

public slots:
    // Starts a run unless one is running. stop() asks the run to end and returns at once;
    // finished() follows when the cycle and the closing debug command have ended.
    void start();
    void stop();

private:
    class Sink;
    friend class Sink;

    // On this object's thread: cuts what the run has taken into lines, in order.
    void takeReceived();
    void runEnded();
    void holdBack(const StopToken& stop);

    JobRunner runner;
    ReceivedBytes inbox;
    LineSplitter cutter; // only this object's thread touches it
    bool debugMode = false;
    std::optional<LinkSettings> link;
    bool udpRun = false; // the run under way listens over UDP (set while idle)
    bool running = false;
    bool stopAsked = false;
    MonitorOutcome last;
    MonitorOutcome ending; // written by the run, read once it has ended
    std::atomic<int> debugRequest{-1}; // -1: none; else the state asked for while listening

    std::atomic<int> backlog{0};
    std::atomic<int> backlogLimit{0};
    std::mutex holdMutex;
    std::condition_variable caughtUp;
};
