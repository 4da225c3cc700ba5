#pragma once

#include "carddetails.h"
#include "csv.h"
#include "ratingstore.h"
#include "records.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// One row of a file of score cards read into a card by the rules of the score page. The
// columns are cardcolumns' own; readCards finds them by their headings and hands each row
// here.
namespace cardrow {

// The fixed columns, then four per hole, then the partners and the memo.
enum Column {
    Date,
    Links,
    OutCourse,
    InCourse,
    Weather,
    OutGreen,
    InGreen,
    OutTee,
    InTee,
    Handicap,
    ScoreSum,
    OutTotal,
    InTotal,
    PuttSum,
    Net,
    FirstHole,
};
enum HoleColumn { HolePar, HoleYard, HoleStrokes, HolePutts, PerHole };
constexpr int kFirstPartner = FirstHole + 18 * PerHole;
constexpr int kMemo = kFirstPartner + 6;
constexpr int kCourseRating = kMemo + 1;
constexpr int kSlope = kMemo + 2;
// The play details, optional: five per hole.
constexpr int kFirstDetail = kSlope + 1;
enum DetailColumn {
    DetailFairway,
    DetailOb,
    DetailPenalty,
    DetailFwBunker,
    DetailGreenBunker,
    PerHoleDetails
};
constexpr int kColumns = kFirstDetail + 18 * PerHoleDetails;

// The longest cell read: more than any field holds, quoted or with line breaks. A longer one
// is refused as it is met, without being held.
constexpr int kLongestCell = 1000;

constexpr int holeColumn(int hole, HoleColumn kind)
{
    return FirstHole + hole * PerHole + kind;
}

constexpr int detailColumn(int hole, DetailColumn kind)
{
    return kFirstDetail + hole * PerHoleDetails + kind;
}

// Texts that recur from card to card (clubs, courses, putts) share one storage, so that a
// file of many cards does not hold each of them once per card; a text field already checked
// is not checked again.
class Pool
{
public:
    QString shared(const QString &text);
    // A text field's text that passed the checks before, with its length in Shift-JIS bytes.
    std::optional<std::pair<QString, int>> checked(const QString &text) const;
    QString addChecked(const QString &text, int bytes);

private:
    QSet<QString> m_texts;
    QHash<QString, int> m_checked;
};

// Reads the cells of one row, collecting what it refuses, at most one problem per cell.
class RowReader
{
public:
    // `where` gives the field of the record that holds each column (-1 for none), `names`
    // the headings.
    RowReader(
        const csv::Record &record, const QList<int> &where, const QStringList &names, Pool &pool);

    bool ok() const { return m_problems.isEmpty(); }
    // What the row was refused for, in the order of the file: line, then column.
    QList<csv::Error> problems() const;

    QString value(int column) const;
    void problem(int column, const QString &text);
    void rowProblem(const QString &text);

    // A text field of maxBytes bytes; `lines` lets line breaks through (the memo).
    QString text(int column, int maxBytes, bool required = false, bool lines = false);
    // A whole number as the score page's boxes take it; an empty optional box is 0.
    std::optional<qint32> whole(int column, bool required);
    // A total the file may carry: it must be the one the holes give.
    void checkTotal(int column, qint64 computed);
    // A number cell as typed with the input method on or written back by a spreadsheet:
    // full-width digits and a whole number's fraction of zeros ("72.0") taken as the plain
    // form.
    QString number(int column) const;

    Pool &pool() { return m_pool; }

private:
    const csv::Record &m_record;
    const QList<int> &m_where;
    const QStringList &m_names;
    Pool &m_pool;
    QList<csv::Error> m_problems;
    QList<int> m_told; // columns with a problem already
};

// The round's ratings, each optional, in the ranges the handicap window takes.
RoundRating readRating(RowReader &in);
// The card of the row, its result counts worked out; none when a cell was refused.
std::optional<TScoreRecord> readRow(RowReader &in);
// The play details of the row's card (a par 3 hole takes no FW).
CardDetails readDetails(RowReader &in, const TScoreRecord &card);

} // namespace cardrow
