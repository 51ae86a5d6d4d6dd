#pragma once

#include "tools/zq-cli/clihelp.h"
#include "tools/zq-cli/clioptions.h"
#include "tools/zq-cli/exitcode.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QStringList>

class QCommandLineParser;

// Turns zq-cli's command line into CliOptions with QCommandLineParser. The language is settled
// first (--lang, else config.ini) so that the help and every message come in it.
class CliParser
{
    Q_DECLARE_TR_FUNCTIONS(CliParser)
public:
    enum Outcome {
        Run,      // options are complete
        Finished, // help or version was printed
        Failed    // message() says what is wrong
    };

    Outcome parse(const QStringList& arguments);
    const CliOptions& options() const { return parsed; }
    QString message() const { return error; }

    // The subcommands that accept --udp more than once.
    static bool servesSeveral(const QString& command);

private:
    void addOptions(QCommandLineParser& parser, const QString& command);
    // Adds to the parser and to the help.
    void addOption(QCommandLineParser& parser, const QCommandLineOption& option);
    void addArgument(QCommandLineParser& parser, const QString& name, const QString& text, const QString& syntax);
    QString helpText(const QString& description) const;
    bool readConnection(QCommandLineParser& parser);
    bool readCommand(QCommandLineParser& parser);
    bool settingsFit();
    bool fail(const QString& text);
    Outcome refuse(const QString& text);

    CliOptions parsed;
    QString error;
    QList<CliHelp::Entry> helpOptions;
    QList<CliHelp::Entry> helpArguments;
    QStringList argumentSyntax;
};
