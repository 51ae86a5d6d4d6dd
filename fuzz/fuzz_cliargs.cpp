// zq-cli's command line, any arguments: it is refused with a message or read into options that hold
// only what the command line allows (a known subcommand, a reachable link, values in range).
// Arguments are the input cut at NUL bytes.
#include "fuzzcheck.h"
#include "tools/zq-cli/cliparser.h"

#include <QCoreApplication>
#include <QHostAddress>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // As in zq-cli: the help text names the program from the application's arguments.
    static QCoreApplication application(*argc, *argv);
    // The help text goes nowhere. (The parser also reads config.ini of the working directory, where
    // there is none.)
    std::freopen("/dev/null", "w", stdout);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QStringList arguments{QStringLiteral("zq-cli")};
    for (const QByteArray& argument : bytes.split('\0'))
        arguments.append(QString::fromUtf8(argument));

    CliParser parser;
    const CliParser::Outcome outcome = parser.parse(arguments);
    if (outcome == CliParser::Failed)
        FUZZ_CHECK(!parser.message().isEmpty());
    if (outcome != CliParser::Run)
        return 0;

    static const QStringList commands{QStringLiteral("read"),    QStringLiteral("write"), QStringLiteral("set-clock"),
                                      QStringLiteral("history"), QStringLiteral("flash"), QStringLiteral("monitor"),
                                      QStringLiteral("search")};
    const CliOptions& options = parser.options();
    FUZZ_CHECK(commands.contains(options.command));
    FUZZ_CHECK(options.timeoutMs >= 0 && options.timeoutMs <= 600000);
    const bool search = options.command == QLatin1String("search");
    FUZZ_CHECK(search == options.targets.isEmpty());
    FUZZ_CHECK(options.targets.size() <= 1 || CliParser::servesSeveral(options.command));
    for (const LinkTarget& target : options.targets) {
        FUZZ_CHECK(!target.label.isEmpty());
        const LinkSettings& link = target.settings;
        if (link.useUdp) {
            // config.ini is empty, so a UDP peer comes from --udp and was checked.
            FUZZ_CHECK(!QHostAddress(link.udpAddress).isNull());
            bool ok = false;
            const int port = link.udpPort.toInt(&ok);
            FUZZ_CHECK(ok && port >= 1 && port <= 65535);
        }
        FUZZ_CHECK(link.deviceAddress >= 0 && link.deviceAddress <= 255);
        FUZZ_CHECK(link.dataBits >= 5 && link.dataBits <= 8);
    }
    if (options.command == QLatin1String("write") || options.command == QLatin1String("flash"))
        FUZZ_CHECK(!options.file.isEmpty() || arguments.contains(QString()));
    if (options.command == QLatin1String("history"))
        FUZZ_CHECK(options.from.isValid() && options.to.isValid() && options.from <= options.to);
    if (options.command == QLatin1String("monitor"))
        FUZZ_CHECK(options.seconds >= 0 && options.seconds <= 86400 * 365);
    if (search)
        FUZZ_CHECK(options.probePort >= 1 && options.waitMs >= 1 && options.waitMs <= 600000);
    return 0;
}
