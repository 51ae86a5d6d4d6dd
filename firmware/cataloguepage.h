#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Reads the maker's download page: html/body/div/div is the anchor, and every element after
// the anchor is one entry whose first div holds the display name and whose last div's first a
// carries the link. Entries are added to fileList (display name to link); an existing name takes
// the later link and nothing is ever removed. False when the page is not XML of that shape.
bool parseCatalogue(const QByteArray& page, QMap<QString, QString>& fileList);
