#include "config/configidentity.h"

namespace {
const QString DeviceName = QStringLiteral("设备名称");
const QString DeviceModel = QStringLiteral("设备型号");
const QString SerialNumber = QStringLiteral("序列号");
const QString DeviceTime = QStringLiteral("设备时间");

bool isModelName(const QString& name)
{
    return name == DeviceModel || name.compare(QLatin1String("model"), Qt::CaseInsensitive) == 0;
}

bool isSerialName(const QString& name)
{
    return name == SerialNumber || name.compare(QLatin1String("serial"), Qt::CaseInsensitive) == 0;
}
} // namespace

ConfigIdentity ConfigIdentity::of(const ConfigRows& rows)
{
    ConfigIdentity identity;
    for (const ConfigRow& row : rows) {
        identity.names.insert(row.index, row.name);
        const QString value = row.value.trimmed();
        if (row.name == DeviceName && identity.name.isEmpty())
            identity.name = value;
        else if (isModelName(row.name) && identity.model.isEmpty())
            identity.model = value;
        else if (isSerialName(row.name) && identity.serial.isEmpty())
            identity.serial = value;
    }
    return identity;
}

bool ConfigIdentity::isIdentityName(const QString& name)
{
    return name == DeviceName || isModelName(name) || isSerialName(name);
}

bool ConfigIdentity::isDeviceTime(const QString& name)
{
    return name == DeviceTime;
}

QString ConfigIdentity::label() const
{
    QStringList parts;
    if (!model.isEmpty())
        parts.append(model);
    if (!serial.isEmpty())
        parts.append(serial);
    else if (!name.isEmpty())
        parts.append(name);
    return parts.join(QLatin1Char('-'));
}

bool ConfigIdentity::sameInstrument(const ConfigIdentity& other) const
{
    if (!serial.isEmpty() && !other.serial.isEmpty())
        return serial == other.serial;
    return model == other.model && name == other.name;
}
