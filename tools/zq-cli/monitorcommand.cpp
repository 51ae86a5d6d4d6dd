#include "tools/zq-cli/commands.h"

#include "link/frames.h"
#include "monitor/displayform.h"
#include "monitor/monitorthread.h"
#include "tools/zq-cli/clioutput.h"
#include "tools/zq-cli/failureclass.h"
#include "tools/zq-cli/parallelrun.h"
#include "tools/zq-cli/stopsignal.h"

#include <QDeadlineTimer>
#include <QJsonObject>

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
    const DeviceTextDecoder decoder;
    int lineCount = 0;
    MonitorThread thread;
    thread.setLinkSettings(target.settings);
    thread.setDebug(options.debug);
    // Direct: each piece's lines are printed from the worker as it comes; printing holds the worker back
    // when the output is slow, as the dialog's backlog does.
    QObject::connect(&thread, &MonitorThread::signalLinesRecv, [&](const QByteArrayList& lines, qint64 receivedAtMs) {
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
                // The monitor dialog's log file holds the same lines: a terminal log keeps the time of
                // every line, also in the text form.
                CliOutput::line(shownLine(line, form, time, decoder));
            }
        }
        thread.linesTaken(lines.size());
    });
    QStringList failures;
    QObject::connect(&thread, &MonitorThread::signalShowError, [&](const QString& title, const QString& text) {
        failures.append(title + QStringLiteral(": ") + text);
    });

    StopSignal::install();
    thread.start();
    QDeadlineTimer deadline =
        options.seconds > 0 ? QDeadlineTimer(qint64(options.seconds) * 1000) : QDeadlineTimer(QDeadlineTimer::Forever);
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
