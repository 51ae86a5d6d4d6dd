#include "firmware/devicetypemgr.h"

#include "firmware/cataloguepage.h"
#include "firmware/httpfetch.h"

#include <QMutexLocker>

DeviceTypeMgr::DeviceTypeMgr() = default;

DeviceTypeMgr::~DeviceTypeMgr()
{
    stopAndWait();
}

QMap<QString, QString> DeviceTypeMgr::fileList() const
{
    QMutexLocker lock(&listMutex);
    return files;
}

void DeviceTypeMgr::run()
{
    QByteArray body;
    HttpFetch fetch;
    fetch.idleTimeoutMs = idleTimeoutMs;
    fetch.stopFlag = stopFlag();
    fetch.onData = [&body](const QByteArray& chunk) {
        body.append(chunk);
        return true;
    };
    failureCode = DownloadFailure::None;
    const HttpFetch::Outcome outcome = fetch.get(page);
    if (outcome == HttpFetch::Stopped) {
        failureCode = DownloadFailure::Stopped;
        return;
    }

    // Whatever body arrived is read as the page; an error page simply fails to parse.
    QMap<QString, QString> parsed = fileList();
    if (outcome == HttpFetch::Finished || outcome == HttpFetch::Failed) {
        if (parseCatalogue(body, parsed)) {
            {
                QMutexLocker lock(&listMutex);
                files = parsed;
            }
            emit signalFinished();
            return;
        }
    }
    failureCode = outcome == HttpFetch::TimedOut ? DownloadFailure::TimedOut
                  : outcome == HttpFetch::Failed ? DownloadFailure::Network
                                                 : DownloadFailure::NotFound;
    QString error = tr("获取设备列表失败,请重试!");
    if (outcome == HttpFetch::TimedOut)
        error += QLatin1Char('\n') + tr("%1 秒内没有收到任何数据").arg(idleTimeoutMs / 1000.0);
    else if (fetch.errorCode == QNetworkReply::SslHandshakeFailedError)
        error += QLatin1Char('\n') + fetch.errorText; // the operator must learn that the peer was not trusted
    emit signalShowErrorMessage(error);
}
