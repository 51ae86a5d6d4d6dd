#include "tools/zq-cli/clilanguage.h"

#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

bool installLanguage(const QString& code)
{
    const QString language =
        code.isEmpty() ? singleton<Config>::instance()->value(Settings::Language).toString() : code;
    if (language.isEmpty())
        return false;
    // Lives as long as the process, like the assistant's.
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!translator.load(language) && !translator.load(language, programFolder)
        && !translator.load(language, QDir::cleanPath(programFolder + QStringLiteral("/" ZQ_INSTALLED_TRANSLATIONS))))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
