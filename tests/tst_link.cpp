// Labels: pty net
#include "link/ddatareceiver.h"
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"
#include "settings/config.h"
#include "sim/itemstore.h"
#include "tests/support/memoryinstrument.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QThread>
#include <QUdpSocket>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using Sim = InstrumentSimulator;

// Collects what a stream hands over; stops after stopAfter chunks when that is set. Moments are
// on the clock given (the instrument in memory's), else in real time.
class StreamRecorder : public DDataReceiver
{
public:
    int stopAfter = -1;
    QList<QByteArray> chunks;
    QStringList errors;
    std::function<qint64()> now;
    qint64 lastDataAt = -1;
    int stopQuestions = 0;

    explicit StreamRecorder(std::function<qint64()> clock = {}) : now(std::move(clock))
    {
        if (!now) {
            realClock.start();
            now = [this] { return realClock.elapsed(); };
        }
    }
    bool isStopped() override
    {
        ++stopQuestions;
        return stopAfter >= 0 && chunks.size() >= stopAfter;
    }
    void onFailure(LinkError error) override { errors.append(linkErrorText(error)); }
    void onData(const QByteArray& chunk) override
    {
        chunks.append(chunk);
        lastDataAt = now();
    }
    QByteArray all() const
    {
        QByteArray bytes;
        for (const QByteArray& chunk : chunks)
            bytes += chunk;
        return bytes;
    }

private:
    QElapsedTimer realClock;
};

class TestLink : public QObject
{
    Q_OBJECT
private slots:
    void readWholeList_data();
    void readWholeList();
    void replyFaults_data();
    void replyFaults();
    void peerMatching_data();
    void peerMatching();
    void mappedPeerAddress();
    void lateReplyIsNotTakenForTheNext_data();
    void lateReplyIsNotTakenForTheNext();
    void openFromSettings_data();
    void openFromSettings();
    void rtsOnALineWithoutModemControl();
    void streamEndsAfterSilence_data();
    void streamEndsAfterSilence();
    void streamFailures_data();
    void streamFailures();
    void receiverStopsTheStream_data();
    void receiverStopsTheStream();
    void strayTalkerCannotProlongAnExchange_data();
    void strayTalkerCannotProlongAnExchange();
    void stopFlagEndsAWait_data();
    void stopFlagEndsAWait();
};

static void addTransports()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("serial") << false;
}

static void useTransport(const SimFixture& instrument, bool udp)
{
    if (udp)
        instrument.useUdp();
    else
        instrument.useSerial();
}

void TestLink::readWholeList_data()
{
    addTransports();
}

// The read loop of the assistant: items until the empty reply, which ends the exchange at once.
void TestLink::readWholeList()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    QStringList many;
    for (int i = 0; i < 255; ++i)
        many.append(QStringLiteral("项目%1:%2").arg(i).arg(i * 3));
    many.append(QStringLiteral("最后一项"));
    for (const QStringList& list : {instrument.sim()->items(), many}) {
        instrument.sim()->setItems(list);
        useTransport(instrument, udp);
        LinkChannel channel;
        QVERIFY(channel.openFromSettings());
        QCOMPARE(channel.isUdp(), udp);
        QStringList read;
        QByteArray reply;
        for (int index = 0; index < 256; ++index) {
            QCOMPARE(channel.readItem(index, reply, 3000), int(ExchangeOk));
            QCOMPARE(errorMessage(ExchangeOk, reply), QString());
            QCOMPARE(quint8(reply[1]), quint8(0x03));
            QCOMPARE(reply.size(), quint8(reply[2]) + 5);
            read.append(decodeDeviceText(reply.mid(3, quint8(reply[2]))));
        }
        const int shown = qMin(256, list.size());
        QStringList expected = instrument.sim()->items().mid(0, shown);
        // The instrument's clock runs on between the read and this look at its items.
        const QString clockRow = ItemStore::ClockItemName + QLatin1Char(':');
        for (int row = 0; row < read.size(); ++row) {
            if (read.at(row).startsWith(clockRow) && expected.value(row).startsWith(clockRow))
                read[row] = expected.at(row);
        }
        QCOMPARE(read.mid(0, shown), expected);
        if (list.size() < 256) {
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(channel.readItem(list.size(), reply, 3000), int(ExchangeOk));
            QCOMPARE(reply, buildAddressReply(0xFF, {}));
            QVERIFY2(clock.elapsed() < 2000, "the empty reply is complete; no time-out is waited for");
        }
    }
}

void TestLink::replyFaults_data()
{
    QTest::addColumn<bool>("real"); // over UDP and a pty to the simulator, else to an instrument in memory
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("whole"); // the reply is the instrument's frame, unchanged
    QTest::addColumn<int>("minMs");

    const QString crcError = QStringLiteral("CRC校验错误");
    const QString noReply = QStringLiteral("接收数据超时");
    // A reply in pieces over the serial port ends after a gap of 250 ms here (LinkTimings).
    // The logic of the waits, on the instrument in memory: "udp" are datagrams, "serial" a stream.
    // udp, kind, delay, pieces, time-out, result, error, whole, minimum duration
    const auto logic = [](const char* name) -> QTestData& { return QTest::newRow(name) << false; };
    logic("udp late reply") << true << int(Sim::DelayReply) << 300 << 2 << 3000 << 0 << QString() << true << 300;
    logic("udp two datagrams 100 ms apart")
        << true << int(Sim::SplitReply) << 100 << 2 << 3000 << 0 << QString() << true << 100;
    logic("udp silent") << true << int(Sim::NoReply) << 0 << 2 << 150 << 2 << noReply << false << 150;
    logic("udp too late") << true << int(Sim::DelayReply) << 1500 << 2 << 150 << 2 << noReply << false << 150;
    logic("udp last piece missing") << true << int(Sim::SplitReply) << 5000 << 2 << 150 << 2 << noReply << false << 150;
    logic("udp bad crc") << true << int(Sim::BadCrc) << 0 << 2 << 150 << 2 << noReply << false << 150;
    logic("udp wrong length") << true << int(Sim::WrongLength) << 0 << 2 << 150 << 2 << noReply << false << 150;
    logic("udp other address") << true << int(Sim::OtherAddress) << 0 << 2 << 3000 << 0 << QString() << false << 0;
    logic("udp other command") << true << int(Sim::OtherCommand) << 0 << 2 << 3000 << 0 << QString() << false << 0;
    logic("serial late reply") << false << int(Sim::DelayReply) << 300 << 2 << 3000 << 0 << QString() << true << 300;
    logic("serial three pieces") << false << int(Sim::SplitReply) << 150 << 3 << 3000 << 0 << QString() << true << 300;
    logic("serial silent") << false << int(Sim::NoReply) << 0 << 2 << 150 << 2 << noReply << false << 150;
    logic("serial last piece missing") << false << int(Sim::SplitReply) << 5000 << 2 << 3000 << 0 << crcError << false
                                       << 250;
    logic("serial bad crc") << false << int(Sim::BadCrc) << 0 << 2 << 3000 << 0 << crcError << false << 250;
    logic("serial wrong length") << false << int(Sim::WrongLength) << 0 << 2 << 3000 << 0 << QString() << false << 250;
    logic("serial other command") << false << int(Sim::OtherCommand) << 0 << 2 << 3000 << 0 << QString() << false << 0;
    // What the real lines do themselves: datagrams from other ports dropped, a reply in datagrams
    // or in the pty's pieces put together.
    const auto line = [](const char* name) -> QTestData& { return QTest::newRow(name) << true; };
    line("real udp two datagrams 100 ms apart")
        << true << int(Sim::SplitReply) << 100 << 2 << 3000 << 0 << QString() << true << 90;
    line("real udp from another port") << true << int(Sim::OtherPort) << 0 << 2 << 150 << 2 << noReply << false << 140;
    line("real udp foreign datagram first")
        << true << int(Sim::ForeignFirst) << 100 << 2 << 3000 << 0 << QString() << true << 90;
    line("real serial three pieces") << false << int(Sim::SplitReply) << 150 << 3 << 3000 << 0 << QString() << true
                                     << 290;
    line("real serial last piece missing")
        << false << int(Sim::SplitReply) << 5000 << 2 << 3000 << 0 << crcError << false << 240;
}

void TestLink::replyFaults()
{
    QFETCH(bool, real);
    QFETCH(bool, udp);
    QFETCH(int, kind);
    QFETCH(int, delayMs);
    QFETCH(int, pieces);
    QFETCH(int, timeoutMs);
    QFETCH(int, result);
    QFETCH(QString, error);
    QFETCH(bool, whole);
    QFETCH(int, minMs);

    WorkDir dir;
    std::unique_ptr<SimFixture> simulator;
    std::unique_ptr<MemoryInstrument> memory;
    LinkSettings settings;
    if (real) {
        simulator = std::make_unique<SimFixture>(!udp);
        QVERIFY(simulator->isReady());
        simulator->sim()->setDeviceAddress(1);
        settings = udp ? simulator->udpSettings() : simulator->serialSettings();
    } else {
        memory = std::make_unique<MemoryInstrument>();
        memory->setDeviceAddress(1);
        settings = memory->settings(udp);
    }
    Sim::Fault fault;
    fault.kind = Sim::FaultKind(kind);
    fault.command = Sim::SetClock;
    fault.delayMs = delayMs;
    fault.pieces = pieces;
    if (real)
        simulator->sim()->addFault(fault);
    else
        memory->addFault(fault);
    QElapsedTimer realClock;
    const auto now = [&] { return real ? realClock.elapsed() : memory->clockMs(); };

    LinkTimings quick;
    quick.serialPieceGapMs = 250;
    LinkTimings::install(&quick);
    LinkChannel channel;
    LinkTimings::install(nullptr);
    QVERIFY(channel.open(settings));
    QByteArray reply("stale");
    realClock.start();
    const qint64 start = now();
    QCOMPARE(
        channel.exchange(buildSetClockRequest(1, QDateTime::currentDateTime()), reply, CrcOrder::LowFirst, timeoutMs),
        result);
    const qint64 took = now() - start;
    QCOMPARE(errorMessage(ExchangeResult(result), reply), error);
    QCOMPARE(reply == setClockAcknowledgement(1), whole);
    QVERIFY2(took >= minMs, qPrintable(QString::number(took)));
    QVERIFY(!reply.startsWith("stale"));

    // The link is fit for the next request whatever went before.
    if (real)
        QTRY_COMPARE_WITH_TIMEOUT(simulator->sim()->requestCount(), 1, 5000);
    else
        QCOMPARE(memory->requestCount(), 1);
    QCOMPARE(channel.exchange(buildSetClockRequest(1, QDateTime::currentDateTime()), reply, CrcOrder::LowFirst, 3000),
             0);
    QCOMPARE(reply, setClockAcknowledgement(1));
}

void TestLink::peerMatching_data()
{
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<int>("senderPort");
    QTest::addColumn<bool>("match");
    QTest::newRow("same") << "127.0.0.1"
                          << "127.0.0.1" << 5000 << true;
    QTest::newRow("mapped sender") << "127.0.0.1"
                                   << "::ffff:127.0.0.1" << 5000 << true;
    QTest::newRow("mapped peer") << "::ffff:127.0.0.1"
                                 << "127.0.0.1" << 5000 << true;
    QTest::newRow("other port") << "127.0.0.1"
                                << "127.0.0.1" << 5001 << false;
    QTest::newRow("other address") << "127.0.0.1"
                                   << "127.0.0.2" << 5000 << false;
    QTest::newRow("ipv6") << "::1"
                          << "::1" << 5000 << true;
    QTest::newRow("ipv6 against ipv4") << "::1"
                                       << "127.0.0.1" << 5000 << false;
    QTest::newRow("no peer") << ""
                             << "127.0.0.1" << 5000 << false;
}

void TestLink::peerMatching()
{
    QFETCH(QString, peer);
    QFETCH(QString, sender);
    QFETCH(int, senderPort);
    QFETCH(bool, match);
    QCOMPARE(LinkChannel::isPeer(QHostAddress(peer), 5000, QHostAddress(sender), quint16(senderPort)), match);
}

void TestLink::mappedPeerAddress()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    Config().setValue("udp/address", "::ffff:127.0.0.1");
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 3000), 0);
    QCOMPARE(errorMessage(ExchangeOk, reply), QString());
}

void TestLink::lateReplyIsNotTakenForTheNext_data()
{
    addTransports();
}

// A reply that comes after its exchange gave up must not be read as the answer to the next request.
void TestLink::lateReplyIsNotTakenForTheNext()
{
    QFETCH(bool, udp);
    MemoryInstrument instrument;
    instrument.addFault({Sim::DelayReply, Sim::ReadItem, 1, 300, 2});
    LinkChannel channel;
    QVERIFY(channel.open(instrument.settings(udp)));
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 50), 2);
    // The late reply is now waiting in the channel's transport.
    instrument.passMs(300);
    QCOMPARE(channel.readItem(1, reply, 3000), 0);
    QCOMPARE(decodeDeviceText(reply.mid(3, quint8(reply[2]))), instrument.items().at(1));
}

void TestLink::openFromSettings_data()
{
    QTest::addColumn<QVariantMap>("settings");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("firstResult");

    QTest::newRow("nothing configured") << QVariantMap() << false << QStringLiteral("串口打开失败") << 1;
    QTest::newRow("missing port") << QVariantMap{{"serial/port", "/dev/zq-no-such-port"}} << false
                                  << QStringLiteral("打开串口失败: /dev/zq-no-such-port") << 1;
    QTest::newRow("not a port") << QVariantMap{{"serial/port", "/etc/hostname"}} << false
                                << QStringLiteral("打开串口失败: /etc/hostname") << 1;
    QTest::newRow("udp without address") << QVariantMap{{"communicate/udp", 1}} << true << QString() << 1;
    QTest::newRow("udp with a bad address")
        << QVariantMap{{"communicate/udp", 1}, {"udp/address", "zq.invalid"}, {"udp/port", "5000"}} << true << QString()
        << 1;
    QTest::newRow("pty, 115200 even parity")
        << QVariantMap{{"serial/port", "PTY"}, {"serial/baudrate", 115200}, {"serial/parity", 2}, {"device/address", 1}}
        << true << QString() << 0;
    QTest::newRow("pty, 1200 7 bits 2 stops") << QVariantMap{{"serial/port", "PTY"},
                                                             {"serial/baudrate", 1200},
                                                             {"serial/databits", 7},
                                                             {"serial/stopbits", 2},
                                                             {"device/address", 1}}
                                              << true << QString() << 0;
}

void TestLink::openFromSettings()
{
    QFETCH(QVariantMap, settings);
    QFETCH(bool, opened);
    QFETCH(QString, error);
    QFETCH(int, firstResult);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setDeviceAddress(1);
    if (settings.value("serial/port") == "PTY")
        settings["serial/port"] = instrument.ptyPath();
    dir.writeConfig(settings);

    LinkChannel channel;
    QCOMPARE(channel.openFromSettings(), opened);
    QCOMPARE(linkOpenFailureText(channel.openFailure()), error);
    // A pseudo-terminal keeps 8 data bits and no parity whatever is asked; those setters' results
    // are ignored and the line still works.
    if (opened && !channel.isUdp())
        QCOMPARE(channel.lineBaudRate(), settings.value("serial/baudrate").toInt());
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 1000), firstResult);
    if (firstResult == 1)
        QCOMPARE(errorMessage(ExchangeResult(firstResult), reply), QStringLiteral("发送命令超时"));
}

// A pseudo-terminal has no modem lines: with the RTS pulse configured every request fails to go out.
void TestLink::rtsOnALineWithoutModemControl()
{
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.useSerial(true);
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QVERIFY(channel.sendsRts());
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 1000), 1);
    StreamRecorder recorder;
    channel.receiveStream(buildHistoryRequest(QDate(2026, 1, 1), QDate(2026, 1, 1)), &recorder);
    QCOMPARE(recorder.errors, QStringList{QStringLiteral("发送命令失败")});
    QCOMPARE(instrument.sim()->requestCount(), 0);
}

void TestLink::streamEndsAfterSilence_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("silenceMs");
    QTest::newRow("udp") << true << 400;
    QTest::newRow("serial") << false << 250;
}

// The whole history arrives in many chunks; the stream ends by itself once the line is quiet.
void TestLink::streamEndsAfterSilence()
{
    QFETCH(bool, udp);
    QFETCH(int, silenceMs);
    MemoryInstrument instrument;
    instrument.setHistoryPace(24, 200, 30);
    LinkTimings quick;
    quick.streamSilenceUdpMs = 400;
    quick.streamSilenceSerialMs = 250;
    LinkTimings::install(&quick);
    LinkChannel channel;
    LinkTimings::install(nullptr);
    QVERIFY(channel.open(instrument.settings(udp)));
    StreamRecorder recorder([&instrument] { return instrument.clockMs(); });
    channel.receiveStream(buildHistoryRequest(QDate(2026, 11, 1), QDate(2026, 11, 2)), &recorder);
    const qint64 ended = instrument.clockMs();

    QVERIFY(recorder.errors.isEmpty());
    QVERIFY(recorder.chunks.size() > 3);
    const QStringList lines = decodeDeviceText(recorder.all()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 2 * 24);
    QVERIFY(lines.first().startsWith(QStringLiteral("日期 时间")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("2026-11-01 00:00:00 ")));
    QVERIFY(lines.last().startsWith(QStringLiteral("2026-11-02 23:00:00 ")));
    // The chunks' pauses (30 ms) did not end it; the silence after the last one did, at once.
    QCOMPARE(ended - recorder.lastDataAt, qint64(silenceMs));
}

void TestLink::streamFailures_data()
{
    QTest::addColumn<bool>("real");
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QVariantMap>("settings");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("lateMs"); // the stream starts this late; 0: never
    const QString noData = QStringLiteral("接受数据超时");
    QTest::newRow("udp, silent instrument") << false << true << QVariantMap() << noData << 0;
    QTest::newRow("serial, silent instrument") << false << false << QVariantMap() << noData << 0;
    QTest::newRow("serial, stream past the first wait") << false << false << QVariantMap() << noData << 350;
    QTest::newRow("real udp, no address")
        << true << true << QVariantMap{{"udp/address", ""}} << QStringLiteral("发送命令超时") << 0;
}

void TestLink::streamFailures()
{
    QFETCH(bool, real);
    QFETCH(bool, udp);
    QFETCH(QVariantMap, settings);
    QFETCH(QString, error);
    QFETCH(int, lateMs);
    WorkDir dir;
    std::unique_ptr<SimFixture> simulator;
    std::unique_ptr<MemoryInstrument> memory;
    const Sim::Fault fault{lateMs > 0 ? Sim::DelayReply : Sim::NoReply, Sim::QueryHistory, 1, lateMs, 2};
    if (real) {
        simulator = std::make_unique<SimFixture>(!udp);
        QVERIFY(simulator->isReady());
        useTransport(*simulator, udp);
        dir.writeConfig(settings);
        simulator->sim()->addFault(fault);
    } else {
        memory = std::make_unique<MemoryInstrument>();
        memory->addFault(fault);
    }
    LinkTimings quick;
    quick.streamFirstDataMs = 300;
    LinkTimings::install(&quick);
    LinkChannel channel;
    LinkTimings::install(nullptr);
    QVERIFY(real ? channel.openFromSettings() : channel.open(memory->settings(udp)));
    StreamRecorder recorder;
    channel.receiveStream(buildHistoryRequest(QDate(2026, 11, 1), QDate(2026, 11, 1)), &recorder);
    QCOMPARE(recorder.errors, QStringList{error});
    QVERIFY(recorder.chunks.isEmpty());
}

void TestLink::receiverStopsTheStream_data()
{
    addTransports();
}

void TestLink::receiverStopsTheStream()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    useTransport(instrument, udp);
    instrument.sim()->setHistoryPace(24, 100, 50);
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    StreamRecorder recorder;
    recorder.stopAfter = 2;
    channel.receiveStream(buildHistoryRequest(QDate(2026, 1, 1), QDate(2026, 1, 31)), &recorder);
    QCOMPARE(recorder.chunks.size(), 2);
    QVERIFY(recorder.errors.isEmpty());
}

void TestLink::strayTalkerCannotProlongAnExchange_data()
{
    addTransports();
}

// The instrument's debug lines keep coming, from its own address and port, every 40 ms, while the
// item's reply is missing: the exchange still ends within its time-out (over the serial line, and
// one piece gap, the product's 500 ms).
void TestLink::strayTalkerCannotProlongAnExchange()
{
    QFETCH(bool, udp);
    MemoryInstrument instrument;
    instrument.setDebugInterval(40);
    LinkChannel channel;
    QVERIFY(channel.open(instrument.settings(udp)));
    QByteArray reply;
    // The debug lines go to whoever switched them on: this channel.
    QCOMPARE(channel.exchange(buildWriteItemRequest(0xFF, 255, "1"), reply, CrcOrder::LowFirst, 3000), ExchangeOk);
    QVERIFY(instrument.debugOutput());
    instrument.addFault({Sim::NoReply, Sim::ReadItem, -1, 0, 2});
    const int timeoutMs = 300;
    const int sentBefore = instrument.debugLinesSent();
    const qint64 start = instrument.clockMs();
    const ExchangeResult result = channel.readItem(0, reply, timeoutMs);
    const qint64 took = instrument.clockMs() - start;
    QVERIFY2(took <= timeoutMs + (udp ? 0 : LinkTimings().serialPieceGapMs), qPrintable(QString::number(took)));
    QVERIFY(instrument.debugLinesSent() > sentBefore + 3); // lines did come meanwhile
    // Bytes came, but no reply: over UDP no reply in time, over the line a reply that fails its CRC.
    QVERIFY(!reply.isEmpty());
    QCOMPARE(errorMessage(result, reply), udp ? QStringLiteral("接收数据超时") : QStringLiteral("CRC校验错误"));
    instrument.clearFaults();
    // Its reply may come behind a debug line; only that the lines stop matters here.
    channel.exchange(buildWriteItemRequest(0xFF, 255, "0"), reply, CrcOrder::LowFirst, 500);
    QVERIFY(!instrument.debugOutput());
}

void TestLink::stopFlagEndsAWait_data()
{
    addTransports();
}

// A stop request from another thread ends an exchange that waits for a silent instrument.
void TestLink::stopFlagEndsAWait()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument(!udp);
    QVERIFY(instrument.isReady());
    useTransport(instrument, udp);
    instrument.sim()->addFault({Sim::NoReply, Sim::ReadItem, -1, 0, 2});
    std::atomic<bool> stop{false};
    LinkChannel channel;
    channel.setStopFlag(&stop);
    QVERIFY(channel.openFromSettings());
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        stop = true;
    });
    // The wait is long enough that only the stop can have ended it, however loaded the machine:
    // a wait that ignored the stop would end at its time-out, stopped or not.
    constexpr int TimeoutMs = 60000;
    QElapsedTimer clock;
    clock.start();
    QByteArray reply;
    const ExchangeResult result = channel.readItem(0, reply, TimeoutMs);
    const qint64 took = clock.elapsed();
    stopper.join();
    QCOMPARE(result, ExchangeStopped);
    QVERIFY2(took < TimeoutMs / 2, qPrintable(QString::number(took)));
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
