#include "history/historyexport.h"

#include "history/recordtable.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCodec>
#include <QTextStream>

namespace {

// The first cell holds a date and a time; it is sized on the widest of them.
const QString DateTimeSample = QStringLiteral("1900-01-01 00:00:00");

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
    layout.table = QRect(QPoint(margin, 100), QPoint(width - margin - 1, height - 101));
    const QFontMetrics metrics(font, &writer);
    layout.rowHeight = metrics.height() + 50;
    layout.firstWidth = metrics.horizontalAdvance(DateTimeSample);
    layout.firstWidth += layout.firstWidth / 4;
    layout.otherWidth = (layout.table.width() - layout.firstWidth) / (columns - 1);
    layout.rowsPerPage = layout.table.height() / layout.rowHeight;
    return layout;
}

// Hands out the text's lines one by one without copying the text; past its end, empty lines.
class LineReader
{
public:
    explicit LineReader(const QString& text) : text(text) {}
    QStringRef next()
    {
        if (position > text.size())
            return QStringRef();
        int end = text.indexOf(QLatin1Char('\n'), position);
        if (end < 0)
            end = text.size();
        const QStringRef line = text.midRef(position, end - position);
        position = end + 1;
        return line;
    }

private:
    const QString& text;
    int position = 0;
};

// A file that failed half-way is removed; a device such as /dev/full is left alone.
void removePartialFile(QFile& file)
{
    file.close();
    if (QFileInfo(file.fileName()).isFile())
        file.remove();
}

} // namespace

QString HistoryExport::exportCsv(const QString& text, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return tr("打开文件失败: %1").arg(path);
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForLocale());
    stream.setGenerateByteOrderMark(false);
    stream << text;
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.flush() || file.error() != QFileDevice::NoError) {
        removePartialFile(file);
        return tr("写入文件失败: %1").arg(path);
    }
    file.close();
    return QString();
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

QString HistoryExport::exportPdf(const QString& text, const QString& path)
{
    return exportPdf(text, path, tableFont());
}

QString HistoryExport::exportPdf(const QString& text, const QString& path, const QFont& font)
{
    const int columns = countColumns(text);
    if (columns <= 1)
        return tr("导出数据失败，数据格式错误");

    // Measured on a writer that paints nothing, so that a refused export creates no file.
    QBuffer nowhere;
    QPdfWriter probe(&nowhere);
    probe.setPageSize(QPageSize(QPageSize::A4));
    const PageLayout layout = layoutFor(probe, font, columns);
    if (layout.rowsPerPage <= 0)
        return tr("导出数据失败，字体太大，一页放不下一行");

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("打开文件失败: %1").arg(path);
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!painter.begin(&writer)) {
        removePartialFile(file);
        return tr("写入文件失败: %1").arg(path);
    }
    painter.setFont(font);
    painter.setPen(QPen(QBrush(Qt::black, Qt::SolidPattern), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));

    const int lines = text.count(QLatin1Char('\n')) + 1;
    const int rows = layout.rowsPerPage;
    const int pages = lines / rows + (lines % rows ? 1 : 0);
    const int left = layout.table.left();
    LineReader reader(text);
    for (int page = 0; page < pages; ++page) {
        drawGrid(painter, layout.table, layout.firstWidth, layout.otherWidth, layout.rowHeight, columns, rows);
        for (int row = 0; row < rows; ++row)
            drawRow(painter, left, layout.table.top() + row * layout.rowHeight, layout.firstWidth,
                    layout.otherWidth, columns, fitRow(reader.next(), columns));
        if (page + 1 < pages)
            writer.newPage();
    }
    painter.end();
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        removePartialFile(file);
        return tr("写入文件失败: %1").arg(path);
    }
    file.close();
    return QString();
}
