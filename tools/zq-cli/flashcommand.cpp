#include "tools/zq-cli/commands.h"

#include "firmware/ddbserver.h"
#include "firmware/updatethread.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

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
        // Direct: the transfer's signals are taken in its own thread; this one only waits for it.
        QObject::connect(&thread, &UpdateThread::signalUpdateProgress,
                         [&](int percent) { progress.update(target.label, percent); });
        QObject::connect(&thread, &UpdateThread::signalUpdateSucceed, [&] { succeeded = true; });
        QObject::connect(&thread, &UpdateThread::signalShowErrorMessage, [&](const QString& text) { failure = text; });
        thread.start();
        thread.wait();
        if (succeeded) {
            progress.update(target.label, 100);
            result.lines.append(QCoreApplication::translate("UpdateDialog", "固件更新成功!"));
        } else {
            result.fail(exitCodeFor(thread.failure(), thread.linkError()), failure);
        }
        return result;
    });
}
