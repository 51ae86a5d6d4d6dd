// Labels: pty net
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"
#include "sim/faultoption.h"
#include "sim/itemstore.h"
#include "sim/requestassembler.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QProcess>
#include <QRegExp>
#include <QSerialPort>
#include <QTest>
#include <QUdpSocket>

using Sim = InstrumentSimulator;

class TestSimulator : public QObject
{
    Q_OBJECT
private slots:
    void itemLines_data();
    void itemLines();
    void sampleIsRealistic();
    void loadItemsFile();
    void assemblerCutsFrames_data();
    void assemblerCutsFrames();
    void writes_data();
    void writes();
    void clockIsSetAndShown_data();
    void clockIsSetAndShown();
    void debugLines_data();
    void debugLines();
    void historyRange();
    void firmwareLoader_data();
    void firmwareLoader();
    void pageNumbersWrap();
    void searchProbe();
    void faultsCountDown();
    void requestsForOthersAreIgnored();
    void commandLineProgram();
    void faultOptions_data();
    void faultOptions();
};

static QString itemText(const QByteArray& reply)
{
    return decodeDeviceText(reply.mid(3, quint8(reply[2])));
}

static void addTransports()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("udp") << true;
    QTest::newRow("serial") << false;
}

void TestSimulator::itemLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isItem");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valued");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("valued") << "报警上限:120" << true << "报警上限" << "120" << true << false;
    QTest::newRow("time of day") << "定时上传:12:30:00" << true << "定时上传" << "12:30:00" << true << false;
    QTest::newRow("action") << "恢复出厂设置" << true << "恢复出厂设置" << "" << false << false;
    QTest::newRow("read-only") << "!设备型号:ZQ-200" << true << "设备型号" << "ZQ-200" << true << true;
    QTest::newRow("empty value") << "备注:" << true << "备注" << "" << true << false;
    QTest::newRow("windows line end") << "采样间隔:10s\r" << true << "采样间隔" << "10s" << true << false;
    QTest::newRow("clock is read-only") << "设备时间:2026-12-07 08:00:00" << true << "设备时间" << "2026-12-07 08:00:00" << true << true;
    QTest::newRow("comment") << "# items" << false << "" << "" << false << false;
    QTest::newRow("blank") << "   " << false << "" << "" << false << false;
}

void TestSimulator::itemLines()
{
    QFETCH(QString, line);
    QFETCH(bool, isItem);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, valued);
    QFETCH(bool, readOnly);
    ItemStore::Item item;
    QCOMPARE(ItemStore::parseLine(line, &item), isItem);
    if (!isItem)
        return;
    QCOMPARE(item.name, name);
    QCOMPARE(item.value, value);
    QCOMPARE(item.valued, valued);
    QCOMPARE(item.readOnly, readOnly);
}

// Every sample item must reach the assistant intact through the instrument's code page.
void TestSimulator::sampleIsRealistic()
{
    const QStringList texts = Sim().items();
    QVERIFY(texts.size() >= 15);
    for (const QString& text : texts)
        QVERIFY2(encodeDeviceText(text).size() <= 255 && decodeDeviceText(encodeDeviceText(text)) == text, qPrintable(text));
}

void TestSimulator::loadItemsFile()
{
    WorkDir dir;
    dir.writeFile("items.txt", QStringLiteral("!名称:甲\n# note\n\n速度(快/慢):快\n确认\n").toUtf8());
    Sim simulator;
    QVERIFY(simulator.loadItems(dir.filePath("items.txt")));
    QCOMPARE(simulator.items(), QStringList({"名称:甲", "速度(快/慢):快", "确认"}));
    QString error;
    QVERIFY(!simulator.loadItems(dir.filePath("missing.txt"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(simulator.items().size(), 3);
}

void TestSimulator::assemblerCutsFrames_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QList<QByteArray>>("frames");
    const QByteArray read = buildReadItemRequest(0xFF, 4);
    const QByteArray write = buildWriteItemRequest(0xFF, 5, QStringLiteral("温度"));
    const QByteArray clock = buildSetClockRequest(1, QDateTime(QDate(2026, 3, 1), QTime(8, 5, 9)));
    const QByteArray history = buildHistoryRequest(QDate(2026, 1, 1), QDate(2026, 1, 2));
    const QByteArray page = buildWritePageRequest(3, QByteArray(FirmwarePageSize, 'p'));
    const QByteArray readAt7E = buildReadItemRequest(0x7E, 1);
    QTest::newRow("one by one") << QList<QByteArray>{read, write, clock} << QList<QByteArray>{read, write, clock};
    QTest::newRow("all at once") << QList<QByteArray>{read + history + page} << QList<QByteArray>{read, history, page};
    QTest::newRow("byte pieces") << QList<QByteArray>{write.left(3), write.mid(3, 5), write.mid(8)} << QList<QByteArray>{write};
    QTest::newRow("noise before") << QList<QByteArray>{QByteArray("\x00\x13\x7E\x42", 4) + clock} << QList<QByteArray>{clock};
    QTest::newRow("broken frame skipped") << QList<QByteArray>{read.chopped(1) + "x" + history} << QList<QByteArray>{history};
    QTest::newRow("address 7E") << QList<QByteArray>{readAt7E} << QList<QByteArray>{readAt7E};
    QByteArray junk(65536, '\x55');
    for (int i = 0; i < junk.size(); i += 7)
        junk[i] = char(i);
    QTest::newRow("64 KB of junk between") << QList<QByteArray>{read + junk + clock} << QList<QByteArray>{read, clock};
}

void TestSimulator::assemblerCutsFrames()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QList<QByteArray>, frames);
    RequestAssembler assembler;
    QList<QByteArray> taken;
    for (const QByteArray& piece : pieces) {
        assembler.feed(piece);
        for (QByteArray frame = assembler.take(); !frame.isEmpty(); frame = assembler.take())
            taken.append(frame);
    }
    QCOMPARE(taken, frames);
}

void TestSimulator::writes_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QString>("item");   // the item's name in the sample
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("answer");
    const QString baud = QStringLiteral("波特率(1200/2400/4800/9600)");
    for (bool udp : {true, false}) {
        const char* transport = udp ? "udp" : "serial";
        QTest::addRow("%s option taken", transport) << udp << baud << "4800" << baud + ":4800";
        QTest::addRow("%s option refused", transport) << udp << baud << "4801" << baud + ":9600";
        QTest::addRow("%s read-only", transport) << udp << "设备型号" << "X" << "设备型号:ZQ-200";
        QTest::addRow("%s time of day", transport) << udp << "定时上传" << "08:15:30" << "定时上传:08:15:30";
        QTest::addRow("%s chinese option", transport) << udp << "上传方式(UDP/串口/关闭)" << "串口" << "上传方式(UDP/串口/关闭):串口";
        QTest::addRow("%s action", transport) << udp << "恢复出厂设置" << "" << "恢复出厂设置";
        QTest::addRow("%s past the end", transport) << udp << "" << "1" << "";
    }
}

// What the assistant's write relies on: the answer is the item as the instrument now holds it.
void TestSimulator::writes()
{
    QFETCH(bool, udp);
    QFETCH(QString, item);
    QFETCH(QString, value);
    QFETCH(QString, answer);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    udp ? instrument.useUdp() : instrument.useSerial();
    const QStringList before = instrument.sim()->items();
    int index = 200;
    for (int i = 0; i < before.size(); ++i)
        if (!item.isEmpty() && (before.at(i) == item || before.at(i).startsWith(item + ':')))
            index = i;

    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildWriteItemRequest(0xFF, index, value), reply, CrcOrder::LowFirst, 3000), 0);
    QCOMPARE(errorMessage(ExchangeOk, reply), QString());
    QCOMPARE(itemText(reply), answer);
    if (index < before.size()) {
        QCOMPARE(instrument.sim()->items().at(index), answer);
        QCOMPARE(channel.readItem(index, reply, 3000), 0);
        QCOMPARE(itemText(reply), answer);
    }
}

void TestSimulator::clockIsSetAndShown_data()
{
    QTest::addColumn<int>("address");
    QTest::newRow("255") << 255;
    QTest::newRow("1") << 1;
}

void TestSimulator::clockIsSetAndShown()
{
    QFETCH(int, address);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setDeviceAddress(quint8(address));
    instrument.useSerial();
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    const QDateTime set(QDate(2030, 6, 15), QTime(14, 30, 5));
    QByteArray reply;
    QCOMPARE(channel.exchange(buildSetClockRequest(quint8(address), set), reply, CrcOrder::LowFirst, 3000), 0);
    QCOMPARE(reply, setClockAcknowledgement(quint8(address)));
    QCOMPARE(reply.size(), 7);
    const qint64 drift = set.secsTo(instrument.sim()->clock());
    QVERIFY(drift >= 0 && drift < 5);

    const int clockIndex = instrument.sim()->items().indexOf(QRegExp(QStringLiteral("^设备时间:.*")));
    QVERIFY(clockIndex >= 0);
    QCOMPARE(channel.readItem(clockIndex, reply, 3000), 0);
    QVERIFY(itemText(reply).startsWith(QStringLiteral("设备时间:2030-06-15 14:30:0")));
}

void TestSimulator::debugLines_data()
{
    addTransports();
}

// With index 255 "1" the instrument talks until "0"; every line ends with a line feed.
void TestSimulator::debugLines()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    udp ? instrument.useUdp() : instrument.useSerial();
    instrument.sim()->setDebugInterval(50);
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildWriteItemRequest(0xFF, 255, "1"), reply, CrcOrder::LowFirst, 3000), 0);
    QCOMPARE(errorMessage(ExchangeOk, reply), QString());
    QVERIFY(instrument.sim()->debugOutput());

    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    while (received.count('\n') < 3 && clock.elapsed() < 5000) {
        received += channel.receive(500);
    }
    const QList<QByteArray> lines = received.split('\n');
    QVERIFY(lines.size() >= 4);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(decodeDeviceText(lines.at(i)).startsWith(QStringLiteral("[DBG ")), lines.at(i).constData());
    QVERIFY(decodeDeviceText(lines.at(0)).contains(QStringLiteral("温度=")));

    QCOMPARE(channel.exchange(buildWriteItemRequest(0xFF, 255, "0"), reply, CrcOrder::LowFirst, 3000), 0);
    QCOMPARE(errorMessage(ExchangeOk, reply), QString());
    QVERIFY(!instrument.sim()->debugOutput());
    // Quiet now: nothing within several intervals.
    QVERIFY(channel.receive(300).isEmpty());
}

void TestSimulator::historyRange()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    instrument.sim()->setHistoryPace(6, 4096, 1);
    QUdpSocket socket;
    QVERIFY(socket.bind(QHostAddress(QHostAddress::LocalHost), 0));
    socket.writeDatagram(buildHistoryRequest(QDate(2026, 2, 27), QDate(2026, 3, 2)), QHostAddress::LocalHost, instrument.udpPort());
    // The whole range fits one 4096-byte chunk: the stream is over once its last line is in.
    QByteArray bytes;
    const auto drain = [&socket, &bytes] {
        while (socket.hasPendingDatagrams())
            bytes += socket.receiveDatagram().data();
        return bytes.count('\n');
    };
    QTRY_COMPARE_WITH_TIMEOUT(drain(), 1 + 4 * 6, 5000);
    const QStringList lines = decodeDeviceText(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 4 * 6);
    QVERIFY(lines.first().split(' ').size() >= 2);
    QVERIFY(lines.at(1).startsWith(QStringLiteral("2026-02-27 00:00:00 ")));
    QVERIFY(lines.at(7).startsWith(QStringLiteral("2026-02-28 00:00:00 ")));
    QVERIFY(lines.last().startsWith(QStringLiteral("2026-03-02 20:00:00 ")));

    // An inverted range has no records: the header alone.
    bytes.clear();
    const int sent = instrument.sim()->repliesSent();
    socket.writeDatagram(buildHistoryRequest(QDate(2026, 3, 2), QDate(2026, 3, 1)), QHostAddress::LocalHost, instrument.udpPort());
    QTRY_COMPARE_WITH_TIMEOUT(drain(), 1, 5000);
    QCOMPARE(instrument.sim()->repliesSent(), sent + 1);
}

void TestSimulator::firmwareLoader_data()
{
    addTransports();
}

// The firmware transfer as the assistant runs it, checked against the image the instrument kept.
void TestSimulator::firmwareLoader()
{
    QFETCH(bool, udp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    udp ? instrument.useUdp() : instrument.useSerial();
    QByteArray image(2 * FirmwarePageSize + 300, Qt::Uninitialized);
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7 + i / 1024) & 0xFF);

    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildReadDeviceIdRequest(), reply, CrcOrder::HighFirst, 3000), 0);
    QVERIFY(QRegExp(QStringLiteral("!?Find\\s+%1\\s+OK").arg(instrument.sim()->model())).indexIn(decodeDeviceText(reply)) >= 0);
    instrument.sim()->setModel(QStringLiteral("ZQ-900"));
    QCOMPARE(channel.exchange(buildReadDeviceIdRequest(), reply, CrcOrder::HighFirst, 3000), 0);
    QVERIFY(decodeDeviceText(reply).contains(QStringLiteral("!Find ZQ-900 OK")));

    QCOMPARE(channel.exchange(buildEraseFlashRequest(quint32(image.size())), reply, CrcOrder::HighFirst, 3000), 0);
    QCOMPARE(reply, eraseFlashAcknowledgement());
    for (int offset = 0, page = 0; offset < image.size(); offset += FirmwarePageSize, ++page) {
        QCOMPARE(channel.exchange(buildWritePageRequest(quint8(page), image.mid(offset, FirmwarePageSize)), reply, CrcOrder::HighFirst, 3000), 0);
        QCOMPARE(reply, writePageAcknowledgement(page));
    }
    for (int i = 0; i < 2; ++i)
        channel.exchange(buildEndUpdateRequest(), reply, CrcOrder::HighFirst, 100);
    QCOMPARE(instrument.sim()->endUpdateCount(), 2);
    QCOMPARE(instrument.sim()->erasedSize(), quint32(image.size()));
    QCOMPARE(instrument.sim()->receivedImage(), image);
}

void TestSimulator::pageNumbersWrap()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    QByteArray image(257 * FirmwarePageSize + 10, Qt::Uninitialized);
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i / FirmwarePageSize) ^ (i & 0x3F));
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildEraseFlashRequest(quint32(image.size())), reply, CrcOrder::HighFirst, 3000), 0);
    for (int offset = 0; offset < image.size(); offset += FirmwarePageSize) {
        const int page = (offset / FirmwarePageSize) % 256;
        QCOMPARE(channel.exchange(buildWritePageRequest(quint8(page), image.mid(offset, FirmwarePageSize)), reply, CrcOrder::HighFirst, 3000), 0);
        QCOMPARE(reply, writePageAcknowledgement(page));
    }
    QCOMPARE(instrument.sim()->receivedImage(), image);
    // A page out of sequence gets no acknowledgement.
    QCOMPARE(channel.exchange(buildWritePageRequest(9, QByteArray(FirmwarePageSize, 0)), reply, CrcOrder::HighFirst, 200), 2);
}

void TestSimulator::searchProbe()
{
    SimulatorHost host;
    QVERIFY(host.start());
    QVERIFY(host.listenUdp());
    QVERIFY(host.listenProbe(QHostAddress::LocalHost, 0, QStringLiteral("ZQ温湿度记录仪 #7")));
    const quint16 probePort = host.simulator()->probePort();
    QVERIFY(probePort != 0 && probePort != host.simulator()->udpPort());

    QUdpSocket socket;
    QVERIFY(socket.bind(QHostAddress(QHostAddress::LocalHost), 0));
    socket.writeDatagram(QByteArray("\x01\x01\x01\x02"), QHostAddress::LocalHost, probePort); // not the probe
    socket.writeDatagram(QByteArray(4, '\x01'), QHostAddress::LocalHost, probePort);
    QVERIFY(socket.waitForReadyRead(3000));
    const QNetworkDatagram answer = socket.receiveDatagram();
    QCOMPARE(decodeDeviceText(answer.data()), QStringLiteral("ZQ温湿度记录仪 #7"));
    QCOMPARE(answer.senderPort(), int(host.simulator()->udpPort()));
    QVERIFY(!socket.waitForReadyRead(200));
}

void TestSimulator::faultsCountDown()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    instrument.sim()->addFault({Sim::NoReply, Sim::ReadItem, 2, 0, 2});
    instrument.sim()->addFault({Sim::NoReply, Sim::SetClock, -1, 0, 2});
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 100), 2);
    QCOMPARE(channel.readItem(0, reply, 100), 2);
    QCOMPARE(channel.readItem(0, reply, 1000), 0);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(channel.exchange(buildSetClockRequest(0xFF, QDateTime::currentDateTime()), reply, CrcOrder::LowFirst, 100), 2);
    instrument.sim()->clearFaults();
    QCOMPARE(channel.exchange(buildSetClockRequest(0xFF, QDateTime::currentDateTime()), reply, CrcOrder::LowFirst, 1000), 0);
    QCOMPARE(instrument.sim()->requestCount(Sim::ReadItem), 3);
    QCOMPARE(instrument.sim()->requestCount(Sim::SetClock), 4);
}

// On a shared line an instrument answers only its own address.
void TestSimulator::requestsForOthersAreIgnored()
{
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setDeviceAddress(3);
    instrument.useSerial();
    LinkChannel channel;
    QVERIFY(channel.openFromSettings());
    QByteArray reply;
    QCOMPARE(channel.exchange(buildReadItemRequest(4, 0), reply, CrcOrder::LowFirst, 200), 2);
    QCOMPARE(channel.readItem(0, reply, 1000), 0);
    QCOMPARE(instrument.sim()->requestCount(), 1);
}

// The program as an operator starts it: UDP and a pty behind a symbolic link, both answering.
void TestSimulator::commandLineProgram()
{
    WorkDir dir;
    const QString link = dir.filePath("ttyZQ");
    QProcess program;
    program.start(QStringLiteral(ZQ_BIN_DIR "/zq-simulator"),
                  {"--udp", "127.0.0.1:0", "--pty-link", link, "--probe-port", "0", "--address", "7",
                   "--fault", "no-reply,command=read-item", "--fault", "bad-crc,command=set-clock,count=-1",
                   "--baud", "9600"});
    QVERIFY(program.waitForStarted(5000));
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAllStandardOutput()).contains("LINK "), 10000);
    QRegExp udpLine(QStringLiteral("UDP 127\\.0\\.0\\.1:(\\d+)"));
    QVERIFY(udpLine.indexIn(QString::fromUtf8(output)) >= 0);
    QVERIFY(output.contains("PTY /dev/"));
    QVERIFY(QFileInfo(link).isSymLink());

    dir.writeConfig({{"communicate/udp", 1}, {"udp/address", "127.0.0.1"}, {"udp/port", udpLine.cap(1)}, {"device/address", 7}});
    QByteArray reply;
    {
        LinkChannel channel;
        QVERIFY(channel.openFromSettings());
        // The faults given on the command line: the first read goes unanswered, every clock's CRC is spoiled.
        QCOMPARE(channel.readItem(1, reply, 200), ExchangeNoReply);
        QCOMPARE(channel.readItem(1, reply, 3000), 0);
        QCOMPARE(itemText(reply), QStringLiteral("设备型号:ZQ-200"));
        for (int i = 0; i < 2; ++i)
            QCOMPARE(channel.exchange(buildSetClockRequest(7, QDateTime::currentDateTime()), reply, CrcOrder::LowFirst, 200),
                     ExchangeNoReply);
    }
    dir.writeConfig({{"communicate/udp", 0}, {"serial/port", link}});
    {
        LinkChannel channel;
        QVERIFY2(channel.openFromSettings(), qPrintable(linkOpenFailureText(channel.openFailure())));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(channel.readItem(0, reply, 3000), 0);
        const qint64 took = clock.elapsed();
        QCOMPARE(itemText(reply), QStringLiteral("设备名称:ZQ温湿度记录仪"));
        // At 9600 baud, ten bits a byte, the request and the reply cannot cross the line faster.
        const qint64 lineMs = (8 + reply.size()) * 10 * 1000 / 9600;
        QVERIFY2(took >= lineMs, qPrintable(QStringLiteral("%1 ms, the line needs %2 ms").arg(took).arg(lineMs)));
    }
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestSimulator::faultOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("pieces");
    QTest::newRow("kind alone") << "no-reply" << true << int(Sim::NoReply) << int(Sim::AnyCommand) << 1 << 0 << 2;
    QTest::newRow("everything") << "split,command=write-page,count=-1,delay=150,pieces=4" << true << int(Sim::SplitReply)
                                << int(Sim::WritePage) << -1 << 150 << 4;
    QTest::newRow("delayed history") << "delay, command=query-history, delay=4000" << true << int(Sim::DelayReply)
                                     << int(Sim::QueryHistory) << 1 << 4000 << 2;
    QTest::newRow("foreign first") << "foreign-first,delay=100" << true << int(Sim::ForeignFirst) << int(Sim::AnyCommand) << 1 << 100 << 2;
    QTest::newRow("unknown kind") << "explode" << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("unknown command") << "bad-crc,command=format" << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("unknown setting") << "bad-crc,colour=red" << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("count zero") << "other-port,count=0" << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("negative delay") << "delay,delay=-5" << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("no pieces") << "split,pieces=0" << false << 0 << 0 << 0 << 0 << 0;
}

void TestSimulator::faultOptions()
{
    QFETCH(QString, option);
    QFETCH(bool, valid);
    Sim::Fault fault;
    QString error;
    QCOMPARE(parseFaultOption(option, &fault, &error), valid);
    QCOMPARE(error.isEmpty(), valid);
    if (!valid)
        return;
    QTEST(int(fault.kind), "kind");
    QTEST(fault.command, "command");
    QTEST(fault.count, "count");
    QTEST(fault.delayMs, "delayMs");
    QTEST(fault.pieces, "pieces");
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
