#include "history/recordsummary.h"

#include "history/recordcolumns.h"

#include <cmath>

QList<ColumnSummary> summarizeColumns(const RecordColumns& columns)
{
    QList<ColumnSummary> summaries;
    for (const int column : columns.numericColumns()) {
        ColumnSummary summary;
        summary.column = column;
        summary.name = columns.headerName(column);
        double sum = 0;
        for (int record = 0; record < columns.recordCount(); ++record) {
            const double value = columns.value(record, column);
            if (std::isnan(value))
                continue;
            if (summary.count == 0 || value < summary.minimum) {
                summary.minimum = value;
                summary.minimumTime = columns.time(record);
            }
            if (summary.count == 0 || value > summary.maximum) {
                summary.maximum = value;
                summary.maximumTime = columns.time(record);
            }
            sum += value;
            ++summary.count;
        }
        summary.mean = summary.count > 0 ? sum / double(summary.count) : 0;
        summaries.append(summary);
    }
    return summaries;
}
