#pragma once

#include "link/workerthread.h"

#include <QString>

#include <atomic>

class QIODevice;

// Why a download (or the fetch of the download page) failed, beside the text it showed.
enum class DownloadFailure {
    None,
    BadFileName, // the link names no file that can be made inside the folder
    CannotWrite, // the file could not be opened, written or put in place
    TimedOut,    // nothing came for the idle time
    Network,     // the server or the network failed
    NotFound,    // the body ended short of its length, or the page lists nothing readable
    Stopped      // it was stopped
};

// Downloads one firmware file into a folder. The body goes to a temporary file beside the target
// that replaces the target only once the whole announced length has arrived, so a failed or
// stopped download leaves an earlier copy as it was.
class DownloadThread : public WorkerThread
{
    Q_OBJECT
public:
    DownloadThread();
    // Stops a running download and waits for it: the thread is never destroyed while it runs.
    ~DownloadThread() override;

    // Starts a download unless one runs. stop() asks a running download to end, stopAndWait()
    // waits too.
    void startDownload(const QString& link, const QString& folder);
    // A download that receives nothing for this long fails; tests shorten it.
    void setIdleTimeout(int ms) { idleTimeoutMs = ms; }

    // Why the last download failed (read after finished()); None after success.
    DownloadFailure failure() const { return failureCode; }

    // The file name a link names: the last segment of its path, decoded, trimmed.
    static QString fileNameOf(const QString& link);
    // Whether a name can be created inside the chosen folder and nowhere else.
    static bool isSafeFileName(const QString& name);

signals:
    void signalDownloadSucceed();
    void signalShowErrorMessage(const QString& error);
    void signalSetDownloadProgress(int value);

protected:
    void run() override;
    // Fetches the link into out. True when the whole announced length arrived; false with
    // *error set on a failure, false with *error empty when stopped.
    virtual bool download(QIODevice* out, QString* error);

private:
    void fail(DownloadFailure code, const QString& text);

    QString link;
    QString folder;
    DownloadFailure failureCode = DownloadFailure::None;
    std::atomic<int> idleTimeoutMs{30000};
};
