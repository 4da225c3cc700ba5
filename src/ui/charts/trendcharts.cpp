#include "trendcharts.h"

#include "chartparts.h"

#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QLegend>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

// A line named in the legend as it is found, added to the chart.
QLineSeries *line(QChart *chart, const QString &name, quint32 colour, qreal width)
{
    QLineSeries *series = chartparts::line(name, name, QColor::fromRgb(colour), width);
    chart->addSeries(series);
    return series;
}

} // namespace

TrendCharts::TrendCharts(QWidget *parent) : QWidget(parent)
{
    ScoreChart = chartparts::chartView(
        QStringLiteral("ScoreChart"), QStringLiteral("ラウンドごとのスコア"), this);
    QChart *scores = ScoreChart->chart();
    m_score = line(scores, QStringLiteral("スコア"), 0x8AA8D8, 1);
    m_average = line(
        scores, QStringLiteral("移動平均（%1ラウンド）").arg(charts::kMovingRounds), 0xD02020, 2.5);
    m_spans[0] = {chartparts::valueAxis(0, 1, 2), Qt::Horizontal};
    m_spans[1] = {chartparts::valueAxis(0, 1, 2, QStringLiteral("スコア")), Qt::Vertical};
    chartparts::attachAxes(scores, m_spans[0].axis, m_spans[1].axis);
    scores->legend()->setAlignment(Qt::AlignBottom);

    RateChart
        = chartparts::chartView(QStringLiteral("RateChart"), QStringLiteral("年ごとの率"), this);
    QChart *rates = RateChart->chart();
    for (const charts::RateLine &r : charts::yearlyRates({})) {
        QLineSeries *series = line(rates, r.name, r.colour, 2);
        // A year alone is a point, not a line: the points are marked.
        series->setPointsVisible(true);
        series->setMarkerSize(7);
        m_rates.append(series);
    }
    m_spans[2] = {chartparts::valueAxis(0, 1, 2), Qt::Horizontal};
    m_spans[3] = {chartparts::valueAxis(0, 1, 2, QStringLiteral("率（%）")), Qt::Vertical, 0, 100};
    chartparts::attachAxes(rates, m_spans[2].axis, m_spans[3].axis);
    rates->legend()->setAlignment(Qt::AlignBottom);

    for (QChart *chart : {scores, rates}) {
        connect(chart, &QChart::plotAreaChanged, this, [this, chart] { fitAxes(chart); });
        // Four rates side by side must fit a narrow chart.
        QFont small = chart->legend()->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        chart->legend()->setFont(small);
    }
    // Drawn whole each time: a line cut short or moved by new axes otherwise leaves bits of
    // its old path behind.
    for (QChartView *view : {ScoreChart, RateChart})
        view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScoreChart, 1);
    layout->addWidget(RateChart, 1);
}

void TrendCharts::draw(const charts::ScoreTrend &scores, const QList<charts::RateLine> &rates)
{
    // Thousands of rounds are more points than the chart has pixels across.
    constexpr int kDrawnRuns = 800;
    m_score->replace(charts::thinned(scores.score, kDrawnRuns));
    m_average->replace(charts::thinned(scores.average, kDrawnRuns));
    Span &rounds = m_spans[0];
    Span &strokes = m_spans[1];
    rounds.low = scores.score.isEmpty() ? 0 : 1;
    rounds.high = double(scores.score.size());
    for (qsizetype k = 0; k < scores.score.size(); ++k) {
        const double y = scores.score[k].y();
        strokes.low = k == 0 ? y : qMin(strokes.low, y);
        strokes.high = k == 0 ? y : qMax(strokes.high, y);
    }

    Span &years = m_spans[2];
    bool any = false;
    for (qsizetype k = 0; k < rates.size() && k < m_rates.size(); ++k) {
        m_rates[k]->replace(rates[k].points);
        for (const QPointF &p : rates[k].points) {
            years.low = any ? qMin(years.low, p.x()) : p.x();
            years.high = any ? qMax(years.high, p.x()) : p.x();
            any = true;
        }
    }
    // Without a point the numbers along an axis would mean nothing.
    rounds.axis->setLabelsVisible(!scores.score.isEmpty());
    strokes.axis->setLabelsVisible(!scores.score.isEmpty());
    years.axis->setLabelsVisible(any);
    fitAxes(ScoreChart->chart());
    fitAxes(RateChart->chart());
}

void TrendCharts::fitAxes(QChart *chart)
{
    if (m_fitting)
        return; // new labels move the plot area once more
    m_fitting = true;
    const QRectF plot = chart->plotArea();
    for (const Span &span : m_spans) {
        if (!chart->axes().contains(span.axis))
            continue;
        const QFontMetricsF metrics(span.axis->labelsFont());
        // A label needs its own height upright, its widest text side by side, and a gap.
        const QString widest = QString::number(qMax(qAbs(span.low), qAbs(span.high)), 'f', 0);
        const double need = span.orientation == Qt::Vertical
            ? metrics.height() * 1.6
            : metrics.horizontalAdvance(widest + QStringLiteral("00"));
        const double room = span.orientation == Qt::Vertical ? plot.height() : plot.width();
        const int fit = room > 0 ? int(room / need) + 1 : charts::kMaxAxisLabels;
        const charts::WholeAxis whole
            = charts::wholeAxis(span.low, span.high, qMin(fit, charts::kMaxAxisLabels));
        span.axis->setRange(qreal(whole.min), qreal(whole.max));
        span.axis->setTickCount(whole.labels());
    }
    m_fitting = false;
}
