#include "tools/zq-cli/commands.h"

#include "config/clocksync.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"

ExitCode ClockCommand::run(const CliOptions& options)
{
    return runOnEveryInstrument(options, [&](const LinkTarget& target) {
        InstrumentResult result;
        if (!linkOpens(target, result))
            return result;
        const QDateTime sent = options.time.isValid() ? options.time : QDateTime::currentDateTime();
        const ConfigOutcome outcome = ClockSync::run(target.settings, sent);
        for (const ConfigOutcome::Box& box : outcome.boxes) {
            if (box.error)
                result.fail(exitCodeFor(outcome.failureCode, outcome.linkError), box.title + QStringLiteral(": ") + box.text);
            else
                result.lines.append(box.text);
        }
        result.json.insert(QStringLiteral("time"), sent.toString(Qt::ISODate));
        return result;
    });
}
