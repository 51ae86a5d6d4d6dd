#include "monitor/monitorthread.h"

#include "link/frames.h"
#include "link/linkchannel.h"
#include "monitor/debugreply.h"

#include <chrono>

MonitorThread::MonitorThread() = default;

MonitorThread::~MonitorThread()
{
    stopAndWait();
}

void MonitorThread::lineTaken()
{
    const int limit = backlogLimit;
    // The worker waits until half the backlog is gone; wake it then, not for every line.
    if (--backlog == limit / 2 && limit > 0)
        backlogFreed.notify_all();
}

void MonitorThread::run()
{
    const bool debugRun = debugMode;
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
        if (!sendDebugCommand(channel, true))
            return;
        if (!stopRequested())
            listen(channel);
        sendDebugCommand(channel, false);
    } else {
        if (!sendDebugCommand(channel, false) || stopRequested())
            return;
        listen(channel);
    }
}

bool MonitorThread::sendDebugCommand(LinkChannel& channel, bool on)
{
    lineBuffer.clear();
    const QByteArray request = buildWriteItemRequest(channel.deviceAddress(), DebugItemIndex,
                                                     on ? QStringLiteral("1") : QStringLiteral("0"));
    QByteArray reply;
    const ExchangeResult result = channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
    LinkError error = linkErrorOf(result, reply);
    // An instrument whose output is still on sends lines ahead of its reply; the reply still counts.
    if (error != LinkError::None && result != ExchangeSendFailed && endsWithItemReply(reply, channel.deviceAddress()))
        error = LinkError::None;
    if (error == LinkError::None)
        return true;
    failureCode = MonitorFailure::DebugCommand;
    failureLink = error;
    emit signalShowError(tr("监听调试"), linkErrorText(error));
    return false;
}

void MonitorThread::listen(LinkChannel& channel)
{
    emit signalListening();
    do {
        QByteArray bytes = channel.receive(ListenWaitMs);
        if (!channel.isUdp()) {
            // The serial line keeps the cycle while bytes follow closely; each piece is cut into
            // lines at once, so a line that never pauses is still shown as it goes.
            // Holding back lets the line's own flow control slow the instrument down; over UDP
            // it would only lose datagrams.
            while (!bytes.isEmpty() && !stopRequested()) {
                deliver(bytes);
                waitForBacklog();
                bytes = channel.receive(SerialGapMs);
            }
        }
        deliver(bytes);
    } while (!stopRequested());
}

void MonitorThread::deliver(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    for (const QByteArray& line : lineBuffer.feed(bytes)) {
        ++backlog;
        emit signalDataRecv(line);
    }
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
