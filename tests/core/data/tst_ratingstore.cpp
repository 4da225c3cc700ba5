// The side files of the handicap estimate: what they hold, how they follow the cards and
// courses, and what happens to a damaged one.
#include "core/data/ratingstore.h"
#include "support/builders.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QDate kToday(2024, 6, 30);

QJsonObject json(const QString &path)
{
    return QJsonDocument::fromJson(fileBytes(path)).object();
}

} // namespace

class TestRatingStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ratingsFollowTheCards()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        QVERIFY(store.loadGolfer(kGolfer, kToday).isEmpty());
        QVERIFY(store.loadHoleHandicaps(kToday).isEmpty());
        TScoreRecord first = build::card(QDate(2024, 6, 1), kA);
        first.Tee = {QStringLiteral("バック"), QStringLiteral("バック")};
        TScoreRecord second = first;
        second.RoundDate = datetime::fromDate(QDate(2024, 6, 8));
        TScoreRecord front = first;
        front.Tee[1] = QStringLiteral("レギュラー");

        QVERIFY(store.setRating(first, {712, 130}).isEmpty());
        const QString path = store.ratingsFileName(kGolfer);
        QCOMPARE(QFileInfo(path).fileName(), kGolfer + ".ratings.json");
        QJsonObject o = json(path);
        QCOMPARE(o.value("version").toInt(), 1);
        const QJsonObject entry = o.value("rounds").toArray().at(0).toObject();
        QCOMPARE(entry.value("date").toString(), QStringLiteral("2024-06-01"));
        QCOMPARE(entry.value("courseRating").toDouble(), 71.2);
        QCOMPARE(entry.value("slope").toInt(), 130);
        // Offered for the next card of the same club, courses and tees only.
        QCOMPARE(store.remembered(second), (RoundRating {712, 130}));
        QVERIFY(store.remembered(front).empty());
        // A half typed rating is kept, and what was typed is remembered.
        QVERIFY(store.setRating(second, {std::nullopt, 128}).isEmpty());
        QCOMPARE(store.remembered(first), (RoundRating {712, 128}));

        // The card moves to another day and keeps its ratings, on disk too.
        const TDateTime moved = datetime::fromDate(QDate(2024, 6, 3));
        QVERIFY(store.cardMoved(first.RoundDate, moved).isEmpty());
        RatingStore again(dir.path());
        again.loadGolfer(kGolfer, kToday);
        QCOMPARE(again.rating(moved), (RoundRating {712, 130}));
        QVERIFY(again.rating(first.RoundDate).empty());
        // A deleted card drops them.
        QVERIFY(store.cardDeleted(second.RoundDate).isEmpty());
        again.loadGolfer(kGolfer, kToday);
        QCOMPARE(again.ratings().keys().size(), 1);
        // Emptied by the user: gone.
        first.RoundDate = moved;
        store.setRating(first, {});
        again.loadGolfer(kGolfer, kToday);
        QVERIFY(again.ratings().isEmpty());
        QCOMPARE(again.remembered(first), (RoundRating {712, 128}));

        // The golfer leaves, with his file.
        store.golferDeleted(kGolfer);
        QVERIFY(!QFile::exists(path));
    }

    void clubsAndCoursesRenamedAndDeleted()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        store.loadHoleHandicaps(kToday);
        store.loadGolfer(kGolfer, kToday);
        const HoleHandicaps out {1, 3, 5, 7, 9, 11, 13, 15, 17};
        const HoleHandicaps in {2, 4, 6, 8, 10, 12, 14, 16, 18};
        QVERIFY(store.setHoleHandicaps(kA, "OUT", out).isEmpty());
        QVERIFY(store.setHoleHandicaps(kA, "IN", in).isEmpty());
        // A row with a number twice or out of 1..18 is not taken.
        store.setHoleHandicaps(kA, "NEW", HoleHandicaps {1, 1, 5, 7, 9, 11, 13, 15, 17});
        store.setHoleHandicaps(kA, "NEW", HoleHandicaps {0, 3, 5, 7, 9, 11, 13, 15, 17});
        QVERIFY(!store.holeHandicaps(kA, "NEW"));
        TScoreRecord card = build::card(QDate(2024, 6, 1), kA);
        store.setRating(card, {712, 130});

        // Inside a change of the record book: the writes are collected, and the store goes
        // back when the change fails, or keeps the new name once it is written.
        store.defer();
        store.clubRenamed(kA, "B倶楽部");
        QCOMPARE(store.takeWrites().size(), 2);
        store.settle(false);
        QVERIFY(store.holeHandicaps(kA, "OUT"));
        store.defer();
        store.clubRenamed(kA, "B倶楽部");
        const QList<journal::FileWrite> writes = store.takeWrites();
        QVERIFY(journal::saveAll(dir.path(), writes, {}, nullptr));
        store.settle(true);
        QVERIFY(!store.holeHandicaps(kA, "OUT"));
        RatingStore again(dir.path());
        again.loadHoleHandicaps(kToday);
        again.loadGolfer(kGolfer, kToday);
        QCOMPARE(again.holeHandicaps("B倶楽部", "OUT"), out);
        QVERIFY(!again.holeHandicaps(kA, "OUT"));
        card.LinksName = "B倶楽部";
        QCOMPARE(again.remembered(card), (RoundRating {712, 130}));
        QCOMPARE(again.rating(card.RoundDate), (RoundRating {712, 130}));

        store.courseRenamed("B倶楽部", "OUT", "EAST");
        store.courseCarriedIntoCards("B倶楽部", "OUT", "EAST");
        store.courseDeleted("B倶楽部", "IN");
        again.loadHoleHandicaps(kToday);
        again.loadGolfer(kGolfer, kToday);
        QCOMPARE(again.holeHandicaps("B倶楽部", "EAST"), out);
        QVERIFY(!again.holeHandicaps("B倶楽部", "IN"));
        card.CourseName[0] = "EAST";
        QCOMPARE(again.remembered(card), (RoundRating {712, 130}));
    }

    void damagedFileKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kept"); // ratings still read from it
        QTest::addRow("not JSON") << QByteArray("{\"format\": \"kestro-ra") << 0;
        QTest::addRow("foreign") << QByteArray("{\"format\": \"other\", \"version\": 1}") << 0;
        QTest::addRow("newer version")
            << QByteArray("{\"format\": \"kestro-ratings\", \"version\": 2, \"rounds\": []}") << 0;
        QTest::addRow("one bad entry")
            << QByteArray("{\"format\": \"kestro-ratings\", \"version\": 1, \"rounds\": ["
                          "{\"date\": \"2024-05-01\", \"courseRating\": 70.1, \"slope\": 120},"
                          "{\"date\": \"2024-05-02\", \"courseRating\": 70.15, \"slope\": 120},"
                          "{\"date\": \"2024-13-02\", \"slope\": 120},"
                          "{\"date\": \"2024-05-03\", \"slope\": 300}]}")
            << 1;
    }
    void damagedFileKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        RatingStore store(dir.path());
        const QString path = store.ratingsFileName(kGolfer);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        const QStringList report = store.loadGolfer(kGolfer, kToday);
        QCOMPARE(report.size(), 1);
        QVERIFY(report[0].contains(kGolfer + ".ratings.json.damaged-2024-06-30"));
        QFETCH(int, kept);
        QCOMPARE(store.ratings().size(), kept);
        QCOMPARE(fileBytes(path), bytes); // reading changes nothing

        // The first rewrite keeps the old bytes aside; later ones do not copy again.
        QVERIFY(store.setRating(build::card(QDate(2024, 6, 1), kA), {700, 120}).isEmpty());
        QCOMPARE(fileBytes(path + ".damaged-2024-06-30"), bytes);
        store.setRating(build::card(QDate(2024, 6, 2), kA), {700, 121});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
        RatingStore again(dir.path());
        QVERIFY(again.loadGolfer(kGolfer, kToday).isEmpty());
        QCOMPARE(again.ratings().size(), store.ratings().size());

        // A second damaged file on the same day does not overwrite the first copy.
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        again.loadGolfer(kGolfer, kToday);
        again.setRating(build::card(QDate(2024, 6, 3), kA), {700, 120});
        QCOMPARE(fileBytes(path + ".damaged-2024-06-30-2"), bytes);
    }

    void unreadableFileIsNeverRewritten()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        // A folder where the file should be cannot be read.
        QVERIFY(QDir(dir.path()).mkdir(kGolfer + ".ratings.json"));
        QCOMPARE(store.loadGolfer(kGolfer, kToday).size(), 1);
        QCOMPARE(store.setRating(build::card(QDate(2024, 6, 1), kA), {700, 120}).size(), 1);
        QVERIFY(QFileInfo(store.ratingsFileName(kGolfer)).isDir());
    }

    void typedRatings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rating10"); // -1: refused
        QTest::addColumn<int>("slope"); // -1: refused
        QTest::addRow("decimal") << " 71.2 " << 712 << -1;
        QTest::addRow("whole") << "72" << 720 << 72;
        QTest::addRow("lowest") << "50.0" << 500 << -1;
        QTest::addRow("highest") << "90.0" << 900 << -1;
        QTest::addRow("below") << "49.9" << -1 << -1;
        QTest::addRow("above") << "90.1" << -1 << -1;
        QTest::addRow("two decimals") << "71.25" << -1 << -1;
        QTest::addRow("trailing dot") << "71." << -1 << -1;
        QTest::addRow("full-width digit") << "７1.2" << -1 << -1;
        QTest::addRow("not a number") << "abc" << -1 << -1;
        QTest::addRow("empty") << "" << -1 << -1;
        QTest::addRow("slope lowest") << "55" << 550 << 55;
        QTest::addRow("slope highest") << "155" << -1 << 155;
        QTest::addRow("slope below") << "54" << 540 << -1;
        QTest::addRow("slope above") << "156" << -1 << -1;
        QTest::addRow("negative") << "-60" << -1 << -1;
        QTest::addRow("slope decimal") << "120.0" << -1 << -1;
    }
    void typedRatings()
    {
        QFETCH(QString, text);
        QFETCH(int, rating10);
        QCOMPARE(ratings::parseCourseRating(text).value_or(-1), rating10);
        QFETCH(int, slope);
        QCOMPARE(ratings::parseSlope(text).value_or(-1), slope);
    }
};

QTEST_GUILESS_MAIN(TestRatingStore)
#include "tst_ratingstore.moc"
