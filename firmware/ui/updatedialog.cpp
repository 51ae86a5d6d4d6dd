#include "firmware/ui/updatedialog.h"

#include "firmware/ddbserver.h"
#include "firmware/firmwareversion.h"
#include "firmware/ui/downloadtexts.h"
#include "firmware/ui/updateconfirmation.h"
#include "firmware/texts/updatetexts.h"
#include "jobs/posting.h"
#include "prompt/messageboxes.h"
#include "prompt/prompter.h"
#include "settings/config.h"
#include "settings/settingkeys.h"
#include "ui_updatedialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <condition_variable>
#include <mutex>

// The operator's answer to the confirmation, handed from the dialog to the transfer, which waits
// for it on its own thread. A dialog that goes without asking answers no.
class ConfirmGate
{
public:
    // Asks dialog, on its thread, unless it has gone; then waits for the answer.
    bool ask(UpdateDialog* dialog, const QString& deviceModel)
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (!answer)
            postTo(dialog, [dialog, deviceModel] { dialog->askConfirmation(deviceModel); });
        answered.wait(lock, [this] { return answer.has_value(); });
        return *answer;
    }
    // The first answer counts; a dialog that goes gives no, and is asked nothing after that.
    void give(bool yes)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!answer) {
            answer = yes;
            answered.notify_all();
        }
    }

private:
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<bool> answer;
};

UpdateDialog::UpdateDialog(QWidget* parent, UpdateThread* sharedUpdater)
    : QDialog(parent),
      form(new Ui::UpdateDialog),
      ownUpdater(sharedUpdater ? nullptr : new UpdateThread),
      updater(sharedUpdater ? sharedUpdater : ownUpdater.get()),
      downloads(new JobRunner)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/image/update.png")));
    // Room for a stage text of two lines in every language.
    form->labStage->setWordWrap(true);
    form->labStage->setMinimumHeight(2 * form->labStage->fontMetrics().lineSpacing());
    // At least the size it always had, wider where a language needs it; fixed from then on.
    resize(sizeHint().expandedTo(size()));
    setFixedSize(size());

    // The list shows size and date beside each name, where the page gives them.
    files = new QStandardItemModel(0, 4, this);
    files->setHorizontalHeaderLabels({tr("名称"), tr("大小"), tr("日期"), tr("版本")});
    auto* view = new QTreeView(form->cmbFileList);
    view->setRootIsDecorated(false);
    view->setAllColumnsShowFocus(true);
    form->cmbFileList->setModel(files);
    form->cmbFileList->setView(view);
    form->edPageUrl->setText(Config().value(Settings::FirmwarePage).toString());
    form->bntCancelDownload->setEnabled(false);
    countdown.setInterval(1000);
    connect(&countdown, &QTimer::timeout, this, &UpdateDialog::showCountdown);

    connect(form->bntSelectFile, SIGNAL(clicked()), this, SLOT(slotSelectFile()));
    connect(form->bntUpdate, SIGNAL(clicked()), this, SLOT(slotUpdate()));
    connect(updater, &JobRunner::jobEnded, this, &UpdateDialog::soltStopUpdate);
    connect(updater, SIGNAL(signalUpdateProgress(int)), this, SLOT(slotSetUpdateProgress(int)));
    connect(updater, &UpdateThread::signalUpdateSucceed, this, &UpdateDialog::slotUpdateSucceed);
    connect(updater, &UpdateThread::signalUpdateFailed, this, &UpdateDialog::slotUpdateFailed);
    connect(updater, SIGNAL(signalStage(int, int, int)), this, SLOT(slotUpdateStage(int, int, int)));
    connect(updater, SIGNAL(signalDeviceModel(const QString&)), this, SLOT(slotDeviceModel(const QString&)));
    // The fetch's and the download's outcomes come posted by their jobs; the end of either frees
    // the controls.
    connect(downloads, &JobRunner::jobEnded, this, &UpdateDialog::slotStopDownloadFile);
    connect(form->bntRefresh, &QPushButton::clicked, this, &UpdateDialog::refreshFileList);
    connect(form->bntSelectPath, SIGNAL(clicked()), this, SLOT(slotSelectPath()));
    connect(form->bntDownload, SIGNAL(clicked()), this, SLOT(slotStartDownloadThread()));
    connect(form->bntCancelDownload, SIGNAL(clicked()), this, SLOT(slotCancelDownload()));

    form->barUpdate->setRange(0, 100);
    form->barUpdate->setValue(0);
    form->barDownload->setRange(0, 100);
    form->barDownload->setValue(0);
    form->bntUpdate->setEnabled(false);
    // A run of an earlier dialog may still be ending the instrument's update mode.
    if (updater->isRunning())
        form->labStage->setText(tr("上一次更新正在结束, 请稍候"));
}

UpdateDialog::~UpdateDialog()
{
    // A fetch or download still winding down (it ends within a poll of its stop) is not waited
    // for: its runner is asked to stop and deletes itself once the job has returned, so no thread
    // is destroyed while it runs. Its reports find no dialog and are dropped.
    downloads->stop();
    disconnect(downloads, nullptr, this, nullptr);
    connect(downloads, &JobRunner::jobEnded, downloads, &QObject::deleteLater);
    if (!downloads->isWorking())
        delete downloads;
    if (confirmGate)
        confirmGate->give(false);
    // The transfer worker ends before the form goes. A lent one goes on alone; it reports to
    // nobody once this dialog is gone.
    if (ownUpdater)
        ownUpdater->wait();
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
    selectPackageFile(Prompter::current().getOpenFileName(this, tr("更新固件"),
                                                          QDir::toNativeSeparators(QDir::cleanPath(filesDir())),
                                                          QStringLiteral("Files (*.zqbin)")));
}

void UpdateDialog::selectPackageFile(const QString& path)
{
    form->edFilePath->setText(path);
    form->edFilePath->setToolTip(path);
    form->edDeviceModel->clear();

    DEncryptInfo info;
    info.filePath = path;
    if (DDbServer().readPackage(info) != PackageRead::Ok) {
        form->edDevice->clear();
        form->edType->clear();
        form->edVersion->clear();
        form->bntUpdate->setEnabled(false);
        return;
    }
    form->edDevice->setText(info.device());
    form->edType->setText(info.model());
    form->edVersion->setText(info.version());
    const QString refused = UpdateTexts::packageProblem(FirmwareTransfer::problemOf(info));
    form->bntUpdate->setEnabled(refused.isEmpty() && !transferHolds());
    if (!refused.isEmpty())
        showError(refused, this);
}

void UpdateDialog::slotUpdate()
{
    if (transferHolds())
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
    QString error = UpdateTexts::packageRead(DDbServer().readPackage(info));
    if (error.isEmpty())
        error = UpdateTexts::packageProblem(FirmwareTransfer::problemOf(info));
    if (!error.isEmpty()) {
        showError(error, this);
        return;
    }
    if (updater->isRunning()) {
        // The previous run is still ending the instrument's update mode; this one follows it.
        pendingRun = info;
        form->labStage->setText(tr("等待上一次更新结束"));
        soltStartUpdate();
        return;
    }
    startTransfer(info);
}

void UpdateDialog::startTransfer(const DEncryptInfo& info)
{
    form->edDeviceModel->clear();
    form->labStage->clear();
    runPackage = info;
    // Each run has its own gate, so that an answer meant for one can never reach the next.
    auto gate = std::make_shared<ConfirmGate>();
    confirmGate = gate;
    const auto confirm = [this, gate](const QString& deviceModel) { return gate->ask(this, deviceModel); };
    transferActive = updater->startTransfer(LinkSettings::load(), info, confirm);
    soltStartUpdate();
}

void UpdateDialog::askConfirmation(const QString& deviceModel)
{
    UpdateConfirmation box(runPackage, deviceModel, instrumentVersion, this);
    const bool yes = Prompter::current().exec(box) == QMessageBox::Ok;
    if (confirmGate)
        confirmGate->give(yes);
}

void UpdateDialog::soltStartUpdate()
{
    setTransferControls();
}

void UpdateDialog::soltStopUpdate()
{
    // What was left of a refused run (taking the instrument out of update mode) has ended too.
    countdown.stop();
    transferActive = false;
    confirmGate.reset();
    if (pendingRun) {
        const DEncryptInfo info = *pendingRun;
        pendingRun.reset();
        startTransfer(info);
        return;
    }
    setTransferControls();
}

void UpdateDialog::setTransferControls()
{
    const bool free = !transferHolds();
    form->bntSelectFile->setEnabled(free);
    form->bntUpdate->setEnabled(free);
    // A fetch or download that outlives the transfer keeps the download button off until it ends.
    form->bntDownload->setEnabled(free && !downloads->isWorking());
}

void UpdateDialog::slotSetUpdateProgress(int value)
{
    form->barUpdate->setValue(value);
}

void UpdateDialog::showOutcome(QMessageBox::Icon icon, const QString& text, const QString& detail)
{
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setInformativeText(detail);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("QObject", "确定"));
    Prompter::current().exec(box);
}

void UpdateDialog::slotUpdateSucceed(const VersionRead& after)
{
    transferActive = false;
    countdown.stop();
    const QString change =
        UpdateTexts::versionChange(instrumentVersion, after, (updater->finishTimeoutMs() + 999) / 1000);
    form->labStage->setText(change);
    if (after.found)
        instrumentVersion = after.version;
    // The window reads the new configuration while the operator reads the news.
    if (after.answered)
        emit signalFirmwareUpdated();
    showOutcome(QMessageBox::Information, tr("固件更新成功!"), change);
    form->barUpdate->setValue(0);
}

void UpdateDialog::slotUpdateFailed(const UpdateOutcome& outcome)
{
    // From here the dialog may close and a new run may be asked for: what is left of this one
    // (ending the update mode) needs no one to watch it, and a new run waits for it.
    transferActive = false;
    countdown.stop();
    setTransferControls();
    form->labStage->setText(UpdateTexts::stageEnd(outcome));
    // The operator's own no needs no box.
    if (outcome.failure == UpdateFailure::Declined || outcome.failure == UpdateFailure::Stopped)
        return;
    showOutcome(QMessageBox::Critical, UpdateTexts::failure(outcome, runPackage.model()),
                UpdateTexts::instrumentState(outcome));
}

void UpdateDialog::slotUpdateStage(int stage, int current, int total)
{
    if (stage == int(UpdateStage::Finishing)) {
        finishDeadline.setRemainingTime(qint64(current) * 1000);
        countdown.start();
        showCountdown();
        return;
    }
    countdown.stop();
    form->labStage->setText(UpdateTexts::stage(UpdateStage(stage), current, total));
}

void UpdateDialog::showCountdown()
{
    const int seconds = int((finishDeadline.remainingTime() + 999) / 1000);
    form->labStage->setText(UpdateTexts::stage(UpdateStage::Finishing, qMax(0, seconds)));
}

void UpdateDialog::slotDeviceModel(const QString& model)
{
    form->edDeviceModel->setText(model);
    instrumentModel = model;
}

void UpdateDialog::refreshFileList()
{
    if (downloads->isWorking())
        return;
    const QString address = form->edPageUrl->text().trimmed();
    if (address.isEmpty()) {
        showError(tr("请在“页面”中填写固件下载页面的完整地址!"), this);
        return;
    }
    const QUrl page(address, QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    if (!page.isValid() || page.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        showError(tr("固件下载页面地址无效: %1").arg(address), this);
        return;
    }
    Config().setValue(Settings::FirmwarePage, address);
    listedPage = page;
    const FetchTimes limits = times;
    const QPointer<UpdateDialog> self(this);
    JobRunner* runner = downloads;
    slotStartRefreshFile();
    downloads->start([page, limits, self, runner](const StopToken& stop) {
        const CatalogueOutcome outcome = DeviceTypeMgr::fetch(page, limits, stop);
        if (!outcome.stopped)
            postTo(runner, [self, outcome] {
                if (self)
                    self->showCatalogue(outcome);
            });
    });
}

void UpdateDialog::slotStartRefreshFile()
{
    // Each refresh lists only what its page lists: nothing of an earlier page, no earlier choice.
    files->removeRows(0, files->rowCount());
    setDownloadControlsEnabled(false);
}

void UpdateDialog::slotStopRefreshFile()
{
    setDownloadControlsEnabled(true);
}

void UpdateDialog::showCatalogue(const CatalogueOutcome& outcome)
{
    if (outcome.problem.failure != DownloadFailure::None) {
        slotDownloadFailed(outcome.problem);
        return;
    }
    files->removeRows(0, files->rowCount());
    const QMap<QString, QString>& list = outcome.files;
    const QMap<QString, CatalogueDetails>& details = outcome.details;
    bool anySize = false;
    bool anyDate = false;
    // The connected model's newest file is marked, by its version's numbers.
    QMap<QString, QString> versions;
    for (auto it = list.cbegin(); it != list.cend(); ++it)
        versions.insert(it.key(), FirmwareVersion::foundIn(it.key()));
    const QString newest = FirmwareVersion::newestFor(versions, instrumentModel);
    for (auto it = list.cbegin(); it != list.cend(); ++it) {
        auto* name = new QStandardItem(it.key() == newest ? tr("%1 (最新)").arg(it.key()) : it.key());
        name->setData(it.value(), Qt::UserRole);
        const CatalogueDetails detail = details.value(it.key());
        anySize = anySize || !detail.size.isEmpty();
        anyDate = anyDate || !detail.date.isEmpty();
        files->appendRow({name, new QStandardItem(detail.size), new QStandardItem(detail.date),
                          new QStandardItem(versions.value(it.key()))});
    }
    auto* view = static_cast<QTreeView*>(form->cmbFileList->view());
    view->setColumnHidden(1, !anySize);
    view->setColumnHidden(2, !anyDate);
    view->setColumnHidden(
        3, std::all_of(versions.cbegin(), versions.cend(), [](const QString& v) { return v.isEmpty(); }));
    for (int column = 0; column < files->columnCount(); ++column)
        view->resizeColumnToContents(column);
    view->setMinimumWidth(view->header()->length() + view->frameWidth() * 2);
    form->cmbFileList->setCurrentIndex(files->rowCount() > 0 ? 0 : -1);
}

void UpdateDialog::slotSelectPath()
{
    QDir().mkpath(filesDir());
    const QString folder = Prompter::current().getExistingDirectory(this, tr("下载文件"), filesDir());
    form->edDownloadDir->setText(folder);
}

namespace {

// Reports a download's progress to the dialog, if it is still there, from the runner's thread.
class DialogProgress : public DownloadSink
{
public:
    DialogProgress(JobRunner* runner, QPointer<UpdateDialog> dialog) : runner(runner), dialog(std::move(dialog)) { }
    void progress(int percent) override
    {
        postTo(runner, [dialog = dialog, percent] {
            if (dialog)
                dialog->slotSetDownloadProgress(percent);
        });
    }

private:
    JobRunner* runner;
    QPointer<UpdateDialog> dialog;
};

} // namespace

void UpdateDialog::slotStartDownloadThread()
{
    if (downloads->isWorking())
        return;
    const QString link = form->cmbFileList->currentData().toString();
    if (link.isEmpty()) {
        showError(tr("请选择设备类型!"), this);
        return;
    }
    if (form->edDownloadDir->text().isEmpty())
        slotSelectPath();
    const QString folder = form->edDownloadDir->text();
    if (folder.isEmpty()) {
        showError(tr("请选择下载路径!"), this);
        return;
    }
    // An earlier copy is replaced only when the operator says so.
    const QString name = DownloadThread::fileNameOf(link);
    const QString existing = DownloadThread::targetPath(folder, name);
    if (!existing.isEmpty() && QFileInfo::exists(existing)) {
        QMessageBox box(QMessageBox::Question, windowTitle(), tr("文件 %1 已存在,要替换它吗?").arg(name),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setInformativeText(QDir::toNativeSeparators(existing));
        box.setDefaultButton(QMessageBox::No);
        if (Prompter::current().exec(box) != QMessageBox::Yes)
            return;
    }
    DownloadTarget target;
    target.link = link;
    target.folder = folder;
    target.page = listedPage;
    target.sizeLimit = downloadSizeLimit;
    target.times = times;
    const QPointer<UpdateDialog> self(this);
    JobRunner* runner = downloads;
    slotStartDownloadFile();
    downloads->start([target, self, runner](const StopToken& stop) {
        DialogProgress sink(runner, self);
        const DownloadOutcome outcome = DownloadThread::download(target, stop, sink);
        if (!outcome.stopped)
            postTo(runner, [self, outcome] {
                if (self)
                    self->showDownload(outcome);
            });
    });
}

void UpdateDialog::showDownload(const DownloadOutcome& outcome)
{
    if (outcome.problem.failure != DownloadFailure::None) {
        slotDownloadFailed(outcome.problem);
        return;
    }
    lastSaved = outcome.savedPath;
    slotDownloadSucceed();
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
    const QString saved = lastSaved;
    QMessageBox box(QMessageBox::Information, windowTitle(), tr("文件下载成功!"), QMessageBox::Ok | QMessageBox::Open,
                    this, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setInformativeText(tr("已保存到: %1").arg(QDir::toNativeSeparators(saved)));
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("QObject", "确定"));
    box.button(QMessageBox::Open)->setText(tr("选择此文件更新"));
    box.setDefaultButton(QMessageBox::Ok);
    const int answer = Prompter::current().exec(box);
    form->barDownload->setValue(0);
    // Download, then flash: the file is picked as if chosen with 选择文件.
    if (answer == QMessageBox::Open && !transferHolds())
        selectPackageFile(saved);
}

void UpdateDialog::slotCancelDownload()
{
    downloads->stop();
}

void UpdateDialog::slotShowErrorMessage(const QString& error)
{
    showError(error, this);
}

void UpdateDialog::slotDownloadFailed(const DownloadProblem& problem)
{
    showError(downloadFailureText(problem), this);
}

void UpdateDialog::setDownloadControlsEnabled(bool enable)
{
    form->bntSelectPath->setEnabled(enable);
    // A list refreshed during a transfer must not bring back the button the transfer took away.
    form->bntDownload->setEnabled(enable && !transferHolds());
    form->bntRefresh->setEnabled(enable);
    form->cmbFileList->setEnabled(enable);
    form->edPageUrl->setEnabled(enable);
    form->bntCancelDownload->setEnabled(!enable);
}

bool UpdateDialog::refuseCloseDuringTransfer()
{
    // Leaving mid-transfer would abandon an instrument with half its flash written.
    if (!transferActive || !updater->isRunning())
        return false;
    showError(tr("正在更新固件,请等待更新完成!"), this);
    return true;
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
    // Asked only: the job ends within a poll of its stop, and nothing here waits for it.
    downloads->stop();
    QDialog::done(result);
}
