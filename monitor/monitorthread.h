#pragma once

#include "link/lineassembler.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include "link/workerthread.h"

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
    CannotOpen,  // the link did not open
    DebugCommand // the debug command failed: linkError() says how
};

// Listens to the instrument's lines on a worker thread: one run opens the link, switches the
// instrument's debug output with item 255 ("1" or "0"), hands over every whole line until stopped,
// and after a debug run switches the output off again.
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

    MonitorThread();
    ~MonitorThread() override;

    // Whether the next run switches the debug output on; set while idle.
    void setDebug(bool on) { debugMode = on; }
    bool isDebug() const { return debugMode; }
    // The link to listen on instead of config.ini (the command-line tool's own flags); set while
    // idle.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // Flow control for a fast instrument on the serial line: the worker reads no more while this
    // many lines are handed over and not yet taken (0: no limit). The receiver reports each taken
    // line. Over UDP the worker never holds back, since datagrams not read are lost.
    void setBacklogLimit(int lines) { backlogLimit = lines; }
    void lineTaken();

    // Why the last run failed (read after finished()); None when it listened until stopped.
    MonitorFailure failure() const { return failureCode; }
    LinkError linkError() const { return failureLink; }


signals:
    void signalShowError(const QString& title, const QString& error);
    void signalDataRecv(const QByteArray& byteArray);
    // The debug command has been answered and listening begins.
    void signalListening();

public slots:
    // Starts a run unless one is running. stop() asks the run to end and returns at once;
    // finished() follows when the cycle and the closing debug command have ended.
    void start() { startWork(); }

protected:
    void run() override;

private:
    bool sendDebugCommand(LinkChannel& channel, bool on);
    void listen(LinkChannel& channel);
    void deliver(const QByteArray& bytes);
    void waitForBacklog();
    void wakeForStop() override { backlogFreed.notify_all(); }

    bool debugMode = false;
    std::optional<LinkSettings> link;
    LineAssembler lineBuffer; // only the worker touches it
    MonitorFailure failureCode = MonitorFailure::None;
    LinkError failureLink = LinkError::None;

    std::atomic<int> backlog{0};
    std::atomic<int> backlogLimit{0};
    std::mutex backlogMutex;
    std::condition_variable backlogFreed;
};
