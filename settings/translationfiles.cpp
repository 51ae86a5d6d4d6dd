#include "settings/translationfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The names QTranslator::load(code, dir) tries, in its order: code.qm, code, then the code cut
// back at its last '_' or '.' ("en_US" also finds "en.qm"). A folder counts when load() would
// find a file there, so a cut-back file in the working directory still wins over installed ones.
bool folderHasTranslation(const QString& folder, const QString& code)
{
    QString name = code;
    while (!name.isEmpty()) {
        for (const QString& candidate : {name + QStringLiteral(".qm"), name}) {
            const QFileInfo file(QDir(folder).filePath(candidate));
            if (file.isFile() && file.isReadable())
                return true;
        }
        const int cut = qMax(name.lastIndexOf(QLatin1Char('_')), name.lastIndexOf(QLatin1Char('.')));
        if (cut < 0)
            break;
        name.truncate(cut);
    }
    return false;
}

}

QString translationFile(const QString& code)
{
    if (code.isEmpty() || folderHasTranslation(QDir::currentPath(), code))
        return code;

    const QString programFolder = QCoreApplication::applicationDirPath();
    // An installed program finds its share folder relative to itself, so any prefix works,
    // and so does a copy unpacked somewhere else.
    const QStringList folders = {
        programFolder,
        QDir::cleanPath(programFolder + QStringLiteral("/" ZQ_INSTALLED_TRANSLATIONS)),
    };
    for (const QString& folder : folders) {
        if (folderHasTranslation(folder, code))
            return QDir(folder).filePath(code);
    }
    return code;
}

QLocale languageLocale(const QString& code)
{
    if (code == QLatin1String("en_US"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    if (code == QLatin1String("zh_TW"))
        return QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
}
