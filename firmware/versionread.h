#pragma once

#include "jobs/stoptoken.h"
#include "settings/linksettings.h"

#include <QDeadlineTimer>
#include <QString>

class LinkChannel;

// The firmware version as the instrument's configuration shows it in its version row.
struct VersionRead
{
    bool answered = false; // the instrument answered an item request
    bool found = false; // its list has a version row
    QString version; // that row's value
};

namespace VersionReader {

// Reads the items from the first until the version row or the end of the list. The first item
// is asked for again until the instrument answers or answerBy has passed: after a flash it
// restarts and stays silent for a while. Each later item waits itemTimeoutMs.
VersionRead read(const LinkSettings& link, const QDeadlineTimer& answerBy, int itemTimeoutMs, const StopToken& stop);
VersionRead read(LinkChannel& channel, const QDeadlineTimer& answerBy, int itemTimeoutMs, const StopToken& stop);

} // namespace VersionReader
