#include "config/configworker.h"

#include "config/clocksync.h"
#include "config/configbackup.h"
#include "config/itemtext.h"
#include "link/devicerequests.h"
#include "link/hexdump.h"
#include "link/linkchannel.h"
#include "link/texts/linktexts.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Each of a write's progress figures takes 21 bits of the one word.
constexpr quint64 ProgressMask = (quint64(1) << 21) - 1;

quint64 packProgress(int row, int done, int total)
{
    return (quint64(row + 1) & ProgressMask) << 42 | (quint64(done) & ProgressMask) << 21
        | (quint64(total) & ProgressMask);
}

}

ConfigWorker::ConfigWorker(QObject* parent) : JobThread(parent)
{
    qRegisterMetaType<ConfigOutcome>();
    qRegisterMetaType<ItemWriteOutcome>();
    qRegisterMetaType<WrittenRows>();
}

ConfigWorker::~ConfigWorker()
{
    endThread();
}

bool ConfigWorker::begin(Job job)
{
    if (isWorking())
        return false;
    current = job;
    link = hasFixedLink ? fixedLink : LinkSettings::load();
    return startJob();
}

bool ConfigWorker::startWriteOne(const ConfigRow& writtenRow, const QString& newValue, WriteMode writeMode,
                                 const WriteBackup& kept)
{
    if (isWorking())
        return false;
    backup = kept;
    row = writtenRow;
    value = newValue;
    mode = writeMode;
    return begin(WriteOneJob);
}

bool ConfigWorker::startWriteRows(const ConfigRows& written, const WriteBackup& kept)
{
    if (isWorking())
        return false;
    backup = kept;
    rows = written;
    return begin(WriteRowsJob);
}

bool ConfigWorker::startSyncTime()
{
    return begin(SyncTimeJob);
}

bool ConfigWorker::startTestConnection()
{
    return begin(TestConnectionJob);
}

void ConfigWorker::runJob()
{
    switch (current) {
    case WriteOneJob: {
        if (!keepBackup())
            break;
        const ItemWriteOutcome outcome = ConfigWriter::writeOne(link, row, value, mode, stopFlag());
        finish(outcome, outcome, 0);
        break;
    }
    case WriteRowsJob: {
        if (!keepBackup())
            break;
        const int total = int(std::count_if(rows.cbegin(), rows.cend(), [](const ConfigRow& r) { return !r.isConfirmOnly(); }));
        int done = 0;
        // Room for every row at once: growing would copy each outcome held so far.
        WrittenRows batch;
        batch.reserve(total);
        QElapsedTimer sinceBatch;
        sinceBatch.start();
        progressWord = packProgress(-1, 0, total);
        ConfigWriter::Progress progress;
        progress.starting = [&](int at) {
            progressWord = packProgress(at, done, total);
            ++done;
        };
        progress.answered = [&](int at, const ItemWriteOutcome& outcome) {
            batch.append({at, outcome});
            if (sinceBatch.elapsed() >= ReportIntervalMs) {
                emit signalRowsWritten(batch);
                batch = WrittenRows();
                batch.reserve(total - done);
                sinceBatch.start();
            }
        };
        const ConfigOutcome outcome = ConfigWriter::writeAll(link, rows, progress, stopFlag());
        if (!batch.isEmpty())
            emit signalRowsWritten(batch);
        finish(outcome, ItemWriteOutcome(), 0);
        break;
    }
    case SyncTimeJob:
        finish(ClockSync::run(link, QDateTime(), stopFlag()), ItemWriteOutcome(), 0);
        break;
    case TestConnectionJob:
        runTestConnection();
        break;
    case NoJob:
        break;
    }
}

ConfigWorker::WriteProgress ConfigWorker::writeProgress() const
{
    const quint64 word = progressWord.load();
    return WriteProgress{int(word >> 42 & ProgressMask) - 1, int(word >> 21 & ProgressMask),
                         int(word & ProgressMask)};
}

void ConfigWorker::finish(const ConfigOutcome& outcome, const ItemWriteOutcome& item, int elapsedMs)
{
    jobDone();
    emit signalDone(outcome, item, elapsedMs);
}

bool ConfigWorker::keepBackup()
{
    if (backup.rows.isEmpty())
        return true;
    const ConfigOutcome saved =
        ConfigBackup::save(backup.folder, backup.instrument, backup.rows, QDateTime::currentDateTime());
    if (saved.ok)
        return true;
    ItemWriteOutcome failed;
    static_cast<ConfigOutcome&>(failed) = saved;
    finish(saved, failed, 0);
    return false;
}

// Reads item 0, as a refresh starts, and times the answer.
void ConfigWorker::runTestConnection()
{
    const QString title = tr("测试连接");
    LinkChannel channel;
    channel.setStopFlag(stopFlag());
    if (!channel.open(link)) {
        finish(ConfigOutcome::failure(title, linkOpenFailureText(channel.openFailure())), ItemWriteOutcome(), 0);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray reply;
    const ExchangeResult result = channel.readItem(0, reply, LinkTimings::current().readItemMs);
    const int elapsed = int(clock.elapsed());
    ConfigOutcome outcome;
    if (result == ExchangeStopped) {
        outcome.ok = false;
        outcome.cancelled = true;
        outcome.status = tr("测试连接已取消");
    } else {
        const QString error = errorMessage(result, reply);
        if (!error.isEmpty())
            outcome = ConfigOutcome::failure(title, error);
        else if (checkItemReply(reply, channel.deviceAddress()) != ItemReply::Valid)
            outcome = ConfigOutcome::failure(title, tr("设备应答了, 但应答无效: %1").arg(QString::fromLatin1(hexDump(reply.left(64)))));
        else
            outcome.addInformation(title, tr("设备已应答, 用时 %1 ms").arg(elapsed));
        outcome.contact = contactOf(result);
    }
    finish(outcome, ItemWriteOutcome(), elapsed);
}
