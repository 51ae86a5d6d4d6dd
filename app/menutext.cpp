#include "app/menutext.h"

#include <QAction>
#include <QRegularExpression>

QString withoutMnemonic(QString text)
{
    // Chinese texts carry their letter in brackets, "恢复备份(&B)...": the brackets go with it.
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString operationName(const QAction& action)
{
    return withoutMnemonic(action.text()).remove(QStringLiteral("..."));
}
