// The history's records once they are in: 100,000 by default, as the simulator's generator sends
// them. Per round, each measured path beside its floor, one right after the other:
//   table shown   the store, columns and table model filled and the view painted, against the bare
//                 stream (the bytes cut into lines and decoded);
//   sort          the proxy sorting by temperature, against std::sort of the same numbers (the
//                 operator's limit is 300 ms);
//   chart         the trend chart's curves set and painted, against a bare QPainter polyline of
//                 every point on an image of the chart's size;
//   PDF           the report written, against writing the records' text to a file.
// Last, the resident memory the records, table and chart hold against the text's size (goal ≤ 2×).
// Usage: bench_historyview [--loaded] [--rounds N] [records, default 100000]
#include "bench/support/benchrun.h"
#include "history/chartseries.h"
#include "history/historyexport.h"
#include "history/recordstore.h"
#include "history/texts/historytexts.h"
#include "history/ui/historychart.h"
#include "history/ui/recordtablemodel.h"
#include "link/devicetextdecoder.h"
#include "sim/historygenerator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <numeric>

namespace {

const QDate First(2026, 1, 1);
const QDate Last(2026, 3, 31);

QByteArray generated(int records)
{
    HistoryGenerator generator(First, Last, records);
    QByteArray bytes;
    for (QByteArray chunk = generator.next(1 << 16); !chunk.isEmpty(); chunk = generator.next(1 << 16))
        bytes += chunk;
    return bytes;
}

double msSince(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// What the dialog holds for a query: the lines, the table over them, its sorting proxy and view.
struct Shown
{
    RecordStore store;
    RecordTableModel table{store};
    RecordSortProxy proxy;
    QTableView view;
    HistoryChart chart;

    Shown()
    {
        proxy.setSourceModel(&table);
        view.setModel(&proxy);
        view.resize(1000, 500);
        chart.resize(1000, 400);
    }
    void fill(const QByteArray& bytes)
    {
        store.appendRaw(bytes);
        table.publish();
        view.show();
        view.grab();
    }
    void draw()
    {
        chart.setSeries(ChartSeries::fromColumns(table.sharedColumns(), table.columnNames()));
        chart.show();
        chart.grab();
    }
};

double bareStream(const QByteArray& bytes)
{
    QElapsedTimer clock;
    clock.start();
    const DeviceTextDecoder decoder;
    const QString text = decoder.decodeLines(bytes);
    volatile int lines = text.count(QLatin1Char('\n'));
    (void)lines;
    return msSince(clock);
}

double bareSort(const RecordColumns& columns, int column)
{
    QElapsedTimer clock;
    clock.start();
    std::vector<int> order(size_t(columns.recordCount()));
    std::iota(order.begin(), order.end(), 0);
    std::vector<double> keys(order.size());
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = columns.value(int(i), column);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    return msSince(clock);
}

double barePolylines(const QList<ChartSeries>& series, const QSize& size)
{
    QElapsedTimer clock;
    clock.start();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ChartSeries& one : series) {
        QPolygonF line;
        line.reserve(one.size());
        const double span = qMax(1.0, one.lastTime() - one.firstTime());
        const double range = qMax(1e-9, one.maximum() - one.minimum());
        for (int i = 0; i < one.size(); ++i)
            line.append(QPointF((one.at(i).x() - one.firstTime()) / span * size.width(),
                                (one.maximum() - one.at(i).y()) / range * size.height()));
        painter.drawPolyline(line);
    }
    painter.end();
    return msSince(clock);
}

double bareText(const RecordStore& store, const QString& path)
{
    QElapsedTimer clock;
    clock.start();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    for (int row = 0; row < store.lineCount(); ++row)
        file.write(store.line(row).toUtf8() + '\n');
    file.close();
    return msSince(clock);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 5);
    const int records = options.rest.isEmpty() ? 100000 : qMax(1, options.rest.first().toInt());
    QTemporaryDir workDir;
    const QByteArray bytes = generated(records);
    const BusyLoops load(options.loaded);
    printHeading("bench_historyview: the records shown, sorted, charted and printed", options);
    std::printf("  %d records, %.1f MiB of text\n", records, bytes.size() / 1048576.0);

    RoundFigures shownFigures;
    RoundFigures sortFigures;
    RoundFigures chartFigures;
    RoundFigures pdfFigures;
    QVector<double> sortMs;
    for (int round = 0; round < options.rounds; ++round) {
        auto shown = std::make_unique<Shown>();
        QElapsedTimer clock;
        const double streamFloor = bareStream(bytes);
        clock.start();
        shown->fill(bytes);
        shownFigures.add(msSince(clock), streamFloor);

        const int temperature = RecordColumns::FirstFieldColumn;
        const double sortFloor = bareSort(shown->table.columns(), temperature);
        clock.start();
        shown->proxy.sort(temperature, Qt::DescendingOrder);
        const double sorted = msSince(clock);
        sortMs.append(sorted);
        sortFigures.add(sorted, sortFloor);

        const QList<ChartSeries> series =
            ChartSeries::fromColumns(shown->table.sharedColumns(), shown->table.columnNames());
        const double chartFloor = barePolylines(series, shown->chart.size());
        clock.start();
        shown->draw();
        chartFigures.add(msSince(clock), chartFloor);

        const QString pdf = workDir.filePath(QStringLiteral("report.pdf"));
        const double pdfFloor = bareText(shown->store, workDir.filePath(QStringLiteral("records.txt")));
        clock.start();
        const ExportFailure failure = HistoryExport::exportPdf(shown->store, pdf, PdfHeading(), reportTexts());
        const double printed = msSince(clock);
        if (failure != ExportFailure::None)
            std::printf("  the PDF export failed\n");
        pdfFigures.add(printed, pdfFloor);
        std::printf("  round %d: shown %.0f ms (stream %.0f), sort %.0f ms (std::sort %.1f), chart %.0f ms"
                    " (polyline %.0f), PDF %.0f ms (text %.0f)\n",
                    round + 1, shownFigures.medianMeasured(), streamFloor, sorted, sortFloor,
                    chartFigures.medianMeasured(), chartFloor, printed, pdfFloor);
        std::fflush(stdout);
    }
    printRatioSummary(QStringLiteral("history view: table shown"), shownFigures, QStringLiteral("ms"));
    printRatioSummary(QStringLiteral("history view: sort by temperature"), sortFigures, QStringLiteral("ms"));
    printSummary(QStringLiteral("history view: sort time (limit 300 ms)"), RoundFigures::percentile(sortMs, 50),
                 RoundFigures::percentile(sortMs, 90), QStringLiteral("ms"), QStringLiteral("300 ms"), sortMs.size());
    printRatioSummary(QStringLiteral("history view: chart drawn"), chartFigures, QStringLiteral("ms"));
    printRatioSummary(QStringLiteral("history view: PDF report"), pdfFigures, QStringLiteral("ms"));

    // Memory: everything a shown query holds, against the text's size.
    {
        malloc_trim(0);
        const qint64 before = residentBytes();
        auto shown = std::make_unique<Shown>();
        shown->fill(bytes);
        shown->draw();
        malloc_trim(0);
        const qint64 grown = residentBytes() - before;
        const double ratio = double(grown) / double(qMax(1, bytes.size()));
        std::printf("Memory: +%.1f MiB resident for %d records with table and chart; %.1f MiB of text: %.2f x\n",
                    grown / 1048576.0, records, bytes.size() / 1048576.0, ratio);
        printSummary(QStringLiteral("history view memory (goal 2 x)"), ratio, ratio, QStringLiteral("x text"),
                     QStringLiteral("%1 MiB").arg(bytes.size() / 1048576.0, 0, 'f', 1), 1);
    }
    return 0;
}
