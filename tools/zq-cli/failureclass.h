#pragma once

#include "config/configoutcome.h"
#include "firmware/firmwaretransfer.h"
#include "history/historyquery.h"
#include "link/linkerror.h"
#include "monitor/monitorsession.h"
#include "tools/zq-cli/exitcode.h"

// The exit status a failure stands for, judged by its codes and never by its text, so that it is
// the same in every language: a link that did not open, a request not sent or not answered mean a
// silent instrument or a dead line (ExitLink); an instrument that answered something wrong or
// refused means ExitRefused; a file that could not be read or written ExitFile.
ExitCode exitCodeFor(LinkError error);
ExitCode exitCodeFor(ConfigFailure failure, LinkError error);
ExitCode exitCodeFor(HistoryFailure failure, LinkError error);
ExitCode exitCodeFor(UpdateFailure failure, LinkError error);
ExitCode exitCodeFor(MonitorFailure failure, LinkError error);
