#include "config/itemtext.h"

#include <QRegExp>
#include <QRegularExpression>

QStringList splitItemText(const QString& text)
{
    return text.split(QLatin1Char(':'), Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString itemValue(const QStringList& fields)
{
    return fields.mid(1).join(QLatin1Char(':')).trimmed();
}

ItemEnumeration parseEnumeration(const QString& name)
{
    ItemEnumeration result;
    QRegExp expression(QStringLiteral("(^.+)\\((([^/]+/)+[^/]+)\\)$"));
    if (expression.indexIn(name) < 0)
        return result;
    result.isEnumeration = true;
    result.label = expression.cap(1);
    result.options = expression.cap(2).split(QLatin1Char('/'), Qt::KeepEmptyParts);
    return result;
}

QString chooseOption(const QStringList& options, const QString& value)
{
    QString choice;
    for (const QString& option : options) {
        if (value != choice && value.contains(option, Qt::CaseSensitive))
            choice = option;
    }
    return choice;
}

namespace {
// A number, then maybe a unit without digits: "120", "-5.5 ℃", "9600 bps", "10s" (not "12:30:00").
const QRegularExpression& numberWithUnit()
{
    static const QRegularExpression expression(QStringLiteral("^[-+]?\\d+(?:\\.\\d+)?\\s*(\\D*)$"));
    return expression;
}
} // namespace

ValueProblem checkItemValue(const QString& name, const QString& readValue, const QString& value)
{
    const ItemEnumeration enumeration = parseEnumeration(name);
    if (enumeration.isEnumeration)
        return enumeration.options.contains(value) ? ValueProblem::None : ValueProblem::NotAnOption;
    const QRegularExpressionMatch read = numberWithUnit().match(readValue.trimmed());
    if (!read.hasMatch())
        return ValueProblem::None;
    const QRegularExpressionMatch given = numberWithUnit().match(value.trimmed());
    if (!given.hasMatch())
        return ValueProblem::NotANumber;
    const QString unit = given.captured(1).trimmed();
    return unit.isEmpty() || unit == read.captured(1).trimmed() ? ValueProblem::None : ValueProblem::NotANumber;
}
