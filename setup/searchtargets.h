#pragma once

#include <QHostAddress>
#include <QList>

// Where the device search sends its probe and how long it listens for answers. By default the
// broadcast address of every IPv4 network of this machine, port 1500, 3000 ms; tests install their
// own (loopback or namespace addresses, a free port, a short window) so nothing leaves the machine.
struct SearchTargets
{
    QList<QHostAddress> destinations;
    quint16 probePort = 1500;
    int replyWindowMs = 3000;

    // Every distinct IPv4 broadcast address of the machine's interfaces, in the order found.
    static QList<QHostAddress> interfaceBroadcasts();

    // The targets of the next search: the installed ones, else the interfaces' broadcasts.
    static SearchTargets current();
    // Copies targets for every later search; nullptr goes back to the interfaces' broadcasts.
    static void install(const SearchTargets* targets);
};
