#include "chartparts.h"

#include "pielegend.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace chartparts {

QChartView *chartView(const QString &name, const QString &title, QWidget *parent)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(name);
    // A drawn chart says nothing to a screen reader but what it is named.
    view->setAccessibleName(title);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QLineSeries *line(const QString &name, const QString &title, const QColor &colour, qreal width)
{
    auto *series = new QLineSeries;
    series->setObjectName(name);
    series->setName(title);
    series->setPen(QPen(colour, width));
    return series;
}

QValueAxis *valueAxis(double min, double max, int ticks, const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setRange(min, max);
    axis->setTickCount(ticks);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTitleText(title);
    return axis;
}

void attachAxes(QChart *chart, QValueAxis *bottom, QValueAxis *left)
{
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(bottom);
        s->attachAxis(left);
    }
}

void applyScale(QValueAxis *axis, const charts::AxisScale &scale)
{
    axis->setRange(scale.min, scale.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(scale.step);
    axis->setMinorTickCount(0);
}

PieChart pieChart(const QString &viewName, const QString &seriesName, const QString &title,
    const QColor &background, QWidget *parent)
{
    PieChart pie;
    pie.panel = new QFrame(parent);
    pie.panel->setAutoFillBackground(true);
    QPalette palette = pie.panel->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    pie.panel->setPalette(palette);
    pie.view = chartView(viewName, title, pie.panel);
    pie.view->setFrameShape(QFrame::NoFrame);
    QChart *chart = pie.view->chart();
    chart->setBackgroundBrush(background);
    chart->setBackgroundPen(Qt::NoPen);
    chart->legend()->setVisible(false);
    pie.series = new QPieSeries;
    pie.series->setObjectName(seriesName);
    pie.series->setPieSize(0.52);
    chart->addSeries(pie.series);
    pie.legend = new PieLegend(pie.panel);
    pie.legend->setObjectName(viewName + QStringLiteral("Legend"));
    QFont legendFont = pie.legend->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.9);
    pie.legend->setFont(legendFont);
    auto *layout = new QVBoxLayout(pie.panel);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setSpacing(0);
    layout->addWidget(pie.view, 1);
    layout->addWidget(pie.legend);
    return pie;
}

void fillPie(const PieChart &pie, const QList<charts::ChartValue> &slices)
{
    pie.series->clear();
    double total = 0;
    for (const charts::ChartValue &s : slices)
        total += s.value;
    QList<PieLegend::Entry> entries;
    for (const charts::ChartValue &s : slices) {
        auto *slice = pie.series->append(charts::sliceMark(s.label, s.value, total), s.value);
        slice->setColor(QColor::fromRgb(s.colour));
        slice->setBorderColor(Qt::black);
        slice->setBorderWidth(1);
        slice->setLabelVisible(charts::sliceMarked(s.value, total));
        slice->setLabelColor(Qt::black);
        slice->setLabelArmLengthFactor(0.1);
        QFont small = slice->labelFont();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        slice->setLabelFont(small);
        entries.append({charts::legendText(s, total), QColor::fromRgb(s.colour)});
    }
    pie.legend->setEntries(entries);
}

QStackedBarSeries *bars(const QString &name, QChart *chart)
{
    auto *series = new QStackedBarSeries;
    series->setObjectName(name);
    series->setBarWidth(0.6);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis *left = valueAxis(-2, 7, 10, QStringLiteral("スコア(±)"));
    chart->addAxis(left, Qt::AlignLeft);
    series->attachAxis(left);
    chart->legend()->setVisible(false);
    return series;
}

void colourBar(QBarSet *set, const QColor &colour)
{
    QLinearGradient shade(0, 0, 1, 0);
    shade.setCoordinateMode(QGradient::ObjectBoundingMode);
    shade.setColorAt(0, colour.darker(170));
    shade.setColorAt(0.4, colour.lighter(140));
    shade.setColorAt(1, colour.darker(170));
    set->setBrush(shade);
    set->setPen(QPen(colour.darker(200), 1));
}

void fillBars(QStackedBarSeries *series, const QList<charts::ChartValue> &bars)
{
    series->clear();
    QStringList labels;
    for (qsizetype k = 0; k < bars.size(); ++k) {
        // One set per bar, holding a value only under its own label: each bar its colour.
        auto *set = new QBarSet(bars[k].label);
        for (qsizetype c = 0; c < bars.size(); ++c)
            *set << (c == k ? bars[k].value : 0.0);
        colourBar(set, QColor::fromRgb(bars[k].colour));
        set->setLabelColor(Qt::black);
        series->append(set);
        labels.append(bars[k].label);
    }
    for (QAbstractAxis *axis : series->attachedAxes())
        if (auto *categories = qobject_cast<QBarCategoryAxis *>(axis))
            categories->setCategories(labels);
}

} // namespace chartparts
