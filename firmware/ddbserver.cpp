#include "firmware/ddbserver.h"

#include "firmware/dencryptinfo.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>
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
    if (!query.prepare(sql) || !query.exec() || !query.next())
        return 0;
    return query.value(0).toInt();
}

bool DDbServer::openEnvelope(const QByteArray& envelope, QMap<QString, QVariant>* fields)
{
    QByteArray payload;
    QByteArray digest;
    QDataStream outer(envelope);
    outer >> payload >> digest;
    if (digest != QCryptographicHash::hash(payload, QCryptographicHash::Md5))
        return false;

    if (!holdsOnlyPlainValues(payload))
        return false;
    // A map cut short reads as an empty map; only the stream's status tells it from a real one.
    QMap<QString, QVariant> map;
    QDataStream inner(payload);
    inner >> map;
    if (inner.status() != QDataStream::Ok)
        return false;
    *fields = map;
    return true;
}

QString DDbServer::readPackage(DEncryptInfo& info)
{
    if (!QFileInfo(info.filePath).isFile())
        return tr("解析文件失败,文件不存在或拒绝访问!");

    database.close();
    database.setDatabaseName(info.filePath);
    // Read only: a reader never changes a package, nor leaves a journal beside it.
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!database.open())
        return tr("解析文件失败,打开文件失败,请检查文件类型!");

    if (countOf(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'INFO'")) != 1)
        return tr("解析文件失败,文件操作失败!");
    if (countOf(QStringLiteral("select count(*) from INFO")) != 1)
        return tr("解析文件失败,文件操作失败!");

    QByteArray cell;
    {
        QSqlQuery query(database);
        if (!query.prepare(QStringLiteral("select * from INFO")) || !query.exec() || !query.next())
            return tr("解析文件失败,无法获取文件内容!");
        cell = query.value(0).toByteArray();
    }

    QMap<QString, QVariant> fields;
    if (!openEnvelope(QByteArray::fromBase64(cell), &fields))
        return tr("解析文件失败,文件校验失败!");
    info.fields = fields;
    return QString();
}
