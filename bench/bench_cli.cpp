// zq-cli flashing several instruments at once: per round, one transfer to one simulator process
// (the floor) and four transfers to four simulator processes served in parallel, their order
// alternating. No page is delayed, so the figure shows what serving four costs on this machine
// rather than hiding it behind the instrument's waits. Usage: bench_cli [--loaded] [--rounds N]
#include "bench/support/benchrun.h"
#include "bench/support/simprocess.h"
#include "firmware/packagewriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Pages = 2048;

// Milliseconds for one zq-cli flash run against the first count instruments; -1 when it failed.
double flashMs(const QString& package, const std::vector<std::unique_ptr<SimProcess>>& sims, int count)
{
    QStringList arguments{QStringLiteral("flash"), package, QStringLiteral("--timeout"), QStringLiteral("200")};
    for (int i = 0; i < count; ++i)
        arguments << QStringLiteral("--udp") << QStringLiteral("127.0.0.1:%1").arg(sims.at(size_t(i))->udpPort());
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zq-cli"), arguments);
    if (!cli.waitForFinished(120000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "zq-cli failed: %s\n", cli.readAllStandardError().constData());
        return -1;
    }
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const BenchOptions options = BenchOptions::parse(argc, argv, 5);
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("bench.zqbin"));
    // Newer than what the simulator runs, so that no downgrade stops the transfer.
    PackageWriter::write(package,
                         PackageWriter::fields(QStringLiteral("bench"), QStringLiteral("ZQ-200"),
                                               QStringLiteral("V9.0.0"), QByteArray(Pages * 1024, '\x5A')));
    std::vector<std::unique_ptr<SimProcess>> sims;
    for (int i = 0; i < 4; ++i) {
        sims.push_back(std::make_unique<SimProcess>());
        if (!sims.back()->start({QStringLiteral("--model"), QStringLiteral("ZQ-200")})) {
            std::fprintf(stderr, "%s\n", qPrintable(sims.back()->errorText()));
            return 1;
        }
    }
    const BusyLoops load(options.loaded);
    printHeading("bench_cli: zq-cli flash of 2 MiB to one and to four simulator processes", options);
    RoundFigures figures;
    for (int round = 0; round < options.rounds; ++round) {
        double one = round % 2 == 0 ? flashMs(package, sims, 1) : 0;
        const double four = flashMs(package, sims, 4);
        if (round % 2 == 1)
            one = flashMs(package, sims, 1);
        if (one <= 0 || four <= 0)
            return 1;
        figures.add(four, one);
    }
    std::printf("one instrument %.0f ms, four in parallel %.0f ms (medians; one after another would be 4 x)\n",
                figures.medianFloor(), figures.medianMeasured());
    printRatioSummary(QStringLiteral("zq-cli flash, four beside one"), figures, QStringLiteral("ms"));
    return 0;
}
