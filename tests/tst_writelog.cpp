// Labels: net pty gui
// The write log beside config.ini: one line per item written, from the window (over UDP and the
// pseudo-terminal) and from zq-cli, and every line whole after a kill in the middle of a write.
#include "app/mainwindow.h"
#include "config/writelog.h"
#include "tests/support/clirun.h"
#include "tests/support/shorttimings.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/workdir.h"

#include <QMessageBox>

class TestWriteLog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { timings = std::make_unique<ShortTimings>(); }
    void cleanupTestCase() { timings.reset(); }
    void linesReadBack();
    void writesAreLogged_data();
    void writesAreLogged();
    void killedWriteKeepsEarlierLines();

private:
    std::unique_ptr<ShortTimings> timings;
};

namespace {

QString describe(const WriteLogLine& line)
{
    const char* result = line.result == WriteResult::Written ? "written"
        : line.result == WriteResult::Refused                ? "refused"
                                                             : "failed";
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(line.instrument)
        .arg(line.index)
        .arg(line.item, line.oldValue, line.newValue, QLatin1String(result));
}

QStringList logged(const QString& path)
{
    QStringList lines;
    for (const WriteLogLine& line : WriteLog(path).newestFirst())
        lines.append(describe(line));
    return lines;
}

QStringList cliLink(const SimFixture& fixture, bool udp)
{
    const QString address = QString::number(fixture.sim()->deviceAddress());
    if (udp)
        return {"--udp", QStringLiteral("127.0.0.1:%1").arg(fixture.udpPort()), "--address", address};
    return {"--serial", fixture.ptyPath(), "--baud", "9600", "--address", address};
}

} // namespace

// Texts that need quoting come back as written, newest first; a line cut short by a crash and
// lines of something else are left out.
void TestWriteLog::linesReadBack()
{
    WorkDir dir;
    const WriteLog log(dir.filePath("log.csv"));
    const QDateTime at = QDateTime::fromString("2026-12-08 09:00:00", "yyyy-MM-dd HH:mm:ss");
    QVERIFY(log.append({at, "ZQ-200-A1", 4, "设备编号", "1", "33", WriteResult::Written}));
    QVERIFY(log.append({at, "ZQ-200-A1", 8, "服务器地址", "a,\"b\"", "x\r\ny", WriteResult::Refused}));
    dir.writeFile("log.csv", dir.readFile("log.csv") + "not,a,log,line\r\n2026-12-08 09:00:01,ZQ,3,x,1,2,wri");
    QCOMPARE(logged(log.fileName()),
             (QStringList{"ZQ-200-A1|8|服务器地址|a,\"b\"|x  y|refused", "ZQ-200-A1|4|设备编号|1|33|written"}));
    QCOMPARE(WriteLog(dir.filePath("missing.csv")).newestFirst().size(), 0);
}

void TestWriteLog::writesAreLogged_data()
{
    QTest::addColumn<bool>("window"); // else zq-cli
    QTest::addColumn<Transport>("transport");
    QTest::newRow("window udp") << true << Transport::Udp;
    QTest::newRow("window pty") << true << Transport::Pty;
    QTest::newRow("zq-cli udp") << false << Transport::Udp;
}

// Two values taken and a reading the instrument keeps: three lines, the instrument named by model
// and serial number, old values as it reported them.
void TestWriteLog::writesAreLogged()
{
    QFETCH(bool, window);
    QFETCH(Transport, transport);
    WorkDir dir;
    ScriptedPrompter prompter;
    const QMap<int, QString> values{{4, "33"}, {15, "130"}, {17, "30"}};
    const QMap<int, QString> names{{4, "设备编号"}, {15, "报警上限"}, {17, "当前温度"}};
    if (window) {
        ConfigInstrument sim(transport);
        QVERIFY(sim.started);
        MainWindow shown;
        QVERIFY(refresh(shown));
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            shown.configModel()->setValue(value.key(), value.value());
        prompter.pressNext(QMessageBox::Yes);
        trigger(shown, "write_changed");
    } else {
        SimFixture fixture(transport == Transport::Pty);
        QVERIFY(fixture.isReady());
        QByteArray csv("\xEF\xBB\xBF");
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            csv +=
                QStringLiteral("%1. %2,%3\r\n").arg(value.key()).arg(names.value(value.key()), value.value()).toUtf8();
        dir.writeFile("in.csv", csv);
        const CliRun run = runZqCli(QStringList{"write", "in.csv"} + cliLink(fixture, transport == Transport::Udp));
        QVERIFY2(run.finished, qPrintable(run.err));
    }
    const QString instrument = "ZQ-200-ZQ2026120700042";
    QCOMPARE(logged(WriteLog().fileName()),
             (QStringList{instrument + "|17|当前温度|25.0℃|30|refused", instrument + "|15|报警上限|120|130|written",
                          instrument + "|4|设备编号|1|33|written"}));
}

// zq-cli killed while the instrument takes its time over each item: every line it wrote reads.
void TestWriteLog::killedWriteKeepsEarlierLines()
{
    WorkDir dir;
    SimFixture fixture(false);
    QVERIFY(fixture.isReady());
    InstrumentSimulator::Fault slow;
    slow.kind = InstrumentSimulator::DelayReply;
    slow.command = InstrumentSimulator::WriteItem;
    slow.count = -1;
    slow.delayMs = 150;
    fixture.sim()->addFault(slow);
    QByteArray csv("\xEF\xBB\xBF");
    for (int i = 0; i < 40; ++i)
        csv += "04. 设备编号," + QByteArray::number(i) + "\r\n";
    dir.writeFile("in.csv", csv);
    const CliRun run = runZqCli(QStringList{"write", "in.csv"} + cliLink(fixture, true), 2000);
    QVERIFY(!run.finished);
    QFile file(WriteLog().fileName());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const int lines = bytes.count("\r\n");
    QVERIFY(bytes.isEmpty() || bytes.endsWith("\r\n"));
    QCOMPARE(WriteLog().newestFirst().size(), lines);
    QVERIFY(lines <= fixture.sim()->requestCount(InstrumentSimulator::WriteItem));
}

QTEST_MAIN(TestWriteLog)
#include "tst_writelog.moc"
