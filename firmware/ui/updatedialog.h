#pragma once

#include "firmware/devicetypemgr.h"
#include "firmware/downloadthread.h"
#include "firmware/updatethread.h"
#include "jobs/jobrunner.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <optional>

class ConfirmGate;

class QStandardItemModel;

namespace Ui {
class UpdateDialog;
}

// Writes a firmware package into the instrument (upper group) and fetches firmware files from
// the maker's download page (lower group). The fetch and the download run one at a time on a job
// runner of the dialog, which a closing dialog stops and leaves to end on its own; the transfer
// runs on a worker that the main window may lend, because a failed run still ends the
// instrument's update mode for up to 20 s after the operator has closed the dialog.
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

    // The firmware version of the configuration last read (its version row); empty when unknown.
    // The confirmation before a transfer compares the package's version with it.
    void setInstrumentVersion(const QString& version) { instrumentVersion = version; }
    // The model of the configuration last read; the catalogue marks its newest file. An identify
    // reply replaces it.
    void setInstrumentModel(const QString& model) { instrumentModel = model; }

    // For tests that shorten the workers' time limits.
    UpdateThread& updateThread() { return *updater; }
    // Runs the catalogue fetch and the download, one at a time.
    JobRunner& downloadRunner() { return *downloads; }
    FetchTimes& fetchTimes() { return times; }
    void setDownloadSizeLimit(qint64 bytes) { downloadSizeLimit = bytes; }

    // Every way out (Escape, reject, the close request) is refused while a transfer runs until
    // it has reported its outcome; a running fetch or download is asked to stop and left to end.
    void done(int result) override;

signals:
    // A transfer has ended well and the instrument answers again: its configuration has changed.
    void signalFirmwareUpdated();

public slots:
    void slotSelectFile();
    void slotUpdate();
    void soltStartUpdate();
    void soltStopUpdate();
    void slotSetUpdateProgress(int value);
    void slotUpdateSucceed(const VersionRead& after);
    void slotStartRefreshFile();
    void slotStopRefreshFile();
    void slotSelectPath();
    void slotStartDownloadThread();
    void slotStartDownloadFile();
    void slotStopDownloadFile();
    void slotSetDownloadProgress(int value);
    void slotDownloadSucceed();
    void slotShowErrorMessage(const QString& error);
    void slotDownloadFailed(const DownloadProblem& problem);
    void slotUpdateFailed(const UpdateOutcome& outcome);
    void slotUpdateStage(int stage, int current, int total);
    void slotDeviceModel(const QString& model);
    void slotCancelDownload();

protected:
    void closeEvent(QCloseEvent* event) override;
    virtual void setDownloadControlsEnabled(bool enable);

private:
    friend class ConfirmGate;
    void selectPackageFile(const QString& path);
    void startTransfer(const DEncryptInfo& info);
    // Asks the operator whether to write the package into the instrument that named model.
    void askConfirmation(const QString& deviceModel);
    // Whether a transfer holds the dialog: running until its outcome, or waiting to start.
    bool transferHolds() const { return transferActive || pendingRun.has_value(); }
    // The package buttons as the transfer and the other workers allow.
    void setTransferControls();
    void showOutcome(QMessageBox::Icon icon, const QString& text, const QString& detail);
    void showCountdown();
    void refreshFileList();
    bool refuseCloseDuringTransfer();
    void showCatalogue(const CatalogueOutcome& outcome);
    void showDownload(const DownloadOutcome& outcome);

    Ui::UpdateDialog* form;
    std::unique_ptr<UpdateThread> ownUpdater;
    UpdateThread* updater;
    // Not a member by value: a closing dialog hands it over to end on its own (see the destructor).
    JobRunner* downloads;
    FetchTimes times;
    qint64 downloadSizeLimit = DownloadThread::MaxDownloadBytes;
    // The page the list was read from: the links on it are checked against it.
    QUrl listedPage;
    QString lastSaved;
    QStandardItemModel* files;
    // From the start of a run until it reported success or failure; the finish sequence of a
    // failed run goes on in the background without holding the dialog.
    bool transferActive = false;
    // A run asked for while the previous one still ends the instrument's update mode.
    std::optional<DEncryptInfo> pendingRun;
    // The package of the run under way, and its answer to the confirmation.
    DEncryptInfo runPackage;
    std::shared_ptr<ConfirmGate> confirmGate;
    QString instrumentVersion;
    QString instrumentModel;
    QDeadlineTimer finishDeadline;
    QTimer countdown;
};
