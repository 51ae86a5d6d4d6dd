#include "history/chartseries.h"

#include "history/recordcolumns.h"

#include <algorithm>
#include <cmath>

ChartSeries::ChartSeries(int column, const QString& name, std::vector<QPointF> points)
    : col(column), label(name), pts(std::move(points))
{
    // An instrument logs in time order, but a clock set back mid-log must not tangle the line.
    if (!std::is_sorted(pts.begin(), pts.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }))
        std::stable_sort(pts.begin(), pts.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    for (size_t i = 0; i < pts.size(); ++i) {
        low = i == 0 ? pts[i].y() : std::min(low, pts[i].y());
        high = i == 0 ? pts[i].y() : std::max(high, pts[i].y());
    }
}

QList<ChartSeries> ChartSeries::fromColumns(const RecordColumns& columns, const QStringList& names)
{
    QList<ChartSeries> series;
    for (const int column : columns.numericColumns()) {
        std::vector<QPointF> points;
        points.reserve(size_t(columns.recordCount()));
        for (int record = 0; record < columns.recordCount(); ++record) {
            const double time = columns.time(record);
            const double value = columns.value(record, column);
            if (!std::isnan(time) && !std::isnan(value))
                points.emplace_back(time, value);
        }
        series.append(ChartSeries(column, names.value(column), std::move(points)));
    }
    return series;
}

namespace {

// The index of the first point at or after time.
size_t firstAtOrAfter(const std::vector<QPointF>& points, double time)
{
    return size_t(
        std::lower_bound(points.begin(), points.end(), time, [](const QPointF& p, double t) { return p.x() < t; })
        - points.begin());
}

// The index of the first point after time.
size_t firstAfter(const std::vector<QPointF>& points, double time)
{
    return size_t(
        std::upper_bound(points.begin(), points.end(), time, [](double t, const QPointF& p) { return t < p.x(); })
        - points.begin());
}

} // namespace

bool ChartSeries::valueRange(double from, double to, double* least, double* greatest) const
{
    const size_t begin = firstAtOrAfter(pts, from);
    const size_t end = firstAfter(pts, to);
    if (begin >= end)
        return false;
    double lo = pts[begin].y();
    double hi = lo;
    for (size_t i = begin + 1; i < end; ++i) {
        lo = std::min(lo, pts[i].y());
        hi = std::max(hi, pts[i].y());
    }
    *least = lo;
    *greatest = hi;
    return true;
}

int ChartSeries::nearestPoint(double time) const
{
    if (pts.empty())
        return -1;
    const size_t after = firstAtOrAfter(pts, time);
    if (after == 0)
        return 0;
    if (after >= pts.size())
        return int(pts.size() - 1);
    return time - pts[after - 1].x() <= pts[after].x() - time ? int(after - 1) : int(after);
}

QVector<QPointF> ChartSeries::thinned(double from, double to, int columns) const
{
    QVector<QPointF> out;
    if (pts.empty() || !(to >= from))
        return out;
    size_t begin = firstAtOrAfter(pts, from);
    size_t end = firstAfter(pts, to);
    // The neighbours outside the range carry the line to the edges.
    if (begin > 0)
        --begin;
    if (end < pts.size())
        ++end;
    const size_t count = end - begin;
    columns = std::max(1, columns);
    if (count <= size_t(columns) * 4) {
        out.reserve(int(count));
        for (size_t i = begin; i < end; ++i)
            out.append(pts[i]);
        return out;
    }
    out.reserve(columns * 4 + 4);
    const double width = to > from ? (to - from) / columns : 1;
    const auto pixelOf = [&](double x) {
        return x < from ? -1 : x > to ? columns : std::min(columns - 1, int((x - from) / width));
    };
    size_t i = begin;
    while (i < end) {
        const int pixel = pixelOf(pts[i].x());
        const size_t first = i;
        size_t lowest = i;
        size_t highest = i;
        while (i < end && pixelOf(pts[i].x()) == pixel) {
            if (pts[i].y() < pts[lowest].y())
                lowest = i;
            if (pts[i].y() > pts[highest].y())
                highest = i;
            ++i;
        }
        const size_t last = i - 1;
        // The four in time order, each once.
        size_t picks[4] = {first, std::min(lowest, highest), std::max(lowest, highest), last};
        size_t previous = end;
        for (const size_t pick : picks) {
            if (pick != previous)
                out.append(pts[pick]);
            previous = pick;
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
