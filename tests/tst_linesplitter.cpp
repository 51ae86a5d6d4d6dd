// Labels: fast
#include "linesplit/linesplitter.h"

#include <QTest>

// The one cutter of the instrument's streams into lines (history records, debug lines, zq-cli).
class TestLineSplitter : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void cutsLongLines_data();
    void cutsLongLines();
    void forgetsUnfinishedLine();
};

void TestLineSplitter::lines_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArray>("pending");

    QTest::newRow("two lines in one read")
        << QByteArrayList{"AB\r\nCD\r\n"} << QByteArrayList{"AB\r\n", "CD\r\n"} << QByteArray();
    QTest::newRow("line across three reads")
        << QByteArrayList{"20", "26-01-01 ", "1\nx"} << QByteArrayList{"2026-01-01 1\n"} << QByteArray("x");
    QTest::newRow("unfinished line waits")
        << QByteArrayList{"L1\nnever ", "ended"} << QByteArrayList{"L1\n"} << QByteArray("never ended");
    QTest::newRow("empty lines kept") << QByteArrayList{"\n\r\n", "\n"} << QByteArrayList{"\n", "\r\n", "\n"}
                                      << QByteArray();
    QTest::newRow("carriage return alone ends nothing")
        << QByteArrayList{"A\rB\r"} << QByteArrayList{} << QByteArray("A\rB\r");
    QTest::newRow("empty reads") << QByteArrayList{"ab", "", "c"} << QByteArrayList{} << QByteArray("abc");
    QTest::newRow("GB2312 character cut between reads")
        << QByteArrayList{"\xD5", "\xFD\xB3\xA3\n"} << QByteArrayList{"\xD5\xFD\xB3\xA3\n"} << QByteArray();
    // A stream without line feeds must not grow one line without end.
    const int bound = LineSplitter::MaxLineBytes;
    const QByteArray full(bound, 'x');
    QTest::newRow("endless line is cut at the bound")
        << QByteArrayList{full + "abc"} << QByteArrayList{full} << QByteArray("abc");
    QTest::newRow("cut across reads") << QByteArrayList{full.left(bound - 1), "yz\n"}
                                      << QByteArrayList{full.left(bound - 1) + 'y', "z\n"} << QByteArray();
    QTest::newRow("line feed right after the bound is no cut")
        << QByteArrayList{full, "\n"} << QByteArrayList{full + '\n'} << QByteArray();
    QTest::newRow("several cuts in one read")
        << QByteArrayList{full + full + "x"} << QByteArrayList{full, full} << QByteArray("x");
}

void TestLineSplitter::lines()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, pending);
    LineSplitter splitter;
    QByteArrayList got;
    for (const QByteArray& read : reads)
        got += splitter.feed(read);
    QCOMPARE(got, lines);
    QCOMPARE(splitter.pending(), pending);
    QCOMPARE(splitter.flush(), pending);
    QVERIFY(splitter.isEmpty());
}

void TestLineSplitter::cutsLongLines_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QList<int>>("sizes"); // of the lines handed over
    QTest::addColumn<int>("pending");

    const int max = LineSplitter::MaxLineBytes;
    const QByteArray x(1, 'x');
    QTest::newRow("short line whole") << QByteArrayList{"abc\n"} << QList<int>{4} << 0;
    QTest::newRow("no feed: cut at the limit") << QByteArrayList{x.repeated(max + 10)} << QList<int>{max} << 10;
    // The next byte decides: a line feed ends the line whole, anything else cuts it.
    QTest::newRow("no feed, exactly the limit") << QByteArrayList{x.repeated(max)} << QList<int>{} << max;
    QTest::newRow("no feed over small reads")
        << QByteArrayList{x.repeated(30000), x.repeated(30000), x.repeated(30000)} << QList<int>{max} << 90000 - max;
    QTest::newRow("long line with its feed in one read")
        << QByteArrayList{x.repeated(150000) + "\n"} << QList<int>{max, max, 150001 - 2 * max} << 0;
    QTest::newRow("cut line, then a short one")
        << QByteArrayList{x.repeated(70000) + "\nok\n"} << QList<int>{max, 70001 - max, 3} << 0;
    QTest::newRow("no feed, twice the limit in one read")
        << QByteArrayList{x.repeated(2 * max + 1)} << QList<int>{max, max} << 1;
}

// No line grows beyond the limit, only pieces without their own line feed are cut, and not one
// byte is lost or doubled.
void TestLineSplitter::cutsLongLines()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(QList<int>, sizes);
    QFETCH(int, pending);
    LineSplitter splitter;
    QByteArrayList lines;
    QByteArray sent;
    for (const QByteArray& read : reads) {
        lines += splitter.feed(read);
        sent += read;
    }
    QList<int> got;
    for (const QByteArray& line : lines)
        got.append(line.size());
    QCOMPARE(got, sizes);
    QCOMPARE(splitter.pending().size(), pending);
    QCOMPARE(lines.join() + splitter.pending(), sent);
    for (const QByteArray& line : lines)
        QCOMPARE(LineSplitter::isCut(line), line.size() == LineSplitter::MaxLineBytes && !line.endsWith('\n'));
}

// A new debug command starts a new stream: the old unfinished line must not prefix the next one.
void TestLineSplitter::forgetsUnfinishedLine()
{
    LineSplitter splitter;
    QVERIFY(splitter.feed("half").isEmpty());
    splitter.clear();
    QCOMPARE(splitter.feed("new\r\n"), QByteArrayList{"new\r\n"});
}

QTEST_GUILESS_MAIN(TestLineSplitter)
#include "tst_linesplitter.moc"
