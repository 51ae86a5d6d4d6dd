#pragma once

#include "firmware/downloadfailure.h"
#include "jobs/workerthread.h"

#include <QString>
#include <QUrl>

#include <atomic>

class QIODevice;

// Downloads one firmware file into a folder. The body goes to a temporary file beside the target
// that replaces the target only once the whole announced length has arrived, so a failed or
// stopped download leaves an earlier copy as it was.
class DownloadThread : public WorkerThread
{
    Q_OBJECT
public:
    DownloadThread();
    ~DownloadThread() override;

    // Starts a download unless one runs; stop() ends it within a poll of the fetch.
    void startDownload(const QString& link, const QString& folder);
    // A download that receives less than 1 KiB in this long fails; tests shorten it.
    void setIdleTimeout(int ms) { idleTimeoutMs = ms; }
    // The largest file taken; tests lower it.
    void setSizeLimit(qint64 bytes) { sizeLimit = bytes; }
    // The catalogue page the links came from: an https page allows only https links.
    void setPage(const QUrl& url) { page = url; }
    // Where the last successful download was written; read after signalDownloadSucceed.
    QString lastSavedPath() const { return savedPath; }

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

signals:
    void signalDownloadSucceed();
    // A download that failed; a stopped one reports nothing.
    void signalShowErrorMessage(const DownloadProblem& problem);
    void signalSetDownloadProgress(int value);

protected:
    void run() override;
    // Fetches the link into out. True when the whole announced length arrived; false with
    // *problem set on a failure, false with *problem left at None when stopped.
    virtual bool download(QIODevice* out, DownloadProblem* problem);

private:
    QString link;
    QString folder;
    QUrl page;
    QString savedPath;
    std::atomic<qint64> sizeLimit{MaxDownloadBytes};
    std::atomic<int> idleTimeoutMs{30000};
};
