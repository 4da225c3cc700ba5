#include "trend.h"

#include "core/data/datetime.h"
#include "decimal.h"

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
        const CardView card = cards.card(positions[k]);
        const qreal x = qreal(datetime::toDate(card.roundDate()).toJulianDay());
        t.score.append({x, qreal(strokes)});
        t.tips.append(datetime::dateText(card.roundDate()) + QStringLiteral("  ")
            + card.linksName() + QStringLiteral("  ") + QString::number(strokes));
        if (t.best < 0 || strokes < cards.card(positions[t.best]).scoreSum())
            t.best = k;
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
        RateLine r {QString::fromUtf8(line.name), line.colour, {}, {}};
        for (const stats::YearStats &y : years) {
            const stats::Ratio &ratio = y.stats.*line.ratio;
            if (!ratio.empty()) {
                r.points.append({qreal(y.year), ratio.value() * 100.0});
                // The putting rates count the rounds with putts only.
                r.rounds.append(line.ratio == &stats::RoundStats::parKeep ? y.stats.rounds
                                                                          : y.stats.puttRounds);
            }
        }
        rates.append(r);
    }
    return rates;
}

QString RateLine::tip(qsizetype k) const
{
    if (k < 0 || k >= points.size())
        return {};
    return QStringLiteral("%1年  %2 %3 %（%4 ラウンド）")
        .arg(int(points[k].x()))
        .arg(name, decimal::fixed(points[k].y()))
        .arg(rounds.value(k));
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

RoundScale roundScale(double low, double high, int maxLabels, double leastStep)
{
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        low = high = 0;
    low = qBound(-1e9, low, 1e9);
    high = qBound(-1e9, high, 1e9);
    maxLabels = qMax(maxLabels, 3);
    for (double power = 0.1;; power *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * power;
            if (step < leastStep - 1e-9)
                continue;
            RoundScale scale;
            scale.step = step;
            // Room of at least a tenth of a step on either side.
            scale.min = std::floor(low / step - 0.1) * step;
            scale.max = std::ceil(high / step + 0.1) * step;
            if (scale.labels() <= maxLabels)
                return scale;
        }
    }
}

namespace {

QDate monthStart(QDate day)
{
    return QDate(day.year(), day.month(), 1);
}

} // namespace

DateAxis dateAxis(QDate first, QDate last, int maxLabels)
{
    if (!first.isValid() || !last.isValid()) {
        first = last = QDate(2000, 1, 1);
    }
    if (last < first)
        std::swap(first, last);
    maxLabels = qMax(maxLabels, 2);
    const qint64 span = first.daysTo(last);
    // Room of a fiftieth of the span so no point sits on the frame; three days at least, so
    // that the week around a single day holds a Monday to label.
    const qint64 room = qMax<qint64>(3, span / 50);
    DateAxis axis;
    axis.min = first.toJulianDay() - room;
    axis.max = last.toJulianDay() + room;
    const QDate from = QDate::fromJulianDay(axis.min);
    const QDate to = QDate::fromJulianDay(axis.max);

    // Weeks while they give a few lines; else months, then years.
    for (int weeks : {1, 2}) {
        QDate monday = from.addDays((8 - from.dayOfWeek()) % 7);
        QList<DateTick> ticks;
        for (; monday <= to; monday = monday.addDays(7 * weeks))
            ticks.append({monday.toJulianDay(),
                QStringLiteral("%1/%2").arg(monday.month()).arg(monday.day())});
        if (ticks.size() <= maxLabels && span <= 7 * 8) {
            axis.ticks = ticks;
            return axis;
        }
    }
    for (int months : {1, 2, 3, 6, 12, 24, 60, 120, 240, 600}) {
        QDate start = monthStart(from);
        if (start < from)
            start = start.addMonths(1);
        // On months that divide the year evenly: January, April, July, October for three.
        while ((start.month() - 1) % qMin(months, 12) != 0
            || (months > 12 && start.year() % (months / 12) != 0))
            start = start.addMonths(1);
        QList<DateTick> ticks;
        for (QDate d = start; d <= to; d = d.addMonths(months))
            ticks.append({d.toJulianDay(),
                months >= 12 ? QString::number(d.year()) : d.toString(QStringLiteral("yyyy/MM"))});
        if (ticks.size() <= maxLabels) {
            axis.ticks = ticks;
            return axis;
        }
    }
    return axis;
}

} // namespace charts
