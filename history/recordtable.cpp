#include "history/recordtable.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {

// The separators of a record line: any single white-space character or a comma.
bool isSeparator(QChar c)
{
    return c.isSpace() || c == QLatin1Char(',');
}

} // namespace

QStringList splitFields(const QStringRef& line)
{
    QStringList fields;
    int start = 0;
    for (int i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !isSeparator(line.at(i)))
            continue;
        if (i > start)
            fields.append(line.mid(start, i - start).toString());
        start = i + 1;
    }
    return fields;
}

QStringList splitFields(const QString& line)
{
    return splitFields(QStringRef(&line));
}

int countColumns(const QString& text)
{
    int count = 0;
    int start = 0;
    while (start <= text.size()) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        count = splitFields(text.midRef(start, end - start)).size();
        if (count >= 2)
            return count;
        start = end + 1;
    }
    return count;
}

QStringList fitRow(const QStringRef& line, int columns)
{
    QStringList fields = splitFields(line);
    if (fields.size() > qMax(columns, 2)) {
        fields[0] += QLatin1Char(' ') + fields.at(1);
        fields.removeAt(1);
    }
    while (fields.size() > columns)
        fields.removeLast();
    return fields;
}

QStringList fitRow(const QString& line, int columns)
{
    return fitRow(QStringRef(&line), columns);
}

void drawGrid(QPainter& painter, const QRect& table, int firstWidth, int otherWidth, int rowHeight, int columns,
              int rows)
{
    if (rows <= 0)
        return;
    const int left = table.left();
    const int top = table.top();
    for (int k = 0; k <= rows; ++k)
        painter.drawLine(left, top + k * rowHeight, table.right() + 1, top + k * rowHeight);
    int x = left;
    for (int k = 0; k <= columns; ++k) {
        painter.drawLine(x, top, x, top + rows * rowHeight);
        x += k == 0 ? firstWidth : otherWidth;
    }
}

void drawRow(QPainter& painter, int left, int top, int firstWidth, int otherWidth, int columns,
             const QStringList& fields)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int baseline = top + metrics.height();
    int cellLeft = left;
    for (int i = 0; i < columns && i < fields.size(); ++i) {
        const int cellWidth = i == 0 ? firstWidth : otherWidth;
        const int x = cellLeft + (cellWidth - metrics.horizontalAdvance(fields.at(i))) / 2;
        painter.drawText(QPoint(x, baseline), fields.at(i));
        cellLeft += cellWidth;
    }
}
