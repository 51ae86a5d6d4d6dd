#include "setup/searchtargets.h"

#include <QMutex>
#include <QMutexLocker>
#include <QNetworkInterface>

#include <optional>

namespace {
QMutex installedMutex;
std::optional<SearchTargets> installed;
}

QList<QHostAddress> SearchTargets::interfaceBroadcasts()
{
    QList<QHostAddress> result;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            // Loopback and point-to-point links have none; a probe to the null address cannot go out.
            const QHostAddress broadcast = entry.broadcast();
            if (!broadcast.isNull() && !result.contains(broadcast))
                result.append(broadcast);
        }
    }
    return result;
}

SearchTargets SearchTargets::current()
{
    {
        QMutexLocker locker(&installedMutex);
        if (installed)
            return *installed;
    }
    SearchTargets targets;
    targets.destinations = interfaceBroadcasts();
    return targets;
}

void SearchTargets::install(const SearchTargets* targets)
{
    QMutexLocker locker(&installedMutex);
    if (targets)
        installed = *targets;
    else
        installed.reset();
}
