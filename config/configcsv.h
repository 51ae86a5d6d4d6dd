#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"

#include <QCoreApplication>
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
    Q_DECLARE_TR_FUNCTIONS(ConfigCsv)
public:
    static ConfigOutcome exportTo(const QString& fileName, const ConfigRows& rows);
    static CsvImport importFrom(const QString& fileName);
};
