#pragma once

#include "history/historyquery.h"
#include "jobs/jobrunner.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The history query on a job runner, for code that waits on a worker object: each run calls
// queryHistory() and reports its lines as signals, emitted on the runner's thread (queued to
// whoever lives elsewhere, in order). The dialog runs the query on its own runner instead; the
// command-line tool calls it directly.
class ReadThread : public QObject
{
    Q_OBJECT
public:
    explicit ReadThread(QObject* parent = nullptr);
    ~ReadThread() override;

    // Stores the query frame and starts a run; false, and nothing changed, while one is going on.
    bool startRead(const QByteArray& request);
    // The link to read from instead of config.ini; set while no run is going on.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }
    bool isRunning() const { return runner.isWorking(); }
    // Waits at most timeoutMs (or without a limit) for the run to end; false when it still runs.
    bool wait(int timeoutMs = -1);
    // Asks the run to end and returns at once; finished() follows once it has.
    void stop() { runner.stop(); }
    void stopAndWait() { runner.stopAndWait(); }

    // How the last run ended (read once it has).
    const HistoryOutcome& outcome() const { return last; }
    HistoryFailure failure() const { return last.failure; }
    LinkError linkError() const { return last.linkError; }

signals:
    void signalClearText();
    // One or more whole lines, each with its terminator as the instrument sent it.
    void signalAddLines(const QString& lines);
    void signalStrayLines(const QStringList& lines);
    // After everything the run emitted.
    void finished();

private:
    JobRunner runner;
    std::optional<LinkSettings> link;
    HistoryOutcome last;
};
