#pragma once

#include "settings/linksettings.h"
#include "sim/instrumentsimulator.h"
#include "sim/simulatorhost.h"

#include <QString>

// The instrument for one test: a simulator on its own thread holding the sample items, listening
// for UDP on 127.0.0.1 (a free port) and on a fresh pseudo-terminal. useUdp() / useSerial() write
// the config.ini keys of the current working directory (make a WorkDir first) so that
// LinkChannel::openFromSettings reaches it:
//     WorkDir dir;
//     SimFixture instrument;
//     QVERIFY(instrument.isReady());
//     instrument.useUdp();
//     instrument.sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::ReadItem, 1, 200});
class SimFixture
{
public:
    explicit SimFixture(bool withPty = true);

    bool isReady() const { return ready; }
    InstrumentSimulator* sim() const { return host.simulator(); }
    SimulatorHost& simulatorHost() { return host; }
    quint16 udpPort() const;
    QString ptyPath() const;

    // communicate/udp = 1, udp/address = 127.0.0.1, udp/port, device/address = the simulator's.
    void useUdp() const;
    // communicate/udp = 0, serial/port = the pty's slave, 9600 8N1, serial/send_rts, device/address.
    void useSerial(bool sendRts = false) const;
    // The same links as values, for an operation that is handed its settings.
    LinkSettings udpSettings() const;
    LinkSettings serialSettings(bool sendRts = false) const;

private:
    SimulatorHost host;
    bool ready = false;
};
