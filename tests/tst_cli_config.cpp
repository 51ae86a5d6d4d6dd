// Labels: net pty
// zq-cli's read, write and set-clock, run as the real program against the simulator over UDP and
// over the pty, with a failure each: a silent instrument, a refused item, a wrong reply.
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestCliConfig : public QObject
{
    Q_OBJECT
private slots:
    void readShowsTreeRows_data();
    void readShowsTreeRows();
    void readCsvRoundTripsThroughChangedOnlyWrite();
    void readSilentInstrumentIsLinkFailure();
    void readSeveralInParallel();
    void writeAllFromCsv_data();
    void writeAllFromCsv();
    void writeRefusedItemFails();
    void writeDryRunSendsNothing();
    void setClockGivenTime_data();
    void setClockGivenTime();
    void setClockWrongReply();
};

namespace {

// The arguments that reach the fixture's instrument over UDP or over its pty.
QStringList linkArguments(const SimFixture& instrument, bool udp)
{
    const QString address = QString::number(instrument.sim()->deviceAddress());
    if (udp)
        return {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()),
                QStringLiteral("--address"), address};
    return {QStringLiteral("--serial"), instrument.ptyPath(), QStringLiteral("--baud"), QStringLiteral("9600"),
            QStringLiteral("--address"), address};
}

QJsonObject jsonLine(const QString& line)
{
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

// A configuration CSV file as the assistant exports it.
QByteArray csvFile(const QStringList& lines)
{
    return "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

}

void TestCliConfig::readShowsTreeRows_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestCliConfig::readShowsTreeRows()
{
    QFETCH(bool, udp);
    WorkDir dir;
    // The SkipItems file of the working directory hides the model row, as in the window.
    dir.writeFile(QStringLiteral("SkipItems"), "ZQ-200\n");
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    const CliRun run = runZqCli(QStringList{QStringLiteral("read")} + linkArguments(instrument, udp));
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    const QStringList lines = run.outLines();
    QCOMPARE(lines.value(0), QStringLiteral("01. 设备名称: ZQ温湿度记录仪"));
    QCOMPARE(lines.value(1), QStringLiteral("02. 固件版本: V2.1.7"));
    // A value with colons stays whole; an action item has no value column.
    QVERIFY(lines.contains(QStringLiteral("19. 定时上传: 12:30:00")));
    QCOMPARE(lines.last(), QStringLiteral("24. 重启设备"));
    QCOMPARE(lines.size(), instrument.sim()->items().size() - 1);
}

void TestCliConfig::readCsvRoundTripsThroughChangedOnlyWrite()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    const QStringList link = linkArguments(instrument, true);
    CliRun run = runZqCli(QStringList{QStringLiteral("read"), QStringLiteral("--csv"), QStringLiteral("now.csv")} + link);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    const QByteArray exported = dir.readFile(QStringLiteral("now.csv"));
    QVERIFY(exported.startsWith("\xEF\xBB\xBF"));
    QVERIFY(exported.contains("04. 设备编号, 1\r\n"));

    // Two values changed in the file: only those two go out.
    QByteArray edited = exported;
    edited.replace("04. 设备编号, 1\r\n", "04. 设备编号,7\r\n");
    edited.replace("15. 报警上限, 120\r\n", "15. 报警上限,99\r\n");
    dir.writeFile(QStringLiteral("edited.csv"), edited);
    const int writesBefore = instrument.sim()->requestCount(InstrumentSimulator::WriteItem);
    run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("edited.csv"), QStringLiteral("--changed-only"),
                               QStringLiteral("--json")} + link);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WriteItem) - writesBefore, 2);
    QVERIFY(instrument.sim()->items().contains(QStringLiteral("设备编号:7")));
    QVERIFY(instrument.sim()->items().contains(QStringLiteral("报警上限:99")));
    const QJsonArray written = jsonLine(run.outLines().value(0)).value(QStringLiteral("written")).toArray();
    QCOMPARE(written.size(), 2);
    QCOMPARE(written.at(0).toObject().value(QStringLiteral("index")).toInt(), 4);

    // Written again, nothing differs and nothing is sent.
    run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("edited.csv"), QStringLiteral("--changed-only")} + link);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WriteItem) - writesBefore, 2);
}

void TestCliConfig::readSilentInstrumentIsLinkFailure()
{
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::AnyCommand, -1});
    const CliRun run = runZqCli(QStringList{QStringLiteral("read"), QStringLiteral("--timeout"), QStringLiteral("150"),
                                            QStringLiteral("--lang"), QStringLiteral("en_US")}
                                + linkArguments(instrument, true));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    // The assistant's own text, in the language asked for.
    QVERIFY2(run.err.contains(QStringLiteral("Refresh: Timed out waiting for the reply")), qPrintable(run.err));
}

void TestCliConfig::readSeveralInParallel()
{
    WorkDir dir;
    SimFixture first(false);
    SimFixture second(false);
    SimFixture silent(false);
    QVERIFY(first.isReady() && second.isReady() && silent.isReady());
    silent.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::AnyCommand, -1});
    QStringList arguments{QStringLiteral("read"), QStringLiteral("--json"), QStringLiteral("--timeout"), QStringLiteral("150"),
                          QStringLiteral("--address"), QString::number(first.sim()->deviceAddress())};
    for (const SimFixture* instrument : {&first, &silent, &second})
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(instrument->udpPort());
    const CliRun run = runZqCli(arguments);
    QVERIFY(run.finished);
    // The silent one fails; the others are read all the same, one JSON object each, in order.
    QCOMPARE(run.exitCode, 2);
    const QStringList lines = run.outLines();
    QCOMPARE(lines.size(), 3);
    const QJsonObject answered = jsonLine(lines.at(0));
    QCOMPARE(answered.value(QStringLiteral("instrument")).toString(), QStringLiteral("127.0.0.1:%1").arg(first.udpPort()));
    QVERIFY(answered.value(QStringLiteral("ok")).toBool());
    QCOMPARE(answered.value(QStringLiteral("items")).toArray().size(), first.sim()->items().size());
    QCOMPARE(jsonLine(lines.at(1)).value(QStringLiteral("exit")).toInt(), 2);
    QVERIFY(jsonLine(lines.at(2)).value(QStringLiteral("ok")).toBool());
}

void TestCliConfig::writeAllFromCsv_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestCliConfig::writeAllFromCsv()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    // The identity rows 0 and 1 are never written.
    dir.writeFile(QStringLiteral("ref.csv"), csvFile({QStringLiteral("00. 设备名称,X"), QStringLiteral("04. 设备编号,12"),
                                                      QStringLiteral("10. 采样间隔,30s")}));
    const CliRun run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("ref.csv")} + linkArguments(instrument, udp));
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WriteItem), 2);
    QVERIFY(instrument.sim()->items().contains(QStringLiteral("设备编号:12")));
    QVERIFY(instrument.sim()->items().contains(QStringLiteral("采样间隔:30s")));
    QVERIFY2(run.out.contains(QStringLiteral("02. 设备编号: 1 → 12  写入配置成功")), qPrintable(run.out));
}

void TestCliConfig::writeRefusedItemFails()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    // The serial number is read-only: the instrument answers with the value it keeps.
    dir.writeFile(QStringLiteral("ref.csv"), csvFile({QStringLiteral("03. 序列号,ZQ1"), QStringLiteral("04. 设备编号,3")}));
    const CliRun run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("ref.csv"), QStringLiteral("--json")}
                                + linkArguments(instrument, true));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QStringLiteral("序列号")), qPrintable(run.err));
    // The refusal does not stop the items after it.
    QVERIFY(instrument.sim()->items().contains(QStringLiteral("设备编号:3")));
    const QJsonArray written = jsonLine(run.outLines().value(0)).value(QStringLiteral("written")).toArray();
    QCOMPARE(written.size(), 2);
    QCOMPARE(written.at(0).toObject().value(QStringLiteral("kept")).toBool(), false);
    QCOMPARE(written.at(0).toObject().value(QStringLiteral("answer")).toString(), QStringLiteral("ZQ2026120700042"));
}

void TestCliConfig::writeDryRunSendsNothing()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    dir.writeFile(QStringLiteral("ref.csv"), csvFile({QStringLiteral("04. 设备编号,1"), QStringLiteral("05. 波特率(1200/2400/4800/9600),4800")}));
    CliRun run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("ref.csv"), QStringLiteral("--dry-run")}
                          + linkArguments(instrument, true));
    QCOMPARE(run.exitCode, 0);
    // Each item as the instrument holds it and as it would be given.
    QCOMPARE(run.outLines(), QStringList({QStringLiteral("01. 设备编号: 1 → 1"), QStringLiteral("02. 波特率(1200/2400/4800/9600): 9600 → 4800")}));
    // --skip leaves an item out by its name or its index.
    for (const QString& skip : {QStringLiteral("设备编号"), QStringLiteral("4"), QStringLiteral("04")}) {
        run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("ref.csv"), QStringLiteral("--dry-run"),
                                   QStringLiteral("--skip"), skip} + linkArguments(instrument, true));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outLines(), QStringList({QStringLiteral("02. 波特率(1200/2400/4800/9600): 9600 → 4800")}));
    }
    // With --changed-only it shows only what differs.
    run = runZqCli(QStringList{QStringLiteral("write"), QStringLiteral("ref.csv"), QStringLiteral("--dry-run"),
                               QStringLiteral("--changed-only")} + linkArguments(instrument, true));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.outLines(), QStringList({QStringLiteral("02. 波特率(1200/2400/4800/9600): 9600 → 4800")}));
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WriteItem), 0);
    QVERIFY(instrument.sim()->requestCount(InstrumentSimulator::ReadItem) > 0);
}

void TestCliConfig::setClockGivenTime_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestCliConfig::setClockGivenTime()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    const CliRun run = runZqCli(QStringList{QStringLiteral("set-clock"), QStringLiteral("--time"),
                                            QStringLiteral("2031-02-03T04:05:06")} + linkArguments(instrument, udp));
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.outLines(), QStringList{QStringLiteral("同步时间成功")});
    const QDateTime clock = instrument.sim()->clock();
    QVERIFY2(qAbs(clock.secsTo(QDateTime(QDate(2031, 2, 3), QTime(4, 5, 6)))) <= 5, qPrintable(clock.toString(Qt::ISODate)));
}

void TestCliConfig::setClockWrongReply()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->addFault({InstrumentSimulator::OtherAddress, InstrumentSimulator::SetClock, 1});
    const CliRun run = runZqCli(QStringList{QStringLiteral("set-clock"), QStringLiteral("--json")}
                                + linkArguments(instrument, true));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QStringLiteral("同步时间失败")), qPrintable(run.err));
    QCOMPARE(jsonLine(run.outLines().value(0)).value(QStringLiteral("ok")).toBool(), false);
}

QTEST_GUILESS_MAIN(TestCliConfig)
#include "tst_cli_config.moc"
