// Placeholder bodies; the device-link work replaces them.
#include "link/linkchannel.h"

#include <QSerialPort>
#include <QUdpSocket>

LinkChannel::LinkChannel() : udpSocket(new QUdpSocket), serialPort(new QSerialPort) {}
LinkChannel::~LinkChannel()
{
    delete serialPort;
    delete udpSocket;
}
bool LinkChannel::openFromSettings() { return false; }
int LinkChannel::exchange(const QByteArray&, QByteArray&, bool, int) { return 1; }
int LinkChannel::readItem(int, QByteArray&, int) { return 1; }
void LinkChannel::receiveStream(const QByteArray&, DDataReceiver*) {}
void LinkChannel::pauseMs(int) {}
