#pragma once

#include <QHash>
#include <QString>

// How to reach the instrument: the serial line or the UDP peer, and its device address. The link is
// opened from such a value; the settings dialog loads one, changes it and saves it whole.
struct LinkSettings
{
    bool useUdp = false;
    QString serialPort;
    int baudRate = 9600;
    int dataBits = 8;
    int parity = 0; // QSerialPort::Parity: 0 none, 2 even, 3 odd, 4 space, 5 mark
    int stopBits = 1; // QSerialPort::StopBits: 1 one, 3 one and a half, 2 two
    bool sendRts = false;
    bool sendDtr = false;
    QString udpAddress;
    QString udpPort; // kept as the operator typed it
    int deviceAddress = 255;
    // The stored text of each numeric setting that is no number ("abc"), by key, so that a
    // refusal names what the file holds rather than the 0 it reads as.
    QHash<QString, QString> unreadable;
    // The stored text of each numeric setting whose number lies beyond what the field holds
    // ("4294967297" for the address), by key: refused as out of range, never wrapped.
    QHash<QString, QString> beyondRange;

    // What is wrong with a setting, naming its key and its value; kind None when nothing is.
    struct Problem
    {
        enum Kind { None, Missing, NotANumber, OutOfRange, NotAHost };
        Kind kind = None;
        QString key; // "udp/port"
        QString value; // as stored or typed
        bool ok() const { return kind == None; }
    };
    enum class Check {
        Complete, // everything the chosen transport needs is there and valid (a dialog, a command line)
        Stored // only the values that are set must fit; a missing address or port is left to the link
    };
    // The first setting that cannot be used as it stands: the device address 1..255 and, for the
    // chosen transport, the UDP host and port 1..65535, or the baud rate, data bits, parity and stop
    // bits from the values the line takes. Nothing is wrapped into range.
    Problem validate(Check check = Check::Complete) const;

    // From config.ini, each missing key at its default.
    static LinkSettings load();
    // Every setting that differs from what load() reads now, at once under one hold of the store;
    // the others stay in the file exactly as they are.
    void save() const;
};
