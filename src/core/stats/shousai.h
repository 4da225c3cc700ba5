#pragma once

#include "selection.h"

#include <QList>
#include <QStringList>

#include <array>

namespace stats {

// Average strokes per par over some cards; index 0 is par 3, 1 par 4, 2 par 5.
struct ParAverages {
    std::array<qint64, 3> strokes {};
    std::array<qint32, 3> count {}; // holes of that par
    std::array<double, 3> average {};
    std::array<double, 3> over {}; // average minus par, rounded to one decimal
    bool has(int parIndex) const { return count[parIndex] > 0; }

    // Adds the card's holes of par 3, 4 and 5; holes of any other par add nothing.
    void Par_AveScore(CardView card);
    // Turns the sums into averages. A par without holes keeps 0 for both values.
    void finish();
};

// The detailed statistics: sixteen rows of five columns (name, a hidden column, then three
// columns of values), empty when no card is selected.
struct DetailedTally {
    int rounds = 0;
    std::array<qint32, 7> holeResultCounts {}; // eagle … other, summed over the cards
    ParAverages pars;
    QList<QStringList> rows;
};

inline constexpr int kDetailRows = 16;
inline constexpr int kDetailColumns = 5;
QStringList detailRowNames();

DetailedTally detailedTally(const ScoreCards &cards, const TallyCondition &condition);

} // namespace stats
