#include "firmware/updatethread.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// Hands a run's reports to the runner's signals; they reach the dialog queued, in order.
class SignalSink : public UpdateSink
{
public:
    SignalSink(UpdateThread& runner, const UpdateThread::Confirm& confirm) : runner(runner), confirm(confirm) { }

    void stage(UpdateStage stage, int current, int total) override
    {
        emit runner.signalStage(int(stage), current, total);
    }
    void progress(int percent) override { emit runner.signalUpdateProgress(percent); }
    void identified(const QString& model, bool) override { emit runner.signalDeviceModel(model); }
    bool proceed(const QString& model) override { return !confirm || confirm(model); }
    void decided(const UpdateOutcome& outcome) override
    {
        if (!outcome.ok())
            emit runner.signalUpdateFailed(outcome);
    }

private:
    UpdateThread& runner;
    const UpdateThread::Confirm& confirm;
};

} // namespace

UpdateThread::UpdateThread()
{
    qRegisterMetaType<UpdateOutcome>();
    qRegisterMetaType<VersionRead>();
}

UpdateThread::~UpdateThread()
{
    waitForIdle();
}

bool UpdateThread::startTransfer(const LinkSettings& settings, const DEncryptInfo& package, Confirm confirm)
{
    return JobRunner::start(
        [this, settings, package, confirm](const StopToken& stop) { transfer(settings, package, confirm, stop); });
}

void UpdateThread::transfer(const LinkSettings& settings, const DEncryptInfo& package, const Confirm& confirm,
                            const StopToken& stop)
{
    const int timeoutMs = exchangeTimeoutMs;
    SignalSink sink(*this, confirm);
    const UpdateOutcome outcome = FirmwareTransfer::run(settings, package, stop, sink, timeoutMs);
    {
        std::lock_guard<std::mutex> lock(outcomeMutex);
        lastOutcome = outcome;
    }
    if (!outcome.ok())
        return;
    // The instrument restarts into its new firmware; it is asked until it answers, for as long
    // as the finish sequence may last.
    const VersionRead after =
        VersionReader::read(settings, QDeadlineTimer(FirmwareTransfer::finishTimeoutMs(timeoutMs)), timeoutMs, stop);
    emit signalUpdateSucceed(after);
}

void UpdateThread::setInfo(const DEncryptInfo& package)
{
    info = package;
}

void UpdateThread::setLinkSettings(const LinkSettings& settings)
{
    link = settings;
    linkSet = true;
}

bool UpdateThread::start()
{
    return startTransfer(linkSet ? link : LinkSettings::load(), info);
}

bool UpdateThread::wait(unsigned long ms)
{
    if (ms == ULONG_MAX) {
        waitForIdle();
        return true;
    }
    // The runner waits only without a limit; a bounded wait looks in now and then.
    const QDeadlineTimer deadline(qint64(qMin<unsigned long>(ms, INT_MAX)));
    while (isWorking() && !deadline.hasExpired())
        QThread::msleep(5);
    return !isWorking();
}

UpdateOutcome UpdateThread::outcome() const
{
    std::lock_guard<std::mutex> lock(outcomeMutex);
    return lastOutcome;
}
