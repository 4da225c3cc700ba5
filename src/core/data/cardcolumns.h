#pragma once

#include "csv.h"
#include "ratingstore.h"
#include "records.h"
#include "scorecards.h"

#include <QList>
#include <QStringList>

#include <functional>

// Score cards as rows of a spreadsheet: one row per card, with Japanese headings, numbers as
// the score page shows them. Reading takes the columns by their headings, in any order, and
// checks every row by the rules of the score page before any card is taken.
namespace cardcolumns {

// The ratings of a card's round for the last two columns; none leaves them empty.
using RatingOf = std::function<RoundRating(const TScoreRecord &)>;

QStringList header();
QStringList row(const TScoreRecord &card, const RoundRating &rating = {});
// The heading and one row per card, in list order (the golfer's cards are in date order).
QList<QStringList> table(const ScoreCards &cards, const RatingOf &ratingOf = {});

// What a file would bring. Nothing is taken unless problemCount is 0.
struct ImportPlan {
    QList<TScoreRecord> cards; // every card read, in date order, result counts worked out
    QList<RoundRating> ratings; // per card: its round's ratings, empty when the row had none
    QList<bool> conflicting; // per card: a stored card has its day
    int conflicts = 0;
    QList<csv::Error> problems; // the first kProblemsKept, in file order
    int problemCount = 0;
    csv::Encoding encoding = csv::Encoding::Utf8;

    bool ok() const { return problemCount == 0; }
    int newCards() const { return int(cards.size()) - conflicts; }
};
constexpr int kProblemsKept = 50;

// Reads a whole file: its encoding, its records, its headings and every row, against the
// cards already stored.
ImportPlan readCards(const QByteArray &bytes, const ScoreCards &stored);

} // namespace cardcolumns

// The other lists a golfer takes out: the schedule and the golf clubs with their courses.
namespace listcolumns {

QList<QStringList> yoteiTable(const QList<TYoteiRecord> &rounds);
// One row per course, its club's details in front; a club without courses has a row of its
// own, and a course whose club is not registered comes last.
QList<QStringList> linksTable(
    const QList<TLinksRecord> &clubs, const QList<TCourseRecord> &courses);

} // namespace listcolumns
