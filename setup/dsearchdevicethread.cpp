#include "setup/dsearchdevicethread.h"

#include "link/devicetext.h"
#include "link/hostaddress.h"
#include "setup/searchtargets.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

DSearchDeviceThread::DSearchDeviceThread(SearchDeviceDialogInterf* owner) : dialogInterf(owner) {}

DSearchDeviceThread::~DSearchDeviceThread()
{
    stopAndWait();
}

void DSearchDeviceThread::run()
{
    // Unbound: the first probe binds it to a port of the system's choosing, where the answers arrive.
    QUdpSocket socket;
    emit signalSetEnableButtons(false);

    const SearchTargets targets = SearchTargets::current();
    const QByteArray request = probe();
    answerCount = 0;
    int probesSent = 0;
    for (const QHostAddress& destination : targets.destinations) {
        if (stopRequested())
            break;
        if (socket.writeDatagram(request, destination, targets.probePort) < request.size())
            continue;
        ++probesSent;
        // Answers are not matched to probes: each carries its sender. The window is fixed from the
        // probe on, so that answers that keep coming (a flooding host) cannot keep the search going.
        QElapsedTimer window;
        window.start();
        while (!stopRequested() && window.elapsed() < targets.replyWindowMs) {
            if (!socket.hasPendingDatagrams()) {
                msleep(20);
                continue;
            }
            const QNetworkDatagram answer = socket.receiveDatagram();
            // The unbound socket is dual-stack: IPv4 senders arrive in their mapped form.
            if (!answer.data().isEmpty()) {
                ++answerCount;
                emit signalInsertDevice(decodeDeviceText(answer.data()).trimmed(), plainAddress(answer.senderAddress()),
                                        quint16(answer.senderPort()));
            }
        }
    }

    failureCode = answerCount > 0   ? SearchFailure::None
                  : stopRequested() ? SearchFailure::Stopped
                  : probesSent == 0 ? SearchFailure::NotSent
                                    : SearchFailure::NoAnswer;
    emit signalSetEnableButtons(true);
}
