#pragma once

#include "firmware/dencryptinfo.h"
#include "firmware/firmwaretransfer.h"
#include "firmware/versionread.h"
#include "jobs/jobrunner.h"
#include "settings/linksettings.h"

#include <QMetaType>

#include <atomic>
#include <climits>
#include <functional>
#include <mutex>

Q_DECLARE_METATYPE(UpdateOutcome)
Q_DECLARE_METATYPE(VersionRead)

// The runner that carries firmware transfers, and the name the update dialog and the main window
// know them by. The main window lends its own to the dialog: a refused run still takes the
// instrument out of update mode for up to 20 s after the operator has closed the dialog, and a
// flash that has begun has no stop, so whoever holds it waits for its end.
class UpdateThread : public JobRunner
{
    Q_OBJECT
public:
    // Called on the runner's thread once the model fits: whether to erase and write.
    using Confirm = std::function<bool(const QString& deviceModel)>;

    UpdateThread();
    // Waits for a transfer under way to end by itself.
    ~UpdateThread() override;

    // Runs the transfer of package over link, reporting through the signals below. After a
    // success the instrument's version row is read again once it answers, within the finish
    // wait. False while a job runs.
    bool startTransfer(const LinkSettings& link, const DEncryptInfo& package, Confirm confirm = Confirm());

    // The package and the link for start(): config.ini's unless set.
    void setInfo(const DEncryptInfo& package);
    void setLinkSettings(const LinkSettings& settings);
    bool start();

    bool isRunning() const { return isWorking(); }
    // Waits up to ms for the job under way to end by itself; false when it still runs.
    bool wait(unsigned long ms = ULONG_MAX);

    // How the last run ended (read after it ended).
    UpdateOutcome outcome() const;
    UpdateFailure failure() const { return outcome().failure; }
    LinkError linkError() const { return outcome().link; }

    // How long each exchange waits for the instrument; tests shorten it.
    void setExchangeTimeout(int ms) { exchangeTimeoutMs = ms; }
    int exchangeTimeout() const { return exchangeTimeoutMs; }
    int finishTimeoutMs() const { return FirmwareTransfer::finishTimeoutMs(exchangeTimeoutMs); }

signals:
    // The stage that begins now (int(UpdateStage); Writing: once per page, current counting
    // from 1; Finishing: the seconds it may take).
    void signalStage(int stage, int current, int total);
    void signalUpdateProgress(int value);
    // The model the instrument named when identified.
    void signalDeviceModel(const QString& model);
    // A refusal or failure, before the instrument is taken out of update mode.
    void signalUpdateFailed(const UpdateOutcome& outcome);
    // A whole transfer, and what the instrument then says of its version.
    void signalUpdateSucceed(const VersionRead& after);

private:
    void transfer(const LinkSettings& link, const DEncryptInfo& package, const Confirm& confirm, const StopToken& stop);

    DEncryptInfo info;
    LinkSettings link;
    bool linkSet = false;
    std::atomic<int> exchangeTimeoutMs{FirmwareTransfer::DefaultExchangeMs};
    mutable std::mutex outcomeMutex;
    UpdateOutcome lastOutcome;
};
