#pragma once

#include <QString>
#include <QStringList>

// An instrument's item text is "name:value" or a bare name. A value may itself hold ':' (a time of
// day such as 12:30:00), so the value is everything after the first ':'.

// The item text split at every ':' with empty parts kept; field 0 is the name.
QStringList splitItemText(const QString& text);

// The value of a row: every field after the name joined again by ':', trimmed; empty for a
// confirm-only row (one field).
QString itemValue(const QStringList& fields);

// An enumeration item names its options: "label(opt1/opt2/.../optN)", at least two options.
struct ItemEnumeration
{
    bool isEnumeration = false;
    QString label;
    QStringList options;
};
ItemEnumeration parseEnumeration(const QString& name);

// The option to preselect for value: an exact match sticks, otherwise the last option that occurs
// inside value; empty when none does.
QString chooseOption(const QStringList& options, const QString& value);

// Why a new value plainly does not fit its item, judged before anything is sent.
enum class ValueProblem {
    None,
    NotANumber, // the instrument reports a number (maybe with a unit) and value is none
    NotAnOption // an enumeration item and value is not one of its options
};
// name and readValue as the row shows them (without number and colon); a number item may be given
// its number alone or with the unit it was read with ("9600" or "9600 bps").
ValueProblem checkItemValue(const QString& name, const QString& readValue, const QString& value);
