#pragma once

#include "firmware/cataloguepage.h"
#include "firmware/downloadfailure.h"
#include "firmware/fetchtimes.h"
#include "jobs/stoptoken.h"

#include <QMap>
#include <QString>
#include <QUrl>

// What one fetch of the maker's download page found: the files it lists (display name to link)
// and what it told of each besides, or why there is no list. A stopped fetch reports nothing.
struct CatalogueOutcome
{
    DownloadProblem problem; // failure None: the page was read
    bool stopped = false;
    QMap<QString, QString> files;
    QMap<QString, CatalogueDetails> details;
};

// The catalogue fetch: gets the download page and reads the firmware files it lists. A plain
// operation for the job runner; each fetch stands alone, so a list never keeps what an earlier
// page listed.
class DeviceTypeMgr
{
public:
    // A larger page is no catalogue; it is refused rather than held. The limit counts the page as
    // it is read, after any decompression.
    static constexpr int MaxPageBytes = 1024 * 1024;

    static CatalogueOutcome fetch(const QUrl& page, const FetchTimes& times, const StopToken& stop);
};
