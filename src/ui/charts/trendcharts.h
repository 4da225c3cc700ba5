#pragma once

#include "core/stats/trend.h"

#include <QWidget>

#include <array>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

// The two trend charts of the analysis: the score of each round with its moving average,
// and the rates of each year.
class TrendCharts final : public QWidget
{
    Q_OBJECT

public:
    explicit TrendCharts(QWidget *parent = nullptr);

    void draw(const charts::ScoreTrend &scores, const QList<charts::RateLine> &rates);

private:
    // An axis and the whole numbers it must span.
    struct Span {
        QValueAxis *axis = nullptr;
        Qt::Orientation orientation = Qt::Horizontal;
        double low = 0;
        double high = 0;
    };
    // Labels at whole steps, as many as the plot area has room for without overlapping.
    void fitAxes(QChart *chart);

    QChartView *ScoreChart = nullptr;
    QChartView *RateChart = nullptr;
    QLineSeries *m_score = nullptr;
    QLineSeries *m_average = nullptr;
    QList<QLineSeries *> m_rates;
    std::array<Span, 4> m_spans {}; // rounds, strokes, years, percent
    bool m_fitting = false;
};
