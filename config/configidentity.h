#pragma once

#include "config/configrow.h"

#include <QMap>
#include <QString>

// Which instrument a configuration belongs to, derived from its rows alone: the item names by index
// and the values of the rows that name the instrument (its name, its model and, where the list has
// one, its serial number). A file exported by an older assistant carries the same rows, so it knows
// its instrument too.
struct ConfigIdentity
{
    QString name;
    QString model;
    QString serial;
    QMap<int, QString> names;

    static ConfigIdentity of(const ConfigRows& rows);

    // Rows that name the instrument: never written, never offered from a file.
    static bool isIdentityName(const QString& name);
    // The instrument's clock: a file's value only sets it back.
    static bool isDeviceTime(const QString& name);

    bool isEmpty() const { return names.isEmpty(); }
    // "model-serial", or "model-name" without a serial row; either part may be missing. Not made safe
    // for a file name.
    QString label() const;
    // Same instrument as other: the serial numbers decide where both have one, else the model and name.
    bool sameInstrument(const ConfigIdentity& other) const;
};
