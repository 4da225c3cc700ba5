#pragma once

#include "analysis.h"

#include "core/data/carddetails.h"

#include <QList>
#include <QStringList>

#include <array>

// The statistics of the play details (fairways, OB, penalties, bunkers) and those golfers
// follow with them from the cards alone: the result classes per round and the rounds under 100
// and 90. A round without details is left out of the detail statistics only.
namespace stats {

struct PlayStats {
    qint64 rounds = 0;
    std::array<qint64, 7> classes {}; // eagle … other, summed over the rounds
    Ratio under100; // of the rounds: fewer than 100 strokes
    Ratio under90;

    qint64 detailRounds = 0;
    Ratio fairway; // of the par 4 and 5 holes with FW entered
    Ratio missLeft;
    Ratio missRight;
    qint64 ob = 0; // over the rounds with details; a count not entered is none
    qint64 penalty = 0;
    qint64 bunker = 0; // fairway and greenside bunker shots
    // Of the holes with a greenside bunker shot and their putts entered: at most one putt.
    Ratio sandSave;

    // `details` null or blank: a round without details.
    void add(CardView card, const CardDetails *details);
};

PlayStats playStats(
    const ScoreCards &cards, const QList<qsizetype> &positions, const details::DetailsMap &details);

// Rows as analysisRows gives them: name, then for the selection and for its last rounds the
// value and the number of rounds it was counted over.
QList<QStringList> playRows(const PlayStats &selected, const PlayStats &recent);
// Per year of the selection: best, average and number of rounds, in the two columns.
QList<QStringList> yearRows(const QList<YearStats> &selected, const QList<YearStats> &recent);
// The whole analysis: analyse()'s rows, then those of the details and of the years.
Analysis analyseWithDetails(
    const ScoreCards &cards, const TallyCondition &condition, const details::DetailsMap &details);
// What the table's サンドセーブ率 counts, said under it.
QString sandSaveDefinition();

} // namespace stats
