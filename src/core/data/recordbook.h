#pragma once

#include "detailstore.h"
#include "golferlist.h"
#include "journal.h"
#include "ratingstore.h"
#include "recordlist.h"
#include "records.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// Why the book would not take a record; the window words it for the user.
enum class Refusal {
    None,
    YoteiDateTaken, // a planned round on that day already
    LinksNameTaken, // another club of that name
    LinksInSchedule, // the club is named by a planned round (of any golfer)
    LinksInCourses, // the club has courses
    CourseNameTaken, // another course of that name at the club
    ScoreDateTaken, // a card of that day already
    GolferNameTaken, // a golfer of that name is registered
    GolferNameUnusable, // the name holds characters a file name cannot
    GolferNameTooLong, // the name is too long for a file name
    FileUnreadable, // a file the change would rewrite did not load; `file` names it
    FileKept, // the user chose to keep a file as it is; nothing to say
    // An earlier change that could not be finished holds a file this one would rewrite;
    // `file` names it and `reason` says why that change is not finished yet.
    ChangeUnfinished,
};

// What one call of the book did, for the window to follow in its tree, grids and lists.
struct BookChange {
    Refusal refusal = Refusal::None;
    int index = -1; // where the record stands now (or stood, for a deletion)
    int from = -1; // where a moved card stood before
    QString yearAdded; // a year text ("2024年") new to the year list, empty when none
    int yearPosition = -1; // its place among the years (the list without "全て")
    QList<int> yoteiRenamed; // planned rounds whose club name was carried along
    QStringList writeErrors; // one text per failure to write, in order
    QString file; // the file a FileUnreadable refusal is about
    QString reason; // why that file could not be read
    QString backupNotice; // the day's backup failed; the change was saved all the same
    QStringList notes; // what was done on the way: an earlier unfinished change finished now
    // The change failed across its files and was taken back whole, in memory too: what the
    // window shows stays as it was.
    bool undone = false;

    bool refused() const { return refusal != Refusal::None; }
};

// A file that loaded, but that is replaced only with the user's consent: it points outside
// the program folder, or it did not read as whole records.
struct FileConcern {
    QString path;
    QString linkTarget; // the file outside the folder it points at; empty when not a link
    QString damage; // what did not read; empty when it read whole
    QString keptAs; // where its bytes are kept before it is first rewritten (damaged only)
};
using ConsentAsker = std::function<bool(const FileConcern &)>;

// The side files that follow the cards, as a change of the book reaches them.
struct SideStores {
    RatingStore &ratings;
    DetailStore &details;
};

// The golf clubs and courses, the golfer list, and the chosen golfer's schedule and score
// cards, with the rules that keep them and their files right: names unique where they must
// be, rounds and cards in date order, a renamed club and a changed course carried into what
// names them, a club in use kept. Each operation checks first and then does all of its work;
// files are rewritten whole after every change, those of one change all or none of them.
// A file that did not load is never replaced. Nothing here shows anything: refusals and
// failures come back in the answer.
class RecordBook final
{
public:
    explicit RecordBook(
        const QString &dataDir, std::function<QDate()> today = [] { return QDate::currentDate(); });

    // Finishes or drops a change that a crash interrupted; returns what it did.
    QStringList recover();
    // Reads Links.dat and Course.dat; returns the read errors in order.
    QStringList loadClubs();
    // Reads Golfer.dat; returns its read error and the lines it left out.
    QStringList loadGolfers();
    const QStringList &golfers() const { return m_golferList.names(); }
    bool golferListLoaded() const;
    BookChange registerGolfer(const QString &name);
    // Removes the golfer's line and his two files, all or nothing. `index` into golfers().
    BookChange deleteGolfer(int index);

    // Reads the golfer's schedule (rounds before today leave it) and score cards and builds
    // the year list; returns the read errors in order.
    QStringList loadGolfer(const QString &name, const QDate &today);
    // Forgets the golfer's records (his files stay).
    void releaseGolfer();

    const QList<TLinksRecord> &links() const { return m_links.list(); }
    const QList<TCourseRecord> &courses() const { return m_courses.list(); }
    const QList<TYoteiRecord> &yotei() const { return m_yotei.list(); }
    // Every card decoded: made on the first call, which a large file makes slow, and kept.
    const ScoreCards &scores() const { return m_scores.list(); }
    // The cards as held, to be counted, dated and fetched one by one without decoding all.
    const RecordList<TScoreRecord> &scoreRecords() const { return m_scores; }
    const QStringList &yearList() const { return m_years; }
    const QStringList &playedLinksList() const { return m_playedLinks; }
    const QString &golferName() const { return m_golfer; }
    bool hasGolfer() const { return !m_golfer.isEmpty(); }
    QString linksFileName() const { return m_dir + QStringLiteral("Links.dat"); }
    QString courseFileName() const { return m_dir + QStringLiteral("Course.dat"); }
    QString golferFileName() const { return m_dir + QStringLiteral("Golfer.dat"); }

    // The ratings of the golfer's rounds and the courses' stroke indexes, which follow the
    // cards and courses inside the book's own changes.
    RatingStore &ratings() { return m_ratings; }
    // What the side files' readers found wrong since the last call; the cards still load.
    QStringList takeSideFileNotes() { return std::exchange(m_sideNotes, {}); }
    const RatingStore &ratings() const { return m_ratings; }
    // The play details of the golfer's cards, which follow them in the same way.
    const DetailStore &details() const { return m_details; }

    // Asked before a file of concern is first replaced; without one such files are kept.
    void setConsentAsker(ConsentAsker asker) { m_consent = std::move(asker); }
    // Called before each step of a save (see journal::StepHook).
    void setStepHook(journal::StepHook hook) { m_hook = std::move(hook); }

    // "全て", then each club once, at the place of its last card.
    const QStringList &refreshPlayedLinks();

    // Planned rounds.
    Refusal checkYoteiDate(TDateTime day) const;
    BookChange registerYotei(const TYoteiRecord &record);
    BookChange changeYotei(int index, const TYoteiRecord &record);
    BookChange deleteYotei(int index);

    // Golf clubs. A new name is carried into the courses and into every golfer's schedule
    // and cards; a club that any golfer's schedule names is kept.
    Refusal checkLinksName(int index, const QString &name) const; // index -1 for a new one
    Refusal checkLinksInUse(int index);
    BookChange registerLinks(const TLinksRecord &record);
    BookChange changeLinks(int index, const TLinksRecord &record);
    BookChange deleteLinks(int index);

    // Courses.
    Refusal checkCourseName(int index, const QString &links, const QString &name) const;
    BookChange registerCourse(const TCourseRecord &record);
    // With carryIntoCards the change reaches the golfer's cards too, in the same save.
    BookChange changeCourse(int index, const TCourseRecord &record, bool carryIntoCards = false);
    // Carries the course at index into the golfer's cards of its club that named it by
    // oldName: its name, green, tee, yards and pars. The cards' result counts stay.
    BookChange carryCourseIntoCards(int index, const QString &oldName);
    BookChange deleteCourse(int index);

    // Score cards, told apart by their day. Register and change work out the result counts.
    Refusal checkScoreDate(int index, TDateTime day) const; // index -1 for a new one
    // With details the card's play details are stored with it in the same change (blank ones
    // remove them); without, a new card has none and a changed one keeps its own.
    BookChange registerScore(TScoreRecord card, const std::optional<CardDetails> &details = {});
    BookChange changeScore(
        int index, TScoreRecord card, const std::optional<CardDetails> &details = {});
    BookChange deleteScore(int index);
    // Adds cards read from a file, in date order, in one save of the score file. A card whose
    // day is taken replaces the stored one when replaceTaken, else it is left out. Each card
    // taken gets the ratings at its place in `ratings` (none removes a replaced card's), and
    // the details at its place in `details` (none at a place keeps what the day had).
    BookChange importScores(const QList<TScoreRecord> &cards, bool replaceTaken,
        const QList<RoundRating> &ratings = {},
        const QList<std::optional<CardDetails>> &details = {});

private:
    // What became of a file at its last reading, when anything did.
    struct FileHealth {
        QString unreadable; // the read error; the file is never replaced
        QString damage; // it did not read as whole records
        QString linkTarget; // it points outside the program folder
        bool agreed = false; // the user let it be replaced
    };
    // Another golfer's files, read for a change that reaches them.
    struct OtherGolfer {
        QString yoteiFile;
        QString scoreFile;
        RecordList<TYoteiRecord> yotei;
        RecordList<TScoreRecord> scores;
    };

    // Only with decodeNow are the records decoded as they are read.
    template <class T>
    bool loadFile(
        const QString &path, RecordList<T> &list, QStringList &errors, bool decodeNow = true);
    // The bytes of a list to write: the pieces of it held in memory.
    template <class T> static journal::FileWrite fileWrite(const QString &path, RecordList<T> &list)
    {
        return {path, {}, false, list.pieces()};
    }
    // A golfer's schedule and score cards: the files his load reads and his deletion removes.
    QString yoteiFileOf(const QString &golfer) const
    {
        return m_dir + golfer + QStringLiteral(".yti");
    }
    QString scoreFileOf(const QString &golfer) const
    {
        return m_dir + golfer + QStringLiteral(".sce");
    }
    QString outsideLinkTarget(const QString &path) const;
    void noteHealth(const QString &path, const FileHealth &health);
    void checkNameCollisions();
    // Whether the files may be replaced now: never one that did not load or that an
    // unfinished change holds, one of concern only with consent (its bytes kept aside first
    // when damaged).
    bool mayReplace(const QStringList &paths, BookChange &change);
    // False, with the refusal naming the first, when a change that could not be finished
    // holds one of the files; such a change is tried once more first.
    bool noUnfinishedChange(const QStringList &paths, BookChange &change);
    // False, with the refusal naming the first, when a file did not load.
    bool allRead(const QStringList &paths, BookChange &change) const;
    bool keepAside(const QString &path, const QString &keptAs, BookChange &change);
    QString keptAsName(const QString &path) const;
    // Writes the files all or none. The side files' part of the change is what `side` does to
    // their stores, which keep it unless nothing was written.
    journal::Outcome commit(QList<journal::FileWrite> writes, BookChange &change,
        const std::function<QStringList(SideStores &)> &side = {});
    QList<OtherGolfer> readOtherGolfers(BookChange &change);
    Refusal linksInUse(int index, BookChange &change);
    // Puts the course into the halves of the golfer's cards at its club that named oldName.
    void carryCourse(const TCourseRecord &course, const QString &oldName);
    void cutSchedule(const QDate &today);
    // Adds the year of a card to the year list when it is new there.
    void noteYear(TDateTime roundDate, BookChange &change);
    BookChange writeYotei(BookChange change);
    BookChange writeScores(BookChange change);

    QString m_dir;
    std::function<QDate()> m_today;
    QString m_golfer;
    QString m_yoteiFile;
    QString m_scoreFile;
    GolferList m_golferList;
    RecordList<TLinksRecord> m_links;
    RecordList<TCourseRecord> m_courses;
    RecordList<TYoteiRecord> m_yotei;
    RecordList<TScoreRecord> m_scores;
    QStringList m_years;
    QStringList m_playedLinks;
    QHash<QString, FileHealth> m_health; // by path; files that read whole are not here
    RatingStore m_ratings;
    DetailStore m_details;
    QStringList m_sideNotes;
    ConsentAsker m_consent;
    journal::StepHook m_hook;

    // The first write of a day copies the data files as they stand into the day's backup
    // folder; a failure is told in the change and never stops the write.
    void beforeWrite(BookChange &change);

    QDate m_backupDay; // the day whose backup has been tried
};
