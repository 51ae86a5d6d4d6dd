#include "app/settings/config.h"

#include "app/settings/singleton.h"

#include <QSettings>
#include <QTextCodec>

Config::Access::Access(Config& config) : config(config)
{
    config.mutex.lock();
}

Config::Access::~Access()
{
    config.mutex.unlock();
}

QSettings* Config::Access::operator->() const
{
    return config.store;
}

QSettings& Config::Access::operator*() const
{
    return *config.store;
}

Config::Config() : store(new QSettings(QStringLiteral("config.ini"), QSettings::IniFormat))
{
    store->setIniCodec(QTextCodec::codecForName("utf-8"));
}

Config::~Config()
{
    QMutexLocker locker(&mutex);
    delete store;
}

Config::Access Config::settings()
{
    return Access(*this);
}

QVariant Config::value(const QString& key, const QVariant& defaultValue)
{
    return settings()->value(key, defaultValue);
}

void Config::setValue(const QString& key, const QVariant& value)
{
    settings()->setValue(key, value);
}

QString applicationTitle()
{
    Config* config = singleton<Config>::instance();
    const QString language = config->value(QStringLiteral("language/language")).toString();
    QString name;
    if (language == QLatin1String("en_US"))
        name = config->value(QStringLiteral("appname/us"), QStringLiteral("ZU Vuvoriraz")).toString();
    else if (language == QLatin1String("zh_TW"))
        name = config->value(QStringLiteral("appname/tw"), QStringLiteral("ZEve")).toString();
    else
        name = config->value(QStringLiteral("appname/ch"), QStringLiteral("ZEve")).toString();
    if (config->value(QStringLiteral("appname/ver"), true).toBool())
        name += QStringLiteral(" V5.3");
    return name;
}
