#include "firmware/downloadthread.h"

#include "firmware/httpfetch.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>

DownloadThread::DownloadThread() = default;

DownloadThread::~DownloadThread()
{
    stop();
}

void DownloadThread::startDownload(const QString& newLink, const QString& newFolder)
{
    if (isRunning())
        return;
    stopRequested = false;
    link = newLink;
    folder = newFolder;
    start();
}

void DownloadThread::stop()
{
    if (!isRunning())
        return;
    stopRequested = true;
    wait();
}

QString DownloadThread::fileNameOf(const QString& link)
{
    // The last segment is cut from the encoded path and decoded after, so an encoded "/" stays
    // inside the name, where isSafeFileName sees it.
    const QString path = QUrl(link, QUrl::TolerantMode).path(QUrl::FullyEncoded);
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return QUrl::fromPercentEncoding(segment.toLatin1()).trimmed();
}

namespace {

// Characters no platform takes in a file name, or that one of them reads as a separator or a
// drive ("C:"), a stream ("name:stream") or a wildcard.
bool isReservedCharacter(QChar c)
{
    return QStringLiteral("/\\:*?\"<>|").contains(c);
}

// Code points that reorder or hide text (bidi controls, zero-width marks) or break it into lines:
// a name carrying them shows the operator something else than what is written.
bool isMisleadingCharacter(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return c.isNonCharacter();
    }
}

// CON, NUL, COM1... name devices on Windows whatever extension follows them.
bool isDeviceName(const QString& name)
{
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

} // namespace

bool DownloadThread::isSafeFileName(const QString& name)
{
    if (name.isEmpty() || name.size() > MaxFileNameLength)
        return false;
    // A leading dot hides the file (or is "." and ".."); Windows drops a trailing dot or space
    // and would write another name than the one checked.
    if (name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            if (isMisleadingCharacter(QChar(QChar::surrogateToUcs4(c, name.at(i + 1)))))
                return false;
            ++i;
            continue;
        }
        if (c.isSurrogate() || isReservedCharacter(c) || isMisleadingCharacter(c))
            return false;
    }
    return !isDeviceName(name);
}

QString DownloadThread::targetPath(const QString& folder, const QString& name)
{
    if (!isSafeFileName(name))
        return QString();
    // The folder as it really is (links resolved), and the target directly inside it.
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (base.isEmpty() || !QFileInfo(base).isDir())
        return QString();
    const QString target = QDir(base).filePath(name);
    const QFileInfo info(target);
    if (QDir::cleanPath(info.absolutePath()) != QDir::cleanPath(base))
        return QString();
    // An existing entry of that name must be a plain file of this folder: a link would lead the
    // written bytes elsewhere.
    if (info.isSymLink() || (info.exists() && (!info.isFile() || info.canonicalFilePath() != target)))
        return QString();
    return target;
}

QString DownloadThread::linkRefusal(const QUrl& link, const QUrl& page)
{
    // file:, data: and the like would copy local files or make names up; a relative link has no
    // server at all.
    const QString scheme = link.scheme().toLower();
    if (!link.isValid() || link.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return tr("下载失败,链接不是 http 或 https 地址: %1").arg(link.toString());
    // A page fetched over https must not hand out links that anyone on the way can change.
    if (page.scheme().toLower() == QLatin1String("https") && scheme != QLatin1String("https"))
        return tr("下载失败,https 页面上的链接也必须是 https: %1").arg(link.toString());
    return QString();
}

void DownloadThread::run()
{
    // Everything about the link and the name is checked before anything is fetched or created.
    const QUrl url(link, QUrl::TolerantMode);
    const QString refused = linkRefusal(url, page);
    if (!refused.isEmpty()) {
        emit signalShowErrorMessage(refused);
        return;
    }
    const QString name = fileNameOf(link);
    if (!isSafeFileName(name)) {
        emit signalShowErrorMessage(tr("下载失败,文件名不合法: %1").arg(name));
        return;
    }
    QDir().mkpath(folder);
    const QString target = targetPath(folder, name);
    QSaveFile file(target);
    if (target.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        emit signalShowErrorMessage(tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    QString error;
    if (!download(&file, &error)) {
        file.cancelWriting();
        if (!error.isEmpty())
            emit signalShowErrorMessage(error);
        return;
    }
    if (!file.commit()) {
        emit signalShowErrorMessage(tr("下载失败,打开文件失败: %1").arg(name));
        return;
    }
    savedPath = target;
    emit signalDownloadSucceed();
}

bool DownloadThread::download(QIODevice* out, QString* error)
{
    qint64 announced = -1;
    qint64 written = 0;
    int lastPercent = -1;
    bool complete = false;
    QString refused;
    const qint64 maxBytes = sizeLimit;

    HttpFetch fetch;
    fetch.idleTimeoutMs = idleTimeoutMs;
    fetch.stopFlag = &stopRequested;
    fetch.onHeaders = [&announced](qint64 length) { announced = length; };
    fetch.onData = [&](const QByteArray& chunk) {
        // No package is larger, and a server that announced less must not send more.
        const qint64 limit = announced > 0 ? qMin(announced, maxBytes) : maxBytes;
        if (announced > maxBytes || written + chunk.size() > limit) {
            refused = announced > maxBytes || announced <= 0
                ? tr("下载异常: 文件大于 %1 MiB").arg(maxBytes / (1024 * 1024.0))
                : tr("下载异常: 收到的数据多于声明的 %1 字节").arg(announced);
            fetch.writeFailed = true;
            return false;
        }
        if (out->write(chunk) != chunk.size()) {
            refused = tr("下载异常: %1").arg(out->errorString());
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
    if (outcome == HttpFetch::Stopped)
        return false;
    if (!refused.isEmpty()) {
        *error = refused;
        return false;
    }
    if (outcome == HttpFetch::TimedOut) {
        *error = tr("下载异常: %1").arg(idleMessage(idleTimeoutMs));
        return false;
    }
    if (complete)
        return true;
    if (outcome == HttpFetch::Failed) {
        *error = tr("下载异常: %1").arg(fetch.errorText);
        return false;
    }
    *error = tr("下载异常: 未找到该文件或下载失败");
    return false;
}

QString DownloadThread::idleMessage(int idleTimeoutMs)
{
    return tr("%1 秒内收到的数据不足 1 KiB").arg(idleTimeoutMs / 1000.0);
}
