// Labels: net gui
// The history's trend chart: thinning that keeps every spike, one curve per numeric column of a
// queried history, the cursor picking a row, the chart's images, and its place in the PDF report.
#include "history/chartseries.h"
#include "history/recordcolumns.h"
#include "history/ui/historychart.h"
#include "link/linktimings.h"
#include "tst_historyrig.h"

#include <QCheckBox>
#include <QImage>
#include <QItemSelectionModel>
#include <QSplitter>

#include <cmath>

class TestHistoryChart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void thinning_data();
    void thinning();
    void curvesOfAQuery();
    void cursorPicksARow();
    void imagesWritten();
};

namespace {

const QDate Day(2026, 3, 1);

// count points a second apart from t0, value f(i).
ChartSeries makeSeries(int count, const std::function<double(int)>& value, bool reversed = false)
{
    std::vector<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const int at = reversed ? count - 1 - i : i;
        points.emplace_back(1000.0 * at, value(at));
    }
    return ChartSeries(2, QStringLiteral("v"), std::move(points));
}

} // namespace

void TestHistoryChart::initTestCase()
{
    static LinkTimings quick;
    quick.streamSilenceUdpMs = 300;
    LinkTimings::install(&quick);
}

void TestHistoryChart::cleanupTestCase()
{
    LinkTimings::install(nullptr);
}

void TestHistoryChart::thinning_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("spikeAt"); // -1: none
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("columns");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("expected"); // -1: at most four a column
    QTest::newRow("few points: all, none added") << 10 << -1 << false << 800 << 0.0 << 9000.0 << 10;
    QTest::newRow("few points in a zoom: the neighbours outside kept")
        << 10 << -1 << false << 800 << 2500.0 << 5500.0 << 5;
    QTest::newRow("100000 points, a spike up") << 100000 << 54321 << false << 800 << 0.0 << 99999000.0 << -1;
    QTest::newRow("100000 points, a spike down") << 100000 << -2 << false << 300 << 0.0 << 99999000.0 << -1;
    QTest::newRow("logged out of order") << 20000 << 777 << true << 100 << 0.0 << 19999000.0 << -1;
    QTest::newRow("nothing in the span") << 100 << -1 << false << 800 << -9000.0 << -5000.0 << 1;
}

void TestHistoryChart::thinning()
{
    QFETCH(int, count);
    QFETCH(int, spikeAt);
    QFETCH(bool, reversed);
    QFETCH(int, columns);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, expected);
    // A gentle wave, with a spike of one point up (spikeAt) or down (-2: in the middle).
    const int down = spikeAt == -2 ? count / 2 : -1;
    const auto value = [&](int i) { return i == spikeAt ? 1000.0 : i == down ? -1000.0 : std::sin(i / 5000.0); };
    const ChartSeries series = makeSeries(count, value, reversed);
    const QVector<QPointF> points = series.thinned(from, to, columns);
    if (expected >= 0) {
        QCOMPARE(points.size(), expected);
    } else {
        QVERIFY2(points.size() <= 4 * columns + 2, qPrintable(QString::number(points.size())));
        QVERIFY(points.size() >= columns);
    }
    for (int i = 1; i < points.size(); ++i)
        QVERIFY(points.at(i - 1).x() <= points.at(i).x());
    // The drawn line reaches the same heights as all the points do.
    double least = 0;
    double greatest = 0;
    if (series.valueRange(from, to, &least, &greatest)) {
        const auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                                     [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
        QVERIFY(low->y() <= least);
        QVERIFY(high->y() >= greatest);
    }
}

// A queried history: one curve per numeric column with every record's point (fewer than the
// pixel columns), the span of the dates asked for, a column ticked off and on again.
void TestHistoryChart::curvesOfAQuery()
{
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    rig.dialog->resize(1100, 800);
    rig.sim()->setHistoryRecordCount(120);
    rig.sim()->setHistoryPace(24, 4096, 1);
    rig.query(Day, Day);
    QVERIFY(rig.waitForRun());
    HistoryChart* chart = rig.dialog->chart();
    QVERIFY(rig.dialog->findChild<QSplitter*>(QStringLiteral("splitRecords")));
    const RecordColumns& columns = rig.dialog->table().columns();
    QCOMPARE(columns.numericColumns().size(), 3);
    QCOMPARE(chart->shownColumns(), columns.numericColumns());
    QTRY_COMPARE(chart->drawnPointCounts(), (QList<int>{120, 120, 120}));
    QCOMPARE(chart->visibleFrom(), double(QDateTime(Day, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch()));
    QCOMPARE(chart->visibleTo(), double(QDateTime(Day.addDays(1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch()));

    auto* humidity = chart->findChild<QCheckBox*>(QStringLiteral("ckColumn3"));
    QVERIFY(humidity);
    humidity->click();
    QCOMPARE(chart->shownColumns(), (QList<int>{2, 4}));
    QCOMPARE(chart->drawnPointCounts(), (QList<int>{120, 120}));
    // The next query keeps the operator's choice.
    rig.query(Day, Day);
    QVERIFY(rig.waitForRun());
    QCOMPARE(chart->shownColumns(), (QList<int>{2, 4}));
    chart->findChild<QCheckBox*>(QStringLiteral("ckColumn3"))->click();
    // A query starts on columns of its own.
    QCOMPARE(chart->shownColumns(), rig.dialog->table().columns().numericColumns());
}

// A click on the chart selects the record nearest its time in the table, sorted or not.
void TestHistoryChart::cursorPicksARow()
{
    HistoryRig rig;
    rig.dialog->resize(1100, 800);
    rig.setLines(QStringLiteral("时间 温度\n2026-03-01 00:00:00 1\n2026-03-01 01:00:00 5\n2026-03-01 02:00:00 3\n"));
    QTest::qWait(60);
    HistoryChart* chart = rig.dialog->chart();
    QTRY_COMPARE(chart->drawnPointCounts(), QList<int>{3});
    auto* table = rig.dialog->findChild<QTableView*>(QStringLiteral("viewTable"));
    table->sortByColumn(2, Qt::DescendingOrder);
    QWidget* canvas = chart->canvas();
    const int x = chart->canvasX(double(QDateTime(Day, QTime(1, 10), Qt::UTC).toMSecsSinceEpoch()));
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(x, canvas->height() / 2));
    const QModelIndexList selected = table->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    // Sorted by temperature descending, the 01:00 record (5) is the first row.
    QCOMPARE(selected.first().row(), 0);
    QCOMPARE(selected.first().siblingAtColumn(1).data().toString(), QStringLiteral("01:00:00"));
}

// The chart as PNG and SVG through the save dialog; the PDF report carries it on its first page.
void TestHistoryChart::imagesWritten()
{
    HistoryRig rig;
    rig.dialog->resize(1100, 800);
    rig.setLines(QStringLiteral("时间 温度 湿度\n2026-03-01 00:00:00 1 50\n2026-03-01 01:00:00 5 52\n"));
    QTest::qWait(60);
    auto* save = rig.dialog->findChild<QPushButton*>(QStringLiteral("bntChartExport"));
    QVERIFY(save);
    rig.prompter.nextFileName(rig.dir.filePath("trend"), QStringLiteral("PNG 图像 (*.png)"));
    save->click();
    QVERIFY(rig.prompter.shown.isEmpty());
    const QImage png(rig.dir.filePath("trend.png"));
    QVERIFY(!png.isNull());
    QVERIFY(png.width() >= rig.dialog->chart()->plotSize().width());

    rig.prompter.nextFileName(rig.dir.filePath("trend"), QStringLiteral("SVG 图像 (*.svg)"));
    save->click();
    QVERIFY(rig.prompter.shown.isEmpty());
    const QByteArray svg = rig.dir.readFile("trend.svg");
    QVERIFY(svg.contains("<svg"));
    QVERIFY(svg.contains("<polyline") || svg.contains("<path"));

    // A folder that is not there: a box says so, nothing is left behind.
    rig.prompter.nextFileName(rig.dir.filePath("missing/trend.png"), QStringLiteral("PNG 图像 (*.png)"));
    save->click();
    QCOMPARE(rig.prompter.shown.size(), 1);
    QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("导出图像"));
}

QTEST_MAIN(TestHistoryChart)
#include "tst_historychart.moc"
