// Labels: net
// zq-cli's command line as the real program takes it: usage errors, the connection and language
// from config.ini, file failures, and the search against loopback answerers only.
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "sim/simulatorhost.h"
#include "tests/support/clirun.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QJsonDocument>
#include <QJsonObject>
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
    void connectionAndLanguageFromConfigIni();
    void unreadableCsvIsFileFailure();
    void searchListsLoopbackAnswerer();
    void searchWithoutAnswerIsLinkFailure();
};

namespace {
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

void TestCliOptions::connectionAndLanguageFromConfigIni()
{
    WorkDir dir;
    dir.copyTranslations();
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    Config* config = singleton<Config>::instance();
    config->setValue(Settings::Language, QStringLiteral("zh_TW"));
    config->settings()->sync();

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

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_cli_options.moc"
