#include "firmware/cataloguepage.h"

#include <QDomDocument>

bool parseCatalogue(const QByteArray& page, QMap<QString, QString>& fileList)
{
    QDomDocument document;
    document.setContent(page);
    const QDomElement root = document.documentElement();
    if (root.isNull() || root.tagName() != QLatin1String("html"))
        return false;
    const QDomElement anchor = root.firstChildElement(QStringLiteral("body"))
                                   .firstChildElement(QStringLiteral("div"))
                                   .firstChildElement(QStringLiteral("div"));
    QDomElement entry = anchor.nextSiblingElement();
    if (entry.isNull())
        return false;
    for (; !entry.isNull(); entry = entry.nextSiblingElement()) {
        const QString name = entry.firstChildElement(QStringLiteral("div")).text().trimmed();
        const QString link = entry.lastChildElement(QStringLiteral("div"))
                                 .firstChildElement(QStringLiteral("a"))
                                 .attribute(QStringLiteral("href"))
                                 .trimmed();
        fileList.insert(name, link);
    }
    return true;
}
