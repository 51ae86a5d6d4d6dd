#pragma once

#include <QString>

// How to reach the instrument: the serial line or the UDP peer, and its device address. The link is
// opened from such a value; the settings dialog loads one, changes it and saves it whole.
struct LinkSettings
{
    bool useUdp = false;
    QString serialPort;
    int baudRate = 9600;
    int dataBits = 8;
    int parity = 0;   // QSerialPort::Parity: 0 none, 2 even, 3 odd, 4 space, 5 mark
    int stopBits = 1; // QSerialPort::StopBits: 1 one, 3 one and a half, 2 two
    bool sendRts = false;
    bool sendDtr = false;
    QString udpAddress;
    QString udpPort; // kept as the operator typed it
    int deviceAddress = 255;

    // From config.ini, each missing key at its default.
    static LinkSettings load();
    // Every setting that differs from what load() reads now, at once under one hold of the store;
    // the others stay in the file exactly as they are.
    void save() const;
};
