#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

class RecordColumns;

// One numeric column over time, for drawing: its records' (time, value) pairs in time order,
// records without a number left out. A month of records has far more points than a chart has
// pixel columns, so it is drawn thinned (thinned()): what a pixel column would show stays shown.
// A series of a table's column reads its points from the columns, which it shares, rather than
// holding a copy: only where records lack a number or run back in time does it keep their order.
class ChartSeries
{
public:
    ChartSeries() = default;
    ChartSeries(int column, const QString& name, std::vector<QPointF> points);

    // The numeric columns of a table, each a series of the records it holds now, in column order.
    // Records the columns gain later are not the series'; columns cleared are given up, not changed.
    static QList<ChartSeries> fromColumns(const std::shared_ptr<const RecordColumns>& columns,
                                          const QStringList& names);

    int column() const { return col; }
    QString name() const { return label; }
    int size() const { return count; }
    bool isEmpty() const { return count == 0; }
    QPointF at(int i) const;
    double firstTime() const { return count == 0 ? 0 : at(0).x(); }
    double lastTime() const { return count == 0 ? 0 : at(count - 1).x(); }
    double minimum() const { return low; }
    double maximum() const { return high; }
    // The least and greatest value of the points between from and to (both included); false when
    // none lies there.
    bool valueRange(double from, double to, double* least, double* greatest) const;

    // The index of the point whose time is nearest to time; -1 when the series is empty.
    int nearestPoint(double time) const;

    // The points between from and to, at most four per pixel column of a chart `columns` pixels
    // wide: the first, the least, the greatest and the last of those that fall in it, in time order,
    // so that no spike is lost and the line still joins its neighbours. The point just outside on
    // either side is kept too, so that the line runs on to the chart's edges.
    QVector<QPointF> thinned(double from, double to, int columns) const;

private:
    ChartSeries(int column, const QString& name, const std::shared_ptr<const RecordColumns>& columns);
    double timeAt(int i) const;
    int firstAtOrAfter(double time) const;
    int firstAfter(double time) const;

    int col = -1;
    QString label;
    int count = 0;
    std::shared_ptr<const std::vector<QPointF>> points; // a series given as points
    std::shared_ptr<const RecordColumns> source; // a series of a table's column
    std::vector<int> picks; // the records drawn, in time order; empty: every record, as they are
    double low = 0;
    double high = 0;
};

// The record whose time is nearest to time (the first of equals); -1 when there is none.
int nearestRecord(const RecordColumns& columns, double time);
