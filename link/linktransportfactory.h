#pragma once

#include "link/linktimings.h"
#include "link/linktransport.h"
#include "settings/linksettings.h"

#include <functional>
#include <memory>

// Makes the transport a LinkChannel opens for settings.
using LinkTransportFactory =
    std::function<std::unique_ptr<LinkTransport>(const LinkSettings& settings, const LinkTimings& timings)>;

// The transport for settings from the installed factory: UDP or the serial line as settings say,
// unless a test installed another.
std::unique_ptr<LinkTransport> makeLinkTransport(const LinkSettings& settings, const LinkTimings& timings);

// Tests only: every later channel, on any thread, takes its transport from factory (an
// instrument in memory); nullptr goes back to the real lines.
void installLinkTransportFactory(const LinkTransportFactory* factory);
