#include "chartparts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
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
    view->setRenderHint(QPainter::Antialiasing);
    return view;
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

QPieSeries *pie(const QString &name, QChart *chart)
{
    auto *series = new QPieSeries;
    series->setObjectName(name);
    series->setPieSize(0.52);
    chart->addSeries(series);
    // Seven classes with their counts do not fit in one row: the legend lies below the pie
    // in rows of its own.
    constexpr int legendHeight = 64;
    QLegend *legend = chart->legend();
    legend->setVisible(true);
    legend->setAlignment(Qt::AlignBottom);
    legend->detachFromChart();
    legend->setBackgroundVisible(false);
    QFont legendFont = legend->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.9);
    legend->setFont(legendFont);
    chart->setMargins(QMargins(6, 6, 6, legendHeight));
    QObject::connect(chart, &QGraphicsWidget::geometryChanged, legend, [chart, legend] {
        const QRectF area = chart->rect();
        legend->setGeometry(QRectF(
            area.left() + 10, area.bottom() - legendHeight - 4, area.width() - 20, legendHeight));
        legend->update();
    });
    return series;
}

void fillPie(QPieSeries *series, const QList<charts::ChartValue> &slices)
{
    series->clear();
    double total = 0;
    for (const charts::ChartValue &s : slices)
        total += s.value;
    for (const charts::ChartValue &s : slices) {
        auto *slice = series->append(charts::sliceMark(s.label, s.value, total), s.value);
        slice->setColor(QColor::fromRgb(s.colour));
        slice->setBorderColor(Qt::black);
        slice->setBorderWidth(1);
        // Empty classes would stack their marks on one spot.
        slice->setLabelVisible(s.value > 0);
        slice->setLabelColor(Qt::black);
        slice->setLabelArmLengthFactor(0.1);
        QFont small = slice->labelFont();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        slice->setLabelFont(small);
    }
    if (QChart *chart = series->chart()) {
        const QList<QLegendMarker *> markers = chart->legend()->markers(series);
        for (qsizetype k = 0; k < markers.size() && k < slices.size(); ++k)
            markers[k]->setLabel(slices[k].label + QChar(' ') + QString::number(slices[k].value));
    }
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

void fillBars(QStackedBarSeries *series, const QList<charts::ChartValue> &bars)
{
    series->clear();
    QStringList labels;
    for (qsizetype k = 0; k < bars.size(); ++k) {
        // One set per bar, holding a value only under its own label: each bar its colour.
        auto *set = new QBarSet(bars[k].label);
        for (qsizetype c = 0; c < bars.size(); ++c)
            *set << (c == k ? bars[k].value : 0.0);
        const QColor colour = QColor::fromRgb(bars[k].colour);
        QLinearGradient shade(0, 0, 1, 0);
        shade.setCoordinateMode(QGradient::ObjectBoundingMode);
        shade.setColorAt(0, colour.darker(170));
        shade.setColorAt(0.4, colour.lighter(140));
        shade.setColorAt(1, colour.darker(170));
        set->setBrush(shade);
        set->setPen(QPen(colour.darker(200), 1));
        set->setLabelColor(Qt::black);
        series->append(set);
        labels.append(bars[k].label);
    }
    for (QAbstractAxis *axis : series->attachedAxes())
        if (auto *categories = qobject_cast<QBarCategoryAxis *>(axis))
            categories->setCategories(labels);
}

} // namespace chartparts
