#pragma once

#include "carddetails.h"
#include "csv.h"
#include "ratingstore.h"
#include "records.h"
#include "scorecards.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <functional>

class QIODevice;

// Score cards as rows of a spreadsheet: one row per card, with Japanese headings, numbers as
// the score page shows them, texts a spreadsheet would run as formulas protected. Reading
// takes the columns by their headings, in any order, takes what spreadsheets make of the
// numbers and dates, and checks every row by the rules of the score page before any card is
// taken.
namespace cardcolumns {

// The ratings of a card's round for the last two columns; none leaves them empty.
using RatingOf = std::function<RoundRating(const TScoreRecord &)>;
// The play details of a card, five columns per hole after the ratings.
using DetailsOf = std::function<CardDetails(const TScoreRecord &)>;

// With details, the detail columns follow the ratings.
QStringList header(bool withDetails = false);
QStringList row(
    const TScoreRecord &card, const RoundRating &rating = {}, const CardDetails *details = nullptr);
// The heading and one row per card, in list order (the golfer's cards are in date order);
// the detail columns only with detailsOf.
QList<QStringList> table(
    const ScoreCards &cards, const RatingOf &ratingOf = {}, const DetailsOf &detailsOf = {});

// What a file is read against: the golfer's stored cards by their days (ratings::dayKey),
// the ratings of his rounds, and the names of the registered clubs.
struct Stored {
    QSet<qint64> days;
    QMap<qint64, RoundRating> ratings;
    QSet<QString> clubs;

    static Stored of(const QList<TScoreRecord> &cards);
};

// What a file would bring. Nothing is taken unless the user agrees; the cards of the rows
// without errors are there whether other rows have errors or not.
struct ImportPlan {
    QList<TScoreRecord> cards; // every card read, in date order, result counts worked out
    // Per card: the ratings it will have. A rating cell left empty keeps the stored rating of
    // the card the row replaces.
    QList<RoundRating> ratings;
    // Per card: its play details; none when the file has no detail columns, so that a card
    // it replaces keeps its own.
    QList<std::optional<CardDetails>> details;
    QList<bool> conflicting; // per card: a stored card has its day
    int conflicts = 0;
    // Ratings of stored rounds that the import changes: among the new cards, and among the
    // cards that replace stored ones.
    int ratingChangesAdded = 0;
    int ratingChangesReplaced = 0;
    QStringList unregisteredClubs; // clubs the cards name that are not registered, in file order
    QList<csv::Error> problems; // the first kProblemsKept, in file order
    int problemCount = 0;
    int errorRows = 0; // rows left out for their problems
    bool readable = false; // the file read to its end with its headings
    bool cancelled = false;
    csv::Encoding encoding = csv::Encoding::Utf8;

    bool ok() const { return problemCount == 0; }
    // Whether anything may be taken: all or nothing, or only the rows without errors.
    bool importable(bool goodRowsOnly) const
    {
        return readable && !cancelled && (ok() || goodRowsOnly);
    }
    int newCards() const { return int(cards.size()) - conflicts; }
    int ratingChanges(bool replaceTaken) const
    {
        return ratingChangesAdded + (replaceTaken ? ratingChangesReplaced : 0);
    }
    QList<TDateTime> conflictDays() const;
};
constexpr int kProblemsKept = 50;

// Told now and then how far the reading has come, in thousandths; false stops it.
using Progress = std::function<bool(int permille)>;

// Reads a whole file: its encoding, its records, its headings and every row, against what
// is stored. The file is read a piece at a time and its rows one by one, never held whole.
ImportPlan readCards(QIODevice *file, const Stored &stored = {}, const Progress &progress = {});
ImportPlan readCards(
    const QByteArray &bytes, const Stored &stored = {}, const Progress &progress = {});

} // namespace cardcolumns
