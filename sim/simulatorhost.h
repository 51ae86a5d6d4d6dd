#pragma once

#include <QHostAddress>
#include <QString>

#include <functional>

class InstrumentSimulator;
class QObject;
class QThread;

// Runs an InstrumentSimulator on a thread of its own, so that the code under test may block its
// thread (a UDP exchange does) while the instrument answers. Every call returns when it is done:
//     SimulatorHost host;
//     host.start();                          // thread running, simulator holding the sample items
//     host.listenUdp(QHostAddress::LocalHost); // a free port: host.simulator()->udpPort()
//     host.openPty();                        // slave path: host.simulator()->ptyPath()
//     host.simulator()->addFault({InstrumentSimulator::NoReply});
//     host.stop();                           // or let the destructor do it
// The simulator's getters and setters may be called from the test's thread directly.
class SimulatorHost
{
public:
    SimulatorHost();
    ~SimulatorHost();
    SimulatorHost(const SimulatorHost&) = delete;
    SimulatorHost& operator=(const SimulatorHost&) = delete;

    bool start();
    void stop();
    bool isRunning() const { return sim != nullptr; }
    InstrumentSimulator* simulator() const { return sim; }

    // These run in the simulator's thread; false when it is not running or the call failed
    // (simulator()->errorString() says why).
    bool listenUdp(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost), quint16 port = 0);
    bool openPty(const QString& linkPath = QString());
    bool listenProbe(const QHostAddress& address, quint16 port, const QString& displayName);

    // Runs job in the simulator's thread and waits for it.
    void run(const std::function<void()>& job);

private:
    QThread* thread = nullptr;
    QObject* anchor = nullptr; // lives in the thread; jobs are queued to it
    InstrumentSimulator* sim = nullptr;
};
