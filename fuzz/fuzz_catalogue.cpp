// The maker's download page: any bytes are read or refused without harm; a list that was read,
// written out as a page again, reads back as the same list, and a list only ever grows.
#include "firmware/cataloguepage.h"
#include "fuzzcheck.h"

#include <QXmlStreamWriter>

#include <cstdint>

namespace {

QByteArray pageOf(const QMap<QString, QString>& files)
{
    QByteArray page;
    QXmlStreamWriter xml(&page);
    xml.writeStartElement(QStringLiteral("html"));
    xml.writeStartElement(QStringLiteral("body"));
    xml.writeStartElement(QStringLiteral("div"));
    xml.writeTextElement(QStringLiteral("div"), QStringLiteral("anchor"));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        xml.writeStartElement(QStringLiteral("div"));
        xml.writeTextElement(QStringLiteral("div"), it.key());
        xml.writeStartElement(QStringLiteral("div"));
        xml.writeStartElement(QStringLiteral("a"));
        xml.writeAttribute(QStringLiteral("href"), it.value());
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return page;
}

// Whether XML 1.0 can carry the text at all; a page may hold character references that it cannot.
bool xmlCanCarry(const QString& text)
{
    for (const QChar c : text)
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            || c.isSurrogate() || c.unicode() >= 0xFFFE)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char*>(data), int(size));
    QMap<QString, QString> files;
    QMap<QString, CatalogueDetails> details;
    const bool parsed = parseCatalogue(page, files, &details);
    FUZZ_CHECK(parsed || files.isEmpty());
    if (!parsed)
        return 0;
    FUZZ_CHECK(!files.isEmpty());
    FUZZ_CHECK(details.keys() == files.keys());
    bool carried = true;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        // Names are shown on one line as they stand: nothing hidden, nothing reordered.
        FUZZ_CHECK(it.key() == plainDisplayText(it.key()));
        FUZZ_CHECK(it.value() == it.value().trimmed());
        FUZZ_CHECK(details.value(it.key()).size.size() <= 40 && details.value(it.key()).date.size() <= 40);
        carried = carried && xmlCanCarry(it.key()) && xmlCanCarry(it.value());
    }

    // Read twice into a list that already holds an entry: the same entries, the earlier one kept.
    QMap<QString, QString> grown{{QStringLiteral("\x01 earlier"), QStringLiteral("http://h/e")}};
    FUZZ_CHECK(parseCatalogue(page, grown) && parseCatalogue(page, grown));
    FUZZ_CHECK(grown.size() == files.size() + 1 && grown.contains(QStringLiteral("\x01 earlier")));

    if (!carried)
        return 0;
    QMap<QString, QString> back;
    FUZZ_CHECK(parseCatalogue(pageOf(files), back));
    FUZZ_CHECK(back == files);
    return 0;
}
