#pragma once

#include "config/writemode.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One configuration item as the operations on it need it: the instrument's item index, its name
// and value as plain texts (no display number, no colon), and whether it carries a value at all.
struct ConfigRow
{
    int index = 0;
    QString name;
    QString value;
    // A confirm-only item (an action such as a reset) has no value and is written with an empty one.
    bool valued = false;
    // How the instrument's text was decoded (a DeviceCodec), -1 when the row did not come from it:
    // an unchanged value goes back encoded the same way, byte for byte.
    int codec = -1;

    bool isConfirmOnly() const { return !valued; }
    WriteMode writeMode() const { return valued ? WriteValued : WriteConfirmOnly; }
};
using ConfigRows = QVector<ConfigRow>;

// An item as the read hands it over: its index, the fields of its text (split at every ':') and how
// the text was decoded (a DeviceCodec).
struct ReadItem
{
    int index = 0;
    QStringList fields;
    int codec = -1;
};

// A row read from a configuration CSV file: the item index and its fields, as a read hands them over.
struct ImportedRow
{
    int index = 0;
    QStringList fields;
    // The value the file gives an identity row (indices 0 and 1): compared, never written.
    QString identityValue;
};
