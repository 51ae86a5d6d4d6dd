#include "config/itemcsv.h"

#include "config/itemtext.h"

#include <QRegExp>

QString formatCsvLine(int index, const QString& column0, const QString& column1)
{
    QString value = column1;
    if (value.startsWith(QLatin1Char(':')))
        value.remove(0, 1);
    return QStringLiteral("%1. %2,%3")
        .arg(index, 2, 10, QLatin1Char('0'))
        .arg(itemNameFromColumn(column0), value);
}

bool parseCsvLine(const QString& line, int* index, QStringList* fields)
{
    QRegExp expression(QStringLiteral("^(\\d+)\\.(.+),(.+)?"));
    if (expression.indexIn(line) != 0 || expression.capturedTexts().size() != 4)
        return false;
    const QString name = expression.cap(2).trimmed();
    const QString value = expression.cap(3).trimmed();
    bool ok = false;
    int number = expression.cap(1).trimmed().toInt(&ok, 10);
    if (!ok)
        number = 0;
    *index = number;
    if (number == 0 || number == 1)
        *fields = QStringList{name};
    else
        *fields = QStringList{name, value};
    return true;
}
