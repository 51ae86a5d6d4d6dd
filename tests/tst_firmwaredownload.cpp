// Labels: net gui
// Runs apart: refreshFailures downloadFailuresKeepEarlierCopy
#include "firmware/cataloguepage.h"
#include "firmware/ui/downloadtexts.h"
#include "firmware/ui/updatedialog.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "sim/downloadserver.h"
#include "tests/support/ui/downloadrig.h"
#include "tests/support/ui/languageprobe.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

// The catalogue page and downloads through the dialog, from a real server on loopback.
class TestFirmwareDownload : public QObject
{
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void refreshListsOnlyThePage();
    void failureTexts_data();
    void failureTexts();
    void refreshFailures_data();
    void refreshFailures();
    void downloadsExactFile();
    void downloadFailuresKeepEarlierCopy_data();
    void downloadFailuresKeepEarlierCopy();
    void unsafeNamesRefusedBeforeAnything();
    void pressedWithoutChoice();
    void listColumns_data();
    void listColumns();
    void overwriteAsks_data();
    void overwriteAsks();
    void cancelEndsStall_data();
    void cancelEndsStall();
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

using Setup = DownloadRig;

} // namespace

void TestFirmwareDownload::parsing_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<Entries>("entries");
    const QByteArray a = "<div><div>ZQ-100 V1</div><div><a href=' http://h/a.zqbin '>x</a></div></div>";
    const QByteArray b =
        "<div><div> <b>ZQ-100</b> V0 </div><div>note</div><div><a href='http://h/b.zqbin'>x</a></div></div>";
    QTest::newRow("names in order, trimmed, last div holds the link")
        << pageWith(a + b) << true << Entries{{"ZQ-100 V1", "http://h/a.zqbin"}, {"ZQ-100 V0", "http://h/b.zqbin"}};
    QTest::newRow("duplicate name takes the later link")
        << pageWith(a + "<p><div>ZQ-100 V1</div><div><a href='http://h/new'>x</a></div></p>") << true
        << Entries{{"ZQ-100 V1", "http://h/new"}};
    QTest::newRow("one div serves both") << pageWith("<div><div><a href='http://h/o'>Only</a></div></div>") << true
                                         << Entries{{"Only", "http://h/o"}};
    QTest::newRow("entry without divs is empty") << pageWith("<span>text</span>") << true << Entries{{"", ""}};
    QTest::newRow("capital HTML refused")
        << QByteArray("<HTML><body><div><div/>" + a + "</div></body></HTML>") << false << Entries{};
    QTest::newRow("anchor without sibling refused")
        << pageWith("").replace("固件下载</div>", "固件下载" + a + "</div>") << false << Entries{};
    QTest::newRow("not XML refused") << QByteArray("<html><body><div><div><br></div>") << false << Entries{};
    QTest::newRow("empty body refused") << QByteArray() << false << Entries{};
    // Nesting is followed to a fixed depth and no further: the entry's name sits at that depth.
    const auto nested = [&](int depth) {
        return pageWith("<div><div>" + QByteArray("<b>").repeated(depth - 5) + "deep"
                        + QByteArray("</b>").repeated(depth - 5) + "</div><div><a href='http://h/d'>x</a></div></div>");
    };
    QTest::newRow("nested to the limit") << nested(MaxCatalogueDepth) << true << Entries{{"deep", "http://h/d"}};
    QTest::newRow("nested past the limit") << nested(MaxCatalogueDepth + 1) << false << Entries{};
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

// Each refresh lists only what its page lists, with its first entry chosen; a failed one leaves
// the list empty.
void TestFirmwareDownload::refreshListsOnlyThePage()
{
    Setup setup;
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 2);
    setup.driver.fileList()->setCurrentIndex(1);
    setup.server.removeEntry(QStringLiteral("ZQ-100 V1.0"));
    setup.server.removeEntry(QStringLiteral("ZQ-100 V1.1"));
    setup.server.addEntry(QStringLiteral("B1"), setup.server.fileUrl(QStringLiteral("ZQ-100_V1.1.zqbin")));
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 1);
    QCOMPARE(setup.driver.fileList()->currentText(), QStringLiteral("B1"));
    setup.server.setMisbehaviour(DownloadServer::PageNotXml);
    QVERIFY(setup.driver.refresh());
    QCOMPARE(setup.driver.fileList()->count(), 0);
    QCOMPARE(setup.driver.prompter.texts(), QStringList{QStringLiteral("获取设备列表失败,请重试!")});
    QVERIFY(setup.driver.button("bntRefresh")->isEnabled());
}

void TestFirmwareDownload::failureTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<DownloadFailure>("failure");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("text");
    using F = DownloadFailure;
    const QString list = QStringLiteral("获取设备列表失败,请重试!");
    const QString link = QStringLiteral("ftp://h/a.zqbin");
    const qint64 mib = 1024 * 1024;
    QTest::newRow("none") << "zh_CH" << F::None << "" << qint64(0) << "";
    QTest::newRow("page unreadable") << "zh_CH" << F::PageUnreadable << "" << qint64(0) << list;
    QTest::newRow("page too large") << "zh_CH" << F::PageTooLarge << "" << mib << list + "\n下载页面大于 1 MiB";
    QTest::newRow("page stalled") << "zh_CH" << F::PageStalled << "" << qint64(30000)
                                  << list + "\n30 秒内收到的数据不足 1 KiB";
    QTest::newRow("page untrusted") << "zh_CH" << F::PageUntrusted << "TLS" << qint64(0) << list + "\nTLS";
    QTest::newRow("not web") << "zh_CH" << F::LinkNotWeb << link << qint64(0)
                             << "下载失败,链接不是 http 或 https 地址: " + link;
    QTest::newRow("not encrypted") << "zh_CH" << F::LinkNotEncrypted << link << qint64(0)
                                   << "下载失败,https 页面上的链接也必须是 https: " + link;
    QTest::newRow("bad name") << "zh_CH" << F::BadFileName << ".." << qint64(0) << "下载失败,文件名不合法: ..";
    QTest::newRow("cannot open") << "zh_CH" << F::CannotOpenFile << "a.zqbin" << qint64(0)
                                 << "下载失败,打开文件失败: a.zqbin";
    QTest::newRow("too large") << "zh_CH" << F::TooLarge << "" << 64 * mib << "下载异常: 文件大于 64 MiB";
    QTest::newRow("more than announced") << "zh_CH" << F::MoreThanAnnounced << "" << qint64(4096)
                                         << "下载异常: 收到的数据多于声明的 4096 字节";
    QTest::newRow("disk") << "zh_CH" << F::WriteFailed << "No space" << qint64(0) << "下载异常: No space";
    QTest::newRow("stalled") << "zh_CH" << F::Stalled << "" << qint64(800) << "下载异常: 0.8 秒内收到的数据不足 1 KiB";
    QTest::newRow("network") << "zh_CH" << F::NetworkError << "refused" << qint64(0) << "下载异常: refused";
    QTest::newRow("incomplete") << "zh_CH" << F::Incomplete << "" << qint64(0) << "下载异常: 未找到该文件或下载失败";
    // Each text in the other two languages, composed ones included.
    QTest::newRow("en page stalled")
        << "en_US" << F::PageStalled << "" << qint64(1500)
        << "Could not get the firmware list. Please try again.\nLess than 1 KiB received in 1.5 s";
    QTest::newRow("en page too large") << "en_US" << F::PageTooLarge << "" << mib
                                       << "Could not get the firmware list. Please try again.\n"
                                          "The download page is larger than 1 MiB";
    QTest::newRow("en not encrypted") << "en_US" << F::LinkNotEncrypted << link << qint64(0)
                                      << "Download failed: a link on an https page must be https too: " + link;
    QTest::newRow("en too large") << "en_US" << F::TooLarge << "" << 2 * mib
                                  << "Download error: the file is larger than 2 MiB";
    QTest::newRow("en more than announced") << "en_US" << F::MoreThanAnnounced << "" << qint64(10)
                                            << "Download error: more data arrived than the announced 10 bytes";
    QTest::newRow("en incomplete") << "en_US" << F::Incomplete << "" << qint64(0)
                                   << "Download error: file not found or download incomplete";
    QTest::newRow("tw not web") << "zh_TW" << F::LinkNotWeb << link << qint64(0)
                                << "下載失敗,連結不是 http 或 https 網址: " + link;
    QTest::newRow("tw bad name") << "zh_TW" << F::BadFileName << ".." << qint64(0) << "下載失敗,檔名不合法: ..";
    QTest::newRow("tw cannot open") << "zh_TW" << F::CannotOpenFile << "a" << qint64(0) << "下載失敗,開啟檔案失敗: a";
    QTest::newRow("tw stalled") << "zh_TW" << F::Stalled << "" << qint64(800)
                                << "下載異常: 0.8 秒內收到的資料不足 1 KiB";
    QTest::newRow("tw network") << "zh_TW" << F::NetworkError << "x" << qint64(0) << "下載異常: x";
    // What a hostile server's reply ends in, for the page and for a file.
    QTest::newRow("page head too large") << "zh_CH" << F::PageHeadTooLarge << "" << qint64(0)
                                         << list + "\n服务器的响应头过大";
    QTest::newRow("en page overdue") << "en_US" << F::PageOverdue << "" << qint64(30000)
                                     << "Could not get the firmware list. Please try again.\nNot completed within 30 s";
    QTest::newRow("tw page coding") << "zh_TW" << F::PageUnknownCoding << "br" << qint64(0)
                                    << "取得裝置清單失敗,請重試!\n不支援的壓縮方式: br";
    QTest::newRow("en bad reply") << "en_US" << F::BadReply << "" << qint64(0)
                                  << "Download error: The server sent an invalid reply";
    QTest::newRow("tw head too large") << "zh_TW" << F::HeadTooLarge << "" << qint64(0)
                                       << "下載異常: 伺服器的回應標頭過大";
    QTest::newRow("overdue") << "zh_CH" << F::Overdue << "" << qint64(1500) << "下载异常: 1.5 秒内未能完成";
}

// Every code makes the text the operator has always read, in each language.
void TestFirmwareDownload::failureTexts()
{
    QFETCH(QString, language);
    QFETCH(DownloadFailure, failure);
    QFETCH(QString, detail);
    QFETCH(qint64, amount);
    QFETCH(QString, text);
    QTranslator translator;
    QVERIFY(translator.load(language, QStringLiteral(ZQ_BIN_DIR)));
    QCoreApplication::installTranslator(&translator);
    const QString made = downloadFailureText({failure, detail, amount});
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(made, text);
}

void TestFirmwareDownload::refreshFailures_data()
{
    QTest::addColumn<int>("misbehaviour");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("获取设备列表失败,请重试!");
    QTest::newRow("not xml") << int(DownloadServer::PageNotXml) << failed;
    QTest::newRow("other structure") << int(DownloadServer::PageOtherStructure) << failed;
    QTest::newRow("404") << int(DownloadServer::NotFound) << failed;
    const QString idle = QStringLiteral("0.8 秒内收到的数据不足 1 KiB"); // UpdateDialogDriver::IdleTimeoutMs
    QTest::newRow("stall ends after the time limit") << int(DownloadServer::Stall) << failed + "\n" + idle;
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
    // The success box names the file and offers it for flashing.
    QString named;
    setup.driver.prompter.answerNext([&named](QDialog& box) {
        named = static_cast<QMessageBox&>(box).informativeText();
        box.show();
        saveScreenshot(&box, QStringLiteral("download-succeeded"));
        return int(QMessageBox::Open);
    });
    QVERIFY(setup.driver.download());
    QCOMPARE(setup.driver.prompter.texts(), QStringList{QStringLiteral("文件下载成功!")});
    const QString saved = QFileInfo(setup.folder()).canonicalFilePath() + QStringLiteral("/ZQ-100_V1.1.zqbin");
    QVERIFY2(named.endsWith(QDir::toNativeSeparators(saved)), qPrintable(named));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The downloaded package reads, which also proves every byte came across.
    QCOMPARE(setup.driver.edit("edFilePath")->text(), saved);
    QCOMPARE(setup.driver.edit("edVersion")->text(), QStringLiteral("V1.1"));
    QVERIFY(setup.driver.button("bntUpdate")->isEnabled());
    QCOMPARE(QDir(setup.folder()).entryList(QDir::Files), QStringList{QStringLiteral("ZQ-100_V1.1.zqbin")});
}

void TestFirmwareDownload::downloadFailuresKeepEarlierCopy_data()
{
    QTest::addColumn<int>("misbehaviour");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("404") << int(DownloadServer::NotFound) << "下载异常: ";
    QTest::newRow("no length") << int(DownloadServer::NoContentLength) << "下载异常: 未找到该文件或下载失败";
    QTest::newRow("cut short") << int(DownloadServer::CutShort) << "下载异常: ";
    const QString idle = QStringLiteral("下载异常: 0.8 秒内收到的数据不足 1 KiB");
    QTest::newRow("stall") << int(DownloadServer::Stall) << idle;
}

void TestFirmwareDownload::downloadFailuresKeepEarlierCopy()
{
    QFETCH(int, misbehaviour);
    QFETCH(QString, messageStart);
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
    setup.driver.prompter.pressNext(QMessageBox::Yes); // replace the earlier copy
    QVERIFY(setup.driver.download());
    QCOMPARE(setup.driver.prompter.texts().size(), 2);
    const QString message = setup.driver.prompter.texts().last();
    QVERIFY2(message.startsWith(messageStart), qPrintable(message));
    QVERIFY(message.size() > QStringLiteral("下载异常: ").size());
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("an earlier copy"));
    QCOMPARE(QDir(setup.folder()).entryList(QDir::Files), QStringList{QStringLiteral("ZQ-100_V1.0.zqbin")});
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

// Nothing is asked of the server and nothing is created for a link that cannot be saved safely.
// The whole process, server included, stays small while a server sends without end: the page
// is cut at its limit and a download is streamed to the disk up to the largest package.
void TestFirmwareDownload::pressedWithoutChoice()
{
    Setup setup;
    setup.driver.setPage(QString());
    QTest::mouseClick(setup.driver.button("bntRefresh"), Qt::LeftButton);
    setup.chooseFolder();
    QTest::mouseClick(setup.driver.button("bntDownload"), Qt::LeftButton);
    // The address typed into the dialog is the one fetched, and kept for the next time.
    setup.driver.setPage(QStringLiteral("  ") + setup.server.pageUrl());
    QVERIFY(setup.driver.refresh());
    QCOMPARE(Config().value(Settings::FirmwarePage).toString(), setup.server.pageUrl());
    QCOMPARE(setup.driver.fileList()->count(), 2);
    // Without a folder the picker is offered at once; cancelled, the download is refused.
    setup.driver.prompter.nextFileName(QString());
    QTest::mouseClick(setup.driver.button("bntSelectPath"), Qt::LeftButton);
    const int captions = setup.driver.prompter.fileDialogCaptions.size();
    QTest::mouseClick(setup.driver.button("bntDownload"), Qt::LeftButton);
    QCOMPARE(setup.driver.prompter.fileDialogCaptions.size(), captions + 1);
    QCOMPARE(setup.driver.prompter.texts(),
             (QStringList{QStringLiteral("请在“页面”中填写固件下载页面的完整地址!"), QStringLiteral("请选择设备类型!"),
                          QStringLiteral("请选择下载路径!")}));
    // Chosen in the picker, the download goes ahead.
    setup.driver.prompter.nextFileName(setup.folder());
    QVERIFY(setup.driver.download());
    QCOMPARE(setup.driver.edit("edDownloadDir")->text(), setup.folder());
    QCOMPARE(setup.driver.prompter.texts().last(), QStringLiteral("文件下载成功!"));
}

void TestFirmwareDownload::listColumns_data()
{
    QTest::addColumn<bool>("withDetails");
    QTest::newRow("size and date given") << true;
    QTest::newRow("links only") << false;
}

// Size and date are shown where the page gives them, and their columns hidden where it does not.
void TestFirmwareDownload::listColumns()
{
    QFETCH(bool, withDetails);
    Setup setup;
    if (withDetails) {
        setup.server.setEntryDate(QStringLiteral("ZQ-100 V1.1"), QStringLiteral("2026-11-30"));
    } else {
        setup.server.removeEntry(QStringLiteral("ZQ-100 V1.0"));
        setup.server.removeEntry(QStringLiteral("ZQ-100 V1.1"));
        setup.server.addEntry(QStringLiteral("Bare"), setup.server.fileUrl(QStringLiteral("ZQ-100_V1.0.zqbin")));
    }
    QVERIFY(setup.driver.refresh());
    QAbstractItemModel* model = setup.driver.fileList()->model();
    auto* view = qobject_cast<QTreeView*>(setup.driver.fileList()->view());
    QVERIFY(view);
    setup.driver.fileList()->showPopup();
    saveScreenshot(view->window(), QStringLiteral("download-list-%1").arg(withDetails ? "details" : "bare"));
    setup.driver.fileList()->hidePopup();
    QCOMPARE(view->isColumnHidden(1), !withDetails);
    QCOMPARE(view->isColumnHidden(2), !withDetails);
    if (withDetails) {
        // The page's texts as they stand: the server tells each package's size in KiB.
        QVERIFY(model->index(0, 1).data().toString().endsWith(QStringLiteral(" KiB")));
        QVERIFY(model->index(1, 1).data().toString().endsWith(QStringLiteral(" KiB")));
        QCOMPARE(model->index(0, 2).data().toString(), QString());
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("2026-11-30"));
    }
    QCOMPARE(setup.driver.fileList()->currentData().toString(),
             setup.server.fileUrl(QStringLiteral("ZQ-100_V1.0.zqbin")));
}

void TestFirmwareDownload::overwriteAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("replace") << int(QMessageBox::Yes);
    QTest::newRow("keep") << int(QMessageBox::No);
}

void TestFirmwareDownload::overwriteAsks()
{
    QFETCH(int, answer);
    Setup setup;
    QVERIFY(setup.driver.refresh());
    QVERIFY(QDir().mkpath(setup.folder()));
    const QString target = setup.folder() + QStringLiteral("/ZQ-100_V1.0.zqbin");
    setup.dir.writeFile(QStringLiteral("down/ZQ-100_V1.0.zqbin"), "an earlier copy");
    setup.chooseFolder();
    const int served = setup.server.requestCount();
    setup.driver.prompter.pressNext(answer);
    const bool ran = setup.driver.download();
    QCOMPARE(ran, answer == QMessageBox::Yes);
    QCOMPARE(setup.driver.prompter.shown.first().className, QStringLiteral("QMessageBox"));
    QVERIFY(setup.driver.prompter.texts().first().contains(QStringLiteral("ZQ-100_V1.0.zqbin")));
    QCOMPARE(setup.server.requestCount(), served + (ran ? 1 : 0));
    QCOMPARE(setup.driver.prompter.texts().size(), ran ? 2 : 1);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll() == "an earlier copy", !ran);
}

void TestFirmwareDownload::cancelEndsStall_data()
{
    QTest::addColumn<bool>("duringDownload");
    QTest::newRow("fetch") << false;
    QTest::newRow("download") << true;
}

// The fetch, or a download (after a fetch and a folder chosen), ready to meet a stalled server with
// time limits longer than any test; false when the fetch before a download failed.
static bool readyToStall(Setup& setup, bool duringDownload)
{
    setup.driver.dialog.fetchTimes().idleTimeoutMs = 60000;
    setup.driver.dialog.fetchTimes().deadlineMs = 60000;
    if (!duringDownload)
        return true;
    if (!setup.driver.refresh())
        return false;
    setup.chooseFolder();
    return true;
}

void TestFirmwareDownload::cancelEndsStall()
{
    QFETCH(bool, duringDownload);
    Setup setup;
    QVERIFY(readyToStall(setup, duringDownload));
    JobRunner& runner = setup.driver.dialog.downloadRunner();
    QPushButton* cancel = setup.driver.button("bntCancelDownload");
    QVERIFY(!cancel->isEnabled());
    setup.server.setMisbehaviour(DownloadServer::Stall);
    const int served = setup.server.requestCount();
    QTest::mouseClick(setup.driver.button(duringDownload ? "bntDownload" : "bntRefresh"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return setup.server.requestCount() > served && cancel->isEnabled(); }, 5000));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(
        QTest::qWaitFor([&] { return !runner.isWorking() && setup.driver.button("bntRefresh")->isEnabled(); }, 1000));
    QVERIFY(!cancel->isEnabled());
    QVERIFY(setup.driver.prompter.texts().isEmpty());
    if (duringDownload)
        QVERIFY(QDir(setup.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestFirmwareDownload::closeStopsWorkers_data()
{
    QTest::addColumn<bool>("duringDownload");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("fetch, close request") << false << false;
    QTest::newRow("download, close request") << true << false;
    QTest::newRow("download, Escape") << true << true;
}

// Closing asks the worker to stop and does not wait for it; it ends within a second all the same.
void TestFirmwareDownload::closeStopsWorkers()
{
    QFETCH(bool, duringDownload);
    QFETCH(bool, byEscape);
    Setup setup;
    QVERIFY(readyToStall(setup, duringDownload));
    JobRunner& runner = setup.driver.dialog.downloadRunner();
    setup.server.setMisbehaviour(DownloadServer::Stall);
    const int served = setup.server.requestCount();
    QTest::mouseClick(setup.driver.button(duringDownload ? "bntDownload" : "bntRefresh"), Qt::LeftButton);
    QVERIFY(runner.isWorking());
    QVERIFY(QTest::qWaitFor([&] { return setup.server.requestCount() > served; }, 5000));
    if (byEscape)
        QTest::keyClick(&setup.driver.dialog, Qt::Key_Escape);
    else
        setup.driver.dialog.close();
    QVERIFY(!setup.driver.dialog.isVisible());
    QVERIFY(QTest::qWaitFor([&] { return !runner.isWorking(); }, 1000));
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
    QVERIFY(certificate.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly)
            && authority.open(QIODevice::ReadOnly));
    setup.server.setTls(QSslCertificate(&certificate), QSslKey(&key, QSsl::Rsa));
    setup.driver.setPage(setup.server.pageUrl());
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
