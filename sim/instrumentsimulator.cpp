// Placeholder bodies; the device-link work replaces them.
#include "sim/instrumentsimulator.h"

InstrumentSimulator::InstrumentSimulator(QObject* parent) : QObject(parent) {}
InstrumentSimulator::~InstrumentSimulator() = default;
void InstrumentSimulator::setDeviceAddress(quint8) {}
quint8 InstrumentSimulator::deviceAddress() const { return 0xFF; }
bool InstrumentSimulator::loadItems(const QString&, QString*) { return false; }
void InstrumentSimulator::setItems(const QStringList&) {}
QStringList InstrumentSimulator::items() const { return {}; }
bool InstrumentSimulator::listenUdp(const QHostAddress&, quint16) { return false; }
quint16 InstrumentSimulator::udpPort() const { return 0; }
bool InstrumentSimulator::openPty(const QString&) { return false; }
QString InstrumentSimulator::ptyPath() const { return {}; }
bool InstrumentSimulator::listenProbe(const QHostAddress&, quint16, const QString&) { return false; }
void InstrumentSimulator::addFault(const Fault&) {}
void InstrumentSimulator::clearFaults() {}
QDateTime InstrumentSimulator::clock() const { return {}; }
QByteArray InstrumentSimulator::receivedImage() const { return {}; }
bool InstrumentSimulator::debugOutput() const { return false; }
int InstrumentSimulator::requestCount() const { return 0; }
