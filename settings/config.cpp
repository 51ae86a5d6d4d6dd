#include "settings/config.h"

#include "settings/settingkeys.h"

#include <QSettings>
#include <QTextCodec>

Config::Config() : store(std::make_unique<QSettings>(QStringLiteral("config.ini"), QSettings::IniFormat))
{
    store->setIniCodec(QTextCodec::codecForName("utf-8"));
    // QSettings reads a section only when a key is first looked up, and finds it by name order: a
    // section such as [udp/4] sorts between [udp] and udp/address and hides the keys of [udp] until
    // the file is rewritten. Reading every key once reads every section.
    store->allKeys();
}

// QSettings writes the file as it goes.
Config::~Config() = default;

QVariant Config::value(const QString& key, const QVariant& defaultValue)
{
    return store->value(key, defaultValue);
}

void Config::setValue(const QString& key, const QVariant& value)
{
    // QSettings rewrites the whole file for any write, even of an equal value: that would drop the
    // operator's comment lines and mangle bytes that are not UTF-8 on a start that changed nothing.
    if (store->contains(key) && store->value(key).toString() == value.toString() && value.canConvert<QString>()
        && value.type() != QVariant::StringList)
        return;
    store->setValue(key, value);
}

QVariant Config::value(const SettingKey& key)
{
    return value(key.path, key.fallback);
}

void Config::setValue(const SettingKey& key, const QVariant& value)
{
    setValue(key.path, value);
}

qint64 Config::integer(const SettingKey& key, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 number = value(key).toLongLong(&ok);
    return ok && number >= low && number <= high ? number : key.fallback.toLongLong();
}

qint64 Config::heldInteger(const SettingKey& key, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 number = value(key).toLongLong(&ok);
    return ok ? qBound(low, number, high) : key.fallback.toLongLong();
}

QString applicationTitle()
{
    Config config;
    const QString language = config.value(Settings::Language).toString();
    QString name;
    if (language == QLatin1String("en_US"))
        name = config.value(Settings::AppNameEnglish).toString();
    else if (language == QLatin1String("zh_TW"))
        name = config.value(Settings::AppNameTraditional).toString();
    else
        name = config.value(Settings::AppNameSimplified).toString();
    if (config.value(Settings::AppNameWithVersion).toBool())
        name += QStringLiteral(" V5.3");
    return name;
}
