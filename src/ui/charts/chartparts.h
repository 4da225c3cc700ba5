#pragma once

#include "core/stats/chartdata.h"

#include <QColor>
#include <QList>
#include <QString>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QPieSeries;
class QStackedBarSeries;
class QValueAxis;
class QWidget;
class PieLegend;

// The pieces the chart windows draw with: a titled chart, its lines and axes, the
// result-class pie and the per-par bars.
namespace chartparts {

QChartView *chartView(const QString &name, const QString &title, QWidget *parent);
// A line found by its object name and shown in the legend by its title.
QLineSeries *line(const QString &name, const QString &title, const QColor &colour, qreal width);
QValueAxis *valueAxis(double min, double max, int ticks, const QString &title = QString());
// Puts the axes below and left of the chart and every series added so far on both.
void attachAxes(QChart *chart, QValueAxis *bottom, QValueAxis *left);
// Puts a scale on an axis: its range, and grid lines on the multiples of its step.
void applyScale(QValueAxis *axis, const charts::AxisScale &scale);

// A pie with one slice per class in a panel of the chart's colour, with its legend below:
// slices are marked with label and share where they are wide enough for it, the legend
// lists label and count.
struct PieChart {
    QWidget *panel = nullptr;
    QChartView *view = nullptr;
    QPieSeries *series = nullptr;
    PieLegend *legend = nullptr;
};
PieChart pieChart(const QString &viewName, const QString &seriesName, const QString &title,
    const QColor &background, QWidget *parent);
void fillPie(const PieChart &pie, const QList<charts::ChartValue> &slices);

// Bars of their own colour each, shaded like cylinders and marked with their values, over a
// left axis from -2 to 7.
QStackedBarSeries *bars(const QString &name, QChart *chart);
void fillBars(QStackedBarSeries *series, const QList<charts::ChartValue> &bars);
// Gives a bar of fillBars its colour, shaded.
void colourBar(QBarSet *set, const QColor &colour);

} // namespace chartparts
