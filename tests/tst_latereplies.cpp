// Labels: fast
// An instrument that answers every request late, past the read's first wait or past its retry:
// the read gives every item under its own index or fails, and never shifts one item's answer onto
// the next (writing such a list back would overwrite items with their neighbours' values). The
// instrument lives in memory, so its lateness costs no real time.
#include "config/refreshthread.h"
#include "tests/support/memoryinstrument.h"
#include "tests/support/shorttimings.h"

#include <QTest>

#include <memory>

using Sim = InstrumentSimulator;

namespace {

// Link timings for one test: the first wait and its retry alike, as zq-cli's --timeout sets them.
class EqualWaits
{
public:
    explicit EqualWaits(int waitMs)
    {
        timings.readItemMs = waitMs;
        timings.readItemRetryMs = waitMs;
        LinkTimings::install(&timings);
    }
    ~EqualWaits() { LinkTimings::install(nullptr); }
    EqualWaits(const EqualWaits&) = delete;
    EqualWaits& operator=(const EqualWaits&) = delete;

private:
    LinkTimings timings;
};

// The item names as the instrument lists them (without the read-only mark).
QStringList itemNames(const QStringList& itemTexts)
{
    QStringList names;
    for (QString text : itemTexts) {
        if (text.startsWith(QLatin1Char('!')))
            text.remove(0, 1);
        names.append(text.section(QLatin1Char(':'), 0, 0));
    }
    return names;
}

// One read against one instrument, what it showed and how it ended.
struct LateRead
{
    QString name;
    std::unique_ptr<RefreshThread> thread;
    QStringList names; // in the order shown
    QList<int> indexes;
    int end = -1;
};

} // namespace

class TestLateReplies : public QObject
{
    Q_OBJECT
private slots:
    void readNeverShifts_data();
    void readNeverShifts();
    void everyReplyLateAfterAnyFault();
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
    ShortTimings timings;
    MemoryInstrument instrument;
    const QStringList items{QStringLiteral("a:1"), QStringLiteral("b:2")};
    instrument.setItems(items);
    instrument.addFault({Sim::DelayReply, Sim::ReadItem, -1, delayMs});

    RefreshThread thread;
    thread.setLinkSettings(instrument.settings(udp));
    QMap<int, QString> read;
    bool duplicate = false;
    connect(
        &thread, &RefreshThread::signalAddItems, this,
        [&](int index, const QStringList& fields) {
            duplicate = duplicate || read.contains(index);
            read.insert(index, fields.join(QLatin1Char(':')));
        },
        Qt::DirectConnection);
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

// Each fault the simulator makes, on the first answer of the read, with every answer after it late
// by 1.2, 1.5 or 2.5 times the wait, as datagrams and as a byte stream: the read shows the
// instrument's items in order under their own indexes, or fails; never a changed list that ends well.
void TestLateReplies::everyReplyLateAfterAnyFault()
{
    constexpr int WaitMs = 80;
    EqualWaits waits(WaitMs);
    const QList<QPair<Sim::FaultKind, const char*>> kinds{
        {Sim::DelayReply, "delay"},         {Sim::NoReply, "no-reply"},           {Sim::SplitReply, "split"},
        {Sim::BadCrc, "bad-crc"},           {Sim::OtherAddress, "other-address"}, {Sim::OtherCommand, "other-command"},
        {Sim::WrongLength, "wrong-length"}, {Sim::OtherPort, "other-port"},       {Sim::ForeignFirst, "foreign-first"},
        {Sim::Chatter, "chatter"}};
    const QList<double> lateness{1.2, 1.5, 2.5};

    int complete = 0;
    for (const auto& kind : kinds) {
        for (double late : lateness) {
            for (bool udp : {true, false}) {
                const int delayMs = int(late * WaitMs);
                MemoryInstrument instrument;
                if (kind.first != Sim::DelayReply)
                    instrument.addFault({kind.first, Sim::ReadItem, 1, delayMs});
                instrument.addFault({Sim::DelayReply, Sim::ReadItem, -1, delayMs});
                LateRead read;
                read.name = QStringLiteral("%1, %2 x wait, %3")
                                .arg(QLatin1String(kind.second))
                                .arg(late)
                                .arg(udp ? QStringLiteral("datagrams") : QStringLiteral("stream"));
                read.thread = std::make_unique<RefreshThread>();
                read.thread->setLinkSettings(instrument.settings(udp));
                connect(
                    read.thread.get(), &RefreshThread::signalAddItems, this,
                    [&read](int index, const QStringList& fields) {
                        read.indexes.append(index);
                        read.names.append(fields.value(0));
                    },
                    Qt::DirectConnection);
                connect(
                    read.thread.get(), &RefreshThread::signalReadEnded, this, [&read](int end, int) { read.end = end; },
                    Qt::DirectConnection);
                read.thread->startRead();
                QVERIFY2(read.thread->wait(60000), qPrintable(read.name));
                const QStringList names = itemNames(instrument.items());
                // What was shown so far is always the instrument's own list, each item under its index.
                QVERIFY2(read.names == names.mid(0, read.names.size()), qPrintable(read.name));
                for (int i = 0; i < read.indexes.size(); ++i)
                    QVERIFY2(read.indexes.at(i) == i, qPrintable(read.name));
                if (read.end == RefreshThread::ReadComplete) {
                    QVERIFY2(read.names.size() == names.size(), qPrintable(read.name));
                    QCOMPARE(read.thread->failure(), ConfigFailure::None);
                    ++complete;
                } else {
                    QVERIFY2(read.end == RefreshThread::ReadFailed, qPrintable(read.name));
                    QVERIFY2(read.thread->failure() != ConfigFailure::None, qPrintable(read.name));
                }
            }
        }
    }
    // Not every row may fail: answers late by less than the retry's wait are read whole.
    QVERIFY(complete > 0);
}

QTEST_GUILESS_MAIN(TestLateReplies)
#include "tst_latereplies.moc"
