#pragma once

#include "config/configcomparison.h"

#include <QCoreApplication>
#include <QString>

// The texts of a file compared with the connected instrument, for the comparison dialog and zq-cli.
class ComparisonTexts
{
    Q_DECLARE_TR_FUNCTIONS(ComparisonTexts)
public:
    // What a foreign file is (another model, another instrument); empty for the instrument's own.
    static QString warning(const ConfigComparison& comparison);
    // Why a row is or is not offered; empty for an offered row that is proposed.
    static QString reason(const ComparedRow& row);
};
