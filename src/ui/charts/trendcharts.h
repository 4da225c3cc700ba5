#pragma once

#include "core/stats/trend.h"

#include <QWidget>

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The two trend charts of the analysis: the score of each round by its day with its moving
// average and the best round marked, and the rates of each year.
class TrendCharts final : public QWidget
{
    Q_OBJECT

public:
    explicit TrendCharts(QWidget *parent = nullptr);

    void draw(const charts::ScoreTrend &scores, const QList<charts::RateLine> &rates);

private:
    // The axes' lines on round numbers and dates, as many as the plot area has room for.
    void fitAxes();
    void showTip(const QPointF &point, bool entered);
    void showRateTip(int line, const QPointF &point, bool entered);

    QChartView *ScoreChart = nullptr;
    QChartView *RateChart = nullptr;
    QLineSeries *m_score = nullptr;
    QLineSeries *m_average = nullptr;
    QScatterSeries *m_best = nullptr;
    QList<QLineSeries *> m_rates;
    QList<QScatterSeries *> m_few; // the hollow markers of each rate's years of few rounds
    QCategoryAxis *m_days = nullptr;
    QValueAxis *m_strokes = nullptr;
    QValueAxis *m_years = nullptr;
    QValueAxis *m_percent = nullptr;
    charts::ScoreTrend m_trend;
    QList<charts::RateLine> m_rateLines;
    bool m_fitting = false;
    bool m_refit = false; // a fit is queued
};
