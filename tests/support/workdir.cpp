#include "tests/support/workdir.h"

#include "settings/config.h"

#include <QDir>
#include <QFile>
#include <QSettings>

WorkDir::WorkDir() : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

WorkDir::~WorkDir()
{
    QDir::setCurrent(previous);
}

QString WorkDir::path() const
{
    return dir.path();
}

QString WorkDir::filePath(const QString& name) const
{
    return dir.filePath(name);
}

void WorkDir::writeConfig(const QMap<QString, QVariant>& values)
{
    Config config;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        config.setValue(it.key(), it.value());
    config.settings()->sync();
}

void WorkDir::writeFile(const QString& name, const QByteArray& contents)
{
    QFile file(filePath(name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(contents);
}

QByteArray WorkDir::readFile(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WorkDir::copyTranslations()
{
    for (const char* code : {"en_US", "zh_CH", "zh_TW"}) {
        const QString name = QString::fromLatin1(code) + QStringLiteral(".qm");
        QFile::remove(filePath(name));
        QFile::copy(QStringLiteral(ZQ_BIN_DIR "/") + name, filePath(name));
    }
}
