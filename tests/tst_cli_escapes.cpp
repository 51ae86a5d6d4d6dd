// Labels: net
// Texts an instrument sends reach zq-cli's terminal with their control characters shown as
// escapes, so that an item name cannot retitle or clear the operator's terminal and a value
// cannot pass for another; --json escapes them as JSON does, and a --csv file keeps the bytes.
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestCliEscapes : public QObject
{
    Q_OBJECT
private slots:
    void instrumentTextsOnTheTerminal_data();
    void instrumentTextsOnTheTerminal();
};

namespace {

const QString HostileName = QStringLiteral("\x1b]0;PWNED\x07\x1b[2J\x1b[31mEvil");
const QByteArray HostileValue = "12\x1b[1A\x1b[2K0\r\x9b"
                                "2J\x7f";
const QByteArray HostileRecord = "2026-03-02 23:00:00 \x1b[2J\x08\x08 21.5\n";

QStringList udpArguments(const SimFixture& instrument)
{
    return {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()),
            QStringLiteral("--address"), QString::number(instrument.sim()->deviceAddress())};
}

} // namespace

void TestCliEscapes::instrumentTextsOnTheTerminal_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("json");
    QTest::addColumn<QStringList>("shown"); // on standard output, as they must appear
    QTest::newRow("read: name and value")
        << "read" << false
        << QStringList{"\\x1b]0;PWNED\\x07\\x1b[2J\\x1b[31mEvil", ": 12\\x1b[1A\\x1b[2K0\\x0d\\x9b2J\\x7f"};
    QTest::newRow("read --json") << "read" << true << QStringList{"\\u001b]0;PWNED\\u0007"};
    QTest::newRow("search: the name found") << "search" << false << QStringList{"\\x1b[2JZQ\\x9b1m"};
    QTest::newRow("history: a record") << "history" << false
                                       << QStringList{"2026-03-02 23:00:00 \\x1b[2J\\x08\\x08 21.5"};
    QTest::newRow("history --csv keeps the record") << "history-csv" << false << QStringList();
}

void TestCliEscapes::instrumentTextsOnTheTerminal()
{
    QFETCH(QString, command);
    QFETCH(bool, json);
    QFETCH(QStringList, shown);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    InstrumentSimulator* sim = instrument.sim();
    QStringList arguments;
    if (command == QLatin1String("read")) {
        sim->setItems({QStringLiteral("设备型号:ZQ-200"), HostileName + QStringLiteral(":1")});
        sim->setItemValueBytes(1, HostileValue);
        arguments << QStringLiteral("read") << udpArguments(instrument);
    } else if (command == QLatin1String("search")) {
        QVERIFY(instrument.simulatorHost().listenProbe(QHostAddress::LocalHost, 0,
                                                       QString::fromLatin1("\x1b[2JZQ\x9b"
                                                                           "1m")));
        arguments << QStringLiteral("search") << QStringLiteral("--port") << QString::number(sim->probePort())
                  << QStringLiteral("--wait") << QStringLiteral("300") << QStringLiteral("--to")
                  << QStringLiteral("127.0.0.1");
    } else {
        sim->setHistoryRecordCount(2);
        sim->setHistoryTail(HostileRecord);
        arguments << QStringLiteral("history") << QStringLiteral("--from") << QStringLiteral("2026-03-01")
                  << QStringLiteral("--to") << QStringLiteral("2026-03-02") << udpArguments(instrument);
        if (command == QLatin1String("history-csv"))
            arguments << QStringLiteral("--csv") << QStringLiteral("h.csv");
    }
    if (json)
        arguments << QStringLiteral("--json");

    const CliRun run = runZqCli(arguments);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    // Nothing that a terminal takes for a command reaches it (JSON leaves DEL and C1 as they are,
    // and so does --json).
    for (const QString& stream : {run.out, run.err}) {
        for (const QChar c : stream) {
            const ushort code = c.unicode();
            const bool c0 = code < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t');
            const bool delOrC1 = code >= 0x7F && code <= 0x9F;
            QVERIFY2(!c0 && (json || !delOrC1),
                     qPrintable(QString::number(code, 16) + QStringLiteral(" in ") + stream));
        }
    }
    for (const QString& text : shown)
        QVERIFY2(run.out.contains(text), qPrintable(run.out));
    if (json) {
        const QJsonObject object = QJsonDocument::fromJson(run.outLines().value(0).toUtf8()).object();
        QVERIFY(
            object.value(QStringLiteral("items")).toArray().at(1).toObject().value(QStringLiteral("name")).toString()
            == HostileName);
    }
    if (command == QLatin1String("history-csv"))
        QVERIFY2(dir.readFile(QStringLiteral("h.csv")).endsWith(HostileRecord),
                 dir.readFile(QStringLiteral("h.csv")).right(80));
}

QTEST_MAIN(TestCliEscapes)
#include "tst_cli_escapes.moc"
