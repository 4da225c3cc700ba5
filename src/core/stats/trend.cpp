#include "trend.h"

#include <cmath>

namespace charts {

ScoreTrend scoreTrend(const ScoreCards &cards, const QList<qsizetype> &positions)
{
    ScoreTrend t;
    t.score.reserve(positions.size());
    t.average.reserve(positions.size());
    qint64 window = 0; // the strokes of the last kMovingRounds rounds
    for (qsizetype k = 0; k < positions.size(); ++k) {
        const qint32 strokes = cards.card(positions[k]).scoreSum();
        window += strokes;
        if (k >= kMovingRounds)
            window -= cards.card(positions[k - kMovingRounds]).scoreSum();
        const qreal x = qreal(k + 1);
        t.score.append({x, qreal(strokes)});
        t.average.append({x, qreal(window) / qreal(qMin<qsizetype>(k + 1, kMovingRounds))});
    }
    return t;
}

QList<QPointF> thinned(const QList<QPointF> &points, int buckets)
{
    const qsizetype n = points.size();
    if (buckets < 1 || n <= 2 * qsizetype(buckets))
        return points;
    QList<QPointF> kept;
    kept.reserve(2 * buckets);
    for (int b = 0; b < buckets; ++b) {
        const qsizetype from = n * b / buckets;
        const qsizetype to = n * (b + 1) / buckets;
        qsizetype low = from;
        qsizetype high = from;
        for (qsizetype i = from + 1; i < to; ++i) {
            if (points[i].y() < points[low].y())
                low = i;
            if (points[i].y() > points[high].y())
                high = i;
        }
        kept.append(points[qMin(low, high)]);
        if (low != high)
            kept.append(points[qMax(low, high)]);
    }
    return kept;
}

QList<RateLine> yearlyRates(const QList<stats::YearStats> &years)
{
    struct Line {
        const char *name;
        quint32 colour;
        stats::Ratio stats::RoundStats::*ratio;
    };
    static const Line lines[] = {
        {"パーオン率", 0x1F5FD0, &stats::RoundStats::parOn},
        {"ボギーオン率", 0x00A0A0, &stats::RoundStats::bogeyOn},
        {"パーキープ率", 0x2E9A2E, &stats::RoundStats::parKeep},
        {"3パット率", 0xE03030, &stats::RoundStats::threePutt},
    };
    QList<RateLine> rates;
    for (const Line &line : lines) {
        RateLine r {QString::fromUtf8(line.name), line.colour, {}};
        for (const stats::YearStats &y : years) {
            const stats::Ratio &ratio = y.stats.*line.ratio;
            if (!ratio.empty())
                r.points.append({qreal(y.year), ratio.value() * 100.0});
        }
        rates.append(r);
    }
    return rates;
}

WholeAxis wholeAxis(double low, double high, int maxLabels)
{
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        low = high = 0;
    // Whole 32-bit values at most, so the steps below stay far from overflowing.
    low = qBound(-4e9, low, 4e9);
    high = qBound(-4e9, high, 4e9);
    qint64 lo = qint64(std::floor(low));
    qint64 hi = qint64(std::ceil(high));
    maxLabels = qMax(maxLabels, 3);
    for (qint64 power = 1;; power *= 10) {
        for (qint64 factor : {1, 2, 5}) {
            const qint64 step = factor * power;
            auto down = [step](qint64 v) {
                return v >= 0 ? v / step * step : -((-v + step - 1) / step * step);
            };
            auto up = [step](qint64 v) {
                return v >= 0 ? (v + step - 1) / step * step : -(-v / step * step);
            };
            WholeAxis axis {down(lo), up(hi), step};
            if (axis.min == axis.max) {
                axis.min -= step;
                axis.max += step;
            }
            if (axis.labels() <= maxLabels)
                return axis;
        }
    }
}

} // namespace charts
