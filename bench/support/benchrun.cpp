#include "bench/support/benchrun.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

BenchOptions BenchOptions::parse(int argc, char* argv[], int defaultRounds, int defaultSeconds)
{
    BenchOptions options;
    options.rounds = defaultRounds;
    options.seconds = defaultSeconds;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--loaded"))
            options.loaded = true;
        else if (argument == QLatin1String("--rounds") && i + 1 < argc)
            options.rounds = qMax(1, atoi(argv[++i]));
        else if (argument == QLatin1String("--seconds") && i + 1 < argc)
            options.seconds = qMax(1, atoi(argv[++i]));
        else
            options.rest.append(argument);
    }
    return options;
}

namespace {

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

BusyLoops::BusyLoops(bool wanted, int limitSeconds)
{
    if (!wanted)
        return;
    for (int i = 0; i < 2; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            // Only what is safe after a fork in a threaded process: a clock and a loop.
            const double end = monotonicSeconds() + limitSeconds;
            volatile unsigned long spins = 0;
            while (monotonicSeconds() < end)
                ++spins;
            _exit(0);
        }
        if (child > 0)
            children.append(child);
    }
}

BusyLoops::~BusyLoops()
{
    for (pid_t child : children) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

void RoundFigures::add(double measuredValue, double floor)
{
    measured.append(measuredValue);
    floors.append(floor);
    ratios.append(floor > 0 ? measuredValue / floor : 0.0);
}

QString RoundFigures::ratioList() const
{
    QStringList texts;
    for (double ratio : ratios)
        texts.append(QString::number(ratio, 'f', 2));
    return texts.join(QLatin1Char(' '));
}

double RoundFigures::percentile(QVector<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int rank = int(std::ceil(p / 100.0 * values.size()));
    return values.at(qBound(0, rank - 1, values.size() - 1));
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

void printHeading(const char* what, const BenchOptions& options)
{
    std::printf("%s (load average %s%s)\n", what, qPrintable(loadAverage()),
                options.loaded ? ", two busy loops beside" : "");
    std::fflush(stdout);
}

void printSummary(const QString& measure, double median, double p90, const QString& unit, const QString& floor,
                  int rounds)
{
    std::printf("SUMMARY\t%s\t%.2f\t%.2f\t%s\t%s\t%d\n", qPrintable(measure), median, p90, qPrintable(unit),
                qPrintable(floor), rounds);
    std::fflush(stdout);
}

void printRatioSummary(const QString& measure, const RoundFigures& figures, const QString& floorUnit)
{
    std::printf("  per-round ratios: %s\n", qPrintable(figures.ratioList()));
    printSummary(measure, figures.medianRatio(), figures.p90Ratio(), QStringLiteral("x floor"),
                 QStringLiteral("%1 %2").arg(figures.medianFloor(), 0, 'f', 3).arg(floorUnit), figures.count());
}

qint64 residentBytes()
{
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(statm);
    return qint64(resident) * sysconf(_SC_PAGESIZE);
}
