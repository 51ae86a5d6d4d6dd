#pragma once

#include <QRecursiveMutex>
#include <QString>
#include <QVariant>

class QSettings;
struct SettingKey;

// The settings store: the one QSettings object on config.ini in the working directory, stored as UTF-8.
// Worker threads read it while the user-interface thread writes it, so every access goes through a
// guard that holds the store's mutex for the length of one expression:
//     singleton<Config>::instance()->settings()->value("serial/port")
class Config
{
public:
    class Access
    {
    public:
        explicit Access(Config& config);
        ~Access();
        Access(const Access&) = delete;
        Access& operator=(const Access&) = delete;
        QSettings* operator->() const;
        QSettings& operator*() const;

    private:
        Config& config;
    };

    Config();
    virtual ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    Access settings();

    // Shorthands that take the guard themselves. setValue leaves the file alone when the key
    // already holds the same text.
    QVariant value(const QString& key, const QVariant& defaultValue = QVariant());
    void setValue(const QString& key, const QVariant& value);
    // A declared key, at its default when the file lacks it.
    QVariant value(const SettingKey& key);
    void setValue(const SettingKey& key, const QVariant& value);
    // An integer setting read as 64 bits: a number outside low..high, or no number, is refused and
    // the key's default taken, never wrapped into range (4294967297 is not 1).
    qint64 integer(const SettingKey& key, qint64 low, qint64 high);
    // The same, but a number outside low..high is held to the nearer end (a window "as large as
    // can be" is as large as the screen); only a value that is no number takes the default.
    qint64 heldInteger(const SettingKey& key, qint64 low, qint64 high);

private:
    QRecursiveMutex mutex;
    QSettings* store;
};

// The application name shown in the title bar and the about box: chosen by the stored language,
// with " V5.3" appended unless appname/ver is false.
QString applicationTitle();
