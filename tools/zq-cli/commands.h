#pragma once

#include "tools/zq-cli/clioptions.h"
#include "tools/zq-cli/exitcode.h"

#include <QCoreApplication>

// The subcommands of zq-cli, each on the core the assistant's window uses for the same operation.
// Each prints its results and returns the exit status.
class ReadCommand
{
    Q_DECLARE_TR_FUNCTIONS(ReadCommand)
public:
    static ExitCode run(const CliOptions& options);
};

class WriteCommand
{
    Q_DECLARE_TR_FUNCTIONS(WriteCommand)
public:
    static ExitCode run(const CliOptions& options);
};

class ClockCommand
{
    Q_DECLARE_TR_FUNCTIONS(ClockCommand)
public:
    static ExitCode run(const CliOptions& options);
};

class FlashCommand
{
    Q_DECLARE_TR_FUNCTIONS(FlashCommand)
public:
    static ExitCode run(const CliOptions& options);
};

class SearchCommand
{
    Q_DECLARE_TR_FUNCTIONS(SearchCommand)
public:
    static ExitCode run(const CliOptions& options);
};

class HistoryCommand
{
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)
public:
    static ExitCode run(const CliOptions& options);
};

// Runs until Ctrl-C or --seconds; the only subcommand that does not end by itself.
class MonitorCommand
{
    Q_DECLARE_TR_FUNCTIONS(MonitorCommand)
public:
    static ExitCode run(const CliOptions& options);
};
