#include "tools/zq-cli/parallelrun.h"

#include "link/linkchannel.h"
#include "link/texts/linktexts.h"
#include "tools/zq-cli/clioutput.h"

#include <QThread>

#include <memory>
#include <vector>

ExitCode runOnEveryInstrument(const CliOptions& options, const InstrumentJob& job)
{
    const int count = options.targets.size();
    std::vector<InstrumentResult> results(static_cast<size_t>(count));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < count; ++i) {
        const LinkTarget target = options.targets.at(i);
        InstrumentResult* slot = &results[size_t(i)];
        threads.emplace_back(QThread::create([job, target, slot] { *slot = job(target); }));
        threads.back()->start();
    }
    ExitCode worst = ExitOk;
    for (int i = 0; i < count; ++i) {
        threads[size_t(i)]->wait();
        const InstrumentResult& result = results[size_t(i)];
        CliOutput::result(options.targets.at(i), result, options.json, count > 1);
        worst = qMax(worst, result.code);
    }
    return worst;
}

bool linkOpens(const LinkTarget& target, InstrumentResult& result)
{
    LinkChannel channel;
    if (channel.open(target.settings))
        return true;
    result.fail(ExitLink, linkOpenFailureText(channel.openFailure()));
    return false;
}
