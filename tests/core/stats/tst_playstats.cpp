// The statistics of the play details and of the holes, on cards made by hand so that every
// count can be checked by eye.
#include "core/stats/holestats.h"
#include "core/stats/playstats.h"
#include "support/builders.h"

#include <QTest>

namespace {
const QString kA = QStringLiteral("A倶楽部");

qint64 dayOf(const TScoreRecord &card)
{
    return qint64(datetime::dayOf(card.RoundDate));
}

// A: 90 strokes, bogeys but for hole 2, a par 3 played in 5 (a double bogey). Its details:
// hole 1 on the fairway with an OB, hole 2 (the par 3) "missed left" as a file may hold it,
// hole 3 missed left with a greenside bunker shot and one putt after it (a sand save), hole 4
// missed right with a greenside bunker shot and two putts (no save), hole 5 two penalty
// strokes and a fairway bunker shot.
TScoreRecord roundA()
{
    TScoreRecord a = build::card(QDate(2025, 6, 1), kA, 5);
    a.Par[1] = 3;
    a.Putt[2] = QStringLiteral("1");
    applyHoleResults(a);
    return a;
}

CardDetails detailsA()
{
    CardDetails d;
    d.holes[0].fairway = Fairway::Hit;
    d.holes[0].setCount(Ob, 1);
    d.holes[1].fairway = Fairway::Left;
    d.holes[2].fairway = Fairway::Left;
    d.holes[2].setCount(GreenBunker, 1);
    d.holes[3].fairway = Fairway::Right;
    d.holes[3].setCount(GreenBunker, 1);
    d.holes[4].setCount(Penalty, 2);
    d.holes[4].setCount(FairwayBunker, 1);
    return d;
}

// B: 72, all pars, no details. C: 108, all double bogeys, no details.
ScoreCards threeRounds()
{
    return {
        roundA(), build::card(QDate(2025, 7, 1), kA, 4), build::card(QDate(2026, 1, 10), kA, 6)};
}

QStringList rowOf(const QList<QStringList> &rows, const QString &name)
{
    for (const QStringList &row : rows)
        if (row.value(0) == name)
            return row;
    return {};
}
} // namespace

class TestPlayStats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analysisRows_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rounds");
        // Only round A has details: the detail statistics are counted over one round. The par
        // 3's "missed left" counts nowhere.
        QTest::addRow("fairways") << "FWキープ率"
                                  << "33.3 % (1 / 3)"
                                  << "1";
        QTest::addRow("missed left") << "左ミス率"
                                     << "33.3 % (1 / 3)"
                                     << "1";
        QTest::addRow("missed right") << "右ミス率"
                                      << "33.3 % (1 / 3)"
                                      << "1";
        QTest::addRow("OB") << "OB（1ラウンド）"
                            << "1.0"
                            << "1";
        QTest::addRow("penalties") << "ペナルティ（1ラウンド）"
                                   << "2.0"
                                   << "1";
        QTest::addRow("bunkers, both kinds") << "バンカー（1ラウンド）"
                                             << "3.0"
                                             << "1";
        QTest::addRow("sand saves") << "サンドセーブ率"
                                    << "50.0 % (1 / 2)"
                                    << "1";
        // From the cards alone, over the three rounds.
        QTest::addRow("eagles") << "イーグル（1ラウンド）"
                                << "0.00"
                                << "3";
        QTest::addRow("pars") << "パー（1ラウンド）"
                              << "6.00"
                              << "3";
        QTest::addRow("bogeys") << "ボギー（1ラウンド）"
                                << "5.67"
                                << "3";
        QTest::addRow("double bogeys") << "ダブルボギー（1ラウンド）"
                                       << "6.33"
                                       << "3";
        QTest::addRow("under 100") << "100切り率"
                                   << "66.7 % (2 / 3)"
                                   << "3";
        // 90 is not under 90.
        QTest::addRow("under 90") << "90切り率"
                                  << "33.3 % (1 / 3)"
                                  << "3";
        QTest::addRow("year 2025") << "2025年"
                                   << "ベスト 72・平均 81.0"
                                   << "2";
        QTest::addRow("year 2026") << "2026年"
                                   << "ベスト 108・平均 108.0"
                                   << "1";
    }
    void analysisRows()
    {
        QFETCH(QString, row);
        QFETCH(QString, value);
        QFETCH(QString, rounds);
        const ScoreCards cards = threeRounds();
        const details::DetailsMap details = {{dayOf(roundA()), detailsA()}};
        const stats::Analysis a = stats::analyseWithDetails(cards, {}, details);
        const QStringList found = rowOf(a.rows, row);
        QCOMPARE(found.value(1), value);
        QCOMPARE(found.value(2), rounds);
        // Fewer rounds than the recent ones: the second column counts the same.
        QCOMPARE(found.value(3), value);
    }

    void roundsWithoutDetailsShowNone()
    {
        const stats::Analysis a = stats::analyseWithDetails(threeRounds(), {}, {});
        QCOMPARE(rowOf(a.rows, "FWキープ率").mid(1, 2), (QStringList {"—", "0"}));
        QCOMPARE(rowOf(a.rows, "OB（1ラウンド）").mid(1, 2), (QStringList {"—", "0"}));
        // A blank details entry is no round with details either.
        stats::PlayStats s;
        const CardDetails blank;
        s.add(roundA(), &blank);
        QCOMPARE(s.detailRounds, 0);
    }

    void holesOfTheClub()
    {
        // X plays OUT then IN; Y plays them the other way round, later. Each hole of a course
        // counts the same in either half.
        TScoreRecord x = build::card(QDate(2025, 6, 1), kA, 5);
        x.Putt[0] = QStringLiteral("3");
        TScoreRecord y = build::card(QDate(2025, 7, 1), kA, 4);
        y.CourseName = {QStringLiteral("IN"), QStringLiteral("OUT")};
        y.Score[0] = 7; // IN 1
        y.Score[12] = 6; // OUT 4
        y.Yard[9] = 380; // OUT 1, on the latest card
        TScoreRecord elsewhere = build::card(QDate(2025, 8, 1), QStringLiteral("B"), 9);
        CardDetails d;
        d.holes[0].fairway = Fairway::Hit;
        d.holes[0].setCount(Ob, 1);
        const ScoreCards cards = {x, y, elsewhere};
        const QList<stats::HoleStats> holes
            = stats::holeStats(cards, {{dayOf(x), d}}, kA, "OUT", "IN");

        const QList<QStringList> rows = stats::holeRows(holes);
        QCOMPARE(rows.size(), 18);
        QCOMPARE(rows[0],
            (QStringList {"1", "OUT", "1", "4", "380", "2", "4.50", "+0.50", "100.0 %", "50.0 %",
                "100.0 %", "1.00"}));
        // Details entered, FW not: no FW rate; no OB on the round with details.
        QCOMPARE(rows[1].mid(6), (QStringList {"4.50", "+0.50", "50.0 %", "0.0 %", "—", "0.00"}));
        QCOMPARE(rows[3].mid(6, 2), (QStringList {"5.50", "+1.50"}));
        QCOMPARE(
            rows[9].mid(0, 8), (QStringList {"10", "IN", "1", "4", "350", "2", "6.00", "+2.00"}));
        QCOMPARE(stats::costliestHoles(holes), (QList<int> {10, 4, 1}));
        const QList<stats::HoleStats> byCost = stats::sortedHoles(holes, stats::HoleOrder::Cost);
        QCOMPARE(byCost[0].number, 10);
        QCOMPARE(byCost[3].number, 2); // equal costs by number

        const QList<charts::ChartValue> bars = stats::holeBars(holes);
        QCOMPARE(bars.size(), 18);
        QCOMPARE(bars[9].value, 2.0);
        QCOMPARE(bars[9].colour, charts::kGreen); // a double bogey's
        QCOMPARE(bars[0].colour, charts::kFuchsia); // +0.5 rounds to a bogey

        // A course not played leaves its nine rows blank, sorted last.
        const QList<stats::HoleStats> half = stats::holeStats(cards, {}, kA, "OUT", "WEST");
        QCOMPARE(stats::holeRows(half)[9].mid(3, 4), (QStringList {"—", "—", "0", "—"}));
        QCOMPARE(stats::sortedHoles(half, stats::HoleOrder::Cost).last().number, 18);
        QCOMPARE(stats::playedCourses(cards, kA), (QStringList {"OUT", "IN"}));
    }
};

QTEST_GUILESS_MAIN(TestPlayStats)
#include "tst_playstats.moc"
