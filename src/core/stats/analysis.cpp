#include "analysis.h"

#include "core/data/csv.h"
#include "core/data/datetime.h"
#include "decimal.h"

namespace stats {

std::optional<int> holePutts(CardView card, int hole)
{
    // Read as the par-on count of the card reads them; a count below 0 is no count.
    const auto putts = card.putts(hole);
    if (!putts || *putts < 0)
        return std::nullopt;
    return *putts;
}

void RoundStats::add(CardView card)
{
    ++rounds;
    strokes += card.scoreSum();
    halves[0] += card.scoreTotal(0);
    halves[1] += card.scoreTotal(1);
    if (rounds == 1 || card.scoreSum() < best)
        best = card.scoreSum();
    pars.Par_AveScore(card);

    // 64-bit, so that absurd stored numbers cannot overflow.
    std::array<qint64, 18> strokesOf {};
    std::array<qint64, 18> parOf {};
    for (int h = 0; h < 18; ++h) {
        strokesOf[h] = card.score(h);
        parOf[h] = card.par(h);
    }
    for (int h = 0; h < 18; ++h) {
        const qint64 s = strokesOf[h];
        const qint64 par = parOf[h];
        parKeep.add(s <= par);
        bogeyOrBetter.add(s <= par + 1);
        doublePar.add(s >= 2 * par);
        if (h < 17 && s >= par + 1)
            bounceBack.add(strokesOf[h + 1] <= parOf[h + 1] - 1);
    }

    // A round with some holes left without putts is not counted by the putting statistics at
    // all: a round's average would count the holes entered only.
    std::array<int, 18> holes {};
    for (int h = 0; h < 18; ++h) {
        const auto p = holePutts(card, h);
        if (!p)
            return;
        holes[h] = *p;
    }
    ++puttRounds;
    putts.of += 1;
    for (int h = 0; h < 18; ++h) {
        const qint64 s = strokesOf[h];
        const qint64 par = parOf[h];
        const qint64 p = holes[h];
        const bool on = s - p <= par - 2;
        parOn.add(on);
        bogeyOn.add(s - p <= par - 1);
        if (!on)
            recovery.add(s <= par);
        putts.count += p;
        if (on) {
            parOnPutts.count += p;
            parOnPutts.of += 1;
        }
        onePutt.add(p == 1);
        threePutt.add(p >= 3);
    }
}

void RoundStats::add(const RoundStats &other)
{
    if (other.rounds == 0)
        return;
    best = rounds == 0 ? other.best : qMin(best, other.best);
    rounds += other.rounds;
    strokes += other.strokes;
    halves[0] += other.halves[0];
    halves[1] += other.halves[1];
    puttRounds += other.puttRounds;
    for (Ratio RoundStats::*ratio : {&RoundStats::parOn, &RoundStats::bogeyOn, &RoundStats::parKeep,
             &RoundStats::bogeyOrBetter, &RoundStats::recovery, &RoundStats::putts,
             &RoundStats::parOnPutts, &RoundStats::onePutt, &RoundStats::threePutt,
             &RoundStats::bounceBack, &RoundStats::doublePar}) {
        (this->*ratio).count += (other.*ratio).count;
        (this->*ratio).of += (other.*ratio).of;
    }
    for (int k = 0; k < 3; ++k) {
        pars.strokes[k] += other.pars.strokes[k];
        pars.count[k] += other.pars.count[k];
    }
}

RoundStats roundStats(const ScoreCards &cards, const QList<qsizetype> &positions)
{
    RoundStats stats;
    for (qsizetype i : positions)
        stats.add(cards.card(i));
    return stats;
}

namespace {

const QString kNone = QStringLiteral("—");

QString average(const Ratio &r, int decimals = 1)
{
    return r.empty() ? kNone : decimal::fixed(double(r.count) / double(r.of), decimals);
}

QString parAverage(const ParAverages &pars, int k)
{
    if (!pars.has(k))
        return kNone;
    // As the results page writes them: "4.5 (+0.5)", "4 (0)", "3.9 (-0.1)".
    const double over = pars.over[k];
    return decimal::upToOne(pars.average[k]) + QStringLiteral(" (")
        + (over > 0 ? QStringLiteral("+") : QString()) + decimal::upToOne(over) + QChar(')');
}

// The value of each row for one column, with the rounds it was counted over.
QList<std::pair<QString, qint64>> column(RoundStats s)
{
    s.pars.finish();
    const qint64 n = s.rounds;
    const qint64 m = s.puttRounds;
    const Ratio strokes {s.strokes, n};
    const QString halves = n == 0
        ? kNone
        : average({s.halves[0], n}) + QStringLiteral(" / ") + average({s.halves[1], n});
    return {
        {QString::number(n), n},
        {average(strokes), n},
        {n == 0 ? kNone : QString::number(s.best), n},
        {halves, n},
        {rate(s.parOn), m},
        {rate(s.bogeyOn), m},
        {rate(s.parKeep), n},
        {rate(s.bogeyOrBetter), n},
        {rate(s.recovery), m},
        {average(s.putts), m},
        {average({s.putts.count, 18 * s.putts.of}, 2), m},
        {average(s.parOnPutts, 2), m},
        {rate(s.onePutt), m},
        {rate(s.threePutt), m},
        {rate(s.bounceBack), n},
        {rate(s.doublePar), n},
        {parAverage(s.pars, 0), n},
        {parAverage(s.pars, 1), n},
        {parAverage(s.pars, 2), n},
    };
}

// The names the results page gives the statistics it shows too; where the analysis counts
// otherwise (the par-on rate over the rounds with putts only), the name says so.
const char *const kRowNames[] = {"ラウンド数", "平均ストローク", "ベストスコア", "OUT/IN 平均",
    "パーオン率（パット入力済み）", "ボギーオン率", "パーキープ率", "ボギー以内率", "リカバリー率",
    "平均パット（1ラウンド）", "平均パット（1ホール）", "パーオン時の平均パット", "1パット率",
    "3パット率", "バウンスバック率", "ダブルパー以上率", "Par3平均スコア", "Par4平均スコア",
    "Par5平均スコア"};

} // namespace

QString rate(const Ratio &r)
{
    if (r.empty())
        return kNone;
    return decimal::fixed(double(r.count) * 100.0 / double(r.of)) + QStringLiteral(" % (")
        + QString::number(r.count) + QStringLiteral(" / ") + QString::number(r.of) + QChar(')');
}

QStringList analysisHeader()
{
    return {QStringLiteral("項目"), QStringLiteral("選択したラウンド"),
        QStringLiteral("集計ラウンド数"), QStringLiteral("選択の直近%1ラウンド").arg(kRecentRounds),
        QStringLiteral("直近%1の集計ラウンド数").arg(kRecentRounds)};
}

QList<QStringList> analysisRows(const RoundStats &selected, const RoundStats &recent)
{
    const auto all = column(selected);
    const auto last = column(recent);
    QList<QStringList> rows;
    rows.reserve(all.size());
    for (qsizetype r = 0; r < all.size(); ++r)
        rows.append({QString::fromUtf8(kRowNames[r]), all[r].first, QString::number(all[r].second),
            last[r].first, QString::number(last[r].second)});
    return rows;
}

QList<YearStats> yearlyStats(const ScoreCards &cards, const QList<qsizetype> &positions)
{
    QList<YearStats> years;
    for (qsizetype i : positions) {
        const CardView card = cards.card(i);
        const int year = datetime::toDate(card.roundDate()).year();
        if (years.isEmpty() || years.last().year != year)
            years.append(YearStats {year, {}});
        years.last().stats.add(card);
    }
    return years;
}

Analysis analyse(const ScoreCards &cards, const TallyCondition &condition)
{
    Analysis a;
    a.positions = selectCards(cards, condition);
    // One pass over the cards: the selection is the sum of its years.
    a.years = yearlyStats(cards, a.positions);
    for (const YearStats &y : std::as_const(a.years))
        a.selected.add(y.stats);
    a.recent = roundStats(
        cards, a.positions.mid(qMax<qsizetype>(0, a.positions.size() - kRecentRounds)));
    a.rows = analysisRows(a.selected, a.recent);
    return a;
}

QString puttNote(const RoundStats &selected)
{
    const qint64 without = selected.rounds - selected.puttRounds;
    if (without <= 0)
        return {};
    return QStringLiteral("パットの入っていない %1 ラウンドは、パットを使う率から除いています")
        .arg(without);
}

QList<QStringList> analysisTable(const Analysis &analysis)
{
    QList<QStringList> table;
    table.reserve(analysis.rows.size() + 1);
    table.append(analysisHeader());
    table.append(analysis.rows);
    return table;
}

QStringList analysisYears(const ScoreCards &cards)
{
    QStringList years = {kAll};
    int last = -1;
    QList<int> seen;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const TDateTime date = cards.card(i).roundDate();
        const int year = datetime::toDate(date).year();
        if (year == last || seen.contains(year))
            continue;
        last = year;
        seen.append(year);
        years.append(datetime::yearText(date));
    }
    return years;
}

QStringList analysisLinks(const ScoreCards &cards)
{
    return playedLinks(cards);
}

QString tabSeparated(const QList<QStringList> &rows)
{
    return csv::format(rows, u'\t', u"\n");
}

} // namespace stats
