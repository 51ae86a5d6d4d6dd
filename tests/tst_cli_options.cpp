// Labels: net
// zq-cli's command line as the real program takes it: usage errors, the connection and language
// from config.ini, file failures, and the search against loopback answerers only.
#include "firmware/packagewriter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "sim/simulatorhost.h"
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <QUdpSocket>

class TestCliOptions : public QObject
{
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void helpNamesSubcommands();
    void helpAlignedInEveryLanguage_data();
    void helpAlignedInEveryLanguage();
    void connectionAndLanguageFromConfigIni();
    void unreadableCsvIsFileFailure();
    void searchListsLoopbackAnswerer();
    void searchWithoutAnswerIsLinkFailure();
    void storedSettingsOutOfRange_data();
    void storedSettingsOutOfRange();
    void exitCodeSameInEveryLanguage_data();
    void exitCodeSameInEveryLanguage();
};

namespace {
// Terminal columns as a terminal counts them: Chinese characters and full-width punctuation take two.
int columns(const QString& text)
{
    int count = 0;
    for (const QChar c : text)
        count += c.unicode() >= 0x1100 && (c.unicode() < 0xD800 || c.unicode() >= 0xF900) ? 2 : 1;
    return count;
}

// A UDP port on loopback that nothing listens on (bound and released at once).
quint16 deadPort()
{
    QUdpSocket socket;
    socket.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return socket.localPort();
}
}

void TestCliOptions::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString udp = QStringLiteral("--udp");
    QTest::newRow("no subcommand") << QStringList{} << QStringLiteral("缺少子命令");
    QTest::newRow("unknown subcommand") << QStringList{QStringLiteral("erase")} << QStringLiteral("未知的子命令: erase");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("read"), QStringLiteral("--dry-run")} << QStringLiteral("dry-run");
    QTest::newRow("udp without port") << QStringList{QStringLiteral("read"), udp, QStringLiteral("127.0.0.1")}
                                      << QStringLiteral("无效的 UDP 地址");
    QTest::newRow("udp host name") << QStringList{QStringLiteral("read"), udp, QStringLiteral("example.org:5000")}
                                   << QStringLiteral("无效的 UDP 地址");
    QTest::newRow("udp port zero") << QStringList{QStringLiteral("read"), udp, QStringLiteral("127.0.0.1:0")}
                                   << QStringLiteral("无效的 UDP 地址");
    QTest::newRow("udp and serial") << QStringList{QStringLiteral("read"), udp, QStringLiteral("127.0.0.1:5000"),
                                                   QStringLiteral("--serial"), QStringLiteral("/dev/null")}
                                    << QStringLiteral("不能同时使用");
    QTest::newRow("two instruments for monitor")
        << QStringList{QStringLiteral("monitor"), udp, QStringLiteral("127.0.0.1:5000"), udp, QStringLiteral("127.0.0.1:5001")}
        << QStringLiteral("只能连接一台仪器");
    QTest::newRow("one csv for two") << QStringList{QStringLiteral("read"), QStringLiteral("--csv"), QStringLiteral("a.csv"), udp,
                                                    QStringLiteral("127.0.0.1:5000"), udp, QStringLiteral("127.0.0.1:5001")}
                                     << QStringLiteral("--csv");
    QTest::newRow("address too big") << QStringList{QStringLiteral("read"), udp, QStringLiteral("127.0.0.1:5000"),
                                                    QStringLiteral("--address"), QStringLiteral("256")}
                                     << QStringLiteral("无效的设备地址");
    QTest::newRow("bad parity") << QStringList{QStringLiteral("read"), QStringLiteral("--serial"), QStringLiteral("/dev/null"),
                                               QStringLiteral("--parity"), QStringLiteral("maybe")}
                                << QStringLiteral("无效的校验");
    QTest::newRow("write without file") << QStringList{QStringLiteral("write"), udp, QStringLiteral("127.0.0.1:5000")}
                                        << QStringLiteral("需要一个文件名");
    QTest::newRow("bad time") << QStringList{QStringLiteral("set-clock"), udp, QStringLiteral("127.0.0.1:5000"),
                                             QStringLiteral("--time"), QStringLiteral("tomorrow")}
                              << QStringLiteral("无效的时间");
    QTest::newRow("history without dates") << QStringList{QStringLiteral("history"), udp, QStringLiteral("127.0.0.1:5000")}
                                           << QStringLiteral("--from");
    QTest::newRow("unknown csv format") << QStringList{QStringLiteral("history"), udp, QStringLiteral("127.0.0.1:5000"),
                                                       QStringLiteral("--from"), QStringLiteral("2026-03-01"),
                                                       QStringLiteral("--to"), QStringLiteral("2026-03-01"),
                                                       QStringLiteral("--csv-format"), QStringLiteral("xls")}
                                        << QStringLiteral("无效的 CSV 格式: xls");
    QTest::newRow("hex and both") << QStringList{QStringLiteral("monitor"), udp, QStringLiteral("127.0.0.1:5000"),
                                                 QStringLiteral("--hex"), QStringLiteral("--both")}
                                  << QStringLiteral("不能同时使用");
    QTest::newRow("no connection anywhere") << QStringList{QStringLiteral("read")} << QStringLiteral("没有连接");
}

void TestCliOptions::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    WorkDir dir;
    const CliRun run = runZqCli(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

void TestCliOptions::helpNamesSubcommands()
{
    WorkDir dir;
    dir.copyTranslations();
    const CliRun run = runZqCli({QStringLiteral("write"), QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("en_US")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("--changed-only")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Exit codes")), qPrintable(run.out));
}

void TestCliOptions::helpAlignedInEveryLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("arguments");
    QTest::newRow("English") << "en_US" << "Usage: zq-cli" << "Options:" << "Arguments:";
    QTest::newRow("Simplified Chinese") << "zh_CH" << QStringLiteral("用法: zq-cli") << QStringLiteral("选项:")
                                        << QStringLiteral("参数:");
    QTest::newRow("Traditional Chinese") << "zh_TW" << QStringLiteral("用法: zq-cli") << QStringLiteral("選項:")
                                         << QStringLiteral("參數:");
}

// Every option's and argument's text starts in one terminal column, Chinese or not, no line runs
// past 79 columns, and the section words come in the language asked for.
void TestCliOptions::helpAlignedInEveryLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, usage);
    QFETCH(QString, options);
    QFETCH(QString, arguments);
    WorkDir dir;
    dir.copyTranslations();
    for (const char* command : {"write", "search", "history"}) {
        const CliRun run = runZqCli({QString::fromLatin1(command), QStringLiteral("--help"), QStringLiteral("--lang"), code});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.outLines();
        QVERIFY2(lines.value(0).startsWith(usage), qPrintable(run.out));
        QVERIFY2(lines.contains(options) && lines.contains(arguments), qPrintable(run.out));
        // The column where the texts start, for each section.
        QMap<QString, QSet<int>> textColumns;
        int entries = 0;
        QString section;
        for (const QString& line : lines) {
            QVERIFY2(columns(line) <= 79, qPrintable(line));
            if (line == options || line == arguments) {
                section = line;
                continue;
            }
            if (section.isEmpty() || line.trimmed().isEmpty())
                continue;
            // "  --name <value>  text" or a continuation "         text": the text follows the
            // last run of two blanks.
            const int gap = line.lastIndexOf(QStringLiteral("  "));
            QVERIFY2(gap >= 0, qPrintable(line));
            textColumns[section].insert(columns(line.left(gap + 2)));
            ++entries;
        }
        QVERIFY2(entries >= 5, qPrintable(run.out));
        QCOMPARE(textColumns.size(), 2);
        for (const QSet<int>& starts : textColumns)
            QVERIFY2(starts.size() == 1, qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("--help")), qPrintable(run.out));
    }
}

void TestCliOptions::connectionAndLanguageFromConfigIni()
{
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    Config config;
    config.setValue(Settings::Language, QStringLiteral("zh_TW"));
    config.settings()->sync();

    CliRun run = runZqCli({QStringLiteral("set-clock")});
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::SetClock), 1);

    instrument.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::SetClock, 1});
    run = runZqCli({QStringLiteral("set-clock"), QStringLiteral("--timeout"), QStringLiteral("150")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("接收資料逾時")), qPrintable(run.err));
}

void TestCliOptions::unreadableCsvIsFileFailure()
{
    WorkDir dir;
    dir.writeFile(QStringLiteral("broken.csv"), "\xEF\xBB\xBFnot a configuration line\r\n");
    const QString udp = QStringLiteral("127.0.0.1:%1").arg(deadPort());
    CliRun run = runZqCli({QStringLiteral("write"), QStringLiteral("missing.csv"), QStringLiteral("--udp"), udp});
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains(QStringLiteral("打开文件失败: missing.csv")), qPrintable(run.err));
    run = runZqCli({QStringLiteral("write"), QStringLiteral("broken.csv"), QStringLiteral("--udp"), udp});
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains(QStringLiteral("文件解析错误")), qPrintable(run.err));
}

void TestCliOptions::searchListsLoopbackAnswerer()
{
    WorkDir dir;
    SimulatorHost host;
    QVERIFY(host.start() && host.listenUdp(QHostAddress::LocalHost, 0)
            && host.listenProbe(QHostAddress::LocalHost, 0, QStringLiteral("ZQ-200 一号线")));
    const QString port = QString::number(host.simulator()->probePort());
    const CliRun run = runZqCli({QStringLiteral("search"), QStringLiteral("--port"), port, QStringLiteral("--wait"),
                                 QStringLiteral("300"), QStringLiteral("--to"), QStringLiteral("127.0.0.1"), QStringLiteral("--json")});
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.outLines().size(), 1);
    const QJsonObject found = QJsonDocument::fromJson(run.outLines().first().toUtf8()).object();
    QCOMPARE(found.value(QStringLiteral("name")).toString(), QStringLiteral("ZQ-200 一号线"));
    QCOMPARE(found.value(QStringLiteral("address")).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(found.value(QStringLiteral("port")).toInt(), int(host.simulator()->udpPort()));
}

void TestCliOptions::searchWithoutAnswerIsLinkFailure()
{
    WorkDir dir;
    const CliRun run = runZqCli({QStringLiteral("search"), QStringLiteral("--port"), QString::number(deadPort()),
                                 QStringLiteral("--wait"), QStringLiteral("200"), QStringLiteral("--to"), QStringLiteral("127.0.0.1")});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(QStringLiteral("没有仪器应答")), qPrintable(run.err));
}

void TestCliOptions::storedSettingsOutOfRange_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QString>("shown"); // the key and the value the refusal names
    const QVariantMap udp{{"communicate/udp", 1}, {"udp/address", "127.0.0.1"}, {"udp/port", "5000"}};
    const QVariantMap serial{{"communicate/udp", 0}, {"serial/port", "/dev/null"}};
    const auto with = [](QVariantMap map, const QString& key, const QVariant& value) {
        map.insert(key, value);
        return map;
    };
    QTest::newRow("port 70000") << with(udp, "udp/port", "70000") << "udp/port 的值无效: 70000";
    QTest::newRow("port 0") << with(udp, "udp/port", "0") << "udp/port 的值无效: 0";
    QTest::newRow("port abc") << with(udp, "udp/port", "abc") << "udp/port 的值无效: abc";
    QTest::newRow("port -1") << with(udp, "udp/port", "-1") << "udp/port 的值无效: -1";
    QTest::newRow("address 300") << with(udp, "device/address", 300) << "device/address 的值无效: 300";
    QTest::newRow("address 511") << with(udp, "device/address", 511) << "device/address 的值无效: 511";
    QTest::newRow("address -1") << with(udp, "device/address", -1) << "device/address 的值无效: -1";
    QTest::newRow("address 0") << with(udp, "device/address", 0) << "device/address 的值无效: 0";
    QTest::newRow("address abc") << with(udp, "device/address", "abc") << "device/address 的值无效: abc";
    QTest::newRow("host name") << with(udp, "udp/address", "zq.invalid") << "udp/address 的值无效: zq.invalid";
    QTest::newRow("parity 77") << with(serial, "serial/parity", 77) << "serial/parity 的值无效: 77";
    QTest::newRow("data bits 9") << with(serial, "serial/databits", 9) << "serial/databits 的值无效: 9";
    QTest::newRow("stop bits 0") << with(serial, "serial/stopbits", 0) << "serial/stopbits 的值无效: 0";
    QTest::newRow("baud -9600") << with(serial, "serial/baudrate", -9600) << "serial/baudrate 的值无效: -9600";
}

// A value in config.ini that the link would wrap (port 70000 is 4464, address 300 is 44) is refused
// before anything is opened, naming what the file holds.
void TestCliOptions::storedSettingsOutOfRange()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QString, shown);
    WorkDir dir;
    dir.writeConfig(stored);
    const CliRun run = runZqCli({QStringLiteral("set-clock")});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(shown), qPrintable(run.err));
}

void TestCliOptions::exitCodeSameInEveryLanguage_data()
{
    using Sim = InstrumentSimulator;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("exitCode");
    const QStringList history{"history", "--from", "2026-01-01", "--to", "2026-01-01"};
    QTest::newRow("read, silent") << QStringList{"read"} << int(Sim::NoReply) << int(Sim::ReadItem) << 2;
    QTest::newRow("read, other command") << QStringList{"read"} << int(Sim::OtherCommand) << int(Sim::ReadItem) << 3;
    QTest::newRow("history, silent") << history << int(Sim::NoReply) << int(Sim::QueryHistory) << 2;
    QTest::newRow("set-clock, wrong answer") << QStringList{"set-clock"} << int(Sim::OtherCommand) << int(Sim::SetClock) << 3;
    QTest::newRow("set-clock, silent") << QStringList{"set-clock"} << int(Sim::NoReply) << int(Sim::SetClock) << 2;
    QTest::newRow("flash, silent loader") << QStringList{"flash", "fw.zqbin"} << int(Sim::NoReply) << int(Sim::ReadDeviceId) << 2;
    QTest::newRow("monitor, debug command unanswered") << QStringList{"monitor", "--debug"} << int(Sim::NoReply)
                                                       << int(Sim::WriteItem) << 2;
}

// The exit status follows the failure, not the words it is told in.
void TestCliOptions::exitCodeSameInEveryLanguage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, kind);
    QFETCH(int, command);
    QFETCH(int, exitCode);
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    Config().settings()->sync();
    QVERIFY(PackageWriter::write(dir.filePath(QStringLiteral("fw.zqbin")),
                                 PackageWriter::fields(QStringLiteral("ZQ"), instrument.sim()->model(), QStringLiteral("V1"),
                                                       QByteArray(100, 'x')))
                .isEmpty());
    instrument.sim()->addFault({InstrumentSimulator::FaultKind(kind), command, -1});
    QList<QStringList> runs;
    for (const char* language : {"zh_CH", "en_US", "zh_TW"})
        runs.append(arguments + QStringList{"--timeout", "150", "--lang", QString::fromLatin1(language)});
    const QList<CliRun> done = runZqCliTogether(runs);
    for (const CliRun& run : done) {
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode == exitCode, qPrintable(QString::number(run.exitCode) + ' ' + run.err));
    }
    // The texts do differ: the languages were really in force.
    QVERIFY(done.at(0).err != done.at(1).err && done.at(1).err != done.at(2).err);
}

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_cli_options.moc"
