#pragma once
// Test-only peers for the configuration tests, each on its own thread: the window's UDP waits
// block the user-interface thread, so whatever answers must not live there.

#include "app/settings/config.h"
#include "app/settings/singleton.h"
#include "link/frames.h"
#include "sim/instrumentsimulator.h"

#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkDatagram>
#include <QSettings>
#include <QThread>
#include <QUdpSocket>
#include <functional>

// Which transport a test runs over.
enum class Transport { Udp, Pty };
Q_DECLARE_METATYPE(Transport)

// Points config.ini at a peer: UDP on loopback or the pseudo-terminal's path.
inline void useLink(Transport transport, quint16 udpPort, const QString& ptyPath, int deviceAddress = 255)
{
    Config* config = singleton<Config>::instance();
    config->setValue("device/address", deviceAddress);
    if (transport == Transport::Udp) {
        config->setValue("communicate/udp", 1);
        config->setValue("udp/address", "127.0.0.1");
        config->setValue("udp/port", QString::number(udpPort));
    } else {
        config->setValue("communicate/udp", 0);
        config->setValue("serial/port", ptyPath);
        config->setValue("serial/baudrate", 115200);
    }
}

// The instrument simulator on a thread of its own.
class SimulatorThread
{
public:
    explicit SimulatorThread(Transport transport, const QStringList& items = QStringList(), int deviceAddress = 255)
    {
        thread.start();
        sim = new InstrumentSimulator;
        sim->moveToThread(&thread);
        bool ok = false;
        QMetaObject::invokeMethod(
            sim,
            [&] {
                sim->setDeviceAddress(quint8(deviceAddress));
                if (!items.isEmpty())
                    sim->setItems(items);
                ok = transport == Transport::Udp ? sim->listenUdp(QHostAddress::LocalHost) : sim->openPty();
            },
            Qt::BlockingQueuedConnection);
        started = ok;
        useLink(transport, sim->udpPort(), sim->ptyPath(), deviceAddress);
    }
    ~SimulatorThread()
    {
        // Deleted in its own thread, when the thread finishes.
        sim->deleteLater();
        thread.quit();
        thread.wait();
    }
    SimulatorThread(const SimulatorThread&) = delete;
    SimulatorThread& operator=(const SimulatorThread&) = delete;

    void setItems(const QStringList& items)
    {
        QMetaObject::invokeMethod(sim, [&] { sim->setItems(items); }, Qt::BlockingQueuedConnection);
    }
    QStringList items() const { return sim->items(); }
    InstrumentSimulator* operator->() const { return sim; }
    InstrumentSimulator* get() const { return sim; }

    bool started = false;

private:
    QThread thread;
    InstrumentSimulator* sim;
};

// A UDP peer that answers every request with what `answer` makes of it: for replies the
// simulator would not give, such as a well-formed refusal.
class CannedPeer
{
public:
    using Answer = std::function<QByteArray(const QByteArray& request)>;

    explicit CannedPeer(Answer answer, int deviceAddress = 255) : answer(std::move(answer))
    {
        thread.start();
        socket = new QUdpSocket;
        socket->moveToThread(&thread);
        QMetaObject::invokeMethod(
            socket,
            [this] {
                socket->bind(QHostAddress(QHostAddress::LocalHost), 0);
                QObject::connect(socket, &QUdpSocket::readyRead, socket, [this] { serve(); });
            },
            Qt::BlockingQueuedConnection);
        useLink(Transport::Udp, socket->localPort(), QString(), deviceAddress);
    }
    ~CannedPeer()
    {
        socket->deleteLater();
        thread.quit();
        thread.wait();
    }

    QList<QByteArray> requests() const
    {
        QMutexLocker lock(&mutex);
        return received;
    }

    // An address-led data reply holding text.
    static QByteArray dataReply(const QByteArray& text, quint8 address = 0xFF)
    {
        QByteArray frame;
        frame.append(char(address)).append(char(0x03)).append(char(text.size())).append(text);
        const quint16 crc = crc16(frame);
        frame.append(char(crc & 0xFF)).append(char(crc >> 8));
        return frame;
    }

private:
    void serve()
    {
        while (socket->hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket->receiveDatagram();
            {
                QMutexLocker lock(&mutex);
                received.append(datagram.data());
            }
            const QByteArray reply = answer(datagram.data());
            if (!reply.isEmpty())
                socket->writeDatagram(reply, datagram.senderAddress(), quint16(datagram.senderPort()));
        }
    }

    Answer answer;
    QThread thread;
    QUdpSocket* socket;
    mutable QMutex mutex;
    QList<QByteArray> received;
};
