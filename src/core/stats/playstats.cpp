#include "playstats.h"

#include "decimal.h"

#include "core/data/datetime.h"

namespace stats {

void PlayStats::add(CardView card, const CardDetails *details)
{
    ++rounds;
    for (int k = 0; k < 7; ++k)
        classes[size_t(k)] += card.holeResultCount(k);
    under100.add(card.scoreSum() < 100);
    under90.add(card.scoreSum() < 90);
    if (!details || details->empty())
        return;
    ++detailRounds;
    for (int h = 0; h < 18; ++h) {
        const HoleDetail &hole = details->holes[size_t(h)];
        // A par 3 has no tee shot to a fairway, whatever a file may hold for it.
        if (card.par(h) >= 4 && hole.fairway != Fairway::None) {
            fairway.add(hole.fairway == Fairway::Hit);
            missLeft.add(hole.fairway == Fairway::Left);
            missRight.add(hole.fairway == Fairway::Right);
        }
        ob += hole.count(Ob).value_or(0);
        penalty += hole.count(Penalty).value_or(0);
        bunker += hole.count(FairwayBunker).value_or(0) + hole.count(GreenBunker).value_or(0);
        if (hole.count(GreenBunker).value_or(0) > 0)
            if (const std::optional<int> putts = holePutts(card, h))
                sandSave.add(*putts <= 1);
    }
}

PlayStats playStats(
    const ScoreCards &cards, const QList<qsizetype> &positions, const details::DetailsMap &details)
{
    PlayStats stats;
    for (qsizetype i : positions) {
        const CardView card = cards.card(i);
        const auto it = details.constFind(qint64(datetime::dayOf(card.roundDate())));
        stats.add(card, it == details.cend() ? nullptr : &it.value());
    }
    return stats;
}

namespace {

const QString kNone = QStringLiteral("—");

QString perRound(qint64 count, qint64 rounds, int decimals)
{
    return rounds == 0 ? kNone : decimal::fixed(double(count) / double(rounds), decimals);
}

QList<std::pair<QString, qint64>> column(const PlayStats &s)
{
    const qint64 n = s.rounds;
    const qint64 d = s.detailRounds;
    QList<std::pair<QString, qint64>> c = {
        {rate(s.fairway), d},
        {rate(s.missLeft), d},
        {rate(s.missRight), d},
        {perRound(s.ob, d, 1), d},
        {perRound(s.penalty, d, 1), d},
        {perRound(s.bunker, d, 1), d},
        {rate(s.sandSave), d},
    };
    for (qint64 count : s.classes)
        c.append({perRound(count, n, 2), n});
    c.append({rate(s.under100), n});
    c.append({rate(s.under90), n});
    return c;
}

const char *const kRowNames[]
    = {"FWキープ率", "左ミス率", "右ミス率", "OB（1ラウンド）", "ペナルティ（1ラウンド）",
        "バンカー（1ラウンド）", "サンドセーブ率", "イーグル（1ラウンド）", "バーディ（1ラウンド）",
        "パー（1ラウンド）", "ボギー（1ラウンド）", "ダブルボギー（1ラウンド）",
        "トリプルボギー（1ラウンド）", "その他（1ラウンド）", "100切り率", "90切り率"};

QString yearText(const RoundStats &s)
{
    if (s.rounds == 0)
        return kNone;
    return QStringLiteral("ベスト %1・平均 %2")
        .arg(s.best)
        .arg(decimal::fixed(double(s.strokes) / double(s.rounds)));
}

} // namespace

QList<QStringList> playRows(const PlayStats &selected, const PlayStats &recent)
{
    const auto all = column(selected);
    const auto last = column(recent);
    QList<QStringList> rows;
    for (qsizetype r = 0; r < all.size(); ++r)
        rows.append({QString::fromUtf8(kRowNames[r]), all[r].first, QString::number(all[r].second),
            last[r].first, QString::number(last[r].second)});
    return rows;
}

QList<QStringList> yearRows(const QList<YearStats> &selected, const QList<YearStats> &recent)
{
    QList<QStringList> rows;
    for (const YearStats &y : selected) {
        RoundStats inRecent;
        for (const YearStats &r : recent)
            if (r.year == y.year)
                inRecent = r.stats;
        rows.append({QStringLiteral("%1年").arg(y.year), yearText(y.stats),
            QString::number(y.stats.rounds), yearText(inRecent), QString::number(inRecent.rounds)});
    }
    return rows;
}

Analysis analyseWithDetails(
    const ScoreCards &cards, const TallyCondition &condition, const details::DetailsMap &details)
{
    Analysis a = analyse(cards, condition);
    const QList<qsizetype> recent
        = a.positions.mid(qMax<qsizetype>(0, a.positions.size() - kRecentRounds));
    a.rows += playRows(playStats(cards, a.positions, details), playStats(cards, recent, details));
    a.rows += yearRows(a.years, yearlyStats(cards, recent));
    return a;
}

QString sandSaveDefinition()
{
    return QStringLiteral(
        "サンドセーブ率：グリーンバンカーから打ったホール（パット数の入力があるもの）のうち、"
        "その後のパットが1以下（バンカーショットがグリーンに乗ったか、カップに入った）の割合");
}

} // namespace stats
