// Labels: net gui
// Hostile servers and links against the catalogue and the download: every fetch is bounded in
// size and time, and nothing is fetched or written for a link that cannot be saved safely inside
// the chosen folder.
#include "firmware/downloadthread.h"
#include "firmware/ui/downloadtexts.h"
#include "tests/support/ui/downloadrig.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class TestFirmwareHostile : public QObject
{
    Q_OBJECT
private slots:
    void hostileServers_data();
    void hostileServers();
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
    DownloadThread thread;
    QSignalSpy errors(&thread, &DownloadThread::signalShowErrorMessage);
    thread.setPage(QUrl(page));
    thread.startDownload(QString(link).replace("%1", port), setup.folder());
    QVERIFY(QTest::qWaitFor([&] { return thread.isFinished(); }, 5000));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(downloadFailureText(errors.first().first().value<DownloadProblem>()),
             QString(message).replace("%1", port));
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
    DownloadThread thread;
    QSignalSpy done(&thread, &DownloadThread::signalDownloadSucceed);
    thread.startDownload(setup.server.fileUrl(name), folder);
    // The server answers on this thread: wait with its events running.
    QVERIFY(QTest::qWaitFor([&] { return thread.isFinished(); }, 5000));
    QCOMPARE(done.size(), inside ? 1 : 0);
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
        DownloadThread thread;
        QObject::connect(&thread, &DownloadThread::signalShowErrorMessage,
                         [&](const DownloadProblem& problem) { message = downloadFailureText(problem); });
        thread.startDownload(
            QString(page).replace(QStringLiteral("down.html"), QStringLiteral("files/ZQ-100_V1.0.zqbin")),
            dir.filePath(QStringLiteral("down")));
        QVERIFY(QTest::qWaitFor([&] { return thread.isFinished(); }, 8000));
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
