// Labels: fast
// The history's records held compactly: numbers come back exactly as read, lines byte for byte
// across the store's chunks, and a chart's series reads its column without a copy.
#include "history/chartseries.h"
#include "history/compactnumbers.h"
#include "history/recordcolumns.h"
#include "history/recordstore.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

class TestHistoryMemory : public QObject
{
    Q_OBJECT
private slots:
    void numbersComeBackExactly_data();
    void numbersComeBackExactly();
    void linesAcrossChunks();
    void seriesOfAColumn_data();
    void seriesOfAColumn();
};

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

void TestHistoryMemory::numbersComeBackExactly_data()
{
    QTest::addColumn<double>("base");
    QTest::addColumn<QList<double>>("numbers");
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<bool>("compact");
    QTest::newRow("tenths and hundredths, finer later")
        << 0.0 << QList<double>{18.6, -3.2, 0, 3.61, None, 62.15} << QList<int>{-1, -1, 0, -2, 0, -2} << true;
    QTest::newRow("coarse numbers after fine ones")
        << 0.0 << QList<double>{0.001, 12, 1500} << QList<int>{-3, 0, 2} << true;
    QTest::newRow("too many digits for four bytes")
        << 0.0 << QList<double>{1.5, 123456789012.0, 2.25} << QList<int>{-1, 0, -2} << false;
    QTest::newRow("a finer fraction no longer fits")
        << 0.0 << QList<double>{2000000.0, 0.000001} << QList<int>{0, -6} << false;
    QTest::newRow("an exponent, read as it was") << 0.0 << QList<double>{1.0, 1e-300} << QList<int>{0, -1000} << false;
    QTest::newRow("a digit hint that lies") << 0.0 << QList<double>{0.1 + 0.2} << QList<int>{-1} << false;
    // Times: milliseconds from the first, kept as seconds while they are whole.
    const double march = 1772323200000.0;
    QTest::newRow("times a month apart, whole seconds")
        << march << QList<double>{march, march + 86400000.0 * 31, march - 1000, None} << QList<int>{3, 3, 3, 0} << true;
    QTest::newRow("tenths of a second over a month still fit")
        << march << QList<double>{march, march + 86400000.0 * 31, march + 500} << QList<int>{3, 3, 2} << true;
    QTest::newRow("milliseconds over a month do not")
        << march << QList<double>{march, march + 86400000.0 * 31, march + 501} << QList<int>{3, 3, 0} << false;
}

void TestHistoryMemory::numbersComeBackExactly()
{
    QFETCH(double, base);
    QFETCH(QList<double>, numbers);
    QFETCH(QList<int>, digits);
    QFETCH(bool, compact);
    CompactNumbers column(base);
    for (int i = 0; i < numbers.size(); ++i)
        column.append(numbers.at(i), digits.at(i));
    QCOMPARE(int(column.size()), numbers.size());
    for (int i = 0; i < numbers.size(); ++i)
        QVERIFY2(same(column.at(size_t(i)), numbers.at(i)), qPrintable(QString::number(i)));
    QCOMPARE(column.isCompact(), compact);
}

// Lines as received, whatever their terminators, come back byte for byte; a line across the
// boundary of two chunks, and lines past many marks, too.
void TestHistoryMemory::linesAcrossChunks()
{
    RecordStore store;
    QList<QByteArray> sent;
    QByteArray bytes;
    for (int i = 0; bytes.size() < (3 << 20); ++i) {
        QByteArray line = QByteArray("2026-03-01 00:00:00 ") + QByteArray::number(i) + ','
            + QByteArray(i % 97, char('a' + i % 26)) + (i % 3 == 0 ? "\r\n" : "\n");
        sent.append(line);
        bytes += line;
    }
    const QByteArray tail("2026-03-01 23:59:59 no line feed");
    sent.append(tail);
    bytes += tail;
    // In pieces that end inside lines, as datagrams do not: the store takes whole lines only, so
    // the pieces are cut at line feeds here.
    int from = 0;
    while (from < bytes.size()) {
        const int cut = bytes.indexOf('\n', qMin(bytes.size() - 1, from + 70000));
        const int next = cut < 0 ? bytes.size() : cut + 1;
        store.appendRaw(bytes.mid(from, next - from));
        from = next;
    }
    QCOMPARE(store.lineCount(), sent.size());
    QCOMPARE(store.recordCount(), sent.size());
    for (int row = 0; row < sent.size(); ++row) {
        if (store.rawLine(row) != sent.at(row))
            QFAIL(qPrintable(QStringLiteral("line %1 differs").arg(row)));
    }
    QCOMPARE(store.line(sent.size() - 2), QString::fromLatin1(sent.at(sent.size() - 2)).trimmed());
    QCOMPARE(store.line(sent.size() - 1), QString::fromLatin1(tail));
    QCOMPARE(store.longestLine(0, store.lineCount()) % 97, 96);
    // Index and text: about the text's own size.
    QVERIFY2(store.memoryBytes() < bytes.size() + 1.1 * (4 << 20), qPrintable(QString::number(store.memoryBytes())));

    // A copy shares the bytes and keeps them when the first is cleared.
    const RecordStore copy = store;
    store.clear();
    QCOMPARE(copy.rawLine(sent.size() / 2), sent.at(sent.size() / 2));
    QCOMPARE(store.lineCount(), 0);
}

void TestHistoryMemory::seriesOfAColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QPointF>>("points"); // seconds from the first record, value
    QTest::newRow("every record in order")
        << "t v\n2026-03-01 00:00:00 1.5\n2026-03-01 00:00:01 -2\n2026-03-01 00:00:03 4.25\n"
        << QList<QPointF>{{0, 1.5}, {1, -2}, {3, 4.25}};
    QTest::newRow("a gap and a clock set back")
        << "t v\n2026-03-01 00:00:10 1\n2026-03-01 00:00:11\nnoise\n2026-03-01 00:00:05 3\n2026-03-01 00:00:12 2\n"
        << QList<QPointF>{{-5, 3}, {0, 1}, {2, 2}};
}

void TestHistoryMemory::seriesOfAColumn()
{
    QFETCH(QString, text);
    QFETCH(QList<QPointF>, points);
    const RecordStore store = RecordStore::fromText(text);
    auto columns = std::make_shared<RecordColumns>();
    columns->update(store);
    const QList<ChartSeries> series = ChartSeries::fromColumns(columns, {"", "", "v"});
    QCOMPARE(series.size(), 1);
    const double first = columns->time(0);
    QCOMPARE(series.first().size(), points.size());
    for (int i = 0; i < points.size(); ++i)
        QCOMPARE(QPointF((series.first().at(i).x() - first) / 1000, series.first().at(i).y()), points.at(i));
    // Records gained later are not the series'; columns given up stay the series' own.
    const RecordStore more = RecordStore::fromText(text + "2026-03-01 00:00:20 9\n");
    columns->update(more);
    columns.reset();
    QCOMPARE(series.first().size(), points.size());
    QCOMPARE(series.first().maximum(),
             std::max_element(points.begin(), points.end(), [](auto a, auto b) { return a.y() < b.y(); })->y());
}

QTEST_MAIN(TestHistoryMemory)
#include "tst_historymemory.moc"
