// Labels: fast
#include "settings/atom_lock.h"
#include "settings/config.h"
#include "settings/singleton.h"
#include "tests/support/workdir.h"

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
    void oneInstanceUnderConcurrentCreation();
    void concurrentReadersAndWriter();
    void lockExcludes();
};

void TestSettings::defaultsWithoutFile()
{
    WorkDir dir;
    Config* config = singleton<Config>::instance();
    QCOMPARE(config->value("serial/baudrate", 9600).toInt(), 9600);
    QCOMPARE(config->value("serial/port").toString(), QString());
    QCOMPARE(config->value("device/address", 255).toInt(), 255);
    QCOMPARE(config->value("window/height").toInt(), 0);
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
    singleton<Config>::instance()->setValue("appname/ch", QStringLiteral("测试仪"));
    singleton<Config>::destroy();
    QVERIFY(dir.readFile("config.ini").contains(QStringLiteral("测试仪").toUtf8()));
    QCOMPARE(singleton<Config>::instance()->value("appname/ch").toString(), QStringLiteral("测试仪"));
}

void TestSettings::oneInstanceUnderConcurrentCreation()
{
    WorkDir dir;
    for (int round = 0; round < 20; ++round) {
        singleton<Config>::destroy();
        std::atomic<bool> go{false};
        std::vector<Config*> seen(8, nullptr);
        std::vector<QThread*> threads;
        for (int i = 0; i < 8; ++i) {
            threads.push_back(QThread::create([&, i] {
                while (!go.load())
                    QThread::yieldCurrentThread();
                seen[i] = singleton<Config>::instance();
            }));
            threads.back()->start();
        }
        go = true;
        for (QThread* thread : threads) {
            QVERIFY(thread->wait(10000));
            delete thread;
        }
        for (Config* config : seen)
            QCOMPARE(config, seen.front());
        QCOMPARE(singleton<Config>::instance(), seen.front());
    }
}

// Worker threads read the communication keys while the window writes them; with the store's
// guard none of them may crash or see a torn value.
void TestSettings::concurrentReadersAndWriter()
{
    WorkDir dir;
    Config* config = singleton<Config>::instance();
    config->setValue("udp/port", "1000");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<QThread*> readers;
    for (int i = 0; i < 3; ++i) {
        readers.push_back(QThread::create([&] {
            while (!stop.load()) {
                const QString port = singleton<Config>::instance()->settings()->value("udp/port").toString();
                if (port != QLatin1String("1000") && port != QLatin1String("2000"))
                    ++bad;
            }
        }));
        readers.back()->start();
    }
    for (int i = 0; i < 2000; ++i)
        config->setValue("udp/port", i % 2 ? "2000" : "1000");
    stop = true;
    for (QThread* reader : readers) {
        QVERIFY(reader->wait(10000));
        delete reader;
    }
    QCOMPARE(bad.load(), 0);
}

void TestSettings::lockExcludes()
{
    atom_lock guard;
    QVERIFY(guard.tryAcquire());
    QVERIFY(!guard.tryAcquire());
    guard.release();
    guard.acquire();
    QVERIFY(!guard.tryAcquire());
    guard.release();
    QVERIFY(guard.tryAcquire());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
