// Labels: fast
#include "link/frames.h"
#include "monitor/debugreply.h"
#include "monitor/displayform.h"
#include "link/lineassembler.h"

#include <QTest>

// The monitor's pieces without a link: cutting the stream into lines, the display strings, and
// the debug command's reply behind debug lines.
class TestMonitorLines : public QObject
{
    Q_OBJECT
private slots:
    void assembler_data();
    void assembler();
    void assemblerForgetsUnfinishedLine();
    void display_data();
    void display();
    void stampClockMatchesLocalTime();
    void replyBehindLines_data();
    void replyBehindLines();
};

Q_DECLARE_METATYPE(DisplayForm)

void TestMonitorLines::assembler_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QByteArray>("pending");

    QTest::newRow("two lines in one read") << QList<QByteArray>{"AB\r\nCD\r\n"} << QList<QByteArray>{"AB\r\n", "CD\r\n"} << QByteArray();
    QTest::newRow("line split across reads") << QList<QByteArray>{"[DBG 1] te", "mp=2", "3\r\n"} << QList<QByteArray>{"[DBG 1] temp=23\r\n"} << QByteArray();
    QTest::newRow("unfinished line waits") << QList<QByteArray>{"L1\nnever ", "ended"} << QList<QByteArray>{"L1\n"} << QByteArray("never ended");
    QTest::newRow("bare line feeds are lines") << QList<QByteArray>{"\n\n"} << QList<QByteArray>{"\n", "\n"} << QByteArray();
    QTest::newRow("carriage return alone ends nothing") << QList<QByteArray>{"A\rB\r"} << QList<QByteArray>{} << QByteArray("A\rB\r");
    QTest::newRow("empty read") << QList<QByteArray>{QByteArray()} << QList<QByteArray>{} << QByteArray();
    // A stream without line feeds must not grow one line without end.
    const int bound = LineAssembler::MaxLineBytes;
    const QByteArray full(bound, 'x');
    QTest::newRow("endless line is cut at the bound") << QList<QByteArray>{full + "abc"} << QList<QByteArray>{full} << QByteArray("abc");
    QTest::newRow("cut across reads") << QList<QByteArray>{full.left(bound - 1), "yz\n"}
                                      << QList<QByteArray>{full.left(bound - 1) + 'y', "z\n"} << QByteArray();
    QTest::newRow("line feed right after the bound is no cut") << QList<QByteArray>{full, "\n"} << QList<QByteArray>{full + '\n'}
                                                               << QByteArray();
    QTest::newRow("several cuts in one read") << QList<QByteArray>{full + full + "x"} << QList<QByteArray>{full, full} << QByteArray("x");
}

void TestMonitorLines::assembler()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QByteArray, pending);
    LineAssembler assembler;
    QList<QByteArray> got;
    for (const QByteArray& read : reads)
        got += assembler.feed(read);
    QCOMPARE(got, lines);
    QCOMPARE(assembler.pending(), pending);
}

// A new debug command starts a new stream: the old unfinished line must not prefix the next one.
void TestMonitorLines::assemblerForgetsUnfinishedLine()
{
    LineAssembler assembler;
    QVERIFY(assembler.feed("half").isEmpty());
    assembler.clear();
    QCOMPARE(assembler.feed("new\r\n"), QList<QByteArray>{"new\r\n"});
}

void TestMonitorLines::display_data()
{
    QTest::addColumn<DisplayForm>("form");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");

    const QByteArray chinese = encodeDeviceText(QStringLiteral("温度=23.5℃\r\n"));
    QTest::newRow("original keeps the line as it is") << DisplayForm::Original << chinese << QStringLiteral("温度=23.5℃\r\n");
    QTest::newRow("hex ends each byte with a blank") << DisplayForm::Hex << QByteArray("AB\r\n")
                                                     << QStringLiteral("[2018-05-01 10:20:30.045][4] : 41 42 0D 0A \r\n");
    QTest::newRow("combined trims and flattens the text")
        << DisplayForm::OriginalHex << QByteArray(" A\rB\nC \r\n")
        << QStringLiteral("[2018-05-01 10:20:30.045][9] : A B C ( 20 41 0D 42 0A 43 20 0D 0A  )\r\n");
    QTest::newRow("combined decodes GB2312")
        << DisplayForm::OriginalHex << encodeDeviceText(QStringLiteral("报警\n"))
        << QStringLiteral("[2018-05-01 10:20:30.045][5] : 报警 ( B1 A8 BE AF 0A  )\r\n");
    QTest::newRow("byte count of a long line") << DisplayForm::Hex << QByteArray(12, 'x').append('\n')
                                               << QStringLiteral("[2018-05-01 10:20:30.045][13] : ") + QStringLiteral("78 ").repeated(12)
                                                      + QStringLiteral("0A \r\n");
}

void TestMonitorLines::display()
{
    QFETCH(DisplayForm, form);
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    const QDateTime at(QDate(2018, 5, 1), QTime(10, 20, 30, 45));
    QCOMPARE(displayLine(line, form, at), shown);
}

// The per-line stamp reuses the text of its second; crossing seconds, minutes and days in any
// order must still give the local time that QDateTime gives.
void TestMonitorLines::stampClockMatchesLocalTime()
{
    StampClock clock;
    const qint64 base = QDateTime(QDate(2018, 5, 1), QTime(23, 59, 59, 998)).toMSecsSinceEpoch();
    for (qint64 offset : {0, 1, 2, 3, 999, 1000, 61000, -5, 86400000, 45}) {
        const qint64 at = base + offset;
        QCOMPARE(clock.at(at), QDateTime::fromMSecsSinceEpoch(at).toString(QStringLiteral("[yyyy-MM-dd hh:mm:ss.zzz]")));
    }
}

void TestMonitorLines::replyBehindLines_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<bool>("accepted");

    const QByteArray reply = buildAddressReply(0xFF, "1");
    QByteArray badCrc = reply;
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x5A);
    QTest::newRow("reply alone") << reply << true;
    QTest::newRow("debug lines ahead") << QByteArray("[DBG 00001] a\r\n[DBG 00002] b\r\n") + reply << true;
    QTest::newRow("bad CRC") << QByteArray("line\r\n") + badCrc << false;
    QTest::newRow("another instrument") << QByteArray("x\n") + buildAddressReply(0x01, "1") << false;
    QTest::newRow("lines after the reply") << reply + QByteArray("late\r\n") << false;
    QTest::newRow("lines only") << QByteArray("[DBG 00001] a\r\n") << false;
    QTest::newRow("nothing") << QByteArray() << false;
}

void TestMonitorLines::replyBehindLines()
{
    QFETCH(QByteArray, received);
    QFETCH(bool, accepted);
    QCOMPARE(endsWithItemReply(received, 0xFF), accepted);
}

QTEST_GUILESS_MAIN(TestMonitorLines)
#include "tst_monitorlines.moc"
