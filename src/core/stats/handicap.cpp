#include "handicap.h"

#include "core/data/datetime.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace handicap {

namespace {

qint64 floorDiv(qint64 num, qint64 den)
{
    qint64 q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0)))
        --q;
    return q;
}

} // namespace

qint64 roundHalfUp(qint64 num, qint64 den)
{
    return floorDiv(2 * num + den, 2 * den);
}

int courseHandicap(int index10, int slope, int courseRating10, int par)
{
    // index / 10 × slope / 113 + (rating / 10 − par), over the common denominator 1130.
    const qint64 num = qint64(index10) * slope + qint64(courseRating10 - par * 10) * 113;
    return int(roundHalfUp(num, 1130));
}

HoleStrokes strokesPerHole(int courseHandicap, const StrokeIndex &strokeIndex)
{
    HoleStrokes strokes {};
    const int n = std::abs(courseHandicap);
    const int whole = n / 18;
    const int rest = n % 18;
    for (int h = 0; h < 18; ++h) {
        const int si = strokeIndex[h];
        if (courseHandicap >= 0)
            strokes[h] = whole + (si <= rest ? 1 : 0);
        else
            strokes[h] = -(whole + (si > 18 - rest ? 1 : 0));
    }
    return strokes;
}

HoleStrokes evenStrokes(int courseHandicap)
{
    HoleStrokes strokes;
    strokes.fill(int(-floorDiv(-courseHandicap, 18))); // ceil(handicap / 18)
    return strokes;
}

int adjustedGross(const std::array<qint32, 18> &score, const std::array<qint32, 18> &par,
    const HoleStrokes *strokes)
{
    int sum = 0;
    for (int h = 0; h < 18; ++h) {
        const int cap = par[h] + (strokes ? 2 + (*strokes)[h] : 5);
        sum += std::min<int>(score[h], cap);
    }
    return sum;
}

int differential(int adjustedGross, int courseRating10, int slope)
{
    return int(roundHalfUp(qint64(113) * (qint64(adjustedGross) * 10 - courseRating10), slope));
}

TableRow tableRow(int count)
{
    if (count < kMinRounds)
        return {};
    switch (count) {
    case 3: return {1, -20};
    case 4: return {1, -10};
    case 5: return {1, 0};
    case 6: return {2, -10};
    case 7:
    case 8: return {2, 0};
    default: break;
    }
    if (count <= 11)
        return {3, 0};
    if (count <= 14)
        return {4, 0};
    if (count <= 16)
        return {5, 0};
    if (count <= 18)
        return {6, 0};
    if (count == 19)
        return {7, 0};
    return {8, 0};
}

QList<int> usedPositions(const QList<int> &differentials10)
{
    const int count = int(std::min<qsizetype>(differentials10.size(), kRecentRounds));
    const int first = int(differentials10.size()) - count;
    QList<int> positions(count);
    std::iota(positions.begin(), positions.end(), first);
    std::stable_sort(positions.begin(), positions.end(),
        [&](int a, int b) { return differentials10[a] < differentials10[b]; });
    positions.resize(tableRow(count).used);
    return positions;
}

std::optional<int> indexFromDifferentials(const QList<int> &differentials10)
{
    const int count = int(std::min<qsizetype>(differentials10.size(), kRecentRounds));
    const TableRow row = tableRow(count);
    if (row.used == 0)
        return std::nullopt;
    // The few lowest of at most 20: a partial sort of a copy of the tail.
    std::array<int, kRecentRounds> recent {};
    std::copy(differentials10.end() - count, differentials10.end(), recent.begin());
    std::partial_sort(recent.begin(), recent.begin() + row.used, recent.begin() + count);
    const qint64 sum = std::accumulate(recent.begin(), recent.begin() + row.used, qint64(0));
    const int index = int(roundHalfUp(sum + qint64(row.adjustment10) * row.used, row.used));
    return std::min(index, kMaxIndex);
}

int applyCaps(int index10, int lowIndex10)
{
    const int rise = index10 - lowIndex10;
    if (rise <= 30)
        return index10;
    const int soft = lowIndex10 + 30 + int(roundHalfUp(rise - 30, 2));
    return std::min(soft, lowIndex10 + 50);
}

int exceptionalReduction(int differential10, int indexBefore10)
{
    const int below = indexBefore10 - differential10;
    if (below >= 100)
        return 20;
    if (below >= 70)
        return 10;
    return 0;
}

std::optional<StrokeIndex> roundStrokeIndex(
    const std::optional<CourseStrokeIndex> &first, const std::optional<CourseStrokeIndex> &second)
{
    if (!first || !second)
        return std::nullopt;
    StrokeIndex si;
    std::copy(first->begin(), first->end(), si.begin());
    std::copy(second->begin(), second->end(), si.begin() + 9);
    std::array<bool, 19> seen {};
    bool permutation = true;
    for (int v : si) {
        if (v < 1 || v > 18 || seen[v])
            permutation = false;
        else
            seen[v] = true;
    }
    if (permutation)
        return si;
    std::array<int, 18> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return si[a] < si[b]; });
    StrokeIndex ranked;
    for (int rank = 0; rank < 18; ++rank)
        ranked[order[rank]] = rank + 1;
    return ranked;
}

QString tenthsText(int value10)
{
    const int a = std::abs(value10);
    return QStringLiteral("%1%2.%3")
        .arg(value10 < 0 ? QStringLiteral("-") : QString())
        .arg(a / 10)
        .arg(a % 10);
}

QString indexText(int index10)
{
    if (index10 < 0)
        return QChar('+') + tenthsText(-index10);
    return tenthsText(index10);
}

QList<RoundResult> history(const QList<Round> &rounds)
{
    QList<RoundResult> results(rounds.size());
    QList<int> adjusted; // the differentials after the reductions of exceptional rounds
    adjusted.reserve(rounds.size());
    std::optional<int> index;
    for (qsizetype i = 0; i < rounds.size(); ++i) {
        const Round &round = rounds[i];
        RoundResult &r = results[i];
        r.indexBefore = index;
        HoleStrokes strokes {};
        const HoleStrokes *cap = nullptr;
        if (index) {
            r.courseHandicap
                = courseHandicap(*index, round.slope, round.courseRating10, round.parTotal);
            r.estimated = !round.strokeIndex;
            strokes = round.strokeIndex ? strokesPerHole(*r.courseHandicap, *round.strokeIndex)
                                        : evenStrokes(*r.courseHandicap);
            cap = &strokes;
        }
        r.adjustedGross = adjustedGross(round.score, round.par, cap);
        r.differential10 = differential(r.adjustedGross, round.courseRating10, round.slope);
        adjusted.append(r.differential10);
        if (index) {
            r.reduction10 = exceptionalReduction(r.differential10, *index);
            if (r.reduction10) {
                const qsizetype from = std::max<qsizetype>(0, adjusted.size() - kRecentRounds);
                for (qsizetype k = from; k < adjusted.size(); ++k)
                    adjusted[k] -= r.reduction10;
            }
        }
        std::optional<int> next = indexFromDifferentials(adjusted);
        if (next && adjusted.size() >= kRecentRounds) {
            // The lowest index of the year before this round, among those from a full record.
            const double day = std::trunc(round.day);
            std::optional<int> low;
            for (qsizetype k = i - 1; k >= 0; --k) {
                const double d = std::trunc(rounds[k].day);
                if (d < day - kCapWindowDays)
                    break;
                if (d < day && k + 1 >= kRecentRounds && results[k].indexAfter)
                    low = low ? std::min(*low, *results[k].indexAfter) : *results[k].indexAfter;
            }
            if (low) {
                const int capped = applyCaps(*next, *low);
                r.capped = capped != *next;
                next = capped;
            }
        }
        r.indexAfter = next;
        index = next;
    }
    for (qsizetype i = 0; i < results.size(); ++i)
        results[i].adjusted10 = adjusted[i];
    for (int p : usedPositions(adjusted))
        results[p].used = true;
    return results;
}

QList<int> dateOrder(const ScoreCards &cards)
{
    QList<int> order(cards.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return datetime::dayOf(cards.card(a).roundDate())
            < datetime::dayOf(cards.card(b).roundDate());
    });
    return order;
}

RatedRounds ratedRounds(const ScoreCards &cards, const RatingStore &store)
{
    return ratedRounds(cards, dateOrder(cards), store);
}

RatedRounds ratedRounds(const ScoreCards &cards, const QList<int> &order, const RatingStore &store)
{
    RatedRounds rated;
    for (int i : order) {
        const CardView card = cards.card(i);
        const RoundRating rating = store.rating(card.roundDate());
        if (!rating.complete())
            continue;
        Round round;
        for (int h = 0; h < 18; ++h) {
            round.score[h] = card.score(h);
            round.par[h] = card.par(h);
        }
        const bool entered
            = std::all_of(round.par.begin(), round.par.end(), [](int p) { return p > 0; })
            && std::all_of(round.score.begin(), round.score.end(), [](int s) { return s > 0; });
        if (!entered)
            continue;
        round.day = card.roundDate();
        round.parTotal = std::accumulate(round.par.begin(), round.par.end(), 0);
        round.courseRating10 = *rating.courseRating10;
        round.slope = *rating.slope;
        round.strokeIndex
            = roundStrokeIndex(store.holeHandicaps(card.linksName(), card.courseName(0)),
                store.holeHandicaps(card.linksName(), card.courseName(1)));
        rated.rounds.append(round);
        rated.cardIndex.append(i);
    }
    return rated;
}

QString NextRound::text() const
{
    const QString tees = where.tees[0] == where.tees[1]
        ? where.tees[0]
        : where.tees[0] + QStringLiteral(" / ") + where.tees[1];
    return where.club + QStringLiteral("  ") + where.courses[0] + QStringLiteral(" / ")
        + where.courses[1] + QStringLiteral("  ") + tees;
}

std::optional<int> NextRound::courseHandicap(int index10) const
{
    if (!rating.courseRating10 || !rating.slope)
        return std::nullopt;
    return handicap::courseHandicap(index10, *rating.slope, *rating.courseRating10, par);
}

QList<NextRound> nextRounds(const ScoreCards &cards, const RatingStore &store)
{
    QList<NextRound> rounds;
    QList<TeeCombination> seen;
    const QList<int> order = dateOrder(cards);
    for (auto at = order.crbegin(); at != order.crend(); ++at) {
        const TScoreRecord card = cards[*at];
        const TeeCombination where = TeeCombination::of(card);
        if (seen.contains(where))
            continue;
        seen.append(where);
        const RoundRating rating = store.remembered(card);
        if (rating.courseRating10 && rating.slope)
            rounds.append({where, card.ParSum, rating});
    }
    return rounds;
}

QString courseHandicapText(int value)
{
    return value < 0 ? QStringLiteral("+%1").arg(-value) : QString::number(value);
}

} // namespace handicap
