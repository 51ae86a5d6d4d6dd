#include "setup/ui/searchdevicedialog.h"

#include "prompt/messageboxes.h"
#include "ui_searchdevicedialog.h"

#include <QListWidgetItem>

SearchDeviceDialog::SearchDeviceDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      form(new Ui::SearchDeviceDialog), thread(this)
{
    qRegisterMetaType<QHostAddress>("QHostAddress");
    form->setupUi(this);
    setFixedSize(size());

    connect(form->bntOk, SIGNAL(clicked()), this, SLOT(slotCommit()));
    connect(form->bntCancel, SIGNAL(clicked()), this, SLOT(reject()));
    connect(form->bntSearch, SIGNAL(clicked()), this, SLOT(slotSearchDevice()));
    connect(&thread, SIGNAL(signalSetEnableButtons(bool)), this, SLOT(slotSetEnableButtons(bool)));
    connect(&thread, SIGNAL(signalInsertDevice(const QString&, const QHostAddress&, quint16)), this,
            SLOT(slotInsertDevice(const QString&, const QHostAddress&, quint16)));
    connect(form->listWidget, SIGNAL(itemDoubleClicked(QListWidgetItem*)), this,
            SLOT(slotItemDoubleClicked(QListWidgetItem*)));
}

SearchDeviceDialog::~SearchDeviceDialog()
{
    thread.requestStop();
    thread.wait();
    delete form;
}

void SearchDeviceDialog::done(int result)
{
    // Escape still works while Cancel is disabled: it ends the search (within one poll) and then
    // the dialog, so an instrument that keeps answering cannot hold the operator here.
    thread.requestStop();
    thread.wait();
    QDialog::done(result);
}

void SearchDeviceDialog::slotCommit()
{
    if (!select(form->listWidget->currentItem()))
        showError(QT_TRANSLATE_NOOP("QObject", "请选择设备"), this);
}

void SearchDeviceDialog::slotSearchDevice()
{
    thread.search();
}

void SearchDeviceDialog::slotSetEnableButtons(bool enable)
{
    form->bntOk->setEnabled(enable);
    form->bntCancel->setEnabled(enable);
    form->listWidget->setEnabled(enable);
    form->bntSearch->setEnabled(enable);
    if (!enable) {
        devices.clear();
        form->listWidget->clear();
    }
}

void SearchDeviceDialog::slotInsertDevice(const QString& content, const QHostAddress& hostAddress, quint16 hostPort)
{
    auto* item = new QListWidgetItem(content);
    devices.insert(item, qMakePair(hostAddress, hostPort));
    form->listWidget->addItem(item);
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
