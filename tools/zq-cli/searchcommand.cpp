#include "tools/zq-cli/commands.h"

#include "setup/dsearchdevicethread.h"
#include "setup/searchtargets.h"
#include "tools/zq-cli/clioutput.h"

#include <QJsonObject>

ExitCode SearchCommand::run(const CliOptions& options)
{
    SearchTargets targets;
    targets.destinations = options.destinations.isEmpty() ? SearchTargets::interfaceBroadcasts() : options.destinations;
    targets.probePort = options.probePort;
    targets.replyWindowMs = options.waitMs;
    SearchTargets::install(&targets);

    DSearchDeviceThread thread(nullptr);
    // Direct: each answer is printed from the search thread as it comes.
    QObject::connect(&thread, &DSearchDeviceThread::signalInsertDevice,
                     [&](const QString& name, const QHostAddress& address, quint16 port) {
                         if (options.json)
                             CliOutput::json({{QStringLiteral("name"), name},
                                              {QStringLiteral("address"), address.toString()},
                                              {QStringLiteral("port"), int(port)}});
                         else
                             CliOutput::line(QStringLiteral("%1\t%2:%3").arg(name, address.toString()).arg(port));
                     });
    thread.search();
    thread.wait();
    if (thread.failure() != SearchFailure::None) {
        CliOutput::error(tr("没有仪器应答"));
        return ExitLink;
    }
    return ExitOk;
}
