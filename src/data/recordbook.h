#pragma once

#include "records.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Why the book would not take a record; the window words it for the user.
enum class Refusal {
    None,
    YoteiDateTaken, // a planned round on that day already
    LinksNameTaken, // another club of that name
    LinksInSchedule, // the club is named by a planned round
    LinksInCourses, // the club has courses
    CourseNameTaken, // another course of that name at the club
    ScoreDateTaken, // a card of that day already
};

// What one call of the book did, for the window to follow in its tree, grids and lists.
struct BookChange {
    Refusal refusal = Refusal::None;
    int index = -1; // where the record stands now (or stood, for a deletion)
    int from = -1; // where a moved card stood before
    QString yearAdded; // a year text ("2024年") new to the year list, empty when none
    int yearPosition = -1; // its place among the years (the list without "全て")
    QList<int> yoteiRenamed; // planned rounds whose club name was carried along
    QStringList writeErrors; // one text per file that could not be written, in order
    QString backupNotice; // the day's backup failed; the change was saved all the same

    bool refused() const { return refusal != Refusal::None; }
};

// The golf clubs and courses, and the chosen golfer's schedule and score cards, with the
// rules that keep them and their files right: names unique where they must be, rounds and
// cards in date order, a renamed club and a changed course carried into what names them,
// a club in use kept. Each operation checks first and then does all of its work; files are
// rewritten whole after every change. Nothing here shows anything: refusals and failures
// come back in the answer.
class RecordBook final
{
public:
    explicit RecordBook(const QString &dataDir);

    // Reads Links.dat and Course.dat; returns the read errors in order.
    QStringList loadClubs();
    // Reads the golfer's schedule (rounds before today leave it) and score cards and builds
    // the year list; returns the read errors in order.
    QStringList loadGolfer(const QString &name, const QDate &today);
    // Forgets the golfer's records (his files stay).
    void releaseGolfer();
    // Forgets the golfer and removes his two files.
    void removeGolferFiles(const QString &name);

    const QList<TLinksRecord> &links() const { return m_links; }
    const QList<TCourseRecord> &courses() const { return m_courses; }
    const QList<TYoteiRecord> &yotei() const { return m_yotei; }
    const QList<TScoreRecord> &scores() const { return m_scores; }
    const QStringList &yearList() const { return m_years; }
    const QStringList &playedLinksList() const { return m_playedLinks; }
    const QString &golferName() const { return m_golfer; }
    bool hasGolfer() const { return !m_golfer.isEmpty(); }
    QString linksFileName() const { return m_dir + QStringLiteral("Links.dat"); }
    QString courseFileName() const { return m_dir + QStringLiteral("Course.dat"); }
    QString yoteiFileName() const { return m_yoteiFile; }
    QString scoreFileName() const { return m_scoreFile; }

    // "全て", then each club once, at the place of its last card.
    const QStringList &refreshPlayedLinks();

    // Planned rounds.
    Refusal checkYoteiDate(TDateTime day) const;
    BookChange registerYotei(const TYoteiRecord &record);
    BookChange changeYotei(int index, const TYoteiRecord &record);
    BookChange deleteYotei(int index);

    // Golf clubs.
    Refusal checkLinksName(int index, const QString &name) const; // index -1 for a new one
    Refusal checkLinksInUse(int index) const;
    BookChange registerLinks(const TLinksRecord &record);
    BookChange changeLinks(int index, const TLinksRecord &record);
    BookChange deleteLinks(int index);

    // Courses.
    Refusal checkCourseName(int index, const QString &links, const QString &name) const;
    BookChange registerCourse(const TCourseRecord &record);
    BookChange changeCourse(int index, const TCourseRecord &record);
    // Carries the course at index into the golfer's cards of its club that named it by
    // oldName: its name, green, tee, yards and pars. The cards' result counts stay.
    BookChange carryCourseIntoCards(int index, const QString &oldName);
    BookChange deleteCourse(int index);

    // Score cards, told apart by their day. Register and change work out the result counts.
    Refusal checkScoreDate(int index, TDateTime day) const; // index -1 for a new one
    BookChange registerScore(TScoreRecord card);
    BookChange changeScore(int index, TScoreRecord card);
    BookChange deleteScore(int index);

private:
    void writeLinks(BookChange &change) const;
    void writeCourses(BookChange &change) const;
    void writeYotei(BookChange &change) const;
    void writeScores(BookChange &change) const;
    // Adds the year of a card to the year list when it is new there.
    void noteYear(TDateTime roundDate, BookChange &change);

    QString m_dir;
    QString m_golfer;
    QString m_yoteiFile;
    QString m_scoreFile;
    QList<TLinksRecord> m_links;
    QList<TCourseRecord> m_courses;
    QList<TYoteiRecord> m_yotei;
    QList<TScoreRecord> m_scores;
    QStringList m_years;
    QStringList m_playedLinks;

public:
    // Adds cards read from a file, in date order, in one save of the score file. A card whose
    // day is taken replaces the stored one when replaceTaken, else it is left out.
    BookChange importScores(const QList<TScoreRecord> &cards, bool replaceTaken);
    // Where the book learns the day, for the day's backup.
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }

private:
    // The first write of a day copies the data files as they stand into the day's backup
    // folder; a failure is told in the change and never stops the write.
    void beforeWrite(BookChange &change) const;

    std::function<QDate()> m_today = &QDate::currentDate;
    mutable QDate m_backupDay; // the day whose backup has been tried
};
