#pragma once

#include "tools/zq-cli/instrumentresult.h"
#include "tools/zq-cli/linktarget.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QString>

// Where zq-cli writes: results on standard output (plain lines, or one JSON object per line),
// errors and progress on standard error, so that a script can read standard output alone.
// Texts that come from an instrument (item names and values, record and monitor lines, the names
// the search finds) may hold control characters: on a terminal they would move the cursor, retitle
// the window or clear it, or make a value look like another. Plain lines show them as escapes;
// JSON escapes them itself, and files keep the bytes as received.
class CliOutput
{
    Q_DECLARE_TR_FUNCTIONS(CliOutput)
public:
    static void line(const QString& text);
    static void error(const QString& text);
    static void json(const QJsonObject& object);
    // text with C0 controls but tab and line feed, DEL and C1 controls as "\x1b", and the
    // bidirectional embeddings, overrides and isolates as "\u202e".
    static QString visible(const QString& text);
    static bool stderrIsTerminal();

    // One instrument's result: its lines (each prefixed with the instrument when several take
    // part) and, with several, a closing result line; or its JSON object. Errors go to stderr.
    static void result(const LinkTarget& target, const InstrumentResult& result, bool json, bool several);
};

// Progress of the instruments of a run, fed from their threads: one bar per instrument on one
// redrawn line on a terminal, otherwise a plain line whenever an instrument's percentage changes.
class ProgressDisplay
{
public:
    explicit ProgressDisplay(bool terminal);
    ~ProgressDisplay();

    // note says what is happening (a stage of a firmware update), shown after the percentage.
    void update(const QString& label, int percent, const QString& note = QString());
    // Ends the bar line so that later output starts on a fresh line.
    void finish();

private:
    void draw();

    QMutex mutex;
    bool terminal;
    QMap<QString, int> percents;
    QMap<QString, QString> notes;
};
