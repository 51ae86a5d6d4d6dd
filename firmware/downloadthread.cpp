#include "firmware/downloadthread.h"

#include "firmware/httpfetch.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

DownloadThread::DownloadThread() = default;

DownloadThread::~DownloadThread()
{
    stopAndWait();
}

void DownloadThread::startDownload(const QString& newLink, const QString& newFolder)
{
    if (isRunning())
        return;
    link = newLink;
    folder = newFolder;
    startWork();
}

QString DownloadThread::fileNameOf(const QString& link)
{
    // The last segment is cut from the encoded path and decoded after, so an encoded "/" stays
    // inside the name, where isSafeFileName sees it.
    const QString path = QUrl(link, QUrl::TolerantMode).path(QUrl::FullyEncoded);
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return QUrl::fromPercentEncoding(segment.toLatin1()).trimmed();
}

bool DownloadThread::isSafeFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

void DownloadThread::fail(DownloadFailure code, const QString& text)
{
    failureCode = code;
    if (!text.isEmpty())
        emit signalShowErrorMessage(text);
}

void DownloadThread::run()
{
    failureCode = DownloadFailure::None;
    const QString name = fileNameOf(link);
    // A decoded "%2F" or ".." would lead the file out of the chosen folder.
    if (!isSafeFileName(name)) {
        fail(DownloadFailure::BadFileName, tr("下载失败,文件名不合法: %1").arg(name));
        return;
    }
    const QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    const QString target = dir.filePath(name);

    QSaveFile file(target);
    if (QFileInfo(target).isDir() || !file.open(QIODevice::WriteOnly)) {
        fail(DownloadFailure::CannotWrite, tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    QString error;
    if (!download(&file, &error)) {
        file.cancelWriting();
        // download() left its code; a subclass that does not is taken as stopped or failed by its text.
        if (failureCode == DownloadFailure::None)
            failureCode = error.isEmpty() ? DownloadFailure::Stopped : DownloadFailure::Network;
        fail(failureCode, error);
        return;
    }
    if (!file.commit()) {
        fail(DownloadFailure::CannotWrite, tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    emit signalDownloadSucceed();
}

bool DownloadThread::download(QIODevice* out, QString* error)
{
    qint64 announced = -1;
    qint64 written = 0;
    int lastPercent = -1;
    bool complete = false;

    HttpFetch fetch;
    fetch.idleTimeoutMs = idleTimeoutMs;
    fetch.stopFlag = stopFlag();
    fetch.onHeaders = [&announced](qint64 length) { announced = length; };
    fetch.onData = [&](const QByteArray& chunk) {
        if (out->write(chunk) != chunk.size()) {
            fetch.writeFailed = true;
            return false;
        }
        written += chunk.size();
        if (announced > 0) {
            const int percent = int(qMin<qint64>(written * 100 / announced, 100));
            if (percent != lastPercent)
                emit signalSetDownloadProgress(lastPercent = percent);
        }
        // A zero-length file never counts as complete.
        complete = announced > 0 && written == announced;
        return !complete;
    };

    emit signalSetDownloadProgress(0);
    const HttpFetch::Outcome outcome = fetch.get(QUrl(link, QUrl::TolerantMode));
    if (outcome == HttpFetch::Stopped) {
        failureCode = DownloadFailure::Stopped;
        return false;
    }
    if (fetch.writeFailed) {
        failureCode = DownloadFailure::CannotWrite;
        *error = tr("下载异常: %1").arg(out->errorString());
        return false;
    }
    if (outcome == HttpFetch::TimedOut) {
        failureCode = DownloadFailure::TimedOut;
        *error = tr("下载异常: %1").arg(tr("%1 秒内没有收到任何数据").arg(idleTimeoutMs / 1000.0));
        return false;
    }
    if (complete)
        return true;
    if (outcome == HttpFetch::Failed) {
        failureCode = DownloadFailure::Network;
        *error = tr("下载异常: %1").arg(fetch.errorText);
        return false;
    }
    failureCode = DownloadFailure::NotFound;
    *error = tr("下载异常: 未找到该文件或下载失败");
    return false;
}
