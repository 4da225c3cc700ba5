#pragma once

#include "analysis.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QString>

// What the analysis charts draw, computed without any chart.
namespace charts {

inline constexpr int kMovingRounds = 5;
inline constexpr int kMaxAxisLabels = 12;

// The score of each selected round at x = its day (a Julian day number), and at each round
// the average of the last five rounds up to it (of those there are, at the start); what a
// point's tooltip says ("2024/05/01  A倶楽部  85") and which round is the best (the first of
// equal ones), -1 without rounds.
struct ScoreTrend {
    QList<QPointF> score;
    QList<QPointF> average;
    QStringList tips;
    qsizetype best = -1;
};
ScoreTrend scoreTrend(const ScoreCards &cards, const QList<qsizetype> &positions);

// A line of many points as it can be seen: cut into `buckets` runs of points in order, each
// run gives its lowest and its highest point, so the line keeps its outline. Lines of up to
// two points a run stay as they are.
QList<QPointF> thinned(const QList<QPointF> &points, int buckets);

// One rate per year in percent, at x = the year; a year with nothing to count has no point.
// Each point keeps the rounds it was counted over: a year of fewer than kFewRounds rounds is
// drawn as such (a hollow marker), since its rate says little.
inline constexpr int kFewRounds = 3;
struct RateLine {
    QString name;
    quint32 colour = 0; // 0xRRGGBB
    QList<QPointF> points;
    QList<qint64> rounds; // per point
    bool few(qsizetype k) const { return rounds.value(k) < kFewRounds; }
    // "2023年  パーオン率 34.3 %（2 ラウンド）"
    QString tip(qsizetype k) const;
};
// パーオン率, ボギーオン率, パーキープ率 and 3パット率, in the order of the table.
QList<RateLine> yearlyRates(const QList<stats::YearStats> &years);

// An axis over whole numbers with a label at every step, from min to max: the step is 1, 2
// or 5 times a power of ten, the fewest that keep to `maxLabels` labels. A single value
// gets a step of room on either side.
struct WholeAxis {
    qint64 min = 0;
    qint64 max = 1;
    qint64 step = 1;
    int labels() const { return int((max - min) / step) + 1; }
};
WholeAxis wholeAxis(double low, double high, int maxLabels = kMaxAxisLabels);

// A value axis whose grid stands on round numbers: steps of 0.5, 1, 2, 5, 10, 20, 50 … at
// least `leastStep`, the fewest labels above `maxLabels` not allowed, and a step of room
// beyond the lowest and the highest value so that no point sits on the frame.
struct RoundScale {
    double min = 0;
    double max = 1;
    double step = 1;
    int labels() const { return int((max - min) / step + 0.5) + 1; }
};
RoundScale roundScale(double low, double high, int maxLabels = 8, double leastStep = 0.5);

// A time axis over days (Julian day numbers): a little room before the first day and after
// the last, and labelled lines on the first days of months (every 1, 2, 3, 6 or 12 months,
// "2024/05"), of years for long spans ("2024"), or on Mondays for a span of a few weeks
// ("5/6"), never more than `maxLabels`.
struct DateTick {
    qint64 day = 0;
    QString label;
};
struct DateAxis {
    qint64 min = 0;
    qint64 max = 1;
    QList<DateTick> ticks;
};
DateAxis dateAxis(QDate first, QDate last, int maxLabels = 8);

} // namespace charts
