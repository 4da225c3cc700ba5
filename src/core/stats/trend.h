#pragma once

#include "analysis.h"

#include <QList>
#include <QPointF>
#include <QString>

// What the analysis charts draw, computed without any chart.
namespace charts {

inline constexpr int kMovingRounds = 5;
inline constexpr int kMaxAxisLabels = 12;

// The score of each selected round in date order at x = 1, 2, …, and at each round the
// average of the last five rounds up to it (of those there are, at the start).
struct ScoreTrend {
    QList<QPointF> score;
    QList<QPointF> average;
};
ScoreTrend scoreTrend(const ScoreCards &cards, const QList<qsizetype> &positions);

// A line of many points as it can be seen: cut into `buckets` runs of points in order, each
// run gives its lowest and its highest point, so the line keeps its outline. Lines of up to
// two points a run stay as they are.
QList<QPointF> thinned(const QList<QPointF> &points, int buckets);

// One rate per year in percent, at x = the year; a year with nothing to count has no point.
struct RateLine {
    QString name;
    quint32 colour = 0; // 0xRRGGBB
    QList<QPointF> points;
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

} // namespace charts
