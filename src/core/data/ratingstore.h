#pragma once

#include "journal.h"
#include "records.h"
#include "sidefile.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <tuple>

// The ratings of a round: course rating in tenths (71.2 is 712) and slope rating. Either may
// be missing while the user is still typing them.
struct RoundRating {
    std::optional<int> courseRating10;
    std::optional<int> slope;

    bool complete() const { return courseRating10 && slope; }
    bool empty() const { return !courseRating10 && !slope; }
    bool operator==(const RoundRating &) const = default;
};

// The HDCP row of a 9-hole course: each hole's stroke index, 1..18, no number twice.
using HoleHandicaps = std::array<int, 9>;

// What a card was played on: the club, the two courses and their tees. A rating typed for
// one card is offered for the next card of the same combination.
struct TeeCombination {
    QString club;
    std::array<QString, 2> courses;
    std::array<QString, 2> tees;

    static TeeCombination of(const TScoreRecord &card);
    bool operator<(const TeeCombination &o) const
    {
        return std::tie(club, courses[0], courses[1], tees[0], tees[1])
            < std::tie(o.club, o.courses[0], o.courses[1], o.tees[0], o.tees[1]);
    }
    bool operator==(const TeeCombination &) const = default;
};

namespace ratings {

constexpr int kMinCourseRating10 = 500;
constexpr int kMaxCourseRating10 = 900;
constexpr int kMinSlope = 55;
constexpr int kMaxSlope = 155;

// "71.2" or "71" (blanks around allowed, at most one decimal, 50.0 to 90.0).
std::optional<int> parseCourseRating(const QString &text);
// A whole number 55 to 155.
std::optional<int> parseSlope(const QString &text);
bool validHoleHandicaps(const HoleHandicaps &row);
// Each of the two ratings absent or within its limits.
bool validRating(const RoundRating &rating);
// A card's day as the ratings file keys it.
qint64 dayKey(TDateTime day);
QString courseRatingText(int courseRating10);

// The side files' contents as bytes, and back: readers take any bytes and keep only what
// holds; `problem` tells what they could not take (empty when all was well).
struct RatingsData {
    QMap<qint64, RoundRating> rounds; // by the card's day
    QMap<TeeCombination, RoundRating> remembered;
};
using HoleHandicapMap = QMap<std::pair<QString, QString>, HoleHandicaps>; // (club, course)

QByteArray encodeRatings(const RatingsData &data);
RatingsData decodeRatings(const QByteArray &bytes, QString *problem);
QByteArray encodeHoleHandicaps(const HoleHandicapMap &map);
HoleHandicapMap decodeHoleHandicaps(const QByteArray &bytes, QString *problem);

} // namespace ratings

// The two side files of the handicap estimate: per golfer the ratings of his rounds (keyed
// by the card's day) with the rating remembered per club, courses and tees, and for all the
// clubs' courses their stroke indexes. Both follow the cards and courses they describe: the
// record book calls the operations below after each change of its own. They are read and
// written as every side file is (sidefile.h).
class RatingStore final
{
public:
    explicit RatingStore(const QString &dataDir);

    // Reads the stroke indexes; returns what to report.
    QStringList loadHoleHandicaps(const QDate &today);
    // Reads the golfer's ratings; returns what to report.
    QStringList loadGolfer(const QString &name, const QDate &today);
    void releaseGolfer();

    QString holeHandicapFileName() const { return m_files.dir() + QStringLiteral("HoleHdcp.json"); }
    QString ratingsFileName(const QString &golfer) const;
    const QString &golferName() const { return m_golfer; }

    // Ratings of the golfer's rounds.
    RoundRating rating(TDateTime day) const;
    const QMap<qint64, RoundRating> &ratings() const { return m_ratings.rounds; }
    // What was last typed for a card of the same club, courses and tees.
    RoundRating remembered(const TScoreRecord &card) const;
    // Sets the card's ratings (an empty rating removes them) and remembers what is set for
    // its combination; returns the write errors.
    QStringList setRating(const TScoreRecord &card, const RoundRating &rating);
    // The same for many cards at once, in one write.
    QStringList setRatings(const QList<std::pair<TScoreRecord, RoundRating>> &list);

    // Stroke indexes of the courses.
    std::optional<HoleHandicaps> holeHandicaps(const QString &club, const QString &course) const;
    // Sets (or with none removes) a course's row; a row that is not valid is not taken.
    QStringList setHoleHandicaps(
        const QString &club, const QString &course, const std::optional<HoleHandicaps> &row);

    // Following the records.
    QStringList cardMoved(TDateTime from, TDateTime to);
    QStringList cardDeleted(TDateTime day);
    QStringList clubRenamed(const QString &oldName, const QString &newName);
    QStringList courseRenamed(const QString &club, const QString &oldName, const QString &newName);
    // The course's new name was carried into the golfer's cards: the remembered ratings follow.
    QStringList courseCarriedIntoCards(
        const QString &club, const QString &oldName, const QString &newName);
    QStringList courseDeleted(const QString &club, const QString &course);
    // Removes the golfer's ratings file (a copy kept aside stays).
    void golferDeleted(const QString &name);

    // The operations that follow collect their writes instead of making them, so that the
    // record book writes them with its own files as one change; then takeWrites() and, once
    // the change is on disk or has failed, settle().
    void defer();
    QList<journal::FileWrite> takeWrites();
    // Keeps what the operations did, or goes back to the state before defer().
    void settle(bool written);

private:
    QStringList writeRatings();
    bool applyRating(const TScoreRecord &card, const RoundRating &rating);
    QStringList writeHoleHandicaps();
    static ratings::RatingsData renamedClub(
        ratings::RatingsData data, const QString &oldName, const QString &newName);
    static ratings::HoleHandicapMap renamedClub(
        const ratings::HoleHandicapMap &map, const QString &oldName, const QString &newName);

    struct Saved {
        ratings::RatingsData ratings;
        ratings::HoleHandicapMap holes;
        SideFile ratingsFile;
        SideFile holeFile;
    };
    std::optional<Saved> m_before; // set while deferring

    SideFileWriter m_files;
    QString m_golfer;
    SideFile m_ratingsFile;
    SideFile m_holeFile;
    ratings::RatingsData m_ratings;
    ratings::HoleHandicapMap m_holes;
};
