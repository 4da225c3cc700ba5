#pragma once

#include "core/data/scorecards.h"

#include <QList>
#include <QString>

namespace stats {

// The texts of the tally dialog's choices.
inline const QString kAll = QStringLiteral("全て");

// Which cards a tally covers: the most recent `roundCount` cards of the list, then those of
// the year and the golf club chosen.
struct TallyCondition {
    QString year = kAll; // "全て" or "yyyy年"
    QString links = kAll; // "全て" or a golf club name, compared exactly
    int roundCount = -1; // the most recent cards; negative: every card held
};

// The positions of the selected cards, in list order. A count above the cards held covers
// them all.
QList<qsizetype> selectCards(const ScoreCards &cards, const TallyCondition &condition);

// How many of the most recent cards the condition covers among `cardCount` cards.
qsizetype coveredCount(qsizetype cardCount, const TallyCondition &condition);

} // namespace stats
