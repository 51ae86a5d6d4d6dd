#pragma once

#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class DEncryptInfo;

// The name of the one SQLite connection through which every package is read; it is added once
// per process and reused by each reader.
extern const QString PackageConnectionName;

// Why a package file was refused, in the order the checks run.
enum class PackageRead {
    Ok,
    NotAFile, // missing, a folder, or not accessible
    CannotOpen, // not an SQLite file, or SQLite cannot read it
    NoTable, // no table INFO, or not exactly one row in it
    NoContent, // the row cannot be read
    BadDigest, // the digest does not fit the payload, or the map inside is cut short or corrupt
    BadTypes // a key twice, or a known field holding a value of another type
};

// Reads firmware package files (.zqbin): an SQLite file whose one INFO row holds the Base64 text
// of a field map guarded by its MD5 digest. Made on the stack for one read.
class DDbServer
{
public:
    DDbServer();
    virtual ~DDbServer();
    DDbServer(const DDbServer&) = delete;
    DDbServer& operator=(const DDbServer&) = delete;

    // Fills info.fields from the file at info.filePath and returns Ok, or returns why the package
    // was refused and leaves info.fields as it was.
    PackageRead readPackage(DEncryptInfo& info);

    enum class Envelope {
        Opened, // *fields holds the map
        BadDigest, // the digest does not fit the payload, or the map inside is cut short or corrupt
        BadTypes // a known field holds a value of another type than the reader takes
    };
    // The field map inside the decoded envelope bytes; *fields is set only when Opened.
    static Envelope openEnvelope(const QByteArray& envelope, QMap<QString, QVariant>* fields);

private:
    // The number the query yields; 0 without a row, -1 when it cannot run.
    int countOf(const QString& sql);

    QSqlDatabase database;
};
