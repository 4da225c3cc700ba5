// The side files of the handicap estimate at their edges: the ratings and stroke indexes a
// file may hold, what a renamed club keeps, and the day's backup before the first write.
#include "core/data/ratingstore.h"
#include "support/builders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("B倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QDate kToday(2024, 6, 30);

// A ratings file of one round and one remembered combination, both with the given ratings.
QByteArray ratingsFile(const QByteArray &ratings)
{
    const QByteArray sep = ratings.isEmpty() ? QByteArray() : QByteArray(", ");
    return "{\"format\": \"kestro-ratings\", \"version\": 1,\n"
           " \"rounds\": [{\"date\": \"2024-05-01\""
        + sep + ratings
        + "}],\n"
          " \"remembered\": [{\"club\": \"A\", \"courses\": [\"OUT\", \"IN\"],"
          " \"tees\": [\"バック\", \"バック\"]"
        + sep + ratings + "}]}";
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

TScoreRecord cardAt(const QString &club, int day)
{
    return build::card(QDate(2024, 6, day), club);
}

} // namespace

class TestRatingFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ratingsReadFromAFile_data()
    {
        QTest::addColumn<QByteArray>("ratings");
        QTest::addColumn<int>("rating10"); // -1: none
        QTest::addColumn<int>("slope"); // -1: none
        // Both entries of the file refused: the round and the remembered combination.
        QTest::addColumn<bool>("refused");

        QTest::addRow("lowest") << QByteArray("\"courseRating\": 50.0, \"slope\": 55") << 500 << 55
                                << false;
        QTest::addRow("highest") << QByteArray("\"courseRating\": 90.0, \"slope\": 155") << 900
                                 << 155 << false;
        QTest::addRow("typical") << QByteArray("\"courseRating\": 71.2, \"slope\": 128") << 712
                                 << 128 << false;
        QTest::addRow("slope alone") << QByteArray("\"slope\": 113") << -1 << 113 << false;
        QTest::addRow("course rating alone")
            << QByteArray("\"courseRating\": 69.9") << 699 << -1 << false;
        QTest::addRow("no ratings") << QByteArray() << -1 << -1 << true;
        QTest::addRow("course rating below")
            << QByteArray("\"courseRating\": 49.9, \"slope\": 113") << -1 << -1 << true;
        QTest::addRow("course rating above")
            << QByteArray("\"courseRating\": 90.1, \"slope\": 113") << -1 << -1 << true;
        QTest::addRow("slope below")
            << QByteArray("\"courseRating\": 72.0, \"slope\": 54") << -1 << -1 << true;
        QTest::addRow("slope above")
            << QByteArray("\"courseRating\": 72.0, \"slope\": 156") << -1 << -1 << true;
        QTest::addRow("two decimals") << QByteArray("\"courseRating\": 70.15") << -1 << -1 << true;
        QTest::addRow("a slope with a decimal")
            << QByteArray("\"slope\": 113.5") << -1 << -1 << true;
        QTest::addRow("a rating as text")
            << QByteArray("\"courseRating\": \"71.2\"") << -1 << -1 << true;
    }
    void ratingsReadFromAFile()
    {
        QFETCH(QByteArray, ratings);
        QFETCH(int, rating10);
        QFETCH(int, slope);
        QFETCH(bool, refused);
        QString problem = QStringLiteral("left over");
        const ratings::RatingsData data = ratings::decodeRatings(ratingsFile(ratings), &problem);
        if (refused) {
            QCOMPARE(problem, QStringLiteral("読めない記録が 2 件あります"));
            QVERIFY(data.rounds.isEmpty());
            QVERIFY(data.remembered.isEmpty());
            return;
        }
        QCOMPARE(problem, QString());
        const RoundRating expected {rating10 < 0 ? std::nullopt : std::optional<int>(rating10),
            slope < 0 ? std::nullopt : std::optional<int>(slope)};
        QCOMPARE(data.rounds.size(), 1);
        QCOMPARE(data.rounds.first(), expected);
        QCOMPARE(data.rounds.firstKey(), ratings::dayKey(datetime::fromDate(QDate(2024, 5, 1))));
        QCOMPARE(data.remembered.size(), 1);
        QCOMPARE(data.remembered.first(), expected);
    }

    // Only a file of ours, of the version this program writes, is read.
    void formatAndVersion_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("problem");
        QTest::addRow("ours") << QByteArray("\"format\": \"kestro-ratings\", \"version\": 1")
                              << QString();
        QTest::addRow("an older version")
            << QByteArray("\"format\": \"kestro-ratings\", \"version\": 0")
            << QStringLiteral("知らない版のファイルです");
        QTest::addRow("a newer version")
            << QByteArray("\"format\": \"kestro-ratings\", \"version\": 2")
            << QStringLiteral("知らない版のファイルです");
        QTest::addRow("a version as text")
            << QByteArray("\"format\": \"kestro-ratings\", \"version\": \"1\"")
            << QStringLiteral("知らない版のファイルです");
        QTest::addRow("no version") << QByteArray("\"format\": \"kestro-ratings\"")
                                    << QStringLiteral("知らない版のファイルです");
        QTest::addRow("the stroke indexes' format")
            << QByteArray("\"format\": \"kestro-hole-handicaps\", \"version\": 1")
            << QStringLiteral("このプログラムのファイルではありません");
    }
    void formatAndVersion()
    {
        QFETCH(QByteArray, head);
        QFETCH(QString, problem);
        const QByteArray file = "{" + head
            + ", \"rounds\": [{\"date\": \"2024-05-01\", \"courseRating\": 71.0, "
              "\"slope\": 113}]}";
        QString found = QStringLiteral("left over");
        const ratings::RatingsData data = ratings::decodeRatings(file, &found);
        QCOMPARE(found, problem);
        QCOMPARE(data.rounds.size(), problem.isEmpty() ? 1 : 0);
    }

    // The store reports what it could not read, and still offers what it could.
    void anEntryWithoutRatingsIsReported()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        write(store.ratingsFileName(kGolfer),
            "{\"format\": \"kestro-ratings\", \"version\": 1, \"rounds\": ["
            "{\"date\": \"2024-06-01\", \"courseRating\": 70.1, \"slope\": 120},"
            "{\"date\": \"2024-06-02\"}]}");
        const QStringList report = store.loadGolfer(kGolfer, kToday);
        QCOMPARE(report.size(), 1);
        QVERIFY2(report[0].contains(QStringLiteral("（読めない記録が 1 件あります）")),
            qPrintable(report[0]));
        QCOMPARE(store.rating(cardAt(kA, 1).RoundDate), (RoundRating {701, 120}));
        QVERIFY(store.rating(cardAt(kA, 2).RoundDate).empty());
    }

    void strokeIndexesReadFromAFile_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("taken");
        QTest::addRow("1 to 9") << QByteArray("[1, 2, 3, 4, 5, 6, 7, 8, 9]") << true;
        QTest::addRow("10 to 18") << QByteArray("[18, 17, 16, 15, 14, 13, 12, 11, 10]") << true;
        QTest::addRow("a 0") << QByteArray("[0, 2, 3, 4, 5, 6, 7, 8, 9]") << false;
        QTest::addRow("a 19") << QByteArray("[19, 2, 3, 4, 5, 6, 7, 8, 9]") << false;
        QTest::addRow("one twice") << QByteArray("[1, 2, 3, 4, 5, 6, 7, 8, 8]") << false;
        QTest::addRow("eight holes") << QByteArray("[1, 2, 3, 4, 5, 6, 7, 8]") << false;
        QTest::addRow("ten holes") << QByteArray("[1, 2, 3, 4, 5, 6, 7, 8, 9, 10]") << false;
        QTest::addRow("a fraction") << QByteArray("[1.5, 2, 3, 4, 5, 6, 7, 8, 9]") << false;
    }
    void strokeIndexesReadFromAFile()
    {
        QFETCH(QByteArray, row);
        QFETCH(bool, taken);
        const QByteArray file = "{\"format\": \"kestro-hole-handicaps\", \"version\": 1, "
                                "\"courses\": [{\"club\": \"A\", \"course\": \"OUT\", \"hdcp\": "
            + row + "}]}";
        QString problem = QStringLiteral("left over");
        const ratings::HoleHandicapMap map = ratings::decodeHoleHandicaps(file, &problem);
        QCOMPARE(map.size(), taken ? 1 : 0);
        QCOMPARE(problem, taken ? QString() : QStringLiteral("読めない記録が 1 件あります"));
        if (taken)
            QCOMPARE(map.first()[0], row.mid(1, row.indexOf(',') - 1).toInt());
    }

    // A remembered combination names two courses and two tees, as texts.
    void rememberedCombinationsRead_data()
    {
        QTest::addColumn<QByteArray>("courses");
        QTest::addColumn<QByteArray>("tees");
        QTest::addColumn<bool>("taken");
        QTest::addRow("two and two")
            << QByteArray("[\"OUT\", \"IN\"]") << QByteArray("[\"白\", \"青\"]") << true;
        QTest::addRow("three courses")
            << QByteArray("[\"OUT\", \"IN\", \"WEST\"]") << QByteArray("[\"白\", \"青\"]") << false;
        QTest::addRow("one tee") << QByteArray("[\"OUT\", \"IN\"]") << QByteArray("[\"白\"]")
                                 << false;
        QTest::addRow("a number for a course")
            << QByteArray("[\"OUT\", 2]") << QByteArray("[\"白\", \"青\"]") << false;
        QTest::addRow("no list") << QByteArray("\"OUT\"") << QByteArray("[\"白\", \"青\"]")
                                 << false;
    }
    void rememberedCombinationsRead()
    {
        QFETCH(QByteArray, courses);
        QFETCH(QByteArray, tees);
        QFETCH(bool, taken);
        const QByteArray file = "{\"format\": \"kestro-ratings\", \"version\": 1, "
                                "\"remembered\": [{\"club\": \"A倶楽部\", \"courses\": "
            + courses + ", \"tees\": " + tees + ", \"courseRating\": 70.5, \"slope\": 125}]}";
        QString problem;
        const ratings::RatingsData data = ratings::decodeRatings(file, &problem);
        QCOMPARE(data.remembered.size(), taken ? 1 : 0);
        QCOMPARE(problem, taken ? QString() : QStringLiteral("読めない記録が 1 件あります"));
        if (taken) {
            TScoreRecord card = cardAt(kA, 1);
            card.Tee = {QStringLiteral("白"), QStringLiteral("青")};
            QCOMPARE(data.remembered.value(TeeCombination::of(card)), (RoundRating {705, 125}));
        }
    }

    // A renamed course takes its row along; a change written as one writes each file once,
    // as it stands at the end.
    void courseRenamedAndWritesTakenOnce()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        store.loadHoleHandicaps(kToday);
        store.loadGolfer(kGolfer, kToday);
        const HoleHandicaps out {1, 3, 5, 7, 9, 11, 13, 15, 17};
        QVERIFY(store.setHoleHandicaps(kA, "OUT", out).isEmpty());
        QVERIFY(store.courseRenamed(kA, "OUT", "EAST").isEmpty());
        RatingStore again(dir.path());
        again.loadHoleHandicaps(kToday);
        for (const RatingStore *s : {&store, &again}) {
            QCOMPARE(s->holeHandicaps(kA, "EAST"), out);
            QVERIFY(!s->holeHandicaps(kA, "OUT"));
        }

        store.defer();
        store.setRating(cardAt(kA, 1), {700, 120});
        store.setRating(cardAt(kA, 2), {701, 121});
        const QList<journal::FileWrite> writes = store.takeWrites();
        QCOMPARE(writes.size(), 1);
        QCOMPARE(writes[0].path, store.ratingsFileName(kGolfer));
        QString problem;
        QCOMPARE(ratings::decodeRatings(writes[0].data, &problem).rounds.size(), 2);
        store.settle(false);
        QVERIFY(store.rating(cardAt(kA, 1).RoundDate).empty());
    }

    // A club renamed onto a name that still has remembered ratings or stroke indexes (of a
    // club deleted before) keeps its own, whichever of the two names sorts first.
    void aRenamedClubKeepsItsOwn_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addRow("onto a name sorted after it") << kA << kB;
        QTest::addRow("onto a name sorted before it") << kB << kA;
    }
    void aRenamedClubKeepsItsOwn()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTemporaryDir dir;
        RatingStore store(dir.path());
        store.loadHoleHandicaps(kToday);
        store.loadGolfer(kGolfer, kToday);
        const HoleHandicaps own {1, 3, 5, 7, 9, 11, 13, 15, 17};
        const HoleHandicaps left {2, 4, 6, 8, 10, 12, 14, 16, 18};
        QVERIFY(store.setRating(cardAt(from, 1), {712, 130}).isEmpty());
        QVERIFY(store.setRating(cardAt(to, 2), {680, 110}).isEmpty());
        QVERIFY(store.setHoleHandicaps(from, "OUT", own).isEmpty());
        QVERIFY(store.setHoleHandicaps(to, "OUT", left).isEmpty());
        QVERIFY(store.setHoleHandicaps(to, "IN", left).isEmpty());

        QVERIFY(store.clubRenamed(from, to).isEmpty());
        RatingStore again(dir.path());
        QVERIFY(again.loadHoleHandicaps(kToday).isEmpty());
        QVERIFY(again.loadGolfer(kGolfer, kToday).isEmpty());
        for (const RatingStore *s : {&store, &again}) {
            QCOMPARE(s->remembered(cardAt(to, 3)), (RoundRating {712, 130}));
            QVERIFY(s->remembered(cardAt(from, 3)).empty());
            QCOMPARE(s->holeHandicaps(to, "OUT"), own);
            // What the renamed club did not have stays.
            QCOMPARE(s->holeHandicaps(to, "IN"), left);
            QVERIFY(!s->holeHandicaps(from, "OUT"));
            // The rounds are kept by their days and do not change.
            QCOMPARE(s->rating(cardAt(from, 1).RoundDate), (RoundRating {712, 130}));
            QCOMPARE(s->rating(cardAt(to, 2).RoundDate), (RoundRating {680, 110}));
        }
    }

    // Ratings typed in the handicap window may be the day's first write: the day's backup
    // holds the file as it was before it.
    void theDaysBackupComesBeforeTheFirstWrite_data()
    {
        QTest::addColumn<bool>("strokeIndexes");
        QTest::addRow("ratings") << false;
        QTest::addRow("stroke indexes") << true;
    }
    void theDaysBackupComesBeforeTheFirstWrite()
    {
        QFETCH(bool, strokeIndexes);
        QTemporaryDir dir;
        RatingStore store(dir.path());
        const QString file
            = strokeIndexes ? store.holeHandicapFileName() : store.ratingsFileName(kGolfer);
        const QByteArray before = strokeIndexes
            ? QByteArray("{\"format\": \"kestro-hole-handicaps\", \"version\": 1, \"courses\": []}")
            : QByteArray("{\"format\": \"kestro-ratings\", \"version\": 1, \"rounds\": []}");
        write(file, before);
        QVERIFY(store.loadHoleHandicaps(kToday).isEmpty());
        QVERIFY(store.loadGolfer(kGolfer, kToday).isEmpty());
        auto change = [&](int n) {
            return strokeIndexes ? store.setHoleHandicaps(
                       kA, QString::number(n), HoleHandicaps {1, 2, 3, 4, 5, 6, 7, 8, 9})
                                 : store.setRating(cardAt(kA, n), {700, 100 + n});
        };
        const QString name = QFileInfo(file).fileName();
        const QString copy = dir.filePath(QStringLiteral("Backup/2024-06-30/") + name);

        QVERIFY(change(1).isEmpty());
        QCOMPARE(fileBytes(copy), before);
        const QByteArray first = fileBytes(file);
        QVERIFY(first != before);
        // Later writes of the day leave the copy as it is.
        QVERIFY(change(2).isEmpty());
        QCOMPARE(fileBytes(copy), before);

        // The next day has a copy of its own, of the file as that day found it.
        const QDate tomorrow = kToday.addDays(1);
        if (strokeIndexes)
            QVERIFY(store.loadHoleHandicaps(tomorrow).isEmpty());
        else
            QVERIFY(store.loadGolfer(kGolfer, tomorrow).isEmpty());
        const QByteArray second = fileBytes(file);
        QVERIFY(change(3).isEmpty());
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Backup/2024-07-01/") + name)), second);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Backup")))
                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList {"2024-06-30", "2024-07-01"}));
    }
};

QTEST_GUILESS_MAIN(TestRatingFiles)
#include "tst_ratingfiles.moc"
