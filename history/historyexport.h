#pragma once

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class RecordStore;

// Why an export did not write its file.
enum class ExportFailure {
    None,
    CannotOpen, // the file could not be created
    CannotWrite, // writing or putting it in place failed; an earlier file stays as it was
    NoColumns, // no line has two fields or more: nothing to lay out as a table
    FontTooLarge // not one row fits a page in the font asked for
};

// The words of the PDF report, made where texts are made (history/texts) and passed in.
struct ReportTexts
{
    QString title; // "历史数据"
    QString model; // "型号 %1"
    QString serial; // "序列号 %1"
    QString range; // "%1 至 %2"
    QString exportedAt; // "导出于 %1"
    QString page; // "第 %1 页 / 共 %2 页"
    QString summaryTitle; // "统计"
    QStringList summaryHeads; // column, count, minimum, its time, maximum, its time, mean
    QString chartTitle; // "趋势"
    QString normalised; // the value axis's title when several curves share it
    QString dateName; // the record table's names for unnamed columns
    QString timeName;
    QString columnName; // "第 %1 列"
};

// What the PDF report's first page says above the records: the instrument (from the last
// configuration read, when there was one), the dates asked for, when it was made, and which
// curves over which span the chart shows (as on screen).
struct PdfHeading
{
    QString instrument;
    QString model;
    QString serial;
    QDate from;
    QDate to;
    QDateTime exportedAt;
    QList<int> chartColumns; // the numeric columns drawn; empty: all of them
    double chartFrom = 0; // the span drawn (milliseconds, wall clock read as UTC); equal: all
    double chartTo = 0;
};

// Saves the records of a history query as a PDF report.
class HistoryExport
{
public:
    // path with the suffix of the filter's first pattern added when the name has none and names no
    // existing file.
    static QString withSuffix(const QString& path, const QString& filter);

    // The lines as a table for whoever wants them as data: one row per line with fields, the
    // header's first name over the date and the time's column unnamed when the records give them
    // a field each.
    static QList<QStringList> tableRows(const RecordStore& records);

    // The report on A4 pages: a first page with the title band (instrument, dates, time made), the
    // summary of the numeric columns and the trend chart; then the records as a ruled table, the
    // header line heading every page, the last page ruled only as far as it is filled. Every page
    // is numbered "x / y". A failed export leaves no file of its own making.
    static ExportFailure exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                                   const ReportTexts& texts);
    // The same in the given font (tests choose one too tall for a row).
    static ExportFailure exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                                   const ReportTexts& texts, const QFont& font);
    // The pages the records take after the first page, at the font's rows per page.
    static int recordPages(const RecordStore& records, const QFont& font);

    // The default font in a family that has the Chinese glyphs, where one is installed.
    static QFont tableFont();
};
