#pragma once

#include "config/configrow.h"

#include <QString>
#include <QStringList>

// The configuration CSV file, one record per tree row: "05. name, value". The number is the
// instrument's item index, not the tree's display number. A confirm-only row has nothing at all
// after the comma; a valued row always has something (at least the blank after the tree's colon).
// A value holding a comma, a double quote or a line break is quoted as CSV does ("a,b",
// "say ""hi"""); the name stays plain (it runs to the last comma) unless it holds a line break.
// Files of the older plain format, where nothing was quoted, still read as before.

// One record (without its line break).
QString formatCsvLine(const ConfigRow& row);

// Why a record could not be read.
enum class CsvLineError {
    None,
    Malformed, // not "number.name,value", or a quote that does not close
    IndexOutOfRange, // the number does not fit the request's one index byte
    StrayQuote // a field that begins with a quote after blanks: meant quoted, but not read so
};

// One record read back: the index at its head and the row's fields, as a read hands them over.
// Rows of the indices 0 and 1 come back as a bare name: those items are identities that are never
// written (identityValue, when given, receives the value the file gives them). A confirm-only record
// comes back as a bare name too.
CsvLineError parseCsvRecord(const QString& record, int* index, QStringList* fields, QString* identityValue = nullptr);
bool parseCsvLine(const QString& line, int* index, QStringList* fields);

// Splits a whole file's text into records at line breaks outside quoted fields. lines receives
// the line number (from 1) at which each record starts. False when a quoted field never closes;
// records then holds what came before it and lines one more entry, the line of the open quote.
bool splitCsvRecords(const QString& text, QStringList* records, QList<int>* lines);
