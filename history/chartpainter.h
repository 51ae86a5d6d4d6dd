#pragma once

#include "history/chartseries.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// The colour of the chart's n-th curve, the same on screen and on paper.
QColor chartColor(int n);

// The trend chart drawn with a painter alone, for the PDF report (which has no widgets): a time
// axis below, a value axis on the left, a light grid, one thinned polyline per series and a legend
// under it. One series is drawn on its own scale; several are each normalised to their least and
// greatest value and the legend gives those. Everything scales with the painter's font.
struct ChartPicture
{
    QList<ChartSeries> series;
    double from = 0; // the time span drawn; from == to: the span of the series
    double to = 0;
    QString normalisedTitle; // the value axis's title when several series share it
};

void paintChart(QPainter& painter, const QRectF& area, const ChartPicture& picture);
