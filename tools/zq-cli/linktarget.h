#pragma once

#include "settings/linksettings.h"

#include <QString>

// One instrument of a run: how to reach it and the name its result line carries
// ("127.0.0.1:5000", or the serial port).
struct LinkTarget
{
    QString label;
    LinkSettings settings;
};
