#include "link/linktransportfactory.h"

#include "link/serialtransport.h"
#include "link/udptransport.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex mutex;
LinkTransportFactory installed;
} // namespace

std::unique_ptr<LinkTransport> makeLinkTransport(const LinkSettings& settings, const LinkTimings& timings)
{
    LinkTransportFactory factory;
    {
        QMutexLocker locker(&mutex);
        factory = installed;
    }
    if (factory)
        return factory(settings, timings);
    if (settings.useUdp)
        return std::make_unique<UdpTransport>();
    return std::make_unique<SerialTransport>(timings.rtsPulseMs);
}

void installLinkTransportFactory(const LinkTransportFactory* factory)
{
    QMutexLocker locker(&mutex);
    installed = factory ? *factory : LinkTransportFactory();
}
