#pragma once

#include <QByteArray>
#include <QStringRef>

// Whether a line of the instrument's log is a record: it begins with its date and its time,
// "2026-03-01 00:00:00" (the date's parts separated by '-', '/' or '.', the seconds optional),
// after any leading blanks or commas. Anything else after the header (the instrument's debug
// lines, noise, a record another line broke into) is not one. The digits are ASCII in every
// codec the instrument uses, so raw bytes are judged the same as their text.
bool startsWithDateTime(const QByteArray& line);
bool startsWithDateTime(const QStringRef& line);
