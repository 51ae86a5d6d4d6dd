#pragma once

#include "config/configidentity.h"
#include "config/configrow.h"

#include <QSet>
#include <QVector>

// What a file's row may do to the connected instrument.
enum class RowVerdict {
    Offered, // same index and name, another value: may be written
    Unchanged, // the instrument holds the file's value already
    Identity, // names the instrument: never written
    Action, // an action on either side: a file never carries one out
    ReadOnly, // the instrument only reports it (a reading, its firmware version): never written
    NameDiffers, // the instrument's item of that index has another name: refused
    NotOnInstrument // the instrument has no item of that index: refused
};

// One row of a file beside the instrument's item of the same index.
struct ComparedRow
{
    int index = 0;
    QString fileName;
    QString fileValue;
    bool onInstrument = false;
    QString instrumentName;
    QString instrumentValue;
    RowVerdict verdict = RowVerdict::NotOnInstrument;
    // Proposed for writing: offered rows, except the instrument's clock, rows it refused before and
    // every row of a foreign file.
    bool checked = false;

    bool isRefused() const { return verdict == RowVerdict::NameDiffers || verdict == RowVerdict::NotOnInstrument; }
};

// A configuration file (an export or a backup) compared with the last read of the connected
// instrument, before anything of it is shown as a change.
struct ConfigComparison
{
    ConfigIdentity file;
    ConfigIdentity instrument;
    QVector<ComparedRow> rows;
    // The file names another model (its model row says so, or most of its names differ).
    bool foreignModel = false;
    // The file names another instrument of the model: both have serial numbers, and they differ.
    bool foreignSerial = false;

    // refusedBefore: indices of items the instrument kept another value for when last written.
    static ConfigComparison compare(const ConfigRows& file, const ConfigRows& instrument,
                                    const QSet<int>& refusedBefore = {});

    bool isForeign() const { return foreignModel || foreignSerial; }
    QVector<ComparedRow> refused() const;
    int offeredCount() const;
};

// The rows of an imported file as rows of values; an identity row (indices 0 and 1) carries the
// value the file gives it, which is compared but never written.
ConfigRows fileRows(const QVector<ImportedRow>& imported);
