#include "tools/zq-cli/commands.h"

#include "link/frames.h"
#include "monitor/displayform.h"
#include "monitor/monitorthread.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"
#include "tools/zq-cli/stopsignal.h"

#include <QDeadlineTimer>

namespace {

// How often the waiting thread looks at Ctrl-C and the deadline; a stop is noticed within this.
constexpr int PollMs = 50;

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

} // namespace

ExitCode MonitorCommand::run(const CliOptions& options)
{
    const LinkTarget& target = options.targets.first();
    InstrumentResult result;
    if (!linkOpens(target, result)) {
        CliOutput::result(target, result, options.json, false);
        return result.code;
    }

    const DisplayForm form = displayForm(options.display);
    StampClock clock;
    int lineCount = 0;
    MonitorThread thread;
    thread.setLinkSettings(target.settings);
    thread.setDebug(options.debug);
    // Direct: each line is printed from the worker as it comes; printing holds the worker back
    // when the output is slow, as the dialog's backlog does.
    QObject::connect(&thread, &MonitorThread::signalDataRecv, [&](const QByteArray& line) {
        ++lineCount;
        const QString time = clock.now();
        if (options.json) {
            CliOutput::json({{QStringLiteral("time"), time.mid(1, time.size() - 2)},
                             {QStringLiteral("bytes"), line.size()},
                             {QStringLiteral("text"), withoutTerminator(decodeDeviceText(line))},
                             {QStringLiteral("hex"), QString::fromLatin1(hexDump(line)).trimmed()}});
        } else if (form == DisplayForm::Original) {
            // A terminal log keeps the time of every line, the text as the instrument sent it.
            CliOutput::line(time + QStringLiteral("[%1] : ").arg(line.size()) + withoutTerminator(decodeDeviceText(line)));
        } else {
            CliOutput::line(withoutTerminator(displayLine(line, form, time)));
        }
        thread.lineTaken();
    });
    QStringList failures;
    QObject::connect(&thread, &MonitorThread::signalShowError, [&](const QString& title, const QString& text) {
        failures.append(title + QStringLiteral(": ") + text);
    });

    StopSignal::install();
    thread.start();
    QDeadlineTimer deadline = options.seconds > 0 ? QDeadlineTimer(qint64(options.seconds) * 1000)
                                                  : QDeadlineTimer(QDeadlineTimer::Forever);
    // Ctrl-C and the deadline end the listening; a debug run then sends its closing command
    // before the worker ends.
    while (!thread.wait(PollMs)) {
        if (StopSignal::received() || deadline.hasExpired())
            thread.stop();
    }
    StopSignal::restore();
    const ExitCode code = exitCodeFor(thread.failure(), thread.linkError());
    for (const QString& failure : failures)
        result.fail(code == ExitOk ? ExitRefused : code, failure);

    result.json.insert(QStringLiteral("lines"), lineCount);
    if (options.json || !result.errors.isEmpty())
        CliOutput::result(target, result, options.json, false);
    return result.code;
}
