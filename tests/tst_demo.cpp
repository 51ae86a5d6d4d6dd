// Labels: net pty gui
#include "link/devicetext.h"
#include "link/texts/linktexts.h"
#include "settings/config.h"
#include "link/linkchannel.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/scriptedprompter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <algorithm>

#include <signal.h>

namespace {

// The tests run in build/tests; the script lives in the source tree.
const QString repository = QStringLiteral(ZQ_SOURCE_DIR);

quint16 freeLoopbackPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    return probe.localPort();
}

// What the instrument answers for one item over the link that config.ini in the working directory names.
QString readFirstItem()
{
    LinkChannel channel;
    if (!channel.openFromSettings())
        return QStringLiteral("open failed: ") + linkOpenFailureText(channel.openFailure());
    QByteArray reply;
    const QString error = errorMessage(channel.readItem(0, reply, 3000), reply);
    if (!error.isEmpty())
        return error;
    return decodeDeviceText(reply.mid(3, reply.size() - 5));
}

// The tree's rows without the instrument's clock, which may tick between two reads.
QStringList rowsWithoutClock(MainWindow& window)
{
    QStringList rows = rowsOf(window);
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const QString& row) { return row.contains(QStringLiteral("设备时间")); }),
               rows.end());
    return rows;
}

// The README's run command with a stand-in for the assistant that waits until the test is done, so
// the test can look at the demo while it runs, from the demo's working directory.
class DemoRun
{
public:
    // withDisplay false: started as from a console without a desktop session.
    explicit DemoRun(const QString& runDir, bool withDisplay = true) : runDir(runDir)
    {
        QFile::remove(runDir + "/started");
        QFile::remove(runDir + "/done");
        const QString standIn = runDir + "/assistant.sh";
        QFile file(standIn);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("#!/bin/sh\necho $$ > started\nfor i in $(seq 600); do [ -f done ] && exit 0; sleep 0.1; done\nexit 3\n");
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZQ_RUN_DIR", runDir);
        environment.insert("ZQ_BUILD_DIR", QStringLiteral(ZQ_BIN_DIR "/.."));
        environment.insert("ZQ_ASSISTANT", standIn);
        if (!withDisplay) {
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(QString::fromLatin1(name));
        }
        script.setProcessEnvironment(environment);
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start("bash", {repository + "/scripts/run.sh", "--no-build"});
    }

    ~DemoRun()
    {
        finish();
        if (script.state() != QProcess::NotRunning) {
            script.kill();
            script.waitForFinished(5000);
        }
    }

    bool started()
    {
        return QTest::qWaitFor([&] { return QFile::exists(runDir + "/started") || script.state() == QProcess::NotRunning; },
                               30000)
               && QFile::exists(runDir + "/started");
    }

    // Closes the stand-in; the script's exit code.
    int finish()
    {
        QFile(runDir + "/done").open(QIODevice::WriteOnly);
        if (script.state() != QProcess::NotRunning && !script.waitForFinished(30000))
            return -1;
        return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
    }

    QString output() { return QString::fromUtf8(script.readAll()); }

    // Sends signal to the script alone, as kill or a supervisor does; its exit code, or -1 when it
    // has not ended within the time the demo promises.
    int signalScript(int signal)
    {
        ::kill(pid_t(script.processId()), signal);
        if (!script.waitForFinished(2000))
            return -1;
        return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
    }

    // The stand-in's process id, which it wrote on starting.
    pid_t assistantPid() const
    {
        QFile file(runDir + "/started");
        return file.open(QIODevice::ReadOnly) ? pid_t(file.readAll().trimmed().toInt()) : 0;
    }

private:
    QString runDir;
    QProcess script;
};

// Enters the demo's working directory for one look, the way the assistant sees it.
class InRunDir
{
public:
    explicit InRunDir(const QString& dir) : previous(QDir::currentPath())
    {
        QDir::setCurrent(dir);
    }
    ~InRunDir()
    {
        QDir::setCurrent(previous);
    }

private:
    QString previous;
};

}

class TestDemo : public QObject
{
    Q_OBJECT
private slots:
    void firstRunRefreshesOverUdpAndSerial();
    void operatorChangesSurviveTheNextRun();
    void signalEndsEverything_data();
    void signalEndsEverything();
    void withoutDisplaySaysHowAndStartsNothing();
    void takenPortIsToldBeforeAnythingStarts();
};

void TestDemo::firstRunRefreshesOverUdpAndSerial()
{
    QTemporaryDir runDir;
    // Port 5000 may be taken on a test machine; the demo follows a loopback port already set.
    const quint16 port = freeLoopbackPort();
    QSettings(runDir.filePath("config.ini"), QSettings::IniFormat).setValue("udp/port", port);

    DemoRun demo(runDir.path());
    QVERIFY2(demo.started(), qPrintable(demo.output()));
    QVERIFY(QFile::exists(runDir.filePath("en_US.qm")));
    {
        InRunDir inside(runDir.path());
        Config config;
        QCOMPARE(config.value("communicate/udp").toInt(), 1);
        QCOMPARE(config.value("udp/address").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(config.value("serial/port").toString(), runDir.filePath("ttyZQ"));
        // Refresh fills the tree over UDP; after switching to the serial port, through the pty.
        ScriptedPrompter prompter;
        MainWindow window;
        QVERIFY(refresh(window));
        const QStringList overUdp = rowsWithoutClock(window);
        QVERIFY2(overUdp.size() > 20, qPrintable(overUdp.join('\n')));
        QVERIFY(overUdp.first().contains(QStringLiteral("ZQ温湿度记录仪")));
        config.setValue("communicate/udp", 0);
        QVERIFY(refresh(window));
        QCOMPARE(rowsWithoutClock(window), overUdp);
        QCOMPARE(prompter.texts(), QStringList());
    }
    QCOMPARE(demo.finish(), 0);
    // The simulator went with the assistant, and took its link with it.
    QVERIFY(!QFileInfo(runDir.filePath("ttyZQ")).isSymLink());
    QUdpSocket reuse;
    QVERIFY(reuse.bind(QHostAddress(QStringLiteral("127.0.0.1")), port));
}

void TestDemo::operatorChangesSurviveTheNextRun()
{
    QTemporaryDir runDir;
    const quint16 port = freeLoopbackPort();
    {
        QSettings file(runDir.filePath("config.ini"), QSettings::IniFormat);
        file.setValue("communicate/udp", 0);
        file.setValue("serial/port", "/dev/ttyUSB7");
        file.setValue("udp/address", "127.0.0.1");
        file.setValue("udp/port", QString::number(port));
        file.setValue("device/address", 255);
        file.setValue("language/language", "en_US");
    }
    DemoRun demo(runDir.path());
    QVERIFY2(demo.started(), qPrintable(demo.output()));
    {
        InRunDir inside(runDir.path());
        Config config;
        QCOMPARE(config.value("communicate/udp").toInt(), 0);
        QCOMPARE(config.value("serial/port").toString(), QStringLiteral("/dev/ttyUSB7"));
        QCOMPARE(config.value("language/language").toString(), QStringLiteral("en_US"));
        // The simulator moved to the operator's port.
        config.setValue("communicate/udp", 1);
        QCOMPARE(readFirstItem(), QStringLiteral("设备名称:ZQ温湿度记录仪"));
    }
    QCOMPARE(demo.finish(), 0);
}

void TestDemo::signalEndsEverything_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("SIGTERM") << int(SIGTERM) << 143;
    QTest::newRow("SIGINT") << int(SIGINT) << 130;
}

// A supervisor's kill, timeout or Ctrl-C must not leave the assistant or the simulator behind.
void TestDemo::signalEndsEverything()
{
    QFETCH(int, signal);
    QFETCH(int, exitCode);
    QTemporaryDir runDir;
    const quint16 port = freeLoopbackPort();
    QSettings(runDir.filePath("config.ini"), QSettings::IniFormat).setValue("udp/port", port);
    DemoRun demo(runDir.path());
    QVERIFY2(demo.started(), qPrintable(demo.output()));
    const pid_t assistant = demo.assistantPid();
    QVERIFY(assistant > 0);

    QCOMPARE(demo.signalScript(signal), exitCode);
    QVERIFY(::kill(assistant, 0) != 0);
    QVERIFY(!QFileInfo(runDir.filePath("ttyZQ")).isSymLink());
    QUdpSocket reuse;
    QVERIFY(reuse.bind(QHostAddress(QStringLiteral("127.0.0.1")), port));
}

void TestDemo::withoutDisplaySaysHowAndStartsNothing()
{
    QTemporaryDir runDir;
    DemoRun demo(runDir.path(), false);
    QVERIFY(!demo.started());
    QCOMPARE(demo.finish(), 1);
    const QString output = demo.output();
    QVERIFY2(output.contains(QStringLiteral("xvfb-run -a bash scripts/run.sh")), qPrintable(output));
    QVERIFY(!QFile::exists(runDir.filePath("config.ini")));
    QVERIFY(!QFile::exists(runDir.filePath("simulator.log")));
}

void TestDemo::takenPortIsToldBeforeAnythingStarts()
{
    QTemporaryDir runDir;
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    QSettings(runDir.filePath("config.ini"), QSettings::IniFormat).setValue("udp/port", holder.localPort());
    DemoRun demo(runDir.path());
    QVERIFY(!demo.started());
    QCOMPARE(demo.finish(), 1);
    const QString output = demo.output();
    QVERIFY2(output.contains(QStringLiteral("UDP port %1 on 127.0.0.1 is taken").arg(holder.localPort())), qPrintable(output));
    QVERIFY(!QFile::exists(runDir.filePath("simulator.log")));
}

QTEST_MAIN(TestDemo)
#include "tst_demo.moc"
