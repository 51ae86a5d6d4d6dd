#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "settings/translationfiles.h"

QString qtTranslationName(const QString& code)
{
    if (code == QLatin1String("en_US"))
        return QString();
    if (code == QLatin1String("zh_TW"))
        return QStringLiteral("qtbase_zh_TW");
    return QStringLiteral("qtbase_zh_CN");
}

bool applyQtTranslation(QTranslator& translator, const QString& code)
{
    QCoreApplication::removeTranslator(&translator);
    const QString name = qtTranslationName(code);
    if (name.isEmpty() || !translator.load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

void installLanguage(QTranslator& own, QTranslator& qt, const QString& code)
{
    applyQtTranslation(qt, code);
    // Dates and calendars of every window opened from now on speak the language too.
    QLocale::setDefault(languageLocale(code));
    // Installed once at most: a second install would only stack the same translator again.
    QCoreApplication::removeTranslator(&own);
    if (own.load(translationFile(code)))
        QCoreApplication::installTranslator(&own);
}
