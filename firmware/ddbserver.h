#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

class DEncryptInfo;

// The name of the one SQLite connection through which every package is read; it is added once
// per process and reused by each reader.
extern const QString PackageConnectionName;

// Reads firmware package files (.zqbin): an SQLite file whose one INFO row holds the Base64 text
// of a field map guarded by its MD5 digest. Made on the stack for one read.
class DDbServer
{
    Q_DECLARE_TR_FUNCTIONS(DDbServer)
public:
    DDbServer();
    virtual ~DDbServer();
    DDbServer(const DDbServer&) = delete;
    DDbServer& operator=(const DDbServer&) = delete;

    // Fills info.fields from the file at info.filePath and returns an empty text, or returns why
    // the package was refused and leaves info.fields as it was.
    QString readPackage(DEncryptInfo& info);

    // The field map inside the decoded envelope bytes; false when the digest does not fit the
    // payload or the map inside it is cut short or corrupt.
    static bool openEnvelope(const QByteArray& envelope, QMap<QString, QVariant>* fields);

private:
    int countOf(const QString& sql);

    QSqlDatabase database;
};
