#include "tests/support/clirun.h"

#include <QElapsedTimer>
#include <QProcess>

QStringList CliRun::outLines() const
{
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

CliRun runZqCli(const QStringList& arguments, int timeoutMs)
{
    CliRun run;
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(ZQ_BIN_DIR "/zq-cli"), arguments);
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.elapsedMs = clock.elapsed();
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
