#include "firmware/downloadthread.h"

#include "firmware/fetchproblem.h"
#include "firmware/httpfetch.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>

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

// CON, NUL, COM1, CONIN$... name devices on Windows whatever extension follows them, and Windows
// drops the spaces and dots at the end of the part before the extension ("CON .zqbin" is CON).
bool isDeviceName(const QString& name)
{
    static const QRegularExpression device(
        QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9]|conin\\$|conout\\$|clock\\$)$"),
        QRegularExpression::CaseInsensitiveOption);
    QString stem = name.left(name.indexOf(QLatin1Char('.')));
    while (stem.endsWith(QLatin1Char(' ')) || stem.endsWith(QLatin1Char('.')))
        stem.chop(1);
    return device.match(stem).hasMatch();
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

namespace {

// Fetches the link into out. None when the whole announced length arrived.
DownloadProblem fetchInto(QIODevice* out, const DownloadTarget& target, const StopToken& stop, DownloadSink& sink,
                          bool* stopped)
{
    qint64 announced = -1;
    qint64 written = 0;
    int lastPercent = -1;
    DownloadProblem refused;
    const qint64 maxBytes = target.sizeLimit;

    HttpFetch fetch;
    fetch.idleTimeoutMs = target.times.idleTimeoutMs;
    fetch.deadlineMs = target.times.deadlineMs;
    fetch.slowestBytesPerSecond = target.times.slowestBytesPerSecond;
    fetch.largestBody = maxBytes;
    fetch.stopFlag = stop.flag();
    fetch.onHeaders = [&](qint64 length) {
        announced = length;
        // No package is larger: refused before a byte of it is taken.
        if (announced > maxBytes)
            refused = {DownloadFailure::TooLarge, QString(), maxBytes};
    };
    fetch.onData = [&](const QByteArray& chunk) {
        // Counted as written, after any decompression: a small reply that inflates without end
        // stops at the limit.
        if (refused.failure != DownloadFailure::None)
            return false;
        if (written + chunk.size() > maxBytes) {
            refused = {DownloadFailure::TooLarge, QString(), maxBytes};
            return false;
        }
        if (out->write(chunk) != chunk.size()) {
            refused = {DownloadFailure::WriteFailed, out->errorString(), 0};
            return false;
        }
        written += chunk.size();
        if (announced > 0) {
            // The share of the bytes sent, which for a compressed reply differ from those written.
            const int percent = int(qMin<qint64>(fetch.wireBodyBytes() * 100 / announced, 100));
            if (percent != lastPercent)
                sink.progress(lastPercent = percent);
        }
        return true;
    };

    sink.progress(0);
    const HttpFetch::Outcome outcome = fetch.get(QUrl(target.link, QUrl::TolerantMode));
    if (outcome == HttpFetch::Stopped) {
        *stopped = true;
        return {};
    }
    if (refused.failure != DownloadFailure::None)
        return refused;
    const DownloadProblem failed = fileFetchProblem(fetch, outcome, target.times.idleTimeoutMs);
    if (failed.failure != DownloadFailure::None)
        return failed;
    // A zero-length file, or one without an announced length, never counts as complete.
    if (fetch.isComplete() && announced > 0 && written > 0)
        return {};
    return {DownloadFailure::Incomplete, QString(), 0};
}

} // namespace

DownloadOutcome DownloadThread::download(const DownloadTarget& target, const StopToken& stop, DownloadSink& sink)
{
    DownloadOutcome outcome;
    // Everything about the link and the name is checked before anything is fetched or created.
    const QUrl url(target.link, QUrl::TolerantMode);
    const DownloadFailure refused = linkRefusal(url, target.page);
    if (refused != DownloadFailure::None) {
        outcome.problem = {refused, url.toString(), 0};
        return outcome;
    }
    const QString name = fileNameOf(target.link);
    if (!isSafeFileName(name)) {
        outcome.problem = {DownloadFailure::BadFileName, name, 0};
        return outcome;
    }
    QDir().mkpath(target.folder);
    const QString path = targetPath(target.folder, name);
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        outcome.problem = {DownloadFailure::CannotOpenFile, name, 0};
        return outcome;
    }
    outcome.problem = fetchInto(&file, target, stop, sink, &outcome.stopped);
    if (outcome.stopped || outcome.problem.failure != DownloadFailure::None) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        outcome.problem = {DownloadFailure::CannotOpenFile, name, 0};
        return outcome;
    }
    outcome.savedPath = path;
    return outcome;
}
