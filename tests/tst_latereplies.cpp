// Labels: net pty
// An instrument that answers every request late, past the read's first wait or past its retry:
// the read gives every item under its own index or fails, and never shifts one item's answer onto
// the next (writing such a list back would overwrite items with their neighbours' values).
#include "config/refreshthread.h"
#include "tests/support/shorttimings.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QTest>

using Sim = InstrumentSimulator;

class TestLateReplies : public QObject
{
    Q_OBJECT
private slots:
    void readNeverShifts_data();
    void readNeverShifts();
};

void TestLateReplies::readNeverShifts_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("complete"); // the whole list comes, else the read may fail
    // The short timings wait 300 ms, then retry for 500 ms.
    for (bool udp : {true, false}) {
        const char* transport = udp ? "udp" : "pty";
        QTest::addRow("%s, just past the first wait", transport) << udp << 350 << true;
        QTest::addRow("%s, just past the retry's wait", transport) << udp << 550 << true;
        QTest::addRow("%s, past both", transport) << udp << 850 << false;
    }
}

void TestLateReplies::readNeverShifts()
{
    QFETCH(bool, udp);
    QFETCH(int, delayMs);
    QFETCH(bool, complete);
    WorkDir dir;
    ShortTimings timings;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    const QStringList items{QStringLiteral("a:1"), QStringLiteral("b:2")};
    instrument.sim()->setItems(items);
    if (udp)
        instrument.useUdp();
    else
        instrument.useSerial();
    instrument.sim()->addFault({Sim::DelayReply, Sim::ReadItem, -1, delayMs});

    RefreshThread thread;
    QMap<int, QString> read;
    bool duplicate = false;
    connect(&thread, &RefreshThread::signalAddItems, this, [&](int index, const QStringList& fields) {
        duplicate = duplicate || read.contains(index);
        read.insert(index, fields.join(QLatin1Char(':')));
    }, Qt::DirectConnection);
    thread.startRead();
    QVERIFY(thread.wait(9000));
    QVERIFY(!duplicate);
    for (auto item = read.cbegin(); item != read.cend(); ++item)
        QCOMPARE(item.value(), items.value(item.key()));
    if (complete) {
        QCOMPARE(thread.failure(), ConfigFailure::None);
        QCOMPARE(read.size(), items.size());
    } else {
        QVERIFY(read.size() == items.size() || thread.failure() != ConfigFailure::None);
    }
}

QTEST_GUILESS_MAIN(TestLateReplies)
#include "tst_latereplies.moc"
