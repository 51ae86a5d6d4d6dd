#include "tests/support/clirun.h"

#include <QElapsedTimer>
#include <QProcess>

#include <memory>
#include <vector>

QStringList CliRun::outLines() const
{
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

CliRun runZqCli(const QStringList& arguments, int timeoutMs)
{
    return runZqCliTogether({arguments}, timeoutMs).first();
}

QList<CliRun> runZqCliTogether(const QList<QStringList>& argumentLists, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList& arguments : argumentLists) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"), arguments);
    }
    QList<CliRun> runs;
    for (const auto& process : processes) {
        CliRun run;
        run.finished = process->waitForFinished(int(qMax<qint64>(1, timeoutMs - clock.elapsed())))
                       && process->exitStatus() == QProcess::NormalExit;
        if (!run.finished) {
            process->kill();
            process->waitForFinished();
        }
        run.elapsedMs = clock.elapsed();
        run.exitCode = process->exitCode();
        run.out = QString::fromUtf8(process->readAllStandardOutput());
        run.err = QString::fromUtf8(process->readAllStandardError());
        runs.append(run);
    }
    return runs;
}
