#include "tools/zq-cli/shownrows.h"

#include "config/itemtext.h"

void ShownRows::add(int index, const QStringList& fields)
{
    HeldRow released;
    const bool skipped = skipRow(skipMap, index, fields, pending, released);
    // A held name row goes in just before the model row that released it.
    if (released.present)
        append(released.index, released.fields);
    if (!skipped)
        append(index, fields);
}

void ShownRows::append(int index, const QStringList& fields)
{
    ConfigRow row;
    row.index = index;
    row.nameColumn = QStringLiteral("%1. ").arg(shown.size() + 1, 2, 10, QLatin1Char('0')) + fields.value(0).trimmed();
    if (fields.size() >= 2)
        row.valueColumn = QStringLiteral(": ") + itemValue(fields);
    shown.append(row);
}
