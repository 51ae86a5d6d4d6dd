#pragma once

#include "firmware/downloadfailure.h"
#include "firmware/fetchtimes.h"
#include "jobs/stoptoken.h"

#include <QString>
#include <QUrl>

// One package to download: the link from the catalogue, the folder to put it in, the page the link
// came from (an https page allows only https links) and the largest file taken.
struct DownloadTarget
{
    QString link;
    QString folder;
    QUrl page;
    qint64 sizeLimit = 64 * 1024 * 1024;
    FetchTimes times;
};

// What a download ended in: the path written, or why nothing was; a stopped one reports nothing.
struct DownloadOutcome
{
    DownloadProblem problem; // failure None: savedPath holds the whole file
    bool stopped = false;
    QString savedPath;
};

// Told how far a download has come.
class DownloadSink
{
public:
    virtual ~DownloadSink() = default;
    // The share of the announced length written so far, 0 to 100, whenever it changes.
    virtual void progress(int percent) = 0;
};

// The file download: one firmware file into a folder, as a plain operation for the job runner.
// The body goes to a temporary file beside the target that replaces the target only once the whole
// announced length has arrived, so a failed or stopped download leaves an earlier copy as it was.
class DownloadThread
{
public:
    static DownloadOutcome download(const DownloadTarget& target, const StopToken& stop, DownloadSink& sink);

    // The file name a link names: the last segment of its path, decoded, trimmed.
    static QString fileNameOf(const QString& link);
    // Whether a name is a plain base name that every platform writes as it stands, inside the
    // chosen folder and nowhere else, and that shows the operator what it is.
    static bool isSafeFileName(const QString& name);
    // The path a download of that name is written to: inside the existing folder once links are
    // resolved, not an existing link or folder. Empty when there is no such path.
    static QString targetPath(const QString& folder, const QString& name);

    // Why a link is not fetched (LinkNotWeb: a scheme other than http and https, or no server;
    // LinkNotEncrypted: plain http under an https page), or None.
    static DownloadFailure linkRefusal(const QUrl& link, const QUrl& page);

    static constexpr int MaxFileNameLength = 128;
    // The largest package the assistant accepts.
    static constexpr qint64 MaxDownloadBytes = 64 * 1024 * 1024;
};
