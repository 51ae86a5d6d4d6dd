#pragma once

#include <QHostAddress>

// A dual-stack socket reports an IPv4 host as ::ffff:a.b.c.d. The instrument is the same either way,
// and the operator and config.ini know it by its dotted form: this is that form, any other address
// unchanged.
QHostAddress plainAddress(const QHostAddress& address);

// Whether two addresses name the same host, the mapped and the dotted form of IPv4 alike.
bool isSameHost(const QHostAddress& a, const QHostAddress& b);
