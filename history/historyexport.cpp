#include "history/historyexport.h"

#include "files/wholefile.h"
#include "history/recordstore.h"
#include "history/recordtable.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCodec>
#include <QTextStream>

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

// Which line goes in which row of which page. With a header line first, it heads every page and
// the other lines fill the rows below it; otherwise the lines fill every row in turn.
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
    // The line of a row, or -1 for a row left empty.
    int lineAt(int page, int row) const
    {
        if (header && row == 0)
            return 0;
        const int line = header ? 1 + page * (rows - 1) + row - 1 : page * rows + row;
        return line < lines ? line : -1;
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

void drawBands(QPainter& painter, const QRect& table, const QFont& font, const PdfHeading& heading, int page, int pages)
{
    const QFont tableFont = painter.font();
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const int gap = metrics.descent() + 20;

    QStringList right;
    if (heading.from.isValid() && heading.to.isValid())
        right
            << HistoryExport::tr("%1 至 %2").arg(heading.from.toString(Qt::ISODate), heading.to.toString(Qt::ISODate));
    if (heading.exportedAt.isValid())
        right << HistoryExport::tr("导出于 %1").arg(heading.exportedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
    const QString rightText = right.join(QStringLiteral("    "));
    const int rightWidth = metrics.horizontalAdvance(rightText);
    const int baseline = table.top() - gap;
    painter.drawText(QPoint(table.right() - rightWidth, baseline), rightText);

    QString leftText = HistoryExport::tr("历史数据");
    if (!heading.instrument.isEmpty())
        leftText += QStringLiteral("  ") + heading.instrument;
    const int room = table.width() - rightWidth - metrics.horizontalAdvance(QStringLiteral("    "));
    painter.drawText(QPoint(table.left(), baseline), metrics.elidedText(leftText, Qt::ElideRight, qMax(0, room)));

    const QString number = HistoryExport::tr("第 %1 页 / 共 %2 页").arg(page + 1).arg(pages);
    painter.drawText(
        QPoint(table.center().x() - metrics.horizontalAdvance(number) / 2, table.bottom() + 1 + 20 + metrics.ascent()),
        number);
    painter.setFont(tableFont);
}

// A file that failed half-way never takes the place of the earlier one.
QString finishFile(WholeFile& file, bool written)
{
    if (!written || file.error() != QFileDevice::NoError || !file.commit()) {
        file.cancel();
        return HistoryExport::tr("写入文件失败: %1").arg(file.fileName());
    }
    return QString();
}

QString csvCell(const QString& cell)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\\r\\n]"));
    if (!cell.contains(needsQuotes))
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QStringList HistoryExport::csvFilters()
{
    return {tr("记录原文 (*.csv)"), tr("表格 CSV (*.csv)")};
}

HistoryExport::CsvKind HistoryExport::csvKindOf(const QString& filter)
{
    return filter == csvFilters().at(Table) ? Table : RecordLines;
}

QString HistoryExport::withSuffix(const QString& path, const QString& filter)
{
    const QRegularExpressionMatch pattern = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(filter);
    // An existing file chosen as it is (the file dialog has asked about overwriting it) stays chosen.
    if (path.isEmpty() || !pattern.hasMatch() || !QFileInfo(path).suffix().isEmpty() || QFileInfo::exists(path))
        return path;
    return path + pattern.captured(1);
}

QString HistoryExport::exportCsv(const RecordStore& records, const QString& path)
{
    WholeFile file(path);
    if (!file.open(QIODevice::Text))
        return tr("打开文件失败: %1").arg(path);
    QTextStream stream(file.device());
    stream.setCodec(QTextCodec::codecForLocale());
    stream.setGenerateByteOrderMark(false);
    for (int row = 0; row < records.lineCount(); ++row)
        stream << records.line(row) << '\n';
    stream.flush();
    return finishFile(file, stream.status() == QTextStream::Ok);
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

QString HistoryExport::exportTableCsv(const RecordStore& records, const QString& path)
{
    WholeFile file(path);
    if (!file.open())
        return tr("打开文件失败: %1").arg(path);
    bool written = file.device()->write("\xEF\xBB\xBF") == 3;
    for (const QStringList& row : tableRows(records)) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row)
            cells.append(csvCell(cell));
        const QByteArray line = cells.join(QLatin1Char(',')).toUtf8() + "\r\n";
        written = written && file.device()->write(line) == line.size();
    }
    return finishFile(file, written);
}

QFont HistoryExport::tableFont()
{
    QFont font = QGuiApplication::font();
    const QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
    const QString preferred = QStringLiteral("Noto Sans CJK SC");
    if (families.contains(preferred))
        font.setFamily(preferred);
    else if (!families.isEmpty())
        font.setFamily(families.first());
    return font;
}

QString HistoryExport::exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading)
{
    return exportPdf(records, path, heading, tableFont());
}

QString HistoryExport::exportPdf(const RecordStore& records, const QString& path, const PdfHeading& heading,
                                 const QFont& font)
{
    const int columns = columnCount(records);
    if (columns <= 1)
        return tr("导出数据失败，数据格式错误");

    // Measured on a writer that paints nothing, so that a refused export creates no file.
    QBuffer nowhere;
    QPdfWriter probe(&nowhere);
    probe.setPageSize(QPageSize(QPageSize::A4));
    const PageLayout layout = layoutFor(probe, font, columns);
    if (layout.rowsPerPage <= 0)
        return tr("导出数据失败，字体太大，一页放不下一行");

    WholeFile file(path);
    if (!file.open())
        return tr("打开文件失败: %1").arg(path);
    QPdfWriter writer(file.device());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(tr("历史数据"));
    QPainter painter;
    if (!painter.begin(&writer))
        return finishFile(file, false);
    painter.setFont(font);
    painter.setPen(QPen(QBrush(Qt::black, Qt::SolidPattern), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const QFont band = bandFont(font, writer);

    const int rows = layout.rowsPerPage;
    const PagePlan plan(records.lineCount(), rows, records.startsWithHeader());
    const int left = layout.table.left();
    for (int page = 0; page < plan.pageCount(); ++page) {
        drawBands(painter, layout.table, band, heading, page, plan.pageCount());
        drawGrid(painter, layout.table, layout.firstWidth, layout.otherWidth, layout.rowHeight, columns, rows);
        for (int row = 0; row < rows; ++row) {
            const int line = plan.lineAt(page, row);
            if (line < 0)
                continue;
            drawRow(painter, left, layout.table.top() + row * layout.rowHeight, layout.firstWidth, layout.otherWidth,
                    columns, fitRow(records.line(line), columns));
        }
        if (page + 1 < plan.pageCount())
            writer.newPage();
    }
    painter.end();
    return finishFile(file, true);
}
