#include "history/chartseries.h"

#include "history/recordcolumns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool byTime(const QPointF& a, const QPointF& b)
{
    return a.x() < b.x();
}

} // namespace

ChartSeries::ChartSeries(int column, const QString& name, std::vector<QPointF> given) : col(column), label(name)
{
    // An instrument logs in time order, but a clock set back mid-log must not tangle the line.
    if (!std::is_sorted(given.begin(), given.end(), byTime))
        std::stable_sort(given.begin(), given.end(), byTime);
    count = int(given.size());
    for (size_t i = 0; i < given.size(); ++i) {
        low = i == 0 ? given[i].y() : std::min(low, given[i].y());
        high = i == 0 ? given[i].y() : std::max(high, given[i].y());
    }
    points = std::make_shared<const std::vector<QPointF>>(std::move(given));
}

ChartSeries::ChartSeries(int column, const QString& name, const std::shared_ptr<const RecordColumns>& columns)
    : col(column), label(name), source(columns)
{
    const int records = columns->recordCount();
    bool everyRecord = true;
    double previous = -std::numeric_limits<double>::infinity();
    for (int record = 0; record < records && everyRecord; ++record) {
        const double time = columns->time(record);
        everyRecord = !std::isnan(columns->value(record, column)) && time >= previous;
        previous = time;
    }
    if (!everyRecord) {
        for (int record = 0; record < records; ++record) {
            if (!std::isnan(columns->time(record)) && !std::isnan(columns->value(record, column)))
                picks.push_back(record);
        }
        std::stable_sort(picks.begin(), picks.end(),
                         [&columns](int a, int b) { return columns->time(a) < columns->time(b); });
    }
    count = everyRecord ? records : int(picks.size());
    for (int i = 0; i < count; ++i) {
        const double y = at(i).y();
        low = i == 0 ? y : std::min(low, y);
        high = i == 0 ? y : std::max(high, y);
    }
}

QList<ChartSeries> ChartSeries::fromColumns(const std::shared_ptr<const RecordColumns>& columns,
                                            const QStringList& names)
{
    QList<ChartSeries> series;
    for (const int column : columns->numericColumns())
        series.append(ChartSeries(column, names.value(column), columns));
    return series;
}

QPointF ChartSeries::at(int i) const
{
    if (points)
        return (*points)[size_t(i)];
    const int record = picks.empty() ? i : picks[size_t(i)];
    return QPointF(source->time(record), source->value(record, col));
}

double ChartSeries::timeAt(int i) const
{
    if (points)
        return (*points)[size_t(i)].x();
    return source->time(picks.empty() ? i : picks[size_t(i)]);
}

int ChartSeries::firstAtOrAfter(double time) const
{
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (timeAt(middle) < time)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int ChartSeries::firstAfter(double time) const
{
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (!(time < timeAt(middle)))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool ChartSeries::valueRange(double from, double to, double* least, double* greatest) const
{
    const int begin = firstAtOrAfter(from);
    const int end = firstAfter(to);
    if (begin >= end)
        return false;
    double lo = at(begin).y();
    double hi = lo;
    for (int i = begin + 1; i < end; ++i) {
        const double y = at(i).y();
        lo = std::min(lo, y);
        hi = std::max(hi, y);
    }
    *least = lo;
    *greatest = hi;
    return true;
}

int ChartSeries::nearestPoint(double time) const
{
    if (count == 0)
        return -1;
    const int after = firstAtOrAfter(time);
    if (after == 0)
        return 0;
    if (after >= count)
        return count - 1;
    return time - timeAt(after - 1) <= timeAt(after) - time ? after - 1 : after;
}

QVector<QPointF> ChartSeries::thinned(double from, double to, int columns) const
{
    QVector<QPointF> out;
    if (count == 0 || !(to >= from))
        return out;
    int begin = firstAtOrAfter(from);
    int end = firstAfter(to);
    // The neighbours outside the range carry the line to the edges.
    if (begin > 0)
        --begin;
    if (end < count)
        ++end;
    columns = std::max(1, columns);
    if (end - begin <= columns * 4) {
        out.reserve(end - begin);
        for (int i = begin; i < end; ++i)
            out.append(at(i));
        return out;
    }
    out.reserve(columns * 4 + 4);
    const double width = to > from ? (to - from) / columns : 1;
    const auto pixelOf = [&](double x) {
        return x < from ? -1 : x > to ? columns : std::min(columns - 1, int((x - from) / width));
    };
    // Each point is read once: a series of a table's column works it out from the columns.
    struct Pick
    {
        int at;
        QPointF point;
    };
    int i = begin;
    QPointF point = at(i);
    while (i < end) {
        const int pixel = pixelOf(point.x());
        const Pick first{i, point};
        Pick lowest = first;
        Pick highest = first;
        Pick last = first;
        while (i < end && pixelOf(point.x()) == pixel) {
            if (point.y() < lowest.point.y())
                lowest = Pick{i, point};
            if (point.y() > highest.point.y())
                highest = Pick{i, point};
            last = Pick{i, point};
            if (++i < end)
                point = at(i);
        }
        // The four in time order, each once.
        const bool lowFirst = lowest.at <= highest.at;
        const Pick picks[4] = {first, lowFirst ? lowest : highest, lowFirst ? highest : lowest, last};
        int previous = -1;
        for (const Pick& pick : picks) {
            if (pick.at != previous)
                out.append(pick.point);
            previous = pick.at;
        }
    }
    return out;
}

int nearestRecord(const RecordColumns& columns, double time)
{
    int best = -1;
    double distance = 0;
    for (int record = 0; record < columns.recordCount(); ++record) {
        const double t = columns.time(record);
        if (std::isnan(t))
            continue;
        const double d = std::fabs(t - time);
        if (best < 0 || d < distance) {
            best = record;
            distance = d;
        }
    }
    return best;
}
