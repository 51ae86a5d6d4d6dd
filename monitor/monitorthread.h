#pragma once

#include "jobs/workerthread.h"
#include "monitor/linecutter.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "link/linkerror.h"

class LinkChannel;

// Why a monitoring run failed, beside the text it showed.
enum class MonitorFailure {
    None,
    CannotOpen, // the link did not open
    DebugCommand // the debug command failed: linkError() says how
};

// Listens to the instrument's lines on a worker thread: one run opens the link, switches the
// instrument's debug output with item 255 ("1" or "0"), hands over every whole line until stopped
// (the lines of each received piece in one signal), and when the output is on at the end switches
// it off again. The output can be switched while the run listens.
class MonitorThread : public WorkerThread
{
    Q_OBJECT
public:
    // WriteItem on this index switches the instrument's debug output.
    static constexpr int DebugItemIndex = 255;
    // A listening cycle waits this long for the first bytes, then reads on while more follow
    // within the serial gap.
    static constexpr int ListenWaitMs = 100;
    static constexpr int SerialGapMs = 50;
    // Bytes without a line feed are shown as an incomplete line after this much silence (and
    // when the run stops), so that text that never ends a line is still seen.
    static constexpr int IncompleteLineMs = 1000;

    MonitorThread();
    ~MonitorThread() override;

    // Whether the next run switches the debug output on; set while idle.
    void setDebug(bool on) { debugMode = on; }
    // While a run listens: switches the instrument's debug output with the same command, between
    // two listening cycles; signalDebugSwitched() tells the outcome. Idle: as setDebug().
    void requestDebug(bool on);
    bool isDebug() const { return debugMode; }
    // The link to listen on instead of config.ini (the command-line tool's own flags); set while
    // idle.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // Flow control for a fast instrument on the serial line: the worker reads no more while this
    // many lines are handed over and not yet taken (0: no limit). The receiver reports the taken
    // lines. Over UDP the worker never holds back, since datagrams not read are lost.
    void setBacklogLimit(int lines) { backlogLimit = lines; }
    void linesTaken(int count = 1);

    // Why the last run failed (read after finished()); None when it listened until stopped.
    MonitorFailure failure() const { return failureCode; }
    LinkError linkError() const { return failureLink; }

signals:
    void signalShowError(const QString& title, const QString& error);
    // The whole lines of one received piece, each with its line feed (a line cut for its length
    // has none, nor one shown after a silence: see lineEndOf()), and when the piece came (ms since
    // the epoch).
    void signalLinesRecv(const QByteArrayList& lines, qint64 receivedAtMs);
    // A switch of the debug output while listening has ended: on is the output's state now.
    void signalDebugSwitched(bool on);
    // The debug command has been answered and listening begins.
    void signalListening();
    // The system has dropped this many of the instrument's datagrams in this run so far (its
    // receive buffer was full): lines are missing. Sent when the count grows.
    void signalDatagramsLost(qint64 total);

public slots:
    // Starts a run unless one is running. stop() asks the run to end and returns at once;
    // finished() follows when the cycle and the closing debug command have ended.
    void start() { startWork(); }

protected:
    void run() override;

private:
    bool sendDebugCommand(LinkChannel& channel, bool on, bool reportFailure = true);
    void deliverPending();
    void listen(LinkChannel& channel);
    void switchDebug(LinkChannel& channel);
    void deliver(const QByteArray& bytes);
    void tellLosses(LinkChannel& channel);
    void waitForBacklog();
    void wakeForStop() override { backlogFreed.notify_all(); }

    bool debugMode = false;
    std::optional<LinkSettings> link;
    std::atomic<int> debugRequest{-1}; // -1: none; else the state asked for while listening
    bool midRunSwitch = false; // a switch while listening is under way (worker only)
    bool debugOn = false; // the instrument's output as this run last set it (worker only)
    bool mayBeOn = false; // a "1" went out and no "0" was answered since (worker only)
    LineCutter lineBuffer; // only the worker touches it
    quint64 lossesTold = 0; // the dropped datagrams last told (worker only)
    QElapsedTimer lossCheck; // since the count was last asked for (worker only)
    static constexpr int LossCheckMs = 500;
    MonitorFailure failureCode = MonitorFailure::None;
    LinkError failureLink = LinkError::None;

    std::atomic<int> backlog{0};
    std::atomic<int> backlogLimit{0};
    std::mutex backlogMutex;
    std::condition_variable backlogFreed;
};
