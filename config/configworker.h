#pragma once

#include <atomic>

#include "config/configoutcome.h"
#include "config/configrow.h"
#include "config/configwriter.h"
#include "config/writemode.h"
#include "jobs/jobthread.h"
#include "settings/linksettings.h"

#include <QDir>
#include <QVector>

// A row of a write of rows and what became of it.
struct WrittenRow
{
    int row = -1;
    ItemWriteOutcome outcome;
};
using WrittenRows = QVector<WrittenRow>;
Q_DECLARE_METATYPE(WrittenRows)

// The values an instrument held before a write, saved by the write's job before its first request:
// a write whose backup cannot be saved sends nothing. No rows: nothing was read, nothing to keep.
struct WriteBackup
{
    QDir folder;
    QString instrument;
    ConfigRows rows;
};

// Runs the window's exchanges with the instrument off the interface thread, one job at a time:
// writing one item, writing rows in order, setting the clock, testing the connection. It reports
// only through queued signals and ends every job with signalDone, also when stopped (stop() ends
// it before the next row, or within a fraction of a second of a wait).
class ConfigWorker : public JobThread
{
    Q_OBJECT
public:
    enum Job { NoJob, WriteOneJob, WriteRowsJob, SyncTimeJob, TestConnectionJob };

    explicit ConfigWorker(QObject* parent = nullptr);
    ~ConfigWorker() override;

    // Each start takes the link as config.ini describes it now and returns false while a job runs.
    bool startWriteOne(const ConfigRow& row, const QString& value, WriteMode mode, const WriteBackup& backup = {});
    bool startWriteRows(const ConfigRows& rows, const WriteBackup& backup = {});
    bool startSyncTime();
    bool startTestConnection();
    // The job of the last start (kept after it has ended).
    Job job() const { return current; }

    // The link to use instead of config.ini's (tests, other tools); set while no job runs.
    void setLinkSettings(const LinkSettings& settings) { fixedLink = settings; hasFixedLink = true; }

    // How often at most written rows cross to the window: a fast instrument answers hundreds of
    // rows a second, and one event per row would keep the window busy for nothing.
    static constexpr int ReportIntervalMs = 50;

    // The row of a write that went out last: its place in the rows given (-1 before the first), and
    // how many of the rows to write went before it. The window asks as often as it shows it: a
    // report of each row, even of the first only, woke the window while the write needed the
    // processor. Once signalDone has come, it tells the row the write ended on.
    struct WriteProgress
    {
        int row = -1;
        int done = 0;
        int total = 0;
    };
    WriteProgress writeProgress() const;

signals:
    // The rows answered since the last report, in order; the last batch comes before signalDone.
    void signalRowsWritten(const WrittenRows& rows);
    // The end of every job. A single item's outcome is an ItemWriteOutcome; a connection test
    // carries the time the answer took in elapsedMs.
    void signalDone(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int elapsedMs);

protected:
    void runJob() override;

private:
    bool begin(Job job);
    // The row's place (plus one), rows started and rows to write, 21 bits each: one word, so that
    // the window never reads one row's place with another's count.
    std::atomic<quint64> progressWord{0};
    // The job's last act: it is over for isWorking(), then signalDone goes.
    void finish(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int elapsedMs);
    // Saves the backup, if any; false after signalDone with the failure.
    bool keepBackup();
    void runTestConnection();

    Job current = NoJob;
    LinkSettings link;
    LinkSettings fixedLink;
    bool hasFixedLink = false;
    ConfigRows rows;
    WriteBackup backup;
    ConfigRow row;
    QString value;
    WriteMode mode = WriteCancelled;
};
