// Labels: fast
#include "link/devicerequests.h"
#include "link/devicetext.h"
#include "link/frames.h"
#include "link/hexdump.h"
#include "link/linkerror.h"
#include "link/replyledger.h"
#include "link/replyscan.h"
#include "link/texts/linktexts.h"

#include <QTest>

class TestFrames : public QObject
{
    Q_OBJECT
private slots:
    void crcVectors_data();
    void crcVectors();
    void shortRunsNeverPass();
    void completeness_data();
    void completeness();
    void errorTexts_data();
    void errorTexts();
    void requests_data();
    void requests();
    void writeItemLimits();
    void pageFrames();
    void encodeFallbacks_data();
    void encodeFallbacks();
    void decodeFallbacks_data();
    void decodeFallbacks();
    void codecRoundTrip_data();
    void codecRoundTrip();
    void hexDumps_data();
    void hexDumps();
    void replyFoundAnywhere_data();
    void replyFoundAnywhere();
    void replyBetweenLines_data();
    void replyBetweenLines();
    void repliesOwed_data();
    void repliesOwed();
};

static CrcOrder order(bool highFirst)
{
    return highFirst ? CrcOrder::HighFirst : CrcOrder::LowFirst;
}

static QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

void TestFrames::crcVectors_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("highFirst");
    QTest::newRow("check value") << QByteArray("123456789") + hex("374B") << false;
    QTest::newRow("clock ack 255") << hex("FF03024F4BE597") << false;
    QTest::newRow("clock ack 1") << hex("0103024F4BCC43") << false;
    QTest::newRow("erase 300") << hex("7E05022FAC00079100042C0100006B14") << true;
    QTest::newRow("erase ack") << eraseFlashAcknowledgement().chopped(1) << true;
    QTest::newRow("page 0 ack") << hex("7E020501 01000F01000C 50616765 5B305D20 4F4B0D0A 7350") << true;
    QTest::newRow("device id") << buildReadDeviceIdRequest().chopped(1) << true;
    QTest::newRow("end update") << buildEndUpdateRequest().chopped(1) << true;
}

void TestFrames::crcVectors()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, highFirst);
    QVERIFY(checkFrameCrc(frame.constData(), frame.size(), order(highFirst)));
    QVERIFY(!checkFrameCrc(frame.constData(), frame.size(), order(!highFirst)));
    QByteArray damaged = frame;
    damaged[1] = char(damaged[1] ^ 0x10);
    QVERIFY(!checkFrameCrc(damaged.constData(), damaged.size(), order(highFirst)));
}

void TestFrames::shortRunsNeverPass()
{
    QCOMPARE(crc16(QByteArray("123456789")), quint16(0x4B37));
    QCOMPARE(crc16(QByteArray()), quint16(0xFFFF));
    // Two bytes that happen to be the CRC of nothing (FF FF) still do not make a frame.
    QVERIFY(!checkFrameCrc("\xFF\xFF", 2, CrcOrder::LowFirst));
    QVERIFY(!checkFrameCrc("", 0, CrcOrder::HighFirst));
    QCOMPARE(setClockAcknowledgement(0xFF), hex("FF03024F4BE597"));
    QCOMPARE(setClockAcknowledgement(0x01), hex("0103024F4BCC43"));
    QCOMPARE(buildEraseFlashRequest(300), hex("7E05022FAC00079100042C0100006B147F"));
    QCOMPARE(eraseFlashAcknowledgement(),
             hex("7E0205010100130100104572617365204F4B0D0A000000C1814016AD7F"));
    QCOMPARE(writePageAcknowledgement(0), hex("7E0205010100 0F01000C 5061 6765 5B30 5D20 4F4B 0D0A 7350 7F"));
    const QByteArray page255 = writePageAcknowledgement(255);
    QCOMPARE(page255.mid(5, 5), hex("0011 01000E"));
    QCOMPARE(page255.mid(10, 14), QByteArray("Page[255] OK\r\n"));
    QVERIFY(isCompleteReply(page255, 0xFF, CrcOrder::HighFirst));
}

void TestFrames::completeness_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("highFirst");
    QTest::addColumn<bool>("complete");
    QTest::newRow("nothing") << QByteArray() << 1 << false << false;
    QTest::newRow("crc missing") << hex("0103024F4B") << 1 << false << false;
    QTest::newRow("crc arrived") << hex("0103024F4BCC43") << 1 << false << true;
    QTest::newRow("end of list") << buildAddressReply(0xFF, {}) << 0xFF << false << true;
    QTest::newRow("count says more") << hex("0103034F4B") + QByteArray(2, 0) << 1 << false << false;
    QTest::newRow("count says less, crc valid") << [] {
        QByteArray frame = hex("0103034F4B");
        const quint16 crc = crc16(frame);
        return frame + char(crc & 0xFF) + char(crc >> 8);
    }() << 1 << false << false;
    QTest::newRow("other address, crc valid") << buildAddressReply(2, "x") << 1 << false << true;
    QTest::newRow("other address, crc broken") << buildAddressReply(2, "x").chopped(1) << 1 << false << false;
    QTest::newRow("marker ack") << eraseFlashAcknowledgement() << 0xFF << true << true;
    QTest::newRow("marker without end") << eraseFlashAcknowledgement().chopped(1) + 'x' << 0xFF << true << false;
    QTest::newRow("marker end missing") << eraseFlashAcknowledgement().chopped(1) << 0xFF << true << false;
    QTest::newRow("marker, crc read low-first") << eraseFlashAcknowledgement() << 0xFF << false << false;
    QTest::newRow("address 7E is address-led") << buildAddressReply(0x7E, "ab") << 0x7E << false << true;
    // The loader's replies start with 0x7E whatever the device address: in a marker exchange its rule comes first.
    QTest::newRow("address 7E, marker frame") << eraseFlashAcknowledgement() << 0x7E << true << true;
}

void TestFrames::completeness()
{
    QFETCH(QByteArray, received);
    QFETCH(int, address);
    QFETCH(bool, highFirst);
    QFETCH(bool, complete);
    QCOMPARE(isCompleteReply(received, quint8(address), order(highFirst)), complete);
}

void TestFrames::errorTexts_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole reply") << 0 << setClockAcknowledgement(1) << QString();
    QTest::newRow("end of list") << 0 << buildAddressReply(0xFF, {}) << QString();
    QTest::newRow("cut reply") << 0 << hex("0103024F4B") << QStringLiteral("CRC校验错误");
    QTest::newRow("empty reply") << 0 << QByteArray() << QStringLiteral("CRC校验错误");
    QTest::newRow("two bytes") << 0 << hex("FFFF") << QStringLiteral("CRC校验错误");
    QTest::newRow("marker reply") << 0 << eraseFlashAcknowledgement() << QStringLiteral("CRC校验错误");
    QTest::newRow("not sent") << 1 << QByteArray() << QStringLiteral("发送命令超时");
    QTest::newRow("no reply") << 2 << hex("0103") << QStringLiteral("接收数据超时");
    QTest::newRow("other") << 7 << QByteArray() << QStringLiteral("未定义的错误");
    QTest::newRow("negative") << -1 << QByteArray() << QStringLiteral("未定义的错误");
}

void TestFrames::errorTexts()
{
    QFETCH(int, result);
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    QCOMPARE(errorMessage(ExchangeResult(result), reply), text);
}

void TestFrames::requests_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("highFirst");
    const QDateTime sunday(QDate(2026, 3, 1), QTime(8, 5, 9));
    QTest::newRow("read item 0") << buildReadItemRequest(0xFF, 0) << hex("FF034B000000") << false;
    QTest::newRow("read item index wraps") << buildReadItemRequest(1, 257) << hex("01034B010000") << false;
    QTest::newRow("write 1 to item 3") << buildWriteItemRequest(0xFF, 3, "1") << hex("FF0F4B030000023100") << false;
    QTest::newRow("confirm-only write") << buildWriteItemRequest(5, 9, "") << hex("050F4B0900000100") << false;
    QTest::newRow("write chinese") << buildWriteItemRequest(1, 0, QStringLiteral("温度"))
                                   << hex("010F4B00000005CEC2B6C800") << false;
    QTest::newRow("clock sunday") << buildSetClockRequest(1, sunday) << hex("010F4D080003071A0301080509 07") << false;
    QTest::newRow("clock 2099") << buildSetClockRequest(0xFF, QDateTime(QDate(2099, 12, 31), QTime(23, 59, 58)))
                                << hex("FF0F4D0800030763 0C1F173B3A04") << false;
    QTest::newRow("clock 2100") << buildSetClockRequest(0xFF, QDateTime(QDate(2100, 1, 1), QTime(0, 0)))
                                << hex("FF0F4D0800030700 0101000000 05") << false;
    QTest::newRow("history") << buildHistoryRequest(QDate(2018, 5, 1), QDate(2026, 12, 7))
                             << hex("7E05024E9F0007910004 120501 1A0C07") << true;
    QTest::newRow("history, same day, 2000") << buildHistoryRequest(QDate(2000, 1, 2), QDate(2000, 1, 2))
                                             << hex("7E05024E9F0007910004 000102 000102") << true;
    QTest::newRow("erase empty image") << buildEraseFlashRequest(0) << hex("7E05022FAC000791000400000000") << true;
    QTest::newRow("erase 256 KiB + 1") << buildEraseFlashRequest(0x40001) << hex("7E05022FAC000791000401000400") << true;
    QTest::newRow("device id") << buildReadDeviceIdRequest() << hex("7E0502293F0000") << true;
    QTest::newRow("end update") << buildEndUpdateRequest() << hex("7E05022A790000") << true;
}

// Each request is its head, then its CRC (and 7F for marker frames), nothing else.
void TestFrames::requests()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, head);
    QFETCH(bool, highFirst);
    QVERIFY2(frame.startsWith(head), hexDump(frame).constData());
    const int tail = highFirst ? 3 : 2;
    QCOMPARE(frame.size(), head.size() + tail);
    QVERIFY(checkFrameCrc(frame.constData(), head.size() + 2, order(highFirst)));
    if (highFirst)
        QCOMPARE(frame.back(), '\x7F');
}

void TestFrames::writeItemLimits()
{
    const QByteArray longest = buildWriteItemRequest(1, 2, QString(MaxItemValueBytes, 'x'));
    QCOMPARE(longest.size(), MaxItemValueBytes + 10);
    QCOMPARE(quint8(longest[6]), quint8(MaxItemValueBytes + 1));
    QVERIFY(buildWriteItemRequest(1, 2, QString(MaxItemValueBytes + 1, 'x')).isEmpty());
    // 127 Chinese characters take 254 bytes, one more does not fit.
    QVERIFY(!buildWriteItemRequest(1, 2, QString(127, QChar(0x6E29))).isEmpty());
    QVERIFY(buildWriteItemRequest(1, 2, QString(128, QChar(0x6E29))).isEmpty());
}

void TestFrames::pageFrames()
{
    QByteArray page(FirmwarePageSize, 'a');
    page[0] = 'b';
    const QByteArray frame = buildWritePageRequest(7, page);
    QCOMPARE(frame.size(), 1038);
    QVERIFY(frame.startsWith(hex("7E05022C01040491040107")));
    QCOMPARE(frame.mid(11, FirmwarePageSize), page);
    QVERIFY(checkFrameCrc(frame.constData(), frame.size() - 1, CrcOrder::HighFirst));

    const QByteArray shortPage = buildWritePageRequest(1, "xyz");
    QCOMPARE(shortPage.size(), 1038);
    QCOMPARE(shortPage.mid(11, 3), QByteArray("xyz"));
    QCOMPARE(shortPage.mid(14, FirmwarePageSize - 3), QByteArray(FirmwarePageSize - 3, char(0xFF)));
}

void TestFrames::encodeFallbacks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "9600" << QByteArray("9600");
    QByteArray allAscii;
    for (int code = 0; code < 0x80; ++code)
        allAscii.append(char(code));
    QTest::newRow("every ascii code") << QString::fromLatin1(allAscii.constData(), allAscii.size()) << allAscii;
    QTest::newRow("chinese with unit") << QStringLiteral("温度25.0℃") << hex("CEC2B6C8") + "25.0" + hex("A1E6");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("latin-1 only") << QStringLiteral("Ça©") << hex("C761A9");
    QTest::newRow("neither") << QStringLiteral("©温") << hex("A93F");
    QTest::newRow("beyond both") << QString::fromUtf8("a\xF0\x9F\x98\x80") << QByteArray("a??");
}

void TestFrames::encodeFallbacks()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeDeviceText(text), bytes);
}

void TestFrames::decodeFallbacks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("gb2312") << hex("B2A8CCD8C2CA3A39363030") << QStringLiteral("波特率:9600");
    QTest::newRow("ascii") << QByteArray("model:ZQ-200") << QStringLiteral("model:ZQ-200");
    QByteArray allAscii;
    for (int code = 0; code < 0x80; ++code)
        allAscii.append(char(code));
    QTest::newRow("every ascii code") << allAscii << QString::fromLatin1(allAscii.constData(), allAscii.size());
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("cut character") << hex("41A1") << QStringLiteral("A¡");
    QTest::newRow("no such character") << hex("FFFE") << QStringLiteral("ÿþ");
}

void TestFrames::decodeFallbacks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeDeviceText(bytes), text);
    QCOMPARE(decodeDeviceText(bytes.constData(), bytes.size()), text);
    // The converters are kept between texts: nothing of this one (half a character) reaches the next.
    QCOMPARE(decodeDeviceText(hex("B2A8CCD8C2CA")), QStringLiteral("波特率"));
}

void TestFrames::codecRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codec");
    QTest::addColumn<QByteArray>("typed"); // the same text typed anew, in the usual order
    QTest::newRow("gb2312") << hex("CEC2B6C83A3230") << int(DeviceCodec::Gb2312) << hex("CEC2B6C83A3230");
    QTest::newRow("latin-1 letter that gb2312 holds") << hex("743AED") << int(DeviceCodec::Latin1) << hex("743AA8AA");
    QTest::newRow("latin-1 sign that gb2312 holds") << hex("B0") << int(DeviceCodec::Latin1) << hex("A1E3");
    QTest::newRow("latin-1 only") << hex("41A9") << int(DeviceCodec::Latin1) << hex("41A9");
}

// A text read back from the instrument goes back byte for byte when encoded as it was decoded;
// a typed text takes GB2312 first.
void TestFrames::codecRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, codec);
    QFETCH(QByteArray, typed);
    DeviceCodec used = DeviceCodec::Ascii;
    const QString text = decodeDeviceText(bytes, &used);
    QCOMPARE(int(used), codec);
    QCOMPARE(encodeDeviceText(text, used), bytes);
    QCOMPARE(encodeDeviceText(text), typed);
    const QByteArray request = buildWriteItemRequest(1, 4, text, used);
    QCOMPARE(request.mid(7, bytes.size()), bytes);
    // A Latin-1 row whose value was retyped with characters Latin-1 cannot hold: the usual order.
    QCOMPARE(encodeDeviceText(QStringLiteral("温度"), DeviceCodec::Latin1), hex("CEC2B6C8"));
}

void TestFrames::hexDumps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("dump");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("line feed") << hex("0A") << QByteArray("0A ");
    QTest::newRow("three") << hex("01034B") << QByteArray("01 03 4B ");
    QTest::newRow("high bytes") << hex("FFA0") << QByteArray("FF A0 ");
}

void TestFrames::hexDumps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, dump);
    QCOMPARE(hexDump(bytes), dump);
}

void TestFrames::replyFoundAnywhere_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("highFirst");
    QTest::addColumn<int>("start"); // -1: no whole reply
    QTest::addColumn<int>("length");
    const QByteArray line("2026-03-01 10:00:00 T=21.5\r\n");
    const QByteArray item = buildAddressReply(1, "name:value");
    const QByteArray ack = eraseFlashAcknowledgement();
    QTest::newRow("reply alone") << item << 1 << false << 0 << item.size();
    QTest::newRow("behind a line") << line + item << 1 << false << line.size() << item.size();
    QTest::newRow("ahead of a line") << item + line << 1 << false << 0 << item.size();
    QTest::newRow("behind two lines, then more") << line + line + item + line << 1 << false << 2 * line.size() << item.size();
    QTest::newRow("only lines") << line + line << 1 << false << -1 << 0;
    QTest::newRow("reply not whole yet") << line + item.chopped(1) << 1 << false << -1 << 0;
    QTest::newRow("broken crc behind a line") << line + item.chopped(1) + 'x' << 1 << false << -1 << 0;
    QTest::newRow("the address byte in text is no reply") << QByteArray("1\x01\x05" "ghijklmn") << 1 << false << -1 << 0;
    QTest::newRow("marker reply behind a line") << line + ack << 0xFF << true << line.size() << ack.size();
    QTest::newRow("marker reply, address 7E") << line + ack << 0x7E << true << line.size() << ack.size();
    QTest::newRow("marker reply at the start, address 7E") << ack + line << 0x7E << true << 0 << ack.size();
    QTest::newRow("address-led 7E in an item exchange") << line + buildAddressReply(0x7E, "ab") << 0x7E << false
                                                        << line.size() << buildAddressReply(0x7E, "ab").size();
    QTest::newRow("first of two replies") << item + buildAddressReply(1, "x") << 1 << false << 0 << item.size();
}

void TestFrames::replyFoundAnywhere()
{
    QFETCH(QByteArray, received);
    QFETCH(int, address);
    QFETCH(bool, highFirst);
    QFETCH(int, start);
    QFETCH(int, length);
    const FrameSpan span = findReply(received, quint8(address), order(highFirst));
    QCOMPARE(span.start, start);
    if (start >= 0)
        QCOMPARE(span.length, length);
}

void TestFrames::replyBetweenLines_data()
{
    // The pieces as they came, "|" between them; the reply is "DEBUG:1" from address 1 cut in
    // three, with "A", "B" and "C" for its pieces.
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<int>("lines"); // lines left out; -1: no reply found
    QTest::newRow("a line between two pieces") << "A|line|B|C" << 1;
    QTest::newRow("a line ahead of a piece in one read") << "A|line+B|C" << 1;
    QTest::newRow("two lines in one read") << "A|line+line+B|line|C" << 3;
    QTest::newRow("lines before the reply are no part of it") << "line|A|line|B+C" << 1;
    QTest::newRow("a line after a piece in one read is not cut out") << "A|B+line|C" << -1;
    QTest::newRow("no line: the pieces alone are no spliced reply") << "A|B|C" << -1;
    QTest::newRow("a piece missing") << "A|line|C" << -1;
    QTest::newRow("a line with a control byte is no line") << "A|bad|B|C" << -1;
}

void TestFrames::replyBetweenLines()
{
    QFETCH(QString, pieces);
    QFETCH(int, lines);
    const QByteArray reply = buildAddressReply(1, "DEBUG:1");
    const QHash<QString, QByteArray> parts{{"A", reply.left(4)},
                                           {"B", reply.mid(4, 4)},
                                           {"C", reply.mid(8)},
                                           {"line", "[DBG 1] T=21.5\r\n"},
                                           {"bad", "[DBG\x01]\r\n"}};
    QByteArray received;
    QVector<int> pieceEnds;
    for (const QString& piece : pieces.split(QLatin1Char('|'))) {
        for (const QString& part : piece.split(QLatin1Char('+')))
            received += parts.value(part);
        pieceEnds.append(received.size());
    }
    const SplicedReply spliced = findSplicedReply(received, pieceEnds, 1);
    QCOMPARE(spliced.found(), lines >= 0);
    if (lines < 0)
        return;
    QCOMPARE(spliced.frame, reply);
    QCOMPARE(spliced.lines.size(), lines);
    QCOMPARE(spliced.end, received.size());
    QCOMPARE(spliced.start, pieces.startsWith(QLatin1String("line|")) ? int(parts.value("line").size()) : 0);
}

void TestFrames::repliesOwed_data()
{
    // A script of what the link does, in milliseconds: "send A 0" a request for item A at 0,
    // "miss 300 600" its wait ends unanswered at 300 (owed for 600 more), "frame 550 take" a reply
    // that answers the waiting request, "frame 850 drop" one that pays an older debt, "stray 300 paid"
    // a reply found before the next request, "owed 1" the requests still owed.
    QTest::addColumn<QString>("script");
    QTest::newRow("answered at once") << "send A 0; frame 10 take; send B 10; frame 20 take; owed 0";
    QTest::newRow("late past the first wait: the retry's twin is dropped")
        << "send A 0; miss 300 600; send A 300; frame 350 take a; send B 350; frame 650 drop a; frame 700 take b; owed 0";
    QTest::newRow("late past the retry's wait")
        << "send A 0; miss 300 600; send A 300; frame 550 take a; send B 550; frame 850 drop a; miss 850 600;"
           " send B 850; frame 1100 take b; send C 1100; frame 1400 drop b; owed 1";
    QTest::newRow("the first request lost: the next is not dropped")
        << "send A 0; miss 3000 6000; send A 3000; frame 3010 take a; send B 3010; frame 3020 take b; send C 3020;"
           " frame 3030 take c";
    QTest::newRow("after a retry, another item's answer is taken") << "send A 0; miss 300 600; send A 300; frame 350 take a;"
                                                                    " send B 350; frame 360 take b; owed 1";
    // Its caller gave up on the request that timed out; the next question's answer is not dropped.
    QTest::newRow("another request after a time-out") << "send A 0; miss 50 100; send B 60; frame 90 take; owed 1";
    QTest::newRow("an unanswered request is given up") << "send A 0; miss 50 100; send B 400; frame 410 take; owed 0";
    QTest::newRow("a late reply found before the next request") << "send A 0; miss 50 1000; stray 300 paid; send B 310; frame 320 take";
    QTest::newRow("another instrument's reply pays no debt")
        << "send A 0; miss 50 1000; send B 60; frame 90 take x 4; owed 1; stray 100 none x 4; stray 110 paid";
    // Late replies need not come in the order asked: the next item's answer may come before the
    // retry's twin, and must still pay the debt behind it.
    QTest::newRow("the next item's late answer before the retry's twin")
        << "send A 0; miss 300 600; send A 300; frame 350 take a; send B 350; miss 650 600; send B 650;"
           " frame 700 take b; send C 700; frame 710 drop a; frame 1000 drop b; frame 1050 take c; owed 0";
    QTest::newRow("a stray answer pays its own debt, not another's twin")
        << "send A 0; miss 300 600; send A 300; frame 350 take a; send B 350; miss 650 600; stray 660 paid b;"
           " send B 660; frame 670 drop a; frame 1010 take b; owed 0";
    QTest::newRow("a reply nobody asked for") << "stray 10 none; send A 20; frame 30 take; owed 0";
    // An item's answer names it: the text before the colon.
    QTest::newRow("a twin that differs (a clock a second on) pays by its name")
        << "send A 0; miss 300 600; send A 300; frame 350 take a:1; send B 350; frame 650 drop a:2; frame 700 take b;"
           " owed 0";
    QTest::newRow("a taken item's name while another debt is owed is no answer")
        << "send A 0; frame 10 take a:1; send B 10; miss 300 600; send C 300; frame 320 drop a:2; frame 330 take c;"
           " owed 0";
    QTest::newRow("a stray answer naming an owed item pays that item's debt")
        << "send A 0; miss 300 600; send A 300; frame 350 take a:1; send B 350; miss 650 600; stray 660 paid a:2;"
           " send B 660; frame 700 take b; owed 1";
    QTest::newRow("an item known by its name takes no other name")
        << "send A 0; frame 10 take a:1; send B 10; frame 20 take b:1; send A 20; frame 30 drop b:2; frame 40 take a:2;"
           " owed 0";
    QTest::newRow("a name repeating a taken one, nothing owed: an item of the same name")
        << "send A 0; frame 10 take x:1; send B 10; frame 20 take x:2; send C 20; frame 30 take x:3; owed 0";
    QTest::newRow("a repeated name, only the item's own retry owed: taken")
        << "send A 0; frame 10 take x:1; send B 10; miss 300 600; send B 300; frame 320 take x:2; owed 1";
    QTest::newRow("the end of the list names nothing")
        << "send A 0; miss 300 600; send A 300; frame 350 take a:1; send B 350; frame 360 take -; owed 1";
}

void TestFrames::repliesOwed()
{
    QFETCH(QString, script);
    ReplyLedger ledger;
    // A frame step may name the reply's text (twins share it; by default each differs; "-" is the
    // empty reply) and the address it comes from (by default the requests' address, 1).
    const auto frameFrom = [](const QStringList& words) {
        QString text = words.value(3, words.value(1));
        if (text == QLatin1String("-"))
            text.clear();
        return buildAddressReply(quint8(words.value(4, QStringLiteral("1")).toInt()), text.toLatin1());
    };
    for (const QString& step : script.split(QLatin1Char(';'))) {
        const QStringList words = step.simplified().split(QLatin1Char(' '));
        const QString verb = words.value(0);
        const qint64 at = words.value(1).toLongLong();
        if (verb == QLatin1String("send"))
            ledger.sent(buildReadItemRequest(1, words.value(1).at(0).unicode() - 'A'), words.value(2).toLongLong());
        else if (verb == QLatin1String("miss"))
            ledger.unanswered(at, words.value(2).toLongLong());
        else if (verb == QLatin1String("frame"))
            QVERIFY2(ledger.frameArrived(at, frameFrom(words)) == (words.value(2) == QLatin1String("take")),
                     qPrintable(step));
        else if (verb == QLatin1String("stray"))
            QVERIFY2(ledger.strayFrame(at, frameFrom(words)) == (words.value(2) == QLatin1String("paid")),
                     qPrintable(step));
        else if (verb == QLatin1String("owed"))
            QVERIFY2(ledger.owed() == words.value(1).toInt(), qPrintable(step));
        else
            QFAIL(qPrintable(step));
    }
}

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
