#include "firmware/packagewriter.h"

#include "firmware/dencryptinfo.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace PackageWriter {

QMap<QString, QVariant> fields(const QString& device, const QString& model, const QString& version,
                               const QByteArray& image)
{
    QMap<QString, QVariant> map;
    map.insert(KeyDevice, device);
    map.insert(KeyModel, model);
    map.insert(KeyVersion, version);
    map.insert(KeyImage, image);
    return map;
}

QByteArray payload(const QMap<QString, QVariant>& fields)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << fields;
    return bytes;
}

QByteArray envelope(const QByteArray& payload, const QByteArray& digest)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << payload << digest;
    return bytes;
}

QByteArray envelope(const QByteArray& payload)
{
    return envelope(payload, QCryptographicHash::hash(payload, QCryptographicHash::Md5));
}

QByteArray cellText(const QMap<QString, QVariant>& fields)
{
    return envelope(payload(fields)).toBase64();
}

QString writeCell(const QString& path, const QByteArray& cell, bool asBlob)
{
    if (QFile::exists(path) && !QFile::remove(path))
        return QStringLiteral("cannot replace %1").arg(path);

    // A connection of its own per call, so writers on several threads never share one.
    static QAtomicInt serial;
    const QString name = QStringLiteral("zq-package-writer-%1").arg(serial.fetchAndAddRelaxed(1));
    QString error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (!database.open()) {
            error = database.lastError().text();
        } else {
            QSqlQuery query(database);
            if (!query.exec(QStringLiteral("create table INFO (data text)"))
                || !query.prepare(QStringLiteral("insert into INFO values (?)"))) {
                error = query.lastError().text();
            } else {
                query.addBindValue(asBlob ? QVariant(cell) : QVariant(QString::fromLatin1(cell)));
                if (!query.exec())
                    error = query.lastError().text();
            }
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

QString write(const QString& path, const QMap<QString, QVariant>& fields)
{
    return writeCell(path, cellText(fields));
}

} // namespace PackageWriter
