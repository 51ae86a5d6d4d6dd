// Built into every test program: the device search starts by itself when its dialog opens, so
// from the start of each program on it probes a loopback address where nothing answers instead of
// the machine's real broadcast addresses. Tests that search install their own loopback targets.
#include "setup/searchtargets.h"

#include <QCoreApplication>

namespace {

void silenceSearch()
{
    SearchTargets silent;
    silent.destinations = {QHostAddress(QStringLiteral("127.0.0.9"))};
    silent.probePort = 9;
    silent.replyWindowMs = 200;
    SearchTargets::install(&silent);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(silenceSearch)
