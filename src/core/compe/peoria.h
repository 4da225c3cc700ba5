#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// Competitions (コンペ) scored by the New Peoria method (新ペリア): nobody brings a handicap,
// so each player's is worked out on the day from his scores on 12 hidden holes (隠しホール).
//
// The method, as plain functions:
//   chooseHiddenHoles()   the 12 holes, at random (the random source is given, so a test can
//                         tell which holes come out); hiddenHolesProblem() checks holes ticked
//                         by hand the same way.
//   cappedScore(), handicapTenths()
//                         a hidden hole's score after the cap, and the handicap.
//   computeResults()      handicap, net and place of every player, and the best gross.
//   resultRow(), resultsCsvRows()
//                         the results table as texts (順位, 氏名, OUT, IN, グロス, ハンディ,
//                         ネット).
//
// Handicaps and nets are counted in tenths as whole numbers: a handicap such as
// (61 × 1.5 − 72) × 0.9 = 17.55 must round to 17.6, which binary fractions do not promise.
// Holes are numbered 1 to 18: 1 to 9 the first half (OUT), 10 to 18 the second (IN).
namespace compe {

constexpr int kHoles = 18;
constexpr int kHiddenPerHalf = 6;
constexpr int kHiddenHoles = 2 * kHiddenPerHalf;
constexpr int kMinScore = 1;
constexpr int kMaxScore = 20;
constexpr int kMinPar = 3;
constexpr int kMaxPar = 6;
// Six hidden holes of one half: one par 3, four par 4s and one par 5.
constexpr int kHalfHiddenPar = 24;

using Pars = std::array<int, kHoles>;
using Scores = std::array<int, kHoles>;

// What a hidden hole's score counts at most.
enum class Cap { DoublePar, TripleBogey, None };
// The share of the raw handicap that is given: 0.8, 0.9 or all of it.
enum class Factor { Point8, Point9, One };
// The largest handicap given.
enum class Limit { L36, L40, None };

struct Options {
    Cap cap = Cap::DoublePar;
    Factor factor = Factor::Point8;
    Limit limit = Limit::L36;
    bool operator==(const Options &) const = default;
};

int factorTenths(Factor factor);
std::optional<int> limitTenths(Limit limit);
// The options as the sheet and the window name them.
QString capText(Cap cap); // "ダブルパー", "トリプルボギー", "なし"
QString factorText(Factor factor); // "0.8", "0.9", "1.0"
QString limitText(Limit limit); // "36", "40", "なし"

// "OUT" for holes 1 to 9, "IN" for 10 to 18.
QString halfName(int half);

// A number 0 ≤ n < bound. Tests give one that answers as they say.
using RandomSource = std::function<quint32(quint32 bound)>;
RandomSource systemRandom();

// The hidden holes and what kind of choice each half allowed.
struct HiddenChoice {
    QList<int> holes; // ascending
    // Whether the half had its par 3, four par 4s and par 5; a half without them takes the
    // six holes whose pars total as near to 24 as its holes allow.
    std::array<bool, 2> standard {true, true};
    std::array<int, 2> hiddenPar {}; // the pars of each half's hidden holes, added up

    // What the window tells the organiser about a half that had no standard choice; empty
    // when both had one.
    QString notice() const;
};

// Chooses six holes of each half, every choice the method allows equally likely.
HiddenChoice chooseHiddenHoles(const Pars &pars, const RandomSource &random);
// What the method holds against holes ticked by hand; empty when they make a whole choice.
QString hiddenHolesProblem(const Pars &pars, const QList<int> &holes);
// The kind of each half for holes already known to be a whole choice.
HiddenChoice describeHiddenHoles(const Pars &pars, const QList<int> &holes);

int cappedScore(int score, int par, Cap cap);
// (hiddenSum × 1.5 − coursePar) × factor, rounded half up to tenths, at most the limit and
// never below 0. The published method subtracts the course's par (72 on a standard course,
// which is the hidden par 48 × 1.5), so the par of the competition's 18 holes is given.
int handicapTenths(int hiddenSum, int coursePar, const Options &options);
// "12.4", "0.0", "-3.5".
QString tenthsText(int tenths);

struct Player {
    QString name;
    Scores scores {};
    bool golfer = false; // a registered golfer, whose scores came from his card; else a guest
    bool operator==(const Player &) const = default;
};

// What is wrong with a player's name or scores, naming the player and the hole; empty when
// nothing is. A name must hold something besides blanks, and no line breaks or other control
// characters, which would break the sheet's and the CSV file's rows.
QString scoreProblem(const QString &name, int hole, int score);
QString playerNameProblem(const QString &name);
QString playerProblem(const Player &player);
// The same for every player, and no name twice (names compared without blanks at the ends).
QString playersProblem(const QList<Player> &players);
// A par the method cannot work with (every hole from 3 to 6).
QString parsProblem(const Pars &pars);

int outTotal(const Scores &scores);
int inTotal(const Scores &scores);

struct PlayerResult {
    QString name;
    int out = 0;
    int in = 0;
    int gross = 0;
    int hiddenSum = 0; // after the cap
    int handicap10 = 0;
    int net10 = 0;
    int place = 0; // from 1; players who tie on net, handicap and IN share it
    bool operator==(const PlayerResult &) const = default;
};

struct Results {
    QList<PlayerResult> rows; // best first
    int bestGross = 0;
    QStringList bestGrossNames; // every player on that gross, in the order of the rows
    QString error; // why there are no results; empty when there are

    bool ok() const { return error.isEmpty(); }
};

// Places go by net; a tie goes to the smaller handicap, then to the better IN, and players
// equal on all three share the place (1, 2, 2, 4). Asks for pars and players without a
// problem and a whole choice of hidden holes.
Results computeResults(const Pars &pars, const QList<int> &hidden, const Options &options,
    const QList<Player> &players);

QStringList resultsHeader(); // 順位, 氏名, OUT, IN, グロス, ハンディ, ネット
QStringList resultRow(const PlayerResult &result);
// The heading and a row for each player, for a CSV file; and the same as CSV text (quoted
// where a name needs it, CR LF after every row), for the export to encode.
QList<QStringList> resultsCsvRows(const Results &results);
QString resultsCsv(const Results &results);

} // namespace compe
