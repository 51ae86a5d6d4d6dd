#include "tools/zq-cli/commands.h"

#include "setup/devicesearch.h"
#include "tools/zq-cli/clioutput.h"

#include <QJsonObject>

ExitCode SearchCommand::run(const CliOptions& options)
{
    SearchTargets targets;
    targets.destinations = options.destinations.isEmpty() ? SearchTargets::interfaceBroadcasts() : options.destinations;
    targets.probePort = options.probePort;
    targets.replyWindowMs = options.waitMs;

    // Each answer is printed as it comes.
    const SearchOutcome outcome = searchDevices(targets, StopToken(), [&](const FoundDevice& device) {
        if (options.json)
            CliOutput::json({{QStringLiteral("name"), device.name},
                             {QStringLiteral("address"), device.address.toString()},
                             {QStringLiteral("port"), int(device.port)}});
        else
            CliOutput::line(QStringLiteral("%1\t%2:%3").arg(device.name, device.address.toString()).arg(device.port));
    });
    if (outcome.failure != SearchFailure::None) {
        CliOutput::error(tr("没有仪器应答"));
        return ExitLink;
    }
    return ExitOk;
}
