#include "setup/ui/searchdevicedialog.h"

#include "prompt/messageboxes.h"
#include "ui_searchdevicedialog.h"

#include <QListWidgetItem>
#include <QShowEvent>

SearchDeviceDialog::SearchDeviceDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      form(new Ui::SearchDeviceDialog)
{
    form->setupUi(this);
    setFixedSize(size());

    connect(form->bntOk, SIGNAL(clicked()), this, SLOT(slotCommit()));
    connect(form->bntCancel, SIGNAL(clicked()), this, SLOT(reject()));
    connect(form->bntSearch, SIGNAL(clicked()), this, SLOT(slotSearchDevice()));
    connect(form->listWidget, SIGNAL(itemDoubleClicked(QListWidgetItem*)), this,
            SLOT(slotItemDoubleClicked(QListWidgetItem*)));
    connect(form->listWidget, &QListWidget::itemSelectionChanged, this, &SearchDeviceDialog::updateOk);
    connect(form->listWidget, &QListWidget::currentItemChanged, this, &SearchDeviceDialog::updateOk);
    updateOk();
}

SearchDeviceDialog::~SearchDeviceDialog()
{
    thread.stopAndWait();
    delete form;
}

QString SearchDeviceDialog::deviceLine(const QString& name, const QHostAddress& address, quint16 port)
{
    // An instrument that answers with blanks only still gets a line that can be chosen.
    return tr("%1    地址 %2    端口 %3").arg(name, address.toString(), QString::number(port)).trimmed();
}

void SearchDeviceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!searchedOnce && !event->spontaneous()) {
        searchedOnce = true;
        slotSearchDevice();
    }
}

void SearchDeviceDialog::done(int result)
{
    // Cancel, Escape and OK end a running search (within one poll) and then the dialog, so an
    // instrument that keeps answering cannot hold the operator here.
    thread.stopAndWait();
    QDialog::done(result);
}

void SearchDeviceDialog::slotCommit()
{
    if (!select(form->listWidget->currentItem()))
        showError(QT_TRANSLATE_NOOP("QObject", "请选择设备"), this);
}

void SearchDeviceDialog::slotSearchDevice()
{
    searchedOnce = true;
    const SearchTargets targets = SearchTargets::current();
    // Each answer is posted to the dialog as it comes; the end follows the last of them.
    const bool started = thread.run(
        this,
        [this, targets](const StopToken& stop) {
            return searchDevices(targets, stop, [this](const FoundDevice& device) {
                postTo(this, [this, device] { slotInsertDevice(device.name, device.address, device.port); });
            });
        },
        [this](const SearchOutcome&) { searchEnded(); });
    if (started)
        showSearching();
}

void SearchDeviceDialog::showSearching()
{
    form->bntSearch->setEnabled(false);
    devices.clear();
    form->listWidget->clear();
    form->labStatus->setText(tr("正在查找设备..."));
    updateOk();
}

void SearchDeviceDialog::searchEnded()
{
    form->bntSearch->setEnabled(true);
    form->labStatus->setText(devices.isEmpty() ? tr("未找到设备") : tr("找到 %1 台设备").arg(devices.size()));
    updateOk();
    emit signalSearchEnded(devices.size());
}

void SearchDeviceDialog::slotInsertDevice(const QString& content, const QHostAddress& hostAddress, quint16 hostPort)
{
    auto* item = new QListWidgetItem(deviceLine(content, hostAddress, hostPort));
    devices.insert(item, qMakePair(hostAddress, hostPort));
    form->listWidget->addItem(item);
}

void SearchDeviceDialog::updateOk()
{
    QListWidgetItem* current = form->listWidget->currentItem();
    form->bntOk->setEnabled(current && current->isSelected() && devices.contains(current));
}

void SearchDeviceDialog::slotItemDoubleClicked(QListWidgetItem* item)
{
    if (!select(item))
        showError(QT_TRANSLATE_NOOP("QObject", "请选择设备"), this);
}

bool SearchDeviceDialog::select(QListWidgetItem* item)
{
    const auto found = devices.constFind(item);
    if (found == devices.constEnd())
        return false;
    selectedAddress = found->first;
    selectedPort = found->second;
    accept();
    return true;
}
