// Labels: net pty gui
// Runs apart: transferFailures
// Runs apart: closeRightAfterRefusal
// Runs apart: stagesInOrder
#include "firmware/ui/updatedialog.h"
#include "link/devicerequests.h"
#include "link/frames.h"
#include "tests/support/simfixture.h"
#include "tests/support/ui/languageprobe.h"
#include "tests/support/ui/updatedialogdriver.h"
#include "tests/support/workdir.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <atomic>
#include <memory>

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
    void stagesInOrder_data();
    void stagesInOrder();
    void closeRightAfterRefusal();
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
    QCOMPARE(FirmwareTransfer::modelMatches(model, reply), matches);
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
    QCOMPARE(FirmwareTransfer::isAcknowledged(reply, expected, eraseStep), acknowledged);
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
    // Each failure's box, over UDP; how each step fails over either kind of line is the transfer's
    // own test (on the instrument in memory). Over the pty, a failure before and after the erase.
    QTest::newRow("udp: no identity twice") << true << int(InstrumentSimulator::ReadDeviceId)
        << int(InstrumentSimulator::NoReply) << 2 << "ZQ-100" << "固件更新失败,获取设备ID失败!" << 2;
    QTest::newRow("udp: other model") << true << none << 0 << 0 << "ZQ-200"
        << "固件更新失败,BIN文件与设备型号不一致!\n固件包的型号: ZQ-100, 仪器的型号: ZQ-200" << 2;
    QTest::newRow("udp: model with a pattern character") << true << none << 0 << 0 << "ZQ.100"
        << "固件更新失败,BIN文件与设备型号不一致!\n固件包的型号: ZQ-100, 仪器的型号: ZQ.100" << 2;
    QTest::newRow("udp: erase unanswered") << true << int(InstrumentSimulator::EraseFlash)
        << int(InstrumentSimulator::NoReply) << 1 << "ZQ-100" << "固件更新失败,擦除设备内存失败!" << 0;
    for (const bool udp : {true, false}) {
        const char* via = udp ? "udp" : "pty";
        QTest::addRow("%s: third page unanswered", via) << udp << int(InstrumentSimulator::WritePage)
            << int(InstrumentSimulator::NoReply) << -1 << "ZQ-100" << "固件更新失败,发送文件数据失败!" << 0;
    }
    QTest::newRow("udp: page with another code") << true << int(InstrumentSimulator::WritePage)
        << int(InstrumentSimulator::OtherCommand) << 1 << "ZQ-100" << "固件更新失败,发送文件数据失败!" << 0;
    QTest::newRow("pty: no identity twice") << false << int(InstrumentSimulator::ReadDeviceId)
        << int(InstrumentSimulator::NoReply) << 2 << "ZQ-100" << "固件更新失败,获取设备ID失败!" << 2;
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
    QTest::newRow("damaged after selection") << "damage" << "解析文件失败,打开文件失败,请检查文件类型!";
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

void TestUpdateDialog::stagesInOrder_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("simModel");
    QTest::addColumn<int>("eraseFault");
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<QString>("shownModel");
    const QString identify = QStringLiteral("第 1/4 步: 识别仪器");
    const QString erase = QStringLiteral("第 2/4 步: 擦除仪器内存");
    const QString page = QStringLiteral("第 3/4 步: 写入第 %1 / 3 页");
    // The driver's exchanges wait 250 ms, so two EndUpdate requests take at most 1 s.
    const QString finish = QStringLiteral("第 4/4 步: 结束更新, 等待仪器重启 (最多 1 秒)");
    const QStringList whole{identify, erase, page.arg(1), page.arg(2), page.arg(3), finish};
    for (const char* language : {"zh_CH", "en_US", "zh_TW"})
        QTest::addRow("whole update, %s", language) << language << "ZQ-100" << -1 << whole << "ZQ-100";
    // A refusal takes the instrument out of update mode without the countdown of a finished transfer.
    QTest::newRow("other model") << "zh_CH" << "ZQ-300" << -1 << QStringList{identify} << "ZQ-300";
    QTest::newRow("erase unanswered") << "zh_CH" << "ZQ-100" << int(InstrumentSimulator::NoReply)
                                      << QStringList{identify, erase} << "ZQ-100";
}

// The dialog names each stage as it begins, and the model the instrument gave beside the package's.
void TestUpdateDialog::stagesInOrder()
{
    QFETCH(QString, language);
    QFETCH(QString, simModel);
    QFETCH(int, eraseFault);
    QFETCH(QStringList, stages);
    QFETCH(QString, shownModel);
    WorkDir dir;
    dir.copyTranslations();
    QTranslator translator;
    QVERIFY(translator.load(language, dir.path()));
    QCoreApplication::installTranslator(&translator);
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(simModel);
    instrument.useUdp();
    if (eraseFault >= 0)
        instrument.sim()->addFault({InstrumentSimulator::FaultKind(eraseFault), InstrumentSimulator::EraseFlash, 1});
    UpdateDialogDriver driver;
    driver.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("fw.zqbin"), QStringLiteral("ZQ-100"), Image));
    // The package's fields are read-only, not disabled, so they stay readable.
    for (const char* field : {"edFilePath", "edDevice", "edType", "edVersion", "edDeviceModel"})
        QVERIFY(driver.edit(field)->isEnabled() && driver.edit(field)->isReadOnly());

    // Read from the dialog's own label each time it has taken a stage (queued after its own slot).
    auto* label = driver.dialog.findChild<QLabel*>(QStringLiteral("labStage"));
    QStringList seen;
    QObject::connect(&driver.dialog.updateThread(), &UpdateThread::signalStage, &driver.dialog, [&] {
        seen.append(label->text());
        saveScreenshot(&driver.dialog, QStringLiteral("%1-update-%2-stage%3").arg(language, simModel).arg(seen.size()));
    });
    QVERIFY(driver.update());
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(driver.edit("edDeviceModel")->text(), shownModel);
    if (language == QLatin1String("zh_CH")) {
        QCOMPARE(seen, stages);
        return;
    }
    // Translated: one text per stage, each other than the source and without a Chinese character
    // where the language has none.
    QCOMPARE(seen.size(), stages.size());
    for (int i = 0; i < seen.size(); ++i) {
        QVERIFY2(seen.at(i) != stages.at(i), qPrintable(seen.at(i)));
        if (language == QLatin1String("en_US"))
            QVERIFY2(!seen.at(i).contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))), qPrintable(seen.at(i)));
    }
}

// A refused update holds the dialog no longer than its message: the instrument is taken out of
// update mode in the background by the worker the main window lends, and the next update,
// even from a new dialog, waits for that to end.
void TestUpdateDialog::closeRightAfterRefusal()
{
    WorkDir dir;
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    instrument.sim()->setModel(QStringLiteral("ZQ-200"));
    instrument.useUdp();
    UpdateThread worker; // the main window's
    auto driver = std::make_unique<UpdateDialogDriver>(&worker);
    // A loader that restarts does not answer EndUpdate: the finish sequence takes its full time.
    worker.setExchangeTimeout(1500);
    driver->selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("a.zqbin"), QStringLiteral("ZQ-100"), Image));
    QTest::mouseClick(driver->button("bntUpdate"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return driver->prompter.texts().size() == 1; }, 5000));
    QVERIFY(driver->prompter.texts().first().contains(QStringLiteral("仪器的型号: ZQ-200")));
    QVERIFY(worker.isRunning());
    QVERIFY(driver->button("bntUpdate")->isEnabled());

    driver->dialog.close();
    QVERIFY(!driver->dialog.isVisible());
    QCOMPARE(driver->prompter.texts().size(), 1); // no "update in progress" refusal
    driver.reset();
    QVERIFY(worker.isRunning()); // the dialog went without waiting for it
    QCOMPARE(instrument.sim()->requestCount(InstrumentSimulator::EraseFlash), 0);

    // A new dialog's update waits until the instrument has left update mode, then runs.
    instrument.sim()->setModel(QStringLiteral("ZQ-100"));
    InstrumentSimulator* sim = instrument.sim();
    std::atomic<int> endsBeforeSecondRun{-1};
    QObject::connect(sim, &InstrumentSimulator::requestHandled, sim, [&](int handled) {
        if (handled == InstrumentSimulator::ReadDeviceId && sim->requestCount(InstrumentSimulator::ReadDeviceId) == 2)
            endsBeforeSecondRun = sim->endUpdateCount();
    }, Qt::DirectConnection);
    UpdateDialogDriver second(&worker);
    auto* label = second.dialog.findChild<QLabel*>(QStringLiteral("labStage"));
    QCOMPARE(label->text(), QStringLiteral("上一次更新正在结束, 请稍候"));
    second.selectPackage(UpdateDialogDriver::makePackage(QStringLiteral("b.zqbin"), QStringLiteral("ZQ-100"), Image));
    worker.setExchangeTimeout(250);
    QTest::mouseClick(second.button("bntUpdate"), Qt::LeftButton);
    if (worker.isRunning()) {
        QCOMPARE(label->text(), QStringLiteral("等待上一次更新结束"));
        QVERIFY(!second.button("bntUpdate")->isEnabled());
    }
    QVERIFY(QTest::qWaitFor([&] { return !second.prompter.texts().isEmpty(); }, 8000));
    QCOMPARE(second.prompter.texts(), QStringList{QStringLiteral("固件更新成功!")});
    QVERIFY(worker.wait(3000));
    // Both EndUpdate requests of the refused run reached the instrument before the new run began.
    QCOMPARE(endsBeforeSecondRun.load(), 2);
    QCOMPARE(instrument.sim()->endUpdateCount(), 4);
    QCOMPARE(instrument.sim()->receivedImage(), Image);
}

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
