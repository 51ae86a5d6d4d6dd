// Labels: net gui
// Runs apart: cliHistoryExitsTwo
// Datagrams that the system drops because the receiving socket's buffer is full are counted and
// told: by the link after a stream, by the history dialog in a warning box, by zq-cli history
// with exit status 2. The instrument overruns the receiver on purpose: it sends its whole answer
// at once into a tiny receive buffer, or to a zq-cli that is held stopped meanwhile.
#include "link/devicerequests.h"
#include "link/linkchannel.h"
#include "link/linktimings.h"
#include "link/texts/linktexts.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/monitorrig.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"
#include "tst_historyrig.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <csignal>

class TestDatagramLoss : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linkCountsDrops_data();
    void linkCountsDrops();
    void historyDialogWarns_data();
    void historyDialogWarns();
    void monitorStatusCounts();
    void cliHistoryExitsTwo();
};

namespace {

const QDate Day(2026, 3, 1);
constexpr int Records = 20000;
// The smallest buffer the system grants holds a datagram or two.
constexpr int TinyBuffer = 2048;

// Link timings with the given receive buffer (0: the transport's own) and a short silence.
void installTimings(int receiveBufferBytes)
{
    LinkTimings timings;
    timings.udpReceiveBufferBytes = receiveBufferBytes;
    timings.streamSilenceUdpMs = 300;
    LinkTimings::install(&timings);
}

// The whole answer at once, in datagrams of 1400 bytes.
void burstHistory(InstrumentSimulator* sim, int records)
{
    sim->setHistoryRecordCount(records);
    sim->setHistoryPace(24, 1400, 0);
}

// Counts the lines of a stream; pauses in its first chunk as a reader on a busy machine may.
class PausingReader : public DDataReceiver
{
public:
    explicit PausingReader(int pauseMs) : pauseMs(pauseMs) { }
    bool isStopped() override { return false; }
    void onFailure(LinkError failure) override { error = linkErrorText(failure); }
    void onData(const QByteArray& chunk) override
    {
        if (lines == 0 && pauseMs > 0)
            QThread::msleep(ulong(pauseMs));
        lines += chunk.count('\n');
    }
    int pauseMs;
    int lines = 0;
    QString error;
};

QString lostText(const ScriptedPrompter& prompter)
{
    for (const ScriptedPrompter::Shown& shown : prompter.shown)
        if (shown.text.contains(QStringLiteral("数据报")))
            return shown.text;
    return QString();
}

} // namespace

void TestDatagramLoss::init()
{
    installTimings(0);
}

void TestDatagramLoss::cleanup()
{
    LinkTimings::install(nullptr);
}

void TestDatagramLoss::linkCountsDrops_data()
{
    QTest::addColumn<int>("bufferBytes");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<bool>("drops");
    QTest::newRow("tiny buffer, reader pauses") << TinyBuffer << 300 << true;
    QTest::newRow("ample buffer, reader pauses") << 0 << 300 << false;
    QTest::newRow("ample buffer, reader keeps up") << 0 << 0 << false;
}

void TestDatagramLoss::linkCountsDrops()
{
    QFETCH(int, bufferBytes);
    QFETCH(int, pauseMs);
    QFETCH(bool, drops);
    installTimings(bufferBytes);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    burstHistory(instrument.sim(), Records);

    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QCOMPARE(channel.droppedDatagrams(), quint64(0));
    PausingReader reader(pauseMs);
    channel.receiveStream(buildHistoryRequest(Day, Day), &reader);
    QVERIFY2(reader.error.isEmpty(), qPrintable(reader.error));
    const int expected = Records + 1; // and the header
    if (drops) {
        QVERIFY(channel.droppedDatagrams() > 0);
        QVERIFY(reader.lines < expected);
    } else {
        QCOMPARE(channel.droppedDatagrams(), quint64(0));
        QCOMPARE(reader.lines, expected);
    }
}

void TestDatagramLoss::historyDialogWarns_data()
{
    QTest::addColumn<int>("bufferBytes");
    QTest::newRow("tiny buffer") << TinyBuffer;
    QTest::newRow("ample buffer") << 0;
}

void TestDatagramLoss::historyDialogWarns()
{
    QFETCH(int, bufferBytes);
    installTimings(bufferBytes);
    HistoryRig rig;
    burstHistory(rig.sim(), Records);
    // The dialog's reader cannot be made to pause: a loss depends on the machine's pace, so a
    // tiny buffer is tried a few times until one happens (the first, nearly always).
    for (int attempt = 0; attempt < 5; ++attempt) {
        rig.prompter.shown.clear();
        rig.query(Day, Day);
        QVERIFY(rig.waitForRun());
        const int held = rig.records().recordCount();
        const QString warning = lostText(rig.prompter);
        if (held == Records) {
            // Nothing lost, nothing said.
            QVERIFY2(warning.isEmpty(), qPrintable(warning));
            if (bufferBytes == 0)
                return;
            continue;
        }
        QVERIFY2(bufferBytes != 0, "records lost with an ample buffer");
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown[0].title, QStringLiteral("查询"));
        const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("(\\d+) 个数据报")).match(warning);
        QVERIFY2(count.hasMatch() && count.captured(1).toInt() > 0, qPrintable(warning));
        // The records that came stay for export.
        QVERIFY(held > 0);
        return;
    }
    QSKIP("the reader kept up with every burst on this machine");
}

// A flood of debug lines into a tiny buffer: the status line counts what the system dropped, while
// listening and after the stop.
void TestDatagramLoss::monitorStatusCounts()
{
    MonitorRig rig(true);
    QVERIFY(rig.ready);
    LinkTimings timings = LinkTimings::current();
    timings.udpReceiveBufferBytes = TinyBuffer;
    LinkTimings::install(&timings);
    auto* status = rig.widget<QLabel>("labStatus");
    const QRegularExpression counted(QStringLiteral("丢失 (\\d+) 个数据报$"));
    QVERIFY(rig.startListening());
    QVERIFY(!status->text().contains(counted));
    rig.sim()->setDebugRate(0); // as fast as the instrument can
    rig.sim()->setDebugLineCount(-1);
    const bool told = QTest::qWaitFor([&] { return status->text().contains(counted); }, 5000);
    rig.sim()->setDebugLineCount(0);
    rig.press("bntStop");
    QVERIFY(rig.waitFinished());
    if (!told)
        QSKIP("the reader kept up with the flood on this machine");
    QVERIFY2(status->text().startsWith(QStringLiteral("已停止")) && status->text().contains(counted),
             qPrintable(status->text()));
    QVERIFY(counted.match(status->text()).captured(1).toInt() > 0);
}

// zq-cli is held stopped while the instrument sends more than its socket can hold, then goes on:
// it keeps what came, says how many datagrams were lost and ends with exit status 2.
void TestDatagramLoss::cliHistoryExitsTwo()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    InstrumentSimulator* sim = instrument.sim();
    // About 11 MB: more than the largest buffer a system grants by default.
    const int records = 250000;
    burstHistory(sim, records);
    // The answer starts a moment after the query, while zq-cli is stopped.
    sim->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::QueryHistory, 1, 300});

    QProcess cli;
    cli.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"),
              {QStringLiteral("history"), QStringLiteral("--from"), Day.toString(Qt::ISODate), QStringLiteral("--to"),
               Day.toString(Qt::ISODate), QStringLiteral("--udp"),
               QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()), QStringLiteral("--csv"),
               QStringLiteral("h.csv")});
    QVERIFY(cli.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return sim->requestCount(InstrumentSimulator::QueryHistory) == 1; }, 5000));
    ::kill(pid_t(cli.processId()), SIGSTOP);
    // The burst is over when every chunk of the answer has gone out.
    HistoryGenerator answer(Day, Day, records);
    int chunks = 0;
    while (!answer.next(1400).isEmpty())
        ++chunks;
    QVERIFY(QTest::qWaitFor([&] { return sim->repliesSent() >= chunks; }, 30000));
    ::kill(pid_t(cli.processId()), SIGCONT);
    QVERIFY(cli.waitForFinished(30000));
    const QString errors = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(cli.exitCode() == 2,
             qPrintable(QStringLiteral("exit %1 after %2 sends: %3").arg(cli.exitCode()).arg(chunks).arg(errors)));
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("(\\d+) 个数据报")).match(errors);
    QVERIFY2(count.hasMatch() && count.captured(1).toInt() > 0, qPrintable(errors));
    // What came is exported all the same.
    QVERIFY(QFile::exists(QStringLiteral("h.csv")));
}

QTEST_MAIN(TestDatagramLoss)
#include "tst_datagramloss.moc"
