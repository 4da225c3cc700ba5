// The rules of the records, through the record book and its files, without a window.
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QDate kToday(2026, 12, 7);

using Operation = std::function<BookChange(RecordBook &)>;
} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Refusal)

class TestRecordBook : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    template <class T> void write(const QString &name, const QList<T> &list)
    {
        QString error;
        QVERIFY2(datafile::writeRecords(path(name), list, &error), qPrintable(error));
    }

    // Two clubs; A with courses OUT and IN, B with none; the golfer plans a round at A
    // and has played A twice and B once.
    void writeSample()
    {
        write(QStringLiteral("Links.dat"), QList<TLinksRecord> {build::club(kA), build::club(kB)});
        write(QStringLiteral("Course.dat"),
            QList<TCourseRecord> {
                build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
        write(kGolfer + QStringLiteral(".yti"),
            QList<TYoteiRecord> {build::yotei(QDate(2027, 1, 10), kA)});
        write(kGolfer + QStringLiteral(".sce"),
            QList<TScoreRecord> {build::card(QDate(2024, 5, 3), kA),
                build::card(QDate(2025, 6, 1), kB), build::card(QDate(2025, 8, 9), kA)});
    }

    QHash<QString, QByteArray> snapshot() const
    {
        QHash<QString, QByteArray> files;
        for (const QString &name : QDir(m_dir->path()).entryList(QDir::Files))
            files.insert(name, fileBytes(path(name)));
        return files;
    }

    RecordBook openBook()
    {
        RecordBook book(m_dir->path());
        [&] { QCOMPARE(book.loadClubs(), QStringList()); }();
        [&] { QCOMPARE(book.loadGolfer(kGolfer, kToday), QStringList()); }();
        return book;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeSample();
    }

    void refusalsLeaveEveryFileAsItWas_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<Refusal>("refusal");

        QTest::addRow("round on a taken day") << Operation([](RecordBook &b) {
            return b.registerYotei(build::yotei(QDate(2027, 1, 10), kB));
        }) << Refusal::YoteiDateTaken;
        QTest::addRow("new club of a taken name")
            << Operation([](RecordBook &b) { return b.registerLinks(build::club(kA)); })
            << Refusal::LinksNameTaken;
        QTest::addRow("club renamed to a taken name")
            << Operation([](RecordBook &b) { return b.changeLinks(1, build::club(kA)); })
            << Refusal::LinksNameTaken;
        QTest::addRow("club with courses and rounds")
            << Operation([](RecordBook &b) { return b.deleteLinks(0); })
            << Refusal::LinksInSchedule;
        QTest::addRow("course of a taken name") << Operation([](RecordBook &b) {
            return b.registerCourse(build::course(kA, QStringLiteral("IN")));
        }) << Refusal::CourseNameTaken;
        QTest::addRow("course renamed to a taken name") << Operation([](RecordBook &b) {
            return b.changeCourse(0, build::course(kA, QStringLiteral("IN")));
        }) << Refusal::CourseNameTaken;
        QTest::addRow("card on a taken day") << Operation([](RecordBook &b) {
            TScoreRecord card = build::card(QDate(2025, 6, 1), kA);
            card.RoundDate += 0.5; // the time of day does not make it another day
            return b.registerScore(card);
        }) << Refusal::ScoreDateTaken;
        QTest::addRow("card moved to a taken day") << Operation([](RecordBook &b) {
            return b.changeScore(0, build::card(QDate(2025, 8, 9), kA));
        }) << Refusal::ScoreDateTaken;
    }

    void refusalsLeaveEveryFileAsItWas()
    {
        QFETCH(Operation, operation);
        QFETCH(Refusal, refusal);
        RecordBook book = openBook();
        const auto before = snapshot();
        const auto links = book.links().size();
        const auto cards = dates(book.scores());

        const BookChange change = operation(book);

        QCOMPARE(change.refusal, refusal);
        QVERIFY(change.writeErrors.isEmpty());
        QCOMPARE(snapshot(), before);
        QCOMPARE(book.links().size(), links);
        QCOMPARE(dates(book.scores()), cards);
    }

    void clubInCoursesOnlyIsKept()
    {
        RecordBook book = openBook();
        QVERIFY(!book.deleteYotei(0).refused());
        QCOMPARE(book.deleteLinks(0).refusal, Refusal::LinksInCourses);
        QCOMPARE(book.links().size(), 2);
        // A club nothing names goes.
        const BookChange change = book.deleteLinks(1);
        QVERIFY(!change.refused());
        QCOMPARE(decodeRecords<TLinksRecord>(fileBytes(path("Links.dat"))).size(), 1);
    }

    void renameIsCarriedIntoAllFourFiles()
    {
        RecordBook book = openBook();
        TLinksRecord renamed = book.links()[0];
        renamed.LinksName = QStringLiteral("新A倶楽部");
        const BookChange change = book.changeLinks(0, renamed);
        QVERIFY(!change.refused());
        QCOMPARE(change.yoteiRenamed, QList<int> {0});

        const auto links = decodeRecords<TLinksRecord>(fileBytes(path("Links.dat")));
        QCOMPARE(links[0].LinksName, renamed.LinksName);
        QCOMPARE(links[1].LinksName, kB);
        for (const TCourseRecord &c : decodeRecords<TCourseRecord>(fileBytes(path("Course.dat"))))
            QCOMPARE(c.LinksName, renamed.LinksName);
        QCOMPARE(decodeRecords<TYoteiRecord>(fileBytes(path(kGolfer + ".yti")))[0].LinksName,
            renamed.LinksName);
        QStringList clubs;
        for (const TScoreRecord &c : decodeRecords<TScoreRecord>(fileBytes(path(kGolfer + ".sce"))))
            clubs.append(c.LinksName);
        QCOMPARE(clubs, (QStringList {renamed.LinksName, kB, renamed.LinksName}));
    }

    void courseIsCarriedIntoTheCardsThatNamedIt()
    {
        RecordBook book = openBook();
        TCourseRecord changed = book.courses()[0];
        changed.CourseName = QStringLiteral("WEST");
        changed.Par = {4, 3, 5, 4, 4, 3, 5, 4, 4};
        changed.ParTotal = 36;
        changed.Yard.fill(400);
        changed.YardTotal = 3600;
        QVERIFY(!book.changeCourse(0, changed).refused());
        const auto countsBefore = book.scores()[0].HoleResultCounts;
        QVERIFY(book.carryCourseIntoCards(0, QStringLiteral("OUT")).writeErrors.isEmpty());

        const auto cards = decodeRecords<TScoreRecord>(fileBytes(path(kGolfer + ".sce")));
        // Club A's cards change in their first half only; club B's card keeps its OUT.
        for (int i : {0, 2}) {
            QCOMPARE(cards[i].CourseName[0], QStringLiteral("WEST"));
            QCOMPARE(cards[i].CourseName[1], QStringLiteral("IN"));
            QCOMPARE(cards[i].Par[1], 3);
            QCOMPARE(cards[i].Par[10], 4);
            QCOMPARE(cards[i].YardSum, 3600 + 3150);
        }
        QCOMPARE(cards[1].CourseName[0], QStringLiteral("OUT"));
        QCOMPARE(cards[1].YardSum, 6300);
        QCOMPARE(cards[0].HoleResultCounts, countsBefore);
    }

    void roundsAndCardsKeepDateOrder_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("yearAdded");
        QTest::addColumn<int>("yearPosition");
        QTest::addColumn<QStringList>("years");
        const QStringList known = {"全て", "2024年", "2025年"};
        QTest::addRow("first of all") << QDate(2023, 3, 1) << 0 << "2023年" << 0
                                      << QStringList {"全て", "2023年", "2024年", "2025年"};
        QTest::addRow("between, known year") << QDate(2025, 7, 1) << 2 << "" << -1 << known;
        QTest::addRow("last, new year") << QDate(2026, 1, 2) << 3 << "2026年" << 2
                                        << QStringList {"全て", "2024年", "2025年", "2026年"};
    }

    void roundsAndCardsKeepDateOrder()
    {
        QFETCH(QDate, day);
        QFETCH(int, index);
        QFETCH(QString, yearAdded);
        QFETCH(int, yearPosition);
        QFETCH(QStringList, years);
        RecordBook book = openBook();
        const BookChange change = book.registerScore(build::card(day, kA));
        QCOMPARE(change.index, index);
        QCOMPARE(change.yearAdded, yearAdded);
        QCOMPARE(change.yearPosition, yearPosition);
        QCOMPARE(book.yearList(), years);
        const auto stored = decodeRecords<TScoreRecord>(fileBytes(path(kGolfer + ".sce")));
        QCOMPARE(dates(stored)[index], datetime::dateText(day));
        QCOMPARE(stored.size(), 4);

        // Planned rounds: a later day after the earlier ones.
        const BookChange round = book.registerYotei(build::yotei(QDate(2027, 1, 9), kB));
        QCOMPARE(round.index, 0);
        QCOMPARE(book.yotei().size(), 2);
    }

    void movedCardFindsItsPlaceAndYear()
    {
        RecordBook book = openBook();
        // The 2024 card moves to the end of 2026: a year new to the list, its old year stays.
        BookChange change = book.changeScore(0, build::card(QDate(2026, 11, 30), kA, 4));
        QCOMPARE(change.from, 0);
        QCOMPARE(change.index, 2);
        QCOMPARE(change.yearAdded, QStringLiteral("2026年"));
        QCOMPARE(dates(book.scores()), (QStringList {"2025/06/01", "2025/08/09", "2026/11/30"}));
        QCOMPARE(book.yearList(), (QStringList {"全て", "2024年", "2025年", "2026年"}));
        // The counts follow the new strokes: 18 pars.
        QCOMPARE(book.scores()[2].HoleResultCounts[2], 18);

        // Back to the front, into a year already listed.
        change = book.changeScore(2, build::card(QDate(2024, 1, 1), kA));
        QCOMPARE(change.index, 0);
        QCOMPARE(change.yearAdded, QString());
        QCOMPARE(dates(decodeRecords<TScoreRecord>(fileBytes(path(kGolfer + ".sce")))),
            (QStringList {"2024/01/01", "2025/06/01", "2025/08/09"}));

        // The same day keeps its place and its stored time of day.
        TScoreRecord sameDay = book.scores()[1];
        const TDateTime stored = sameDay.RoundDate + 0.25;
        book.deleteScore(1);
        sameDay.RoundDate = stored;
        QCOMPARE(book.registerScore(sameDay).index, 1);
        change = book.changeScore(1, build::card(QDate(2025, 6, 1), kB, 6));
        QCOMPARE(change.index, 1);
        QCOMPARE(book.scores()[1].RoundDate, stored);
    }

    void pastRoundsLeaveOnLoading()
    {
        write(kGolfer + QStringLiteral(".yti"),
            QList<TYoteiRecord> {build::yotei(QDate(2026, 12, 6), kA), build::yotei(kToday, kA),
                build::yotei(QDate(2027, 1, 10), kB)});
        RecordBook book = openBook();
        QCOMPARE(book.yotei().size(), 2);
        QCOMPARE(book.yotei()[0].RoundDate, datetime::fromDate(kToday));
    }

    void playedClubsStandWhereTheirLastCardIs()
    {
        RecordBook book = openBook();
        QCOMPARE(book.refreshPlayedLinks(), (QStringList {"全て", kB, kA}));
        book.registerScore(build::card(QDate(2025, 9, 1), kB));
        book.registerScore(build::card(QDate(2024, 1, 1), QStringLiteral("C")));
        QCOMPARE(book.refreshPlayedLinks(), (QStringList {"全て", "C", kA, kB}));
    }
};

QTEST_GUILESS_MAIN(TestRecordBook)
#include "tst_recordbook.moc"
