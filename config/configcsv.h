#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"

#include <QStringList>
#include <QVector>

// What an import yields: the outcome and, when it succeeded, the rows in file order (a failure
// yields no rows at all).
struct CsvImport
{
    ConfigOutcome outcome;
    QVector<ImportedRow> rows;
};

// The configuration CSV file: UTF-8 with a byte order mark, CR LF line ends, one line per row.
class ConfigCsv
{
public:
    // The item the traffic monitor turns the instrument's debug output on and off with: a file
    // may not set it.
    static constexpr int DebugSwitchIndex = 255;

    static ConfigOutcome exportTo(const QString& fileName, const ConfigRows& rows);
    static CsvImport importFrom(const QString& fileName);
};
