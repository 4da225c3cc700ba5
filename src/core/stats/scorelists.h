#pragma once

#include "selection.h"

#include <QList>
#include <QStringList>

namespace stats {

// The two score lists share their seven columns: rank, a hidden column, date, score with
// its halves, putts, par-on rate and golf club.
inline constexpr int kListColumns = 7;
QStringList scoreListHeader();

// "0 %" for a round without par-on holes, else the rate with one decimal ("33.3 %").
QString parOnRateText(qint32 parOnCount);

// One row per selected card in list order (oldest first); column 0 empty.
QList<QStringList> dateList(const ScoreCards &cards, const TallyCondition &condition);

// The selected cards by ascending score, each row ranked " 1", " 2", …
QList<QStringList> ascendingList(const ScoreCards &cards, const TallyCondition &condition);

// The order of equal scores in the ascending list is the one this exchange sort leaves:
//   for i in 0..n-1: for j in i+1..n-1: if score[j] < score[i]: swap entries i and j
// over every card of the list, unselected ones included with the score 1000 (a score of 0
// counts as 1000 too). Returns, per place, the list position of the entry that ends there,
// in far fewer steps than the loop.
QList<qsizetype> exchangeSortOrder(QList<qint32> &scores);

} // namespace stats
