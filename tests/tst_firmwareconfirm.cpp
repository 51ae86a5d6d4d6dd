// Labels: net pty gui
// Runs apart: confirmation
#include "firmware/ui/updateconfirmation.h"
#include "firmware/ui/updatedialog.h"
#include "settings/settingkeys.h"
#include "sim/downloadserver.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/confighost.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The question before a transfer, the stage line that tells how it ended, and what the operator
// learns of the instrument afterwards: the dialog against the simulated instrument over UDP and
// the pty.
class TestFirmwareConfirm : public QObject
{
    Q_OBJECT
private slots:
    void confirmation_data();
    void confirmation();
    void endings_data();
    void endings();
    void windowShowsNewVersion();
    void catalogueMarksNewest();
};

namespace {

const QByteArray Image(2500, '\x3C'); // three pages

void addTransports()
{
    QTest::addColumn<bool>("overUdp");
}

// What the confirmation showed, and the answer it was given.
struct Asked
{
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int defaultButton = QMessageBox::NoButton;
    QString text;
    QString informative;
};

// Answers the next box with button after noting it, when it is the confirmation.
void answerConfirmation(ScriptedPrompter& prompter, Asked* asked, QMessageBox::StandardButton button)
{
    prompter.answerNext([asked, button](QDialog& dialog) {
        auto* box = qobject_cast<UpdateConfirmation*>(&dialog);
        if (!box)
            return int(QMessageBox::Ok);
        asked->shown = true;
        asked->icon = box->icon();
        asked->defaultButton = box->standardButton(box->defaultButton());
        asked->text = box->text();
        asked->informative = box->informativeText();
        return int(button);
    });
}

// The value the tree shows in the version row.
QString shownVersion(MainWindow& window)
{
    for (int row = 0; row < shownRowCount(window); ++row)
        if (shownText(window, row, 0).endsWith(QStringLiteral("固件版本")))
            return shownText(window, row, 1);
    return QString();
}

QLabel* stageLabel(UpdateDialogDriver& driver)
{
    return driver.dialog.findChild<QLabel*>(QStringLiteral("labStage"));
}

} // namespace

void TestFirmwareConfirm::confirmation_data()
{
    addTransports();
    QTest::addColumn<QString>("packageVersion");
    QTest::addColumn<QString>("readVersion"); // from the configuration last read
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("headline");
    QTest::addColumn<QString>("afterwards");
    for (const bool udp : {true, false}) {
        const char* via = udp ? "udp" : "pty";
        QTest::addRow("%s: downgrade cancelled", via)
            << udp << "V1.1"
            << "V2.1.7" << true << "降级: 固件包的版本 V1.1 比仪器的版本 V2.1.7 旧。"
            << "";
        QTest::addRow("%s: upgrade", via) << udp << "V2.2.0"
                                          << "V2.1.7" << false << "升级: 固件包的版本 V2.2.0 比仪器的版本 V2.1.7 新。"
                                          << "固件已更新: V2.1.7 → V2.2.0";
    }
    QTest::newRow("udp: version not read yet")
        << true << "V2.2.0"
        << "" << false << "仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 V2.2.0 比较。"
        << "固件已更新: 仪器现在的版本是 V2.2.0";
}

void TestFirmwareConfirm::confirmation()
{
    QFETCH(bool, overUdp);
    QFETCH(QString, packageVersion);
    QFETCH(QString, readVersion);
    QFETCH(bool, cancel);
    QFETCH(QString, headline);
    QFETCH(QString, afterwards);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    overUdp ? instrument.useUdp() : instrument.useSerial();
    // The new firmware takes a moment to start: the version is asked for until it answers.
    instrument.sim()->setFlashedVersion(packageVersion, 300);

    UpdateDialogDriver driver;
    driver.dialog.setInstrumentVersion(readVersion);
    QSignalSpy updated(&driver.dialog, &UpdateDialog::signalFirmwareUpdated);
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-200"), Image,
                                                         QStringLiteral("温湿度记录仪"), packageVersion));
    Asked asked;
    answerConfirmation(driver.prompter, &asked, cancel ? QMessageBox::Cancel : QMessageBox::Ok);
    QVERIFY(driver.update());

    // The instrument as it named itself and as last read, the package with its size and date.
    QVERIFY(asked.shown);
    QCOMPARE(asked.text, headline);
    QVERIFY2(asked.informative.contains(QStringLiteral("型号 ZQ-200")), qPrintable(asked.informative));
    QVERIFY(asked.informative.contains(QStringLiteral("设备 温湿度记录仪, 型号 ZQ-200, 版本 ") + packageVersion));
    QVERIFY(asked.informative.contains(QStringLiteral("固件大小 2,500 字节, 文件日期 ")));
    const bool downgrade = headline.contains(QStringLiteral("降级"));
    QCOMPARE(asked.icon, downgrade ? QMessageBox::Warning : QMessageBox::Question);
    QCOMPARE(asked.defaultButton, int(downgrade ? QMessageBox::Cancel : QMessageBox::Ok));

    if (cancel) {
        // Nothing is erased or written, and no box follows the operator's own no.
        QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::EraseFlash), 0);
        QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::WritePage), 0);
        QVERIFY(driver.prompter.texts().isEmpty());
        QCOMPARE(stageLabel(driver)->text(), QStringLiteral("第 1/4 步: 已取消, 没有写入任何数据"));
        QCOMPARE(updated.count(), 0);
        QVERIFY(driver.button("bntUpdate")->isEnabled());
        return;
    }
    QCOMPARE(instrument.sim()->receivedImage(), Image);
    QCOMPARE(driver.prompter.texts(), QStringList{QStringLiteral("固件更新成功!")});
    QCOMPARE(driver.prompter.shown.last().informative, afterwards);
    QCOMPARE(stageLabel(driver)->text(), afterwards);
    // The main window reads the new configuration on this.
    QCOMPARE(updated.count(), 1);
}

void TestFirmwareConfirm::endings_data()
{
    addTransports();
    QTest::addColumn<QString>("simModel");
    QTest::addColumn<bool>("pageFault");
    QTest::addColumn<QString>("stageEnd");
    QTest::addColumn<QString>("state");
    for (const bool udp : {true, false}) {
        const char* via = udp ? "udp" : "pty";
        QTest::addRow("%s: wrong model", via) << udp << "ZQ-300" << false << "第 1/4 步: 已拒绝: 型号不符"
                                              << "仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。";
        QTest::addRow("%s: last page unanswered", via)
            << udp << "ZQ-200" << true << "第 3/4 步: 失败: 第 3 / 3 页未被确认"
            << "仪器原来的固件已被擦除, 新固件只写入了 2 / 3 页: 仪器正在引导程序中等待完整的固件。"
               "请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。";
    }
}

// A run that is refused or fails says so on its stage line, never counts down the restart of a
// flashed instrument, and tells the operator what state the instrument is in.
void TestFirmwareConfirm::endings()
{
    QFETCH(bool, overUdp);
    QFETCH(QString, simModel);
    QFETCH(bool, pageFault);
    QFETCH(QString, stageEnd);
    QFETCH(QString, state);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    overUdp ? instrument.useUdp() : instrument.useSerial();
    instrument.sim()->setModel(simModel);
    if (pageFault) {
        InstrumentSimulator* sim = instrument.sim();
        QObject::connect(
            sim, &InstrumentSimulator::requestHandled, sim,
            [sim](int handled) {
                if (handled == InstrumentSimulator::WritePage && sim->requestCount(InstrumentSimulator::WritePage) == 2)
                    sim->addFault({InstrumentSimulator::NoReply, InstrumentSimulator::WritePage, -1});
            },
            Qt::DirectConnection);
    }
    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-200"), Image));
    QLabel* label = stageLabel(driver);
    QStringList seen;
    QObject::connect(&driver.dialog.updateThread(), &UpdateThread::signalStage, &driver.dialog,
                     [&] { seen.append(label->text()); });
    QVERIFY(driver.update());

    QCOMPARE(label->text(), stageEnd);
    for (const QString& stage : qAsConst(seen))
        QVERIFY2(!stage.startsWith(QStringLiteral("第 4/4 步")), qPrintable(stage));
    QCOMPARE(driver.prompter.texts().size(), 1);
    QCOMPARE(driver.prompter.shown.last().informative, state);
    // Nothing but the refused identify reached an instrument of another model.
    if (!pageFault)
        QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::EraseFlash), 0);
}

// From the main window: the confirmation compares with the version the last read showed, and
// after the flash the tree shows what the instrument reports now.
void TestFirmwareConfirm::windowShowsNewVersion()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    instrument.sim()->setFlashedVersion(QStringLiteral("V2.2.0"), 200);
    ScriptedPrompter prompter;
    MainWindow window;
    window.show();
    trigger(window, "refresh");
    QCOMPARE(shownVersion(window), QStringLiteral(": V2.1.7"));
    const QString package = UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-200"), Image,
                                                            QStringLiteral("温湿度记录仪"), QStringLiteral("V2.2.0"));

    Asked asked;
    prompter.answerNext([&](QDialog& dialog) {
        auto* update = qobject_cast<UpdateDialog*>(&dialog);
        if (!update)
            return int(QDialog::Rejected);
        update->updateThread().setExchangeTimeout(UpdateDialogDriver::ExchangeTimeoutMs);
        update->show();
        prompter.nextFileName(package);
        QTest::mouseClick(update->findChild<QPushButton*>(QStringLiteral("bntSelectFile")), Qt::LeftButton);
        answerConfirmation(prompter, &asked, QMessageBox::Ok);
        QTest::mouseClick(update->findChild<QPushButton*>(QStringLiteral("bntUpdate")), Qt::LeftButton);
        const bool ended =
            QTest::qWaitFor([&] { return !prompter.texts().isEmpty() && !update->updateThread().isRunning(); }, 8000);
        return int(ended ? QDialog::Accepted : QDialog::Rejected);
    });
    start(window, "update");
    QVERIFY(waitIdle(window));
    QCOMPARE(asked.text, QStringLiteral("升级: 固件包的版本 V2.2.0 比仪器的版本 V2.1.7 新。"));
    QCOMPARE(prompter.texts(), QStringList{QStringLiteral("固件更新成功!")});
    QCOMPARE(shownVersion(window), QStringLiteral(": V2.2.0"));
}

// The connected model's file with the highest version is marked, and each entry's version shown.
void TestFirmwareConfirm::catalogueMarksNewest()
{
    WorkDir dir;
    DownloadServer server;
    server.addPackages(QStringLiteral("ZQ-200"));
    server.addPackages(QStringLiteral("ZQ-300"));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    dir.writeConfig({{Settings::FirmwarePage.path, server.pageUrl()}});
    UpdateDialogDriver driver;
    driver.dialog.setInstrumentModel(QStringLiteral("ZQ-200"));
    QVERIFY(driver.refresh());
    QStringList shown;
    const QAbstractItemModel* files = driver.fileList()->model();
    for (int row = 0; row < files->rowCount(); ++row)
        shown << files->index(row, 0).data().toString() + QLatin1Char('|') + files->index(row, 3).data().toString();
    QCOMPARE(shown,
             (QStringList{QStringLiteral("ZQ-200 V1.0|V1.0"), QStringLiteral("ZQ-200 V1.1 (最新)|V1.1"),
                          QStringLiteral("ZQ-300 V1.0|V1.0"), QStringLiteral("ZQ-300 V1.1|V1.1")}));
    // The link stays the entry's own.
    QVERIFY(files->index(1, 0).data(Qt::UserRole).toString().endsWith(QStringLiteral("ZQ-200_V1.1.zqbin")));
}

QTEST_MAIN(TestFirmwareConfirm)
#include "tst_firmwareconfirm.moc"
