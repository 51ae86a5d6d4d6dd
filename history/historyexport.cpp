#include "history/historyexport.h"

#include "files/wholefile.h"
#include "history/chartpainter.h"
#include "history/chartseries.h"
#include "history/recordcolumns.h"
#include "history/recordstore.h"
#include "history/recordsummary.h"
#include "history/recordtable.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <cmath>
#include <memory>

namespace {

// The first cell holds a date and a time; it is sized on the widest of them.
const QString DateTimeSample = QStringLiteral("1900-01-01 00:00:00");
// The band above the table and the one below are this tall, plus the page margin.
constexpr int BandHeight = 100;
// Text in the bands is no larger than this, so that a line fits the band with its margin.
constexpr qreal BandPointSize = 8;

// Where the table goes on a page and how big its cells are, in the writer's device units.
struct PageLayout
{
    QRect table;
    int rowHeight = 0;
    int firstWidth = 0;
    int otherWidth = 0;
    int rowsPerPage = 0;
};

PageLayout layoutFor(QPdfWriter& writer, const QFont& font, int columns)
{
    const int width = writer.width();
    const int height = writer.height();
    const int margin = width / 16;
    PageLayout layout;
    layout.table = QRect(QPoint(margin, BandHeight), QPoint(width - margin - 1, height - BandHeight - 1));
    const QFontMetrics metrics(font, &writer);
    layout.rowHeight = metrics.height() + 50;
    layout.firstWidth = metrics.horizontalAdvance(DateTimeSample);
    layout.firstWidth += layout.firstWidth / 4;
    layout.otherWidth = (layout.table.width() - layout.firstWidth) / (columns - 1);
    layout.rowsPerPage = layout.table.height() / layout.rowHeight;
    return layout;
}

// The column count as the table's rule has it: the field count of the first line with two or
// more fields, else that of the last line.
int columnCount(const RecordStore& records)
{
    int count = 0;
    for (int row = 0; row < records.lineCount(); ++row) {
        count = splitFields(records.line(row)).size();
        if (count >= 2)
            return count;
    }
    return count;
}

// Which line goes in which row of which record page. With a header line first, it heads every
// page and the other lines fill the rows below it; otherwise the lines fill every row in turn.
class PagePlan
{
public:
    PagePlan(int lines, int rows, bool header) : lines(lines), rows(rows), header(header && rows >= 2 && lines >= 1)
    {
        const int body = this->header ? lines - 1 : lines;
        const int perPage = this->header ? rows - 1 : rows;
        pages = qMax(1, body / perPage + (body % perPage ? 1 : 0));
    }
    int pageCount() const { return pages; }
    // The line of a row, or -1 for a row past the last line.
    int lineAt(int page, int row) const
    {
        if (header && row == 0)
            return 0;
        const int line = header ? 1 + page * (rows - 1) + row - 1 : page * rows + row;
        return line < lines ? line : -1;
    }
    // The rows a page fills: all of them but on the last page.
    int rowsOn(int page) const
    {
        int used = 0;
        while (used < rows && lineAt(page, used) >= 0)
            ++used;
        return used;
    }

private:
    int lines;
    int rows;
    bool header;
    int pages = 1;
};

QFont bandFont(const QFont& tableFont, QPdfWriter& writer)
{
    QFont font = tableFont;
    if (font.pointSizeF() > BandPointSize)
        font.setPointSizeF(BandPointSize);
    // The band and the page's own margin above it, with a little air.
    const int room = BandHeight + int(writer.pageLayout().marginsPixels(writer.resolution()).top()) - 40;
    const int height = QFontMetrics(font, &writer).height();
    if (height > room && room > 0)
        font.setPointSizeF(font.pointSizeF() * room / height);
    return font;
}

QString instrumentText(const PdfHeading& heading, const ReportTexts& texts)
{
    QStringList parts;
    if (!heading.instrument.isEmpty())
        parts << heading.instrument;
    if (!heading.model.isEmpty())
        parts << texts.model.arg(heading.model);
    if (!heading.serial.isEmpty())
        parts << texts.serial.arg(heading.serial);
    return parts.join(QStringLiteral("  "));
}

QString rangeText(const PdfHeading& heading, const ReportTexts& texts)
{
    if (!heading.from.isValid() || !heading.to.isValid())
        return QString();
    return texts.range.arg(heading.from.toString(Qt::ISODate), heading.to.toString(Qt::ISODate));
}

QString exportedText(const PdfHeading& heading, const ReportTexts& texts)
{
    if (!heading.exportedAt.isValid())
        return QString();
    return texts.exportedAt.arg(heading.exportedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
}

void drawBands(QPainter& painter, const QRect& table, const QFont& font, const PdfHeading& heading,
               const ReportTexts& texts, int page, int pages)
{
    const QFont tableFont = painter.font();
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const int gap = metrics.descent() + 20;

    QStringList right{rangeText(heading, texts), exportedText(heading, texts)};
    right.removeAll(QString());
    const QString rightText = right.join(QStringLiteral("    "));
    const int rightWidth = metrics.horizontalAdvance(rightText);
    const int baseline = table.top() - gap;
    painter.drawText(QPoint(table.right() - rightWidth, baseline), rightText);

    QString leftText = texts.title;
    const QString instrument = instrumentText(heading, texts);
    if (!instrument.isEmpty())
        leftText += QStringLiteral("  ") + instrument;
    const int room = table.width() - rightWidth - metrics.horizontalAdvance(QStringLiteral("    "));
    painter.drawText(QPoint(table.left(), baseline), metrics.elidedText(leftText, Qt::ElideRight, qMax(0, room)));

    const QString number = texts.page.arg(page + 1).arg(pages);
    painter.drawText(
        QPoint(table.center().x() - metrics.horizontalAdvance(number) / 2, table.bottom() + 1 + 20 + metrics.ascent()),
        number);
    painter.setFont(tableFont);
}

// A file that failed half-way never takes the place of the earlier one.
ExportFailure finishFile(WholeFile& file, bool written)
{
    if (!written || file.error() != QFileDevice::NoError || !file.commit()) {
        file.cancel();
        return ExportFailure::CannotWrite;
    }
    return ExportFailure::None;
}

// Windows need not have a Chinese font: the Windows build ships one in "fonts" beside the program.
// Offered to Qt once; says whether it added any.
bool addFontsBesideProgram()
{
    static const bool added = [] {
        const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
        bool any = false;
        for (const QString& name : folder.entryList(QDir::Files))
            any = QFontDatabase::addApplicationFont(folder.filePath(name)) >= 0 || any;
        return any;
    }();
    return added;
}

} // namespace

QString HistoryExport::withSuffix(const QString& path, const QString& filter)
{
    const QRegularExpressionMatch pattern = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(filter);
    // An existing file chosen as it is (the file dialog has asked about overwriting it) stays chosen.
    if (path.isEmpty() || !pattern.hasMatch() || !QFileInfo(path).suffix().isEmpty() || QFileInfo::exists(path))
        return path;
    return path + pattern.captured(1);
}

QList<QStringList> HistoryExport::tableRows(const RecordStore& records)
{
    QList<QStringList> rows;
    // The header names the date and the time together; when the first record gives them a field
    // each, the header leaves the time's column unnamed so that the names stand over their values.
    bool aligned = !records.startsWithHeader();
    for (int row = 0; row < records.lineCount(); ++row) {
        const QString line = records.line(row);
        const QStringList fields = splitFields(line);
        if (fields.isEmpty())
            continue;
        if (!aligned && row > 0 && RecordStore::isRecord(line)) {
            aligned = true;
            if (fields.size() > rows.first().size())
                rows.first().insert(1, QString());
        }
        rows.append(fields);
    }
    return rows;
}

QFont HistoryExport::tableFont()
{
    QFont font = QGuiApplication::font();
    QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
    const QString preferred = QStringLiteral("Noto Sans CJK SC");
    if (!families.contains(preferred) && addFontsBesideProgram())
        families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
    if (families.contains(preferred))
        font.setFamily(preferred);
    else if (!families.isEmpty())
        font.setFamily(families.first());
    return font;
}

namespace {

QString columnTitle(const RecordColumns& columns, int column, const ReportTexts& texts)
{
    const QString name = columns.headerName(column);
    if (!name.isEmpty())
        return name;
    if (column == RecordColumns::DateColumn)
        return texts.dateName;
    if (column == RecordColumns::TimeColumn)
        return texts.timeName;
    return texts.columnName.arg(column + 1);
}

QString recordTime(double ms)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Draws text in a cell of a ruled table: left-aligned for the first column, right for figures.
void drawCell(QPainter& painter, const QRect& cell, const QString& text, bool right)
{
    const int pad = cell.height() / 6;
    painter.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft), text);
}

// The summary as a ruled table from top; returns the y below it.
int drawSummary(QPainter& painter, const QRect& table, int top, int rowHeight, const RecordColumns& columns,
                const QList<ColumnSummary>& summaries, const ReportTexts& texts)
{
    // The two time columns take a time's width; name, count, least, greatest and mean share the rest.
    const int timeWidth = QFontMetrics(painter.font(), painter.device()).horizontalAdvance(DateTimeSample) * 6 / 5;
    const int rest = qMax(0, table.width() - 2 * timeWidth);
    const int widths[] = {rest * 30 / 100, rest * 14 / 100, rest * 17 / 100, timeWidth,
                          rest * 17 / 100, timeWidth,       rest * 22 / 100};
    QList<int> xs{table.left()};
    for (const int width : widths)
        xs.append(xs.last() + width);
    xs.last() = table.right();
    const int rows = 1 + int(summaries.size());
    for (int row = 0; row <= rows; ++row)
        painter.drawLine(table.left(), top + row * rowHeight, table.right(), top + row * rowHeight);
    for (const int x : xs)
        painter.drawLine(x, top, x, top + rows * rowHeight);
    for (int i = 0; i < 7; ++i)
        drawCell(painter, QRect(xs.at(i), top, xs.at(i + 1) - xs.at(i), rowHeight), texts.summaryHeads.value(i), i > 0);
    const QLocale c = QLocale::c();
    for (int row = 0; row < summaries.size(); ++row) {
        const ColumnSummary& summary = summaries.at(row);
        const int decimals = columns.decimals(summary.column);
        const QStringList cells{columnTitle(columns, summary.column, texts), QString::number(summary.count),
                                c.toString(summary.minimum, 'f', decimals),  recordTime(summary.minimumTime),
                                c.toString(summary.maximum, 'f', decimals),  recordTime(summary.maximumTime),
                                c.toString(summary.mean, 'f', decimals + 1)};
        const int y = top + (row + 1) * rowHeight;
        for (int i = 0; i < 7; ++i)
            drawCell(painter, QRect(xs.at(i), y, xs.at(i + 1) - xs.at(i), rowHeight), cells.at(i), i > 0);
    }
    return top + rows * rowHeight;
}

// The first page under its bands: the title block, the summary and the chart.
void drawReportPage(QPainter& painter, const PageLayout& layout, const PdfHeading& heading, const ReportTexts& texts,
                    const std::shared_ptr<const RecordColumns>& shared)
{
    const RecordColumns& columns = *shared;
    const QRect& table = layout.table;
    const QFont body = painter.font();
    QFont titleFont = body;
    titleFont.setBold(true);
    titleFont.setPointSizeF(body.pointSizeF() * 1.6);
    QFont headFont = body;
    headFont.setBold(true);
    const int line = QFontMetrics(body, painter.device()).height();

    int y = table.top() + line / 2;
    painter.setFont(titleFont);
    y += QFontMetrics(titleFont, painter.device()).ascent();
    painter.drawText(QPoint(table.left(), y), texts.title);
    y += QFontMetrics(titleFont, painter.device()).descent() + line / 2;
    painter.setFont(body);
    for (const QString& text :
         {instrumentText(heading, texts), rangeText(heading, texts), exportedText(heading, texts)}) {
        if (text.isEmpty())
            continue;
        y += line;
        painter.drawText(QPoint(table.left(), y), text);
    }

    const QList<ColumnSummary> summaries = summarizeColumns(columns);
    y += line;
    if (!summaries.isEmpty()) {
        painter.setFont(headFont);
        y += line;
        painter.drawText(QPoint(table.left(), y), texts.summaryTitle);
        painter.setFont(body);
        y = drawSummary(painter, table, y + line / 2, layout.rowHeight, columns, summaries, texts);
    }

    ChartPicture picture;
    picture.normalisedTitle = texts.normalised;
    QStringList names;
    for (int column = 0; column < columns.columnCount(); ++column)
        names.append(columnTitle(columns, column, texts));
    for (const ChartSeries& series : ChartSeries::fromColumns(shared, names)) {
        if (heading.chartColumns.isEmpty() || heading.chartColumns.contains(series.column()))
            picture.series.append(series);
    }
    picture.from = heading.chartFrom;
    picture.to = heading.chartTo;
    if (picture.series.isEmpty())
        return;
    painter.setFont(headFont);
    y += line * 2;
    painter.drawText(QPoint(table.left(), y), texts.chartTitle);
    painter.setFont(body);
    const QRect area(table.left(), y + line / 2, table.width(), table.bottom() - y - line);
    if (area.height() > line * 8)
        paintChart(painter, area, picture);
}

} // namespace

int HistoryExport::recordPages(const RecordStore& records, const QFont& font)
{
    const int columns = columnCount(records);
    if (columns <= 1)
        return 0;
    QBuffer nowhere;
    QPdfWriter probe(&nowhere);
    probe.setPageSize(QPageSize(QPageSize::A4));
    const PageLayout layout = layoutFor(probe, font, columns);
    if (layout.rowsPerPage <= 0)
        return 0;
    return PagePlan(records.lineCount(), layout.rowsPerPage, records.startsWithHeader()).pageCount();
}

ExportFailure HistoryExport::exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                                       const ReportTexts& texts)
{
    return exportPdf(records, path, heading, texts, tableFont());
}

ExportFailure HistoryExport::exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                                       const ReportTexts& texts, const QFont& font)
{
    const int columns = columnCount(records);
    if (columns <= 1)
        return ExportFailure::NoColumns;

    // Measured on a writer that paints nothing, so that a refused export creates no file.
    QBuffer nowhere;
    QPdfWriter probe(&nowhere);
    probe.setPageSize(QPageSize(QPageSize::A4));
    const PageLayout layout = layoutFor(probe, font, columns);
    if (layout.rowsPerPage <= 0)
        return ExportFailure::FontTooLarge;

    WholeFile file(path);
    if (!file.open())
        return ExportFailure::CannotOpen;
    QPdfWriter writer(file.device());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(texts.title);
    writer.setCreator(texts.title);
    QPainter painter;
    if (!painter.begin(&writer))
        return finishFile(file, false);
    painter.setFont(font);
    const QPen ruled(QBrush(Qt::black, Qt::SolidPattern), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(ruled);
    const QFont band = bandFont(font, writer);

    const int rows = layout.rowsPerPage;
    const PagePlan plan(records.lineCount(), rows, records.startsWithHeader());
    // The first page is the report's own; the records follow it.
    const int pages = 1 + plan.pageCount();
    const auto table = std::make_shared<RecordColumns>();
    table->update(records);
    drawBands(painter, layout.table, band, heading, texts, 0, pages);
    drawReportPage(painter, layout, heading, texts, table);
    painter.setPen(ruled);

    const int left = layout.table.left();
    for (int page = 0; page < plan.pageCount(); ++page) {
        writer.newPage();
        drawBands(painter, layout.table, band, heading, texts, page + 1, pages);
        // The last page is ruled only as far as it holds lines.
        const int used = plan.rowsOn(page);
        drawGrid(painter, layout.table, layout.firstWidth, layout.otherWidth, layout.rowHeight, columns, used);
        for (int row = 0; row < used; ++row) {
            drawRow(painter, left, layout.table.top() + row * layout.rowHeight, layout.firstWidth, layout.otherWidth,
                    columns, fitRow(records.line(plan.lineAt(page, row)), columns));
        }
    }
    painter.end();
    return finishFile(file, true);
}
