#include "settings/linksettings.h"

#include "settings/config.h"
#include "settings/settingkeys.h"

#include <algorithm>
#include <limits>

#include <QHostAddress>
#include <QSettings>

namespace {

// An integer setting as load() reads it, as 64 bits: a stored text that is no number is
// remembered, and so is a number that an int cannot hold (it would wrap: 4294967297 to 1).
int readInt(Config& config, const SettingKey& key, LinkSettings* link)
{
    const QVariant value = config.value(key);
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok && value.isValid() && !value.toString().isEmpty())
        link->unreadable.insert(key.path, value.toString());
    if (ok && (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())) {
        link->beyondRange.insert(key.path, value.toString());
        return 0;
    }
    return ok ? int(number) : 0;
}

bool isOneOf(int value, std::initializer_list<int> allowed)
{
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// The highest rate a serial line is asked for; anything above is a typing error.
constexpr int MaxBaudRate = 4000000;

} // namespace

LinkSettings::Problem LinkSettings::validate(Check check) const
{
    const auto problem = [](Problem::Kind kind, const SettingKey& key, const QString& value) {
        return Problem{kind, key.path, value};
    };
    const auto number = [this, &problem](const SettingKey& key, int value, bool fits) -> Problem {
        if (unreadable.contains(key.path))
            return problem(Problem::NotANumber, key, unreadable.value(key.path));
        if (beyondRange.contains(key.path))
            return problem(Problem::OutOfRange, key, beyondRange.value(key.path));
        return fits ? Problem() : problem(Problem::OutOfRange, key, QString::number(value));
    };

    if (Problem address = number(Settings::DeviceAddress, deviceAddress, deviceAddress >= 1 && deviceAddress <= 255);
        !address.ok())
        return address;

    if (useUdp) {
        if (udpAddress.isEmpty()) {
            if (check == Check::Complete)
                return problem(Problem::Missing, Settings::UdpAddress, udpAddress);
        } else if (check == Check::Complete && QHostAddress(udpAddress).isNull()) {
            return problem(Problem::NotAHost, Settings::UdpAddress, udpAddress);
        }
        if (udpPort.isEmpty())
            return check == Check::Complete ? problem(Problem::Missing, Settings::UdpPort, udpPort) : Problem();
        // Digits only: "+80" and " 80" are refused as the operator would not expect them read.
        const bool digits = std::all_of(udpPort.cbegin(), udpPort.cend(), [](QChar c) { return c.isDigit(); });
        bool parsed = false;
        const qulonglong port = udpPort.toULongLong(&parsed);
        if (!digits || !parsed)
            return problem(Problem::NotANumber, Settings::UdpPort, udpPort);
        if (port < 1 || port > 65535)
            return problem(Problem::OutOfRange, Settings::UdpPort, udpPort);
        return Problem();
    }

    if (serialPort.isEmpty() && check == Check::Complete)
        return problem(Problem::Missing, Settings::SerialPort, serialPort);
    if (Problem baud = number(Settings::SerialBaudRate, baudRate, baudRate >= 1 && baudRate <= MaxBaudRate); !baud.ok())
        return baud;
    if (Problem bits = number(Settings::SerialDataBits, dataBits, dataBits >= 5 && dataBits <= 8); !bits.ok())
        return bits;
    // QSerialPort's values: 0 none, 2 even, 3 odd, 4 space, 5 mark; 1 one, 2 two, 3 one and a half stop bits.
    if (Problem parityProblem = number(Settings::SerialParity, parity, isOneOf(parity, {0, 2, 3, 4, 5}));
        !parityProblem.ok())
        return parityProblem;
    return number(Settings::SerialStopBits, stopBits, isOneOf(stopBits, {1, 2, 3}));
}

LinkSettings LinkSettings::load()
{
    Config config;
    LinkSettings link;
    link.useUdp = config.value(Settings::UseUdp).toLongLong() != 0;
    link.serialPort = config.value(Settings::SerialPort).toString();
    link.baudRate = readInt(config, Settings::SerialBaudRate, &link);
    link.dataBits = readInt(config, Settings::SerialDataBits, &link);
    link.parity = readInt(config, Settings::SerialParity, &link);
    link.stopBits = readInt(config, Settings::SerialStopBits, &link);
    link.sendRts = config.value(Settings::SerialSendRts).toBool();
    link.sendDtr = config.value(Settings::SerialSendDtr).toBool();
    link.udpAddress = config.value(Settings::UdpAddress).toString();
    link.udpPort = config.value(Settings::UdpPort).toString();
    link.deviceAddress = readInt(config, Settings::DeviceAddress, &link);
    return link;
}

void LinkSettings::save() const
{
    // Compared as load() reads them, so a setting the operator left alone is not written, even
    // when the file holds it in another spelling ("abc" for the address) or not at all.
    const LinkSettings stored = load();
    Config config;
    QSettings* settings = config.settings();
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
