#include "firmware/devicetypemgr.h"

#include "firmware/cataloguepage.h"
#include "firmware/downloadthread.h"
#include "firmware/httpfetch.h"

#include <QMutexLocker>

DeviceTypeMgr::DeviceTypeMgr() = default;

DeviceTypeMgr::~DeviceTypeMgr()
{
    stop();
}

void DeviceTypeMgr::startFetch()
{
    if (isRunning())
        return;
    stopRequested = false;
    start();
}

void DeviceTypeMgr::stop()
{
    if (!isRunning())
        return;
    stopRequested = true;
    wait();
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
    fetch.stopFlag = &stopRequested;
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
    QString error = tr("获取设备列表失败,请重试!");
    if (tooLarge)
        error += QLatin1Char('\n') + tr("下载页面大于 %1 MiB").arg(MaxPageBytes / (1024 * 1024));
    else if (outcome == HttpFetch::TimedOut)
        error += QLatin1Char('\n') + DownloadThread::idleMessage(idleTimeoutMs);
    else if (fetch.errorCode == QNetworkReply::SslHandshakeFailedError)
        error += QLatin1Char('\n') + fetch.errorText; // the operator must learn that the peer was not trusted
    emit signalShowErrorMessage(error);
}
