#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <memory>

// zq-cli from its arguments to its exit status: parse, set the link's waits, run the subcommand.
int runCli(const QStringList& arguments);

// The application object for this command line: a QGuiApplication on the offscreen platform for
// history --pdf (its fonts), a QCoreApplication for everything else.
std::unique_ptr<QCoreApplication> makeCliApplication(int& argc, char** argv);
