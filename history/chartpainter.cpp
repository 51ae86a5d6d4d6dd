#include "history/chartpainter.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 Minute = 60 * 1000;
constexpr qint64 Hour = 60 * Minute;
constexpr qint64 Day = 24 * Hour;

// A step between time ticks that gives about `ticks` of them over span.
qint64 timeStep(double span, int ticks)
{
    static const qint64 steps[] = {1000,        5000,     15000,    30000,    Minute,    5 * Minute, 15 * Minute,
                                   30 * Minute, Hour,     3 * Hour, 6 * Hour, 12 * Hour, Day,        2 * Day,
                                   7 * Day,     14 * Day, 30 * Day, 91 * Day, 365 * Day};
    for (const qint64 step : steps) {
        if (span / double(step) <= ticks)
            return step;
    }
    return 365 * Day * qint64(std::ceil(span / double(365 * Day) / ticks));
}

// A round step between value ticks: 1, 2 or 5 times a power of ten.
double valueStep(double span, int ticks)
{
    if (!(span > 0))
        return 1;
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= factor * power)
            return factor * power;
    }
    return 10 * power;
}

QString tickTime(double ms, qint64 step)
{
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC);
    if (step >= Day)
        return time.toString(QStringLiteral("yyyy-MM-dd"));
    if (step >= Minute)
        return time.toString(QStringLiteral("MM-dd hh:mm"));
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QString number(double value, double step)
{
    const int decimals = step >= 1 ? 0 : qMin(6, int(std::ceil(-std::log10(step))));
    return QString::number(value, 'f', decimals);
}

} // namespace

QColor chartColor(int n)
{
    static const QColor colors[] = {QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28), QColor(0x2C, 0xA0, 0x2C),
                                    QColor(0xFF, 0x7F, 0x0E), QColor(0x94, 0x67, 0xBD), QColor(0x8C, 0x56, 0x4B),
                                    QColor(0xE3, 0x77, 0xC2), QColor(0x7F, 0x7F, 0x7F)};
    return colors[qMax(0, n) % int(sizeof colors / sizeof colors[0])];
}

void paintChart(QPainter& painter, const QRectF& area, const ChartPicture& picture)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    double from = picture.from;
    double to = picture.to;
    if (!(to > from)) {
        bool any = false;
        for (const ChartSeries& series : picture.series) {
            if (series.isEmpty())
                continue;
            from = any ? qMin(from, series.firstTime()) : series.firstTime();
            to = any ? qMax(to, series.lastTime()) : series.lastTime();
            any = true;
        }
        if (!(to > from)) {
            from -= 30000;
            to = from + 60000;
        }
    }
    const bool normalised = picture.series.size() > 1;
    double least = 0;
    double greatest = 1;
    if (!normalised && !picture.series.isEmpty() && picture.series.first().valueRange(from, to, &least, &greatest)
        && greatest <= least) {
        least -= 1;
        greatest += 1;
    }

    // The legend takes the lines at the bottom; the value labels the left, the time labels a line.
    const int legendLines = qMax(1, int(picture.series.size()));
    const double step = normalised ? 0.25 : valueStep(greatest - least, 5);
    const double low = normalised ? 0 : std::floor(least / step) * step;
    const double high = normalised ? 1 : std::ceil(greatest / step) * step;
    double labelWidth = 0;
    for (double v = low; v <= high + step / 2; v += step)
        labelWidth = qMax(labelWidth, metrics.horizontalAdvance(number(v, step)));
    const QString axisTitle = normalised ? picture.normalisedTitle
        : picture.series.isEmpty()       ? QString()
                                         : picture.series.first().name();
    const QRectF plot(area.left() + labelWidth + line * 1.6, area.top() + line * 0.5,
                      area.width() - labelWidth - line * 2.2, area.height() - line * (2.5 + legendLines * 1.2));
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const auto xOf = [&](double t) { return plot.left() + (t - from) / (to - from) * plot.width(); };
    const auto yOf = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };

    painter.save();
    const double hairline = qMax(1.0, line / 20);
    QPen grid(QColor(0xD0, 0xD0, 0xD0), hairline, Qt::DotLine);
    QPen axis(Qt::black, hairline);
    // Value ticks and their grid lines.
    for (double v = low; v <= high + step / 2; v += step) {
        const double y = yOf(v);
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(axis);
        const QString label = number(v, step);
        painter.drawText(QPointF(plot.left() - line * 0.3 - metrics.horizontalAdvance(label),
                                 y + metrics.ascent() / 2 - metrics.descent() / 2),
                         label);
    }
    // Time ticks: at round times, labelled so that they do not overlap.
    const double sample = metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00")) * 1.3;
    const qint64 tstep = timeStep(to - from, qMax(2, int(plot.width() / sample)));
    for (double t = std::ceil(from / double(tstep)) * double(tstep); t <= to; t += double(tstep)) {
        const double x = xOf(t);
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(axis);
        const QString label = tickTime(t, tstep);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(label) / 2, plot.bottom() + line * 0.2 + metrics.ascent()), label);
    }
    painter.setPen(axis);
    painter.drawRect(plot);
    if (!axisTitle.isEmpty()) {
        painter.save();
        painter.translate(area.left() + metrics.ascent(), plot.center().y() + metrics.horizontalAdvance(axisTitle) / 2);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), axisTitle);
        painter.restore();
    }

    // The curves, thinned to the plot's width in the device's pixels, clipped to the plot.
    painter.setClipRect(plot);
    for (int i = 0; i < picture.series.size(); ++i) {
        const ChartSeries& series = picture.series.at(i);
        const double span = series.maximum() - series.minimum();
        const QVector<QPointF> points = series.thinned(from, to, qMax(1, int(plot.width() / hairline)));
        QPolygonF polyline;
        polyline.reserve(points.size());
        for (const QPointF& p : points) {
            const double v = normalised ? (span > 0 ? (p.y() - series.minimum()) / span : 0.5) : p.y();
            polyline.append(QPointF(xOf(p.x()), yOf(v)));
        }
        painter.setPen(QPen(chartColor(i), hairline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polyline);
    }
    painter.setClipping(false);

    // The legend: a stroke of the curve's colour and its name (with its range when normalised).
    double y = plot.bottom() + line * 1.6;
    for (int i = 0; i < picture.series.size(); ++i) {
        const ChartSeries& series = picture.series.at(i);
        painter.setPen(QPen(chartColor(i), hairline * 3));
        const double mid = y + metrics.ascent() / 2;
        painter.drawLine(QPointF(plot.left(), mid), QPointF(plot.left() + line * 1.5, mid));
        painter.setPen(axis);
        QString text = series.name();
        if (normalised)
            text += QStringLiteral(" (%1 – %2)").arg(series.minimum()).arg(series.maximum());
        painter.drawText(QPointF(plot.left() + line * 2, y + metrics.ascent()), text);
        y += line * 1.2;
    }
    painter.restore();
}
