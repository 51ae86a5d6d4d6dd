#include "history/texts/historytexts.h"

#include "history/recordcolumns.h"
#include "history/recordsummary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

// The texts keep the context of the export that made them before, and with it their translations.
ReportTexts reportTexts()
{
    ReportTexts texts;
    texts.title = QCoreApplication::translate("HistoryExport", "历史数据");
    texts.model = QCoreApplication::translate("HistoryExport", "型号 %1");
    texts.serial = QCoreApplication::translate("HistoryExport", "序列号 %1");
    texts.range = QCoreApplication::translate("HistoryExport", "%1 至 %2");
    texts.exportedAt = QCoreApplication::translate("HistoryExport", "导出于 %1");
    texts.page = QCoreApplication::translate("HistoryExport", "第 %1 页 / 共 %2 页");
    texts.summaryTitle = QCoreApplication::translate("HistoryExport", "统计");
    texts.summaryHeads = QStringList{
        QCoreApplication::translate("HistoryExport", "列"),   QCoreApplication::translate("HistoryExport", "条数"),
        QCoreApplication::translate("HistoryExport", "最小"), QCoreApplication::translate("HistoryExport", "最小时刻"),
        QCoreApplication::translate("HistoryExport", "最大"), QCoreApplication::translate("HistoryExport", "最大时刻"),
        QCoreApplication::translate("HistoryExport", "平均")};
    texts.chartTitle = QCoreApplication::translate("HistoryExport", "趋势");
    texts.normalised = QCoreApplication::translate("HistoryExport", "归一化 (0 最小, 1 最大)");
    texts.dateName = QCoreApplication::translate("RecordTableModel", "日期");
    texts.timeName = QCoreApplication::translate("RecordTableModel", "时间");
    texts.columnName = QCoreApplication::translate("RecordTableModel", "第 %1 列");
    return texts;
}

QString exportFailureText(ExportFailure failure, const QString& path)
{
    switch (failure) {
    case ExportFailure::None:
        return QString();
    case ExportFailure::CannotOpen:
        return QCoreApplication::translate("HistoryExport", "打开文件失败: %1").arg(path);
    case ExportFailure::CannotWrite:
        return QCoreApplication::translate("HistoryExport", "写入文件失败: %1").arg(path);
    case ExportFailure::NoColumns:
        return QCoreApplication::translate("HistoryExport", "导出数据失败，数据格式错误");
    case ExportFailure::FontTooLarge:
        return QCoreApplication::translate("HistoryExport", "导出数据失败，字体太大，一页放不下一行");
    }
    return QString();
}

QString recordColumnName(const RecordColumns& columns, int column)
{
    const QString name = columns.headerName(column);
    if (!name.isEmpty())
        return name;
    if (column == RecordColumns::DateColumn)
        return QCoreApplication::translate("RecordTableModel", "日期");
    if (column == RecordColumns::TimeColumn)
        return QCoreApplication::translate("RecordTableModel", "时间");
    return QCoreApplication::translate("RecordTableModel", "第 %1 列").arg(column + 1);
}

namespace {

// Milliseconds since the epoch (wall-clock read as UTC) as the records show a time.
QString recordTime(double ms)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace

QStringList summaryLines(const RecordColumns& columns)
{
    QStringList lines;
    const QLocale c = QLocale::c();
    for (const ColumnSummary& summary : summarizeColumns(columns)) {
        const int decimals = columns.decimals(summary.column);
        lines.append(QCoreApplication::translate("HistoryData", "%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7")
                         .arg(recordColumnName(columns, summary.column), QLocale().toString(summary.count),
                              c.toString(summary.minimum, 'f', decimals), recordTime(summary.minimumTime),
                              c.toString(summary.maximum, 'f', decimals), recordTime(summary.maximumTime),
                              c.toString(summary.mean, 'f', decimals + 1)));
    }
    return lines;
}
