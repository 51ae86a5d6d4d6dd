#include "bench/support/simprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

SimProcess::SimProcess() = default;

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QStringList& options)
{
    stop();
    process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zq-simulator");
    process->start(program,
                   QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--probe-port"),
                               QStringLiteral("0")}
                       + options);
    if (!process->waitForStarted(5000)) {
        error = QStringLiteral("%1 did not start: %2").arg(program, process->errorString());
        return false;
    }
    const bool wantPty = options.contains(QStringLiteral("--pty"));
    const bool wantHttp = options.contains(QStringLiteral("--http"));
    QElapsedTimer clock;
    clock.start();
    // It prints "UDP 127.0.0.1:PORT", with a pty "PTY /dev/pts/N", with --http "HTTP URL", once ready.
    const auto ready = [&] { return port != 0 && (!wantPty || !pty.isEmpty()) && (!wantHttp || !page.isEmpty()); };
    while (!ready() && clock.elapsed() < 10000) {
        if (!process->canReadLine() && !process->waitForReadyRead(200))
            continue;
        while (process->canReadLine()) {
            const QString line = QString::fromLocal8Bit(process->readLine()).trimmed();
            if (line.startsWith(QLatin1String("UDP ")))
                port = quint16(line.section(QLatin1Char(':'), -1).toUInt());
            else if (line.startsWith(QLatin1String("PTY ")))
                pty = line.mid(4);
            else if (line.startsWith(QLatin1String("HTTP ")))
                page = line.mid(5);
        }
    }
    if (!ready()) {
        error = QStringLiteral("the simulator did not say where it listens");
        return false;
    }
    return true;
}

void SimProcess::stop()
{
    if (!process)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
    process.reset();
    port = 0;
    pty.clear();
    page.clear();
}
