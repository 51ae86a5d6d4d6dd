// Labels: net gui
#include "settings/settingkeys.h"
#include "firmware/cataloguepage.h"
#include "firmware/ui/updatedialog.h"
#include "sim/downloadserver.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTest>

// The catalogue page and downloads through the dialog, from a real server on loopback.
class TestFirmwareDownload : public QObject
{
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void lostEntryStaysListed();
    void refreshFailures_data();
    void refreshFailures();
    void downloadsExactFile();
    void downloadFailuresKeepEarlierCopy_data();
    void downloadFailuresKeepEarlierCopy();
    void unsafeNamesRefused_data();
    void unsafeNamesRefused();
    void unsafeNamesRefusedBeforeAnything();
    void pressedWithoutChoice();
    void closeStopsWorkers_data();
    void closeStopsWorkers();
    void tlsIsVerified();
};

namespace {

using Entries = QMap<QString, QString>;

QByteArray pageWith(const QByteArray& entries)
{
    return "<html><body><div><div>固件下载</div>" + entries + "</div></body></html>";
}

// A server on loopback with two packages, and the dialog pointed at its page.
struct Setup
{
    WorkDir dir;
    DownloadServer server;
    UpdateDialogDriver driver;

    Setup()
    {
        server.addPackages(QStringLiteral("ZQ-100"));
        server.listen(QHostAddress::LocalHost);
        dir.writeConfig({{Settings::FirmwarePage.path, server.pageUrl()}});
    }
    QString folder() const { return dir.filePath(QStringLiteral("down")); }
    void chooseFolder()
    {
        driver.prompter.nextFileName(folder());
        QTest::mouseClick(driver.button("bntSelectPath"), Qt::LeftButton);
    }
};

} // namespace

void TestFirmwareDownload::parsing_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<Entries>("entries");
    const QByteArray a = "<div><div>ZQ-100 V1</div><div><a href=' http://h/a.zqbin '>x</a></div></div>";
    const QByteArray b = "<div><div> <b>ZQ-100</b> V0 </div><div>note</div><div><a href='http://h/b.zqbin'>x</a></div></div>";
    QTest::newRow("names in order, trimmed, last div holds the link")
        << pageWith(a + b) << true << Entries{{"ZQ-100 V1", "http://h/a.zqbin"}, {"ZQ-100 V0", "http://h/b.zqbin"}};
    QTest::newRow("duplicate name takes the later link")
        << pageWith(a + "<p><div>ZQ-100 V1</div><div><a href='http://h/new'>x</a></div></p>") << true
        << Entries{{"ZQ-100 V1", "http://h/new"}};
    QTest::newRow("one div serves both")
        << pageWith("<div><div><a href='http://h/o'>Only</a></div></div>") << true << Entries{{"Only", "http://h/o"}};
    QTest::newRow("entry without divs is empty") << pageWith("<span>text</span>") << true << Entries{{"", ""}};
    QTest::newRow("capital HTML refused")
        << QByteArray("<HTML><body><div><div/>" + a + "</div></body></HTML>") << false << Entries{};
    QTest::newRow("anchor without sibling refused")
        << pageWith("").replace("固件下载</div>", "固件下载" + a + "</div>") << false << Entries{};
    QTest::newRow("not XML refused") << QByteArray("<html><body><div><div><br></div>") << false << Entries{};
    QTest::newRow("empty body refused") << QByteArray() << false << Entries{};
}

void TestFirmwareDownload::parsing()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, parsed);
    QFETCH(Entries, entries);
    QMap<QString, QString> list;
    QCOMPARE(parseCatalogue(page, list), parsed);
    QCOMPARE(list, entries);
    QCOMPARE(list.keys(), entries.keys()); // ascending, whatever the page order
}

void TestFirmwareDownload::lostEntryStaysListed()
{
    Setup setup;
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 2);
    setup.server.removeEntry(QStringLiteral("ZQ-100 V1.0"));
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 2);
    QCOMPARE(setup.driver.fileList()->itemText(0), QStringLiteral("ZQ-100 V1.0"));
    QCOMPARE(setup.driver.fileList()->itemData(1).toString(),
             setup.server.fileUrl(QStringLiteral("ZQ-100_V1.1.zqbin")));
    // A failed fetch empties the list shown, though the entries are still known.
    setup.server.setMisbehaviour(DownloadServer::PageNotXml);
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 0);
    QCOMPARE(setup.driver.dialog.deviceTypeMgr().fileList().size(), 2);
    QVERIFY(setup.driver.button("bntRefresh")->isEnabled());
}

void TestFirmwareDownload::refreshFailures_data()
{
    QTest::addColumn<int>("misbehaviour");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("获取设备列表失败,请重试!");
    QTest::newRow("not xml") << int(DownloadServer::PageNotXml) << failed;
    QTest::newRow("other structure") << int(DownloadServer::PageOtherStructure) << failed;
    QTest::newRow("404") << int(DownloadServer::NotFound) << failed;
    QTest::newRow("stall ends after the time limit") << int(DownloadServer::Stall)
        << failed + QStringLiteral("\n%1 秒内没有收到任何数据").arg(UpdateDialogDriver::IdleTimeoutMs / 1000.0);
    QTest::newRow("duplicates listed once") << int(DownloadServer::DuplicateNames) << QString();
    QTest::newRow("no length still read whole") << int(DownloadServer::NoContentLength) << QString();
}

void TestFirmwareDownload::refreshFailures()
{
    QFETCH(int, misbehaviour);
    QFETCH(QString, message);
    Setup setup;
    setup.server.setMisbehaviour(DownloadServer::Misbehaviour(misbehaviour));
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(setup.driver.fileList()->count(), message.isEmpty() ? 2 : 0);
    if (misbehaviour == DownloadServer::DuplicateNames)
        QVERIFY(setup.driver.fileList()->itemData(0).toString().endsWith(QStringLiteral("?second")));
}

void TestFirmwareDownload::downloadsExactFile()
{
    Setup setup;
    QVERIFY(setup.driver.refresh());
    setup.driver.fileList()->setCurrentIndex(1);
    setup.chooseFolder();
    QCOMPARE(setup.driver.edit("edDownloadDir")->text(), setup.folder());
    QVERIFY(setup.driver.download());
    QCOMPARE(setup.driver.prompter.texts(), QStringList{QStringLiteral("文件下载成功!")});
    QFile file(setup.folder() + QStringLiteral("/ZQ-100_V1.1.zqbin"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The downloaded package reads, which also proves every byte came across.
    setup.driver.selectPackage(file.fileName());
    QCOMPARE(setup.driver.edit("edVersion")->text(), QStringLiteral("V1.1"));
    QVERIFY(setup.driver.button("bntUpdate")->isEnabled());
    QCOMPARE(QDir(setup.folder()).entryList(QDir::Files), QStringList{QStringLiteral("ZQ-100_V1.1.zqbin")});
}

void TestFirmwareDownload::downloadFailuresKeepEarlierCopy_data()
{
    QTest::addColumn<int>("misbehaviour");
    QTest::addColumn<QString>("messageStart");
    QTest::addColumn<int>("failure"); // DownloadFailure
    QTest::newRow("404") << int(DownloadServer::NotFound) << "下载异常: " << int(DownloadFailure::Network);
    QTest::newRow("no length") << int(DownloadServer::NoContentLength) << "下载异常: 未找到该文件或下载失败"
                               << int(DownloadFailure::NotFound);
    QTest::newRow("cut short") << int(DownloadServer::CutShort) << "下载异常: " << int(DownloadFailure::Network);
    QTest::newRow("stall") << int(DownloadServer::Stall) << QStringLiteral("下载异常: %1 秒内没有收到任何数据").arg(UpdateDialogDriver::IdleTimeoutMs / 1000.0)
                           << int(DownloadFailure::TimedOut);
}

void TestFirmwareDownload::downloadFailuresKeepEarlierCopy()
{
    QFETCH(int, misbehaviour);
    QFETCH(QString, messageStart);
    QFETCH(int, failure);
    Setup setup;
    QVERIFY(setup.driver.refresh());
    QVERIFY(QDir().mkpath(setup.folder()));
    const QString target = setup.folder() + QStringLiteral("/ZQ-100_V1.0.zqbin");
    {
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier copy");
    }
    setup.chooseFolder();
    setup.server.setMisbehaviour(DownloadServer::Misbehaviour(misbehaviour));
    QVERIFY(setup.driver.download());
    QCOMPARE(setup.driver.prompter.texts().size(), 1);
    QVERIFY2(setup.driver.prompter.texts().first().startsWith(messageStart), qPrintable(setup.driver.prompter.texts().first()));
    QVERIFY(setup.driver.prompter.texts().first().size() > QStringLiteral("下载异常: ").size());
    QTRY_VERIFY(!setup.driver.dialog.downloadThread().isRunning());
    QCOMPARE(int(setup.driver.dialog.downloadThread().failure()), failure);
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("an earlier copy"));
    QCOMPARE(QDir(setup.folder()).entryList(QDir::Files), QStringList{QStringLiteral("ZQ-100_V1.0.zqbin")});
}

void TestFirmwareDownload::unsafeNamesRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("encoded slashes") << "/files/..%2F..%2Fevil.zqbin" << "../../evil.zqbin";
    QTest::newRow("dot dot") << "/files/.." << "..";
    QTest::newRow("encoded dot dot") << "/files/%2E%2E" << "..";
    QTest::newRow("ends in slash") << "/files/" << "";
    QTest::newRow("backslash") << "/files/..%5Cevil" << "..\\evil";
    QTest::newRow("control character") << "/files/a%0Ab.zqbin" << "a\nb.zqbin";
}

void TestFirmwareDownload::unsafeNamesRefused()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(DownloadThread::fileNameOf(QStringLiteral("http://127.0.0.1:1") + path), name);
    QVERIFY(!DownloadThread::isSafeFileName(name));
}

void TestFirmwareDownload::unsafeNamesRefusedBeforeAnything()
{
    Setup setup;
    const QStringList paths{QStringLiteral("/files/..%2F..%2Fevil.zqbin"), QStringLiteral("/files/%2E%2E"),
                            QStringLiteral("/files/a%0Ab.zqbin")};
    for (int i = 0; i < paths.size(); ++i)
        setup.server.addEntry(QStringLiteral("Bad %1").arg(i),
                              QStringLiteral("http://127.0.0.1:%1").arg(setup.server.serverPort()) + paths.at(i));
    QVERIFY(setup.driver.refresh());
    setup.chooseFolder();
    const int before = setup.server.requestCount();
    for (int i = 0; i < paths.size(); ++i) {
        setup.driver.fileList()->setCurrentIndex(i);
        QCOMPARE(setup.driver.fileList()->currentText(), QStringLiteral("Bad %1").arg(i));
        QVERIFY(setup.driver.download());
        const QString name = DownloadThread::fileNameOf(setup.driver.fileList()->currentData().toString());
        QCOMPARE(setup.driver.prompter.texts().last(), QStringLiteral("下载失败,文件名不合法: %1").arg(name));
    }
    QCOMPARE(setup.driver.prompter.texts().size(), paths.size());
    QCOMPARE(setup.server.requestCount(), before);
    QVERIFY(!QFileInfo::exists(setup.folder()));
}

void TestFirmwareDownload::pressedWithoutChoice()
{
    Setup setup;
    setup.dir.writeConfig({{Settings::FirmwarePage.path, QString()}});
    QTest::mouseClick(setup.driver.button("bntRefresh"), Qt::LeftButton);
    setup.chooseFolder();
    QTest::mouseClick(setup.driver.button("bntDownload"), Qt::LeftButton);
    setup.dir.writeConfig({{Settings::FirmwarePage.path, setup.server.pageUrl()}});
    QVERIFY(setup.driver.refresh());
    setup.driver.prompter.nextFileName(QString());
    QTest::mouseClick(setup.driver.button("bntSelectPath"), Qt::LeftButton);
    QTest::mouseClick(setup.driver.button("bntDownload"), Qt::LeftButton);
    QCOMPARE(setup.driver.prompter.texts(),
             (QStringList{QStringLiteral("未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!"),
                          QStringLiteral("请选择设备类型!"), QStringLiteral("请选择下载路径!")}));
}

void TestFirmwareDownload::closeStopsWorkers_data()
{
    QTest::addColumn<bool>("duringDownload");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("fetch, close request") << false << false;
    QTest::newRow("download, close request") << true << false;
    QTest::newRow("download, Escape") << true << true;
}

void TestFirmwareDownload::closeStopsWorkers()
{
    QFETCH(bool, duringDownload);
    QFETCH(bool, byEscape);
    Setup setup;
    setup.driver.dialog.deviceTypeMgr().setIdleTimeout(60000);
    setup.driver.dialog.downloadThread().setIdleTimeout(60000);
    QThread* worker = &setup.driver.dialog.deviceTypeMgr();
    if (duringDownload) {
        QVERIFY(setup.driver.refresh());
        setup.chooseFolder();
        worker = &setup.driver.dialog.downloadThread();
    }
    setup.server.setMisbehaviour(DownloadServer::Stall);
    QTest::mouseClick(setup.driver.button(duringDownload ? "bntDownload" : "bntRefresh"), Qt::LeftButton);
    QVERIFY(worker->isRunning());
    const int served = setup.server.requestCount();
    QVERIFY(QTest::qWaitFor([&] { return setup.server.requestCount() > served - (duringDownload ? 0 : 1); }, 5000));
    QElapsedTimer clock;
    clock.start();
    if (byEscape)
        QTest::keyClick(&setup.driver.dialog, Qt::Key_Escape);
    else
        setup.driver.dialog.close();
    QVERIFY(!worker->isRunning());
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!setup.driver.dialog.isVisible());
    QVERIFY(setup.driver.prompter.texts().isEmpty());
    if (duringDownload)
        QVERIFY(QDir(setup.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestFirmwareDownload::tlsIsVerified()
{
    Setup setup;
    QFile certificate(QFINDTESTDATA("data/tls/server.pem"));
    QFile key(QFINDTESTDATA("data/tls/server.key"));
    QFile authority(QFINDTESTDATA("data/tls/ca.pem"));
    QVERIFY(certificate.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly) && authority.open(QIODevice::ReadOnly));
    setup.server.setTls(QSslCertificate(&certificate), QSslKey(&key, QSsl::Rsa));
    setup.dir.writeConfig({{Settings::FirmwarePage.path, setup.server.pageUrl()}});
    QVERIFY(setup.server.pageUrl().startsWith(QStringLiteral("https://")));

    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.prompter.texts().size(), 1);
    QVERIFY(setup.driver.prompter.texts().first().startsWith(QStringLiteral("获取设备列表失败,请重试!\n")));
    QCOMPARE(setup.driver.fileList()->count(), 0);

    // Trusted for this test only, the same server is taken and its files come down.
    const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = original;
    trusting.setCaCertificates(QSslCertificate::fromDevice(&authority));
    QSslConfiguration::setDefaultConfiguration(trusting);
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 2);
    setup.chooseFolder();
    QVERIFY(setup.driver.download());
    QSslConfiguration::setDefaultConfiguration(original);
    QCOMPARE(setup.driver.prompter.texts().last(), QStringLiteral("文件下载成功!"));
    QVERIFY(QFileInfo(setup.folder() + QStringLiteral("/ZQ-100_V1.0.zqbin")).size() > 64 * 1024);
}

QTEST_MAIN(TestFirmwareDownload)
#include "tst_firmwaredownload.moc"
