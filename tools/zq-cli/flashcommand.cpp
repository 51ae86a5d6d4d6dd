#include "tools/zq-cli/commands.h"

#include "firmware/ddbserver.h"
#include "firmware/firmwaretransfer.h"
#include "firmware/firmwareversion.h"
#include "firmware/texts/updatetexts.h"
#include "firmware/versionread.h"
#include "link/linktimings.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

#include <QDeadlineTimer>

namespace {

// Shows the stages and the progress; refuses a downgrade unless allowed. A refusal ends the
// run's waits at once: the instrument is sent EndUpdate all the same, and the tool does not
// wait for answers that a loader never gives.
class FlashSink : public UpdateSink
{
public:
    FlashSink(ProgressDisplay& progress, const QString& label) : display(progress), label(label) { }

    QString instrumentVersion; // from its configuration before the transfer; empty: unknown
    QString packageVersion;
    bool allowDowngrade = false;
    bool downgradeRefused = false;
    StopSource stop;

    void stage(UpdateStage stage, int current, int total) override
    {
        display.update(label, percent, UpdateTexts::stage(stage, current, total));
    }
    void progress(int value) override
    {
        percent = value;
        display.update(label, value);
    }
    bool proceed(const QString&) override
    {
        const bool downgrade =
            FirmwareVersion::compare(packageVersion, instrumentVersion) == FirmwareVersion::Order::Older;
        downgradeRefused = downgrade && !allowDowngrade;
        return !downgradeRefused;
    }
    void decided(const UpdateOutcome& outcome) override
    {
        if (!outcome.ok() && !outcome.erased)
            stop.request();
    }

private:
    ProgressDisplay& display;
    const QString label;
    int percent = 0;
};

int itemTimeoutMs(const CliOptions& options)
{
    return options.timeoutMs > 0 ? options.timeoutMs : LinkTimings::current().readItemMs;
}

} // namespace

ExitCode FlashCommand::run(const CliOptions& options)
{
    // Read once, here: every package is read through one database connection of the process.
    DEncryptInfo info;
    info.filePath = options.file;
    QString refused = UpdateTexts::packageRead(DDbServer().readPackage(info));
    if (refused.isEmpty())
        refused = UpdateTexts::packageProblem(FirmwareTransfer::problemOf(info));
    if (!refused.isEmpty()) {
        CliOutput::error(refused);
        return ExitFile;
    }

    ProgressDisplay progress(CliOutput::stderrIsTerminal());
    return runOnEveryInstrument(options, [&](const LinkTarget& target) {
        InstrumentResult result;
        result.json.insert(QStringLiteral("model"), info.model());
        result.json.insert(QStringLiteral("version"), info.version());
        result.json.insert(QStringLiteral("bytes"), info.image().size());
        if (!linkOpens(target, result))
            return result;
        const int exchangeMs = options.timeoutMs > 0 ? options.timeoutMs : FirmwareTransfer::DefaultExchangeMs;
        // What the instrument runs now, from its configuration; a loader that does not answer
        // items leaves it unknown.
        const VersionRead before =
            VersionReader::read(target.settings, QDeadlineTimer(itemTimeoutMs(options)), itemTimeoutMs(options), {});
        if (before.found)
            result.json.insert(QStringLiteral("oldVersion"), before.version);

        FlashSink sink(progress, target.label);
        sink.instrumentVersion = before.version;
        sink.packageVersion = info.version();
        sink.allowDowngrade = options.allowDowngrade;
        const UpdateOutcome outcome = FirmwareTransfer::run(target.settings, info, sink.stop.token(), sink, exchangeMs);
        if (sink.downgradeRefused) {
            result.fail(ExitDowngrade,
                        tr("拒绝降级: 固件包的版本 %1 比仪器的版本 %2 旧; 确要降级请加 --allow-downgrade")
                            .arg(info.version(), before.version));
            return result;
        }
        if (!outcome.ok()) {
            result.fail(exitCodeFor(outcome.failure, outcome.link), UpdateTexts::failure(outcome, info.model()));
            return result;
        }
        progress.update(target.label, 100);
        result.lines.append(tr("固件更新成功!"));
        // The instrument restarts into the new firmware; it is asked until it answers.
        const VersionRead after = VersionReader::read(
            target.settings, QDeadlineTimer(FirmwareTransfer::finishTimeoutMs(exchangeMs)), itemTimeoutMs(options), {});
        if (after.found)
            result.json.insert(QStringLiteral("newVersion"), after.version);
        if (before.found && after.found)
            result.lines.append(QStringLiteral("version: %1 -> %2").arg(before.version, after.version));
        return result;
    });
}
