// Labels: net gui
// Runs apart: hostileReplies memoryStaysBounded
// Hostile servers and links against the catalogue and the download: every fetch is bounded in
// size and time, and nothing is fetched or written for a link that cannot be saved safely inside
// the chosen folder.
#include "firmware/cataloguepage.h"
#include "firmware/downloadthread.h"
#include "firmware/httpreply.h"
#include "firmware/ui/downloadtexts.h"
#include "jobs/jobrunner.h"
#include "tests/support/hostilehttp.h"
#include "tests/support/ui/downloadrig.h"
#include "tests/support/ui/scriptedprompter.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <zlib.h>

class TestFirmwareHostile : public QObject
{
    Q_OBJECT
private slots:
    void hostileServers_data();
    void hostileServers();
    void hostileReplies_data();
    void hostileReplies();
    void closingLeavesWorkerBehind_data();
    void closingLeavesWorkerBehind();
    void replyReading_data();
    void replyReading();
    void fileNames_data();
    void fileNames();
    void linksRefusedBeforeFetching_data();
    void linksRefusedBeforeFetching();
    void targetStaysInsideFolder_data();
    void targetStaysInsideFolder();
    void memoryStaysBounded_data();
    void memoryStaysBounded();
};

namespace {

using Setup = DownloadRig;

// Lets the peak resident size start again from the present size.
void resetPeakResident()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

struct NoProgress : DownloadSink
{
    void progress(int) override { }
};

// Runs a download on a job runner while this thread's servers answer; its outcome.
DownloadOutcome runDownload(const DownloadTarget& target)
{
    JobRunner runner;
    DownloadOutcome outcome;
    runner.start([&outcome, target](const StopToken& stop) {
        NoProgress sink;
        outcome = DownloadThread::download(target, stop, sink);
    });
    if (!QTest::qWaitFor([&] { return !runner.isWorking(); }, 8000))
        runner.stopAndWait();
    return outcome;
}

// VmHWM: the largest resident size of this process so far, in MiB.
qint64 peakResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = status.readAll();
    const int at = text.indexOf("VmHWM:");
    const int end = text.indexOf('\n', at);
    return at < 0 ? -1 : text.mid(at + 6, end - at - 6).trimmed().split(' ').first().toLongLong() / 1024;
}

} // namespace

void TestFirmwareHostile::hostileServers_data()
{
    QTest::addColumn<bool>("download");
    QTest::addColumn<int>("misbehaviour");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("获取设备列表失败,请重试!\n");
    const QString idle = QStringLiteral("0.8 秒内收到的数据不足 1 KiB"); // UpdateDialogDriver::IdleTimeoutMs
    const QString tooLarge =
        QStringLiteral("下载异常: 文件大于 %1 MiB").arg(UpdateDialogDriver::SizeLimitBytes / (1024 * 1024));
    QTest::newRow("page: a byte now and then is a stall") << false << int(DownloadServer::Drip) << failed + idle;
    QTest::newRow("page: endless, ends at 1 MiB")
        << false << int(DownloadServer::Endless) << failed + "下载页面大于 1 MiB";
    QTest::newRow("file: a byte now and then") << true << int(DownloadServer::Drip) << "下载异常: " + idle;
    QTest::newRow("file: endless, ends at the limit") << true << int(DownloadServer::Endless) << tooLarge;
    QTest::newRow("file: huge length refused at once") << true << int(DownloadServer::HugeLength) << tooLarge;
}

// Each ends with its message, leaves no file and no earlier list behind, and the dialog is free again.
void TestFirmwareHostile::hostileServers()
{
    QFETCH(bool, download);
    QFETCH(int, misbehaviour);
    QFETCH(QString, message);
    Setup setup;
    if (download) {
        QVERIFY(setup.driver.refresh());
        setup.chooseFolder();
    }
    setup.server.setMisbehaviour(DownloadServer::Misbehaviour(misbehaviour));
    QVERIFY(download ? setup.driver.download() : setup.driver.refresh());
    QCOMPARE(setup.driver.prompter.texts(), QStringList{message});
    if (download)
        QVERIFY(QDir(setup.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    else
        QCOMPARE(setup.driver.fileList()->count(), 0);
    QVERIFY(setup.driver.button("bntRefresh")->isEnabled());
}

namespace {

// What a hostile server answers the catalogue or a download with.
enum HostileReply { DeepPage, GzipBomb, ZlibBomb, RawDeflateBomb, HeaderFlood, ShortLength, Trickle };

// 50,000 nested elements in 350 KB, well under the page's size limit.
QByteArray deepPage()
{
    const int depth = 50000;
    return "<html><body>" + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth) + "</body></html>";
}

// Arms the server with the reply: compressed ones announce 10 MB that inflate to 10 GiB.
void arm(HostileHttp& server, HostileReply reply)
{
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    switch (reply) {
    case DeepPage:
    case ShortLength: {
        const QByteArray page = reply == DeepPage
            ? deepPage()
            : "<html><body><div><div>list</div><div><div>A</div><div><a href='http://h/a'>a</a></div></div></div>"
              "</body></html>";
        // A short length cuts the page in the middle; the rest follows all the same.
        const int announced = reply == DeepPage ? page.size() : page.size() / 2;
        server.head = ok + "Content-Length: " + QByteArray::number(announced) + "\r\n\r\n";
        server.stream = HostileHttp::once(page);
        break;
    }
    case GzipBomb:
    case ZlibBomb:
    case RawDeflateBomb: {
        const HostileHttp::Bomb bomb = HostileHttp::bomb(reply == GzipBomb       ? HostileHttp::Gzip
                                                             : reply == ZlibBomb ? HostileHttp::Zlib
                                                                                 : HostileHttp::RawDeflate);
        const qint64 length = bomb.first.size() + bomb.again.size() * qint64(10 * 1024);
        server.head = ok + "Content-Encoding: " + (reply == GzipBomb ? "gzip" : "deflate")
            + "\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\n";
        server.stream = HostileHttp::repeating(bomb.first, bomb.again, length);
        break;
    }
    case HeaderFlood: {
        const QByteArray line = "X-Flood: " + QByteArray(200, 'f') + "\r\n";
        server.head = ok;
        server.stream = HostileHttp::repeating(line, line);
        break;
    }
    case Trickle:
        // Enough for the stall guard, never the end: only the whole request's deadline stops it.
        server.head = ok + "\r\n";
        server.stream = HostileHttp::repeating(QByteArray(2048, '<'), QByteArray(2048, '<'));
        server.trickleMs = 100;
        break;
    }
}

} // namespace

void TestFirmwareHostile::hostileReplies_data()
{
    QTest::addColumn<bool>("download");
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("获取设备列表失败,请重试!");
    const QString pageTooLarge = failed + QStringLiteral("\n下载页面大于 1 MiB");
    const QString fileTooLarge = QStringLiteral("下载异常: 文件大于 64 MiB");
    QTest::newRow("page nested 50,000 deep") << false << int(DeepPage) << failed;
    QTest::newRow("page: gzip bomb") << false << int(GzipBomb) << pageTooLarge;
    QTest::newRow("page: deflate bomb") << false << int(ZlibBomb) << pageTooLarge;
    QTest::newRow("page: raw deflate bomb") << false << int(RawDeflateBomb) << pageTooLarge;
    QTest::newRow("page: header flood") << false << int(HeaderFlood) << failed + "\n服务器的响应头过大";
    QTest::newRow("page: length shorter than the body") << false << int(ShortLength) << failed;
    QTest::newRow("page: trickle past the deadline") << false << int(Trickle) << failed + "\n1.5 秒内未能完成";
    QTest::newRow("file: gzip bomb") << true << int(GzipBomb) << fileTooLarge;
    QTest::newRow("file: deflate bomb") << true << int(ZlibBomb) << fileTooLarge;
    QTest::newRow("file: header flood") << true << int(HeaderFlood) << "下载异常: 服务器的响应头过大";
    QTest::newRow("file: trickle past the deadline") << true << int(Trickle) << "下载异常: 1.5 秒内未能完成";
}

// Each ends in its message by the deadline with little memory, leaving no file and no list.
void TestFirmwareHostile::hostileReplies()
{
    QFETCH(bool, download);
    QFETCH(int, reply);
    QFETCH(QString, message);
    Setup setup;
    HostileHttp hostile;
    arm(hostile, HostileReply(reply));
    QVERIFY(hostile.listen(QHostAddress::LocalHost));
    FetchTimes& times = setup.driver.dialog.fetchTimes();
    times.deadlineMs = 1500;
    times.slowestBytesPerSecond = qint64(1) << 40; // the deadline does not grow with the length
    setup.driver.dialog.setDownloadSizeLimit(DownloadThread::MaxDownloadBytes);
    if (download) {
        setup.server.addEntry(QStringLiteral("A hostile file"), hostile.url(QStringLiteral("/files/bomb.zqbin")));
        QVERIFY(setup.driver.refresh());
        QCOMPARE(setup.driver.fileList()->currentText(), QStringLiteral("A hostile file"));
        setup.chooseFolder();
    } else {
        setup.driver.setPage(hostile.url());
    }
    resetPeakResident();
    QVERIFY(download ? setup.driver.download(times.deadlineMs + 3000) : setup.driver.refresh(times.deadlineMs + 3000));
    QCOMPARE(setup.driver.prompter.texts(), QStringList{message});
    QCOMPARE(hostile.requestCount(), 1);
    if (download)
        QVERIFY(QDir(setup.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    else
        QCOMPARE(setup.driver.fileList()->count(), 0);
#if !defined(__SANITIZE_ADDRESS__)
    const qint64 peak = peakResidentMiB();
    QVERIFY2(peak > 0 && peak < 100, qPrintable(QStringLiteral("%1 MiB").arg(peak)));
#endif
}

void TestFirmwareHostile::closingLeavesWorkerBehind_data()
{
    QTest::addColumn<int>("reply");
    QTest::newRow("header flood, a line at a time") << int(HeaderFlood);
    QTest::newRow("a page without end, a piece at a time") << int(Trickle);
}

// A dialog closed during a slow hostile reply goes at once; its worker ends within a second after.
void TestFirmwareHostile::closingLeavesWorkerBehind()
{
    QFETCH(int, reply);
    WorkDir dir;
    ScriptedPrompter prompter;
    HostileHttp hostile;
    arm(hostile, HostileReply(reply));
    hostile.trickleMs = 50;
    QVERIFY(hostile.listen(QHostAddress::LocalHost));
    auto* dialog = new UpdateDialog;
    dialog->fetchTimes().idleTimeoutMs = 60000;
    dialog->fetchTimes().deadlineMs = 60000;
    dialog->findChild<QLineEdit*>(QStringLiteral("edPageUrl"))->setText(hostile.url());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bntRefresh")), Qt::LeftButton);
    const QPointer<JobRunner> runner(&dialog->downloadRunner());
    QVERIFY(runner->isWorking());
    QVERIFY(QTest::qWaitFor([&] { return hostile.requestCount() == 1; }, 5000));
    QTest::qWait(200); // well into the reply
    QElapsedTimer clock;
    clock.start();
    dialog->close();
    delete dialog;
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(QTest::qWaitFor([&] { return runner.isNull(); }, 1000));
    QVERIFY(prompter.texts().isEmpty());
}

void TestFirmwareHostile::replyReading_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("fault");
    using R = HttpReplyReader;
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const QByteArray text = "firmware bytes, firmware bytes, firmware bytes";
    const QByteArray zlib = qCompress(text).mid(4);
    const QByteArray raw = zlib.mid(2, zlib.size() - 6);
    QByteArray gzip = QByteArray::fromHex("1f8b0800000000000003") + raw;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(text.constData()), uInt(text.size())));
    for (const quint32 word : {crc, quint32(text.size())})
        for (int shift = 0; shift < 32; shift += 8)
            gzip.append(char((word >> shift) & 0xFF));
    auto sized = [&](const QByteArray& extra, const QByteArray& body) {
        return ok + extra + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    QTest::newRow("length, bytes after it ignored")
        << sized("", "hello") + "EXTRA" << false << QByteArray("hello") << int(R::NoFault);
    QTest::newRow("chunks, extension and trailer") << chunked + "5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nX-Sum: 1\r\n\r\n"
                                                   << false << QByteArray("hello world") << int(R::NoFault);
    QTest::newRow("ended by the close") << ok + "\r\nuntil close" << true << QByteArray("until close")
                                        << int(R::NoFault);
    QTest::newRow("interim reply first") << "HTTP/1.1 100 Continue\r\n\r\n" + sized("", "x") << false << QByteArray("x")
                                         << int(R::NoFault);
    QTest::newRow("no body") << QByteArray("HTTP/1.1 204 No Content\r\n\r\n") << false << QByteArray()
                             << int(R::NoFault);
    QTest::newRow("gzip") << sized("Content-Encoding: gzip\r\n", gzip) << false << text << int(R::NoFault);
    QTest::newRow("deflate") << sized("Content-Encoding: deflate\r\n", zlib) << false << text << int(R::NoFault);
    QTest::newRow("raw deflate") << sized("Content-Encoding: deflate\r\n", raw) << false << text << int(R::NoFault);
    QTest::newRow("gzip in chunks") << chunked.left(chunked.size() - 2) + "Content-Encoding: gzip\r\n\r\n"
            + QByteArray::number(gzip.size(), 16) + "\r\n" + gzip + "\r\n0\r\n\r\n"
                                    << false << text << int(R::NoFault);
    QTest::newRow("gzip cut short") << ok + "Content-Encoding: gzip\r\n\r\n" + gzip.left(gzip.size() - 4) << true
                                    << text << int(R::CorruptEncoding);
    QTest::newRow("gzip that is not") << sized("Content-Encoding: gzip\r\n", "plain text, not gzip") << false
                                      << QByteArray() << int(R::CorruptEncoding);
    QTest::newRow("compressed twice") << sized("Content-Encoding: gzip, gzip\r\n", gzip) << false << QByteArray()
                                      << int(R::UnknownEncoding);
    QTest::newRow("unknown coding") << sized("Content-Encoding: br\r\n", "x") << false << QByteArray()
                                    << int(R::UnknownEncoding);
    QTest::newRow("20 header lines") << sized(QByteArray("X-A: b\r\n").repeated(20), "x") << false << QByteArray("x")
                                     << int(R::NoFault);
    QTest::newRow("150 header lines") << sized(QByteArray("X-A: b\r\n").repeated(150), "x") << false << QByteArray()
                                      << int(R::HeadTooLarge);
    QTest::newRow("a 70 KiB header") << sized("X-A: " + QByteArray(70 * 1024, 'b') + "\r\n", "x") << false
                                     << QByteArray() << int(R::HeadTooLarge);
    QTest::newRow("a 70 KiB trailer") << chunked + "1\r\nx\r\n0\r\nX-T: " + QByteArray(70 * 1024, 't') + "\r\n\r\n"
                                      << false << QByteArray("x") << int(R::HeadTooLarge);
    QTest::newRow("chunk size not hex") << chunked + "zz\r\nx\r\n" << false << QByteArray() << int(R::BadChunk);
    QTest::newRow("chunk longer than said") << chunked + "1\r\nxy\r\n0\r\n\r\n"
                                            << false << QByteArray("x") << int(R::BadChunk);
    QTest::newRow("two lengths") << ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\nxy" << false << QByteArray()
                                 << int(R::NotHttp);
    QTest::newRow("length with a sign") << ok + "Content-Length: -1\r\n\r\n"
                                        << false << QByteArray() << int(R::NotHttp);
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-server\r\n\r\n") << false << QByteArray() << int(R::NotHttp);
    QTest::newRow("closed before the length")
        << sized("", "hello").left(ok.size() + 25) << true << QByteArray("hell") << int(R::EndedEarly);
}

// Every reply reads the same whether its bytes come one at a time or all at once.
void TestFirmwareHostile::replyReading()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, closes);
    QFETCH(QByteArray, body);
    QFETCH(int, fault);
    for (const int piece : {1, 7, int(reply.size())}) {
        HttpReplyReader reader;
        QByteArray got;
        reader.onBody = [&got](const char* data, qint64 size) {
            got.append(data, int(size));
            return true;
        };
        for (int at = 0; at < reply.size() && reader.feed(reply.mid(at, piece)); at += piece) { }
        if (closes)
            reader.endOfStream();
        QCOMPARE(int(reader.fault()), fault);
        QCOMPARE(reader.isDone(), fault == HttpReplyReader::NoFault);
        if (fault == HttpReplyReader::NoFault || fault == HttpReplyReader::BadChunk
            || fault == HttpReplyReader::EndedEarly)
            QCOMPARE(got, body);
    }
}

void TestFirmwareHostile::fileNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("plain") << "/files/ZQ-100_V1.0.zqbin"
                           << "ZQ-100_V1.0.zqbin" << true;
    QTest::newRow("Chinese, spaces inside") << "/f/%E5%9B%BA%E4%BB%B6%20V1.zqbin"
                                            << "固件 V1.zqbin" << true;
    QTest::newRow("query and fragment dropped") << "/f/a.zqbin?x=/y#z"
                                                << "a.zqbin" << true;
    QTest::newRow("128 characters") << "/f/" + QString(122, 'n') + ".zqbin" << QString(122, 'n') + ".zqbin" << true;
    QTest::newRow("129 characters") << "/f/" + QString(123, 'n') + ".zqbin" << QString(123, 'n') + ".zqbin" << false;
    QTest::newRow("300 characters") << "/f/" + QString(300, 'n') << QString(300, 'n') << false;
    QTest::newRow("encoded slashes") << "/files/..%2F..%2Fevil.zqbin"
                                     << "../../evil.zqbin" << false;
    QTest::newRow("dot dot") << "/files/.."
                             << ".." << false;
    QTest::newRow("encoded dot dot") << "/files/%2E%2E"
                                     << ".." << false;
    QTest::newRow("ends in slash") << "/files/"
                                   << "" << false;
    QTest::newRow("backslash") << "/files/..%5Cevil"
                               << "..\\evil" << false;
    QTest::newRow("control character") << "/files/a%0Ab.zqbin"
                                       << "a\nb.zqbin" << false;
    QTest::newRow("hidden") << "/files/.profile"
                            << ".profile" << false;
    QTest::newRow("drive letter") << "/files/C:win.ini"
                                  << "C:win.ini" << false;
    QTest::newRow("leading colon") << "/files/:memory"
                                   << ":memory" << false;
    QTest::newRow("stream") << "/files/a.zqbin:x"
                            << "a.zqbin:x" << false;
    QTest::newRow("wildcard") << "/files/a*.zqbin"
                              << "a*.zqbin" << false;
    QTest::newRow("device name") << "/files/con.zqbin"
                                 << "con.zqbin" << false;
    QTest::newRow("device name, space before the dot") << "/files/CON%20.zqbin"
                                                       << "CON .zqbin" << false;
    QTest::newRow("device name, spaces and dot") << "/files/com1%20.%20.zqbin"
                                                 << "com1 . .zqbin" << false;
    QTest::newRow("console input") << "/files/CONIN$"
                                   << "CONIN$" << false;
    QTest::newRow("console output") << "/files/conout$.zqbin"
                                    << "conout$.zqbin" << false;
    QTest::newRow("clock") << "/files/CLOCK$.zqbin"
                           << "CLOCK$.zqbin" << false;
    QTest::newRow("device name inside a longer one") << "/files/console%20v1.zqbin"
                                                     << "console v1.zqbin" << true;
    QTest::newRow("trailing dot") << "/files/a.zqbin."
                                  << "a.zqbin." << false;
    QTest::newRow("right-to-left override")
        << "/files/gpj.%E2%80%AEexe" << QString("gpj.") + QChar(0x202E) + "exe" << false;
    QTest::newRow("line separator") << "/files/a%E2%80%A8b" << QString("a") + QChar(0x2028) + "b" << false;
    QTest::newRow("zero width") << "/files/a%E2%80%8Bb" << QString("a") + QChar(0x200B) + "b" << false;
}

void TestFirmwareHostile::fileNames()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(DownloadThread::fileNameOf(QStringLiteral("http://127.0.0.1:1") + path), name);
    QCOMPARE(DownloadThread::isSafeFileName(name), safe);
}

void TestFirmwareHostile::linksRefusedBeforeFetching_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("message");
    const QString scheme = QStringLiteral("下载失败,链接不是 http 或 https 地址: %1");
    const QString http = QStringLiteral("http://127.0.0.1:%1/files/ZQ-100_V1.0.zqbin");
    QTest::newRow("file") << "http://h/down.html"
                          << "file:///etc/hostname" << scheme.arg("file:///etc/hostname");
    QTest::newRow("data") << "http://h/down.html"
                          << "data:,hello" << scheme.arg("data:,hello");
    QTest::newRow("ftp") << "http://h/down.html"
                         << "ftp://127.0.0.1/a.zqbin" << scheme.arg("ftp://127.0.0.1/a.zqbin");
    QTest::newRow("relative") << "http://h/down.html"
                              << "files/a.zqbin" << scheme.arg("files/a.zqbin");
    QTest::newRow("http under https") << "https://h/down.html" << http
                                      << QStringLiteral("下载失败,https 页面上的链接也必须是 https: %1").arg(http);
    QTest::newRow("300-character name") << "http://h/down.html"
                                        << "http://127.0.0.1:%1/files/" + QString(300, 'n')
                                        << QStringLiteral("下载失败,文件名不合法: %1").arg(QString(300, 'n'));
}

void TestFirmwareHostile::linksRefusedBeforeFetching()
{
    QFETCH(QString, page);
    QFETCH(QString, link);
    QFETCH(QString, message);
    Setup setup;
    const QString port = QString::number(setup.server.serverPort());
    DownloadTarget target;
    target.page = QUrl(page);
    target.link = QString(link).replace("%1", port);
    target.folder = setup.folder();
    QCOMPARE(downloadFailureText(runDownload(target).problem), QString(message).replace("%1", port));
    QCOMPARE(setup.server.requestCount(), 0);
    QVERIFY(!QFileInfo::exists(setup.folder()));
}

void TestFirmwareHostile::targetStaysInsideFolder_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("inside");
    QTest::newRow("new file") << "none" << true;
    QTest::newRow("existing file replaced") << "file" << true;
    QTest::newRow("folder reached through a link") << "linked-folder" << true;
    QTest::newRow("link to a file outside") << "link-out" << false;
    QTest::newRow("dangling link") << "dangling" << false;
    QTest::newRow("folder of that name") << "folder" << false;
}

void TestFirmwareHostile::targetStaysInsideFolder()
{
    QFETCH(QString, layout);
    QFETCH(bool, inside);
    WorkDir dir;
    const QString name = QStringLiteral("ZQ-100_V1.0.zqbin");
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    dir.writeFile(QStringLiteral("outside.txt"), "keep");
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("real"))));
    QString folder = dir.filePath(QStringLiteral("real"));
    const QString entry = folder + QLatin1Char('/') + name;
    if (layout == QLatin1String("file"))
        dir.writeFile(QStringLiteral("real/") + name, "earlier");
    else if (layout == QLatin1String("linked-folder")) {
        const QString via = dir.filePath(QStringLiteral("via"));
        QVERIFY(QFile::link(folder, via));
        folder = via;
    } else if (layout == QLatin1String("link-out"))
        QVERIFY(QFile::link(outside, entry));
    else if (layout == QLatin1String("dangling"))
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), entry));
    else if (layout == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(entry));

    const QString target = DownloadThread::targetPath(folder, name);
    QCOMPARE(!target.isEmpty(), inside);
    if (inside)
        QCOMPARE(target, QFileInfo(dir.filePath(QStringLiteral("real"))).canonicalFilePath() + QLatin1Char('/') + name);

    // Through the thread: a refused target leaves the file outside as it was.
    Setup setup;
    DownloadTarget download;
    download.link = setup.server.fileUrl(name);
    download.folder = folder;
    QCOMPARE(runDownload(download).problem.failure == DownloadFailure::None, inside);
    QCOMPARE(dir.readFile(QStringLiteral("outside.txt")), QByteArray("keep"));
}

void TestFirmwareHostile::memoryStaysBounded_data()
{
    QTest::addColumn<bool>("download");
    QTest::newRow("endless page") << false;
    QTest::newRow("endless download") << true;
}

void TestFirmwareHostile::memoryStaysBounded()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer keeps freed blocks in quarantine, so the resident size says nothing here");
#endif
    QFETCH(bool, download);
    // The server in a process of its own, so it sends as fast as the assistant's side takes it
    // and only the assistant's memory is measured.
    QProcess simulator;
    simulator.start(QStringLiteral(ZQ_BIN_DIR "/zq-simulator"),
                    {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--probe-port"),
                     QStringLiteral("0"), QStringLiteral("--model"), QStringLiteral("ZQ-100"), QStringLiteral("--http"),
                     QStringLiteral("127.0.0.1:0"), QStringLiteral("--http-fault"), QStringLiteral("endless")});
    QString page;
    QVERIFY(QTest::qWaitFor(
        [&] {
            while (simulator.canReadLine()) {
                const QString line = QString::fromUtf8(simulator.readLine()).trimmed();
                if (line.startsWith(QLatin1String("HTTP ")))
                    page = line.mid(5);
            }
            return !page.isEmpty();
        },
        5000));

    WorkDir dir;
    QString message;
    if (download) {
        DownloadTarget target;
        target.link = QString(page).replace(QStringLiteral("down.html"), QStringLiteral("files/ZQ-100_V1.0.zqbin"));
        target.folder = dir.filePath(QStringLiteral("down"));
        message = downloadFailureText(runDownload(target).problem);
        QCOMPARE(message, QStringLiteral("下载异常: 文件大于 64 MiB"));
        QVERIFY(QDir(dir.filePath(QStringLiteral("down"))).entryList(QDir::Files | QDir::Hidden).isEmpty());
    } else {
        UpdateDialogDriver driver;
        driver.setPage(page);
        QVERIFY(driver.refresh(8000));
        QCOMPARE(driver.prompter.texts(), QStringList{QStringLiteral("获取设备列表失败,请重试!\n下载页面大于 1 MiB")});
    }
    simulator.kill();
    simulator.waitForFinished(2000);
    // The most this process has ever held, earlier cases included.
    const qint64 peak = peakResidentMiB();
    qInfo("peak resident size %lld MiB", peak);
    QVERIFY2(peak > 0 && peak < 100, qPrintable(QStringLiteral("%1 MiB").arg(peak)));
}

QTEST_MAIN(TestFirmwareHostile)
#include "tst_firmwarehostile.moc"
