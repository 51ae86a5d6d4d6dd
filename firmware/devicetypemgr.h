#pragma once

#include <QMap>
#include <QMutex>
#include <QString>
#include "firmware/downloadthread.h"
#include "link/workerthread.h"

#include <QUrl>

#include <atomic>

// Fetches the maker's download page and keeps the firmware files it lists (display name to
// link). The list only grows: entries of earlier fetches stay for the life of the object.
class DeviceTypeMgr : public WorkerThread
{
    Q_OBJECT
public:
    DeviceTypeMgr();
    // Stops a running fetch and waits for it: the thread is never destroyed while it runs.
    ~DeviceTypeMgr() override;

    // The page to fetch; set while the thread is not running.
    void setPage(const QUrl& url) { page = url; }
    // Starts a fetch unless one runs. stop() asks a running fetch to end, stopAndWait() waits too.
    void startFetch() { startWork(); }
    // A fetch that receives nothing for this long ends as a failure; tests shorten it.
    void setIdleTimeout(int ms) { idleTimeoutMs = ms; }

    // Why the last fetch failed (read after finished()); None when the list was read.
    DownloadFailure failure() const { return failureCode; }

    // A copy of the list, for the interface thread once signalFinished has arrived.
    QMap<QString, QString> fileList() const;

signals:
    void signalShowErrorMessage(const QString& error);
    void signalFinished();

protected:
    void run() override;

private:
    QUrl page;
    DownloadFailure failureCode = DownloadFailure::None;
    std::atomic<int> idleTimeoutMs{30000};
    mutable QMutex listMutex;
    QMap<QString, QString> files;
};
