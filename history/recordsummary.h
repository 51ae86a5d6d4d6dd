#pragma once

#include <QList>
#include <QString>

class RecordColumns;

// One numeric column over a query's records: how many hold a number, the least and the greatest
// with the time of their first occurrence, and the mean.
struct ColumnSummary
{
    int column = -1;
    QString name; // the header's name for it
    qint64 count = 0;
    double minimum = 0;
    double minimumTime = 0; // milliseconds since the epoch, wall-clock read as UTC
    double maximum = 0;
    double maximumTime = 0;
    double mean = 0;
};

// The summary of every numeric column, in column order.
QList<ColumnSummary> summarizeColumns(const RecordColumns& columns);
