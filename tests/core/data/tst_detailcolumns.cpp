// The play details as CSV columns: written after the ratings, read back exactly, optional on
// the way in, and refused cell by cell where they do not hold.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");

// The first card has a par 3 at hole 2; the second has no details.
QList<TScoreRecord> cards()
{
    TScoreRecord a = build::card(QDate(2024, 5, 3), kClub, 5);
    a.Par[1] = 3;
    applyHoleResults(a);
    return {a, build::card(QDate(2024, 6, 1), kClub, 4)};
}

CardDetails detailsOfFirst()
{
    CardDetails d;
    d.holes[0].fairway = Fairway::Hit;
    d.holes[0].setCount(Ob, 2);
    d.holes[2].fairway = Fairway::Left;
    d.holes[2].setCount(GreenBunker, 1);
    d.holes[17].fairway = Fairway::Right;
    d.holes[17].setCount(Penalty, 0);
    d.holes[17].setCount(FairwayBunker, 9);
    return d;
}

cardcolumns::DetailsOf detailsOf(const details::DetailsMap &map)
{
    return [map](const TScoreRecord &card) {
        return map.value(qint64(datetime::dayOf(card.RoundDate)));
    };
}

QByteArray bytesOf(const QList<QStringList> &rows)
{
    QByteArray bytes;
    if (!csv::encode(csv::format(rows), csv::Encoding::Utf8Bom, &bytes, nullptr))
        qWarning("the rows do not encode");
    return bytes;
}

// A function, not a constant: the day's number comes from the core's own constants.
details::DetailsMap stored()
{
    return {{qint64(datetime::dayOf(datetime::fromDate(QDate(2024, 5, 3)))), detailsOfFirst()}};
}
} // namespace

class TestDetailColumns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsAfterTheRatings()
    {
        const QList<QStringList> rows = cardcolumns::table(cards(), {}, detailsOf(stored()));
        const QStringList plain = cardcolumns::header();
        QCOMPARE(rows[0].mid(0, plain.size()), plain);
        QCOMPARE(rows[0].mid(plain.size(), 6),
            (QStringList {"1番FW", "1番OB", "1番ペナルティ", "1番FWバンカー", "1番グリーンバンカー",
                "2番FW"}));
        QCOMPARE(rows[0].size(), plain.size() + 90);
        const QStringList first = rows[1].mid(plain.size());
        QCOMPARE(first.mid(0, 5), (QStringList {"○", "2", "", "", ""}));
        QCOMPARE(first.mid(10, 5), (QStringList {"左", "", "", "", "1"}));
        QCOMPARE(first.mid(85, 5), (QStringList {"右", "", "0", "9", ""}));
        // A card without details: its cells are empty.
        QCOMPARE(rows[2].mid(plain.size()), QStringList(90, QString()));
        // A tee shot kept from before hole 2 became a par 3 is not written: it could not be
        // read back.
        details::DetailsMap parThree = stored();
        parThree.first().holes[1].fairway = Fairway::Left;
        QCOMPARE(
            cardcolumns::table(cards(), {}, detailsOf(parThree))[1][plain.size() + 5], QString());
    }

    void ownFileReadsBackByteForByte()
    {
        const QByteArray file = bytesOf(cardcolumns::table(cards(), {}, detailsOf(stored())));
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file);
        QVERIFY(plan.ok());
        QCOMPARE(plan.details.size(), 2);
        QCOMPARE(plan.details[0], std::optional<CardDetails>(detailsOfFirst()));
        QCOMPARE(plan.details[1], std::optional<CardDetails>(CardDetails {}));
        details::DetailsMap read;
        for (qsizetype i = 0; i < plan.cards.size(); ++i)
            read.insert(qint64(datetime::dayOf(plan.cards[i].RoundDate)), *plan.details[i]);
        QCOMPARE(bytesOf(cardcolumns::table(plan.cards, {}, detailsOf(read))), file);
    }

    void fileWithoutTheColumnsBringsNone()
    {
        const cardcolumns::ImportPlan plan
            = cardcolumns::readCards(bytesOf(cardcolumns::table(cards())));
        QVERIFY(plan.ok());
        QCOMPARE(plan.details, (QList<std::optional<CardDetails>> {std::nullopt, std::nullopt}));
    }

    void cellsRefused_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem"); // empty: taken
        QTest::addRow("FW as a word") << "1番FW"
                                      << "fairway"
                                      << "「fairway」はFWではありません（○、左、右）";
        QTest::addRow("FW on a par 3") << "2番FW"
                                       << "○"
                                       << "パー3のホールにFWは入力できません";
        QTest::addRow("FW as an arrow") << "1番FW"
                                        << "→"
                                        << "";
        QTest::addRow("ten OB") << "1番OB"
                                << "10"
                                << "「10」は0〜9の数ではありません";
        QTest::addRow("a negative count") << "3番ペナルティ"
                                          << "-1"
                                          << "「-1」は0〜9の数ではありません";
        QTest::addRow("a full-width digit") << "4番FWバンカー"
                                            << "３"
                                            << "";
        QTest::addRow("a spreadsheet's 2.0") << "5番グリーンバンカー"
                                             << "2.0"
                                             << "";
    }
    void cellsRefused()
    {
        QFETCH(QString, heading);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        QList<QStringList> rows = cardcolumns::table(cards(), {}, detailsOf(stored()));
        rows[1][rows[0].indexOf(heading)] = value;
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(bytesOf(rows));
        if (problem.isEmpty()) {
            QVERIFY(plan.ok());
            return;
        }
        QCOMPARE(plan.problemCount, 1);
        QCOMPARE(plan.problems[0].text, problem);
        QCOMPARE(plan.problems[0].column, int(rows[0].indexOf(heading)) + 1);
        QCOMPARE(plan.cards.size(), 1); // the other row is taken
    }

    void importSetsOrKeepsTheDetails()
    {
        QTemporaryDir dir;
        RecordBook book(dir.path(), [] { return QDate(2026, 12, 7); });
        book.loadGolfers();
        QVERIFY(!book.registerGolfer(QStringLiteral("山田")).refused());
        book.loadGolfer(QStringLiteral("山田"), QDate(2026, 12, 7));
        const QList<TScoreRecord> two = cards();
        QVERIFY(!book.registerScore(two[0], detailsOfFirst()).refused());
        // Replaced from a file without detail columns: the card keeps its details.
        cardcolumns::ImportPlan plan = cardcolumns::readCards(bytesOf(cardcolumns::table(two)));
        QVERIFY(!book.importScores(plan.cards, true, plan.ratings, plan.details).refused());
        QCOMPARE(book.details().details(two[0].RoundDate), detailsOfFirst());
        // From a file with them: the file's, blank ones too.
        plan = cardcolumns::readCards(bytesOf(cardcolumns::table(two, {}, detailsOf({}))));
        QVERIFY(!book.importScores(plan.cards, true, plan.ratings, plan.details).refused());
        QVERIFY(book.details().all().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDetailColumns)
#include "tst_detailcolumns.moc"
