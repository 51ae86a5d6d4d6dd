// Labels: net pty gui
// Runs apart: cutOffTransfer
#include "history/historyexport.h"
#include "history/recordstore.h"
#include "linesplit/linesplitter.h"
#include "link/devicetext.h"
#include "link/devicetextdecoder.h"
#include "link/linktimings.h"
#include "tst_historyrig.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QSignalSpy>
#include <QTextCodec>

#include <atomic>

// Queries through the history dialog, against the simulator over UDP and over a pseudo-terminal.
class TestHistoryRead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void decodingByBlocks_data();
    void decodingByBlocks();
    void storedLines_data();
    void storedLines();
    void showsRecordsAsSent_data();
    void showsRecordsAsSent();
    void cutOffTransfer_data();
    void cutOffTransfer();
    void stopKeepsTheRecords_data();
    void stopKeepsTheRecords();
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

// A block of lines reads exactly as its lines would one by one, whichever conversion each needs.
void TestHistoryRead::decodingByBlocks_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("ASCII") << QList<QByteArray>{"2026-03-01 00:00:00 1\r\n", "x\n"};
    QTest::newRow("GB2312") << QList<QByteArray>{"\xBC\xC7\xC2\xBC 1\r\n", "2026 \xD5\xFD\xB3\xA3\n"};
    QTest::newRow("one Latin-1 line among GB2312")
        << QList<QByteArray>{"\xD5\xFD\xB3\xA3\n", "caf\xE9 \xFF\n", "\xD5\xFD\n"};
    QTest::newRow("lead byte before the line feed") << QList<QByteArray>{"a\xD5\n", "\xFD\xB3\n"};
    QTest::newRow("last line without feed") << QList<QByteArray>{"\xD5\xFD\n", "\xB3"};
    QTest::newRow("NUL inside") << QList<QByteArray>{QByteArray("a\0b\n", 4), "\xE9\n"};
}

void TestHistoryRead::decodingByBlocks()
{
    QFETCH(QList<QByteArray>, lines);
    QString oneByOne;
    QByteArray block;
    for (const QByteArray& line : lines) {
        oneByOne += decodeDeviceText(line);
        block += line;
    }
    const DeviceTextDecoder decoder;
    QCOMPARE(decoder.decodeLines(block), oneByOne);
    QCOMPARE(decoder.decode(lines.first()), decodeDeviceText(lines.first()));
}

void TestHistoryRead::storedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("header");
    QTest::newRow("header and records") << "时间 温度\r\n2026-03-01 00:00:00 1\r\n2026/3/1 8:00 2\n"
                                        << QStringList{"时间 温度", "2026-03-01 00:00:00 1", "2026/3/1 8:00 2"} << 2
                                        << true;
    QTest::newRow("blank and one-word lines are no records")
        << "\n\r\n结束\n 2026.03.01 08:00:00 x\n"
        << QStringList{"", "", "结束", " 2026.03.01 08:00:00 x"} << 1 << false;
    QTest::newRow("not a date") << "20260301 1\n2026- 1\n12026-03-01\n"
                                << QStringList{"20260301 1", "2026- 1", "12026-03-01"} << 0 << true;
    QTest::newRow("record first") << "2026-03-01 00:00:00 1\n" << QStringList{"2026-03-01 00:00:00 1"} << 1 << false;
    QTest::newRow("carriage returns only at the end go") << "a\rb\r\r\n" << QStringList{"a\rb"} << 0 << true;
    QTest::newRow("Chinese and a long line") << QString(70000, QChar(0x6E29)) + "\n"
                                             << QStringList{QString(70000, QChar(0x6E29))} << 0 << false;
}

// The lines come back as they went in, wherever a storage block ends; records are counted by their
// leading date.
void TestHistoryRead::storedLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(int, records);
    QFETCH(bool, header);
    RecordStore store;
    // Enough lines before the row's to fill more than one block.
    const QString filler = QStringLiteral("2026-01-01 00:00:00 %1\n").arg(QString(200, QLatin1Char('x')));
    for (int i = 0; i < 6000; ++i)
        store.appendLines(filler);
    QCOMPARE(store.appendLines(text), lines.size());
    QCOMPARE(store.lineCount(), 6000 + lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(store.line(6000 + i), lines.at(i));
    QCOMPARE(store.line(5999), filler.chopped(1));
    QCOMPARE(store.recordCount(), 6000 + records);
    QCOMPARE(RecordStore::fromText(text).startsWithHeader(), header);
    store.clear();
    QVERIFY(store.isEmpty());
    QCOMPARE(store.recordCount(), 0);
}

void TestHistoryRead::showsRecordsAsSent_data()
{
    addTransportRows();
}

// Small chunks cut records (and their GB2312 characters) in pieces; every line arrives whole, the
// lines of a chunk in one signal, and the view follows the newest line.
namespace {

// Counts, while it lives, the warnings of socket notifiers made on a thread that is no QThread:
// there the serial port would never hear its bytes arrive.
class NotifierWarnings
{
public:
    NotifierWarnings() { previous = qInstallMessageHandler(&NotifierWarnings::handle); }
    ~NotifierWarnings() { qInstallMessageHandler(previous); }
    int count() const { return seen.load(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (message.contains(QLatin1String("QSocketNotifier")))
            ++seen;
        previous(type, context, message);
    }
    static inline std::atomic<int> seen{0};
    static inline QtMessageHandler previous = nullptr;
};

} // namespace

void TestHistoryRead::showsRecordsAsSent()
{
    QFETCH(Transport, transport);
    const NotifierWarnings warnings;
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(40);
    rig.sim()->setHistoryPace(24, 7, 2);
    rig.setLines(QStringLiteral("left from an earlier query\n"));
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 1));
    QVERIFY(rig.waitForRun());

    QCOMPARE(rig.text(), shownText(QDate(2026, 3, 1), QDate(2026, 3, 1), 40));
    QVERIFY(rig.text().contains(QStringLiteral("正常")));
    QCOMPARE(rig.records().recordCount(), 40);
    QCOMPARE(rig.records().line(1),
             QStringLiteral("2026-03-01 00:00:00 ")
                 + HistoryGenerator(QDate(2026, 3, 1), QDate(2026, 3, 1), 40)
                       .record(0)
                       .section(QLatin1Char(' '), 2)
                       .trimmed());
    QVERIFY(rig.prompter.shown.isEmpty());
    QTRY_COMPARE(rig.view()->model()->rowCount(), 41);
    QVERIFY(rig.view()->visualRect(rig.view()->model()->index(40, 0)).intersects(rig.view()->viewport()->rect()));
    QVERIFY(rig.button("bntQuery")->isEnabled());
    QVERIFY(!rig.button("bntStop")->isEnabled());
    QCOMPARE(warnings.count(), 0);
}

void TestHistoryRead::cutOffTransfer_data()
{
    QTest::addColumn<Transport>("transport");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("strayLines");
    QTest::addColumn<bool>("cutOff");
    const QByteArray half = QByteArray("2026-03-02 00:00:00 25,") + encodeDeviceText(QStringLiteral("结"));
    const QByteArray whole = encodeDeviceText(QStringLiteral("2026-03-02 23:00:00 20.5,62.3,3.60,正常"));
    QTest::newRow("udp, half a record") << Transport::Udp << half << 25 << 0 << true;
    QTest::newRow("pty, half a record") << Transport::Pty << half << 25 << 0 << true;
    // A last record as long as the others is whole although no line feed ends it.
    QTest::newRow("udp, a whole record without line feed") << Transport::Udp << whole << 26 << 0 << false;
    QTest::newRow("pty, a whole record without line feed") << Transport::Pty << whole << 26 << 0 << false;
    // Bytes that are no GB2312 (0xFF never is) are kept as they came, the line ends with them.
    QTest::newRow("pty, a record in no codec, CR LF")
        << Transport::Pty << QByteArray("2026-03-02 23:00:00 20.5,62.3,3.60,\xFF\x80\xA1\r\n") << 26 << 0 << false;
    QTest::newRow("udp, debug text without line feed")
        << Transport::Udp << QByteArray("[DBG 00001] x=1") << 25 << 1 << false;
    // A line that never ends is no record: it goes apart a piece at a time, its rest as well.
    QTest::newRow("udp, a line without end")
        << Transport::Udp << QByteArray(2 * LineSplitter::MaxLineBytes + 300, 'x') << 25 << 3 << false;
}

// The instrument stops inside a record: the half record is neither shown nor exported, and the
// operator is told how many whole records came. What is no record after the records is shown apart
// and is no fault.
void TestHistoryRead::cutOffTransfer()
{
    QFETCH(Transport, transport);
    QFETCH(QByteArray, tail);
    QFETCH(int, records);
    QFETCH(int, strayLines);
    QFETCH(bool, cutOff);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(25);
    rig.sim()->setHistoryTail(tail);
    rig.sim()->setHistoryPace(24, 4096, 1);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 2));
    QVERIFY(rig.waitForRun());
    QCoreApplication::processEvents();

    if (cutOff) {
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.at(0).title, QStringLiteral("查询"));
        QCOMPARE(rig.prompter.shown.at(0).text,
                 QStringLiteral("传输中断: 最后一条记录不完整, 已舍弃。已收到 25 条完整记录。"));
    } else {
        QVERIFY2(rig.prompter.shown.isEmpty(), qPrintable(rig.prompter.texts().join('|')));
    }
    QCOMPARE(rig.records().recordCount(), records);
    QCOMPARE(rig.records().lineCount(), 1 + records);
    QCOMPARE(rig.dialog->strayLines().size(), strayLines);
    if (strayLines == 3)
        QCOMPARE(rig.dialog->strayLines().at(0), QString(LineSplitter::MaxLineBytes, QLatin1Char('x')));
    QTRY_COMPARE(rig.view()->model()->rowCount(), rig.records().lineCount());
    const QString sent = shownText(QDate(2026, 3, 1), QDate(2026, 3, 2), 25);
    const QByteArray tailLine = tail.endsWith("\r\n") ? tail.chopped(2) : tail;
    QCOMPARE(rig.text(), records == 26 ? sent + decodeDeviceText(tailLine) + QLatin1Char('\n') : sent);

    const QString path = rig.dir.filePath("cut.csv");
    rig.prompter.nextFileName(path, QStringLiteral("记录原文 (*.csv)"));
    QTest::mouseClick(rig.button("bntExportCSV"), Qt::LeftButton);
    QCOMPARE(rig.prompter.shown.size(), cutOff ? 1 : 0);
    // Byte for byte as sent; a last record without a line feed stays without one.
    QCOMPARE(rig.dir.readFile("cut.csv"), sentLines(QDate(2026, 3, 1), QDate(2026, 3, 2), 25, tail, records == 26));
    QVERIFY(!rig.dir.readFile("cut.csv").contains("2026-03-02 00:00:00 25"));
}

void TestHistoryRead::stopKeepsTheRecords_data()
{
    addTransportRows();
}

// Stop ends a long transfer at once: the whole records stay, the count shows them, and a record the
// stop cut in half is told about and dropped.
void TestHistoryRead::stopKeepsTheRecords()
{
    QFETCH(Transport, transport);
    HistoryRig rig(transport);
    QVERIFY(rig.instrument.isReady());
    rig.sim()->setHistoryRecordCount(100000);
    rig.sim()->setHistoryPace(24, 100, 5);
    rig.query(QDate(2026, 3, 1), QDate(2026, 3, 31));
    QVERIFY(rig.button("bntStop")->isEnabled());
    QVERIFY(!rig.button("bntQuery")->isEnabled());
    QTRY_VERIFY(rig.records().recordCount() >= 20);
    QTRY_VERIFY(
        rig.dialog->findChild<QLabel*>(QStringLiteral("labStatus"))->text().contains(QStringLiteral("正在查询")));

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(rig.button("bntStop"), Qt::LeftButton);
    QVERIFY(rig.waitForRun());
    const qint64 stopMs = clock.elapsed();
    // Well within a second on an idle machine; the bound leaves room for a loaded one.
    QVERIFY2(stopMs < 5000, qPrintable(QString::number(stopMs)));
    qInfo("stop took %lld ms", stopMs);

    const int records = rig.records().recordCount();
    QVERIFY(records >= 20 && records < 100000);
    QCOMPARE(rig.records().lineCount(), 1 + records);
    const HistoryGenerator generator(QDate(2026, 3, 1), QDate(2026, 3, 31), 100000);
    QCOMPARE(rig.records().line(records), generator.record(records - 1).trimmed());
    const QString status = rig.dialog->findChild<QLabel*>(QStringLiteral("labStatus"))->text();
    // The operator's own stop is told in the status line, without a box, and a record it cut in
    // half is no fault.
    QCOMPARE(status, QStringLiteral("已停止: 收到 %1 条记录").arg(QLocale().toString(records)));
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
    QTRY_VERIFY(!rig.records().isEmpty());
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
    QCOMPARE(rig.records().lineCount(), 1 + 3);
    QVERIFY2(rig.records().line(1).startsWith(firstRecord), qPrintable(rig.records().line(1)));
}

QTEST_MAIN(TestHistoryRead)
#include "tst_historyread.moc"
