#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// What a catalogue entry tells besides its link, as the page writes it (empty when it does not):
// the texts of the entry's child elements of class "size" and "date".
struct CatalogueDetails
{
    QString size;
    QString date;
    bool operator==(const CatalogueDetails& other) const { return size == other.size && date == other.date; }
};

// Reads the maker's download page: html/body/div/div is the anchor, and every element after
// the anchor is one entry whose first div holds the display name and whose last div's first a
// carries the link. Entries are added to fileList (display name to link); an existing name takes
// the later link and nothing is ever removed. False when the page is not XML of that shape.
// Texts shown to the operator (names, sizes, dates) are one line without control or direction
// characters, so an entry cannot pretend to be another. Nothing is added from a page that is
// refused.
// A page nested deeper than this is no catalogue (the real one is six levels deep); it is refused
// rather than followed down.
constexpr int MaxCatalogueDepth = 256;

bool parseCatalogue(const QByteArray& page, QMap<QString, QString>& fileList,
                    QMap<QString, CatalogueDetails>* details = nullptr);

// Text as it may be shown on one line: control, format (direction, zero-width) and line or
// paragraph separator characters become spaces; the ends are trimmed.
QString plainDisplayText(const QString& text);
