#pragma once

#include "firmware/cataloguepage.h"
#include "firmware/downloadfailure.h"
#include "jobs/workerthread.h"

#include <QMap>
#include <QMutex>
#include <QString>
#include <QUrl>

#include <atomic>

// Fetches the maker's download page and keeps the firmware files it lists (display name to
// link). The list only grows: entries of earlier fetches stay for the life of the object.
class DeviceTypeMgr : public WorkerThread
{
    Q_OBJECT
public:
    DeviceTypeMgr();
    ~DeviceTypeMgr() override;

    // The page to fetch; set while the thread is not running.
    void setPage(const QUrl& url) { page = url; }
    QUrl pageUrl() const { return page; }
    // Starts a fetch unless one runs; stop() ends it within a poll of the fetch.
    void startFetch() { startWork(); }
    // A fetch that receives less than 1 KiB in this long ends as a failure; tests shorten it.
    void setIdleTimeout(int ms) { idleTimeoutMs = ms; }

    // A larger page is no catalogue; it is refused rather than held.
    static constexpr int MaxPageBytes = 1024 * 1024;

    // A copy of the list, for the interface thread once signalFinished has arrived.
    QMap<QString, QString> fileList() const;
    // What the page told of each listed file besides its link (size, date).
    QMap<QString, CatalogueDetails> fileDetails() const;

signals:
    // A fetch that failed (one of the Page... codes); a stopped one reports nothing.
    void signalShowErrorMessage(const DownloadProblem& problem);
    void signalFinished();

protected:
    void run() override;

private:
    QUrl page;
    std::atomic<int> idleTimeoutMs{30000};
    mutable QMutex listMutex;
    QMap<QString, QString> files;
    QMap<QString, CatalogueDetails> details;
};
