// Labels: net pty gui
#include "link/lineassembler.h"
#include "link/linktimings.h"
#include "tst_historyrig.h"

#include <QSignalSpy>

// Queries through the history dialog, against the simulator over UDP and over a pseudo-terminal.
class TestHistoryRead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void lineAssembly_data();
    void lineAssembly();
    void showsRecordsAsSent_data();
    void showsRecordsAsSent();
    void secondPressDuringTransfer_data();
    void secondPressDuringTransfer();
    void onlyTwoDigitsOfTheYearTravel_data();
    void onlyTwoDigitsOfTheYearTravel();
};

// The instrument's chunks come milliseconds apart here: a shorter silence ends each transfer sooner.
void TestHistoryRead::initTestCase()
{
    static LinkTimings quick;
    quick.streamSilenceUdpMs = 400;
    quick.streamSilenceSerialMs = 400;
    LinkTimings::install(&quick);
}

void TestHistoryRead::cleanupTestCase()
{
    LinkTimings::install(nullptr);
}

void TestHistoryRead::lineAssembly_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QByteArray>("rest");
    QTest::newRow("two lines in one chunk") << QList<QByteArray>{"a 1\r\nb 2\r\n"}
                                            << QList<QByteArray>{"a 1\r\n", "b 2\r\n"} << QByteArray();
    QTest::newRow("line across three chunks") << QList<QByteArray>{"20", "26-01-01 ", "1\nx"}
                                              << QList<QByteArray>{"2026-01-01 1\n"} << QByteArray("x");
    QTest::newRow("empty lines kept") << QList<QByteArray>{"\n\r\n", "\n"} << QList<QByteArray>{"\n", "\r\n", "\n"}
                                      << QByteArray();
    QTest::newRow("no line feed at all") << QList<QByteArray>{"ab", "", "c"} << QList<QByteArray>{} << QByteArray("abc");
    QTest::newRow("GB2312 character cut between chunks")
        << QList<QByteArray>{"\xD5", "\xFD\xB3\xA3\n"} << QList<QByteArray>{"\xD5\xFD\xB3\xA3\n"} << QByteArray();
}

void TestHistoryRead::lineAssembly()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QByteArray, rest);
    LineAssembler assembler;
    QList<QByteArray> got;
    for (const QByteArray& chunk : chunks)
        got += assembler.feed(chunk);
    QCOMPARE(got, lines);
    QCOMPARE(assembler.flush(), rest);
    QVERIFY(assembler.isEmpty());
}

void TestHistoryRead::showsRecordsAsSent_data()
{
    addTransportRows();
}

// Small chunks cut records (and their GB2312 characters) in pieces; the bytes after the last line
// feed appear at the end. Each line reaches the dialog as one signal, terminator included.
void TestHistoryRead::showsRecordsAsSent()
{
    QFETCH(Transport, transport);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    const QByteArray tail = QByteArray("2026-03-02 00:00:00 ") + encodeDeviceText(QStringLiteral("结束"));
    rig.sim()->setHistoryRecordCount(40);
    rig.sim()->setHistoryTail(tail);
    rig.sim()->setHistoryPace(24, 7, 2);
    rig.textBox()->setPlainText(QStringLiteral("left from an earlier query"));
    QSignalSpy lines(&rig.dialog->reader(), SIGNAL(signalAddText(QString)));

    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());

    QCOMPARE(rig.text(), shownText(QDate(2026, 3, 1), QDate(2026, 3, 1), 40, tail));
    QVERIFY(rig.text().contains(QStringLiteral("正常")));
    QCOMPARE(lines.size(), 1 + 40 + 1);
    QCOMPARE(lines.at(1).at(0).toString(), QStringLiteral("2026-03-01 00:00:00 ")
                                               + HistoryGenerator(QDate(2026, 3, 1), QDate(2026, 3, 1), 40)
                                                     .record(0).section(QLatin1Char(' '), 2));
    QVERIFY(lines.at(1).at(0).toString().endsWith(QStringLiteral("\r\n")));
    QCOMPARE(lines.last().at(0).toString(), decodeDeviceText(tail));
    QVERIFY(rig.prompter.shown.isEmpty());
}

void TestHistoryRead::secondPressDuringTransfer_data()
{
    addTransportRows();
}

void TestHistoryRead::secondPressDuringTransfer()
{
    QFETCH(Transport, transport);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(30);
    rig.sim()->setHistoryPace(24, 64, 15);

    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QTRY_VERIFY(!rig.text().isEmpty());
    rig.query(QDate(2026, 4, 1), QDate(2026, 4, 1));
    QVERIFY(rig.waitForRun());

    QCOMPARE(rig.queries(), 1);
    QCOMPARE(rig.text(), shownText(QDate(2026, 3, 1), QDate(2026, 3, 1), 30));
    QVERIFY(rig.prompter.shown.isEmpty());
}

void TestHistoryRead::onlyTwoDigitsOfTheYearTravel_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("firstRecord");
    QTest::newRow("2000") << QDate(2000, 1, 1) << QStringLiteral("2000-01-01 00:00:00 ");
    QTest::newRow("2100") << QDate(2100, 12, 31) << QStringLiteral("2000-12-31 00:00:00 ");
}

// The instrument reads the year as 2000 plus the byte it gets, so 2100 comes back as 2000.
void TestHistoryRead::onlyTwoDigitsOfTheYearTravel()
{
    QFETCH(QDate, start);
    QFETCH(QString, firstRecord);
    HistoryRig rig;
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(3);
    rig.query(start, start);
    QVERIFY(rig.waitForRun());
    const QStringList lines = rig.text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + 3 + 1);
    QVERIFY2(lines.at(1).startsWith(firstRecord), qPrintable(lines.at(1)));
}

QTEST_MAIN(TestHistoryRead)
#include "tst_historyread.moc"
