#include "config/configjobs.h"

#include "config/clocksync.h"
#include "config/configbackup.h"
#include "config/configidentity.h"
#include "config/writelog.h"
#include "link/devicerequests.h"
#include "link/linkchannel.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Each of a write's progress figures takes 21 bits of the one word.
constexpr quint64 ProgressMask = (quint64(1) << 21) - 1;

// Saves the backup, if any; the failure of its save, or a success that lets the write go on.
ConfigOutcome keepBackup(const WriteBackup& backup)
{
    if (backup.rows.isEmpty())
        return ConfigOutcome();
    return ConfigBackup::save(backup.folder, backup.instrument, backup.rows, QDateTime::currentDateTime());
}

// The log of a write: its old values are the ones the backup keeps.
WriteLogger loggerFor(const WriteBackup& backup)
{
    QHash<int, QString> old;
    for (const ConfigRow& row : backup.rows)
        old.insert(row.index, row.value);
    const QString label = ConfigIdentity::of(backup.rows).label();
    return WriteLogger(WriteLog(backup.writeLog), label.isEmpty() ? backup.instrument : label, old);
}

} // namespace

void WriteProgress::set(const Reached& reached)
{
    word = (quint64(reached.row + 1) & ProgressMask) << 42 | (quint64(reached.done) & ProgressMask) << 21
        | (quint64(reached.total) & ProgressMask);
}

WriteProgress::Reached WriteProgress::reached() const
{
    const quint64 now = word.load();
    return Reached{int(now >> 42 & ProgressMask) - 1, int(now >> 21 & ProgressMask), int(now & ProgressMask)};
}

ItemWriteOutcome ConfigJobs::writeOne(const LinkSettings& link, const ConfigRow& row, const QString& value,
                                      WriteMode mode, const WriteBackup& backup, const StopToken& stop)
{
    const ConfigOutcome saved = keepBackup(backup);
    if (!saved.ok) {
        ItemWriteOutcome failed;
        static_cast<ConfigOutcome&>(failed) = saved;
        return failed;
    }
    const ItemWriteOutcome outcome = ConfigWriter::writeOne(link, row, value, mode, stop.flag());
    if (!backup.writeLog.isEmpty())
        loggerFor(backup).one(row, value, outcome);
    return outcome;
}

ConfigOutcome ConfigJobs::writeRows(const LinkSettings& link, const ConfigRows& rows, const WriteBackup& backup,
                                    const StopToken& stop, WriteProgress& progress,
                                    const std::function<void(const WrittenRows&)>& rowsWritten)
{
    const ConfigOutcome saved = keepBackup(backup);
    if (!saved.ok)
        return saved;
    const int total =
        int(std::count_if(rows.cbegin(), rows.cend(), [](const ConfigRow& r) { return !r.isConfirmOnly(); }));
    int done = 0;
    // Room for every row at once: growing would copy each outcome held so far.
    WrittenRows batch;
    batch.reserve(total);
    QElapsedTimer sinceBatch;
    sinceBatch.start();
    progress.set({-1, 0, total});
    ConfigWriter::Progress writing;
    writing.starting = [&](int at) {
        progress.set({at, done, total});
        ++done;
    };
    writing.answered = [&](int at, const ItemWriteOutcome& outcome) {
        batch.append({at, outcome});
        if (sinceBatch.elapsed() >= ReportIntervalMs) {
            rowsWritten(batch);
            batch = WrittenRows();
            batch.reserve(total - done);
            sinceBatch.start();
        }
    };
    WriteLogger logger = loggerFor(backup);
    const bool logged = !backup.writeLog.isEmpty();
    const ConfigOutcome outcome =
        ConfigWriter::writeAll(link, rows, logged ? logger.around(rows, writing) : writing, stop.flag());
    if (logged)
        logger.ended(rows, outcome);
    if (!batch.isEmpty())
        rowsWritten(batch);
    return outcome;
}

ConfigOutcome ConfigJobs::syncTime(const LinkSettings& link, const StopToken& stop)
{
    return ClockSync::run(link, QDateTime(), stop.flag());
}

ConfigOutcome ConfigJobs::testConnection(const LinkSettings& link, const StopToken& stop)
{
    constexpr ConfigOperation test = ConfigOperation::TestConnection;
    LinkChannel channel;
    channel.setStopFlag(stop.flag());
    if (!channel.open(link)) {
        ConfigOutcome notOpen = ConfigOutcome::failure(test, ConfigFailure::CannotOpen, LinkError::CannotOpen);
        notOpen.open = channel.openFailure();
        return notOpen;
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray reply;
    const ExchangeResult result = channel.readItem(0, reply, LinkTimings::current().readItemMs);
    const int elapsedMs = int(clock.elapsed());
    if (result == ExchangeStopped)
        return ConfigOutcome::stopped(test);
    const LinkError error = linkErrorOf(result, reply);
    ConfigOutcome outcome = ConfigOutcome::success(test);
    if (error != LinkError::None) {
        outcome = ConfigOutcome::failure(test, ConfigFailure::Link, error);
    } else if (checkItemReply(reply, channel.deviceAddress()) != ItemReply::Valid) {
        outcome = ConfigOutcome::failure(test, ConfigFailure::BadReply);
        outcome.reply = reply;
    }
    outcome.elapsedMs = elapsedMs;
    outcome.contact = contactOf(result);
    return outcome;
}
