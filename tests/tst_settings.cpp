// Labels: fast
#include "settings/config.h"
#include "settings/linksettings.h"
#include "settings/settingkeys.h"
#include "tests/support/clirun.h"
#include "tests/support/workdir.h"

#include <QUdpSocket>

#include <QSettings>
#include <QTest>
#include <QThread>

#include <atomic>
#include <vector>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void defaultsWithoutFile();
    void titleRules_data();
    void titleRules();
    void chineseValuesSurviveTheFile();
    void configsShareChanges();
    void concurrentReadersAndWriter();
    void linkSettingsChecked_data();
    void linkSettingsChecked();
    void integersNeverWrap_data();
    void integersNeverWrap();
    void cliRefusesWrappedAddress();
};

void TestSettings::defaultsWithoutFile()
{
    WorkDir dir;
    Config config;
    QCOMPARE(config.value("serial/baudrate", 9600).toInt(), 9600);
    QCOMPARE(config.value("serial/port").toString(), QString());
    QCOMPARE(config.value("device/address", 255).toInt(), 255);
    QCOMPARE(config.value("window/height").toInt(), 0);
    QCOMPARE(applicationTitle(), QStringLiteral("ZEve V5.3"));
    QVERIFY(!QFile::exists(dir.filePath("config.ini")));
}

void TestSettings::titleRules_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("title");
    QTest::newRow("english default") << "[language]\nlanguage=en_US\n" << "ZU Vuvoriraz V5.3";
    QTest::newRow("traditional from tw") << "[language]\nlanguage=zh_TW\n[appname]\ntw=TW\nch=CH\n" << "TW V5.3";
    QTest::newRow("simplified from ch") << "[language]\nlanguage=zh_CH\n[appname]\ntw=TW\nch=CH\n" << "CH V5.3";
    QTest::newRow("other case falls to ch") << "[language]\nlanguage=en_us\n[appname]\nus=US\nch=CH\n" << "CH V5.3";
    QTest::newRow("version off") << "[appname]\nver=false\n" << "ZEve";
    QTest::newRow("empty name keeps version") << "[appname]\nch=\n" << " V5.3";
    QTest::newRow("empty name, version off") << "[appname]\nch=\nver=false\n" << "";
    QTest::newRow("subsection sorting before a key") << "[appname]\nch=CH\n[appname/4]\nx=1\n" << "CH V5.3";
    QTest::newRow("chinese name") << "[appname]\nch=配置助手\n" << "配置助手 V5.3";
}

void TestSettings::titleRules()
{
    QFETCH(QString, ini);
    QFETCH(QString, title);
    WorkDir dir;
    dir.writeFile("config.ini", ini.toUtf8());
    QCOMPARE(applicationTitle(), title);
}

void TestSettings::chineseValuesSurviveTheFile()
{
    WorkDir dir;
    Config().setValue("appname/ch", QStringLiteral("测试仪"));
    QVERIFY(dir.readFile("config.ini").contains(QStringLiteral("测试仪").toUtf8()));
    QCOMPARE(Config().value("appname/ch").toString(), QStringLiteral("测试仪"));
}

// Every reader makes its own Config: a value set through one is seen by another made or held
// meanwhile, and is in the file once the one that set it has gone.
void TestSettings::configsShareChanges()
{
    WorkDir dir;
    Config held;
    {
        Config writer;
        writer.setValue(Settings::DeviceAddress, 17);
        QCOMPARE(held.value(Settings::DeviceAddress).toInt(), 17);
        QCOMPARE(Config().value(Settings::DeviceAddress).toInt(), 17);
    }
    QCOMPARE(QSettings(dir.filePath("config.ini"), QSettings::IniFormat).value("device/address").toInt(), 17);
    QCOMPARE(LinkSettings::load().deviceAddress, 17);
}

// Worker threads read the communication keys, each through a Config of its own, while the window
// writes them: none of them may crash or see a torn value.
void TestSettings::concurrentReadersAndWriter()
{
    WorkDir dir;
    Config config;
    config.setValue("udp/port", "1000");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<QThread*> readers;
    for (int i = 0; i < 3; ++i) {
        readers.push_back(QThread::create([&] {
            while (!stop.load()) {
                const QString port = Config().settings()->value("udp/port").toString();
                if (port != QLatin1String("1000") && port != QLatin1String("2000"))
                    ++bad;
            }
        }));
        readers.back()->start();
    }
    for (int i = 0; i < 2000; ++i)
        config.setValue("udp/port", i % 2 ? "2000" : "1000");
    stop = true;
    for (QThread* reader : readers) {
        QVERIFY(reader->wait(10000));
        delete reader;
    }
    QCOMPARE(bad.load(), 0);
}

QTEST_GUILESS_MAIN(TestSettings)
void TestSettings::linkSettingsChecked_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<bool>("complete"); // Check::Complete, else Check::Stored
    QTest::addColumn<QString>("key");   // empty: accepted
    QTest::addColumn<QString>("value");
    const QVariantMap udp{{"communicate/udp", 1}, {"udp/address", "192.0.2.1"}, {"udp/port", "5000"}};
    const QVariantMap serial{{"serial/port", "ttyS0"}};
    const auto with = [](QVariantMap map, const QString& key, const QVariant& value) {
        map.insert(key, value);
        return map;
    };
    QTest::newRow("udp") << udp << true << "" << "";
    QTest::newRow("serial defaults") << serial << true << "" << "";
    QTest::newRow("port 65535") << with(udp, "udp/port", "65535") << true << "" << "";
    QTest::newRow("port 65536") << with(udp, "udp/port", "65536") << false << "udp/port" << "65536";
    QTest::newRow("port 0") << with(udp, "udp/port", "0") << false << "udp/port" << "0";
    QTest::newRow("port +80") << with(udp, "udp/port", "+80") << true << "udp/port" << "+80";
    QTest::newRow("no port, stored") << with(udp, "udp/port", "") << false << "" << "";
    QTest::newRow("no port, complete") << with(udp, "udp/port", "") << true << "udp/port" << "";
    QTest::newRow("host name, stored") << with(udp, "udp/address", "zq.invalid") << false << "" << "";
    QTest::newRow("host name, complete") << with(udp, "udp/address", "zq.invalid") << true << "udp/address" << "zq.invalid";
    QTest::newRow("address 1") << with(udp, "device/address", 1) << true << "" << "";
    QTest::newRow("address 256") << with(udp, "device/address", 256) << false << "device/address" << "256";
    QTest::newRow("address text") << with(udp, "device/address", "x1") << false << "device/address" << "x1";
    QTest::newRow("serial ignores udp") << with(serial, "udp/port", "99999") << true << "" << "";
    QTest::newRow("udp ignores serial") << with(udp, "serial/parity", 1) << true << "" << "";
    QTest::newRow("parity 1") << with(serial, "serial/parity", 1) << false << "serial/parity" << "1";
    QTest::newRow("stop bits 3") << with(serial, "serial/stopbits", 3) << true << "" << "";
    QTest::newRow("data bits 4") << with(serial, "serial/databits", 4) << false << "serial/databits" << "4";
    QTest::newRow("custom baud 14400") << with(serial, "serial/baudrate", 14400) << true << "" << "";
    QTest::newRow("baud 0") << with(serial, "serial/baudrate", 0) << false << "serial/baudrate" << "0";
    QTest::newRow("no serial port") << QVariantMap() << true << "serial/port" << "";
    // Beyond 32 bits: refused as stored, never wrapped into range (2^32 + 1 would be address 1).
    QTest::newRow("address 2^32+1") << with(udp, "device/address", "4294967297") << false << "device/address"
                                    << "4294967297";
    QTest::newRow("address 2^32+255") << with(udp, "device/address", "4294967551") << false << "device/address"
                                      << "4294967551";
    QTest::newRow("address -2^32+1") << with(udp, "device/address", "-4294967295") << false << "device/address"
                                     << "-4294967295";
    QTest::newRow("baud 2^32+9600") << with(serial, "serial/baudrate", "4294976896") << false << "serial/baudrate"
                                    << "4294976896";
    QTest::newRow("data bits 2^32+8") << with(serial, "serial/databits", "4294967304") << false << "serial/databits"
                                      << "4294967304";
    QTest::newRow("parity 2^32") << with(serial, "serial/parity", "4294967296") << false << "serial/parity"
                                 << "4294967296";
    QTest::newRow("stop bits 2^32+1") << with(serial, "serial/stopbits", "4294967297") << false << "serial/stopbits"
                                      << "4294967297";
    QTest::newRow("address beyond 64 bits") << with(udp, "device/address", "18446744073709551617") << false
                                            << "device/address" << "18446744073709551617";
    // 2^32 is not 0: UDP stays chosen, and the serial settings are not asked for.
    QTest::newRow("udp 2^32") << with(udp, "communicate/udp", "4294967296") << true << "" << "";
}

void TestSettings::integersNeverWrap_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint64>("read");
    QTest::addColumn<qint64>("held");
    QTest::newRow("in range") << "800" << qint64(800) << qint64(800);
    QTest::newRow("the highest") << "1000" << qint64(1000) << qint64(1000);
    QTest::newRow("above") << "1001" << qint64(7) << qint64(1000);
    QTest::newRow("2^32 + 800") << "4294968096" << qint64(7) << qint64(1000);
    QTest::newRow("below") << "-1" << qint64(7) << qint64(0);
    QTest::newRow("no number") << "8x" << qint64(7) << qint64(7);
    QTest::newRow("beyond 64 bits") << "18446744073709552416" << qint64(7) << qint64(7);
}

// Any integer setting: outside its range the default is taken (or the nearer end), never a
// wrapped number.
void TestSettings::integersNeverWrap()
{
    QFETCH(QString, stored);
    QFETCH(qint64, read);
    QFETCH(qint64, held);
    WorkDir dir;
    dir.writeConfig({{"window/width", stored}});
    const SettingKey width{QStringLiteral("window/width"), 7};
    QCOMPARE(Config().integer(width, 0, 1000), read);
    QCOMPARE(Config().heldInteger(width, 0, 1000), held);
}

// zq-cli refuses a stored value beyond 32 bits with its key and value (exit 1) and sends nothing.
void TestSettings::cliRefusesWrappedAddress()
{
    WorkDir dir;
    QUdpSocket instrument;
    QVERIFY(instrument.bind(QHostAddress(QHostAddress::LocalHost), 0));
    dir.writeConfig({{"communicate/udp", 1},
                     {"udp/address", "127.0.0.1"},
                     {"udp/port", QString::number(instrument.localPort())},
                     {"device/address", "4294967297"}});
    const CliRun run = runZqCli({QStringLiteral("read")});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QLatin1String("device/address")) && run.err.contains(QLatin1String("4294967297")),
             qPrintable(run.err));
    QVERIFY(!instrument.hasPendingDatagrams());
}

// One check for the settings dialog, zq-cli and the link: nothing out of range is wrapped into
// another port or instrument; the refusal names the key and the value as stored.
void TestSettings::linkSettingsChecked()
{
    QFETCH(QVariantMap, stored);
    QFETCH(bool, complete);
    QFETCH(QString, key);
    QFETCH(QString, value);
    WorkDir dir;
    dir.writeConfig(stored);
    const LinkSettings::Problem problem =
        LinkSettings::load().validate(complete ? LinkSettings::Check::Complete : LinkSettings::Check::Stored);
    QCOMPARE(problem.key, key);
    QCOMPARE(problem.value, value);
    QCOMPARE(problem.ok(), key.isEmpty());
}

#include "tst_settings.moc"
