#include "ratingstore.h"

#include <algorithm>

RatingStore::RatingStore(const QString &dataDir) : m_files(dataDir) { }

QString RatingStore::ratingsFileName(const QString &golfer) const
{
    return m_files.dir() + golfer + QStringLiteral(".ratings.json");
}

QStringList RatingStore::loadHoleHandicaps(const QDate &today)
{
    m_files.setToday(today);
    return m_files.load(m_holeFile, holeHandicapFileName(), m_holes, ratings::decodeHoleHandicaps);
}

QStringList RatingStore::loadGolfer(const QString &name, const QDate &today)
{
    m_files.setToday(today);
    m_golfer = name;
    return m_files.load(m_ratingsFile, ratingsFileName(name), m_ratings, ratings::decodeRatings);
}

void RatingStore::releaseGolfer()
{
    m_golfer.clear();
    m_ratings = {};
    m_ratingsFile = SideFile {};
}

QStringList RatingStore::writeRatings()
{
    QStringList errors;
    if (!m_golfer.isEmpty())
        m_files.write(m_ratingsFile, ratings::encodeRatings(m_ratings), errors);
    return errors;
}

QStringList RatingStore::writeHoleHandicaps()
{
    QStringList errors;
    m_files.write(m_holeFile, ratings::encodeHoleHandicaps(m_holes), errors);
    return errors;
}

RoundRating RatingStore::rating(TDateTime day) const
{
    return m_ratings.rounds.value(ratings::dayKey(day));
}

RoundRating RatingStore::remembered(const TScoreRecord &card) const
{
    return m_ratings.remembered.value(TeeCombination::of(card));
}

bool RatingStore::applyRating(const TScoreRecord &card, const RoundRating &rating)
{
    if (!ratings::validRating(rating) || m_golfer.isEmpty())
        return false;
    const qint64 day = ratings::dayKey(card.RoundDate);
    if (rating.empty())
        return m_ratings.rounds.remove(day);
    if (m_ratings.rounds.value(day) == rating)
        return false;
    m_ratings.rounds.insert(day, rating);
    RoundRating &memo = m_ratings.remembered[TeeCombination::of(card)];
    if (rating.courseRating10)
        memo.courseRating10 = rating.courseRating10;
    if (rating.slope)
        memo.slope = rating.slope;
    return true;
}

QStringList RatingStore::setRating(const TScoreRecord &card, const RoundRating &rating)
{
    return applyRating(card, rating) ? writeRatings() : QStringList();
}

QStringList RatingStore::setRatings(const QList<std::pair<TScoreRecord, RoundRating>> &list)
{
    bool changed = false;
    for (const auto &[card, rating] : list)
        changed = applyRating(card, rating) || changed;
    return changed ? writeRatings() : QStringList();
}

std::optional<HoleHandicaps> RatingStore::holeHandicaps(
    const QString &club, const QString &course) const
{
    const auto it = m_holes.constFind({club, course});
    if (it == m_holes.cend())
        return std::nullopt;
    return it.value();
}

QStringList RatingStore::setHoleHandicaps(
    const QString &club, const QString &course, const std::optional<HoleHandicaps> &row)
{
    if (row && !ratings::validHoleHandicaps(*row))
        return {};
    if (row) {
        if (holeHandicaps(club, course) == row)
            return {};
        m_holes.insert({club, course}, *row);
    } else if (!m_holes.remove({club, course})) {
        return {};
    }
    return writeHoleHandicaps();
}

QStringList RatingStore::cardMoved(TDateTime from, TDateTime to)
{
    if (!sidefile::moveEntry(m_ratings.rounds, ratings::dayKey(from), ratings::dayKey(to)))
        return {};
    return writeRatings();
}

QStringList RatingStore::cardDeleted(TDateTime day)
{
    if (!m_ratings.rounds.remove(ratings::dayKey(day)))
        return {};
    return writeRatings();
}

ratings::RatingsData RatingStore::renamedClub(
    ratings::RatingsData data, const QString &oldName, const QString &newName)
{
    QMap<TeeCombination, RoundRating> remembered;
    for (auto it = data.remembered.begin(); it != data.remembered.end(); ++it) {
        TeeCombination key = it.key();
        if (key.club == oldName)
            key.club = newName;
        // The renamed club's entry wins over one the new name already had.
        if (it.key().club == oldName || !remembered.contains(key))
            remembered.insert(key, it.value());
    }
    data.remembered = remembered;
    return data;
}

ratings::HoleHandicapMap RatingStore::renamedClub(
    const ratings::HoleHandicapMap &map, const QString &oldName, const QString &newName)
{
    ratings::HoleHandicapMap renamed;
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it.key().first != oldName)
            renamed.insert(it.key(), it.value());
    // The renamed club's rows win over those the new name already had.
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it.key().first == oldName)
            renamed.insert({newName, it.key().second}, it.value());
    return renamed;
}

QStringList RatingStore::clubRenamed(const QString &oldName, const QString &newName)
{
    QStringList errors;
    if (oldName == newName)
        return errors;
    // A file that could not be read is left as it is, with the entries set in memory since,
    // and the rename tells nothing about it; a damaged file's bytes go aside in write().
    auto rewritten = [](const SideFile &file) { return !file.unreadable && !file.path.isEmpty(); };
    if (rewritten(m_holeFile)
        && std::any_of(m_holes.keyBegin(), m_holes.keyEnd(),
            [&](const auto &key) { return key.first == oldName; })) {
        m_holes = renamedClub(m_holes, oldName, newName);
        errors += writeHoleHandicaps();
    }
    if (rewritten(m_ratingsFile) && !m_golfer.isEmpty()
        && std::any_of(m_ratings.remembered.keyBegin(), m_ratings.remembered.keyEnd(),
            [&](const auto &key) { return key.club == oldName; })) {
        m_ratings = renamedClub(m_ratings, oldName, newName);
        errors += writeRatings();
    }
    return errors;
}

QStringList RatingStore::courseRenamed(
    const QString &club, const QString &oldName, const QString &newName)
{
    const std::optional<HoleHandicaps> row = holeHandicaps(club, oldName);
    if (oldName == newName || !row)
        return {};
    m_holes.remove({club, oldName});
    m_holes.insert({club, newName}, *row);
    return writeHoleHandicaps();
}

QStringList RatingStore::courseCarriedIntoCards(
    const QString &club, const QString &oldName, const QString &newName)
{
    if (oldName == newName || m_golfer.isEmpty())
        return {};
    QMap<TeeCombination, RoundRating> remembered;
    bool changed = false;
    for (auto it = m_ratings.remembered.begin(); it != m_ratings.remembered.end(); ++it) {
        TeeCombination key = it.key();
        if (key.club == club)
            for (QString &course : key.courses)
                if (course == oldName) {
                    course = newName;
                    changed = true;
                }
        remembered.insert(key, it.value());
    }
    if (!changed)
        return {};
    m_ratings.remembered = remembered;
    return writeRatings();
}

QStringList RatingStore::courseDeleted(const QString &club, const QString &course)
{
    if (!m_holes.remove({club, course}))
        return {};
    return writeHoleHandicaps();
}

void RatingStore::golferDeleted(const QString &name)
{
    m_files.remove(ratingsFileName(name));
    if (name == m_golfer)
        releaseGolfer();
}

void RatingStore::defer()
{
    m_before = Saved {m_ratings, m_holes, m_ratingsFile, m_holeFile};
    m_files.defer();
}

QList<journal::FileWrite> RatingStore::takeWrites()
{
    return m_files.takeWrites();
}

void RatingStore::settle(bool written)
{
    if (!m_before)
        return;
    if (!written) {
        m_ratings = m_before->ratings;
        m_holes = m_before->holes;
        m_ratingsFile = m_before->ratingsFile;
        m_holeFile = m_before->holeFile;
    }
    m_before.reset();
    m_files.endDeferring();
}
