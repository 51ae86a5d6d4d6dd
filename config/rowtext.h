#pragma once

#include "config/configrow.h"

#include <QString>
#include <QStringList>

// The one place where a row's texts are made, for the tree, the command-line tool and the files.

// A number left-padded to two digits, a dot, a blank and the name: "05. name". The tree numbers
// the rows it shows from 1; the CSV file writes the instrument's index.
QString numberedName(int number, const QString& name);

// The value column: ": value" for a valued row, nothing for a confirm-only one.
QString valueText(const ConfigRow& row);

// The row as the operator copies it: "name: value", or the bare name of a confirm-only row.
QString copiedText(const ConfigRow& row);

// A row made from the fields of an instrument's item text (name, value and any further parts of a
// value that held ':'), both trimmed.
ConfigRow rowFromFields(int index, const QStringList& fields);
