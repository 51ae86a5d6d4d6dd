#pragma once

#include "config/configrow.h"

class QWidget;

// Asks the operator for an item's new value, as a double click on its row does: an action item
// (a factory reset) is only confirmed, with Cancel the default; a valued item gets the edit dialog,
// which comes back with a value that plainly does not fit. Returns a WriteMode (WriteCancelled when
// the operator gave up); value receives the new value of a valued item.
int askItemValue(QWidget* parent, const ConfigRow& row, QString& value);
