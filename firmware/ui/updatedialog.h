#pragma once

#include "firmware/devicetypemgr.h"
#include "firmware/downloadthread.h"
#include "firmware/updatethread.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>

#include <memory>
#include <optional>

class QStandardItemModel;

namespace Ui {
class UpdateDialog;
}

// Writes a firmware package into the instrument (upper group) and fetches firmware files from
// the maker's download page (lower group). The fetch and the download run on workers held here
// by value; the transfer runs on a worker that the main window may lend, because a failed run
// still ends the instrument's update mode for up to 20 s after the operator has closed the dialog.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    // sharedUpdater, when given, outlives the dialog and may still be running when it opens;
    // without one the dialog makes its own and waits for it when it goes.
    explicit UpdateDialog(QWidget* parent = nullptr, UpdateThread* sharedUpdater = nullptr);
    ~UpdateDialog() override;

    // The folder "Files" in the working directory, where packages are kept and looked for.
    static QString filesDir();

    // For tests that shorten the workers' time limits.
    UpdateThread& updateThread() { return *updater; }
    DeviceTypeMgr& deviceTypeMgr() { return catalogue; }
    DownloadThread& downloadThread() { return downloader; }

    // Every way out (Escape, reject, the close request) is refused while a transfer runs until
    // it has reported its outcome; a running fetch or download is stopped and waited for first.
    void done(int result) override;

public slots:
    void slotSelectFile();
    void slotUpdate();
    void soltStartUpdate();
    void soltStopUpdate();
    void slotSetUpdateProgress(int value);
    void slotUpdateSucceed();
    void slotStartRefreshFile();
    void slotStopRefreshFile();
    void slotFinishedRefreshFile();
    void slotSelectPath();
    void slotStartDownloadThread();
    void slotStartDownloadFile();
    void slotStopDownloadFile();
    void slotSetDownloadProgress(int value);
    void slotDownloadSucceed();
    void slotShowErrorMessage(const QString& error);
    void slotDownloadFailed(const DownloadProblem& problem);
    void slotUpdateFailed(const QString& error);
    void slotUpdateStage(int stage, int current, int total);
    void slotDeviceModel(const QString& model);
    void slotCancelDownload();

protected:
    void closeEvent(QCloseEvent* event) override;
    virtual void setDownloadControlsEnabled(bool enable);

private:
    void selectPackageFile(const QString& path);
    void startTransfer(const DEncryptInfo& info);
    void showCountdown();
    void refreshFileList();
    bool refuseCloseDuringTransfer();
    void stopDownloads();

    Ui::UpdateDialog* form;
    std::unique_ptr<UpdateThread> ownUpdater;
    UpdateThread* updater;
    DeviceTypeMgr catalogue;
    DownloadThread downloader;
    QStandardItemModel* files;
    // From the start of a run until it reported success or failure; the finish sequence of a
    // failed run goes on in the background without holding the dialog.
    bool transferActive = false;
    // A run asked for while the previous one still ends the instrument's update mode.
    std::optional<DEncryptInfo> pendingRun;
    QDeadlineTimer finishDeadline;
    QTimer countdown;
};
