#include "trendcharts.h"

#include "chartparts.h"
#include "timeaxes.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDate>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// Lines of up to this many points show each point as a marker; a single round is a marker.
constexpr int kMarkedPoints = 60;

QLineSeries *line(QChart *chart, const QString &name, quint32 colour, qreal width)
{
    QLineSeries *series = chartparts::line(name, name, QColor::fromRgb(colour), width);
    chart->addSeries(series);
    return series;
}

void attach(QChart *chart, QAbstractAxis *bottom, QAbstractAxis *left)
{
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(bottom);
        s->attachAxis(left);
    }
}

// How many labels fit along `room` pixels when each needs `need`.
int fitting(double room, double need)
{
    return room > 0 && need > 0 ? qMax(2, int(room / need) + 1) : 8;
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
    m_best = new QScatterSeries;
    m_best->setObjectName(QStringLiteral("BestSeries"));
    m_best->setName(QStringLiteral("ベストスコア"));
    m_best->setMarkerShape(QScatterSeries::MarkerShapeStar);
    m_best->setMarkerSize(16);
    m_best->setColor(QColor(0xE0, 0xA0, 0x00));
    m_best->setBorderColor(QColor(0x80, 0x50, 0x00));
    scores->addSeries(m_best);
    m_days = timeaxes::dateAxis(QStringLiteral("ラウンド日"));
    m_strokes = chartparts::valueAxis(0, 1, 2, QStringLiteral("スコア"));
    attach(scores, m_days, m_strokes);
    scores->legend()->setAlignment(Qt::AlignBottom);
    connect(m_score, &QLineSeries::hovered, this, &TrendCharts::showTip);
    connect(m_best, &QScatterSeries::hovered, this, &TrendCharts::showTip);

    RateChart
        = chartparts::chartView(QStringLiteral("RateChart"), QStringLiteral("年ごとの率"), this);
    QChart *rates = RateChart->chart();
    for (const charts::RateLine &r : charts::yearlyRates({})) {
        QLineSeries *series = line(rates, r.name, r.colour, 2);
        // A year alone is a point, not a line: the points are marked.
        series->setPointsVisible(true);
        series->setMarkerSize(7);
        m_rates.append(series);
        // A year of few rounds is marked hollow over its point.
        auto *few = new QScatterSeries;
        few->setObjectName(r.name + QStringLiteral("Few"));
        few->setName(r.name);
        few->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        few->setMarkerSize(11);
        few->setColor(Qt::white);
        few->setBorderColor(QColor::fromRgb(r.colour));
        rates->addSeries(few);
        m_few.append(few);
        const int k = int(m_rates.size()) - 1;
        for (QXYSeries *hovered : {static_cast<QXYSeries *>(series), static_cast<QXYSeries *>(few)})
            connect(hovered, &QXYSeries::hovered, this,
                [this, k](const QPointF &point, bool entered) { showRateTip(k, point, entered); });
    }
    m_years = chartparts::valueAxis(0, 1, 2);
    m_percent = chartparts::valueAxis(0, 100, 6, QStringLiteral("率（%）"));
    attach(rates, m_years, m_percent);
    rates->legend()->setAlignment(Qt::AlignBottom);
    for (QScatterSeries *few : std::as_const(m_few))
        for (QLegendMarker *marker : rates->legend()->markers(few))
            marker->setVisible(false);

    for (QChart *chart : {scores, rates}) {
        connect(chart, &QChart::plotAreaChanged, this, &TrendCharts::fitAxes);
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
    layout->addWidget(timeaxes::panel(ScoreChart, this), 1);
    layout->addWidget(timeaxes::panel(RateChart, this), 1);
}

void TrendCharts::draw(const charts::ScoreTrend &scores, const QList<charts::RateLine> &rates)
{
    m_trend = scores;
    m_rateLines = rates;
    // Thousands of rounds are more points than the chart has pixels across.
    constexpr int kDrawnRuns = 800;
    m_score->replace(charts::thinned(scores.score, kDrawnRuns));
    m_average->replace(charts::thinned(scores.average, kDrawnRuns));
    m_score->setPointsVisible(scores.score.size() <= kMarkedPoints);
    m_score->setMarkerSize(7);
    m_best->clear();
    if (scores.best >= 0)
        m_best->append(scores.score[scores.best]);
    timeaxes::showText(ScoreChart, scores.score.isEmpty() ? timeaxes::kNoData : QString());

    QList<int> years;
    for (qsizetype k = 0; k < rates.size() && k < m_rates.size(); ++k) {
        m_rates[k]->replace(rates[k].points);
        QList<QPointF> few;
        for (qsizetype p = 0; p < rates[k].points.size(); ++p)
            if (rates[k].few(p))
                few.append(rates[k].points[p]);
        m_few[k]->replace(few);
        for (const QPointF &p : rates[k].points)
            if (!years.contains(int(p.x())))
                years.append(int(p.x()));
    }
    // A single year is one point per rate, which says nothing about a trend.
    timeaxes::showText(RateChart,
        years.isEmpty() ? timeaxes::kNoData
            : years.size() < 2 ? QStringLiteral("年ごとの率は、2年以上にわたる選択で表示します")
                               : QString());
    fitAxes();
}

void TrendCharts::fitAxes()
{
    if (m_fitting) {
        // New labels moved the plot area: the lines are fitted again to where it ends up.
        if (!m_refit) {
            m_refit = true;
            QMetaObject::invokeMethod(this, &TrendCharts::fitAxes, Qt::QueuedConnection);
        }
        return;
    }
    m_fitting = true;
    m_refit = false;
    const QFontMetricsF metrics(m_strokes->labelsFont());
    const double upright = metrics.height() * 1.6;

    const QRectF scorePlot = ScoreChart->chart()->plotArea();
    double low = 0;
    double high = 0;
    QDate first;
    QDate last;
    for (qsizetype k = 0; k < m_trend.score.size(); ++k) {
        const QPointF &p = m_trend.score[k];
        low = k == 0 ? p.y() : qMin(low, p.y());
        high = k == 0 ? p.y() : qMax(high, p.y());
    }
    if (!m_trend.score.isEmpty()) {
        first = QDate::fromJulianDay(qint64(m_trend.score.first().x()));
        last = QDate::fromJulianDay(qint64(m_trend.score.last().x()));
    }
    timeaxes::applyRound(
        m_strokes, charts::roundScale(low, high, fitting(scorePlot.height(), upright), 1));
    timeaxes::applyDates(m_days,
        charts::dateAxis(first, last,
            fitting(scorePlot.width(),
                1.5
                    * QFontMetricsF(m_days->labelsFont())
                          .horizontalAdvance(QStringLiteral("0000/00")))));

    const QRectF ratePlot = RateChart->chart()->plotArea();
    double firstYear = 0;
    double lastYear = 0;
    bool any = false;
    for (const charts::RateLine &r : std::as_const(m_rateLines))
        for (const QPointF &p : r.points) {
            firstYear = any ? qMin(firstYear, p.x()) : p.x();
            lastYear = any ? qMax(lastYear, p.x()) : p.x();
            any = true;
        }
    timeaxes::applyRound(m_years,
        charts::roundScale(firstYear, lastYear,
            fitting(ratePlot.width(), metrics.horizontalAdvance(QStringLiteral("0000  "))), 1));
    timeaxes::applyRound(
        m_percent, charts::roundScale(0, 100, fitting(ratePlot.height(), upright), 10));
    // Rates run from 0 to 100 %: a little room beyond, so the markers there are seen whole,
    // with no line or label below 0 or above 100.
    m_percent->setRange(-4, 104);
    m_fitting = false;
}

void TrendCharts::showTip(const QPointF &point, bool entered)
{
    if (!entered) {
        QToolTip::hideText();
        return;
    }
    // The round nearest the pointer, by its day.
    const auto at = std::lower_bound(m_trend.score.begin(), m_trend.score.end(), point.x(),
        [](const QPointF &p, double x) { return p.x() < x; });
    qsizetype k = at - m_trend.score.begin();
    if (k > 0
        && (k == m_trend.score.size()
            || point.x() - m_trend.score[k - 1].x() < m_trend.score[k].x() - point.x()))
        --k;
    if (k >= 0 && k < m_trend.tips.size())
        QToolTip::showText(QCursor::pos(), m_trend.tips[k], ScoreChart);
}

void TrendCharts::showRateTip(int line, const QPointF &point, bool entered)
{
    if (!entered || line >= m_rateLines.size()) {
        QToolTip::hideText();
        return;
    }
    const charts::RateLine &rate = m_rateLines[line];
    for (qsizetype k = 0; k < rate.points.size(); ++k)
        if (qAbs(rate.points[k].x() - point.x()) < 0.5) {
            QToolTip::showText(QCursor::pos(), rate.tip(k), RateChart);
            return;
        }
}
