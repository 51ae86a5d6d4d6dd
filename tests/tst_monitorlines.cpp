// Labels: fast
#include "link/devicetext.h"
#include "link/frames.h"
#include "monitor/debugreply.h"
#include "monitor/displayform.h"
#include "monitor/linelog.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The monitor's pieces without a link: the display strings, the log file and the debug command's
// reply behind debug lines.
class TestMonitorLines : public QObject
{
    Q_OBJECT
private slots:
    void display_data();
    void display();
    void stampClockMatchesLocalTime();
    void decoderMatchesDeviceText_data();
    void decoderMatchesDeviceText();
    void shownLines_data();
    void shownLines();
    void logFile_data();
    void logFile();
    void replyBehindLines_data();
    void replyBehindLines();
};

Q_DECLARE_METATYPE(DisplayForm)

void TestMonitorLines::display_data()
{
    QTest::addColumn<DisplayForm>("form");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");

    const QByteArray chinese = encodeDeviceText(QStringLiteral("温度=23.5℃\r\n"));
    QTest::newRow("original keeps the line as it is") << DisplayForm::Original << chinese << QStringLiteral("温度=23.5℃\r\n");
    QTest::newRow("hex ends each byte with a blank") << DisplayForm::Hex << QByteArray("AB\r\n")
                                                     << QStringLiteral("[2018-05-01 10:20:30.045][4] : 41 42 0D 0A \r\n");
    QTest::newRow("combined trims and flattens the text")
        << DisplayForm::OriginalHex << QByteArray(" A\rB\nC \r\n")
        << QStringLiteral("[2018-05-01 10:20:30.045][9] : A B C ( 20 41 0D 42 0A 43 20 0D 0A  )\r\n");
    QTest::newRow("combined decodes GB2312")
        << DisplayForm::OriginalHex << encodeDeviceText(QStringLiteral("报警\n"))
        << QStringLiteral("[2018-05-01 10:20:30.045][5] : 报警 ( B1 A8 BE AF 0A  )\r\n");
    QTest::newRow("byte count of a long line") << DisplayForm::Hex << QByteArray(12, 'x').append('\n')
                                               << QStringLiteral("[2018-05-01 10:20:30.045][13] : ") + QStringLiteral("78 ").repeated(12)
                                                      + QStringLiteral("0A \r\n");
}

void TestMonitorLines::display()
{
    QFETCH(DisplayForm, form);
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    const QDateTime at(QDate(2018, 5, 1), QTime(10, 20, 30, 45));
    QCOMPARE(displayLine(line, form, at), shown);
    // The view, the log file and zq-cli show the same, on one line; the text form with a stamp.
    const QString time = QStringLiteral("[2018-05-01 10:20:30.045]");
    QString oneLine = shown;
    while (oneLine.endsWith(QLatin1Char('\n')) || oneLine.endsWith(QLatin1Char('\r')))
        oneLine.chop(1);
    if (form == DisplayForm::Original)
        oneLine.prepend(time + QStringLiteral("[%1] : ").arg(line.size()));
    QCOMPARE(shownLine(line, form, time, DeviceTextDecoder()), oneLine);
}

// The per-line stamp reuses the text of its second; crossing seconds, minutes and days in any
// order must still give the local time that QDateTime gives.
void TestMonitorLines::stampClockMatchesLocalTime()
{
    StampClock clock;
    const qint64 base = QDateTime(QDate(2018, 5, 1), QTime(23, 59, 59, 998)).toMSecsSinceEpoch();
    for (qint64 offset : {0, 1, 2, 3, 999, 1000, 61000, -5, 86400000, 45}) {
        const qint64 at = base + offset;
        QCOMPARE(clock.at(at), QDateTime::fromMSecsSinceEpoch(at).toString(QStringLiteral("[yyyy-MM-dd hh:mm:ss.zzz]")));
    }
}

void TestMonitorLines::decoderMatchesDeviceText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QByteArray("[DBG 00001] ok\r\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("nul inside") << QByteArray("a\0b\n", 4);
    QTest::newRow("gb2312") << encodeDeviceText(QStringLiteral("温度=23.5℃ 状态=正常\r\n"));
    QTest::newRow("latin-1 only") << QByteArray("caf\xe9\n");
    QTest::newRow("broken gb2312 pair") << QByteArray("\xb1\n\xff\xfe");
    QTest::newRow("gb2312 cut in half") << encodeDeviceText(QStringLiteral("报警")).left(3);
}

// The decoder kept for a run reads every line exactly as the link's own decoding does.
void TestMonitorLines::decoderMatchesDeviceText()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(DeviceTextDecoder().decode(bytes), decodeDeviceText(bytes));
}

void TestMonitorLines::shownLines_data()
{
    QTest::addColumn<DisplayForm>("form");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("shown");

    const QString time = QStringLiteral("[2018-05-01 10:20:30.045]");
    const QString mark = QStringLiteral(" [行过长, 在此截断]");
    QTest::newRow("text without stamps") << DisplayForm::Original << QByteArray("AB\r\n") << QString() << "AB";
    QTest::newRow("text, inner carriage return kept") << DisplayForm::Original << QByteArray("A\rB\n") << QString()
                                                      << "A\rB";
    const QString unfinished = QStringLiteral(" [行不完整]");
    const QByteArray cut(LineSplitter::MaxLineBytes, 'x');
    QTest::newRow("cut line marked") << DisplayForm::Original << cut << QString() << QString::fromLatin1(cut) + mark;
    QTest::newRow("cut line in hex") << DisplayForm::Hex << cut << time
                                     << time + "[65536] : " + QStringLiteral("78 ").repeated(cut.size()) + mark;
    QTest::newRow("incomplete line marked") << DisplayForm::Original << QByteArray("xyz") << QString()
                                            << "xyz" + unfinished;
    QTest::newRow("incomplete line in hex") << DisplayForm::Hex << QByteArray("xy") << time
                                            << time + "[2] : 78 79 " + unfinished;
    QTest::newRow("bare line feed") << DisplayForm::OriginalHex << QByteArray("\n") << time << time + "[1] :  ( 0A  )";
}

void TestMonitorLines::shownLines()
{
    QFETCH(DisplayForm, form);
    QFETCH(QByteArray, line);
    QFETCH(QString, time);
    QFETCH(QString, shown);
    QCOMPARE(shownLine(line, form, time, DeviceTextDecoder()), shown);
}

void TestMonitorLines::logFile_data()
{
    QTest::addColumn<QString>("path"); // empty: a fresh file in a temporary folder
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("fails"); // writing fails later (a full disk)
    QTest::newRow("fresh file") << QString() << true << false;
    QTest::newRow("no such folder") << "/nonexistent/zq/monitor.log" << false << false;
    if (QFileInfo::exists(QStringLiteral("/dev/full")))
        QTest::newRow("disk full") << "/dev/full" << true << true;
}

// The log holds what was written within a second, without waiting for its close; a file that
// cannot be opened says why, and a write that fails closes the log and reports it once.
void TestMonitorLines::logFile()
{
    QFETCH(QString, path);
    QFETCH(bool, opens);
    QFETCH(bool, fails);
    QTemporaryDir dir;
    if (path.isEmpty())
        path = dir.filePath(QStringLiteral("monitor.log"));
    LineLog log;
    QSignalSpy failed(&log, &LineLog::failed);
    QCOMPARE(log.open(path), opens);
    QCOMPARE(log.errorText().isEmpty(), opens);
    if (!opens)
        return;
    const QString second = QStringLiteral("[2018-05-01 10:20:30.045][5] : 报警");
    log.write(QStringLiteral("first"));
    log.write(second);
    QCOMPARE(log.linesWritten(), qint64(2));
    if (fails) {
        QVERIFY(failed.wait(3 * LineLog::FlushMs));
        QVERIFY(!log.isOpen());
        log.write(QStringLiteral("after"));
        QCOMPARE(failed.count(), 1);
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(QTest::qWaitFor([&] { return file.size() > 0; }, 3 * LineLog::FlushMs));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("first\n") + second + QLatin1Char('\n'));
    QVERIFY(log.isOpen());
    log.close();
    QCOMPARE(failed.count(), 0);
}

void TestMonitorLines::replyBehindLines_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("start"); // of the reply: the lines before it are shown

    const QByteArray reply = buildAddressReply(0xFF, "1");
    QByteArray badCrc = reply;
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x5A);
    QTest::newRow("reply alone") << reply << true << 0;
    QTest::newRow("debug lines ahead") << QByteArray("[DBG 00001] a\r\n[DBG 00002] b\r\n") + reply << true << 30;
    QTest::newRow("bad CRC") << QByteArray("line\r\n") + badCrc << false << -1;
    QTest::newRow("another instrument") << QByteArray("x\n") + buildAddressReply(0x01, "1") << false << -1;
    QTest::newRow("lines after the reply") << reply + QByteArray("late\r\n") << false << -1;
    QTest::newRow("lines only") << QByteArray("[DBG 00001] a\r\n") << false << -1;
    QTest::newRow("nothing") << QByteArray() << false << -1;
}

void TestMonitorLines::replyBehindLines()
{
    QFETCH(QByteArray, received);
    QFETCH(bool, accepted);
    QFETCH(int, start);
    QCOMPARE(endsWithItemReply(received, 0xFF), accepted);
    QCOMPARE(itemReplyStart(received, 0xFF), start);
}

QTEST_GUILESS_MAIN(TestMonitorLines)
#include "tst_monitorlines.moc"
