#pragma once

#include "analysis.h"
#include "core/stats/chartdata.h"

#include "core/data/carddetails.h"

#include <QList>
#include <QString>
#include <QStringList>

// Where the strokes go: each hole of a club's two courses over every card that played it.
// A course's hole counts the same whichever half of the card it was played in.
namespace stats {

struct HoleStats {
    int number = 0; // 1..18 in the view: the OUT course's holes, then the IN course's
    QString course;
    int hole = 0; // 1..9 of its course
    int par = 0; // as the latest card that played it has them
    int yards = 0;
    qint64 rounds = 0;
    qint64 strokes = 0;
    qint64 overPar = 0; // strokes over each card's own par, summed
    Ratio parOn; // of the rounds with its putts entered
    Ratio threePutt;
    Ratio fairway; // of the rounds with details and its FW entered (par 4 and 5)
    Ratio ob; // OB per round, over the rounds with details

    double average() const { return rounds ? double(strokes) / double(rounds) : 0.0; }
    // The hole's cost: average strokes over par.
    double over() const { return rounds ? double(overPar) / double(rounds) : 0.0; }
};

// The courses played at the club, in the order their first card played them.
QStringList playedCourses(const ScoreCards &cards, const QString &club);
// The 18 holes of the two courses (either may be empty: its nine rows stay blank).
QList<HoleStats> holeStats(const ScoreCards &cards, const details::DetailsMap &details,
    const QString &club, const QString &outCourse, const QString &inCourse);

enum class HoleOrder { Number, Cost };
// By number, or costliest first (equal costs by number); holes never played go last.
QList<HoleStats> sortedHoles(QList<HoleStats> holes, HoleOrder order);
// The numbers of the three costliest holes played (fewer when fewer were).
QList<int> costliestHoles(const QList<HoleStats> &holes);

QStringList holeHeader();
// One row per hole: 番, コース, ホール, パー, ヤード, ラウンド数, 平均, パー差, パーオン率,
// 3パット率, FWキープ率, OB; "—" where nothing was counted.
QList<QStringList> holeRows(const QList<HoleStats> &holes);
// The bars of the chart: per hole its average over par, coloured as the result class the
// rounded value falls in; holes never played draw nothing.
QList<charts::ChartValue> holeBars(const QList<HoleStats> &holes);

} // namespace stats
