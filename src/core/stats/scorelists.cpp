#include "scorelists.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"
#include "decimal.h"

#include <QStringBuilder>

#include <algorithm>
#include <limits>
#include <vector>

namespace stats {

QStringList scoreListHeader()
{
    return QStringLiteral(",,日付,スコア,パット数,パーオン率,ゴルフ場").split(QChar(','));
}

QString parOnRateText(qint32 parOnCount)
{
    // Only 0 to 18 occur on cards; computed once, since a list writes one per row.
    static const QList<QString> common = [] {
        QList<QString> texts;
        for (qint32 k = 0; k <= 18; ++k) {
            const double rate = k / 18.0 * 100.0;
            texts.append(
                rate == 0 ? QStringLiteral("0 %") : decimal::fixed(rate) + QStringLiteral(" %"));
        }
        return texts;
    }();
    if (parOnCount >= 0 && parOnCount <= 18)
        return common[parOnCount];
    const double rate = parOnCount / 18.0 * 100.0;
    if (rate == 0)
        return QStringLiteral("0 %");
    return decimal::fixed(rate) + QStringLiteral(" %");
}

namespace {

struct Entry {
    qint32 score = 0;
    QString links;
    TDateTime date = 0;
    qint32 first = 0;
    qint32 second = 0;
    qint32 putts = 0;
    qint32 parOn = 0;
};

Entry entryOf(CardView card)
{
    return {card.scoreSum(), card.linksName(), card.roundDate(), card.scoreTotal(0),
        card.scoreTotal(1), card.puttSum(), card.parOnCount()};
}

QStringList rowOf(const QString &rank, const Entry &e)
{
    return {rank, QString(), datetime::dateText(e.date),
        QString::number(e.score) % QLatin1String("   ( ") % QString::number(e.first)
            % QLatin1String(" , ") % QString::number(e.second) % QLatin1String(" )"),
        QString::number(e.putts), parOnRateText(e.parOn), e.links};
}

// Minimum of the scores over ranges of places, to find the next smaller score quickly. Each
// level holds the minimum of every sixteen entries of the level below, side by side, so that
// a step up or down reads one cache line: with a hundred thousand cards a binary tree's
// steps would each miss the cache.
class MinTree
{
public:
    static constexpr qsizetype kFan = 16;

    explicit MinTree(const QList<qint32> &values)
    {
        std::vector<qint32> level(values.begin(), values.end());
        do {
            level.resize((level.size() + kFan - 1) / kFan * kFan, kNone);
            m_levels.push_back(std::move(level));
            const std::vector<qint32> &below = m_levels.back();
            level.assign(below.size() / kFan, kNone);
            for (size_t i = 0; i < level.size(); ++i)
                level[i] = *std::min_element(below.begin() + qsizetype(i) * kFan,
                    below.begin() + qsizetype(i + 1) * kFan);
        } while (m_levels.back().size() > size_t(kFan));
        m_levels.push_back(std::move(level));
    }

    void set(qsizetype place, qint32 value)
    {
        m_levels[0][size_t(place)] = value;
        for (size_t l = 1; l < m_levels.size(); ++l) {
            place /= kFan;
            const auto first = m_levels[l - 1].begin() + place * kFan;
            const qint32 m = *std::min_element(first, first + kFan);
            if (m_levels[l][size_t(place)] == m)
                break; // nothing above changes
            m_levels[l][size_t(place)] = m;
        }
    }

    // The first place at or after `from` whose score is below `limit`, or -1.
    qsizetype firstBelow(qsizetype from, qint32 limit) const
    {
        size_t l = 0;
        qsizetype at = from;
        // Up: the rest of each group, then the groups to its right one level higher.
        for (;;) {
            const std::vector<qint32> &level = m_levels[l];
            if (at >= qsizetype(level.size()))
                return -1;
            const qsizetype end = (at / kFan + 1) * kFan;
            const qsizetype found = firstOf(level, at, qMin<qsizetype>(end, level.size()), limit);
            if (found >= 0) {
                at = found;
                break;
            }
            if (l + 1 == m_levels.size())
                return -1;
            at = at / kFan + 1;
            ++l;
        }
        // Down to the leftmost such place.
        while (l > 0) {
            --l;
            at = firstOf(m_levels[l], at * kFan, (at + 1) * kFan, limit);
        }
        return at;
    }

private:
    static constexpr qint32 kNone = std::numeric_limits<qint32>::max();

    static qsizetype firstOf(
        const std::vector<qint32> &level, qsizetype from, qsizetype to, qint32 limit)
    {
        for (qsizetype i = from; i < to; ++i)
            if (level[size_t(i)] < limit)
                return i;
        return -1;
    }

    std::vector<std::vector<qint32>> m_levels; // the scores first, then the minimums
};

} // namespace

QList<qsizetype> exchangeSortOrder(QList<qint32> &scores)
{
    const qsizetype n = scores.size();
    QList<qsizetype> order(n);
    for (qsizetype i = 0; i < n; ++i)
        order[i] = i;
    if (n < 2)
        return order;
    // The first pass meets every entry, so every 0 has become 1000 before any other pass.
    for (qint32 &s : scores)
        if (s == 0)
            s = 1000;

    // Pass i carries the entry at place i along the chain of places whose score is the
    // first one below the score held so far; each exchange moves the held entry to the place
    // of the smaller one. So the pass rotates the chain's entries one step, and only the
    // chain needs visiting.
    MinTree tree(scores);
    QList<qsizetype> chain;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        chain.clear();
        chain.append(i);
        qint32 held = scores[i];
        for (qsizetype p = tree.firstBelow(i + 1, held); p >= 0; p = tree.firstBelow(p + 1, held)) {
            chain.append(p);
            held = scores[p];
        }
        if (chain.size() == 1)
            continue;
        const qsizetype last = chain.last();
        const qint32 lastScore = scores[last];
        const qsizetype lastEntry = order[last];
        for (qsizetype k = chain.size() - 1; k >= 1; --k) {
            scores[chain[k]] = scores[chain[k - 1]];
            order[chain[k]] = order[chain[k - 1]];
            tree.set(chain[k], scores[chain[k]]);
        }
        scores[i] = lastScore;
        order[i] = lastEntry;
        tree.set(i, lastScore);
    }
    return order;
}

QList<QStringList> dateList(const ScoreCards &cards, const TallyCondition &condition)
{
    QList<QStringList> rows;
    const QList<qsizetype> selected = selectCards(cards, condition);
    rows.reserve(selected.size());
    for (qsizetype i : selected)
        rows.append(rowOf(QString(), entryOf(cards.card(i))));
    return rows;
}

QList<QStringList> ascendingList(const ScoreCards &cards, const TallyCondition &condition)
{
    const QList<qsizetype> selected = selectCards(cards, condition);
    if (selected.isEmpty())
        return {};
    // One entry per card of the list: the selected ones filled, the others empty.
    const qsizetype n = cards.size();
    QList<bool> filled(n, false);
    for (qsizetype i : selected)
        filled[i] = true;
    QList<qint32> scores(n, 0);
    for (qsizetype i : selected)
        scores[i] = cards.card(i).scoreSum();
    const QList<qsizetype> order = exchangeSortOrder(scores);

    QList<QStringList> rows;
    rows.reserve(selected.size());
    for (qsizetype k = 0; k < selected.size(); ++k) {
        const qsizetype entry = order[k];
        Entry e = filled[entry] ? entryOf(cards.card(entry)) : Entry {};
        e.score = scores[k]; // as the sort left it: 0 has become 1000
        rows.append(rowOf(numeric::blankNumber(k + 1), e));
    }
    return rows;
}

} // namespace stats
