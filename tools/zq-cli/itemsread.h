#pragma once

#include "config/configrow.h"
#include "config/skipitems.h"
#include "tools/zq-cli/instrumentresult.h"
#include "tools/zq-cli/linktarget.h"

#include <QMap>

// The instrument's configuration as the assistant's Refresh reads it: the shown rows (the rows read
// before a failure, too) and, for comparing, every item's value by index (hidden ones included).
struct ItemsRead
{
    ConfigRows rows;
    QMap<int, QString> values;
};

// Reads the items of target as the assistant's Refresh does; a failure goes into result.
bool readItems(const LinkTarget& target, const SkipMap& skipMap, ItemsRead& read, InstrumentResult& result);
