#pragma once

#include "config/configread.h"
#include "jobs/jobrunner.h"
#include "settings/linksettings.h"

#include <QObject>
#include <QStringList>

#include <optional>

// The window's configuration read: readConfigItems() run on a job runner, with what it tells sent
// on as signals (queued to a receiver in another thread, in order). stop() ends the read soon
// without a failure; the rows already sent stay.
class RefreshThread : public QObject
{
    Q_OBJECT
public:
    explicit RefreshThread(QObject* parent = nullptr);
    ~RefreshThread() override;

    // How a read ended, as signalReadEnded tells it.
    enum ReadEnd { ReadComplete, ReadFailed, ReadStopped };
    Q_ENUM(ReadEnd)

    // Starts a read unless one runs, over the link set or else the one config.ini describes now.
    void startRead();
    // The link to read from instead of config.ini (tests, other tools); set while no read runs.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }
    bool isRunning() const { return runner.isWorking(); }
    // Waits at most timeoutMs for the read to end; false when it still runs.
    bool wait(int timeoutMs = -1);
    void stop() { runner.stop(); }
    void stopAndWait() { runner.stopAndWait(); }
    // Why the last read failed, for whoever waited for it; None when it ended at the empty item or
    // was stopped.
    ConfigFailure failure() const { return lastFailure.code; }
    LinkError linkError() const { return lastFailure.link; }

signals:
    void signalClearItems();
    // Which conversion read the item's text, just before its row (a DeviceCodec): the value goes
    // back to the instrument the same way when it is written unchanged.
    void signalItemCodec(int index, int codec);
    void signalAddItems(int index, const QStringList& fields);
    // Why the read stopped on an error; before signalReadEnded.
    void signalReadFailed(const ConfigReadFailure& failure);
    // Whether the instrument answered: once at its first reply, or once when it stays silent
    // (before the failure).
    void signalContact(int contact); // a LinkContact
    // The last signal of every read that opened its link: how it ended and how many items came.
    void signalReadEnded(int end, int itemsRead);
    // After everything the read emitted, also when its link did not open.
    void finished();

private:
    JobRunner runner;
    std::optional<LinkSettings> link;
    ConfigReadFailure lastFailure;
};
