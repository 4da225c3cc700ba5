#pragma once

#include "selection.h"
#include "shousai.h"

#include <QList>
#include <QStringList>

#include <optional>

// The statistics golfers follow beyond the tallies: bogey-on, par keep, recovery, putting
// and bounce back rates, counted from the strokes, putts and pars of the cards.
namespace stats {

// So many out of so many (holes, rounds or putts). `of` 0: there was nothing to count.
struct Ratio {
    qint64 count = 0;
    qint64 of = 0;
    bool empty() const { return of == 0; }
    double value() const { return of ? double(count) / double(of) : 0.0; }
    void add(bool hit)
    {
        ++of;
        count += hit ? 1 : 0;
    }
};
// "33.4 % (119 / 360)" as the analysis table shows a rate; "—" when nothing was counted.
QString rate(const Ratio &r);


// The putts of a hole; none when they were not entered.
std::optional<int> holePutts(CardView card, int hole);

// The counts of the statistics over some rounds. Per hole, with s strokes, p putts and its
// par: par-on s − p ≤ par − 2, bogey-on s − p ≤ par − 1, par keep s ≤ par, bogey or better
// s ≤ par + 1. The statistics that need putts count only the rounds with putts on every hole.
struct RoundStats {
    qint64 rounds = 0;
    qint64 strokes = 0;
    std::array<qint64, 2> halves {}; // strokes of the OUT and IN halves
    qint32 best = 0; // the lowest ScoreSum, once a round is counted
    qint64 puttRounds = 0;
    Ratio parOn; // of the holes of rounds with putts
    Ratio bogeyOn;
    Ratio parKeep; // of every hole
    Ratio bogeyOrBetter;
    Ratio recovery; // of the holes (with putts) not on in par − 2: finished in par or better
    Ratio putts; // putts of the rounds with putts, per round
    Ratio parOnPutts; // putts on par-on holes, per par-on hole
    Ratio onePutt; // of the holes of rounds with putts
    Ratio threePutt; // three putts or more
    Ratio bounceBack; // of holes in bogey or worse before another hole: birdie or better next
    Ratio doublePar; // of every hole: strokes at least twice the par
    ParAverages pars; // unfinished: call pars.finish() before reading the averages

    void add(CardView card);
    // Adds the counts of rounds counted elsewhere (the years of a selection).
    void add(const RoundStats &other);
};

RoundStats roundStats(const ScoreCards &cards, const QList<qsizetype> &positions);

// The table: the statistics for the selected rounds and for the last of them.
inline constexpr int kRecentRounds = 20;
QStringList analysisHeader();
// One row per statistic: its name, then for the selection and for its last rounds the value
// and the number of rounds it was counted over. Rates read "33.3 % (12 / 36)"; a statistic
// with nothing to count reads "—".
QList<QStringList> analysisRows(const RoundStats &selected, const RoundStats &recent);

struct YearStats {
    int year = 0;
    RoundStats stats;
};
// The cards by year, in list order (cards are kept in date order).
QList<YearStats> yearlyStats(const ScoreCards &cards, const QList<qsizetype> &positions);

// Everything the analysis shows for one selection.
struct Analysis {
    QList<qsizetype> positions; // the selected cards
    RoundStats selected;
    RoundStats recent; // the last kRecentRounds of the selection
    QList<QStringList> rows; // analysisRows of the two
    QList<YearStats> years;
};
Analysis analyse(const ScoreCards &cards, const TallyCondition &condition);

// Why the statistics that need putts count fewer rounds than the selection holds; empty
// when every round has its putts.
QString puttNote(const RoundStats &selected);

// The table as texts, header first: what is copied and exported.
QList<QStringList> analysisTable(const Analysis &analysis);

// The choices the selection offers: "全て", then the years of the cards ("2024年") in order;
// "全て", then each golf club once, where its last card stands.
QStringList analysisYears(const ScoreCards &cards);
QStringList analysisLinks(const ScoreCards &cards);

// Rows as a spreadsheet pastes them: cells split by tabs, rows ended by line feeds; a cell
// holding a tab, a line break or a quote is quoted, its quotes doubled.
QString tabSeparated(const QList<QStringList> &rows);

} // namespace stats
