#pragma once

#include "config/configjobs.h"
#include "config/configoutcome.h"

// What a connection test shows: its failure or the time the answer took in a box, or only a status
// when it was stopped. The window's "测试连接" and zq-cli alike.
ConfigOutcome connectionTestOutcome(const ConnectionTest& test);
