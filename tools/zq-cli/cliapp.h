#pragma once

#include <QStringList>

// zq-cli from its arguments to its exit status: parse, set the link's waits, run the subcommand.
int runCli(const QStringList& arguments);
