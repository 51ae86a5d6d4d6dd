#include "firmware/cataloguepage.h"

#include <QDomDocument>

namespace {

// The longest size or date text taken from a page; anything longer is no size or date.
constexpr int MaxDetailLength = 40;

QString detailOf(const QDomElement& entry, const QString& kind)
{
    for (QDomElement child = entry.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        if (child.attribute(QStringLiteral("class")) == kind)
            return plainDisplayText(child.text()).left(MaxDetailLength);
    return QString();
}

} // namespace

QString plainDisplayText(const QString& text)
{
    QString plain = text;
    for (QChar& c : plain) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return plain.trimmed();
}

bool parseCatalogue(const QByteArray& page, QMap<QString, QString>& fileList, QMap<QString, CatalogueDetails>* details)
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
        const QString name = plainDisplayText(entry.firstChildElement(QStringLiteral("div")).text());
        const QString link = entry.lastChildElement(QStringLiteral("div"))
                                 .firstChildElement(QStringLiteral("a"))
                                 .attribute(QStringLiteral("href"))
                                 .trimmed();
        fileList.insert(name, link);
        if (details)
            details->insert(name, {detailOf(entry, QStringLiteral("size")), detailOf(entry, QStringLiteral("date"))});
    }
    return true;
}
