#include "recordbook.h"

#include "backup.h"
#include "datafile.h"
#include "datetime.h"

#include <QFile>
#include <QHash>

#include <cmath>

namespace {

// Cards are told apart by their day; a fraction of a day in a stored date is never shown.
double dayOf(TDateTime value)
{
    return std::trunc(value);
}

// Where a card of `day` belongs: before the first card of a later day, else at the end.
qsizetype insertIndex(const QList<TScoreRecord> &list, double day)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (dayOf(list[i].RoundDate) > day)
            return i;
    return list.size();
}

// Where the card at `from` belongs once its day is `day`: before the first other card of a
// later day, counted as if the card had been taken out of the list, else last.
qsizetype movedIndex(const QList<TScoreRecord> &list, qsizetype from, double day)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (i != from && dayOf(list[i].RoundDate) > day)
            return i < from ? i : i - 1;
    return list.size() - 1;
}

template <class T> void write(const QString &path, const QList<T> &list, QStringList &errors)
{
    QString error;
    if (!datafile::writeRecords(path, list, &error))
        errors.append(error);
}

bool validIndex(int index, qsizetype size)
{
    return index >= 0 && index < size;
}

} // namespace

RecordBook::RecordBook(const QString &dataDir) : m_dir(dataDir)
{
    if (!m_dir.endsWith(QChar('/')))
        m_dir += QChar('/');
}

QStringList RecordBook::loadClubs()
{
    QStringList errors;
    QString error;
    if (!datafile::readRecords(linksFileName(), &m_links, &error))
        errors.append(error);
    if (!datafile::readRecords(courseFileName(), &m_courses, &error))
        errors.append(error);
    return errors;
}

QStringList RecordBook::loadGolfer(const QString &name, const QDate &today)
{
    QStringList errors;
    QString error;
    m_golfer = name;
    m_years = {QStringLiteral("全て")};
    m_yoteiFile = m_dir + name + QStringLiteral(".yti");
    m_scoreFile = m_dir + name + QStringLiteral(".sce");
    m_yotei.clear();
    m_scores.clear();
    if (QFile::exists(m_yoteiFile)) {
        if (!datafile::readRecords(m_yoteiFile, &m_yotei, &error))
            errors.append(error);
        // Past rounds lead the list, which runs in date order; they leave memory now and the
        // file at its next write.
        const TDateTime todayValue = datetime::fromDate(today);
        qsizetype past = 0;
        for (const TYoteiRecord &r : std::as_const(m_yotei))
            if (r.RoundDate < todayValue)
                ++past;
        m_yotei.remove(0, past);
    }
    if (QFile::exists(m_scoreFile)) {
        if (!datafile::readRecords(m_scoreFile, &m_scores, &error))
            errors.append(error);
        // The years in the order their first card comes; the cards run in date order, so a
        // year seldom differs from the one before.
        QList<int> seen;
        for (const TScoreRecord &card : std::as_const(m_scores)) {
            const int year = datetime::toDate(card.RoundDate).year();
            if (!seen.isEmpty() && seen.last() == year)
                continue;
            if (seen.contains(year))
                continue;
            seen.append(year);
            m_years.append(datetime::yearText(card.RoundDate));
        }
    }
    return errors;
}

void RecordBook::releaseGolfer()
{
    m_yotei.clear();
    m_scores.clear();
}

void RecordBook::removeGolferFiles(const QString &name)
{
    QFile::remove(m_dir + name + QStringLiteral(".yti"));
    QFile::remove(m_dir + name + QStringLiteral(".sce"));
    releaseGolfer();
    m_golfer.clear();
}

const QStringList &RecordBook::refreshPlayedLinks()
{
    m_playedLinks.clear();
    QHash<QString, qsizetype> last;
    for (qsizetype i = 0; i < m_scores.size(); ++i)
        last.insert(m_scores[i].LinksName, i);
    m_playedLinks.append(QStringLiteral("全て"));
    for (qsizetype i = 0; i < m_scores.size(); ++i)
        if (last.value(m_scores[i].LinksName) == i)
            m_playedLinks.append(m_scores[i].LinksName);
    return m_playedLinks;
}

void RecordBook::writeLinks(BookChange &change) const
{
    beforeWrite(change);
    write(linksFileName(), m_links, change.writeErrors);
}

void RecordBook::writeCourses(BookChange &change) const
{
    beforeWrite(change);
    write(courseFileName(), m_courses, change.writeErrors);
}

void RecordBook::writeYotei(BookChange &change) const
{
    beforeWrite(change);
    write(m_yoteiFile, m_yotei, change.writeErrors);
}

void RecordBook::writeScores(BookChange &change) const
{
    beforeWrite(change);
    write(m_scoreFile, m_scores, change.writeErrors);
}

// Planned rounds.

Refusal RecordBook::checkYoteiDate(TDateTime day) const
{
    for (const TYoteiRecord &r : m_yotei)
        if (r.RoundDate == day)
            return Refusal::YoteiDateTaken;
    return Refusal::None;
}

BookChange RecordBook::registerYotei(const TYoteiRecord &record)
{
    BookChange change;
    change.refusal = checkYoteiDate(record.RoundDate);
    if (change.refused())
        return change;
    int index = 0;
    while (index < m_yotei.size() && m_yotei[index].RoundDate <= record.RoundDate)
        ++index;
    m_yotei.insert(index, record);
    change.index = index;
    writeYotei(change);
    return change;
}

BookChange RecordBook::changeYotei(int index, const TYoteiRecord &record)
{
    BookChange change;
    if (!validIndex(index, m_yotei.size()))
        return change;
    // The day of a shown round cannot be changed, so the round keeps its place.
    m_yotei[index] = record;
    change.index = index;
    writeYotei(change);
    return change;
}

BookChange RecordBook::deleteYotei(int index)
{
    BookChange change;
    if (!validIndex(index, m_yotei.size()))
        return change;
    m_yotei.removeAt(index);
    change.index = index;
    writeYotei(change);
    return change;
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

Refusal RecordBook::checkLinksInUse(int index) const
{
    if (!validIndex(index, m_links.size()))
        return Refusal::None;
    const QString name = m_links[index].LinksName;
    for (const TYoteiRecord &r : m_yotei)
        if (r.LinksName == name)
            return Refusal::LinksInSchedule;
    for (const TCourseRecord &c : m_courses)
        if (c.LinksName == name)
            return Refusal::LinksInCourses;
    return Refusal::None;
}

BookChange RecordBook::registerLinks(const TLinksRecord &record)
{
    BookChange change;
    change.refusal = checkLinksName(-1, record.LinksName);
    if (change.refused())
        return change;
    m_links.append(record);
    change.index = int(m_links.size()) - 1;
    writeLinks(change);
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
    m_links[index] = record;
    change.index = index;
    if (oldName != newName) {
        // The schedule, the courses and the cards name their club.
        if (hasGolfer()) {
            for (int i = 0; i < m_yotei.size(); ++i) {
                if (m_yotei[i].LinksName == oldName) {
                    m_yotei[i].LinksName = newName;
                    change.yoteiRenamed.append(i);
                }
            }
            writeYotei(change);
        }
        for (TCourseRecord &course : m_courses)
            if (course.LinksName == oldName)
                course.LinksName = newName;
        writeCourses(change);
        if (hasGolfer()) {
            for (TScoreRecord &card : m_scores)
                if (card.LinksName == oldName)
                    card.LinksName = newName;
            writeScores(change);
        }
    }
    writeLinks(change);
    return change;
}

BookChange RecordBook::deleteLinks(int index)
{
    BookChange change;
    if (!validIndex(index, m_links.size()))
        return change;
    change.refusal = checkLinksInUse(index);
    if (change.refused())
        return change;
    m_links.removeAt(index);
    change.index = index;
    writeLinks(change);
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
    if (change.refused())
        return change;
    m_courses.append(record);
    change.index = int(m_courses.size()) - 1;
    writeCourses(change);
    return change;
}

BookChange RecordBook::changeCourse(int index, const TCourseRecord &record)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()))
        return change;
    change.refusal = checkCourseName(index, record.LinksName, record.CourseName);
    if (change.refused())
        return change;
    m_courses[index] = record;
    change.index = index;
    writeCourses(change);
    return change;
}

BookChange RecordBook::carryCourseIntoCards(int index, const QString &oldName)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()) || !hasGolfer())
        return change;
    const TCourseRecord course = m_courses[index];
    change.index = index;
    for (TScoreRecord &card : m_scores) {
        if (card.LinksName != course.LinksName)
            continue;
        for (int half = 0; half < 2; ++half)
            if (card.CourseName[half] == oldName)
                setHalfCourse(card, half, course);
    }
    writeScores(change);
    return change;
}

BookChange RecordBook::deleteCourse(int index)
{
    BookChange change;
    if (!validIndex(index, m_courses.size()))
        return change;
    m_courses.removeAt(index);
    change.index = index;
    writeCourses(change);
    return change;
}

// Score cards.

Refusal RecordBook::checkScoreDate(int index, TDateTime day) const
{
    for (qsizetype i = 0; i < m_scores.size(); ++i)
        if (i != index && dayOf(m_scores[i].RoundDate) == dayOf(day))
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

BookChange RecordBook::registerScore(TScoreRecord card)
{
    BookChange change;
    change.refusal = checkScoreDate(-1, card.RoundDate);
    if (change.refused())
        return change;
    applyHoleResults(card);
    const qsizetype at = insertIndex(m_scores, dayOf(card.RoundDate));
    m_scores.insert(at, card);
    change.index = int(at);
    writeScores(change);
    noteYear(card.RoundDate, change);
    return change;
}

BookChange RecordBook::changeScore(int index, TScoreRecord card)
{
    BookChange change;
    if (!validIndex(index, m_scores.size()))
        return change;
    change.refusal = checkScoreDate(index, card.RoundDate);
    if (change.refused())
        return change;
    const double day = dayOf(card.RoundDate);
    const bool moved = dayOf(m_scores[index].RoundDate) != day;
    // The same day keeps the stored date as it was, fraction and all.
    if (!moved)
        card.RoundDate = m_scores[index].RoundDate;
    else
        card.RoundDate = day;
    // The counts follow the strokes against the pars the card was played on.
    applyHoleResults(card);
    m_scores[index] = card;
    change.from = index;
    change.index = index;
    if (moved) {
        // Another day may belong elsewhere in the list and under another year.
        const qsizetype to = movedIndex(m_scores, index, day);
        m_scores.move(index, to);
        change.index = int(to);
    }
    writeScores(change);
    if (moved)
        noteYear(card.RoundDate, change);
    return change;
}

BookChange RecordBook::deleteScore(int index)
{
    BookChange change;
    if (!validIndex(index, m_scores.size()))
        return change;
    // The card's year stays in the list, as its node stays in the tree.
    m_scores.removeAt(index);
    change.index = index;
    writeScores(change);
    return change;
}

// Files brought in.

BookChange RecordBook::importScores(const QList<TScoreRecord> &cards, bool replaceTaken)
{
    BookChange change;
    if (!hasGolfer())
        return change;
    // Both lists run in date order, so one pass places every card where registering it
    // would: after the stored cards of its day and earlier ones.
    QList<TScoreRecord> merged;
    merged.reserve(m_scores.size() + cards.size());
    qsizetype s = 0;
    bool changed = false;
    for (TScoreRecord card : cards) {
        const double day = dayOf(card.RoundDate);
        while (s < m_scores.size() && dayOf(m_scores[s].RoundDate) < day)
            merged.append(m_scores[s++]);
        const bool taken = s < m_scores.size() && dayOf(m_scores[s].RoundDate) == day;
        if (taken && !replaceTaken) {
            merged.append(m_scores[s++]);
            continue;
        }
        if (taken)
            ++s;
        applyHoleResults(card);
        merged.append(card);
        noteYear(card.RoundDate, change);
        changed = true;
    }
    if (!changed)
        return change;
    while (s < m_scores.size())
        merged.append(m_scores[s++]);
    m_scores = std::move(merged);
    change.index = int(m_scores.size());
    writeScores(change);
    return change;
}

void RecordBook::beforeWrite(BookChange &change) const
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
