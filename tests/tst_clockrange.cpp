// Labels: net
// The instrument's clock keeps two digits of the year from 2000: a time outside 2000-2099 is refused
// before anything is sent, and a time given with a zone or an offset is set as the local time it
// stands for. zq-cli runs with TZ set; the window's operation is tried on its core.
#include "config/clocksync.h"
#include "config/texts/configtexts.h"
#include "settings/linksettings.h"
#include "tests/support/clirun.h"
#include "tests/support/shorttimings.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QTest>

class TestClockRange : public QObject
{
    Q_OBJECT
private slots:
    void cliTimes_data();
    void cliTimes();
    void operationRefusesBeforeSending_data();
    void operationRefusesBeforeSending();
};

namespace {

// Sets TZ while it lives, for this process and the programs it starts.
class ZoneForChildren
{
public:
    explicit ZoneForChildren(const QByteArray& zone) : previous(qgetenv("TZ")), had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
    }
    ~ZoneForChildren()
    {
        if (had)
            qputenv("TZ", previous);
        else
            qunsetenv("TZ");
    }

private:
    QByteArray previous;
    bool had;
};

} // namespace

void TestClockRange::cliTimes_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("clock"); // what the instrument holds afterwards, to the minute; empty: not set
    QTest::newRow("local time as given") << QByteArray("Asia/Shanghai") << "2024-05-01T08:30:00" << 0
                                         << "2024-05-01 08:30";
    QTest::newRow("UTC to local") << QByteArray("Asia/Shanghai") << "2024-05-01T08:30:00Z" << 0 << "2024-05-01 16:30";
    QTest::newRow("offset to local") << QByteArray("Asia/Shanghai") << "2024-05-01T08:30:00-02:00" << 0
                                     << "2024-05-01 18:30";
    QTest::newRow("offset across the date")
        << QByteArray("America/New_York") << "2024-05-01T02:00:00+00:00" << 0 << "2024-04-30 22:00";
    QTest::newRow("first second") << QByteArray("UTC") << "2000-01-01T00:00:00" << 0 << "2000-01-01 00:00";
    QTest::newRow("last second") << QByteArray("UTC") << "2099-12-31T23:59:00" << 0 << "2099-12-31 23:59";
    QTest::newRow("2100") << QByteArray("UTC") << "2150-01-01T00:00:00" << 1 << "";
    QTest::newRow("1999") << QByteArray("UTC") << "1999-12-31T23:59:59" << 1 << "";
    QTest::newRow("year 1") << QByteArray("UTC") << "0001-01-01T00:00:00" << 1 << "";
    QTest::newRow("2100 once made local") << QByteArray("Asia/Shanghai") << "2099-12-31T20:00:00Z" << 1 << "";
}

void TestClockRange::cliTimes()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, time);
    QFETCH(int, exitCode);
    QFETCH(QString, clock);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    // The simulator keeps its clock as local time of this process: it is read in the same zone.
    const ZoneForChildren tz(zone);
    const QDateTime before = instrument.sim()->clock();
    const CliRun run = runZqCli({QStringLiteral("set-clock"), QStringLiteral("--time"), time, QStringLiteral("--udp"),
                                 QStringLiteral("127.0.0.1:%1").arg(instrument.udpPort()), QStringLiteral("--address"),
                                 QString::number(instrument.sim()->deviceAddress())});
    QVERIFY(run.finished);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    if (clock.isEmpty()) {
        QVERIFY2(run.err.contains(QStringLiteral("超出仪器的时钟范围")), qPrintable(run.err));
        QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::SetClock), 0);
        QVERIFY(qAbs(instrument.sim()->clock().secsTo(before)) < 60);
    } else {
        QCOMPARE(instrument.sim()->clock().toString(QStringLiteral("yyyy-MM-dd hh:mm")), clock);
    }
}

void TestClockRange::operationRefusesBeforeSending_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::newRow("2100") << QDateTime(QDate(2100, 1, 1), QTime(0, 0));
    QTest::newRow("1999") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59));
}

void TestClockRange::operationRefusesBeforeSending()
{
    QFETCH(QDateTime, time);
    const ShortTimings timings;
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    LinkSettings link;
    link.useUdp = true;
    link.udpAddress = QStringLiteral("127.0.0.1");
    link.udpPort = QString::number(instrument.udpPort());
    link.deviceAddress = instrument.sim()->deviceAddress();
    const ConfigOutcome outcome = ClockSync::run(link, time);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.failureCode, ConfigFailure::BadValue);
    const ConfigMessages shown = configMessages(outcome);
    QCOMPARE(shown.boxes.size(), 1);
    QCOMPARE(shown.boxes.first().title, QStringLiteral("同步时间"));
    QVERIFY2(shown.boxes.first().text.contains(time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))),
             qPrintable(shown.boxes.first().text));
    QCOMPARE(instrument.sim()->requestCount(), 0);
}

QTEST_MAIN(TestClockRange)
#include "tst_clockrange.moc"
