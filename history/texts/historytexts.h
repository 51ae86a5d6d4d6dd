#pragma once

#include "history/historyexport.h"

#include <QString>
#include <QStringList>

class RecordColumns;

// The words of the PDF report in the language of the moment.
ReportTexts reportTexts();
// Why an export failed, as the operator reads it under the title "导出历史数据"; empty for None.
QString exportFailureText(ExportFailure failure, const QString& path);

// A column's name as the table heads it: the header's name, else "日期", "时间" or "第 n 列".
QString recordColumnName(const RecordColumns& columns, int column);
// The summary of the numeric columns, one line a column: count, least and greatest with their
// times, mean ("温度(℃): 300 条, 最小 12.0 (...), 最大 ...").
QStringList summaryLines(const RecordColumns& columns);
