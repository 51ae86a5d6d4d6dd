#pragma once

#include "firmware/downloadfailure.h"
#include "firmware/httpfetch.h"

// The failure a fetch that did not bring what was asked for ends in, for the catalogue page or for
// a package: None when it finished, or was stopped.
DownloadProblem pageFetchProblem(const HttpFetch& fetch, HttpFetch::Outcome outcome, qint64 idleTimeoutMs);
DownloadProblem fileFetchProblem(const HttpFetch& fetch, HttpFetch::Outcome outcome, qint64 idleTimeoutMs);
