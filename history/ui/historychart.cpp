#include "history/ui/historychart.h"

#include "files/wholefile.h"
#include "prompt/prompter.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <qwt_date.h>
#include <qwt_date_scale_draw.h>
#include <qwt_date_scale_engine.h>
#include <qwt_legend.h>
#include <qwt_picker_machine.h>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_picker.h>
#include <qwt_plot_renderer.h>
#include <qwt_plot_zoomer.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

#include <cmath>
#include <functional>

namespace {

// Colours that stay apart on white and in print, one per curve in turn.
const QList<QColor> CurveColors{QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28), QColor(0x2C, 0xA0, 0x2C),
                                QColor(0xFF, 0x7F, 0x0E), QColor(0x94, 0x67, 0xBD), QColor(0x8C, 0x56, 0x4B),
                                QColor(0xE3, 0x77, 0xC2), QColor(0x7F, 0x7F, 0x7F)};

// A picker whose tracker text is made by the chart.
class CursorPicker : public QwtPlotPicker
{
public:
    CursorPicker(QWidget* canvas, std::function<QString(double)> text)
        : QwtPlotPicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::VLineRubberBand, QwtPicker::AlwaysOn, canvas),
          text(std::move(text))
    {
        setStateMachine(new QwtPickerClickPointMachine);
    }

protected:
    QwtText trackerTextF(const QPointF& point) const override
    {
        QwtText label(text(point.x()));
        label.setBackgroundBrush(QColor(255, 255, 255, 220));
        return label;
    }

private:
    std::function<QString(double)> text;
};

QString timeText(double ms)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace

HistoryChart::HistoryChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* controls = new QHBoxLayout;
    checkRow = new QHBoxLayout;
    controls->addLayout(checkRow);
    controls->addStretch();
    auto* reset = new QPushButton(tr("复位"), this);
    reset->setObjectName(QStringLiteral("bntChartReset"));
    reset->setToolTip(tr("显示全部记录"));
    auto* save = new QPushButton(tr("导出图像..."), this);
    save->setObjectName(QStringLiteral("bntChartExport"));
    controls->addWidget(reset);
    controls->addWidget(save);
    layout->addLayout(controls);

    chart = new QwtPlot(this);
    chart->setObjectName(QStringLiteral("plotTrend"));
    chart->setCanvasBackground(Qt::white);
    // Dates as the records write them, in every language (the default names weekdays in English).
    auto* dates = new QwtDateScaleDraw(Qt::UTC);
    dates->setDateFormat(QwtDate::Millisecond, QStringLiteral("hh:mm:ss.zzz"));
    dates->setDateFormat(QwtDate::Second, QStringLiteral("hh:mm:ss"));
    dates->setDateFormat(QwtDate::Minute, QStringLiteral("MM-dd hh:mm"));
    dates->setDateFormat(QwtDate::Hour, QStringLiteral("MM-dd hh:mm"));
    dates->setDateFormat(QwtDate::Day, QStringLiteral("yyyy-MM-dd"));
    dates->setDateFormat(QwtDate::Week, QStringLiteral("yyyy-MM-dd"));
    dates->setDateFormat(QwtDate::Month, QStringLiteral("yyyy-MM"));
    dates->setDateFormat(QwtDate::Year, QStringLiteral("yyyy"));
    chart->setAxisScaleDraw(QwtPlot::xBottom, dates);
    chart->setAxisScaleEngine(QwtPlot::xBottom, new QwtDateScaleEngine(Qt::UTC));
    chart->setAxisAutoScale(QwtPlot::xBottom, false);
    chart->setAxisAutoScale(QwtPlot::yLeft, false);
    chart->setAxisLabelRotation(QwtPlot::xBottom, 0);
    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(QColor(0xE0, 0xE0, 0xE0), 0, Qt::DotLine);
    grid->attach(chart);
    chart->insertLegend(new QwtLegend, QwtPlot::BottomLegend);
    layout->addWidget(chart, 1);

    pickedLine = new QwtPlotMarker;
    pickedLine->setLineStyle(QwtPlotMarker::VLine);
    pickedLine->setLinePen(QColor(0x60, 0x60, 0x60), 0, Qt::DashLine);
    pickedLine->setVisible(false);
    pickedLine->attach(chart);

    // Drag a rectangle to zoom in; the right button steps back out.
    zoomer = new QwtPlotZoomer(chart->canvas());
    zoomer->setTrackerMode(QwtPicker::AlwaysOff);
    zoomer->setRubberBandPen(QPen(QColor(0x40, 0x40, 0x40), 0, Qt::DashLine));
    auto* magnifier = new QwtPlotMagnifier(chart->canvas());
    magnifier->setMouseButton(Qt::NoButton); // the wheel only; the buttons belong to the zoomer
    auto* panner = new QwtPlotPanner(chart->canvas());
    panner->setMouseButton(Qt::MiddleButton);
    cursor = new CursorPicker(chart->canvas(), [this](double time) { return trackerText(time); });
    cursor->setRubberBandPen(QColor(0x60, 0x60, 0x60));
    connect(cursor, QOverload<const QPointF&>::of(&QwtPlotPicker::selected), this, [this](const QPointF& point) {
        pickedLine->setXValue(point.x());
        pickedLine->setVisible(true);
        chart->replot();
        emit signalTimePicked(point.x());
    });

    // A new span on screen (zoom, pan, wheel, resize) is thinned anew, once the change has settled.
    connect(chart->axisWidget(QwtPlot::xBottom), &QwtScaleWidget::scaleDivChanged, this, &HistoryChart::redraw,
            Qt::QueuedConnection);
    connect(reset, &QPushButton::clicked, this, &HistoryChart::resetZoom);
    connect(save, &QPushButton::clicked, this, &HistoryChart::slotExportImage);
}

HistoryChart::~HistoryChart() = default;

void HistoryChart::setSeries(const QList<ChartSeries>& series)
{
    const bool firstSeries = all.isEmpty();
    bool sameColumns = series.size() == all.size();
    for (int i = 0; sameColumns && i < series.size(); ++i)
        sameColumns = series.at(i).column() == all.at(i).column() && series.at(i).name() == all.at(i).name();
    all = series;
    // The check boxes stay while the columns do (a query in progress adds records, not columns).
    if (sameColumns)
        rebuildCurves();
    else
        rebuildChecks();
    if (firstSeries || all.isEmpty())
        resetZoom();
    else
        redraw();
}

void HistoryChart::rebuildChecks()
{
    qDeleteAll(checks);
    checks.clear();
    for (const ChartSeries& series : all) {
        auto* check = new QCheckBox(series.name(), this);
        check->setObjectName(QStringLiteral("ckColumn%1").arg(series.column()));
        check->setChecked(!hidden.contains(series.column()));
        const int column = series.column();
        connect(check, &QCheckBox::toggled, this, [this, column](bool on) { setColumnShown(column, on); });
        checkRow->addWidget(check);
        checks.append(check);
    }
    rebuildCurves();
}

void HistoryChart::rebuildCurves()
{
    qDeleteAll(curves);
    curves.clear();
    curveSeries.clear();
    for (const ChartSeries& series : all) {
        if (hidden.contains(series.column()))
            continue;
        auto* curve = new QwtPlotCurve(series.name());
        curve->setPen(CurveColors.at(curves.size() % CurveColors.size()), 1.5);
        curve->setRenderHint(QwtPlotItem::RenderAntialiased);
        curve->attach(chart);
        curves.append(curve);
        curveSeries.append(&series);
    }
    // Several columns share the height, each between its own least and greatest value.
    normalised = curves.size() > 1;
    QString title;
    if (normalised)
        title = tr("归一化 (0 最小, 1 最大)");
    else if (!curveSeries.isEmpty())
        title = curveSeries.first()->name();
    // In the window's own font: the plot's bold default leaves too little room beside the scale.
    QwtText axisTitle(title);
    axisTitle.setFont(font());
    chart->setAxisTitle(QwtPlot::yLeft, axisTitle);
}

QList<int> HistoryChart::shownColumns() const
{
    QList<int> columns;
    for (const ChartSeries* series : curveSeries)
        columns.append(series->column());
    return columns;
}

void HistoryChart::setColumnShown(int column, bool shown)
{
    if (shown)
        hidden.removeAll(column);
    else if (!hidden.contains(column))
        hidden.append(column);
    for (QCheckBox* check : checks) {
        if (check->objectName() == QStringLiteral("ckColumn%1").arg(column)) {
            const QSignalBlocker quiet(check);
            check->setChecked(shown);
        }
    }
    rebuildCurves();
    fitValueScale();
    redraw();
}

double HistoryChart::visibleFrom() const
{
    return chart->axisInterval(QwtPlot::xBottom).minValue();
}

double HistoryChart::visibleTo() const
{
    return chart->axisInterval(QwtPlot::xBottom).maxValue();
}

void HistoryChart::showSpan(double from, double to)
{
    if (!(to > from)) {
        // One record, or none: a minute around it, so that the axis has a span.
        from -= 30000;
        to = from + 60000;
    }
    chart->setAxisScale(QwtPlot::xBottom, from, to);
    fitValueScale();
    chart->replot();
    zoomer->setZoomBase(false);
    redraw();
}

void HistoryChart::setBaseSpan(double from, double to)
{
    baseFrom = from;
    baseTo = to;
    resetZoom();
}

void HistoryChart::resetZoom()
{
    pickedLine->setVisible(false);
    if (baseTo > baseFrom) {
        showSpan(baseFrom, baseTo);
        return;
    }
    double from = 0;
    double to = 0;
    bool any = false;
    for (const ChartSeries& series : all) {
        if (series.isEmpty())
            continue;
        from = any ? qMin(from, series.firstTime()) : series.firstTime();
        to = any ? qMax(to, series.lastTime()) : series.lastTime();
        any = true;
    }
    if (!any) {
        const double now = double(QDateTime::currentDateTimeUtc().toMSecsSinceEpoch());
        from = now - 86400000.0;
        to = now;
    }
    showSpan(from, to);
}

void HistoryChart::fitValueScale()
{
    if (normalised) {
        chart->setAxisScale(QwtPlot::yLeft, -0.05, 1.05);
        return;
    }
    double least = 0;
    double greatest = 0;
    if (curveSeries.isEmpty() || !curveSeries.first()->valueRange(visibleFrom(), visibleTo(), &least, &greatest)) {
        chart->setAxisScale(QwtPlot::yLeft, 0, 1);
        return;
    }
    const double air = greatest > least ? (greatest - least) * 0.05 : qMax(1.0, std::fabs(least) * 0.05);
    chart->setAxisScale(QwtPlot::yLeft, least - air, greatest + air);
}

void HistoryChart::redraw()
{
    if (redrawing)
        return;
    redrawing = true;
    const double from = visibleFrom();
    const double to = visibleTo();
    const int width = qMax(1, chart->canvas()->width());
    for (int i = 0; i < curves.size(); ++i) {
        const ChartSeries& series = *curveSeries.at(i);
        QVector<QPointF> points = series.thinned(from, to, width);
        if (normalised) {
            const double span = series.maximum() - series.minimum();
            for (QPointF& point : points)
                point.setY(span > 0 ? (point.y() - series.minimum()) / span : 0.5);
        }
        curves.at(i)->setSamples(points);
    }
    chart->replot();
    redrawing = false;
}

QWidget* HistoryChart::canvas() const
{
    return chart->canvas();
}

int HistoryChart::canvasX(double time) const
{
    return int(chart->canvasMap(QwtPlot::xBottom).transform(time));
}

QSize HistoryChart::plotSize() const
{
    return chart->size();
}

QList<int> HistoryChart::drawnPointCounts() const
{
    QList<int> counts;
    for (const QwtPlotCurve* curve : curves)
        counts.append(int(curve->dataSize()));
    return counts;
}

QString HistoryChart::trackerText(double time) const
{
    QStringList lines{timeText(time)};
    for (const ChartSeries* series : curveSeries) {
        const int point = series->nearestPoint(time);
        if (point >= 0)
            lines.append(QStringLiteral("%1: %2").arg(series->name()).arg(series->at(point).y()));
    }
    return lines.join(QLatin1Char('\n'));
}

void HistoryChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The thinning follows the pixel width.
    QTimer::singleShot(0, this, &HistoryChart::redraw);
}

QString HistoryChart::exportImage(const QString& path, bool svg) const
{
    QByteArray bytes;
    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, false);
    if (svg) {
        // The renderer writes SVG only to a named file: it is made aside and written whole.
        QTemporaryDir aside;
        const QString drawn = aside.filePath(QStringLiteral("chart.svg"));
        const double mmPerPixel = 25.4 / 96;
        renderer.renderDocument(chart, drawn, QStringLiteral("svg"),
                                QSizeF(chart->width() * mmPerPixel, chart->height() * mmPerPixel), 96);
        QFile file(drawn);
        if (!file.open(QIODevice::ReadOnly))
            return tr("写入文件失败: %1").arg(path);
        bytes = file.readAll();
    } else {
        QImage image(chart->size() * 2, QImage::Format_ARGB32);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        renderer.renderTo(chart, image);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    WholeFile file(path);
    if (!file.open())
        return tr("打开文件失败: %1").arg(path);
    if (bytes.isEmpty() || file.device()->write(bytes) != bytes.size() || !file.commit()) {
        file.cancel();
        return tr("写入文件失败: %1").arg(path);
    }
    return QString();
}

void HistoryChart::slotExportImage()
{
    const QString png = tr("PNG 图像 (*.png)");
    const QString svg = tr("SVG 图像 (*.svg)");
    QString filter = png;
    QString path = Prompter::current().getSaveFileNameOfType(this, tr("导出图像"), QString(),
                                                             png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty())
        return;
    const bool asSvg = filter == svg || path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    if (QFileInfo(path).suffix().isEmpty())
        path += asSvg ? QStringLiteral(".svg") : QStringLiteral(".png");
    const QString error = exportImage(path, asSvg);
    if (error.isEmpty()) {
        emit signalImageSaved(path);
        return;
    }
    QMessageBox box(QMessageBox::Critical, tr("导出图像"), error, QMessageBox::Ok, this,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.button(QMessageBox::Ok)->setText(tr("确定"));
    Prompter::current().exec(box);
}
