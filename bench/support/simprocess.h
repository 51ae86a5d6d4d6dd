#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

// The simulated instrument in a process of its own, at the priority it is given by the system,
// so that it neither slows down with the code it serves (as a real instrument would not) nor
// shares its event loop with a floor:
//     SimProcess sim;
//     sim.start({"--pty", "--debug-rate", "10000"});  // UDP on 127.0.0.1, a free port
//     sim.udpPort(); sim.ptyPath();
class SimProcess
{
public:
    SimProcess();
    ~SimProcess();

    // Starts zq-simulator (beside this program) listening for UDP on loopback with a port of the
    // system's choice, no search probe, plus the given options; false when it did not say where
    // it listens within a few seconds.
    bool start(const QStringList& options = QStringList());
    void stop();

    quint16 udpPort() const { return port; }
    QString ptyPath() const { return pty; }
    // The download page's address, with --http.
    QString pageUrl() const { return page; }
    QString errorText() const { return error; }

private:
    std::unique_ptr<QProcess> process;
    quint16 port = 0;
    QString pty;
    QString page;
    QString error;
};
