#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <sys/types.h>

// The command line every benchmark shares: --loaded runs two busy loops beside the measurement,
// --rounds N sets how many rounds of measured path and floor alternate, --seconds N the length of
// a run where one is timed; what is left over is the benchmark's own.
struct BenchOptions
{
    bool loaded = false;
    int rounds = 0;
    int seconds = 0;
    QStringList rest;

    static BenchOptions parse(int argc, char* argv[], int defaultRounds, int defaultSeconds = 0);
};

// Two processes that keep both cores busy, each for at most the given time (so a bench that dies
// leaves nothing spinning), ended when this goes.
class BusyLoops
{
public:
    explicit BusyLoops(bool wanted, int limitSeconds = 900);
    ~BusyLoops();
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    QVector<pid_t> children;
};

// Per-round figures: each round pairs the measured path with its floor, measured one right after
// the other; the ratio is taken per round, never as a ratio of separate medians.
class RoundFigures
{
public:
    void add(double measured, double floor);
    int count() const { return ratios.size(); }
    double medianRatio() const { return percentile(ratios, 50); }
    double p90Ratio() const { return percentile(ratios, 90); }
    double medianMeasured() const { return percentile(measured, 50); }
    double medianFloor() const { return percentile(floors, 50); }
    QString ratioList() const;

    // Nearest rank: the smallest value with at least p % of the values at or below it.
    static double percentile(QVector<double> values, double p);

private:
    QVector<double> ratios;
    QVector<double> measured;
    QVector<double> floors;
};

// "1.23 0.98 0.77": the load averages of the last 1, 5 and 15 minutes.
QString loadAverage();

// Prints the benchmark's heading with the load average and whether the cores were loaded.
void printHeading(const char* what, const BenchOptions& options);

// One line of scripts/bench.sh's table, also readable where it stands:
//   SUMMARY<TAB>measure<TAB>median<TAB>p90<TAB>unit<TAB>floor<TAB>rounds
void printSummary(const QString& measure, double median, double p90, const QString& unit, const QString& floor,
                  int rounds);
void printRatioSummary(const QString& measure, const RoundFigures& figures, const QString& floorUnit);

// The bytes of resident memory of this process (from /proc/self/statm); 0 when unknown.
qint64 residentBytes();
