#include "tests/support/simfixture.h"

#include "settings/config.h"
#include "settings/settingkeys.h"

#include <QSettings>

SimFixture::SimFixture(bool withPty)
{
    ready = host.start() && host.listenUdp(QHostAddress(QHostAddress::LocalHost), 0) && (!withPty || host.openPty());
}

quint16 SimFixture::udpPort() const
{
    return sim() ? sim()->udpPort() : 0;
}

QString SimFixture::ptyPath() const
{
    return sim() ? sim()->ptyPath() : QString();
}

void SimFixture::useUdp() const
{
    Config config;
    config.setValue(Settings::UseUdp, 1);
    config.setValue(Settings::UdpAddress, QStringLiteral("127.0.0.1"));
    config.setValue(Settings::UdpPort, QString::number(udpPort()));
    config.setValue(Settings::DeviceAddress, sim() ? int(sim()->deviceAddress()) : 255);
    config.settings()->sync();
}

void SimFixture::useSerial(bool sendRts) const
{
    Config config;
    config.setValue(Settings::UseUdp, 0);
    config.setValue(Settings::SerialPort, ptyPath());
    config.setValue(Settings::SerialBaudRate, 9600);
    config.setValue(Settings::SerialDataBits, 8);
    config.setValue(Settings::SerialParity, 0);
    config.setValue(Settings::SerialStopBits, 1);
    config.setValue(Settings::SerialSendRts, sendRts);
    config.setValue(Settings::DeviceAddress, sim() ? int(sim()->deviceAddress()) : 255);
    config.settings()->sync();
}

LinkSettings SimFixture::udpSettings() const
{
    LinkSettings link;
    link.useUdp = true;
    link.udpAddress = QStringLiteral("127.0.0.1");
    link.udpPort = QString::number(udpPort());
    link.deviceAddress = sim() ? int(sim()->deviceAddress()) : 255;
    return link;
}

LinkSettings SimFixture::serialSettings(bool sendRts) const
{
    LinkSettings link;
    link.serialPort = ptyPath();
    link.sendRts = sendRts;
    link.deviceAddress = sim() ? int(sim()->deviceAddress()) : 255;
    return link;
}
