#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Configuration CSV files as a careless operator or a hostile sender hands them over, each with a
// good row ahead of its bad one (a half-written instrument would show it), for the window's import
// and for zq-cli write alike.
struct CsvCase
{
    const char* name;
    QByteArray contents;
    int badLine = 0; // 0: the file is good and its two rows are written
    QString reason; // what the refusal says after the line number
};

QList<CsvCase> csvImportCases();

// The two rows every good case holds, as the instrument keeps them after the write.
QStringList csvCaseWrittenItems();
// The items the instrument starts with, two of them the ones the cases write.
QStringList csvCaseInstrumentItems();
