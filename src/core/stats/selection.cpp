#include "selection.h"

#include "core/data/datetime.h"

namespace stats {

qsizetype coveredCount(qsizetype cardCount, const TallyCondition &condition)
{
    if (condition.roundCount < 0)
        return cardCount;
    return qMin<qsizetype>(condition.roundCount, cardCount);
}

QList<qsizetype> selectCards(const ScoreCards &cards, const TallyCondition &condition)
{
    const qsizetype n = cards.size();
    const qsizetype first = n - coveredCount(n, condition);
    const bool anyYear = condition.year == kAll;
    const bool anyLinks = condition.links == kAll;
    const QString year = condition.year.left(4);
    QList<qsizetype> selected;
    selected.reserve(n - first);
    for (qsizetype i = first; i < n; ++i) {
        const CardView card = cards.card(i);
        if (!anyYear && datetime::dateText(card.roundDate()).left(4) != year)
            continue;
        if (!anyLinks && card.linksName() != condition.links)
            continue;
        selected.append(i);
    }
    return selected;
}

} // namespace stats
