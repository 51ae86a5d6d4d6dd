#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One run of the built zq-cli program in the current working directory (a WorkDir), with what it
// printed and how it ended.
struct CliRun
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
    qint64 elapsedMs = 0;

    QStringList outLines() const;
};

// Starts zq-cli with arguments and waits for it up to timeoutMs; a run still going then is killed
// and comes back unfinished.
CliRun runZqCli(const QStringList& arguments, int timeoutMs = 8000);
// Several runs side by side (each with its own arguments), each waited for up to timeoutMs.
QList<CliRun> runZqCliTogether(const QList<QStringList>& argumentLists, int timeoutMs = 8000);
