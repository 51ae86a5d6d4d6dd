#include "monitor/monitorthread.h"

#include "link/frames.h"
#include "link/linkchannel.h"
#include "monitor/debugreply.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <chrono>

MonitorThread::MonitorThread() = default;

MonitorThread::~MonitorThread()
{
    stopAndWait();
}

void MonitorThread::requestDebug(bool on)
{
    if (isRunning())
        debugRequest = on ? 1 : 0;
    else
        debugMode = on;
}

void MonitorThread::linesTaken(int count)
{
    const int limit = backlogLimit;
    const int left = backlog -= count;
    // The worker waits until half the backlog is gone; wake it then, not for every line.
    if (limit > 0 && left <= limit / 2 && left + count > limit / 2)
        backlogFreed.notify_all();
}

void MonitorThread::run()
{
    const bool debugRun = debugMode;
    debugOn = false;
    mayBeOn = false;
    debugRequest = -1;
    failureCode = MonitorFailure::None;
    failureLink = LinkError::None;
    LinkChannel channel;
    // Lines the instrument sends around the debug command's reply are lines like any other.
    channel.setStrayListener([this](const QByteArray& bytes) { deliver(bytes); });
    if (!(link ? channel.open(*link) : channel.openFromSettings())) {
        failureCode = MonitorFailure::CannotOpen;
        failureLink = channel.openError();
        emit signalShowError(tr("设备监听"), channel.errorText());
        return;
    }
    if (debugRun) {
        // Once "1" has gone out the instrument may be talking, whatever became of its answer.
        mayBeOn = true;
        debugOn = sendDebugCommand(channel, true);
        if (debugOn && !stopRequested())
            listen(channel);
    } else {
        if (!sendDebugCommand(channel, false) || stopRequested())
            return;
        listen(channel);
    }
    // The output is left as it was found before the run: off. After a failed run the closing
    // command is still sent, but its own failure adds nothing the operator does not know.
    if (mayBeOn)
        sendDebugCommand(channel, false, failureCode == MonitorFailure::None);
}

bool MonitorThread::sendDebugCommand(LinkChannel& channel, bool on, bool reportFailure)
{
    // A command at the start or end of a run starts a fresh stream; one while listening keeps the
    // line under way, and takes what has come so far first (the exchange drops what it finds).
    if (midRunSwitch)
        deliver(channel.receive(0));
    else
        lineBuffer.clear();
    const QByteArray request =
        buildWriteItemRequest(channel.deviceAddress(), DebugItemIndex, on ? QStringLiteral("1") : QStringLiteral("0"));
    QByteArray reply;
    const ExchangeResult result =
        channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
    LinkError error = linkErrorOf(result, reply);
    // An instrument whose output is still on sends lines ahead of its reply; the reply still
    // counts, and the lines are shown.
    const int replyStart = result == ExchangeSendFailed ? -1 : itemReplyStart(reply, channel.deviceAddress());
    if (replyStart >= 0) {
        error = LinkError::None;
        deliver(reply.left(replyStart));
    } else if (result == ExchangeOk && itemReplyShapeStart(reply, channel.deviceAddress()) < 0) {
        // Bytes came, but nothing shaped like a reply: the instrument's lines, and no answer.
        deliver(reply);
        error = LinkError::NoReply;
    }
    if (error == LinkError::None) {
        mayBeOn = on;
        return true;
    }
    if (on)
        mayBeOn = true;
    if (!reportFailure)
        return false;
    failureCode = MonitorFailure::DebugCommand;
    failureLink = error;
    emit signalShowError(tr("监听调试"), linkErrorText(error));
    return false;
}

void MonitorThread::listen(LinkChannel& channel)
{
    lossesTold = 0;
    lossCheck.invalidate();
    emit signalListening();
    QElapsedTimer silence;
    silence.start();
    do {
        switchDebug(channel);
        QByteArray bytes = channel.receive(ListenWaitMs);
        if (!bytes.isEmpty())
            silence.restart();
        else if (!lineBuffer.pending().isEmpty() && silence.elapsed() >= IncompleteLineMs)
            deliverPending();
        if (!channel.isUdp()) {
            // The serial line keeps the cycle while bytes follow closely; each piece is cut into
            // lines at once, so a line that never pauses is still shown as it goes.
            // Holding back lets the line's own flow control slow the instrument down; over UDP
            // it would only lose datagrams.
            while (!bytes.isEmpty() && !stopRequested()) {
                deliver(bytes);
                waitForBacklog();
                switchDebug(channel);
                bytes = channel.receive(SerialGapMs);
            }
        }
        deliver(bytes);
        tellLosses(channel);
    } while (!stopRequested());
    // What came of a line before the stop is shown too.
    deliverPending();
}

void MonitorThread::deliverPending()
{
    const QByteArray unfinished = lineBuffer.takePending();
    if (unfinished.isEmpty())
        return;
    backlog += 1;
    emit signalLinesRecv({unfinished}, QDateTime::currentMSecsSinceEpoch());
}

void MonitorThread::tellLosses(LinkChannel& channel)
{
    // Asking costs a system call: at most twice a second.
    if (lossCheck.isValid() && lossCheck.elapsed() < LossCheckMs)
        return;
    lossCheck.start();
    const quint64 lost = channel.droppedDatagrams();
    if (lost > lossesTold) {
        lossesTold = lost;
        emit signalDatagramsLost(qint64(lost));
    }
}

void MonitorThread::switchDebug(LinkChannel& channel)
{
    const int wanted = debugRequest.exchange(-1);
    if (wanted < 0)
        return;
    if (bool(wanted) != debugOn) {
        midRunSwitch = true;
        if (sendDebugCommand(channel, wanted == 1))
            debugOn = wanted == 1;
        midRunSwitch = false;
    }
    emit signalDebugSwitched(debugOn);
}

void MonitorThread::deliver(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const QByteArrayList lines = lineBuffer.feed(bytes);
    if (lines.isEmpty())
        return;
    backlog += lines.size();
    emit signalLinesRecv(lines, QDateTime::currentMSecsSinceEpoch());
}

void MonitorThread::waitForBacklog()
{
    const int limit = backlogLimit;
    if (limit <= 0 || backlog <= limit)
        return;
    std::unique_lock<std::mutex> lock(backlogMutex);
    // The time limit covers a wake-up that slips between the test and the wait.
    while (!stopRequested() && backlog > limit / 2)
        backlogFreed.wait_for(lock, std::chrono::milliseconds(20));
}
