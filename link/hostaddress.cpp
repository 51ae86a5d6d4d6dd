#include "link/hostaddress.h"

#include <algorithm>

QHostAddress plainAddress(const QHostAddress& address)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4) : address;
}

bool isSameHost(const QHostAddress& a, const QHostAddress& b)
{
    if (a.isNull() || b.isNull())
        return false;
    // QHostAddress compares the mapped and the plain form of IPv4 as equal, but keeps the scope id
    // of IPv6 in the comparison; a link-local instrument answers without one.
    const QHostAddress plainA = plainAddress(a);
    const QHostAddress plainB = plainAddress(b);
    if (plainA.protocol() != plainB.protocol())
        return false;
    if (plainA.protocol() == QAbstractSocket::IPv4Protocol)
        return plainA.toIPv4Address() == plainB.toIPv4Address();
    const Q_IPV6ADDR v6a = plainA.toIPv6Address();
    const Q_IPV6ADDR v6b = plainB.toIPv6Address();
    return std::equal(v6a.c, v6a.c + 16, v6b.c);
}
