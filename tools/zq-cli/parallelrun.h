#pragma once

#include "tools/zq-cli/clioptions.h"
#include "tools/zq-cli/instrumentresult.h"

#include <functional>

// Serves every instrument of a run on a thread of its own (each opens its own channel there),
// prints each result in the order the instruments were named as soon as it and those before it are
// done, and returns the highest exit status. A failure on one instrument does not stop the others.
using InstrumentJob = std::function<InstrumentResult(const LinkTarget& target)>;
ExitCode runOnEveryInstrument(const CliOptions& options, const InstrumentJob& job);

// Opens and closes the target's link once, so that a port that cannot be opened is told apart
// from an instrument that stays silent. False fills result with the channel's reason.
bool linkOpens(const LinkTarget& target, InstrumentResult& result);
