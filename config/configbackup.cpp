#include "config/configbackup.h"

#include "config/configcsv.h"
#include "settings/config.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>

namespace {
constexpr int LongestName = 40;
}

QDir ConfigBackup::folder()
{
    const QString ini = Config().settings()->fileName();
    return QDir(QFileInfo(ini).absolutePath() + QStringLiteral("/Backups"));
}

QString ConfigBackup::safeName(const QString& instrument)
{
    QString name;
    for (const QChar c : instrument.trimmed()) {
        const bool kept = c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_');
        name += kept ? c : QLatin1Char('_');
    }
    name = name.left(LongestName);
    // A name of nothing but replacements says nothing.
    if (name.count(QLatin1Char('_')) == name.size())
        return QStringLiteral("ZQ");
    return name;
}

ConfigOutcome ConfigBackup::save(const QDir& folder, const QString& instrument, const ConfigRows& rows,
                                 const QDateTime& at, QString* fileName)
{
    if (!folder.mkpath(QStringLiteral(".")))
        return ConfigOutcome::fileFailure(ConfigOperation::Backup,
                                          FileFailure::of(FileFailure::CannotCreateFolder, folder.absolutePath()));
    const QString name = safeName(instrument);
    QString path =
        folder.filePath(QStringLiteral("%1-%2.csv").arg(name, at.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    // Two writes within a second keep both backups.
    for (int extra = 2; QFileInfo::exists(path); ++extra)
        path = folder.filePath(
            QStringLiteral("%1-%2-%3.csv").arg(name, at.toString(QStringLiteral("yyyyMMdd-HHmmss"))).arg(extra));
    if (!ConfigCsv::exportTo(path, rows).ok)
        return ConfigOutcome::fileFailure(ConfigOperation::Backup, FileFailure::of(FileFailure::CannotWrite, path));
    if (fileName)
        *fileName = path;
    // The file names sort by time; the oldest beyond the kept number go.
    QStringList backups = folder.entryList({name + QStringLiteral("-*.csv")}, QDir::Files, QDir::Name);
    backups.erase(std::remove_if(
                      backups.begin(), backups.end(),
                      [&name](const QString& file) {
                          return !file.mid(name.size() + 1, 8).contains(QRegularExpression(QStringLiteral("^\\d{8}$")));
                      }),
                  backups.end());
    while (backups.size() > KeptPerInstrument)
        QFile::remove(folder.filePath(backups.takeFirst()));
    ConfigOutcome saved = ConfigOutcome::success(ConfigOperation::Backup);
    saved.savedTo = path;
    return saved;
}
