// Time per ReadItem exchange through LinkChannel, over UDP on loopback and over a pseudo-terminal,
// against the simulator in a process of its own. The floor is a bare socket (or the bare pty
// slave) talking to the same simulator, one send, one poll, one receive. Each round runs the floor
// and the channel one after the other (their order alternating), each for about a second; the
// ratio is taken per round. Usage: bench_link [--loaded] [--rounds N]
// bench_link --probe udp|pty|bare-udp|bare-pty N makes only N exchanges of one path, for counting
// their system calls: scripts/syscalls.sh runs it under strace.
#include "bench/support/bareclients.h"
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"
#include "settings/linksettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr quint8 Address = 0xFF;
constexpr int ItemsCycled = 20;

LinkSettings settingsFor(const SimProcess& sim, bool udp)
{
    LinkSettings settings;
    settings.useUdp = udp;
    settings.udpAddress = QStringLiteral("127.0.0.1");
    settings.udpPort = QString::number(sim.udpPort());
    settings.serialPort = sim.ptyPath();
    settings.deviceAddress = Address;
    return settings;
}

// Microseconds for count exchanges through a fresh channel; -1 when one failed.
double channelRound(const LinkSettings& settings, int count)
{
    LinkChannel channel;
    if (!channel.open(settings)) {
        std::fprintf(stderr, "open failed: %s\n", qPrintable(linkOpenFailureText(channel.openFailure())));
        return -1;
    }
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i)
        if (channel.readItem(i % ItemsCycled, reply, 3000) != ExchangeOk
            || !isCompleteReply(reply, Address, CrcOrder::LowFirst)) {
            std::fprintf(stderr, "channel exchange %d failed\n", i);
            return -1;
        }
    return clock.nsecsElapsed() / 1e3;
}

template <typename Bare> double bareRound(Bare& bare, int count)
{
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i)
        if (!bare.exchange(buildReadItemRequest(Address, i % ItemsCycled), &reply, Address, CrcOrder::LowFirst, 3000)) {
            std::fprintf(stderr, "bare exchange %d failed\n", i);
            return -1;
        }
    return clock.nsecsElapsed() / 1e3;
}

// How many exchanges the floor makes in a second: every round does this many on both paths.
int exchangesPerRound(const std::function<double(int)>& floor)
{
    int count = 100;
    while (count < 1000000) {
        const double us = floor(count);
        if (us < 0)
            return 0;
        if (us >= 1e6)
            break;
        count = int(count * qBound(1.2, 1.1e6 / qMax(us, 1.0), 10.0));
    }
    return count;
}

void measure(const char* name, const BenchOptions& options, const std::function<double(int)>& floor,
             const std::function<double(int)>& channel)
{
    const int count = exchangesPerRound(floor);
    if (count == 0)
        return;
    RoundFigures figures;
    for (int round = 0; round < options.rounds; ++round) {
        double bareUs = 0;
        double channelUs = 0;
        if (round % 2 == 0) {
            bareUs = floor(count);
            channelUs = channel(count);
        } else {
            channelUs = channel(count);
            bareUs = floor(count);
        }
        if (bareUs <= 0 || channelUs <= 0)
            return;
        figures.add(channelUs / count, bareUs / count);
    }
    std::printf("%s: %d exchanges a round; channel %.1f us, floor %.1f us an exchange (medians)\n", name, count,
                figures.medianMeasured(), figures.medianFloor());
    printRatioSummary(QStringLiteral("link %1 exchange").arg(QLatin1String(name)), figures, QStringLiteral("us"));
}

// N exchanges of one path and nothing else; 0 when they all went through.
int probe(const SimProcess& sim, const QString& path, int count)
{
    double us = -1;
    if (path == QLatin1String("udp") || path == QLatin1String("pty")) {
        us = channelRound(settingsFor(sim, path == QLatin1String("udp")), count);
    } else if (path == QLatin1String("bare-udp")) {
        BareUdp udp;
        us = udp.open(sim.udpPort()) ? bareRound(udp, count) : -1;
    } else if (path == QLatin1String("bare-pty")) {
        BarePty pty;
        us = pty.open(sim.ptyPath()) ? bareRound(pty, count) : -1;
    }
    std::printf("%s: %d exchanges, %.1f us each\n", qPrintable(path), count, us / count);
    return us < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 7);
    SimProcess sim;
    if (!sim.start({QStringLiteral("--pty")})) {
        std::fprintf(stderr, "%s\n", qPrintable(sim.errorText()));
        return 1;
    }
    if (options.rest.size() == 3 && options.rest.first() == QLatin1String("--probe"))
        return probe(sim, options.rest.at(1), qMax(1, options.rest.at(2).toInt()));
    const BusyLoops load(options.loaded);
    printHeading("bench_link: ReadItem exchanges with the simulator process", options);

    BareUdp udp;
    if (!udp.open(sim.udpPort()))
        return 1;
    const LinkSettings overUdp = settingsFor(sim, true);
    measure(
        "UDP", options, [&](int count) { return bareRound(udp, count); },
        [&](int count) { return channelRound(overUdp, count); });

    // The slave is opened anew for each floor round, as the channel opens it for each of its own.
    const LinkSettings overPty = settingsFor(sim, false);
    measure(
        "pty", options,
        [&](int count) {
            BarePty pty;
            return pty.open(sim.ptyPath()) ? bareRound(pty, count) : -1.0;
        },
        [&](int count) { return channelRound(overPty, count); });
    return 0;
}
