#pragma once

#include "history/chartseries.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QwtPlot;
class QwtPlotCurve;
class QwtPlotMarker;
class QwtPlotPicker;
class QwtPlotZoomer;

// The trend chart of the history: the numeric columns over date and time, one curve each, chosen
// by check boxes (all by default). One column is drawn on its own scale; several are each
// normalised to their least and greatest value, so that all share the height. The wheel zooms,
// a dragged rectangle zooms in, the middle button pans and "复位" shows everything again; the
// cursor tells the values at its time and a click picks the record nearest that time. Curves are
// drawn thinned to the chart's pixel width, so a month of records costs what a screen of them does.
class HistoryChart : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryChart(QWidget* parent = nullptr);
    ~HistoryChart() override;

    // The series to draw; the check boxes follow their columns, keeping what the operator unticked.
    void setSeries(const QList<ChartSeries>& series);
    void clear() { setSeries({}); }
    // The columns ticked, in column order.
    QList<int> shownColumns() const;
    void setColumnShown(int column, bool shown);
    // The time span on screen (milliseconds since the epoch, wall-clock read as UTC).
    double visibleFrom() const;
    double visibleTo() const;
    // Shows this span of time, the value scale fitted to it (the query's dates, a zoom).
    void showSpan(double from, double to);
    // The span "复位" returns to (the dates asked for); without one, the records' own span.
    void setBaseSpan(double from, double to);
    void clearBaseSpan() { baseFrom = baseTo = 0; }
    // Shows the base span, or every record.
    void resetZoom();
    // The points each shown curve holds now, for tests: at most four per pixel column.
    QList<int> drawnPointCounts() const;
    // The plot's drawing area, and where a time falls on it (tests click there).
    QWidget* canvas() const;
    int canvasX(double time) const;
    QSize plotSize() const;

    // Writes the chart as on screen to a PNG or SVG file; empty on success, else the error text.
    QString exportImage(const QString& path, bool svg) const;

signals:
    // The operator clicked at this time (milliseconds since the epoch, wall-clock read as UTC).
    void signalTimePicked(double time);
    // The chart was written to this image file.
    void signalImageSaved(const QString& path);

private slots:
    void slotExportImage();
    void redraw();

private:
    QString trackerText(double time) const;
    void rebuildChecks();
    void rebuildCurves();
    void resizeEvent(QResizeEvent* event) override;
    void fitValueScale();

    QList<ChartSeries> all;
    QList<int> hidden; // columns the operator unticked; kept across queries
    QList<QwtPlotCurve*> curves; // one per shown series, in the order of shownColumns()
    QList<const ChartSeries*> curveSeries;
    QHBoxLayout* checkRow;
    QList<QCheckBox*> checks;
    QwtPlot* chart;
    QwtPlotZoomer* zoomer;
    QwtPlotPicker* cursor;
    QwtPlotMarker* pickedLine;
    double baseFrom = 0;
    double baseTo = 0;
    bool normalised = false;
    bool redrawing = false;
};
