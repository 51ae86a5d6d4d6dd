#include "sim/simulatorhost.h"

#include "sim/instrumentsimulator.h"

#include <QMetaObject>
#include <QThread>

SimulatorHost::SimulatorHost() = default;

SimulatorHost::~SimulatorHost()
{
    stop();
}

bool SimulatorHost::start()
{
    if (sim)
        return true;
    thread = new QThread;
    thread->setObjectName(QStringLiteral("instrument simulator"));
    anchor = new QObject;
    anchor->moveToThread(thread);
    thread->start();
    run([this] { sim = new InstrumentSimulator; });
    return sim != nullptr;
}

void SimulatorHost::stop()
{
    if (!thread)
        return;
    // The simulator's sockets and timers belong to its thread: they go there, before it ends.
    run([this] {
        delete sim;
        sim = nullptr;
    });
    thread->quit();
    thread->wait();
    delete anchor;
    anchor = nullptr;
    delete thread;
    thread = nullptr;
}

void SimulatorHost::run(const std::function<void()>& job)
{
    if (!thread)
        return;
    if (QThread::currentThread() == thread) {
        job();
        return;
    }
    QMetaObject::invokeMethod(anchor, job, Qt::BlockingQueuedConnection);
}

bool SimulatorHost::listenUdp(const QHostAddress& address, quint16 port)
{
    bool ok = false;
    run([&] { ok = sim && sim->listenUdp(address, port); });
    return ok;
}

bool SimulatorHost::openPty(const QString& linkPath)
{
    bool ok = false;
    run([&] { ok = sim && sim->openPty(linkPath); });
    return ok;
}

bool SimulatorHost::listenProbe(const QHostAddress& address, quint16 port, const QString& displayName)
{
    bool ok = false;
    run([&] { ok = sim && sim->listenProbe(address, port, displayName); });
    return ok;
}
