// Labels: net
// Files written whole or not at all: a finished write replaces the earlier file, an unfinished one
// (cancelled, failed, or the program killed in the middle) leaves it as it was, and devices are
// written in place rather than replaced.
#include "files/wholefile.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <signal.h>

class TestWholeFile : public QObject
{
    Q_OBJECT
private slots:
    void replacesOnlyWhenCommitted_data();
    void replacesOnlyWhenCommitted();
    void devicesAreWrittenInPlace_data();
    void devicesAreWrittenInPlace();
    void linkKeepsPointingAtTheFile();
    void killedExportKeepsTheEarlierFile();
};

namespace {

const QByteArray Earlier = "earlier contents\n";
const QByteArray Later = "later contents, longer than the earlier ones\n";

// The folder's entries other than the given file: a temporary file left behind would show here.
QStringList otherEntries(const QString& folder, const QString& kept)
{
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    entries.removeAll(kept);
    return entries;
}

} // namespace

void TestWholeFile::replacesOnlyWhenCommitted_data()
{
    QTest::addColumn<bool>("existed");
    QTest::addColumn<QString>("ending"); // commit, cancel, destroy
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("new file, committed") << false << "commit" << Later;
    QTest::newRow("new file, cancelled") << false << "cancel" << QByteArray();
    QTest::newRow("new file, dropped") << false << "destroy" << QByteArray();
    QTest::newRow("earlier file, committed") << true << "commit" << Later;
    QTest::newRow("earlier file, cancelled") << true << "cancel" << Earlier;
    QTest::newRow("earlier file, dropped") << true << "destroy" << Earlier;
}

void TestWholeFile::replacesOnlyWhenCommitted()
{
    QFETCH(bool, existed);
    QFETCH(QString, ending);
    QFETCH(QByteArray, expected);
    WorkDir dir;
    if (existed)
        dir.writeFile(QStringLiteral("out.csv"), Earlier);
    {
        WholeFile file(dir.filePath(QStringLiteral("out.csv")));
        QVERIFY(file.open());
        QCOMPARE(file.device()->write(Later), qint64(Later.size()));
        // Until the commit the earlier file is untouched.
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("out.csv"))), existed);
        if (existed)
            QCOMPARE(dir.readFile(QStringLiteral("out.csv")), Earlier);
        if (ending == QLatin1String("commit"))
            QVERIFY(file.commit());
        else if (ending == QLatin1String("cancel"))
            file.cancel();
    }
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("out.csv"))), !expected.isEmpty());
    if (!expected.isEmpty())
        QCOMPARE(dir.readFile(QStringLiteral("out.csv")), expected);
    QCOMPARE(otherEntries(dir.path(), QStringLiteral("out.csv")), QStringList());
}

void TestWholeFile::devicesAreWrittenInPlace_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("null device") << "/dev/null" << true;
    QTest::newRow("full disk") << "/dev/full" << false;
}

// Run as root the folder /dev is writable: a temporary file renamed over the device would replace it.
void TestWholeFile::devicesAreWrittenInPlace()
{
    QFETCH(QString, device);
    QFETCH(bool, succeeds);
    if (!QFileInfo::exists(device))
        QSKIP("no such device here");
    const QStringList before = QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::System);
    {
        WholeFile file(device);
        QVERIFY(file.open());
        file.device()->write(QByteArray(64 * 1024, 'x'));
        QCOMPARE(file.commit(), succeeds);
    }
    const QFileInfo after(device);
    QVERIFY(after.exists() && !after.isFile());
    QCOMPARE(QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::System), before);
}

void TestWholeFile::linkKeepsPointingAtTheFile()
{
    WorkDir dir;
    dir.writeFile(QStringLiteral("target.csv"), Earlier);
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("target.csv")), dir.filePath(QStringLiteral("link.csv"))));
    WholeFile file(dir.filePath(QStringLiteral("link.csv")));
    QVERIFY(file.open());
    file.device()->write(Later);
    QVERIFY(file.commit());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("link.csv"))).isSymLink());
    QCOMPARE(dir.readFile(QStringLiteral("target.csv")), Later);
}

// zq-cli killed while it exports a history: the earlier export stays whole.
void TestWholeFile::killedExportKeepsTheEarlierFile()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setHistoryRecordCount(60000);
    instrument.sim()->setHistoryPace(24, 8192, 1);
    QByteArray earlier;
    for (int i = 0; i < 20000; ++i)
        earlier += "2026-01-01 00:00:00 an earlier export\n";
    dir.writeFile(QStringLiteral("h.csv"), earlier);

    QProcess cli;
    cli.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"),
              {QStringLiteral("history"), QStringLiteral("--from"), QStringLiteral("2026-03-01"),
               QStringLiteral("--to"), QStringLiteral("2026-03-02"), QStringLiteral("--address"),
               QString::number(instrument.sim()->deviceAddress()), QStringLiteral("--udp"),
               QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()), QStringLiteral("--csv"),
               QStringLiteral("h.csv")});
    QVERIFY(cli.waitForStarted());
    // Killed as soon as it holds a file of the folder open for the export (on Linux a save file
    // may have no name until it is committed, so the folder alone would not show it).
    const QString folder = QFileInfo(dir.path()).canonicalFilePath() + QLatin1Char('/');
    const QString descriptors = QStringLiteral("/proc/%1/fd").arg(cli.processId());
    bool killed = false;
    QElapsedTimer clock;
    clock.start();
    while (!killed && cli.state() != QProcess::NotRunning && clock.elapsed() < 8000) {
        for (const QFileInfo& descriptor : QDir(descriptors).entryInfoList(QDir::AllEntries | QDir::System)) {
            if (descriptor.symLinkTarget().startsWith(folder)) {
                ::kill(pid_t(cli.processId()), SIGKILL);
                killed = true;
                break;
            }
        }
        QCoreApplication::processEvents();
    }
    cli.waitForFinished(5000);
    if (!killed)
        QSKIP("the export ended before it could be interrupted");
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
    QCOMPARE(dir.readFile(QStringLiteral("h.csv")), earlier);
}

QTEST_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
