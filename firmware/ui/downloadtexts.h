#pragma once

#include "firmware/downloadfailure.h"

#include <QString>

// The texts the operator reads for a failed catalogue fetch or download, made from the worker's
// code in this one place.
QString downloadFailureText(const DownloadProblem& problem);

// What a fetch says that brought less than 1 KiB within idleMs, the catalogue's and the
// download's alike.
QString downloadIdleText(qint64 idleMs);
