#pragma once

#include "tools/zq-cli/linktarget.h"

#include <QDate>
#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// Everything a run of zq-cli was asked to do, as the command line gave it.
struct CliOptions
{
    enum Display { Text, Hex, Both };

    QString command;
    QList<LinkTarget> targets; // several only with repeated --udp
    bool json = false;
    int timeoutMs = 0; // 0: the instrument's own waits

    QString file;      // read --csv, write FILE.csv, flash PACKAGE.zqbin, history --csv
    bool dryRun = false;
    bool changedOnly = false;
    bool allowDowngrade = false; // flash: write a package older than the instrument's firmware
    QStringList skip;  // write --skip: item names or indices left out
    QDateTime time;    // set-clock --time; null: now
    QDate from;
    QDate to;
    QString pdfFile;
    bool summary = false; // history --summary: the numeric columns' counts, extremes and means
    bool tableCsv = false; // history --csv-format table: one column per field, for spreadsheets
    bool debug = false;
    Display display = Text;
    int seconds = 0;   // 0: until Ctrl-C
    quint16 probePort = 1500;
    int waitMs = 3000;
    QList<QHostAddress> destinations; // search --to; empty: the machine's broadcast addresses
};
