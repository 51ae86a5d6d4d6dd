#include "tools/zq-cli/cliapp.h"

#include "link/linktimings.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/cliparser.h"
#include "tools/zq-cli/commands.h"

#include <QGuiApplication>
#include <QHash>

#include <functional>

namespace {
// Every wait for an instrument's reply at once; the silences that end a stream stay as they are.
void installTimeout(int ms)
{
    LinkTimings timings = LinkTimings::current();
    timings.readItemMs = ms;
    timings.readItemRetryMs = ms;
    timings.writeItemMs = ms;
    timings.setClockMs = ms;
    timings.streamFirstDataMs = ms;
    static LinkTimings installed;
    installed = timings;
    LinkTimings::install(&installed);
}
}

int runCli(const QStringList& arguments)
{
    CliParser parser;
    switch (parser.parse(arguments)) {
    case CliParser::Finished:
        return ExitOk;
    case CliParser::Failed:
        CliOutput::error(parser.message());
        return ExitUsage;
    case CliParser::Run:
        break;
    }
    const CliOptions& options = parser.options();
    if (options.timeoutMs > 0)
        installTimeout(options.timeoutMs);

    const QHash<QString, std::function<ExitCode(const CliOptions&)>> commands{
        {QStringLiteral("read"), &ReadCommand::run},
        {QStringLiteral("write"), &WriteCommand::run},
        {QStringLiteral("set-clock"), &ClockCommand::run},
        {QStringLiteral("flash"), &FlashCommand::run},
        {QStringLiteral("search"), &SearchCommand::run},
        {QStringLiteral("history"), &HistoryCommand::run},
        {QStringLiteral("monitor"), &MonitorCommand::run},
    };
    const auto command = commands.constFind(options.command);
    if (command == commands.constEnd()) {
        CliOutput::error(QCoreApplication::translate("CliParser", "未知的子命令: %1").arg(options.command));
        return ExitUsage;
    }
    return (*command)(options);
}

std::unique_ptr<QCoreApplication> makeCliApplication(int& argc, char** argv)
{
    // Only history --pdf draws text, and fonts need a GUI application; every other run stays
    // free of a display. The PDF is painted off screen, so no display is needed for it either,
    // unless the user names a platform himself.
    bool history = false;
    bool pdf = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (!history && !argument.startsWith('-'))
            history = argument == "history";
        if (argument == "--pdf" || argument.startsWith("--pdf="))
            pdf = true;
    }
    if (!history || !pdf)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}
