// Labels: net pty gui
#include "firmware/ui/updatedialog.h"
#include "link/frames.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

// The update group's refusals and failures, with faults injected into the simulated instrument.
class TestUpdateDialog : public QObject
{
    Q_OBJECT
private slots:
    void modelMatching_data();
    void modelMatching();
    void acknowledgements_data();
    void acknowledgements();
    void transferFailures_data();
    void transferFailures();
    void selectionRefusals_data();
    void selectionRefusals();
    void updatePressedOnBadPath_data();
    void updatePressedOnBadPath();
    void noWayOutDuringTransfer();
};

namespace {

const QByteArray Image(3000, '\x5A');

} // namespace

void TestUpdateDialog::modelMatching_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("matches");
    const QByteArray said = buildMarkerReply("!Find ZQ-100 OK\r\n");
    QTest::newRow("as the loader says it") << "ZQ-100" << said << true;
    QTest::newRow("without the mark") << "ZQ-100" << buildMarkerReply("Find  ZQ-100\tOK") << true;
    QTest::newRow("lower-case word") << "ZQ-100" << buildMarkerReply("!find ZQ-100 OK") << false;
    QTest::newRow("other model") << "ZQ-200" << said << false;
    // Pattern characters are taken literally: a dot is no wildcard, brackets are no class.
    QTest::newRow("dot is literal") << "ZQ.100" << said << false;
    QTest::newRow("dot matches dot") << "ZQ.100" << buildMarkerReply("!Find ZQ.100 OK") << true;
    QTest::newRow("brackets literal") << "ZQ[1]" << buildMarkerReply("!Find ZQ[1] OK") << true;
    QTest::newRow("empty model matches nothing") << "" << buildMarkerReply("!Find  OK") << false;
}

void TestUpdateDialog::modelMatching()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, reply);
    QFETCH(bool, matches);
    QCOMPARE(UpdateThread::modelMatches(model, reply), matches);
}

void TestUpdateDialog::acknowledgements_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("eraseStep");
    QTest::addColumn<bool>("acknowledged");
    const QByteArray erase = eraseFlashAcknowledgement();
    QTest::newRow("erase exact") << erase << true << true;
    QTest::newRow("erase text at first E") << QByteArray("\x7E\x02" "Erase OK\r\n\x00", 13) << true << true;
    QTest::newRow("erase text after another E") << QByteArray("E!Erase OK\r\n") << true << false;
    QTest::newRow("erase text cut") << QByteArray("Erase OK\r") << true << false;
    QTest::newRow("page exact") << writePageAcknowledgement(7) << false << true;
    QTest::newRow("page answered by another page") << writePageAcknowledgement(8) << false << false;
    // A page is acknowledged only by its own reply, never by an erase text.
    QTest::newRow("page answered with erase text") << erase << false << false;
}

void TestUpdateDialog::acknowledgements()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, eraseStep);
    QFETCH(bool, acknowledged);
    const QByteArray expected = eraseStep ? eraseFlashAcknowledgement() : writePageAcknowledgement(7);
    QCOMPARE(UpdateThread::isAcknowledged(reply, expected, eraseStep), acknowledged);
}

void TestUpdateDialog::transferFailures_data()
{
    QTest::addColumn<bool>("overUdp");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("faultKind");
    QTest::addColumn<int>("faultCount");
    QTest::addColumn<QString>("simModel");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("endUpdates");
    const int none = -2;
    for (const bool udp : {true, false}) {
        const char* via = udp ? "udp" : "pty";
        QTest::addRow("%s: no identity twice", via) << udp << int(InstrumentSimulator::ReadDeviceId)
            << int(InstrumentSimulator::NoReply) << 2 << "ZQ-100" << "固件更新失败,获取设备ID失败!" << 2;
        QTest::addRow("%s: other model", via) << udp << none << 0 << 0 << "ZQ-200"
            << "固件更新失败,BIN文件与设备型号不一致!" << 2;
        QTest::addRow("%s: model with a pattern character", via) << udp << none << 0 << 0 << "ZQ.100"
            << "固件更新失败,BIN文件与设备型号不一致!" << 2;
        QTest::addRow("%s: erase unanswered", via) << udp << int(InstrumentSimulator::EraseFlash)
            << int(InstrumentSimulator::NoReply) << 1 << "ZQ-100" << "固件更新失败,擦除设备内存失败!" << 0;
        QTest::addRow("%s: third page unanswered", via) << udp << int(InstrumentSimulator::WritePage)
            << int(InstrumentSimulator::NoReply) << -1 << "ZQ-100" << "固件更新失败,发送文件数据失败!" << 0;
        QTest::addRow("%s: page with another code", via) << udp << int(InstrumentSimulator::WritePage)
            << int(InstrumentSimulator::OtherCommand) << 1 << "ZQ-100" << "固件更新失败,发送文件数据失败!" << 0;
    }
    QTest::newRow("pty: port gone") << false << none << 1 << 0 << "ZQ-100" << "固件更新失败,打开串口失败: /nonexistent/ttyZQ" << 0;
}

void TestUpdateDialog::transferFailures()
{
    QFETCH(bool, overUdp);
    QFETCH(int, command);
    QFETCH(int, faultKind);
    QFETCH(int, faultCount);
    QFETCH(QString, simModel);
    QFETCH(QString, message);
    QFETCH(int, endUpdates);
    WorkDir dir;
    SimFixture instrument;
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(simModel);
    overUdp ? instrument.useUdp() : instrument.useSerial();
    if (command == -2 && faultKind == 1)
        dir.writeConfig({{QStringLiteral("serial/port"), QStringLiteral("/nonexistent/ttyZQ")}});

    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), Image));
    if (command == InstrumentSimulator::WritePage && faultCount < 0) {
        // Two pages go through, every later one is met with silence.
        const InstrumentSimulator::Fault fault{InstrumentSimulator::FaultKind(faultKind), command, -1};
        InstrumentSimulator* sim = instrument.sim();
        QObject::connect(sim, &InstrumentSimulator::requestHandled, sim, [sim, fault](int handled) {
            if (handled == InstrumentSimulator::WritePage && sim->requestCount(InstrumentSimulator::WritePage) == 2)
                sim->addFault(fault);
        }, Qt::DirectConnection);
    } else if (command != -2) {
        instrument.sim()->addFault({InstrumentSimulator::FaultKind(faultKind), command, faultCount});
    }
    QVERIFY(driver.update());
    QCOMPARE(driver.prompter.texts(), QStringList{message});
    QCOMPARE(instrument.sim()->endUpdateCount(), endUpdates);
    if (message.contains(QStringLiteral("发送文件数据"))) {
        // The bar keeps its last value after a failure.
        QCOMPARE(driver.bar("barUpdate")->value(), command == InstrumentSimulator::WritePage && faultCount < 0 ? 34 : 0);
    }
    if (message.contains(QStringLiteral("型号")) || message.contains(QStringLiteral("设备ID")))
        QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::EraseFlash), 0);
    QVERIFY(driver.button("bntUpdate")->isEnabled());
    QVERIFY(driver.button("bntSelectFile")->isEnabled());
}

void TestUpdateDialog::selectionRefusals_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("message");
    QTest::newRow("no image") << "ZQ-100" << QByteArray() << "固件包中没有固件数据,不能烧写!";
    QTest::newRow("no model") << "" << Image << "固件包中没有设备型号,不能烧写!";
}

void TestUpdateDialog::selectionRefusals()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, image);
    QFETCH(QString, message);
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.useUdp();
    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), model, image));
    QCOMPARE(driver.prompter.texts(), QStringList{message});
    QCOMPARE(driver.edit("edType")->text(), model);
    QVERIFY(!driver.button("bntUpdate")->isEnabled());
    // Even pressed by other means, nothing reaches the instrument.
    driver.dialog.slotUpdate();
    QCOMPARE(driver.prompter.texts().size(), 2);
    QCOMPARE(driver.prompter.texts().last(), message);
    QVERIFY(!driver.dialog.updateThread().isRunning());
    QCOMPARE(instrument.sim()->requestCount(), 0);
}

void TestUpdateDialog::updatePressedOnBadPath_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("file dialog cancelled") << "cancel" << "请选择文件!";
    QTest::newRow("deleted after selection") << "delete" << "更新失败,文件不存在或拒绝访问!";
    QTest::newRow("damaged after selection") << "damage" << "解析文件失败,文件操作失败!";
}

void TestUpdateDialog::updatePressedOnBadPath()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    WorkDir dir;
    UpdateDialogDriver driver;
    const QString path = UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), Image);
    driver.selectPackage(path);
    QVERIFY(driver.button("bntUpdate")->isEnabled());
    if (damage == QLatin1String("cancel")) {
        driver.selectPackage(QString());
        QVERIFY(driver.edit("edFilePath")->text().isEmpty());
        QVERIFY(driver.edit("edDevice")->text().isEmpty());
        QVERIFY(driver.edit("edType")->text().isEmpty());
        QVERIFY(driver.edit("edVersion")->text().isEmpty());
        QVERIFY(!driver.button("bntUpdate")->isEnabled());
    } else if (damage == QLatin1String("delete")) {
        QVERIFY(QFile::remove(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("no longer a package");
    }
    driver.dialog.slotUpdate();
    QCOMPARE(driver.prompter.texts(), QStringList{message});
    QCOMPARE(driver.prompter.shown.last().title, QStringLiteral("更新固件"));
    QVERIFY(!driver.dialog.updateThread().isRunning());
}

void TestUpdateDialog::noWayOutDuringTransfer()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(QStringLiteral("ZQ-100"));
    instrument.useUdp();
    // The first page is answered late, so the transfer is surely running when the operator leaves.
    instrument.sim()->addFault({InstrumentSimulator::DelayReply, InstrumentSimulator::WritePage, 1, 150});
    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), Image));

    bool tried = false;
    QObject::connect(&driver.dialog.updateThread(), &UpdateThread::signalUpdateProgress, &driver.dialog, [&] {
        if (tried)
            return;
        tried = true;
        QTest::keyClick(&driver.dialog, Qt::Key_Escape);
        driver.dialog.close();
        driver.dialog.reject();
    });
    QVERIFY(driver.update());
    QVERIFY(tried);
    const QString refused = QStringLiteral("正在更新固件,请等待更新完成!");
    QCOMPARE(driver.prompter.texts(), (QStringList{refused, refused, refused, QStringLiteral("固件更新成功!")}));
    QVERIFY(driver.dialog.isVisible());
    QCOMPARE(instrument.sim()->receivedImage(), Image);
    // Once the transfer is over, Escape closes as usual.
    QTest::keyClick(&driver.dialog, Qt::Key_Escape);
    QVERIFY(!driver.dialog.isVisible());
}

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
