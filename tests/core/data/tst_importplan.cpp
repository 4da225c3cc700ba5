// What an import would do, as its summary tells it: the counts with errors present, the rows
// that would be read when only the good ones are, the ratings a replace keeps or changes, the
// clubs that are not registered, and a reading that is stopped half way.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "support/builders.h"

#include <QTest>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");
const QString kOther = QStringLiteral("新しい倶楽部");

qsizetype columnOf(const QString &heading)
{
    return cardcolumns::header().indexOf(heading);
}

QDate day(int n)
{
    return QDate(2024, 4, 1).addDays(n);
}

// One row per day, each with its ratings when given ("71.2", "128").
QList<QStringList> rowsFor(
    const QList<int> &days, const QStringList &courseRatings = {}, const QStringList &slopes = {})
{
    QList<TScoreRecord> cards;
    for (int n : days)
        cards.append(build::card(day(n), kClub, 5));
    QList<QStringList> rows = cardcolumns::table(cards);
    for (qsizetype i = 0; i < courseRatings.size(); ++i)
        rows[i + 1][columnOf(QStringLiteral("コースレート"))] = courseRatings[i];
    for (qsizetype i = 0; i < slopes.size(); ++i)
        rows[i + 1][columnOf(QStringLiteral("スロープレート"))] = slopes[i];
    return rows;
}

QByteArray bytesOf(const QList<QStringList> &rows)
{
    return csv::format(rows).toUtf8();
}

cardcolumns::Stored storedDays(const QList<int> &days)
{
    cardcolumns::Stored stored;
    for (int n : days)
        stored.days.insert(ratings::dayKey(datetime::fromDate(day(n))));
    stored.clubs.insert(kClub);
    return stored;
}
} // namespace

class TestImportPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCountsAreRealWithErrorsPresent()
    {
        // Days 0 to 5; day 2 is stored; days 3 and 5 have errors, and day 0 comes twice.
        QList<QStringList> rows = rowsFor({4, 0, 1, 2, 3, 5, 0});
        rows[5][columnOf(QStringLiteral("3番打数"))] = QStringLiteral("x");
        rows[6][columnOf(QStringLiteral("日付"))] = QStringLiteral("5/6");
        const cardcolumns::ImportPlan plan
            = cardcolumns::readCards(bytesOf(rows), storedDays({2, 9}));
        QCOMPARE(plan.newCards(), 3);
        QCOMPARE(plan.conflicts, 1);
        QCOMPARE(plan.errorRows, 3);
        QCOMPARE(plan.problemCount, 3);
        QCOMPARE(dates(plan.cards),
            (QStringList {QStringLiteral("2024/04/01"), QStringLiteral("2024/04/02"),
                QStringLiteral("2024/04/03"), QStringLiteral("2024/04/05")}));
        QCOMPARE(plan.conflicting, (QList<bool> {false, false, true, false}));
        QCOMPARE(plan.conflictDays(), QList<TDateTime> {datetime::fromDate(day(2))});
        QCOMPARE(plan.problems.last().message(),
            QStringLiteral("8行目 1列目（日付）: 同じ日付のスコアカードが3行目にもあります"));
        // All or nothing by default; the good rows when the user asks for them.
        QVERIFY(!plan.importable(false));
        QVERIFY(plan.importable(true));
    }

    void aFileThatDoesNotReadWholeTakesNothing_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = bytesOf(rowsFor({0, 1}));
        QTest::addRow("a quote never closed") << good + "2024/05/01,\"open";
        QTest::addRow("a required column missing")
            << QByteArray("日付,ゴルフ場\r\n2024/04/01,a\r\n");
        QTest::addRow("no heading") << QByteArray(",,\r\n");
    }

    void aFileThatDoesNotReadWholeTakesNothing()
    {
        QFETCH(QByteArray, file);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file);
        QVERIFY(!plan.readable);
        QVERIFY(!plan.importable(true));
    }

    // A rating cell left empty keeps the stored rating of the card the row replaces; one
    // with a value replaces it.
    void aReplaceKeepsTheRatingsOfEmptyCells_data()
    {
        QTest::addColumn<QString>("courseRating");
        QTest::addColumn<QString>("slope");
        QTest::addColumn<RoundRating>("after");
        QTest::addColumn<int>("changes");
        QTest::addRow("both empty") << QString() << QString() << RoundRating {712, 128} << 0;
        QTest::addRow("the slope given")
            << QString() << QStringLiteral("131") << RoundRating {712, 131} << 1;
        QTest::addRow("both given, the same")
            << QStringLiteral("71.2") << QStringLiteral("128") << RoundRating {712, 128} << 0;
        QTest::addRow("both given")
            << QStringLiteral("70.1") << QStringLiteral("120.0") << RoundRating {701, 120} << 1;
    }

    void aReplaceKeepsTheRatingsOfEmptyCells()
    {
        QFETCH(QString, courseRating);
        QFETCH(QString, slope);
        QFETCH(RoundRating, after);
        QFETCH(int, changes);
        cardcolumns::Stored stored = storedDays({0, 1});
        stored.ratings.insert(ratings::dayKey(datetime::fromDate(day(0))), {712, 128});
        // Day 1 is stored without ratings; day 2 is new, rated in the file.
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(
            bytesOf(rowsFor({0, 1, 2}, {courseRating, QString(), QStringLiteral("72.0")},
                {slope, QString(), QStringLiteral("130")})),
            stored);
        QVERIFY(plan.ok());
        QCOMPARE(plan.ratings[0], after);
        QVERIFY(plan.ratings[1].empty());
        QCOMPARE(plan.ratings[2], (RoundRating {720, 130}));
        QCOMPARE(plan.ratingChanges(false), 1);
        QCOMPARE(plan.ratingChanges(true), 1 + changes);
    }

    void clubsThatAreNotRegisteredAreNamed()
    {
        QList<QStringList> rows = rowsFor({0, 1, 2, 3});
        rows[2][columnOf(QStringLiteral("ゴルフ場"))] = kOther;
        rows[3][columnOf(QStringLiteral("ゴルフ場"))] = QStringLiteral("三番目");
        rows[4][columnOf(QStringLiteral("ゴルフ場"))] = kOther;
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(bytesOf(rows), storedDays({}));
        QVERIFY(plan.ok());
        QCOMPARE(plan.unregisteredClubs, (QStringList {kOther, QStringLiteral("三番目")}));
        QCOMPARE(plan.cards.size(), 4);
    }

    void theReadingTellsItsProgressAndStopsWhenAsked()
    {
        QList<int> days;
        for (int n = 0; n < 3000; ++n)
            days.append(n);
        const QByteArray file = bytesOf(rowsFor(days));
        QList<int> told;
        const cardcolumns::ImportPlan whole
            = cardcolumns::readCards(file, {}, [&told](int permille) {
                  told.append(permille);
                  return true;
              });
        QCOMPARE(whole.cards.size(), 3000);
        QVERIFY(!whole.cancelled);
        QCOMPARE(told.size(), 6); // every 512 rows
        QVERIFY(std::is_sorted(told.begin(), told.end()));
        QVERIFY(told.last() > 0);

        int steps = 0;
        const cardcolumns::ImportPlan stopped
            = cardcolumns::readCards(file, {}, [&steps](int) { return ++steps < 3; });
        QVERIFY(stopped.cancelled);
        QVERIFY(!stopped.importable(true));
        QCOMPARE(steps, 3);
    }
};

QTEST_GUILESS_MAIN(TestImportPlan)
#include "tst_importplan.moc"
