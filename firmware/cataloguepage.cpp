#include "firmware/cataloguepage.h"

#include <QVector>
#include <QXmlStreamReader>

namespace {

// The longest size or date text taken from a page; anything longer is no size or date.
constexpr int MaxDetailLength = 40;

// What an open element is to the catalogue: the path to the entries, an entry, or a child of one.
enum class Role { Other, Root, Body, List, Anchor, Entry, EntryChild, Link };

// One entry as read so far: texts collected while their elements are open.
struct EntryReading
{
    QString name;
    QString size;
    QString date;
    QString link;
    bool nameTaken = false; // the first div child has been seen
    bool sizeTaken = false;
    bool dateTaken = false;
    int nameDepth = -1; // depth of the element whose text is collected, -1 when none
    int sizeDepth = -1;
    int dateDepth = -1;
    bool linkTaken = false; // the current div child has given its first a
};

struct Found
{
    QString name;
    QString link;
    CatalogueDetails details;
};

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
    // Read as a stream with an explicit stack, so a page nested without end is refused at
    // MaxCatalogueDepth instead of going deeper on the call stack.
    QXmlStreamReader xml(page);
    xml.setNamespaceProcessing(false);
    QVector<Role> open;
    bool bodySeen = false;
    bool listSeen = false;
    bool anchorSeen = false;
    EntryReading entry;
    QList<Found> found;
    const auto parentRole = [&open] { return open.isEmpty() ? Role::Other : open.last(); };

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (open.size() >= MaxCatalogueDepth)
                return false;
            const QStringRef tag = xml.qualifiedName();
            const bool div = tag == QLatin1String("div");
            Role role = Role::Other;
            switch (parentRole()) {
            case Role::Other:
                if (open.isEmpty()) {
                    if (tag != QLatin1String("html"))
                        return false;
                    role = Role::Root;
                }
                break;
            case Role::Root:
                if (!bodySeen && tag == QLatin1String("body")) {
                    bodySeen = true;
                    role = Role::Body;
                }
                break;
            case Role::Body:
                if (!listSeen && div) {
                    listSeen = true;
                    role = Role::List;
                }
                break;
            case Role::List:
                if (anchorSeen) {
                    role = Role::Entry;
                    entry = EntryReading();
                } else if (div) {
                    anchorSeen = true;
                    role = Role::Anchor;
                }
                break;
            case Role::Entry: {
                role = Role::EntryChild;
                const int depth = open.size() + 1;
                if (div && !entry.nameTaken) {
                    entry.nameTaken = true;
                    entry.nameDepth = depth;
                }
                if (div) {
                    // The last div child gives the link: each one starts it afresh.
                    entry.link.clear();
                    entry.linkTaken = false;
                }
                const QStringRef kind = xml.attributes().value(QLatin1String("class"));
                if (!entry.sizeTaken && kind == QLatin1String("size")) {
                    entry.sizeTaken = true;
                    entry.sizeDepth = depth;
                }
                if (!entry.dateTaken && kind == QLatin1String("date")) {
                    entry.dateTaken = true;
                    entry.dateDepth = depth;
                }
                if (!div)
                    role = Role::Other;
                break;
            }
            case Role::EntryChild:
                if (!entry.linkTaken && tag == QLatin1String("a")) {
                    entry.linkTaken = true;
                    entry.link = xml.attributes().value(QLatin1String("href")).toString();
                }
                break;
            default:
                break;
            }
            open.append(role);
            break;
        }
        case QXmlStreamReader::EndElement: {
            const int depth = open.size();
            if (depth == entry.nameDepth)
                entry.nameDepth = -1;
            if (depth == entry.sizeDepth)
                entry.sizeDepth = -1;
            if (depth == entry.dateDepth)
                entry.dateDepth = -1;
            if (open.takeLast() == Role::Entry)
                found.append({plainDisplayText(entry.name),
                              entry.link.trimmed(),
                              {plainDisplayText(entry.size).left(MaxDetailLength),
                               plainDisplayText(entry.date).left(MaxDetailLength)}});
            break;
        }
        case QXmlStreamReader::Characters:
            // All text inside an element counts, however deep, as the element's text.
            if (entry.nameDepth >= 0)
                entry.name += xml.text();
            if (entry.sizeDepth >= 0)
                entry.size += xml.text();
            if (entry.dateDepth >= 0)
                entry.date += xml.text();
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || found.isEmpty())
        return false;
    for (const Found& each : found) {
        fileList.insert(each.name, each.link);
        if (details)
            details->insert(each.name, each.details);
    }
    return true;
}
