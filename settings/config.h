#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;
struct SettingKey;

// The settings on config.ini in the working directory, stored as UTF-8. Whoever needs a setting
// makes a Config of its own for as long as it needs it, on its own thread: there is no shared
// instance. All Configs of the process see one another's changes at once (they share Qt's cache of
// the file), and each writes the file when it goes, so a value set is never lost.
//     Config().value(Settings::SerialPort)
class Config
{
public:
    Config();
    ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    QSettings* settings() const { return store.get(); }

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
    std::unique_ptr<QSettings> store;
};

// The application name shown in the title bar and the about box: chosen by the stored language,
// with " V5.3" appended unless appname/ver is false.
QString applicationTitle();
