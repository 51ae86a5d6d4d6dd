#include "firmware/downloadthread.h"

#include "firmware/httpfetch.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>

DownloadThread::DownloadThread()
{
    qRegisterMetaType<DownloadProblem>();
}

DownloadThread::~DownloadThread()
{
    stopAndWait();
}

void DownloadThread::startDownload(const QString& newLink, const QString& newFolder)
{
    // The run reads these: they change only while none is going.
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

DownloadFailure DownloadThread::linkRefusal(const QUrl& link, const QUrl& page)
{
    // file:, data: and the like would copy local files or make names up; a relative link has no
    // server at all.
    const QString scheme = link.scheme().toLower();
    if (!link.isValid() || link.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return DownloadFailure::LinkNotWeb;
    // A page fetched over https must not hand out links that anyone on the way can change.
    if (page.scheme().toLower() == QLatin1String("https") && scheme != QLatin1String("https"))
        return DownloadFailure::LinkNotEncrypted;
    return DownloadFailure::None;
}

void DownloadThread::run()
{
    // Everything about the link and the name is checked before anything is fetched or created.
    const QUrl url(link, QUrl::TolerantMode);
    const DownloadFailure refused = linkRefusal(url, page);
    if (refused != DownloadFailure::None) {
        emit signalShowErrorMessage({refused, url.toString(), 0});
        return;
    }
    const QString name = fileNameOf(link);
    if (!isSafeFileName(name)) {
        emit signalShowErrorMessage({DownloadFailure::BadFileName, name, 0});
        return;
    }
    QDir().mkpath(folder);
    const QString target = targetPath(folder, name);
    QSaveFile file(target);
    if (target.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        emit signalShowErrorMessage({DownloadFailure::CannotOpenFile, name, 0});
        return;
    }
    DownloadProblem problem;
    if (!download(&file, &problem)) {
        file.cancelWriting();
        if (problem.failure != DownloadFailure::None)
            emit signalShowErrorMessage(problem);
        return;
    }
    if (!file.commit()) {
        emit signalShowErrorMessage({DownloadFailure::CannotOpenFile, name, 0});
        return;
    }
    savedPath = target;
    emit signalDownloadSucceed();
}

bool DownloadThread::download(QIODevice* out, DownloadProblem* problem)
{
    qint64 announced = -1;
    qint64 written = 0;
    int lastPercent = -1;
    bool complete = false;
    DownloadProblem refused;
    const qint64 maxBytes = sizeLimit;

    HttpFetch fetch;
    fetch.idleTimeoutMs = idleTimeoutMs;
    fetch.stopFlag = stopFlag();
    fetch.onHeaders = [&announced](qint64 length) { announced = length; };
    fetch.onData = [&](const QByteArray& chunk) {
        // No package is larger, and a server that announced less must not send more.
        const qint64 limit = announced > 0 ? qMin(announced, maxBytes) : maxBytes;
        if (announced > maxBytes || written + chunk.size() > limit) {
            refused = announced > maxBytes || announced <= 0
                ? DownloadProblem{DownloadFailure::TooLarge, QString(), maxBytes}
                : DownloadProblem{DownloadFailure::MoreThanAnnounced, QString(), announced};
            fetch.writeFailed = true;
            return false;
        }
        if (out->write(chunk) != chunk.size()) {
            refused = {DownloadFailure::WriteFailed, out->errorString(), 0};
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
    if (refused.failure != DownloadFailure::None) {
        *problem = refused;
        return false;
    }
    if (outcome == HttpFetch::TimedOut) {
        *problem = {DownloadFailure::Stalled, QString(), idleTimeoutMs};
        return false;
    }
    if (complete)
        return true;
    if (outcome == HttpFetch::Failed) {
        *problem = {DownloadFailure::NetworkError, fetch.errorText, 0};
        return false;
    }
    *problem = {DownloadFailure::Incomplete, QString(), 0};
    return false;
}
