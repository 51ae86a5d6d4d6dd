#include "settings/linksettings.h"

#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"

#include <QSettings>

LinkSettings LinkSettings::load()
{
    Config* config = singleton<Config>::instance();
    LinkSettings link;
    link.useUdp = config->value(Settings::UseUdp).toInt() != 0;
    link.serialPort = config->value(Settings::SerialPort).toString();
    link.baudRate = config->value(Settings::SerialBaudRate).toInt();
    link.dataBits = config->value(Settings::SerialDataBits).toInt();
    link.parity = config->value(Settings::SerialParity).toInt();
    link.stopBits = config->value(Settings::SerialStopBits).toInt();
    link.sendRts = config->value(Settings::SerialSendRts).toBool();
    link.sendDtr = config->value(Settings::SerialSendDtr).toBool();
    link.udpAddress = config->value(Settings::UdpAddress).toString();
    link.udpPort = config->value(Settings::UdpPort).toString();
    link.deviceAddress = config->value(Settings::DeviceAddress).toInt();
    return link;
}

void LinkSettings::save() const
{
    auto settings = singleton<Config>::instance()->settings();
    settings->setValue(Settings::UseUdp.path, useUdp ? 1 : 0);
    settings->setValue(Settings::SerialPort.path, serialPort);
    settings->setValue(Settings::SerialBaudRate.path, baudRate);
    settings->setValue(Settings::SerialDataBits.path, dataBits);
    settings->setValue(Settings::SerialParity.path, parity);
    settings->setValue(Settings::SerialStopBits.path, stopBits);
    settings->setValue(Settings::SerialSendRts.path, sendRts);
    settings->setValue(Settings::SerialSendDtr.path, sendDtr);
    settings->setValue(Settings::UdpAddress.path, udpAddress);
    settings->setValue(Settings::UdpPort.path, udpPort);
    settings->setValue(Settings::DeviceAddress.path, deviceAddress);
}
