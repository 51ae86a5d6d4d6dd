#include "tools/zq-cli/commands.h"

#include "jobs/stoptoken.h"
#include "link/hexdump.h"
#include "linesplit/linesplitter.h"
#include "monitor/displayform.h"
#include "monitor/monitorsession.h"
#include "monitor/texts/monitortexts.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"
#include "tools/zq-cli/stopsignal.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QJsonObject>

namespace {

DisplayForm displayForm(CliOptions::Display display)
{
    switch (display) {
    case CliOptions::Hex:
        return DisplayForm::Hex;
    case CliOptions::Both:
        return DisplayForm::OriginalHex;
    case CliOptions::Text:
        break;
    }
    return DisplayForm::Original;
}

QString withoutTerminator(QString line)
{
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

// Prints each line as it comes, on the run's own thread: printing holds the run back when the
// output is slow. Ctrl-C and the deadline are looked at between listening cycles; a debug run then
// sends its closing command before it ends.
class PrintingSink : public MonitorSink
{
public:
    PrintingSink(const CliOptions& options, const QDeadlineTimer& deadline, StopSource& stop)
        : options(options), form(displayForm(options.display)), deadline(deadline), stop(stop)
    { }

    int lineCount = 0;
    QStringList failures;

    void received(const QByteArray& bytes, qint64 receivedAtMs) override { print(cutter.feed(bytes), receivedAtMs); }
    void lineInterrupted() override
    {
        const QByteArray unfinished = cutter.flush();
        if (!unfinished.isEmpty())
            print({unfinished}, QDateTime::currentMSecsSinceEpoch());
    }
    void streamRestarted() override { cutter.clear(); }
    void debugCommandFailed(LinkError error) override
    {
        failures.append(MonitorTexts::failureTitle(MonitorFailure::DebugCommand) + QStringLiteral(": ")
                        + MonitorTexts::failureText(MonitorFailure::DebugCommand, error, QString()));
    }
    std::optional<bool> takeDebugRequest() override
    {
        if (StopSignal::received() || deadline.hasExpired())
            stop.request();
        return std::nullopt;
    }

private:
    void print(const QByteArrayList& lines, qint64 receivedAtMs)
    {
        if (lines.isEmpty())
            return;
        const QString time = clock.at(receivedAtMs);
        for (const QByteArray& line : lines) {
            ++lineCount;
            if (options.json) {
                QJsonObject shown{{QStringLiteral("time"), time.mid(1, time.size() - 2)},
                                  {QStringLiteral("bytes"), line.size()},
                                  {QStringLiteral("text"), withoutTerminator(decoder.decode(line))},
                                  {QStringLiteral("hex"), QString::fromLatin1(hexDump(line)).trimmed()}};
                if (isCutLine(line))
                    shown.insert(QStringLiteral("cut"), true);
                else if (isIncompleteLine(line))
                    shown.insert(QStringLiteral("incomplete"), true);
                CliOutput::json(shown);
            } else {
                // The monitor dialog's log file holds the same lines: a terminal log keeps the time
                // of every line, also in the text form.
                CliOutput::line(shownLine(line, form, time, decoder));
            }
        }
    }

    const CliOptions& options;
    const DisplayForm form;
    const QDeadlineTimer deadline;
    StopSource& stop;
    LineSplitter cutter;
    StampClock clock;
    const DeviceTextDecoder decoder;
};

} // namespace

ExitCode MonitorCommand::run(const CliOptions& options)
{
    const LinkTarget& target = options.targets.first();
    InstrumentResult result;
    if (!linkOpens(target, result)) {
        CliOutput::result(target, result, options.json, false);
        return result.code;
    }

    const QDeadlineTimer deadline =
        options.seconds > 0 ? QDeadlineTimer(qint64(options.seconds) * 1000) : QDeadlineTimer(QDeadlineTimer::Forever);
    StopSource stop;
    PrintingSink sink(options, deadline, stop);
    StopSignal::install();
    const MonitorOutcome outcome = runMonitor(target.settings, options.debug, stop.token(), sink);
    StopSignal::restore();
    const ExitCode code = exitCodeFor(outcome.failure, outcome.linkError);
    if (outcome.failure == MonitorFailure::CannotOpen)
        sink.failures.append(MonitorTexts::failureTitle(outcome.failure) + QStringLiteral(": ")
                             + MonitorTexts::failureText(outcome.failure, outcome.linkError, outcome.openError));
    for (const QString& failure : qAsConst(sink.failures))
        result.fail(code == ExitOk ? ExitRefused : code, failure);

    result.json.insert(QStringLiteral("lines"), sink.lineCount);
    if (options.json || !result.errors.isEmpty())
        CliOutput::result(target, result, options.json, false);
    return result.code;
}
