#include "tools/zq-cli/cliapp.h"

#include "link/linktimings.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/cliparser.h"
#include "tools/zq-cli/commands.h"

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
    };
    const auto command = commands.constFind(options.command);
    if (command == commands.constEnd()) {
        // history and monitor wait for the cores of their dialogs.
        CliOutput::error(QCoreApplication::translate("CliParser", "子命令 %1 尚未提供").arg(options.command));
        return ExitUsage;
    }
    return (*command)(options);
}
