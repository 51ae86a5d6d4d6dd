#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
