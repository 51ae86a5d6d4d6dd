// Labels: net gui
#include "link/texts/linktexts.h"
#include "settings/config.h"
#include "settings/translationfiles.h"
#include "link/linkchannel.h"
#include "setup/ui/searchdevicedialog.h"
#include "setup/searchtargets.h"
#include "setup/ui/setupdialog.h"
#include "tests/support/ui/scriptedprompter.h"
#include "tests/support/simfixture.h"
#include "tests/support/workdir.h"
#include "ui_setupdialog.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTranslator>

namespace {

QVariant stored(const char* key)
{
    return Config().value(QLatin1String(key));
}

const QMap<QString, QVariant> serialKeys{
    {"serial/port", "ttyS7"},   {"serial/baudrate", 19200}, {"serial/databits", 7}, {"serial/parity", 3},
    {"serial/stopbits", 3},     {"serial/send_rts", true},  {"serial/send_dtr", true}};
const QMap<QString, QVariant> udpKeys{{"udp/address", "192.0.2.7"}, {"udp/port", "4001"}};

}

class TestSetupDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void loadsDefaults();
    void loadsStoredSerial();
    void savesSerialOnly();
    void savesUdpOnly();
    void refusals_data();
    void refusals();
    void portOrder_data();
    void portOrder();
    void validators_data();
    void validators();
    void groupBoxesExcludeEachOther();
    void searchFillsTheUdpFields();
    void rejectedSearchChangesNothing();
    void unmatchedStoredValuesAreKept_data();
    void unmatchedStoredValuesAreKept();
    void typedPortIsKept_data();
    void typedPortIsKept();
    void addressListShowsFifteenRows();
    void widthDoesNotFollowThePortName();
    void parityInTheChosenLanguage_data();
    void parityInTheChosenLanguage();
};

void TestSetupDialog::initTestCase()
{
    // No test may send the search probe to the machine's real broadcast addresses.
    SearchTargets silent;
    silent.destinations = {QHostAddress(QStringLiteral("127.0.0.9"))};
    silent.probePort = 9;
    silent.replyWindowMs = 200;
    SearchTargets::install(&silent);
}

void TestSetupDialog::loadsDefaults()
{
    WorkDir dir;
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    QCOMPARE(form->cmbDeviceAddress->count(), 255);
    QCOMPARE(form->cmbDeviceAddress->currentData().toInt(), 255);
    QCOMPARE(form->baudrate->currentText(), QStringLiteral("9600"));
    QCOMPARE(form->databit->currentData().toInt(), 8);
    QCOMPARE(form->parity->currentData().toInt(), 0);
    QCOMPARE(form->stopbit->currentData().toInt(), 1);
    // No stored port: nothing is chosen, whatever the machine has.
    QVERIFY(form->port->currentText().isEmpty());
    QVERIFY(form->gbSerial->isChecked());
    QVERIFY(!form->bntSearch->isEnabled());
    QVERIFY(form->ckDTR->isHidden());
}

void TestSetupDialog::loadsStoredSerial()
{
    WorkDir dir;
    // A port that is not plugged in now stays listed and chosen; a rate outside the list shows as typed.
    QMap<QString, QVariant> keys = serialKeys;
    keys.insert("serial/port", "COM7");
    keys.insert("serial/baudrate", 14400);
    keys.insert("device/address", 17);
    dir.writeConfig(keys);
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    QVERIFY(form->port->findText("COM7") >= 0);
    QCOMPARE(form->port->currentText(), QStringLiteral("COM7"));
    QCOMPARE(form->baudrate->currentText(), QStringLiteral("14400"));
    QCOMPARE(form->databit->currentText(), QStringLiteral("7"));
    QCOMPARE(form->parity->currentText(), QStringLiteral("Odd"));
    QCOMPARE(form->stopbit->currentText(), QStringLiteral("1.5"));
    QVERIFY(form->ckRTS->isChecked());
    QVERIFY(form->ckDTR->isChecked());
    QCOMPARE(form->cmbDeviceAddress->currentText(), QStringLiteral("17"));
    QVERIFY(form->gbSerial->isChecked());
}

void TestSetupDialog::savesSerialOnly()
{
    WorkDir dir;
    QMap<QString, QVariant> keys = udpKeys;
    keys.insert("serial/port", "COM3");
    keys.insert("communicate/udp", 1);
    dir.writeConfig(keys);
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    form->gbSerial->setChecked(true);
    form->port->setCurrentIndex(form->port->findText("COM3"));
    form->baudrate->setEditText("14400");
    form->databit->setCurrentText("6");
    form->parity->setCurrentText("Mark");
    form->stopbit->setCurrentText("2");
    form->ckRTS->setChecked(true);
    form->cmbDeviceAddress->setCurrentText("3");
    form->ok->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QSettings file(dir.filePath("config.ini"), QSettings::IniFormat);
    QCOMPARE(file.value("serial/port").toString(), QStringLiteral("COM3"));
    QCOMPARE(file.value("serial/baudrate").toInt(), 14400);
    QCOMPARE(file.value("serial/databits").toInt(), 6);
    QCOMPARE(file.value("serial/parity").toInt(), 5);
    QCOMPARE(file.value("serial/stopbits").toInt(), 2);
    QCOMPARE(file.value("serial/send_rts").toBool(), true);
    QCOMPARE(file.value("serial/send_dtr").toBool(), false);
    QCOMPARE(file.value("communicate/udp").toInt(), 0);
    QCOMPARE(file.value("device/address").toInt(), 3);
    // The UDP peer stays for the next switch back.
    QCOMPARE(file.value("udp/address").toString(), QStringLiteral("192.0.2.7"));
    QCOMPARE(file.value("udp/port").toString(), QStringLiteral("4001"));
}

void TestSetupDialog::savesUdpOnly()
{
    WorkDir dir;
    dir.writeConfig(serialKeys);
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    form->gbUdp->setChecked(true);
    form->edUdpAddress->setText("127.0.0.1");
    form->edUdpPort->setText("65535");
    form->cmbDeviceAddress->setCurrentText("200");
    form->ok->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QSettings file(dir.filePath("config.ini"), QSettings::IniFormat);
    QCOMPARE(file.value("udp/address").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(file.value("udp/port").toString(), QStringLiteral("65535"));
    QCOMPARE(file.value("communicate/udp").toInt(), 1);
    QCOMPARE(file.value("device/address").toInt(), 200);
    for (auto it = serialKeys.cbegin(); it != serialKeys.cend(); ++it)
        QCOMPARE(file.value(it.key()).toString(), it.value().toString());
}

void TestSetupDialog::refusals_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<QString>("field");   // the field the operator leaves wrong
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("no serial port") << false << "port" << "" << "请选择串口!";
    QTest::newRow("no baud rate") << false << "baudrate" << "" << "请选择波特率!";
    QTest::newRow("baud rate too large") << false << "baudrate" << "99999999999" << "波特率超出范围!";
    QTest::newRow("no udp address") << true << "edUdpAddress" << "" << "请输入UDP地址";
    QTest::newRow("no udp port") << true << "edUdpPort" << "" << "请输入UDP端口";
    QTest::newRow("udp port above 65535") << true << "edUdpPort" << "70000" << "UDP端口不能大于65535";
    QTest::newRow("udp port 0") << true << "edUdpPort" << "0" << "UDP端口必须是 1 到 65535 之间的数字";
    QTest::newRow("udp port -5") << true << "edUdpPort" << "-5" << "UDP端口必须是 1 到 65535 之间的数字";
    QTest::newRow("udp port abc") << true << "edUdpPort" << "abc" << "UDP端口必须是 1 到 65535 之间的数字";
    QTest::newRow("udp address not an address") << true << "edUdpAddress" << "zq.invalid"
                                                << "UDP地址无效, 请输入 IPv4 或 IPv6 地址";
    QTest::newRow("udp address with a port") << true << "edUdpAddress" << "127.0.0.1:4001"
                                             << "UDP地址无效, 请输入 IPv4 或 IPv6 地址";
}

void TestSetupDialog::refusals()
{
    QFETCH(bool, udp);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    WorkDir dir;
    dir.writeConfig({{"serial/port", "COM1"}, {"udp/address", "127.0.0.1"}, {"udp/port", "4001"},
                     {"communicate/udp", udp ? 0 : 1}});
    ScriptedPrompter prompter;
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    (udp ? form->gbUdp : form->gbSerial)->setChecked(true);
    form->port->setCurrentIndex(form->port->findText("COM1"));
    if (field == "port")
        form->port->setCurrentIndex(-1);
    else if (field == "baudrate")
        form->baudrate->setEditText(value);
    else if (field == "edUdpAddress")
        form->edUdpAddress->setText(value);
    else
        form->edUdpPort->setText(value);
    form->cmbDeviceAddress->setCurrentText("42");
    form->ok->click();

    QCOMPARE(prompter.texts(), QStringList{message});
    QCOMPARE(prompter.shown.first().title, QStringLiteral("串口设置"));
    QCOMPARE(dialog.result(), 0);
    // The entries stay for the operator to correct; cancelling changes nothing at all.
    const QString left = field == "port" ? form->port->currentText()
                         : field == "baudrate" ? form->baudrate->currentText()
                         : field == "edUdpAddress" ? form->edUdpAddress->text()
                                                   : form->edUdpPort->text();
    QCOMPARE(left, value);
    form->cancel->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QSettings file(dir.filePath("config.ini"), QSettings::IniFormat);
    QVERIFY(!file.contains("device/address"));
    QCOMPARE(file.value("communicate/udp").toInt(), udp ? 0 : 1);
    QCOMPARE(file.value("udp/port").toString(), QStringLiteral("4001"));
    QVERIFY(!file.contains("serial/baudrate"));
}

void TestSetupDialog::portOrder_data()
{
    QTest::addColumn<QStringList>("reported");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("length before text") << QStringList{"COM10", "COM2", "COM1"} << QStringList{"COM1", "COM2", "COM10"};
    QTest::newRow("duplicates and empty") << QStringList{"COM3", "", "COM3", "COM1"} << QStringList{"COM1", "COM3"};
    QTest::newRow("unix names") << QStringList{"ttyUSB0", "ttyS10", "ttyS2", "ttyACM0"}
                                << QStringList{"ttyS2", "ttyS10", "ttyACM0", "ttyUSB0"};
    QTest::newRow("none") << QStringList{} << QStringList{};
}

void TestSetupDialog::portOrder()
{
    QFETCH(QStringList, reported);
    QFETCH(QStringList, listed);
    QCOMPARE(SetupDialog::sortPortNames(reported), listed);
}

void TestSetupDialog::validators_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("baud 14400") << "baudrate" << "14400" << true;
    QTest::newRow("baud 0") << "baudrate" << "0" << false;
    QTest::newRow("baud leading zero") << "baudrate" << "09600" << false;
    QTest::newRow("baud letters") << "baudrate" << "96k" << false;
    QTest::newRow("port five digits") << "edUdpPort" << "70000" << true;
    QTest::newRow("port six digits") << "edUdpPort" << "123456" << false;
    QTest::newRow("port sign") << "edUdpPort" << "-1" << false;
}

void TestSetupDialog::validators()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    WorkDir dir;
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    form->gbUdp->setChecked(field == "edUdpPort");
    QLineEdit* edit = field == "baudrate" ? form->baudrate->lineEdit() : form->edUdpPort;
    // Typed as the operator types: what the validator refuses never reaches the field.
    edit->clear();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text() == text, accepted);
}

void TestSetupDialog::groupBoxesExcludeEachOther()
{
    WorkDir dir;
    QMap<QString, QVariant> keys = udpKeys;
    keys.insert("communicate/udp", 1);
    dir.writeConfig(keys);
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    QVERIFY(form->gbUdp->isChecked() && !form->gbSerial->isChecked());
    QCOMPARE(form->edUdpAddress->text(), QStringLiteral("192.0.2.7"));
    QCOMPARE(form->edUdpPort->text(), QStringLiteral("4001"));
    QVERIFY(form->bntSearch->isEnabled() && !form->baudrate->isEnabled());
    form->gbSerial->setChecked(true);
    QVERIFY(!form->gbUdp->isChecked());
    QVERIFY(!form->bntSearch->isEnabled() && form->baudrate->isEnabled());
    QVERIFY(form->cmbDeviceAddress->isEnabled());
    form->gbSerial->setChecked(false);
    QVERIFY(form->gbUdp->isChecked());
}

void TestSetupDialog::searchFillsTheUdpFields()
{
    WorkDir dir;
    dir.writeConfig({{"communicate/udp", 1}, {"udp/address", "192.0.2.7"}, {"udp/port", "4001"}});
    SimFixture instrument(false);
    QVERIFY(instrument.isReady());
    QVERIFY(instrument.simulatorHost().listenProbe(QHostAddress(QStringLiteral("127.0.0.1")), 0, "ZQ-100"));
    SearchTargets targets;
    targets.destinations = {QHostAddress(QStringLiteral("127.0.0.1"))};
    targets.probePort = instrument.sim()->probePort();
    targets.replyWindowMs = 300;
    SearchTargets::install(&targets);

    ScriptedPrompter prompter;
    bool found = false;
    prompter.answerNext([&](QDialog& shown) {
        auto& search = static_cast<SearchDeviceDialog&>(shown);
        search.findChild<QPushButton*>("bntSearch")->click();
        auto* lines = search.findChild<QListWidget*>("listWidget");
        found = QTest::qWaitFor([&] { return !search.searchThread().isRunning() && lines->isEnabled(); }, 20000)
                && lines->count() == 1
                && lines->item(0)->text()
                       == QStringLiteral("ZQ-100    地址 127.0.0.1    端口 %1").arg(instrument.udpPort());
        if (found)
            lines->setCurrentRow(0);
        search.findChild<QPushButton*>("bntOk")->click();
        return search.result();
    });
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    form->bntSearch->click();
    SearchTargets::install(nullptr);
    initTestCase();

    QVERIFY(found);
    QCOMPARE(prompter.shown.first().className, QStringLiteral("SearchDeviceDialog"));
    QCOMPARE(form->edUdpAddress->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(form->edUdpPort->text(), QString::number(instrument.udpPort()));
    // Nothing is stored before OK.
    QCOMPARE(stored("udp/port").toString(), QStringLiteral("4001"));
    form->ok->click();
    QCOMPARE(stored("udp/address").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(stored("udp/port").toString(), QString::number(instrument.udpPort()));
    // The next operation reaches the instrument that was found.
    LinkChannel channel;
    QVERIFY2(channel.openFromSettings(), qPrintable(linkOpenFailureText(channel.openFailure())));
    QByteArray reply;
    QCOMPARE(channel.readItem(0, reply, 3000), int(ExchangeOk));
    QCOMPARE(errorMessage(ExchangeOk, reply), QString());
}

void TestSetupDialog::rejectedSearchChangesNothing()
{
    WorkDir dir;
    dir.writeConfig({{"communicate/udp", 1}, {"udp/address", "192.0.2.7"}, {"udp/port", "4001"}});
    ScriptedPrompter prompter;
    SetupDialog dialog;
    dialog.ui()->bntSearch->click();
    QCOMPARE(prompter.shown.size(), 1);
    QCOMPARE(dialog.ui()->edUdpAddress->text(), QStringLiteral("192.0.2.7"));
    QCOMPARE(dialog.ui()->edUdpPort->text(), QStringLiteral("4001"));
}

void TestSetupDialog::unmatchedStoredValuesAreKept_data()
{
    QTest::addColumn<bool>("udp");
    QTest::newRow("serial saved") << false;
    QTest::newRow("udp saved") << true;
}

// Stored values that no list entry matches leave the lists without a selection; OK then keeps
// them as they stand instead of writing 0.
void TestSetupDialog::unmatchedStoredValuesAreKept()
{
    QFETCH(bool, udp);
    WorkDir dir;
    dir.writeConfig({{"device/address", "abc"}, {"serial/port", "COM1"}, {"serial/baudrate", "abc"},
                     {"serial/databits", 99}, {"serial/parity", 1}, {"serial/stopbits", 9},
                     {"udp/address", "127.0.0.1"}, {"udp/port", "4001"}, {"communicate/udp", udp ? 1 : 0}});
    ScriptedPrompter prompter;
    SetupDialog dialog;
    Ui::SetupDialog* form = dialog.ui();
    QCOMPARE(form->cmbDeviceAddress->currentIndex(), -1);
    QCOMPARE(form->databit->currentIndex(), -1);
    QCOMPARE(form->baudrate->currentText(), QString());
    if (!udp) {
        form->ok->click(); // a rate that is no number must be chosen, not saved as 0
        QCOMPARE(prompter.texts(), QStringList{"请选择波特率!"});
        form->baudrate->setEditText("4800");
    }
    form->ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QSettings file(dir.filePath("config.ini"), QSettings::IniFormat);
    QCOMPARE(file.value("device/address").toString(), QStringLiteral("abc"));
    QCOMPARE(file.value("serial/databits").toString(), QStringLiteral("99"));
    QCOMPARE(file.value("serial/parity").toString(), QStringLiteral("1"));
    QCOMPARE(file.value("serial/stopbits").toString(), QStringLiteral("9"));
    QCOMPARE(file.value("serial/baudrate").toString(), udp ? QStringLiteral("abc") : QStringLiteral("4800"));
    QCOMPARE(file.value("communicate/udp").toInt(), udp ? 1 : 0);
}

void TestSetupDialog::typedPortIsKept_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a port the system does not list") << "ttyZQ9" << "ttyZQ9";
    QTest::newRow("a Windows name") << "COM12" << "COM12";
    QTest::newRow("a path") << "/dev/serial/by-id/usb-ZQ_Adapter-if00" << "/dev/serial/by-id/usb-ZQ_Adapter-if00";
    QTest::newRow("blanks around it") << "  COM5 " << "COM5";
}

// The operator types a port into the list, saves, and finds it chosen the next time.
void TestSetupDialog::typedPortIsKept()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    WorkDir dir;
    {
        SetupDialog dialog;
        QLineEdit* edit = dialog.ui()->port->lineEdit();
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, typed);
        dialog.ui()->ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(QSettings(dir.filePath("config.ini"), QSettings::IniFormat).value("serial/port").toString(), stored);

    SetupDialog again;
    QCOMPARE(again.ui()->port->currentText(), stored);
    QCOMPARE(again.ui()->port->findText(stored), again.ui()->port->currentIndex());
}

void TestSetupDialog::addressListShowsFifteenRows()
{
    WorkDir dir;
    SetupDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QComboBox* addresses = dialog.ui()->cmbDeviceAddress;
    addresses->showPopup();
    QAbstractItemView* view = addresses->view();
    QVERIFY(QTest::qWaitFor([&] { return view->isVisible(); }, 5000));
    // Every address is still there; the open list shows fifteen of them and scrolls.
    QCOMPARE(addresses->count(), 255);
    const int rows = view->viewport()->height() / view->sizeHintForRow(0);
    QVERIFY2(rows >= 10 && rows <= 15, qPrintable(QString::number(rows)));
    addresses->hidePopup();
}

void TestSetupDialog::widthDoesNotFollowThePortName()
{
    QList<int> widths;
    for (const char* port : {"COM1", "/dev/serial/by-id/usb-ZQ_Serial_Adapter_0123456789ABCDEF-if00-port0"}) {
        WorkDir dir;
        dir.writeConfig({{"serial/port", port}});
        SetupDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.ui()->port->currentText(), QString::fromLatin1(port));
        widths << dialog.width();
    }
    QCOMPARE(widths.first(), widths.last());
}

void TestSetupDialog::parityInTheChosenLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("Simplified Chinese: the form's own") << "zh_CH" << QStringList{"None", "Even", "Odd", "Space", "Mark"};
    QTest::newRow("English") << "en_US" << QStringList{"None", "Even", "Odd", "Space", "Mark"};
    QTest::newRow("Traditional Chinese") << "zh_TW"
                                         << QStringList{"無", "偶同位", "奇同位", "空白", "標記"};
}

void TestSetupDialog::parityInTheChosenLanguage()
{
    QFETCH(QString, code);
    QFETCH(QStringList, names);
    WorkDir dir;
    dir.copyTranslations();
    QTranslator translator;
    QVERIFY(translator.load(translationFile(code)));
    QCoreApplication::installTranslator(&translator);
    SetupDialog dialog;
    QCoreApplication::removeTranslator(&translator);
    QStringList shown;
    for (int i = 0; i < dialog.ui()->parity->count(); ++i)
        shown << dialog.ui()->parity->itemText(i);
    QCOMPARE(shown, names);
    // The stored values stay Qt's parity numbers whatever the names.
    QCOMPARE(dialog.ui()->parity->itemData(2).toInt(), 3);
}

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
