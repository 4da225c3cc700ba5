#pragma once

#include "stats/core/chartdata.h"

#include <QList>
#include <QString>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QPieSeries;
class QStackedBarSeries;
class QValueAxis;
class QWidget;

// The pieces both chart windows draw with: a titled chart, the result-class pie and the
// per-par bars.
namespace chartparts {

QChartView *chartView(const QString &name, const QString &title, QWidget *parent);
QValueAxis *valueAxis(double min, double max, int ticks, const QString &title = QString());

// A pie with one slice per class; each slice is marked with its label and share, the legend
// below lists label and count.
QPieSeries *pie(const QString &name, QChart *chart);
void fillPie(QPieSeries *series, const QList<charts::ChartValue> &slices);

// Bars of their own colour each, shaded like cylinders and marked with their values, over a
// left axis from -2 to 7.
QStackedBarSeries *bars(const QString &name, QChart *chart);
void fillBars(QStackedBarSeries *series, const QList<charts::ChartValue> &bars);

} // namespace chartparts
