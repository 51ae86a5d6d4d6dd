#pragma once

#include "link/linkerror.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>

#include <optional>

class StopToken;

// Why a monitoring run failed.
enum class MonitorFailure {
    None,
    CannotOpen, // the link did not open: MonitorOutcome::openError says why, in the link's words
    DebugCommand // the debug command failed: MonitorOutcome::linkError says how
};

// What a monitoring run reports while it runs, on the run's own thread. The run only takes bytes
// from the link and hands them on as they came: cutting them into lines and making text is the
// receiver's work, so that the link is drained again at once.
class MonitorSink
{
public:
    virtual ~MonitorSink() = default;
    // The debug command was answered: the instrument's lines follow.
    virtual void listening() { }
    // Bytes from the instrument in the order they came, and when they came (ms since the epoch).
    virtual void received(const QByteArray& bytes, qint64 receivedAtMs) = 0;
    // What has come of the line under way is to be shown as it stands: the instrument fell silent
    // inside a line, or listening has ended.
    virtual void lineInterrupted() { }
    // A debug command at the start or end of the run begins a fresh stream: the bytes of a line
    // under way are forgotten.
    virtual void streamRestarted() { }
    // A debug command failed (at the start, while listening or at the end); the run tells its
    // outcome too when the failure ended it.
    virtual void debugCommandFailed(LinkError error) { Q_UNUSED(error) }
    // A switch of the debug output asked for while listening has ended: on is its state now.
    virtual void debugSwitched(bool on) { Q_UNUSED(on) }
    // The system has dropped this many of the instrument's datagrams in this run so far (its
    // receive buffer was full): lines are missing. Told when the count grows.
    virtual void datagramsLost(qint64 total) { Q_UNUSED(total) }
    // Asked between listening cycles: a switch of the debug output wanted since the last ask.
    virtual std::optional<bool> takeDebugRequest() { return std::nullopt; }
    // Called after each piece handed on; may hold the run until the receiver has caught up. On the
    // serial line the line's own flow control then slows the instrument down; over UDP the system
    // drops what does not fit in its buffer and the run counts it.
    virtual void holdBack(const StopToken& stop) { Q_UNUSED(stop) }
};

struct MonitorOutcome
{
    MonitorFailure failure = MonitorFailure::None;
    LinkError linkError = LinkError::None;
    QString openError; // the link's own account of a failed open
    qint64 datagramsLost = 0;

    bool ok() const { return failure == MonitorFailure::None; }
};

// WriteItem on this index switches the instrument's debug output.
constexpr int MonitorDebugItemIndex = 255;

// One monitoring run: opens the link, switches the instrument's debug output with item 255 ("1"
// when debug is set, else "0"), hands every piece the instrument sends to the sink until stop is
// set, and when the output is on at the end switches it off again. The output can be switched
// while the run listens (MonitorSink::takeDebugRequest).
MonitorOutcome runMonitor(const LinkSettings& link, bool debug, const StopToken& stop, MonitorSink& sink);

namespace MonitorTimings {
// A listening cycle waits this long for bytes before it looks at the stop and debug requests.
constexpr int ListenWaitMs = 100;
// Bytes without a line feed are shown as an incomplete line after this much silence (and when
// the run stops), so that text that never ends a line is still seen.
constexpr int IncompleteLineMs = 1000;
// Asking the system for its count of dropped datagrams costs a system call: at most this often.
constexpr int LossCheckMs = 500;
} // namespace MonitorTimings
