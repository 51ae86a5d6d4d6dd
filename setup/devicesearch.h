#pragma once

#include "jobs/stoptoken.h"
#include "setup/searchtargets.h"

#include <QHostAddress>
#include <QString>

#include <functional>

// One instrument that answered the search probe: the name it answered with (trimmed) and where its
// link is reached, the address and port its answer came from.
struct FoundDevice
{
    QString name;
    QHostAddress address;
    quint16 port = 0;
};

// How a search ended, beside the instruments it found.
enum class SearchFailure {
    None, // at least one instrument answered
    NotSent, // no probe went out (no destination, or every send failed)
    NoAnswer, // probes went out and nobody answered
    Stopped // it was stopped before anyone answered
};

struct SearchOutcome
{
    SearchFailure failure = SearchFailure::NotSent;
    int answers = 0;
};

// The probe every instrument answers with its name.
inline QByteArray searchProbe()
{
    return QByteArray(4, '\x01');
}

// Sends the probe to each destination in turn and listens for answers for the targets' reply window
// after each, telling found each instrument that answers, in the order they come. The window counts
// from the probe, so answers that keep coming cannot hold the search. A stop ends it within one
// poll (20 ms). found runs on the caller's thread.
SearchOutcome searchDevices(const SearchTargets& targets, const StopToken& stop,
                            const std::function<void(const FoundDevice&)>& found);
