#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A fresh working directory for one test: the assistant reads config.ini and SkipItems and finds
// its .qm files relative to the working directory, so each test gets its own and leaves no trace.
class WorkDir
{
public:
    WorkDir();
    ~WorkDir();

    QString path() const;
    QString filePath(const QString& name) const;
    // Writes config.ini with these keys (group/key) through a fresh settings instance.
    void writeConfig(const QMap<QString, QVariant>& values);
    void writeFile(const QString& name, const QByteArray& contents);
    QByteArray readFile(const QString& name) const;
    // Copies the built .qm files (en_US, zh_CH, zh_TW) into the directory.
    void copyTranslations();

private:
    QString previous;
    QTemporaryDir dir;
};
