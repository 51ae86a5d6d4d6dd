#include "setup/ui/setupdialog.h"

#include "prompt/prompter.h"
#include "link/hostaddress.h"
#include "settings/config.h"
#include "settings/linksettings.h"
#include "settings/settingkeys.h"
#include "setup/ui/searchdevicedialog.h"
#include "ui_setupdialog.h"

#include <QHostAddress>
#include <QMessageBox>
#include <QRegExpValidator>
#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>

namespace {

void addNumbers(QComboBox* combo, std::initializer_list<int> values)
{
    for (int value : values)
        combo->addItem(QString::number(value), value);
}

void selectData(QComboBox* combo, int value)
{
    combo->setCurrentIndex(combo->findData(value));
}

}

SetupDialog::SetupDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      form(new Ui::SetupDialog)
{
    form->setupUi(this);

    // The open list shows fifteen addresses at a time and scrolls: the form's style sheet keeps
    // styles that would open it over the whole screen around the current entry from doing so.
    for (int address = 1; address <= 255; ++address)
        form->cmbDeviceAddress->addItem(QString::number(address), address);
    addNumbers(form->baudrate, {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200});
    addNumbers(form->databit, {5, 6, 7, 8});
    // Qt's serial enumeration values, so they go straight to the port. The source names are the
    // form's own; English and Traditional Chinese windows show them in their language.
    form->parity->addItem(tr("None"), 0);
    form->parity->addItem(tr("Even"), 2);
    form->parity->addItem(tr("Odd"), 3);
    form->parity->addItem(tr("Space"), 4);
    form->parity->addItem(tr("Mark"), 5);
    form->stopbit->addItem(QStringLiteral("1"), 1);
    form->stopbit->addItem(QStringLiteral("2"), 2);
    form->stopbit->addItem(QStringLiteral("1.5"), 3);

    form->baudrate->lineEdit()->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[1-9]\\d*")), this));
    form->edUdpPort->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("\\d{0,5}")), this));

    connect(form->ok, SIGNAL(clicked()), this, SLOT(saveConfig()));
    connect(form->cancel, SIGNAL(clicked()), this, SLOT(reject()));
    connect(form->bntSearch, SIGNAL(clicked()), this, SLOT(searchDialog()));
    // One transport at a time: an unchecked group box disables its fields.
    connect(form->gbSerial, &QGroupBox::toggled, this, [this](bool on) { form->gbUdp->setChecked(!on); });
    connect(form->gbUdp, &QGroupBox::toggled, this, [this](bool on) { form->gbSerial->setChecked(!on); });

    loadConfig();
    form->ckDTR->hide();
}

SetupDialog::~SetupDialog()
{
    delete form;
}

QStringList SetupDialog::sortPortNames(const QStringList& names)
{
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    sorted.removeAll(QString());
    return sorted;
}

const char* SetupDialog::udpRefusal(const LinkSettings::Problem& problem)
{
    if (problem.key == Settings::UdpAddress.path)
        return problem.kind == LinkSettings::Problem::Missing ? QT_TR_NOOP("请输入UDP地址")
                                                              : QT_TR_NOOP("UDP地址无效, 请输入 IPv4 或 IPv6 地址");
    if (problem.kind == LinkSettings::Problem::Missing)
        return QT_TR_NOOP("请输入UDP端口");
    // The link takes the port as 16 bits: 70000 would quietly become 4464, another program's port.
    if (problem.kind == LinkSettings::Problem::OutOfRange && problem.value.toULongLong() > 65535)
        return QT_TR_NOOP("UDP端口不能大于65535");
    return QT_TR_NOOP("UDP端口必须是 1 到 65535 之间的数字");
}

void SetupDialog::loadConfig()
{
    Config config;
    const quint8 address = quint8(config.value(Settings::DeviceAddress).toInt());
    const QVariant storedPort = config.value(Settings::SerialPort);
    const int baudRate = config.value(Settings::SerialBaudRate).toInt();
    const int dataBits = config.value(Settings::SerialDataBits).toInt();
    const int parity = config.value(Settings::SerialParity).toInt();
    const int stopBits = config.value(Settings::SerialStopBits).toInt();

    // A stored port stays listed while it is unplugged, so saving does not silently change it.
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(info.portName());
    if (storedPort.isValid())
        ports.append(storedPort.toString());
    form->port->clear();
    form->port->addItems(sortPortNames(ports));

    selectData(form->cmbDeviceAddress, address);
    if (form->port->count() == 0)
        form->port->addItem(QString());
    form->port->setCurrentIndex(form->port->findText(storedPort.toString(), Qt::MatchExactly));
    // A stored rate that is no number shows as an empty field, not as 0.
    form->baudrate->setEditText(baudRate > 0 ? QString::number(baudRate) : QString());
    selectData(form->databit, dataBits);
    selectData(form->parity, parity);
    selectData(form->stopbit, stopBits);

    form->edUdpAddress->setText(config.value(Settings::UdpAddress).toString());
    form->edUdpPort->setText(config.value(Settings::UdpPort).toString());
    form->ckRTS->setChecked(config.value(Settings::SerialSendRts).toBool());
    form->ckDTR->setChecked(config.value(Settings::SerialSendDtr).toBool());

    const bool udp = config.value(Settings::UseUdp).toLongLong() != 0;
    form->gbUdp->setChecked(udp);
    form->gbSerial->setChecked(!udp);
}

void SetupDialog::saveConfig()
{
    // Everything is checked before anything is saved, so a refusal followed by Cancel changes nothing.
    LinkSettings link = LinkSettings::load();
    // A list without a selection (the stored value matches no entry) keeps the stored value.
    if (form->cmbDeviceAddress->currentIndex() >= 0)
        link.deviceAddress = form->cmbDeviceAddress->currentData().toInt();

    // The fields the operator fills in pass the link's own check, each refusal in the dialog's words.
    LinkSettings typed;
    if (form->gbSerial->isChecked()) {
        // The port list is editable: a port the system does not list can be typed in.
        typed.serialPort = form->port->currentText().trimmed();
        if (typed.serialPort.isEmpty()) {
            showMessage(QT_TR_NOOP("请选择串口!"));
            return;
        }
        const QString baudText = form->baudrate->currentText();
        if (baudText.isEmpty()) {
            showMessage(QT_TR_NOOP("请选择波特率!"));
            return;
        }
        // The field takes any number of digits; one that does not fit would be stored as 0.
        bool baudOk = false;
        typed.baudRate = baudText.toInt(&baudOk);
        if (!baudOk)
            typed.unreadable.insert(Settings::SerialBaudRate.path, baudText);
        const LinkSettings::Problem problem = typed.validate();
        if (!problem.ok()) {
            showMessage(problem.key == Settings::SerialPort.path ? QT_TR_NOOP("请选择串口!") : QT_TR_NOOP("波特率超出范围!"));
            return;
        }
        link.useUdp = false;
        link.serialPort = typed.serialPort;
        link.baudRate = typed.baudRate;
        if (form->databit->currentIndex() >= 0)
            link.dataBits = form->databit->currentData().toInt();
        if (form->parity->currentIndex() >= 0)
            link.parity = form->parity->currentData().toInt();
        if (form->stopbit->currentIndex() >= 0)
            link.stopBits = form->stopbit->currentData().toInt();
        link.sendRts = form->ckRTS->isChecked();
        link.sendDtr = form->ckDTR->isChecked();
    } else {
        typed.useUdp = true;
        typed.udpAddress = form->edUdpAddress->text();
        typed.udpPort = form->edUdpPort->text();
        const LinkSettings::Problem problem = typed.validate();
        if (!problem.ok()) {
            showMessage(udpRefusal(problem));
            return;
        }
        link.useUdp = true;
        link.udpAddress = typed.udpAddress;
        link.udpPort = typed.udpPort;
    }
    link.save();
    accept();
}

void SetupDialog::searchDialog()
{
    SearchDeviceDialog dialog(this);
    connect(&dialog, &SearchDeviceDialog::signalSearchEnded, this, &SetupDialog::signalSearchEnded);
    if (Prompter::current().exec(dialog) != QDialog::Accepted)
        return;
    form->edUdpAddress->setText(plainAddress(dialog.selectedAddress).toString());
    form->edUdpPort->setText(QString::number(dialog.selectedPort));
}

void SetupDialog::showMessage(const char* text)
{
    QMessageBox box(QMessageBox::Critical, windowTitle(), tr(text), QMessageBox::Ok, this);
    Prompter::current().exec(box);
}
