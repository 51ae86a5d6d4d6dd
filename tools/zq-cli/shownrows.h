#pragma once

#include "config/configrow.h"
#include "config/skipitems.h"

#include <QStringList>

// The rows as the assistant's tree shows them: the SkipItems rules applied, a display number
// counting the shown rows ("01. name"), and ": value" or nothing in the second column. Each list
// holds its own held name row, so that instruments read in parallel do not share one.
class ShownRows
{
public:
    explicit ShownRows(const SkipMap& skipMap) : skipMap(skipMap) {}

    void add(int index, const QStringList& fields);
    void clear() { shown.clear(); }
    const ConfigRows& rows() const { return shown; }

private:
    void append(int index, const QStringList& fields);

    const SkipMap& skipMap;
    HeldRow pending;
    ConfigRows shown;
};
