// The name a download is saved under, from a link of any text: a name that passes the check is a
// plain base name that lies directly inside the chosen folder on every platform, and the path
// made for it on this machine lies inside the real folder.
#include "firmware/downloadthread.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>

namespace {

void checkName(const QString& name, const QString& folder)
{
    if (!DownloadThread::isSafeFileName(name))
        return;
    FUZZ_CHECK(name.size() <= DownloadThread::MaxFileNameLength);
    FUZZ_CHECK(!name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char(':')));
    FUZZ_CHECK(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')));
    FUZZ_CHECK(!name.contains(QChar(0x202E)) && !name.contains(QChar(0x2028)) && !name.contains(QChar(0)));
    FUZZ_CHECK(QDir::isRelativePath(name));
    // Joined to the folder and cleaned, the name neither climbs out nor changes.
    const QString joined = QDir::cleanPath(folder + QLatin1Char('/') + name);
    FUZZ_CHECK(QFileInfo(joined).fileName() == name);
    FUZZ_CHECK(QFileInfo(joined).path() == folder);

    const QString target = DownloadThread::targetPath(folder, name);
    FUZZ_CHECK(target.isEmpty() || QFileInfo(target).absolutePath() == QFileInfo(folder).canonicalFilePath());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    // The text both as a link on a page and as a name that came out of one.
    checkName(DownloadThread::fileNameOf(QStringLiteral("http://127.0.0.1/files/") + text), folder);
    checkName(DownloadThread::fileNameOf(text), folder);
    checkName(text, folder);
    // As UTF-16, so lone surrogates reach the check too.
    checkName(QString(reinterpret_cast<const QChar*>(data), int(size / 2)), folder);
    return 0;
}
