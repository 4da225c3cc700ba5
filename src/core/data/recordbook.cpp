#include "recordbook.h"

#include "backup.h"
#include "datafile.h"
#include "datetime.h"

#include <QFile>

#include <algorithm>

namespace {

// Where a card of `day` belongs: before the first card of a later day, else at the end.
qsizetype insertIndex(const RecordList<TScoreRecord> &list, double day)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (datetime::dayOf(list.roundDate(i)) > day)
            return i;
    return list.size();
}

// Where the card at `from` belongs once its day is `day`: before the first other card of a
// later day, counted as if the card had been taken out of the list, else last.
qsizetype movedIndex(const RecordList<TScoreRecord> &list, qsizetype from, double day)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (i != from && datetime::dayOf(list.roundDate(i)) > day)
            return i < from ? i : i - 1;
    return list.size() - 1;
}

bool validIndex(int index, qsizetype size)
{
    return index >= 0 && index < size;
}

} // namespace

const QStringList &RecordBook::refreshPlayedLinks()
{
    m_playedLinks = playedLinks(m_scores.list());
    return m_playedLinks;
}

BookChange RecordBook::writeYotei(BookChange change)
{
    commit({fileWrite(m_yoteiFile, m_yotei)}, change);
    return change;
}

BookChange RecordBook::writeScores(BookChange change)
{
    commit({fileWrite(m_scoreFile, m_scores)}, change);
    return change;
}

// Planned rounds.

Refusal RecordBook::checkYoteiDate(TDateTime day) const
{
    for (const TYoteiRecord &r : m_yotei.list())
        if (r.RoundDate == day)
            return Refusal::YoteiDateTaken;
    return Refusal::None;
}

BookChange RecordBook::registerYotei(const TYoteiRecord &record)
{
    BookChange change;
    change.refusal = checkYoteiDate(record.RoundDate);
    if (change.refused() || !mayReplace({m_yoteiFile}, change))
        return change;
    int index = 0;
    while (index < m_yotei.size() && m_yotei[index].RoundDate <= record.RoundDate)
        ++index;
    m_yotei.insert(index, record);
    change.index = index;
    return writeYotei(change);
}

BookChange RecordBook::changeYotei(int index, const TYoteiRecord &record)
{
    BookChange change;
    if (!validIndex(index, m_yotei.size()) || !mayReplace({m_yoteiFile}, change))
        return change;
    // The day of a shown round cannot be changed, so the round keeps its place.
    m_yotei.set(index, record);
    change.index = index;
    return writeYotei(change);
}

BookChange RecordBook::deleteYotei(int index)
{
    BookChange change;
    if (!validIndex(index, m_yotei.size()) || !mayReplace({m_yoteiFile}, change))
        return change;
    m_yotei.removeAt(index);
    change.index = index;
    return writeYotei(change);
}

// Golf clubs.

Refusal RecordBook::checkLinksName(int index, const QString &name) const
{
    // The tree and every reference find a club by its name, so two clubs may never share one.
    for (int i = 0; i < m_links.size(); ++i)
        if (i != index && m_links[i].LinksName == name)
            return Refusal::LinksNameTaken;
    return Refusal::None;
}

Refusal RecordBook::checkLinksInUse(int index)
{
    BookChange change;
    return linksInUse(index, change);
}

Refusal RecordBook::linksInUse(int index, BookChange &change)
{
    if (!validIndex(index, m_links.size()))
        return Refusal::None;
    const QString name = m_links[index].LinksName;
    auto names = [&name](const QList<TYoteiRecord> &rounds) {
        return std::any_of(rounds.cbegin(), rounds.cend(),
            [&name](const TYoteiRecord &r) { return r.LinksName == name; });
    };
    if (names(m_yotei.list()))
        return Refusal::LinksInSchedule;
    for (const TCourseRecord &c : m_courses.list())
        if (c.LinksName == name)
            return Refusal::LinksInCourses;
    // Every golfer's planned rounds keep the club; one whose schedule cannot be read might.
    const QList<OtherGolfer> others = readOtherGolfers(change);
    if (change.refused())
        return Refusal::FileUnreadable;
    for (const OtherGolfer &other : others)
        if (names(other.yotei.list()))
            return Refusal::LinksInSchedule;
    return Refusal::None;
}

BookChange RecordBook::registerLinks(const TLinksRecord &record)
{
    BookChange change;
    change.refusal = checkLinksName(-1, record.LinksName);
    if (change.refused() || !mayReplace({linksFileName()}, change))
        return change;
    m_links.append(record);
    change.index = int(m_links.size()) - 1;
    commit({fileWrite(linksFileName(), m_links)}, change);
    return change;
}

BookChange RecordBook::changeLinks(int index, const TLinksRecord &record)
{
    BookChange change;
    if (!validIndex(index, m_links.size()))
        return change;
    change.refusal = checkLinksName(index, record.LinksName);
    if (change.refused())
        return change;
    const QString oldName = m_links[index].LinksName;
    const QString newName = record.LinksName;
    if (oldName == newName) {
        if (mayReplace({linksFileName()}, change)) {
            m_links.set(index, record);
            change.index = index;
            commit({fileWrite(linksFileName(), m_links)}, change);
        }
        return change;
    }

    // A new name reaches the courses and every golfer's schedule and cards, in one change.
    QList<OtherGolfer> others = readOtherGolfers(change);
    if (change.refused())
        return change;
    QStringList files {linksFileName(), courseFileName()};
    if (hasGolfer())
        files << m_yoteiFile << m_scoreFile;
    auto rename = [&](auto &list, QList<int> *renamed) {
        bool any = false;
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list.linksName(i) != oldName)
                continue;
            auto record = list.record(i);
            record.LinksName = newName;
            list.set(i, record);
            any = true;
            if (renamed)
                renamed->append(int(i));
        }
        return any;
    };
    // Another golfer's file is rewritten only where it names the club.
    QList<journal::FileWrite> otherWrites;
    for (OtherGolfer &other : others) {
        if (rename(other.yotei, nullptr))
            otherWrites.append(fileWrite(other.yoteiFile, other.yotei));
        if (rename(other.scores, nullptr))
            otherWrites.append(fileWrite(other.scoreFile, other.scores));
    }
    for (const journal::FileWrite &w : otherWrites)
        files << w.path;
    if (!mayReplace(files, change))
        return change;

    const auto links = m_links.snapshot();
    const auto courses = m_courses.snapshot();
    const auto yotei = m_yotei.snapshot();
    const auto scores = m_scores.snapshot();
    m_links.set(index, record);
    rename(m_courses, nullptr);
    QList<journal::FileWrite> writes {
        fileWrite(linksFileName(), m_links), fileWrite(courseFileName(), m_courses)};
    if (hasGolfer()) {
        rename(m_yotei, &change.yoteiRenamed);
        rename(m_scores, nullptr);
        writes.append(fileWrite(m_yoteiFile, m_yotei));
        writes.append(fileWrite(m_scoreFile, m_scores));
    }
    writes.append(otherWrites);
    // The ratings remembered per club follow the name, every other golfer's and the chosen
    // golfer's with the courses' stroke indexes.
    QStringList sideErrors;
    for (const QString &name : golfers()) {
        if (name == m_golfer)
            continue;
        RatingStore other(m_dir);
        sideErrors += other.loadGolfer(name, m_today());
        other.defer();
        sideErrors += other.clubRenamed(oldName, newName);
        writes += other.takeWrites();
    }
    // The details name no club: they stay as they are.
    const journal::Outcome written = commit(writes, change, [&](SideStores &stores) {
        return sideErrors + stores.ratings.clubRenamed(oldName, newName);
    });
    if (written == journal::Outcome::NotWritten) {
        // Nothing of a change across files stays half done, in memory either.
        m_links.restore(links);
        m_courses.restore(courses);
        m_yotei.restore(yotei);
        m_scores.restore(scores);
        change.yoteiRenamed.clear();
        change.undone = true;
        return change;
    }
    change.index = index;
    return change;
}

BookChange RecordBook::deleteLinks(int index)
{
    BookChange change;
    if (!validIndex(index, m_links.size()))
        return change;
    change.refusal = linksInUse(index, change);
    if (change.refused() || !mayReplace({linksFileName()}, change))
        return change;
    m_links.removeAt(index);
    change.index = index;
    commit({fileWrite(linksFileName(), m_links)}, change);
    return change;
}

// Courses.

Refusal RecordBook::checkCourseName(int index, const QString &links, const QString &name) const
{
    for (int i = 0; i < m_courses.size(); ++i)
        if (i != index && m_courses[i].CourseName == name && m_courses[i].LinksName == links)
            return Refusal::CourseNameTaken;
    return Refusal::None;
}

BookChange RecordBook::registerCourse(const TCourseRecord &record)
{
    BookChange change;
    change.refusal = checkCourseName(-1, record.LinksName, record.CourseName);
    if (change.refused() || !mayReplace({courseFileName()}, change))
        return change;
    m_courses.append(record);
    change.index = int(m_courses.size()) - 1;
    commit({fileWrite(courseFileName(), m_courses)}, change);
    return change;
}

BookChange RecordBook::changeCourse(int index, const TCourseRecord &record, bool carryIntoCards)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()))
        return change;
    change.refusal = checkCourseName(index, record.LinksName, record.CourseName);
    if (change.refused())
        return change;
    carryIntoCards = carryIntoCards && hasGolfer();
    QStringList files {courseFileName()};
    if (carryIntoCards)
        files << m_scoreFile;
    if (!mayReplace(files, change))
        return change;
    const QString oldName = m_courses[index].CourseName;
    const auto courses = m_courses.snapshot();
    const auto scores = m_scores.snapshot();
    m_courses.set(index, record);
    change.index = index;
    QList<journal::FileWrite> writes {fileWrite(courseFileName(), m_courses)};
    if (carryIntoCards) {
        carryCourse(record, oldName);
        writes.append(fileWrite(m_scoreFile, m_scores));
    }
    // A renamed course keeps its stroke indexes, and the ratings remembered for it follow
    // the cards it was carried into.
    const journal::Outcome written = commit(writes, change, [&](SideStores &stores) {
        RatingStore &store = stores.ratings;
        QStringList errors = store.courseRenamed(record.LinksName, oldName, record.CourseName);
        if (carryIntoCards)
            errors += store.courseCarriedIntoCards(record.LinksName, oldName, record.CourseName);
        return errors;
    });
    if (written == journal::Outcome::NotWritten && carryIntoCards) {
        m_courses.restore(courses);
        m_scores.restore(scores);
        change.undone = true;
    }
    return change;
}

BookChange RecordBook::carryCourseIntoCards(int index, const QString &oldName)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()) || !hasGolfer() || !mayReplace({m_scoreFile}, change))
        return change;
    change.index = index;
    carryCourse(m_courses[index], oldName);
    return writeScores(change);
}

void RecordBook::carryCourse(const TCourseRecord &course, const QString &oldName)
{
    for (qsizetype i = 0; i < m_scores.size(); ++i) {
        const CardView stored = m_scores.list().card(i);
        if (stored.linksName() != course.LinksName
            || (stored.courseName(0) != oldName && stored.courseName(1) != oldName))
            continue;
        TScoreRecord card = stored.record();
        for (int half = 0; half < 2; ++half)
            if (card.CourseName[half] == oldName)
                setHalfCourse(card, half, course);
        m_scores.set(i, card);
    }
}

BookChange RecordBook::deleteCourse(int index)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()) || !mayReplace({courseFileName()}, change))
        return change;
    const TCourseRecord course = m_courses[index];
    m_courses.removeAt(index);
    change.index = index;
    commit({fileWrite(courseFileName(), m_courses)}, change, [&course](SideStores &stores) {
        return stores.ratings.courseDeleted(course.LinksName, course.CourseName);
    });
    return change;
}

// Score cards.

Refusal RecordBook::checkScoreDate(int index, TDateTime day) const
{
    for (qsizetype i = 0; i < m_scores.size(); ++i)
        if (i != index && datetime::dayOf(m_scores.roundDate(i)) == datetime::dayOf(day))
            return Refusal::ScoreDateTaken;
    return Refusal::None;
}

void RecordBook::noteYear(TDateTime roundDate, BookChange &change)
{
    const QString year = datetime::yearText(roundDate);
    if (m_years.contains(year))
        return;
    // Years stand in year order after "全て"; a new one goes before the first later year.
    const int value = year.left(4).toInt();
    qsizetype at = m_years.size();
    for (qsizetype i = 1; i < m_years.size(); ++i) {
        if (m_years[i].left(4).toInt() > value) {
            at = i;
            break;
        }
    }
    m_years.insert(at, year);
    change.yearAdded = year;
    change.yearPosition = int(at) - 1;
}

BookChange RecordBook::registerScore(TScoreRecord card, const std::optional<CardDetails> &details)
{
    BookChange change;
    change.refusal = checkScoreDate(-1, card.RoundDate);
    if (change.refused() || !mayReplace({m_scoreFile}, change))
        return change;
    applyHoleResults(card);
    const qsizetype at = insertIndex(m_scores, datetime::dayOf(card.RoundDate));
    m_scores.insert(at, card);
    change.index = int(at);
    // Details left from a card of the day deleted outside the program are not this card's.
    const TDateTime day = card.RoundDate;
    commit({fileWrite(m_scoreFile, m_scores)}, change, [&](SideStores &stores) {
        return stores.details.setDetails(day, details.value_or(CardDetails {}));
    });
    noteYear(card.RoundDate, change);
    return change;
}

BookChange RecordBook::changeScore(
    int index, TScoreRecord card, const std::optional<CardDetails> &details)
{
    BookChange change;
    if (!validIndex(index, m_scores.size()))
        return change;
    change.refusal = checkScoreDate(index, card.RoundDate);
    if (change.refused() || !mayReplace({m_scoreFile}, change))
        return change;
    const double day = datetime::dayOf(card.RoundDate);
    const TDateTime stored = m_scores.roundDate(index);
    const double oldDay = datetime::dayOf(stored);
    const bool moved = oldDay != day;
    // The same day keeps the stored date as it was, fraction and all.
    if (!moved)
        card.RoundDate = stored;
    else
        card.RoundDate = day;
    // The counts follow the strokes against the pars the card was played on.
    applyHoleResults(card);
    m_scores.set(index, card);
    change.from = index;
    change.index = index;
    if (moved) {
        // Another day may belong elsewhere in the list and under another year.
        const qsizetype to = movedIndex(m_scores, index, day);
        m_scores.move(index, to);
        change.index = int(to);
    }
    // The card's ratings and details go with it to its new day.
    commit({fileWrite(m_scoreFile, m_scores)}, change, [&](SideStores &stores) {
        QStringList errors;
        if (moved) {
            errors += stores.ratings.cardMoved(oldDay, day);
            errors += stores.details.cardMoved(oldDay, day);
        }
        if (details)
            errors += stores.details.setDetails(day, *details);
        return errors;
    });
    if (moved)
        noteYear(card.RoundDate, change);
    return change;
}

BookChange RecordBook::deleteScore(int index)
{
    BookChange change;
    if (!validIndex(index, m_scores.size()) || !mayReplace({m_scoreFile}, change))
        return change;
    // The card's year stays in the list, as its node stays in the tree; its ratings go.
    const TDateTime day = m_scores.roundDate(index);
    m_scores.removeAt(index);
    change.index = index;
    commit({fileWrite(m_scoreFile, m_scores)}, change, [day](SideStores &stores) {
        return stores.ratings.cardDeleted(day) + stores.details.cardDeleted(day);
    });
    return change;
}

// Files brought in.

BookChange RecordBook::importScores(const QList<TScoreRecord> &cards, bool replaceTaken,
    const QList<RoundRating> &ratings, const QList<std::optional<CardDetails>> &details)
{
    BookChange change;
    if (!hasGolfer() || !mayReplace({m_scoreFile}, change))
        return change;
    // Both lists run in date order, so one pass places every card where registering it
    // would: after the stored cards of its day and earlier ones. The new cards go to the end
    // first and then into their places, so that the stored ones keep their bytes.
    const qsizetype stored = m_scores.size();
    QList<qsizetype> order;
    order.reserve(stored + cards.size());
    qsizetype s = 0;
    QList<std::pair<TScoreRecord, RoundRating>> added;
    QList<std::pair<TDateTime, CardDetails>> addedDetails;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        TScoreRecord card = cards[i];
        const double day = datetime::dayOf(card.RoundDate);
        while (s < stored && datetime::dayOf(m_scores.roundDate(s)) < day)
            order.append(s++);
        const bool taken = s < stored && datetime::dayOf(m_scores.roundDate(s)) == day;
        if (taken && !replaceTaken) {
            order.append(s++);
            continue;
        }
        if (taken)
            ++s;
        applyHoleResults(card);
        order.append(m_scores.size());
        m_scores.append(card);
        added.append({card, ratings.value(i)});
        if (const std::optional<CardDetails> d = details.value(i))
            addedDetails.append({card.RoundDate, *d});
        noteYear(card.RoundDate, change);
    }
    if (m_scores.size() == stored)
        return change;
    while (s < stored)
        order.append(s++);
    m_scores.keep(order);
    change.index = int(m_scores.size());
    commit({fileWrite(m_scoreFile, m_scores)}, change, [&](SideStores &stores) {
        return stores.ratings.setRatings(added) + stores.details.setMany(addedDetails);
    });
    return change;
}

void RecordBook::beforeWrite(BookChange &change)
{
    const QDate today = m_today();
    if (today == m_backupDay)
        return;
    // Tried once a day: a full disk would fail again on every save.
    m_backupDay = today;
    const backup::Result result = backup::makeDailyBackup(m_dir, today);
    if (!result.ok)
        change.backupNotice = QStringLiteral("バックアップを作成できませんでした: ") + result.error;
}
