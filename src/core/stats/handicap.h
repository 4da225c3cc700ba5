#pragma once

#include "core/data/ratingstore.h"
#include "core/data/records.h"
#include "core/data/scorecards.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The handicap index estimate from rated 18-hole rounds. Indexes, differentials and course
// ratings are held in tenths (14.3 is 143) so that every rounding is exact: halves go
// upward, toward plus (12.5 gives 13, -2.5 gives -2).
namespace handicap {

using HoleStrokes = std::array<int, 18>;
using StrokeIndex = std::array<int, 18>; // hole 1..18 -> 1..18, each once
using CourseStrokeIndex = std::array<int, 9>; // the HDCP row of a 9-hole course

constexpr int kMaxIndex = 540;
constexpr int kRecentRounds = 20;
constexpr int kMinRounds = 3;
constexpr int kCapWindowDays = 365;

// num / den rounded to a whole number, halves upward; den > 0.
qint64 roundHalfUp(qint64 num, qint64 den);

// Index × slope / 113 + (course rating − par), whole strokes.
int courseHandicap(int index10, int slope, int courseRating10, int par);

// Strokes received on each hole: one on each hole whose stroke index is at most the course
// handicap, a second where it is at most the handicap − 18, and so on; a plus handicap
// gives strokes back from stroke index 18 downward.
HoleStrokes strokesPerHole(int courseHandicap, const StrokeIndex &strokeIndex);
// Without stroke indexes every hole receives the larger share.
HoleStrokes evenStrokes(int courseHandicap);

// Net double bogey: each hole at most par + 2 + the strokes received. Without strokes (no
// index yet) each hole at most par + 5.
int adjustedGross(const std::array<qint32, 18> &score, const std::array<qint32, 18> &par,
    const HoleStrokes *strokes);

// (113 / slope) × (adjusted gross − course rating), in tenths.
int differential(int adjustedGross, int courseRating10, int slope);

// How many of the recent differentials count, and the adjustment (tenths), for a count of
// differentials; none below three.
struct TableRow {
    int used = 0;
    int adjustment10 = 0;
};
TableRow tableRow(int count);

// The index from differentials (oldest first): the lowest of the most recent 20 by the
// table, averaged and adjusted, at most 54.0. None before three.
std::optional<int> indexFromDifferentials(const QList<int> &differentials10);

// Positions (into the list given) of the differentials the index uses: the lowest ones of
// the most recent 20, the older first among equals.
QList<int> usedPositions(const QList<int> &differentials10);

// The caps against the lowest index of the year before: a rise beyond 3.0 is halved, and
// the index is never more than 5.0 above it.
int applyCaps(int index10, int lowIndex10);

// What an exceptional round takes off each of the recent differentials: 1.0 for a
// differential 7.0 to 9.9 below the index before it, 2.0 for 10.0 or more.
int exceptionalReduction(int differential10, int indexBefore10);

// The stroke indexes of an 18-hole round from the rows of its two 9-hole courses. Rows that
// together hold each of 1..18 once are taken as they are; other rows (two courses numbered
// alike) are ranked by their numbers, the first half first among equals.
std::optional<StrokeIndex> roundStrokeIndex(
    const std::optional<CourseStrokeIndex> &first, const std::optional<CourseStrokeIndex> &second);

// "14.3"; a plus index reads "+2.0".
QString indexText(int index10);
// "13.5", "-1.5".
QString tenthsText(int value10);

// One rated round, as the calculation needs it.
struct Round {
    TDateTime day = 0;
    std::array<qint32, 18> score {};
    std::array<qint32, 18> par {};
    int parTotal = 0;
    int courseRating10 = 0;
    int slope = 0;
    std::optional<StrokeIndex> strokeIndex;
};

struct RoundResult {
    std::optional<int> indexBefore;
    std::optional<int> courseHandicap; // none before the first index
    int adjustedGross = 0;
    bool estimated = false; // strokes spread evenly: the course has no stroke indexes
    int differential10 = 0; // as played
    int adjusted10 = 0; // after the exceptional rounds that followed it or itself
    int reduction10 = 0; // what this round, being exceptional, took off (0, 10 or 20)
    std::optional<int> indexAfter;
    bool capped = false;
    bool used = false; // counts in the latest index
};

// The rounds in date order give each their result; the last index is the estimate.
QList<RoundResult> history(const QList<Round> &rounds);

// The golfer's cards that count: both ratings given and every hole's par and strokes
// entered, in date order, with the stroke indexes of their courses where both are known.
struct RatedRounds {
    QList<Round> rounds;
    QList<int> cardIndex; // the card of each round
};
RatedRounds ratedRounds(const ScoreCards &cards, const RatingStore &store);
// The same with the cards' dateOrder at hand, as a table of the cards in date order has it.
RatedRounds ratedRounds(
    const ScoreCards &cards, const QList<int> &order, const RatingStore &store);
// The positions of the cards in the order of their days, cards of one day as they stand.
QList<int> dateOrder(const ScoreCards &cards);

// What the golfer may play next: a club, its two courses and their tees he has played with
// a rating remembered for them, most recently played first, with their par.
struct NextRound {
    TeeCombination where;
    int par = 0;
    RoundRating rating;
    // "A倶楽部  OUT / IN  レギュラー" (the tees twice when they differ).
    QString text() const;
    // The course handicap for this round at the index, none without both ratings.
    std::optional<int> courseHandicap(int index10) const;
};
QList<NextRound> nextRounds(const ScoreCards &cards, const RatingStore &store);
// "14", a plus handicap "+2".
QString courseHandicapText(int value);

} // namespace handicap
