#pragma once

#include <QString>
#include <QVector>

// One row of the configuration tree as plain values, as the operations on it need them: the
// instrument's item index and the two column texts ("05. name", and ": value" or empty for an
// item that is only confirmed).
struct ConfigRow
{
    int index = 0;
    QString nameColumn;
    QString valueColumn;
    // How the instrument's text was decoded (a DeviceCodec), -1 when the row did not come from it:
    // an unchanged value goes back encoded the same way, byte for byte.
    int codec = -1;

    bool isConfirmOnly() const { return valueColumn.isEmpty(); }
};
using ConfigRows = QVector<ConfigRow>;
