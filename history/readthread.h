#pragma once

#include "history/historyquery.h"
#include "jobs/stoptoken.h"
#include "jobs/workerthread.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The history query on a thread of its own, for code that waits on a QThread: each run calls
// queryHistory() and reports its lines as signals (queued to whoever lives elsewhere, in order).
// The dialog runs the query on the job runner instead; the command-line tool calls it directly.
class ReadThread : public WorkerThread
{
    Q_OBJECT
public:
    ReadThread();
    ~ReadThread() override;

    // Stores the query frame and starts a run; false, and nothing changed, while one is going on.
    bool startRead(const QByteArray& request);
    // The link to read from instead of config.ini; set while the thread is not running.
    void setLinkSettings(const LinkSettings& settings) { link = settings; }

    // How the last run ended (read after finished()).
    const HistoryOutcome& outcome() const { return last; }
    HistoryFailure failure() const { return last.failure; }
    LinkError linkError() const { return last.linkError; }

signals:
    void signalClearText();
    // One or more whole lines, each with its terminator as the instrument sent it.
    void signalAddLines(const QString& lines);
    void signalStrayLines(const QStringList& lines);

protected:
    void run() override;
    void wakeForStop() override { stopSource.request(); }

private:
    QByteArray request; // written only while no run is going on
    std::optional<LinkSettings> link;
    StopSource stopSource;
    HistoryOutcome last;
};
