// Labels: net pty
// Runs apart: debugRunForSeconds
// Runs apart: lineWithoutLineFeed
// zq-cli's monitor, run as the real program against the simulator over UDP and over the pty: the
// lines in each form with the dialog's stamps, the end after --seconds and after Ctrl-C with the
// closing "0" of a debug run, and a bad or missing answer to the debug command.
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestCliMonitor : public QObject
{
    Q_OBJECT
private slots:
    void debugRunForSeconds_data();
    void debugRunForSeconds();
    void ctrlCSendsClosingCommand();
    void debugCommandFails_data();
    void debugCommandFails();
    void lineWithoutLineFeed_data();
    void lineWithoutLineFeed();
};

namespace {

QStringList monitorArguments(const SimFixture& instrument, bool udp)
{
    QStringList arguments{QStringLiteral("monitor"), QStringLiteral("--address"),
                          QString::number(instrument.sim()->deviceAddress())};
    if (udp)
        return arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort());
    return arguments << QStringLiteral("--serial") << instrument.ptyPath() << QStringLiteral("--baud")
                     << QStringLiteral("9600");
}

const QString Stamp = QStringLiteral(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\]\[(\d+)\] : )");

}

void TestCliMonitor::debugRunForSeconds_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QString>("form");    // the option, or none
    QTest::addColumn<QString>("pattern"); // after the stamp
    QTest::newRow("udp, hex") << true << "--hex" << R"(^([0-9A-F]{2} )+$)";
    QTest::newRow("pty, both") << false << "--both" << R"(^\S.* \( ([0-9A-F]{2} )+ \)$)";
    QTest::newRow("udp, text") << true << "" << R"(^\S.*\S$)";
}

void TestCliMonitor::debugRunForSeconds()
{
    QFETCH(bool, udp);
    QFETCH(QString, form);
    QFETCH(QString, pattern);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    instrument.sim()->setDebugInterval(50);
    QStringList arguments = monitorArguments(instrument, udp) << QStringLiteral("--debug") << QStringLiteral("--seconds")
                                                              << QStringLiteral("1");
    if (!form.isEmpty())
        arguments << form;
    const CliRun run = runZqCli(arguments);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    // Switched on, and off again before the program ended.
    QCOMPARE(instrument.sim()->debugSwitches(), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
    const QStringList lines = run.outLines();
    QVERIFY2(lines.size() >= 5, qPrintable(run.out));
    const QRegularExpression stamp(Stamp);
    const QRegularExpression rest(pattern);
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = stamp.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QVERIFY2(match.captured(1).toInt() > 2, qPrintable(line));
        QVERIFY2(rest.match(line.mid(match.capturedLength())).hasMatch(), qPrintable(line));
    }
}

void TestCliMonitor::ctrlCSendsClosingCommand()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setDebugInterval(50);
    QProcess process;
    process.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"),
                  monitorArguments(instrument, true) << QStringLiteral("--debug") << QStringLiteral("--json"));
    // Interrupted once the first line is out, as an operator would.
    QVERIFY(process.waitForReadyRead(5000));
    QCOMPARE(instrument.sim()->debugSwitches(), QStringList{QStringLiteral("1")});
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(instrument.sim()->debugSwitches(), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));

    // One object a line, and a last one with the run's outcome.
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    QVERIFY(lines.size() >= 2);
    const QJsonObject first = QJsonDocument::fromJson(lines.first()).object();
    QCOMPARE(first.value(QStringLiteral("hex")).toString().toLatin1(),
             QByteArray::fromHex(first.value(QStringLiteral("hex")).toString().toLatin1()).toHex(' ').toUpper());
    QVERIFY(!first.value(QStringLiteral("text")).toString().isEmpty());
    const QJsonObject last = QJsonDocument::fromJson(lines.last()).object();
    QCOMPARE(last.value(QStringLiteral("ok")).toBool(), true);
    QCOMPARE(last.value(QStringLiteral("lines")).toInt(), lines.size() - 1);
}

void TestCliMonitor::debugCommandFails_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // Over UDP a reply with a bad CRC is not the reply, so only the serial line can show one. A
    // silent instrument that switched on anyway sends its lines instead of a reply: still no reply.
    QTest::newRow("pty, bad reply") << false << int(InstrumentSimulator::BadCrc) << 3 << "Monitor debug switch: CRC";
    QTest::newRow("udp, silent") << true << int(InstrumentSimulator::NoReply) << 2 << "Monitor debug switch: Timed out";
    QTest::newRow("pty, silent") << false << int(InstrumentSimulator::NoReply) << 2
                                 << "Monitor debug switch: Timed out";
}

void TestCliMonitor::debugCommandFails()
{
    QFETCH(bool, udp);
    QFETCH(int, fault);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    instrument.sim()->addFault({InstrumentSimulator::FaultKind(fault), InstrumentSimulator::WriteItem, -1});
    const CliRun run = runZqCli(monitorArguments(instrument, udp)
                                << QStringLiteral("--debug") << QStringLiteral("--timeout") << QStringLiteral("150")
                                << QStringLiteral("--lang") << QStringLiteral("en_US"));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count(QStringLiteral("Monitor debug switch")), 1);
    // The instrument may have switched on although its answer failed: the run still ends with "0".
    QCOMPARE(instrument.sim()->debugSwitches(), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
}

void TestCliMonitor::lineWithoutLineFeed_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

// Text that never ends its line is printed once the instrument has been silent for a second,
// marked as incomplete; what follows starts a line of its own.
void TestCliMonitor::lineWithoutLineFeed()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    QProcess process;
    process.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"), monitorArguments(instrument, udp)
                                                            << QStringLiteral("--seconds") << QStringLiteral("8"));
    QVERIFY(QTest::qWaitFor([&] { return !instrument.sim()->debugSwitches().isEmpty(); }, 5000));
    // The run listens once its "0" is answered.
    QTest::qWait(200);
    instrument.sim()->sendDebugBytes("no line feed yet");
    QVERIFY(process.waitForReadyRead(4000));
    QTest::qWait(100);
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(QRegularExpression(Stamp + QStringLiteral(R"(no line feed yet \[行不完整\]\n$)")).match(out).hasMatch(),
             qPrintable(out));
    instrument.sim()->sendDebugBytes(", now\n");
    QVERIFY(process.waitForReadyRead(4000));
    QTest::qWait(100);
    out = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(QRegularExpression(Stamp + QStringLiteral(R"(, now\n$)")).match(out).hasMatch(), qPrintable(out));
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 0);
}

QTEST_MAIN(TestCliMonitor)
#include "tst_cli_monitor.moc"
