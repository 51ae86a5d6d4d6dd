#pragma once

#include "config/configoutcome.h"
#include "config/configrow.h"

#include <QDateTime>
#include <QDir>

// The values an instrument held before a write, saved as a configuration CSV file in a folder of
// backups: "<instrument>-yyyyMMdd-HHmmss.csv". Restoring one is an import of that file.
class ConfigBackup
{
public:
    // How many backups of one instrument stay; older ones go when a new one is made.
    static constexpr int KeptPerInstrument = 50;

    // The folder "Backups" beside config.ini.
    static QDir folder();
    // The instrument's name made safe for a file name: letters and digits of any script, '-' and
    // '_' stay, anything else becomes '_'; at most 40 characters; "ZQ" when nothing is left.
    static QString safeName(const QString& instrument);
    // Saves rows in the export format and prunes the instrument's older backups. The outcome names
    // the file made (savedTo), or the folder or file that failed.
    static ConfigOutcome save(const QDir& folder, const QString& instrument, const ConfigRows& rows,
                              const QDateTime& at, QString* fileName = nullptr);
};
