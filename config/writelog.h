#pragma once

#include "config/configrow.h"
#include "config/configwriter.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

// What became of one item of a write.
enum class WriteResult {
    Written, // the instrument holds the value sent
    Refused, // it answered, but kept another value
    Failed // no answer in form: the write stopped there
};

// One line of the write log.
struct WriteLogLine
{
    QDateTime time;
    QString instrument; // model and serial number, or name, as the configuration read told them
    int index = 0;
    QString item;
    QString oldValue;
    QString newValue;
    WriteResult result = WriteResult::Written;
};

// The log of every item written to an instrument, by the window and by zq-cli alike: a CSV file
// beside config.ini that only ever grows. Each line reaches the file as its item is answered, so a
// write killed half-way leaves the lines before it whole.
class WriteLog
{
public:
    // The log beside config.ini.
    static QString defaultPath();

    explicit WriteLog(QString path = defaultPath()) : path(std::move(path)) { }

    // False when the line could not be written (the write itself goes on: the log is no reason to
    // leave an instrument half-written).
    bool append(const WriteLogLine& line) const;

    // The last lines of the log, newest first, at most limit of them; lines that do not read (a
    // line cut by a crash, a foreign file) are left out. Bounded in the bytes it reads.
    QVector<WriteLogLine> newestFirst(int limit = 5000) const;

    const QString& fileName() const { return path; }

private:
    QString path;
};

// Writes the lines of one write: as the instrument answers each row, and for the row a failure
// stopped at. Old values are the ones the instrument last reported, by item index.
class WriteLogger
{
public:
    WriteLogger(const WriteLog& log, QString instrument, QHash<int, QString> oldValues);

    // Progress for ConfigWriter::writeAll over rows that logs each answer, then tells next.
    ConfigWriter::Progress around(const ConfigRows& rows, const ConfigWriter::Progress& next);
    // After writeAll: a failure (not a stop) is logged against the row it stopped at.
    void ended(const ConfigRows& rows, const ConfigOutcome& outcome);
    // One item written on its own.
    void one(const ConfigRow& row, const QString& value, const ItemWriteOutcome& outcome);

private:
    void add(const ConfigRow& row, const QString& value, WriteResult result);

    WriteLog log;
    QString instrument;
    QHash<int, QString> oldValues;
    int lastStarted = -1;
    int lastAnswered = -1;
};
