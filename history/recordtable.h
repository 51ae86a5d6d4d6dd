#pragma once

#include <QString>
#include <QStringList>

class QPainter;
class QRect;

// How the record lines become table rows: fields, columns and the cells of one row.

// The pieces of one line between white space or commas, with empty pieces dropped.
QStringList splitFields(const QString& line);
QStringList splitFields(const QStringRef& line);

// The field count of the first line with at least two fields (the line that names the columns);
// when there is none, the field count of the last line (0 for an empty text).
int countColumns(const QString& text);

// The line's fields for a table of `columns` columns: a record with more fields than that has its
// date and time joined into the first cell; whatever is still too many is dropped from the end.
QStringList fitRow(const QString& line, int columns);
QStringList fitRow(const QStringRef& line, int columns);

// One page's ruled grid: rows + 1 horizontal lines across the table, columns + 1 vertical lines,
// the first column firstWidth wide and the others otherWidth.
void drawGrid(QPainter& painter, const QRect& table, int firstWidth, int otherWidth, int rowHeight, int columns,
              int rows);

// One row's cell texts, each centred in its cell, on a baseline one line height below top.
void drawRow(QPainter& painter, int left, int top, int firstWidth, int otherWidth, int columns,
             const QStringList& fields);
