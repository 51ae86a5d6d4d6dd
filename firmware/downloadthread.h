#pragma once

#include <QString>
#include <QThread>

#include <atomic>

class QIODevice;

// Downloads one firmware file into a folder. The body goes to a temporary file beside the target
// that replaces the target only once the whole announced length has arrived, so a failed or
// stopped download leaves an earlier copy as it was.
class DownloadThread : public QThread
{
    Q_OBJECT
public:
    DownloadThread();
    // Stops a running download and waits for it: the thread is never destroyed while it runs.
    ~DownloadThread() override;

    // Starts a download unless one runs.
    void startDownload(const QString& link, const QString& folder);
    // Asks a running download to end and waits for it.
    void stop();
    // A download that receives nothing for this long fails; tests shorten it.
    void setIdleTimeout(int ms) { idleTimeoutMs = ms; }

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
    QString link;
    QString folder;
    std::atomic<bool> stopRequested{false};
    std::atomic<int> idleTimeoutMs{30000};
};
