#include "scorelists.h"

#include "core/data/datetime.h"
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

Entry entryOf(const TScoreRecord &card)
{
    return {card.ScoreSum, card.LinksName, card.RoundDate, card.ScoreTotal[0], card.ScoreTotal[1],
        card.PuttSum, card.ParOnCount};
}

QStringList rowOf(const QString &rank, const Entry &e)
{
    return {rank, QString(), datetime::dateText(e.date),
        QString::number(e.score) % QLatin1String("   ( ") % QString::number(e.first)
            % QLatin1String(" , ") % QString::number(e.second) % QLatin1String(" )"),
        QString::number(e.putts), parOnRateText(e.parOn), e.links};
}

// Minimum of the scores over ranges of places, to find the next smaller score quickly.
class MinTree
{
public:
    explicit MinTree(const QList<qint32> &values)
    {
        while (m_size < values.size())
            m_size *= 2;
        m_min.assign(2 * m_size, std::numeric_limits<qint32>::max());
        for (qsizetype i = 0; i < values.size(); ++i)
            m_min[m_size + i] = values[i];
        for (qsizetype i = m_size - 1; i >= 1; --i)
            m_min[i] = std::min(m_min[2 * i], m_min[2 * i + 1]);
    }

    void set(qsizetype place, qint32 value)
    {
        qsizetype i = m_size + place;
        m_min[i] = value;
        for (i /= 2; i >= 1; i /= 2) {
            const qint32 m = std::min(m_min[2 * i], m_min[2 * i + 1]);
            if (m_min[i] == m)
                break; // nothing above changes
            m_min[i] = m;
        }
    }

    // The first place at or after `from` whose score is below `limit`, or -1.
    qsizetype firstBelow(qsizetype from, qint32 limit) const
    {
        if (from >= m_size)
            return -1;
        qsizetype i = m_size + from;
        // Climb until a subtree to the right of `from` holds a smaller score, then descend
        // to its leftmost such leaf.
        while (m_min[i] >= limit) {
            while (i & 1) {
                i >>= 1;
                if (i == 0)
                    return -1;
            }
            ++i;
        }
        while (i < m_size) {
            i *= 2;
            if (m_min[i] >= limit)
                ++i;
        }
        return i - m_size;
    }

private:
    qsizetype m_size = 1;
    std::vector<qint32> m_min;
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

QList<QStringList> dateList(const QList<TScoreRecord> &cards, const TallyCondition &condition)
{
    QList<QStringList> rows;
    const QList<qsizetype> selected = selectCards(cards, condition);
    rows.reserve(selected.size());
    for (qsizetype i : selected)
        rows.append(rowOf(QString(), entryOf(cards[i])));
    return rows;
}

QList<QStringList> ascendingList(const QList<TScoreRecord> &cards, const TallyCondition &condition)
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
        scores[i] = cards[i].ScoreSum;
    const QList<qsizetype> order = exchangeSortOrder(scores);

    QList<QStringList> rows;
    rows.reserve(selected.size());
    for (qsizetype k = 0; k < selected.size(); ++k) {
        const qsizetype entry = order[k];
        Entry e = filled[entry] ? entryOf(cards[entry]) : Entry {};
        e.score = scores[k]; // as the sort left it: 0 has become 1000
        rows.append(rowOf(QChar(' ') + QString::number(k + 1), e));
    }
    return rows;
}

} // namespace stats
