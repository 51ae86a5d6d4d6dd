#include "firmware/devicetypemgr.h"

#include "firmware/cataloguepage.h"
#include "firmware/httpfetch.h"

#include <QMutexLocker>

DeviceTypeMgr::DeviceTypeMgr()
{
    qRegisterMetaType<DownloadProblem>();
}

DeviceTypeMgr::~DeviceTypeMgr()
{
    stopAndWait();
}

QMap<QString, QString> DeviceTypeMgr::fileList() const
{
    QMutexLocker lock(&listMutex);
    return files;
}

QMap<QString, CatalogueDetails> DeviceTypeMgr::fileDetails() const
{
    QMutexLocker lock(&listMutex);
    return details;
}

void DeviceTypeMgr::run()
{
    QByteArray body;
    bool tooLarge = false;
    HttpFetch fetch;
    fetch.idleTimeoutMs = idleTimeoutMs;
    fetch.stopFlag = stopFlag();
    fetch.onData = [&](const QByteArray& chunk) {
        // The page is parsed whole, so it is held whole: an endless one must end here.
        if (body.size() + chunk.size() > MaxPageBytes) {
            tooLarge = fetch.writeFailed = true;
            return false;
        }
        body.append(chunk);
        return true;
    };
    const HttpFetch::Outcome outcome = fetch.get(page);
    if (outcome == HttpFetch::Stopped)
        return;

    // Whatever body arrived is read as the page; an error page simply fails to parse.
    QMap<QString, QString> parsed = fileList();
    QMap<QString, CatalogueDetails> parsedDetails = fileDetails();
    if (!tooLarge && (outcome == HttpFetch::Finished || outcome == HttpFetch::Failed)) {
        if (parseCatalogue(body, parsed, &parsedDetails)) {
            {
                QMutexLocker lock(&listMutex);
                files = parsed;
                details = parsedDetails;
            }
            emit signalFinished();
            return;
        }
    }
    DownloadProblem problem{DownloadFailure::PageUnreadable, QString(), 0};
    if (tooLarge)
        problem = {DownloadFailure::PageTooLarge, QString(), MaxPageBytes};
    else if (outcome == HttpFetch::TimedOut)
        problem = {DownloadFailure::PageStalled, QString(), idleTimeoutMs};
    else if (fetch.errorCode == QNetworkReply::SslHandshakeFailedError)
        problem = {DownloadFailure::PageUntrusted, fetch.errorText, 0};
    emit signalShowErrorMessage(problem);
}
