#include "tools/zq-cli/commands.h"

#include "firmware/ddbserver.h"
#include "firmware/updatethread.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

#include <QDateTime>

#include <atomic>

ExitCode FlashCommand::run(const CliOptions& options)
{
    // Read once, here: every package is read through one database connection of the process.
    DEncryptInfo info;
    info.filePath = options.file;
    QString refused = DDbServer().readPackage(info);
    if (refused.isEmpty())
        refused = UpdateThread::refusal(info);
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
        UpdateThread thread;
        thread.setInfo(info);
        thread.setLinkSettings(target.settings);
        if (options.timeoutMs > 0)
            thread.setExchangeTimeout(options.timeoutMs);
        bool succeeded = false;
        QString failure;
        std::atomic<int> percent{0};
        // When the finish sequence must be over at the latest (ms since the epoch); 0 before it.
        std::atomic<qint64> finishBy{0};
        // Direct: the transfer's signals are taken in its own thread; this one only waits for it.
        QObject::connect(&thread, &UpdateThread::signalUpdateProgress, [&](int value) {
            percent = value;
            progress.update(target.label, value);
        });
        QObject::connect(&thread, &UpdateThread::signalStage, [&](int stage, int current, int total) {
            if (stage == UpdateThread::Finishing)
                finishBy = QDateTime::currentMSecsSinceEpoch() + qint64(current) * 1000;
            progress.update(target.label, percent, UpdateThread::stageText(stage, current, total));
        });
        QObject::connect(&thread, &UpdateThread::signalUpdateSucceed, [&] { succeeded = true; });
        QObject::connect(&thread, &UpdateThread::signalShowErrorMessage, [&](const QString& text) { failure = text; });
        thread.start();
        // The instrument may take its time to leave update mode; the seconds left are counted down.
        while (!thread.wait(1000)) {
            if (finishBy > 0) {
                const qint64 left = (finishBy - QDateTime::currentMSecsSinceEpoch() + 999) / 1000;
                progress.update(target.label, percent,
                                UpdateThread::stageText(UpdateThread::Finishing, int(qMax<qint64>(0, left))));
            }
        }
        if (succeeded) {
            progress.update(target.label, 100);
            result.lines.append(QCoreApplication::translate("UpdateDialog", "固件更新成功!"));
        } else {
            result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
        }
        return result;
    });
}
