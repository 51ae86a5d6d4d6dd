#include "setup/devicesearch.h"

#include "link/devicetext.h"
#include "link/hostaddress.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>

SearchOutcome searchDevices(const SearchTargets& targets, const StopToken& stop,
                            const std::function<void(const FoundDevice&)>& found)
{
    // Unbound: the first probe binds it to a port of the system's choosing, where the answers arrive.
    QUdpSocket socket;
    const QByteArray request = searchProbe();
    SearchOutcome outcome;
    int probesSent = 0;
    for (const QHostAddress& destination : targets.destinations) {
        if (stop.stopRequested())
            break;
        if (socket.writeDatagram(request, destination, targets.probePort) < request.size())
            continue;
        ++probesSent;
        // Answers are not matched to probes: each carries its sender.
        QElapsedTimer window;
        window.start();
        while (!stop.stopRequested() && window.elapsed() < targets.replyWindowMs) {
            if (!socket.hasPendingDatagrams()) {
                QThread::msleep(20);
                continue;
            }
            const QNetworkDatagram answer = socket.receiveDatagram();
            if (answer.data().isEmpty())
                continue;
            ++outcome.answers;
            // The unbound socket is dual-stack: IPv4 senders arrive in their mapped form.
            found(FoundDevice{decodeDeviceText(answer.data()).trimmed(), plainAddress(answer.senderAddress()),
                              quint16(answer.senderPort())});
        }
    }
    outcome.failure = outcome.answers > 0 ? SearchFailure::None
        : stop.stopRequested()            ? SearchFailure::Stopped
        : probesSent == 0                 ? SearchFailure::NotSent
                                          : SearchFailure::NoAnswer;
    return outcome;
}
