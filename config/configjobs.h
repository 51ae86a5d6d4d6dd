#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"
#include "config/configwriter.h"
#include "config/writemode.h"
#include "jobs/stoptoken.h"
#include "settings/linksettings.h"

#include <QByteArray>
#include <QDir>
#include <QMetaType>
#include <QVector>

#include <atomic>
#include <functional>

// A row of a write of rows and what became of it.
struct WrittenRow
{
    int row = -1;
    ItemWriteOutcome outcome;
};
using WrittenRows = QVector<WrittenRow>;
Q_DECLARE_METATYPE(WrittenRows)

// The values an instrument held before a write, saved by the write before its first request: a
// write whose backup cannot be saved sends nothing. No rows: nothing was read, nothing to keep.
struct WriteBackup
{
    QDir folder;
    QString instrument;
    ConfigRows rows;
    // The write log that gets a line per item written (old values from rows); empty: none.
    QString writeLog;
};

// The row a write of rows has reached, for the window to look at as often as it shows it: a report
// of each row, even of the first only, woke the window while the write needed the processor. Once
// the write has returned, it tells the row the write ended on.
class WriteProgress
{
public:
    struct Reached
    {
        int row = -1; // the row's place in the rows given; -1 before the first went out
        int done = 0; // rows to write that went out before it
        int total = 0; // rows to write
    };

    void set(const Reached& reached);
    Reached reached() const;

private:
    // The row's place (plus one), rows started and rows to write, 21 bits each: one word, so that
    // the window never reads one row's place with another's count.
    std::atomic<quint64> word{0};
};

// The window's writes and exchanges with the instrument, as plain functions for a job runner (or
// any thread): each opens its own link from the settings given and ends within a fraction of a
// second of a stop request.
namespace ConfigJobs {

// How often at most written rows are reported: a fast instrument answers hundreds of rows a second,
// and one event per row would keep the window busy for nothing.
constexpr int ReportIntervalMs = 50;

// Saves the backup, then writes value to the row's item.
ItemWriteOutcome writeOne(const LinkSettings& link, const ConfigRow& row, const QString& value, WriteMode mode,
                          const WriteBackup& backup, const StopToken& stop);

// Saves the backup, then writes the rows in order (ConfigWriter::writeAll). Answered rows go to
// rowsWritten in batches, at most one batch every ReportIntervalMs and the last before the return;
// progress follows each row as it goes out.
ConfigOutcome writeRows(const LinkSettings& link, const ConfigRows& rows, const WriteBackup& backup,
                        const StopToken& stop, WriteProgress& progress,
                        const std::function<void(const WrittenRows&)>& rowsWritten);

// Sets the instrument's clock to the local time when the request goes.
ConfigOutcome syncTime(const LinkSettings& link, const StopToken& stop);

// Reads item 0, as a refresh starts, and times the answer (elapsedMs); a reply out of form comes
// back whole (reply).
ConfigOutcome testConnection(const LinkSettings& link, const StopToken& stop);

} // namespace ConfigJobs
