#include "config/rowtext.h"

#include "config/itemtext.h"

QString numberedName(int number, const QString& name)
{
    return QStringLiteral("%1. ").arg(number, 2, 10, QLatin1Char('0')) + name;
}

QString valueText(const ConfigRow& row)
{
    return row.valued ? QStringLiteral(": ") + row.value : QString();
}

ConfigRow rowFromFields(int index, const QStringList& fields)
{
    ConfigRow row;
    row.index = index;
    row.name = fields.value(0).trimmed();
    row.valued = fields.size() >= 2;
    if (row.valued)
        row.value = itemValue(fields);
    return row;
}

QString copiedText(const ConfigRow& row)
{
    return row.name + valueText(row);
}
