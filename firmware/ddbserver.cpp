#include "firmware/ddbserver.h"

#include "firmware/dencryptinfo.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSet>
#include <QSqlQuery>
#include <QtEndian>

const QString PackageConnectionName = QStringLiteral("{2E451E41-C049-4DED-911D-15B6DA036408}");

namespace {

// Value types a package may carry. Qt reads these in bounded steps; other stream types (pens,
// images, lists...) would let a forged payload, which only needs a matching MD5, make Qt decode
// images or reserve gigabytes from a length it has not yet checked.
bool isPlainValueType(quint32 type)
{
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return true;
    default:
        return false;
    }
}

// Walks the payload's map as Qt would read it, looking at each value's type before Qt decodes it.
bool holdsOnlyPlainValues(const QByteArray& payload)
{
    QDataStream in(payload);
    quint32 count = 0;
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString key;
        in >> key;
        const QByteArray type = in.device()->peek(sizeof(quint32));
        if (type.size() != int(sizeof(quint32)) || !isPlainValueType(qFromBigEndian<quint32>(type.constData())))
            return false;
        QVariant value;
        in >> value;
    }
    return in.status() == QDataStream::Ok;
}

// The known fields hold what the reader takes them as: three texts and the image bytes. A model
// stored as bytes or an image stored as text would be converted silently into something else.
bool hasExpectedTypes(const QMap<QString, QVariant>& fields)
{
    const QPair<QString, int> expected[] = {{KeyDevice, QMetaType::QString},
                                            {KeyModel, QMetaType::QString},
                                            {KeyVersion, QMetaType::QString},
                                            {KeyImage, QMetaType::QByteArray}};
    for (const auto& field : expected) {
        const auto found = fields.constFind(field.first);
        if (found != fields.constEnd() && found->userType() != field.second)
            return false;
    }
    return true;
}

// SQLite opens any file, even an empty one, and fails only at the first query; the header
// tells a package from a file of another kind before that.
bool hasSqliteHeader(const QString& path)
{
    static const QByteArray header("SQLite format 3", 16); // with its closing zero byte
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

} // namespace

DDbServer::DDbServer()
{
    if (QSqlDatabase::contains(PackageConnectionName))
        database = QSqlDatabase::database(PackageConnectionName, false);
    else
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), PackageConnectionName);
}

DDbServer::~DDbServer()
{
    database.close();
}

int DDbServer::countOf(const QString& sql)
{
    QSqlQuery query(database);
    if (!query.prepare(sql) || !query.exec())
        return -1;
    if (!query.next())
        return 0;
    return query.value(0).toInt();
}

DDbServer::Envelope DDbServer::openEnvelope(const QByteArray& envelope, QMap<QString, QVariant>* fields)
{
    QByteArray payload;
    QByteArray digest;
    QDataStream outer(envelope);
    outer >> payload >> digest;
    if (digest != QCryptographicHash::hash(payload, QCryptographicHash::Md5))
        return Envelope::BadDigest;

    if (!holdsOnlyPlainValues(payload))
        return Envelope::BadDigest;
    // A map cut short reads as an empty map; only the stream's status tells it from a real one.
    QMap<QString, QVariant> map;
    QDataStream inner(payload);
    inner >> map;
    if (inner.status() != QDataStream::Ok)
        return Envelope::BadDigest;
    // Qt reads a map as a multi-map: a key written twice would leave two values, and which one
    // counts would depend on the order in the stream, not on what a writer meant.
    const QStringList keys = map.keys(); // with each key as often as it was read
    if (QSet<QString>(keys.cbegin(), keys.cend()).size() != keys.size() || !hasExpectedTypes(map))
        return Envelope::BadTypes;
    *fields = map;
    return Envelope::Opened;
}

PackageRead DDbServer::readPackage(DEncryptInfo& info)
{
    if (!QFileInfo(info.filePath).isFile())
        return PackageRead::NotAFile;

    if (!hasSqliteHeader(info.filePath))
        return PackageRead::CannotOpen;

    database.close();
    database.setDatabaseName(info.filePath);
    // Read only: a reader never changes a package, nor leaves a journal beside it.
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!database.open())
        return PackageRead::CannotOpen;

    const int tables =
        countOf(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'INFO'"));
    // A file with the header but nothing SQLite can read behind it is no package either.
    if (tables < 0)
        return PackageRead::CannotOpen;
    if (tables != 1)
        return PackageRead::NoTable;
    if (countOf(QStringLiteral("select count(*) from INFO")) != 1)
        return PackageRead::NoTable;

    QByteArray cell;
    {
        QSqlQuery query(database);
        if (!query.prepare(QStringLiteral("select * from INFO")) || !query.exec() || !query.next())
            return PackageRead::NoContent;
        cell = query.value(0).toByteArray();
    }

    QMap<QString, QVariant> fields;
    switch (openEnvelope(QByteArray::fromBase64(cell), &fields)) {
    case Envelope::Opened:
        break;
    case Envelope::BadDigest:
        return PackageRead::BadDigest;
    case Envelope::BadTypes:
        return PackageRead::BadTypes;
    }
    info.fields = fields;
    return PackageRead::Ok;
}
