#include "shousai.h"

#include "core/data/datetime.h"
#include "decimal.h"

namespace stats {

void ParAverages::Par_AveScore(CardView card)
{
    for (int h = 0; h < 18; ++h) {
        const int par = card.par(h);
        if (par >= 3 && par <= 5) {
            strokes[par - 3] += card.score(h);
            ++count[par - 3];
        }
    }
}

void ParAverages::finish()
{
    for (int k = 0; k < 3; ++k) {
        if (count[k] == 0) {
            average[k] = 0;
            over[k] = 0;
            continue;
        }
        // Both from the whole-number sums, so each carries a single rounding and reads as
        // the decimal it stands for (4.45 and -0.55, not -0.5499…).
        average[k] = double(strokes[k]) / count[k];
        over[k] = decimal::round1(double(strokes[k] - qint64(k + 3) * count[k]) / count[k]);
    }
}

QStringList detailRowNames()
{
    return QStringLiteral("ラウンド数,平均ストローク,平均パット数,パーオン率,ベストスコア,"
                          "ワーストスコア,イーグル率,バーディ率,パー率,ボギー率,ダブルボギー率,"
                          "トリプルボギー率,その他,Par5平均スコア,Par4平均スコア,Par3平均スコア")
        .split(QChar(','));
}

namespace {

QString percent(qint64 count, qint64 holes)
{
    return decimal::fixed(count * 100.0 / holes) + QStringLiteral(" %");
}

QString times(qint64 count)
{
    return QString::number(count) + QStringLiteral(" 回");
}

} // namespace

DetailedTally detailedTally(const ScoreCards &cards, const TallyCondition &condition)
{
    DetailedTally t;
    qint64 strokeSum = 0;
    qint64 puttSum = 0;
    qint64 roundsWithoutPutts = 0;
    qint64 parOnSum = 0;
    qint32 best = 500;
    qint32 worst = 0;
    qsizetype bestCard = -1;
    qsizetype worstCard = -1;

    for (qsizetype i : selectCards(cards, condition)) {
        const CardView card = cards.card(i);
        ++t.rounds;
        const qint32 score = card.scoreSum();
        strokeSum += score;
        if (card.puttSum() == 0)
            ++roundsWithoutPutts;
        else
            puttSum += card.puttSum();
        // Strict, so that of equal scores the older round stays.
        if (score < best) {
            best = score;
            bestCard = i;
        }
        if (score > worst) {
            worst = score;
            worstCard = i;
        }
        for (int k = 0; k < 7; ++k)
            t.holeResultCounts[k] += card.holeResultCount(k);
        parOnSum += card.parOnCount();
        t.pars.Par_AveScore(card);
    }
    t.pars.finish();
    if (t.rounds == 0)
        return t;

    const qint64 holes = 18LL * t.rounds;
    const qint64 roundsWithPutts = t.rounds - roundsWithoutPutts;
    const QStringList names = detailRowNames();
    t.rows.reserve(kDetailRows);
    for (const QString &name : names)
        t.rows.append({name, QString(), QString(), QString(), QString()});
    auto set = [&t](int row, const QString &c2, const QString &c3 = QString(),
                   const QString &c4 = QString()) {
        t.rows[row][2] = c2;
        t.rows[row][3] = c3;
        t.rows[row][4] = c4;
    };
    set(0, QString::number(t.rounds));
    set(1, decimal::fixed(double(strokeSum) / t.rounds));
    // Putts per hole over the rounds that have putts.
    set(2, decimal::fixed(roundsWithPutts > 0 ? double(puttSum) / (18 * roundsWithPutts) : 0.0));
    set(3, percent(parOnSum, holes), times(parOnSum));
    auto links = [&cards](qsizetype i) { return i >= 0 ? cards.card(i).linksName() : QString(); };
    auto date = [&cards](qsizetype i) {
        return i >= 0 ? datetime::dateText(cards.card(i).roundDate()) : QString();
    };
    set(4, QString::number(best), links(bestCard), date(bestCard));
    set(5, QString::number(worst), links(worstCard), date(worstCard));
    for (int k = 0; k < 7; ++k)
        set(6 + k, percent(t.holeResultCounts[k], holes), times(t.holeResultCounts[k]));
    // Rows 13 to 15 run from par 5 down to par 3; a par without holes stays empty.
    for (int k = 2; k >= 0; --k) {
        if (!t.pars.has(k))
            continue;
        const double over = t.pars.over[k];
        set(13 + (2 - k), decimal::upToOne(t.pars.average[k]),
            (over > 0 ? QStringLiteral("+") : QString()) + decimal::upToOne(over));
    }
    return t;
}

} // namespace stats
