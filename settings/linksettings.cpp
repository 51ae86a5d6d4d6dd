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
    // Compared as load() reads them, so a setting the operator left alone is not written, even
    // when the file holds it in another spelling ("abc" for the address) or not at all.
    const LinkSettings stored = load();
    auto settings = singleton<Config>::instance()->settings();
    auto store = [&settings](const SettingKey& key, const QVariant& value, bool changed) {
        if (changed)
            settings->setValue(key.path, value);
    };
    store(Settings::UseUdp, useUdp ? 1 : 0, useUdp != stored.useUdp);
    store(Settings::SerialPort, serialPort, serialPort != stored.serialPort);
    store(Settings::SerialBaudRate, baudRate, baudRate != stored.baudRate);
    store(Settings::SerialDataBits, dataBits, dataBits != stored.dataBits);
    store(Settings::SerialParity, parity, parity != stored.parity);
    store(Settings::SerialStopBits, stopBits, stopBits != stored.stopBits);
    store(Settings::SerialSendRts, sendRts, sendRts != stored.sendRts);
    store(Settings::SerialSendDtr, sendDtr, sendDtr != stored.sendDtr);
    store(Settings::UdpAddress, udpAddress, udpAddress != stored.udpAddress);
    store(Settings::UdpPort, udpPort, udpPort != stored.udpPort);
    store(Settings::DeviceAddress, deviceAddress, deviceAddress != stored.deviceAddress);
}
