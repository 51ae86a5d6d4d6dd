// Labels: net pty gui
// Runs apart: transfers
#include "firmware/ui/updatedialog.h"
#include "link/devicerequests.h"
#include "settings/settingkeys.h"
#include "sim/downloadserver.h"
#include "tests/support/firmwareimage.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Whole transfers through the dialog into the simulated instrument, over UDP and the pty.
class TestFirmwareUpdate : public QObject
{
    Q_OBJECT
private slots:
    void transfers_data();
    void transfers();
    void identifyIsRetriedOnce_data();
    void identifyIsRetriedOnce();
    void downloadButtonWaitsForEveryWorker();
};

namespace {

void addTransports()
{
    QTest::addColumn<bool>("overUdp");
}

void useTransport(const SimFixture& instrument, bool overUdp)
{
    if (overUdp)
        instrument.useUdp();
    else
        instrument.useSerial();
}

} // namespace

void TestFirmwareUpdate::transfers_data()
{
    addTransports();
    QTest::addColumn<int>("size");
    // The pages' arithmetic over both kinds of line is the transfer's own test (on the instrument in
    // memory); here the dialog carries whole images over each real line.
    QTest::newRow("udp, one page") << true << 1024;
    QTest::newRow("udp, 300 KiB, page numbers wrap") << true << 300 * 1024;
    QTest::newRow("pty, one byte more") << false << 1025;
}

void TestFirmwareUpdate::transfers()
{
    QFETCH(bool, overUdp);
    QFETCH(int, size);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(QStringLiteral("ZQ-100"));
    useTransport(instrument, overUdp);
    const QByteArray image = firmwareImage(size);

    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), image));
    QCOMPARE(driver.edit("edDevice")->text(), QStringLiteral("流量计"));
    QCOMPARE(driver.edit("edType")->text(), QStringLiteral("ZQ-100"));
    QCOMPARE(driver.edit("edVersion")->text(), QStringLiteral("V1.0"));
    QVERIFY(driver.button("bntUpdate")->isEnabled());

    QSignalSpy progress(&driver.dialog.updateThread(), &UpdateThread::signalUpdateProgress);
    QVERIFY(driver.update());
    QCOMPARE(driver.prompter.texts(), QStringList{QStringLiteral("固件更新成功!")});
    QCOMPARE(driver.prompter.shown.last().title, QStringLiteral("更新固件"));

    // The instrument holds the image, and the last page's tail is the erased state of flash.
    const int pages = (size + FirmwarePageSize - 1) / FirmwarePageSize;
    QCOMPARE(instrument.sim()->erasedSize(), quint32(size));
    QCOMPARE(instrument.sim()->receivedPages(), image + QByteArray(pages * FirmwarePageSize - size, char(0xFF)));
    QCOMPARE(instrument.sim()->receivedImage(), image);
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WritePage), pages);
    QCOMPARE(instrument.sim()->endUpdateCount(), 2);

    // 0 after the erase, then the offset at which each acknowledged page starts.
    QCOMPARE(progress.count(), pages + 1);
    QCOMPARE(progress.at(0).at(0).toInt(), 0);
    for (int page = 0; page < pages; ++page)
        QCOMPARE(progress.at(page + 1).at(0).toInt(), int(qint64(page) * FirmwarePageSize * 100 / size));
    QCOMPARE(driver.bar("barUpdate")->value(), 0); // reset after the success box
    QVERIFY(driver.button("bntSelectFile")->isEnabled());
    QVERIFY(driver.button("bntUpdate")->isEnabled());
    QVERIFY(driver.button("bntDownload")->isEnabled());
}

void TestFirmwareUpdate::identifyIsRetriedOnce_data()
{
    addTransports();
    QTest::newRow("udp") << true;
    QTest::newRow("pty") << false;
}

void TestFirmwareUpdate::identifyIsRetriedOnce()
{
    QFETCH(bool, overUdp);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(QStringLiteral("ZQ-100"));
    useTransport(instrument, overUdp);
    instrument.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::ReadDeviceId, 1});

    UpdateDialogDriver driver;
    driver.selectPackage(
        UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), firmwareImage(2000)));
    QVERIFY(driver.update());
    QCOMPARE(driver.prompter.texts(), QStringList{QStringLiteral("固件更新成功!")});
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::ReadDeviceId), 2);
    QCOMPARE(instrument.sim()->receivedImage(), firmwareImage(2000));
}

void TestFirmwareUpdate::downloadButtonWaitsForEveryWorker()
{
    WorkDir dir;
    DownloadServer server;
    server.addPackages(QStringLiteral("ZQ-100"));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    dir.writeConfig({{Settings::FirmwarePage.path, server.pageUrl()}});
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(QStringLiteral("ZQ-100"));
    instrument.useUdp();
    instrument.sim()->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::WritePage, -1});
    UpdateDialogDriver driver;
    QPushButton* download = driver.button("bntDownload");
    driver.selectPackage(
        UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), QByteArray(2000, 'x')));

    // A transfer that ends while a download still runs leaves the button off until the download ends.
    QVERIFY(driver.refresh());
    driver.prompter.nextFileName(dir.filePath(QStringLiteral("down")));
    QTest::mouseClick(driver.button("bntSelectPath"), Qt::LeftButton);
    driver.dialog.fetchTimes().idleTimeoutMs = 60000;
    server.setMisbehaviour(DownloadServer::Stall);
    QTest::mouseClick(download, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !download->isEnabled(); }, 5000));
    QVERIFY(driver.update());
    QVERIFY(driver.dialog.downloadRunner().isWorking());
    QVERIFY(!download->isEnabled());
    driver.dialog.downloadRunner().stop();
    QVERIFY(QTest::qWaitFor([&] { return download->isEnabled(); }, 5000));

    // A list refreshed during a transfer does not bring the button back before the transfer ends.
    server.setMisbehaviour(DownloadServer::Behave);
    driver.dialog.updateThread().setExchangeTimeout(1000);
    QTest::mouseClick(driver.button("bntUpdate"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !download->isEnabled(); }, 5000));
    QVERIFY(driver.refresh());
    QVERIFY(driver.dialog.updateThread().isRunning());
    QVERIFY(!download->isEnabled());
    QVERIFY(driver.dialog.updateThread().wait(5000));
    QVERIFY(QTest::qWaitFor([&] { return download->isEnabled(); }, 5000));
    const QString failed = QStringLiteral("固件更新失败,发送文件数据失败!");
    QCOMPARE(driver.prompter.texts(), (QStringList{failed, failed}));
}

QTEST_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"
