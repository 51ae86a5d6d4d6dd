#include "firmware/ui/updatedialog.h"

#include "firmware/ddbserver.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "settings/singleton.h"
#include "ui_updatedialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

UpdateDialog::UpdateDialog(QWidget* parent) : QDialog(parent), form(new Ui::UpdateDialog)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/image/update.png")));
    setFixedSize(size());

    connect(form->bntSelectFile, SIGNAL(clicked()), this, SLOT(slotSelectFile()));
    connect(form->bntUpdate, SIGNAL(clicked()), this, SLOT(slotUpdate()));
    connect(&updater, SIGNAL(started()), this, SLOT(soltStartUpdate()));
    connect(&updater, SIGNAL(finished()), this, SLOT(soltStopUpdate()));
    connect(&updater, SIGNAL(signalUpdateProgress(int)), this, SLOT(slotSetUpdateProgress(int)));
    connect(&updater, SIGNAL(signalUpdateSucceed()), this, SLOT(slotUpdateSucceed()));
    connect(&updater, SIGNAL(signalShowErrorMessage(const QString&)), this, SLOT(slotShowErrorMessage(const QString&)));
    connect(&catalogue, SIGNAL(started()), this, SLOT(slotStartRefreshFile()));
    connect(&catalogue, SIGNAL(finished()), this, SLOT(slotStopRefreshFile()));
    connect(&catalogue, SIGNAL(signalFinished()), this, SLOT(slotFinishedRefreshFile()));
    connect(&catalogue, SIGNAL(signalShowErrorMessage(const QString&)), this, SLOT(slotShowErrorMessage(const QString&)));
    connect(form->bntRefresh, &QPushButton::clicked, this, &UpdateDialog::refreshFileList);
    connect(form->bntSelectPath, SIGNAL(clicked()), this, SLOT(slotSelectPath()));
    connect(form->bntDownload, SIGNAL(clicked()), this, SLOT(slotStartDownloadThread()));
    connect(&downloader, SIGNAL(started()), this, SLOT(slotStartDownloadFile()));
    connect(&downloader, SIGNAL(finished()), this, SLOT(slotStopDownloadFile()));
    connect(&downloader, SIGNAL(signalSetDownloadProgress(int)), this, SLOT(slotSetDownloadProgress(int)));
    connect(&downloader, SIGNAL(signalDownloadSucceed()), this, SLOT(slotDownloadSucceed()));
    connect(&downloader, SIGNAL(signalShowErrorMessage(const QString&)), this, SLOT(slotShowErrorMessage(const QString&)));

    form->barUpdate->setRange(0, 100);
    form->barUpdate->setValue(0);
    form->barDownload->setRange(0, 100);
    form->barDownload->setValue(0);
    form->bntUpdate->setEnabled(false);
}

UpdateDialog::~UpdateDialog()
{
    // The workers end before the form goes: none is ever destroyed while it runs.
    stopDownloads();
    updater.wait();
    delete form;
}

QString UpdateDialog::filesDir()
{
    // A real folder on every platform, not a name with backslashes in it.
    return QStringLiteral(".") + QDir::separator() + QStringLiteral("Files") + QDir::separator();
}

void UpdateDialog::slotSelectFile()
{
    QDir().mkpath(filesDir());
    const QString path = Prompter::current().getOpenFileName(
        this, tr("更新固件"), QDir::toNativeSeparators(QDir::cleanPath(filesDir())), QStringLiteral("Files (*.zqbin)"));
    form->edFilePath->setText(path);
    form->edFilePath->setToolTip(path);

    DEncryptInfo info;
    info.filePath = path;
    if (!DDbServer().readPackage(info).isEmpty()) {
        form->edDevice->clear();
        form->edType->clear();
        form->edVersion->clear();
        form->bntUpdate->setEnabled(false);
        return;
    }
    form->edDevice->setText(info.device());
    form->edType->setText(info.model());
    form->edVersion->setText(info.version());
    const QString refused = UpdateThread::refusal(info);
    form->bntUpdate->setEnabled(refused.isEmpty());
    if (!refused.isEmpty())
        showError(refused, this);
}

void UpdateDialog::slotUpdate()
{
    if (updater.isRunning())
        return;
    const QString path = form->edFilePath->text();
    if (path.isEmpty()) {
        showError(tr("请选择文件!"), this);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        showError(tr("更新失败,文件不存在或拒绝访问!"), this);
        return;
    }
    DEncryptInfo info;
    info.filePath = path;
    QString error = DDbServer().readPackage(info);
    if (error.isEmpty())
        error = UpdateThread::refusal(info);
    if (!error.isEmpty()) {
        showError(error, this);
        return;
    }
    updater.setInfo(info);
    updater.start();
}

void UpdateDialog::soltStartUpdate()
{
    form->bntSelectFile->setEnabled(false);
    form->bntDownload->setEnabled(false);
    form->bntUpdate->setEnabled(false);
}

void UpdateDialog::soltStopUpdate()
{
    form->bntSelectFile->setEnabled(true);
    // A fetch or download that outlives the transfer keeps the download button off until it ends.
    form->bntDownload->setEnabled(!catalogue.isRunning() && !downloader.isRunning());
    form->bntUpdate->setEnabled(true);
}

void UpdateDialog::slotSetUpdateProgress(int value)
{
    form->barUpdate->setValue(value);
}

void UpdateDialog::slotUpdateSucceed()
{
    showInfo(tr("固件更新成功!"), this);
    form->barUpdate->setValue(0);
}

void UpdateDialog::refreshFileList()
{
    if (catalogue.isRunning())
        return;
    const QString address = singleton<Config>::instance()->value(Settings::FirmwarePage).toString().trimmed();
    if (address.isEmpty()) {
        showError(tr("未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!"), this);
        return;
    }
    const QUrl page(address, QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    if (!page.isValid() || page.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        showError(tr("固件下载页面地址无效: %1").arg(address), this);
        return;
    }
    catalogue.setPage(page);
    catalogue.startFetch();
}

void UpdateDialog::slotStartRefreshFile()
{
    form->cmbFileList->clear();
    setDownloadControlsEnabled(false);
}

void UpdateDialog::slotStopRefreshFile()
{
    setDownloadControlsEnabled(true);
}

void UpdateDialog::slotFinishedRefreshFile()
{
    const QMap<QString, QString> files = catalogue.fileList();
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        form->cmbFileList->addItem(QIcon(), it.key(), it.value());
}

void UpdateDialog::slotSelectPath()
{
    QDir().mkpath(filesDir());
    const QString folder = Prompter::current().getExistingDirectory(this, tr("下载文件"), filesDir());
    form->edDownloadDir->setText(folder);
}

void UpdateDialog::slotStartDownloadThread()
{
    if (downloader.isRunning())
        return;
    const QString link = form->cmbFileList->currentData().toString();
    const QString folder = form->edDownloadDir->text();
    if (link.isEmpty()) {
        showError(tr("请选择设备类型!"), this);
        return;
    }
    if (folder.isEmpty()) {
        showError(tr("请选择下载路径!"), this);
        return;
    }
    downloader.startDownload(link, folder);
}

void UpdateDialog::slotStartDownloadFile()
{
    setDownloadControlsEnabled(false);
}

void UpdateDialog::slotStopDownloadFile()
{
    setDownloadControlsEnabled(true);
}

void UpdateDialog::slotSetDownloadProgress(int value)
{
    form->barDownload->setValue(value);
}

void UpdateDialog::slotDownloadSucceed()
{
    showInfo(tr("文件下载成功!"), this);
    form->barDownload->setValue(0);
}

void UpdateDialog::slotShowErrorMessage(const QString& error)
{
    showError(error, this);
}

void UpdateDialog::setDownloadControlsEnabled(bool enable)
{
    form->bntSelectPath->setEnabled(enable);
    // A list refreshed during a transfer must not bring back the button the transfer took away.
    form->bntDownload->setEnabled(enable && !updater.isRunning());
    form->bntRefresh->setEnabled(enable);
    form->cmbFileList->setEnabled(enable);
}

bool UpdateDialog::refuseCloseDuringTransfer()
{
    // Leaving mid-transfer would abandon an instrument with half its flash written.
    if (!updater.isRunning())
        return false;
    showError(tr("正在更新固件,请等待更新完成!"), this);
    return true;
}

void UpdateDialog::stopDownloads()
{
    catalogue.stopAndWait();
    downloader.stopAndWait();
}

void UpdateDialog::closeEvent(QCloseEvent* event)
{
    if (refuseCloseDuringTransfer()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void UpdateDialog::done(int result)
{
    if (refuseCloseDuringTransfer())
        return;
    stopDownloads();
    QDialog::done(result);
}
