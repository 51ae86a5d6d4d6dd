#pragma once

#include <QString>
#include <QStringList>

// One line of a configuration CSV file (without its line break): "05. name, value". The number is
// the instrument's item index, not the tree's display number. Nothing is quoted or escaped.
QString formatCsvLine(int index, const QString& column0, const QString& column1);

// One line read back: the index at its head and the row's fields. Lines for the indices 0 and 1
// come back as a bare name: those items are identities that are never written. False when the
// line is not of the form "number.name,value".
bool parseCsvLine(const QString& line, int* index, QStringList* fields);
