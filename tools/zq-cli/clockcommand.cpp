#include "tools/zq-cli/commands.h"

#include "config/clocksync.h"
#include "config/texts/configtexts.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

ExitCode ClockCommand::run(const CliOptions& options)
{
    // A --time the instrument cannot hold is a bad option value: refused before any instrument
    // is reached. One with an offset stands for the local time it names.
    if (options.time.isValid() && !ClockSync::fits(options.time)) {
        CliOutput::error(clockOutOfRangeText(options.time));
        return ExitUsage;
    }
    return runOnEveryInstrument(options, [&](const LinkTarget& target) {
        InstrumentResult result;
        const QDateTime sent = (options.time.isValid() ? options.time : QDateTime::currentDateTime()).toLocalTime();
        // Checked before the link opens: this machine's own clock may be out of range too.
        if (!ClockSync::fits(sent)) {
            result.fail(ExitRefused, clockOutOfRangeText(sent));
            return result;
        }
        if (!linkOpens(target, result))
            return result;
        const ConfigOutcome outcome = ClockSync::run(target.settings, sent);
        for (const ConfigMessages::Box& box : configMessages(outcome).boxes) {
            if (box.error)
                result.fail(exitCodeFor(outcome.failureCode, outcome.linkError),
                            box.title + QStringLiteral(": ") + box.text);
            else
                result.lines.append(box.text);
        }
        result.json.insert(QStringLiteral("time"), sent.toString(Qt::ISODate));
        return result;
    });
}
