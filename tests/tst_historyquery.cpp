// Labels: net pty
// Runs apart: cliMemoryStaysFlat
// The history query as a plain function, against the simulator: which lines are records, an
// instrument left talking debug lines (over the serial line, where they mix into the stream), the
// record limit, a stop, and zq-cli streaming an endless history with flat memory.
#include "history/historyquery.h"
#include "history/recordline.h"
#include "history/recordstream.h"
#include "jobs/stoptoken.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/linktimings.h"
#include "sim/historygenerator.h"
#include "sim/instrumenttexts.h"
#include "tests/support/clirun.h"
#include "tests/support/memoryinstrument.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QUdpSocket>

#include <functional>
#include <utility>

class TestHistoryQuery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void recordLines_data();
    void recordLines();
    void endings_data();
    void endings();
    void debugLinesAreNoRecords_data();
    void debugLinesAreNoRecords();
    void debugLineInFirstRecord_data();
    void debugLineInFirstRecord();
    void cliKeepsDebugLinesApart();
    void cliMemoryStaysFlat();
};

namespace {

const QDate Day(2026, 3, 1);

// Collects what the query reports.
struct CollectingSink : HistorySink
{
    void opened() override { ++openings; }
    void recordLines(const QString& text) override
    {
        for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            line.remove(QLatin1Char('\r'));
            lines.append(line);
        }
    }
    void strayLines(const QStringList& more) override
    {
        strays += more;
        straysAfterLastRecord += more.size();
        if (stopAfterStrays && strays.size() > 10000)
            stopAfterStrays();
    }
    void recordBytes(const QByteArray& bytes) override
    {
        straysBeforeLastRecord += std::exchange(straysAfterLastRecord, 0);
        HistorySink::recordBytes(bytes);
    }

    int openings = 0;
    QStringList lines;
    QStringList strays;
    // Debug lines that came before the last record came, and after it.
    int straysBeforeLastRecord = 0;
    int straysAfterLastRecord = 0;
    std::function<void()> stopAfterStrays; // called once too many stray lines have come
};

// Switches the instrument's debug output on towards the serial line, as the monitor does.
bool switchDebugOn(const LinkSettings& link = LinkSettings::load())
{
    LinkChannel channel;
    if (!channel.open(link))
        return false;
    QByteArray reply;
    return channel.exchange(buildWriteItemRequest(channel.deviceAddress(), 255, QStringLiteral("1")), reply,
                            CrcOrder::LowFirst, 2000)
        == ExchangeOk;
}

QSet<QString> generatedRecords(int count)
{
    const HistoryGenerator generator(Day, Day, count);
    QSet<QString> records;
    for (int i = 0; i < count; ++i)
        records.insert(generator.record(i).trimmed());
    return records;
}

} // namespace

void TestHistoryQuery::initTestCase()
{
    static LinkTimings quick;
    quick.streamSilenceUdpMs = 300;
    quick.streamSilenceSerialMs = 300;
    LinkTimings::install(&quick);
}

void TestHistoryQuery::cleanupTestCase()
{
    LinkTimings::install(nullptr);
}

void TestHistoryQuery::recordLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("record");
    QTest::newRow("date and time") << QByteArray("2026-03-01 00:00:00 18.6,62.1") << true;
    QTest::newRow("slashes, one-digit parts") << QByteArray("2026/3/1 8:05 1") << true;
    QTest::newRow("dots, no seconds, then a comma") << QByteArray("2026.03.01 08:05,1") << true;
    QTest::newRow("ISO with a fraction") << QByteArray("2026-03-01T08:05:00.250 1") << true;
    QTest::newRow("leading blanks") << QByteArray("  2026-03-01 00:00:00") << true;
    QTest::newRow("date alone") << QByteArray("2026-03-01 1") << false;
    QTest::newRow("debug line spliced into the seconds") << QByteArray("2026-12-02 10:00:0[DBG 00003] x") << false;
    QTest::newRow("debug line after the minutes") << QByteArray("2026-12-02 10:00[DBG 00003] x") << false;
    QTest::newRow("mixed date marks") << QByteArray("2026-03/01 00:00:00") << false;
    QTest::newRow("debug line") << QByteArray("[DBG 00001] 2026-03-01 00:00:00.000 x") << false;
    QTest::newRow("header") << QByteArray("记录时间 温度(℃)") << false;
    QTest::newRow("five-digit year") << QByteArray("12026-03-01 00:00:00") << false;
}

void TestHistoryQuery::recordLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, record);
    QCOMPARE(startsWithDateTime(line), record);
    const QString text = QString::fromUtf8(line);
    QCOMPARE(startsWithDateTime(QStringRef(&text)), record);
}

void TestHistoryQuery::endings_data()
{
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<int>("maxRecords");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("records");
    QTest::newRow("silence after the last record") << false << 0 << int(HistoryEnd::Silence) << 300;
    QTest::newRow("the record limit") << false << 120 << int(HistoryEnd::RecordLimit) << 120;
    QTest::newRow("stopped before it began") << true << 0 << int(HistoryEnd::Stopped) << 0;
}

// How a query ends, and what it passed on until then: the header first, then only records.
void TestHistoryQuery::endings()
{
    QFETCH(bool, stopFirst);
    QFETCH(int, maxRecords);
    QFETCH(int, end);
    QFETCH(int, records);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    instrument.sim()->setHistoryRecordCount(300);
    instrument.sim()->setHistoryPace(24, 512, 2);
    // A line the instrument sends before its answer is no header.
    instrument.sim()->addFault({InstrumentSimulator::Chatter, InstrumentSimulator::QueryHistory, 1});
    StopSource stop;
    if (stopFirst)
        stop.request();
    HistoryQuery query;
    query.request = buildHistoryRequest(Day, Day);
    query.maxRecords = maxRecords;
    CollectingSink sink;
    const HistoryOutcome outcome = queryHistory(LinkSettings::load(), query, stop.token(), sink);

    QVERIFY(outcome.ok());
    QCOMPARE(int(outcome.end), end);
    QCOMPARE(outcome.records, records);
    QVERIFY(!outcome.cutOff);
    QCOMPARE(sink.openings, 1);
    if (stopFirst)
        return;
    QCOMPARE(sink.lines.size(), 1 + records);
    QCOMPARE(sink.lines.first(), HistoryGenerator::header().trimmed());
    const HistoryGenerator generator(Day, Day, 300);
    QCOMPARE(sink.lines.last(), generator.record(records - 1).trimmed());
    QCOMPARE(sink.strays.size(), 1);
    QVERIFY(sink.strays.first().startsWith(QStringLiteral("[DBG ")));
}

// An instrument left in debug mode never falls silent: its debug lines go apart, only records are
// records, and the query ends once the record wait passes without a record. On the instrument in
// memory, whose clock the record wait is measured by.
void TestHistoryQuery::debugLinesAreNoRecords_data()
{
    QTest::addColumn<int>("debugIntervalMs");
    QTest::addColumn<bool>("amongRecords"); // debug lines come while the records do
    QTest::newRow("a line every 50 ms") << 50 << true;
    QTest::newRow("a line every 290 ms, just under the silence") << 290 << false;
}

void TestHistoryQuery::debugLinesAreNoRecords()
{
    QFETCH(int, debugIntervalMs);
    QFETCH(bool, amongRecords);
    MemoryInstrument instrument;
    instrument.setDebugInterval(debugIntervalMs);
    instrument.setHistoryPace(24, 64, 20);
    QVERIFY(switchDebugOn(instrument.settings(false)));
    HistoryQuery query;
    query.request = buildHistoryRequest(Day, Day);
    query.recordWaitMs = 1500;
    // The instrument never falls silent: a query that would not end is stopped, and fails.
    StopSource stop;
    CollectingSink sink;
    sink.stopAfterStrays = [&stop] { stop.request(); };
    const HistoryOutcome outcome = queryHistory(instrument.settings(false), query, stop.token(), sink);

    QVERIFY(outcome.ok());
    QCOMPARE(int(outcome.end), int(HistoryEnd::OnlyChatter));
    // The lines of one record wait came after the last record, as the link dated them, however
    // fast or slow the reader was.
    QVERIFY2(sink.straysAfterLastRecord >= 1500 / debugIntervalMs
                 && sink.straysAfterLastRecord <= 1500 / debugIntervalMs + 2,
             qPrintable(QString::number(sink.straysAfterLastRecord)));
    QCOMPARE(sink.strays.size(), int(outcome.strayLines));
    // A record a debug line broke into is lost, never taken in pieces or spliced; each debug line
    // breaks one record at most.
    const QStringList sent = decodeDeviceText(encodeDeviceText(historyRecords(Day, Day, 24)))
                                 .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                 .mid(1);
    QVERIFY2(outcome.records >= sent.size() - sink.straysBeforeLastRecord && outcome.records <= sent.size(),
             qPrintable(QStringLiteral("%1 records, %2 debug lines among them")
                            .arg(outcome.records)
                            .arg(sink.straysBeforeLastRecord)));
    QCOMPARE(sink.straysBeforeLastRecord > 0, amongRecords);
    QCOMPARE(sink.lines.size(), 1 + int(outcome.records));
    for (const QString& line : sink.lines.mid(1))
        QVERIFY2(sent.contains(line), qPrintable(line));
    for (const QString& line : sink.strays)
        QVERIFY2(!sent.contains(line), qPrintable(line));
}

void TestHistoryQuery::debugLineInFirstRecord_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<QByteArray>("debugLine");
    // Where the debug line breaks into the first record, counted from the record's start.
    QTest::newRow("after the time, a long debug line") << 20 << QByteArray("[DBG 00001] link 3 ok 12 ms\r\n");
    QTest::newRow("inside the first reading") << 22 << QByteArray("[DBG 00002] tick\r\n");
    QTest::newRow("before the status, a short debug line") << -4 << QByteArray("[DBG 00003]\r\n");
    QTest::newRow("after the time, a one-word debug line") << 20 << QByteArray("x\r\n");
}

// A debug line that breaks into the first record costs that record only: it neither decides how
// many fields the records have nor lets a spliced line in.
void TestHistoryQuery::debugLineInFirstRecord()
{
    QFETCH(int, cut);
    QFETCH(QByteArray, debugLine);
    const int count = 10;
    const HistoryGenerator generator(Day, Day, count);
    const QByteArray first = encodeDeviceText(generator.record(0));
    const int at = cut < 0 ? first.trimmed().size() + cut : cut;
    QByteArray stream = encodeDeviceText(HistoryGenerator::header());
    stream += first.left(at) + debugLine + first.mid(at);
    for (int i = 1; i < count; ++i)
        stream += encodeDeviceText(generator.record(i));

    HistoryQuery query;
    HistoryOutcome outcome;
    CollectingSink sink;
    const StopToken stop;
    RecordStream records(query, stop, sink, 60000, outcome);
    for (int i = 0; i < stream.size(); i += 7)
        records.onData(stream.mid(i, 7));
    records.finish();

    QCOMPARE(outcome.records, qint64(count - 1));
    QCOMPARE(sink.lines.size(), count);
    QCOMPARE(sink.lines.first(), HistoryGenerator::header().trimmed());
    for (int i = 1; i < count; ++i)
        QCOMPARE(sink.lines.at(i), generator.record(i).trimmed());
    QCOMPARE(sink.strays.size(), 2);
}

// zq-cli prints the records on standard output and the debug lines on standard error, and ends.
void TestHistoryQuery::cliKeepsDebugLinesApart()
{
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.useSerial();
    instrument.sim()->setDebugInterval(100);
    instrument.sim()->setHistoryRecordCount(40);
    QVERIFY(switchDebugOn());
    const CliRun run = runZqCli({QStringLiteral("history"), QStringLiteral("--from"), Day.toString(Qt::ISODate),
                                 QStringLiteral("--to"), Day.toString(Qt::ISODate), QStringLiteral("--serial"),
                                 instrument.ptyPath(), QStringLiteral("--baud"), QStringLiteral("9600"),
                                 QStringLiteral("--address"), QString::number(instrument.sim()->deviceAddress()),
                                 QStringLiteral("--timeout"), QStringLiteral("1500")},
                                9000);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    const QSet<QString> sent = generatedRecords(40);
    const QStringList out = run.outLines();
    QVERIFY(out.size() > 30);
    QCOMPARE(out.first(), HistoryGenerator::header().trimmed());
    for (const QString& line : out.mid(1))
        QVERIFY2(sent.contains(line), qPrintable(line));
    QVERIFY(run.err.contains(QStringLiteral("[DBG ")));
    QVERIFY2(run.err.contains(QStringLiteral("仪器在发送调试信息, 历史记录可能不完整")), qPrintable(run.err));
}

// A history that does not end, from an instrument as fast as loopback: zq-cli writes it out as it
// comes and holds none of it.
void TestHistoryQuery::cliMemoryStaysFlat()
{
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer keeps freed memory in quarantine and slows zq-cli several times over:
    // neither its resident size nor its pace says anything about the program itself.
    QSKIP("resident memory is not the program's own under the address sanitizer");
#endif
    WorkDir dir;
    QUdpSocket instrument;
    QVERIFY(instrument.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QProcess cli;
    cli.setProgram(QStringLiteral(ZQ_BIN_DIR "/zq-cli"));
    cli.setArguments({QStringLiteral("history"), QStringLiteral("--from"), QStringLiteral("2026-03-01"),
                      QStringLiteral("--to"), QStringLiteral("2026-03-31"), QStringLiteral("--udp"),
                      QStringLiteral("127.0.0.1:%1").arg(instrument.localPort())});
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    cli.setStandardOutputFile(out);
    cli.setStandardErrorFile(QProcess::nullDevice());
    cli.start();
    QVERIFY(cli.waitForStarted());
    QVERIFY(instrument.waitForReadyRead(5000));
    QHostAddress peer;
    quint16 peerPort = 0;
    instrument.readDatagram(nullptr, 0, &peer, &peerPort);

    QByteArray records;
    while (records.size() < 60000)
        records += "2026-03-01 00:00:00 20.5,62.3,3.60,OK\r\n";
    instrument.writeDatagram("TIME T H V STATUS\r\n", peer, peerPort);
    long mostKiB = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 looked = 0;
    while (clock.elapsed() < 7000 && cli.state() == QProcess::Running && QFileInfo(out).size() < 200 * 1024 * 1024) {
        for (int burst = 0; burst < 64; ++burst)
            instrument.writeDatagram(records, peer, peerPort);
        if (clock.elapsed() - looked < 100)
            continue;
        looked = clock.elapsed();
        QFile status(QStringLiteral("/proc/%1/status").arg(cli.processId()));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                mostKiB = qMax(mostKiB, line.mid(6).trimmed().split(' ').first().toLong());
        }
    }
    QVERIFY(cli.state() == QProcess::Running);
    cli.kill();
    cli.waitForFinished();
    const qint64 written = QFileInfo(out).size();
    qInfo("zq-cli held at most %ld KiB while it wrote %lld MB", mostKiB, written >> 20);
    QVERIFY2(mostKiB > 0 && mostKiB < 100 * 1024, qPrintable(QString::number(mostKiB)));
    // Enough passed through that holding it would have shown.
    QVERIFY2(written > 100 * 1024 * 1024, qPrintable(QString::number(written)));
}

QTEST_MAIN(TestHistoryQuery)
#include "tst_historyquery.moc"
