#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>

class RecordStore;

// What the PDF's band above the table says: the instrument (when a configuration read named it),
// the dates asked for and when the export was made.
struct PdfHeading
{
    QString instrument;
    QDate from;
    QDate to;
    QDateTime exportedAt;
};

// Saves the records of a history query. Each export returns an empty text when it succeeded, else
// what to tell the operator (under the title "导出历史数据"); a failed export leaves no file of its
// own making behind.
class HistoryExport
{
    Q_DECLARE_TR_FUNCTIONS(HistoryExport)
public:
    // The two kinds of CSV file the save dialog offers, in its order.
    enum CsvKind { RecordLines, Table };
    static QStringList csvFilters();
    // The kind a filter of csvFilters() names; RecordLines for anything else.
    static CsvKind csvKindOf(const QString& filter);
    // path with the suffix of the filter's first pattern added when the name has none and names no
    // existing file.
    static QString withSuffix(const QString& path, const QString& filter);

    // The lines as they arrived, one a line, in the system's codec, without a byte order mark.
    static QString exportCsv(const RecordStore& records, const QString& path);
    // A table for spreadsheets: UTF-8 with a byte order mark, one column per field, quoted where
    // needed. A record's date and time take a column each; the header's first name stands over
    // the date and the time's column is left unnamed.
    static QString exportTableCsv(const RecordStore& records, const QString& path);
    // The rows of exportTableCsv without the quoting, for whoever wants them as data.
    static QList<QStringList> tableRows(const RecordStore& records);

    // The lines as a ruled table on A4 pages, under a band that names the instrument, the dates and
    // the export time, with the page number below; the header line heads every page.
    static QString exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading);
    // The same in the given font (tests choose one too tall for a row).
    static QString exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                             const QFont& font);

    // The default font in a family that has the Chinese glyphs, where one is installed.
    static QFont tableFont();
};
