#pragma once

#include "peoria.h"

#include "core/data/records.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Competitions by the New Peoria method, for the window that keeps them:
//   competition.h  the record, the checks of what is typed, and the file's bytes;
//   peoria.h       the method: hidden holes, handicap, places, the results table and CSV;
//   compestore.h   the files in Compe/: list, open, save (and rename), delete;
//   compecards.h   the registered golfers' cards of the day, offered as players;
//   core/print/compeprintout.h  the results sheet.
// A window builds a Competition (setCourses() with the two Course.dat records, players from
// offeredPlayers() or playerFromTexts(), hidden holes from chooseHiddenHoles() or ticks checked
// by hiddenHolesProblem()), saves it with CompeStore::save(), and shows c.results(): a non-empty
// Results::error is the message to show instead of results.
//
// One competition as the organiser keeps it: the day, the club and its two courses with
// their pars (copied from Course.dat when the courses are chosen, so that a course changed
// later leaves an old competition as it was played), the players with their 18 scores, the
// hidden holes and whether they have been announced, the options and the prize holes.
//
// The checks of typed text (a score, a prize hole, the competition's name) and of a whole
// competition come back as the message the user is shown, empty when all is well; the file's
// bytes are read and written by encode() and decode(). Files are handled by CompeStore.
namespace compe {

enum class PrizeKind { Drive, Pin }; // ドラコン, ニアピン

struct PrizeHole {
    PrizeKind kind = PrizeKind::Drive;
    int hole = 0; // 1..18
    QString winner; // as the organiser typed it; empty until it is known
    bool operator==(const PrizeHole &) const = default;
};

QString prizeKindText(PrizeKind kind); // "ドラコン", "ニアピン"

// What one printed page still shows legibly.
constexpr int kMaxPlayers = 100;
constexpr int kMaxPrizesPerKind = 9;
constexpr int kMaxPrizes = 2 * kMaxPrizesPerKind;

struct Competition {
    QDate date;
    QString name;
    QString club;
    std::array<QString, 2> courses; // OUT, IN
    Pars pars {};
    QList<Player> players;
    QList<int> hiddenHoles; // ascending; fewer than 12 while they are still being ticked
    bool announced = false; // 発表: only then does the sheet show the hidden holes
    Options options;
    QList<PrizeHole> prizes;

    int coursePar() const;
    // "yyyy-MM-dd_<name>.json"
    QString fileName() const;
    // The method's answer for the competition as it stands.
    Results results() const;
    bool operator==(const Competition &) const = default;
};

// "2024-05-12_<name>.json" for a day and name.
QString compeFileName(const QDate &date, const QString &name);

// The courses of the two halves: their club, names and pars. Courses of two clubs, or a par
// the method cannot use, are refused with a message naming them, and nothing changes.
QString setCourses(Competition &c, const TCourseRecord &out, const TCourseRecord &in);

// The competition's name becomes part of its file name, so it passes the checks of a
// golfer's name (no characters a file name cannot hold, nothing Shift-JIS lacks) and must
// leave room for the file name and for a damaged file's kept-aside copy.
QString nameProblem(const QString &name);

// A hole score as typed: blanks around it allowed, digits half- or full-width.
std::optional<int> parseScore(const QString &text);
// What is wrong with one score as typed for the player's hole (1..18), the same message as
// playerFromTexts gives; empty when it is a score.
QString scoreTextProblem(const QString &name, int hole, const QString &text);
// The player from his name and his 18 scores as typed, or the message naming the first
// thing wrong ("「山田」の3番のスコア「25」は1から20の整数ではありません").
std::optional<Player> playerFromTexts(
    const QString &name, const QStringList &scoreTexts, bool golfer, QString *problem);
// "参加者は100人までです" for a field of more than kMaxPlayers players; empty otherwise.
QString playerCountProblem(qsizetype count);
// What stops the player from joining: a problem of his own, a name already among the
// players, or a full field.
QString joinProblem(const Competition &c, const Player &player);

// A prize hole as typed: the hole 1 to 18, or the message naming it.
std::optional<int> parsePrizeHole(PrizeKind kind, const QString &text, QString *problem);

// The club and both courses chosen, with pars the method can use; the message naming what is
// missing, empty when they are.
QString coursesProblem(const Competition &c);
// Holes that can still grow into a whole choice: holes 1 to 18, each once, at most six a
// half. What a tick by hand must not break.
QString hiddenHolesShapeProblem(const QList<int> &holes);

// Everything the file requires: a day, a usable name, the club and both courses with pars
// the method can use, players without a problem (at most kMaxPlayers), hidden holes that
// are holes (each once, at most six a half; a whole choice only once results are asked for),
// prize holes on holes (each kind once a hole and on at most nine, the winner a name on one
// line).
QString competitionProblem(const Competition &c);

// The file's bytes: UTF-8 JSON with a format name and a version.
QByteArray encode(const Competition &c);

// Why a file's bytes did not give a competition.
enum class FileProblem {
    None,
    Damaged, // not JSON, or something in it that a competition cannot hold
    Foreign, // JSON, but not a competition of this program
    Newer, // a competition of a later version of the program
};
struct Decoded {
    std::optional<Competition> competition;
    FileProblem problem = FileProblem::None;
    QString detail; // what was wrong, for the report
};
Decoded decode(const QByteArray &bytes);

} // namespace compe
