#include "monitor/monitorsession.h"

#include "jobs/stoptoken.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"
#include "monitor/debugreply.h"

#include <QDateTime>
#include <QElapsedTimer>

namespace {

// One run on one channel: the state its debug commands and listening share.
class MonitorRun
{
public:
    MonitorRun(LinkChannel& channel, const StopToken& stop, MonitorSink& sink, MonitorOutcome& outcome)
        : channel(channel), stop(stop), sink(sink), outcome(outcome)
    {
        // Lines the instrument sends around a debug command's reply are lines like any other.
        channel.setStrayListener([this](const QByteArray& bytes) { handOn(bytes); });
    }

    void run(bool debug)
    {
        if (debug) {
            // Once "1" has gone out the instrument may be talking, whatever became of its answer.
            mayBeOn = true;
            debugOn = sendDebugCommand(true);
            if (debugOn && !stop.stopRequested())
                listen();
        } else {
            if (!sendDebugCommand(false) || stop.stopRequested())
                return;
            listen();
        }
        // The output is left as it was found before the run: off. After a failed run the closing
        // command is still sent, but its own failure adds nothing the operator does not know.
        if (mayBeOn)
            sendDebugCommand(false, outcome.ok());
    }

private:
    bool sendDebugCommand(bool on, bool reportFailure = true)
    {
        // A command at the start or end of a run starts a fresh stream; one while listening keeps
        // the line under way, and takes what has come so far first (the exchange drops what it finds).
        if (midRunSwitch)
            handOn(channel.receive(0));
        else
            sink.streamRestarted();
        const QByteArray request = buildWriteItemRequest(channel.deviceAddress(), MonitorDebugItemIndex,
                                                         on ? QStringLiteral("1") : QStringLiteral("0"));
        QByteArray reply;
        const ExchangeResult result =
            channel.exchange(request, reply, CrcOrder::LowFirst, LinkTimings::current().writeItemMs);
        LinkError error = linkErrorOf(result, reply);
        // An instrument whose output is still on sends lines ahead of its reply; the reply still
        // counts, and the lines are shown.
        const int replyStart = result == ExchangeSendFailed ? -1 : itemReplyStart(reply, channel.deviceAddress());
        if (replyStart >= 0) {
            error = LinkError::None;
            handOn(reply.left(replyStart));
        } else if (result == ExchangeOk && itemReplyShapeStart(reply, channel.deviceAddress()) < 0) {
            // Bytes came, but nothing shaped like a reply: the instrument's lines, and no answer.
            handOn(reply);
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
        if (outcome.ok()) {
            outcome.failure = MonitorFailure::DebugCommand;
            outcome.linkError = error;
        }
        sink.debugCommandFailed(error);
        return false;
    }

    void listen()
    {
        sink.listening();
        QElapsedTimer silence;
        silence.start();
        QElapsedTimer lossCheck;
        do {
            switchDebug();
            const QByteArray bytes = channel.receive(MonitorTimings::ListenWaitMs);
            if (!bytes.isEmpty()) {
                silence.restart();
                handOn(bytes);
                sink.holdBack(stop);
            } else if (lineOpen && silence.elapsed() >= MonitorTimings::IncompleteLineMs) {
                lineOpen = false;
                sink.lineInterrupted();
            }
            if (!lossCheck.isValid() || lossCheck.elapsed() >= MonitorTimings::LossCheckMs) {
                lossCheck.start();
                tellLosses();
            }
        } while (!stop.stopRequested());
        tellLosses();
        // What came of a line before the stop is shown too.
        if (lineOpen)
            sink.lineInterrupted();
        lineOpen = false;
    }

    void switchDebug()
    {
        const std::optional<bool> wanted = sink.takeDebugRequest();
        if (!wanted)
            return;
        if (*wanted != debugOn) {
            midRunSwitch = true;
            if (sendDebugCommand(*wanted))
                debugOn = *wanted;
            midRunSwitch = false;
        }
        sink.debugSwitched(debugOn);
    }

    void tellLosses()
    {
        const qint64 lost = qint64(channel.droppedDatagrams());
        if (lost > outcome.datagramsLost) {
            outcome.datagramsLost = lost;
            sink.datagramsLost(lost);
        }
    }

    void handOn(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return;
        lineOpen = !bytes.endsWith('\n');
        sink.received(bytes, QDateTime::currentMSecsSinceEpoch());
    }

    LinkChannel& channel;
    const StopToken& stop;
    MonitorSink& sink;
    MonitorOutcome& outcome;
    bool debugOn = false; // the instrument's output as this run last set it
    bool mayBeOn = false; // a "1" went out and no "0" was answered since
    bool midRunSwitch = false; // a switch while listening is under way
    bool lineOpen = false; // the last bytes handed on did not end a line
};

} // namespace

MonitorOutcome runMonitor(const LinkSettings& link, bool debug, const StopToken& stop, MonitorSink& sink)
{
    MonitorOutcome outcome;
    LinkChannel channel;
    if (!channel.open(link)) {
        outcome.failure = MonitorFailure::CannotOpen;
        outcome.linkError = channel.openError();
        outcome.openError = linkOpenFailureText(channel.openFailure());
        return outcome;
    }
    MonitorRun(channel, stop, sink, outcome).run(debug);
    return outcome;
}
