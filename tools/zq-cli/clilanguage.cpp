#include "tools/zq-cli/clilanguage.h"

#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/translationfiles.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

bool installLanguage(const QString& code)
{
    const QString language =
        code.isEmpty() ? Config().value(Settings::Language).toString() : code;
    if (language.isEmpty())
        return false;
    QLocale::setDefault(languageLocale(language));
    // Lives as long as the process, like the assistant's.
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    // The assistant's own files, looked up where the assistant looks.
    if (!translator.load(translationFile(language)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
