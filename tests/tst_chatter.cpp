// Labels: net pty
// Runs apart: operationsBehindChatter
// An instrument that talks while it answers: a debug line before every reply must not break a
// configuration read or write, a history query, a firmware update or the monitor's debug switch,
// over UDP or the serial line; the loader answers at device address 126 (its marker byte); and a
// flood of lines keeps no exchange past its time-out.
#include "config/configwriter.h"
#include "config/refreshthread.h"
#include "firmware/updatethread.h"
#include "history/readthread.h"
#include "jobs/stoptoken.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "monitor/monitorsession.h"
#include "settings/config.h"
#include "tests/support/shorttimings.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <thread>

using Sim = InstrumentSimulator;

class TestChatter : public QObject
{
    Q_OBJECT
private slots:
    void operationsBehindChatter_data();
    void operationsBehindChatter();
    void monitorSwitchBehindChatter_data();
    void monitorSwitchBehindChatter();
    void floodEndsAtTheTimeOut_data();
    void floodEndsAtTheTimeOut();
};

namespace {

enum Operation { ReadAll, WriteItem, History, Firmware };

QByteArray testImage()
{
    QByteArray image;
    for (int i = 0; i < 2100; ++i)
        image.append(char(i * 13 % 251));
    return image;
}

// Runs one operation against the instrument config.ini names; empty when it succeeded, else why not.
QString runOperation(int operation, Sim* sim)
{
    switch (operation) {
    case ReadAll: {
        RefreshThread thread;
        QStringList read;
        QObject::connect(&thread, &RefreshThread::signalAddItems,
                         [&read](int, const QStringList& fields) { read.append(fields.join(QLatin1Char(':'))); });
        thread.startRead();
        thread.wait();
        if (thread.failure() != ConfigFailure::None)
            return QStringLiteral("read failed: %1").arg(int(thread.linkError()));
        return read == sim->items() ? QString() : QStringLiteral("read %1").arg(read.join(QLatin1Char('|')));
    }
    case WriteItem: {
        ConfigRow row;
        row.index = 1;
        row.name = QStringLiteral("x");
        row.value = QStringLiteral("old");
        row.valued = true;
        const QString before = sim->items().at(1).section(QLatin1Char(':'), 0, 0);
        const ConfigOutcome outcome = ConfigWriter::writeAll({row}, {});
        if (!outcome.ok)
            return QStringLiteral("write failed: %1").arg(int(outcome.failureCode));
        return sim->items().at(1) == before + QStringLiteral(":old") ? QString() : sim->items().at(1);
    }
    case History: {
        ReadThread thread;
        QStringList lines;
        QObject::connect(&thread, &ReadThread::signalAddLines, [&lines](const QString& text) {
            lines.append(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
        });
        thread.startRead(buildHistoryRequest(QDate(2026, 3, 1), QDate(2026, 3, 1)));
        thread.wait();
        if (thread.failure() != HistoryFailure::None)
            return QStringLiteral("history failed");
        // The header, 24 records; a line the instrument put before them may come first.
        const int records = int(std::count_if(lines.cbegin(), lines.cend(), [](const QString& line) {
            return line.startsWith(QStringLiteral("2026-03-01 "));
        }));
        return records == 24 ? QString() : QStringLiteral("%1 records").arg(records);
    }
    case Firmware: {
        UpdateThread thread;
        DEncryptInfo info;
        info.fields.insert(KeyModel, sim->model());
        info.fields.insert(KeyImage, testImage());
        thread.setInfo(info);
        thread.setExchangeTimeout(400); // the loader does not answer EndUpdate: two such waits
        thread.start();
        thread.wait();
        if (thread.failure() != UpdateFailure::None)
            return QStringLiteral("update failed: %1").arg(int(thread.failure()));
        return sim->receivedImage() == testImage() ? QString() : QStringLiteral("image differs");
    }
    }
    return QStringLiteral("no such operation");
}

void useTransport(const SimFixture& instrument, bool udp)
{
    if (udp)
        instrument.useUdp();
    else
        instrument.useSerial();
}

} // namespace

void TestChatter::operationsBehindChatter_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("chatter");
    const struct
    {
        const char* name;
        int operation;
    } operations[] = {{"read", ReadAll}, {"write", WriteItem}, {"history", History}, {"firmware", Firmware}};
    for (bool udp : {true, false}) {
        for (const auto& operation : operations)
            QTest::addRow("%s, %s behind chatter", udp ? "udp" : "pty", operation.name)
                << udp << operation.operation << 255 << true;
        // 0x7E leads the loader's marker replies as well.
        QTest::addRow("%s, firmware at address 126", udp ? "udp" : "pty") << udp << int(Firmware) << 126 << false;
        QTest::addRow("%s, read at address 126", udp ? "udp" : "pty") << udp << int(ReadAll) << 126 << false;
    }
}

void TestChatter::operationsBehindChatter()
{
    QFETCH(bool, udp);
    QFETCH(int, operation);
    QFETCH(int, address);
    QFETCH(bool, chatter);
    WorkDir dir;
    ShortTimings timings;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    instrument.sim()->setItems({QStringLiteral("设备型号:ZQ-200"), QStringLiteral("间隔:10"), QStringLiteral("单位:°C"),
                                QStringLiteral("复位")});
    instrument.sim()->setDeviceAddress(quint8(address));
    useTransport(instrument, udp);
    if (chatter)
        instrument.sim()->addFault({Sim::Chatter, Sim::AnyCommand, -1});
    QElapsedTimer clock;
    clock.start();
    const QString failure = runOperation(operation, instrument.sim());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // Each reply is taken as it comes, never at the end of a wait.
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
}

void TestChatter::monitorSwitchBehindChatter_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("fault");
    for (bool udp : {true, false}) {
        const char* transport = udp ? "udp" : "pty";
        QTest::addRow("%s, a line before the reply", transport) << udp << int(Sim::Chatter);
        // The reply in three pieces 100 ms apart while lines come every 50 ms: lines fall between
        // the pieces.
        QTest::addRow("%s, lines between the reply's pieces", transport) << udp << int(Sim::SplitReply);
    }
}

// Debug on, lines flow, debug off: each switch answered within a second although the instrument
// talks before every reply or between its pieces; the lines are shown like any other.
void TestChatter::monitorSwitchBehindChatter()
{
    QFETCH(bool, udp);
    QFETCH(int, fault);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    useTransport(instrument, udp);
    instrument.sim()->setDebugInterval(50);
    instrument.sim()->addFault({Sim::FaultKind(fault), Sim::WriteItem, -1, 100, 3});
    struct CountingSink : MonitorSink
    {
        std::atomic<int> lineEnds{0};
        std::atomic<int> failures{0};
        std::atomic<qint64> listeningAt{-1};
        QElapsedTimer clock;
        void listening() override { listeningAt = clock.elapsed(); }
        void received(const QByteArray& bytes, qint64) override { lineEnds += bytes.count('\n'); }
        void debugCommandFailed(LinkError) override { ++failures; }
    } sink;
    StopSource stop;
    MonitorOutcome outcome;
    std::atomic<bool> ended{false};
    sink.clock.start();
    // The simulator answers on this thread: the test waits with its event loop running.
    std::thread run([&] {
        outcome = runMonitor(LinkSettings::load(), true, stop.token(), sink);
        ended = true;
    });
    // A failed check leaves no thread running behind the test.
    const auto joinAtEnd = qScopeGuard([&] {
        stop.request();
        if (run.joinable())
            run.join();
    });
    QTRY_VERIFY_WITH_TIMEOUT(sink.lineEnds >= 5 || ended, 5000);
    QVERIFY2(sink.listeningAt >= 0 && sink.listeningAt < 1000, qPrintable(QString::number(sink.listeningAt.load())));
    const qint64 stopAt = sink.clock.elapsed();
    stop.request();
    QTRY_VERIFY_WITH_TIMEOUT(ended, 5000);
    QVERIFY2(sink.clock.elapsed() - stopAt < 1000, qPrintable(QString::number(sink.clock.elapsed() - stopAt)));
    QCOMPARE(sink.failures.load(), 0);
    QCOMPARE(outcome.failure, MonitorFailure::None);
    QCOMPARE(instrument.sim()->debugSwitches(), (QStringList{"1", "0"}));
    QTRY_VERIFY_WITH_TIMEOUT(!instrument.sim()->debugOutput(), 3000);
}

void TestChatter::floodEndsAtTheTimeOut_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

// The instrument's debug lines come as fast as the link takes them while a reply is missing: the
// exchange still ends within its time-out and a second (the serial line's piece gap included).
void TestChatter::floodEndsAtTheTimeOut()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    useTransport(instrument, udp);
    instrument.sim()->setDebugRate(0);
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildWriteItemRequest(0xFF, 255, "1"), reply, CrcOrder::LowFirst, 3000), ExchangeOk);
    instrument.sim()->addFault({Sim::NoReply, Sim::SetClock, -1});
    const int timeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    const ExchangeResult result = channel.exchange(buildSetClockRequest(0xFF, QDateTime::currentDateTime()), reply,
                                                   CrcOrder::LowFirst, timeoutMs);
    const qint64 took = clock.elapsed();
    QVERIFY2(took < timeoutMs + 1000, qPrintable(QString::number(took)));
    QVERIFY(linkErrorOf(result, reply) != LinkError::None);
    QVERIFY(instrument.sim()->debugLinesSent() > 100); // it was a flood
}

QTEST_GUILESS_MAIN(TestChatter)
#include "tst_chatter.moc"
