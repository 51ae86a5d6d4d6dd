#pragma once

#include "firmware/devicetypemgr.h"
#include "firmware/downloadthread.h"
#include "firmware/updatethread.h"

#include <QDialog>

namespace Ui {
class UpdateDialog;
}

// Writes a firmware package into the instrument (upper group) and fetches firmware files from
// the maker's download page (lower group). Each operation runs on a worker held here by value.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateDialog(QWidget* parent = nullptr);
    ~UpdateDialog() override;

    // The folder "Files" in the working directory, where packages are kept and looked for.
    static QString filesDir();

    // For tests that shorten the workers' time limits.
    UpdateThread& updateThread() { return updater; }
    DeviceTypeMgr& deviceTypeMgr() { return catalogue; }
    DownloadThread& downloadThread() { return downloader; }

    // Every way out (Escape, reject, the close request) is refused while a transfer runs; a
    // running fetch or download is stopped and waited for first.
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

protected:
    void closeEvent(QCloseEvent* event) override;
    virtual void setDownloadControlsEnabled(bool enable);

private:
    void refreshFileList();
    bool refuseCloseDuringTransfer();
    void stopDownloads();

    Ui::UpdateDialog* form;
    UpdateThread updater;
    DeviceTypeMgr catalogue;
    DownloadThread downloader;
};
