#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QString>

// Saves the records of the history dialog's text box. Each export returns an empty text when it
// succeeded, else what to tell the operator (under the title "导出历史数据"); a failed export
// leaves no file of its own making behind.
class HistoryExport
{
    Q_DECLARE_TR_FUNCTIONS(HistoryExport)
public:
    // The text as it stands, in the system's codec, without a byte order mark.
    static QString exportCsv(const QString& text, const QString& path);

    // The records as a ruled table on A4 pages, one line per row, the first line too.
    static QString exportPdf(const QString& text, const QString& path);
    // The same in the given font (tests choose one too tall for a row).
    static QString exportPdf(const QString& text, const QString& path, const QFont& font);

    // The default font in a family that has the Chinese glyphs, where one is installed.
    static QFont tableFont();
};
