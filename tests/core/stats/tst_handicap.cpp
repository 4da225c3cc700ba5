// The handicap index estimate: course handicap, net double bogey, differential, the index
// table, the caps and exceptional rounds. Every expected value is worked out by hand in the
// comment beside it.
#include "core/stats/handicap.h"
#include "support/builders.h"

#include <QTemporaryDir>
#include <QTest>

using namespace handicap;

namespace {

// Par 4 on every hole, course rating 72.0 = par and slope 113, so that a differential is
// the adjusted gross minus 72: `over` strokes over par, one on each hole first, then a
// second from hole 1 on (never more than par + 2, below every cap used here).
Round round(int day, int over)
{
    Round r;
    r.day = day;
    r.par.fill(4);
    r.parTotal = 72;
    r.courseRating10 = 720;
    r.slope = 113;
    for (int h = 0; h < 18; ++h)
        r.score[h] = 4 + (over > h ? 1 : 0) + (over - 18 > h ? 1 : 0);
    return r;
}

QList<int> tenths(std::initializer_list<double> values)
{
    QList<int> list;
    for (double v : values)
        list.append(int(std::lround(v * 10)));
    return list;
}

} // namespace

class TestHandicap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void courseHandicap_data()
    {
        QTest::addColumn<int>("index10");
        QTest::addColumn<int>("slope");
        QTest::addColumn<int>("rating10");
        QTest::addColumn<int>("expected");
        // 14.3 × 130 / 113 = 16.451…, + (71.2 − 72) = 15.651… → 16.
        QTest::addRow("typical") << 143 << 130 << 712 << 16;
        // 12.5 × 113 / 113 + 0 = 12.5 → 13 (halves upward).
        QTest::addRow("half up") << 125 << 113 << 720 << 13;
        // Plus 2.5: −2.5 → −2 (upward is toward plus).
        QTest::addRow("plus half up") << -25 << 113 << 720 << -2;
        // 0 + (69.5 − 72) = −2.5 → −2.
        QTest::addRow("rating below par") << 0 << 120 << 695 << -2;
    }
    void courseHandicap()
    {
        QFETCH(int, index10);
        QFETCH(int, slope);
        QFETCH(int, rating10);
        QFETCH(int, expected);
        QCOMPARE(handicap::courseHandicap(index10, slope, rating10, 72), expected);
    }

    void netDoubleBogey()
    {
        // The OUT course numbered with the odd stroke indexes, IN with the even ones: hole 1
        // has SI 1, hole 9 SI 17, hole 10 SI 2, hole 18 SI 18.
        const StrokeIndex si = *roundStrokeIndex(CourseStrokeIndex {1, 3, 5, 7, 9, 11, 13, 15, 17},
            CourseStrokeIndex {2, 4, 6, 8, 10, 12, 14, 16, 18});
        QCOMPARE(si[8], 17);
        QCOMPARE(si[17], 18);
        std::array<qint32, 18> par;
        par.fill(4);

        // Course handicap 20: a stroke on every hole, a second on SI 1 and 2.
        // Hole 1 (SI 1) 9 → capped at 4 + 2 + 2 = 8; hole 2 (SI 3) 7 = its cap 4 + 2 + 1;
        // hole 3 (SI 5) 8 → 7; fifteen holes of 5. Gross 99, adjusted 8 + 7 + 7 + 75 = 97.
        std::array<qint32, 18> score;
        score.fill(5);
        score[0] = 9;
        score[1] = 7;
        score[2] = 8;
        HoleStrokes strokes = strokesPerHole(20, si);
        QCOMPARE(strokes[0], 2);
        QCOMPARE(strokes[9], 2);
        QCOMPARE(strokes[1], 1);
        QCOMPARE(adjustedGross(score, par, &strokes), 97);
        // Without stroke indexes every hole gets ceil(20 / 18) = 2, caps of 8: only hole 1
        // is cut, 8 + 7 + 8 + 75 = 98.
        strokes = evenStrokes(20);
        QCOMPARE(adjustedGross(score, par, &strokes), 98);
        // Handicap 40: two strokes everywhere and a third on SI 1 to 4.
        strokes = strokesPerHole(40, si);
        QCOMPARE(strokes[1], 3); // SI 3
        QCOMPARE(strokes[2], 2); // SI 5
        QCOMPARE(strokes[10], 3); // SI 4

        // Plus 2: strokes given back on SI 18 (hole 18) and 17 (hole 9), caps of par + 1.
        // Hole 1 9 → 6, hole 9 6 → 5, hole 18 6 → 5, fifteen of 5: 6 + 5 + 5 + 75 = 91.
        score.fill(5);
        score[0] = 9;
        score[8] = 6;
        score[17] = 6;
        strokes = strokesPerHole(-2, si);
        QCOMPARE(strokes[8], -1);
        QCOMPARE(strokes[17], -1);
        QCOMPARE(strokes[16], 0);
        QCOMPARE(adjustedGross(score, par, &strokes), 91);
        // Plus 2 without stroke indexes: ceil(−2 / 18) = 0 on every hole, caps of 6:
        // 6 + 6 + 6 + 75 = 93.
        strokes = evenStrokes(-2);
        QCOMPARE(adjustedGross(score, par, &strokes), 93);
        // Plus 20: one back everywhere, a second on SI 17 and 18.
        QCOMPARE(strokesPerHole(-20, si)[17], -2);
        QCOMPARE(strokesPerHole(-20, si)[0], -1);
        // No index yet: caps of par + 5 = 9 keep every hole: 96.
        QCOMPARE(adjustedGross(score, par, nullptr), 96);
    }

    void strokeIndexOfTwoCoursesNumberedAlike()
    {
        // Both courses numbered 1..9 (a 27-hole club): ranked, the first half first among
        // equals, so hole 1 (1) → 1, hole 10 (1) → 2, hole 2 (2) → 3, hole 18 (9) → 18.
        const CourseStrokeIndex row {1, 2, 3, 4, 5, 6, 7, 8, 9};
        const StrokeIndex si = *roundStrokeIndex(row, row);
        QCOMPARE(si[0], 1);
        QCOMPARE(si[9], 2);
        QCOMPARE(si[1], 3);
        QCOMPARE(si[17], 18);
        QVERIFY(!roundStrokeIndex(row, std::nullopt));
    }

    void differential_data()
    {
        QTest::addColumn<int>("adjusted");
        QTest::addColumn<int>("rating10");
        QTest::addColumn<int>("slope");
        QTest::addColumn<int>("expected10");
        // 113 / 113 × (90 − 72.0) = 18.0.
        QTest::addRow("neutral slope") << 90 << 720 << 113 << 180;
        // 113 / 130 × (95 − 71.2) = 20.686… → 20.7.
        QTest::addRow("typical") << 95 << 712 << 130 << 207;
        // 113 / 150 × (80 − 72.5) = 5.65 exactly → 5.7.
        QTest::addRow("half up") << 80 << 725 << 150 << 57;
        // 113 / 150 × (65 − 72.5) = −5.65 → −5.6 (upward, toward plus).
        QTest::addRow("negative half up") << 65 << 725 << 150 << -56;
    }
    void differential()
    {
        QFETCH(int, adjusted);
        QFETCH(int, rating10);
        QFETCH(int, slope);
        QFETCH(int, expected10);
        QCOMPARE(handicap::differential(adjusted, rating10, slope), expected10);
    }

    void indexTable_data()
    {
        QTest::addColumn<QList<int>>("differentials");
        QTest::addColumn<int>("expected10"); // -1000: no index
        QTest::addRow("2: none") << tenths({15.0, 12.3}) << -1000;
        // Lowest 12.3 − 2.0 = 10.3.
        QTest::addRow("3") << tenths({15.0, 12.3, 18.1}) << 103;
        // Lowest 11.0 − 1.0 = 10.0.
        QTest::addRow("4") << tenths({15.0, 12.3, 18.1, 11.0}) << 100;
        // Lowest 11.0, no adjustment.
        QTest::addRow("5") << tenths({15.0, 12.3, 18.1, 11.0, 20.0}) << 110;
        // (11.0 + 12.3) / 2 − 1.0 = 10.65 → 10.7.
        QTest::addRow("6") << tenths({15.0, 12.3, 18.1, 11.0, 20.0, 12.4}) << 107;
        // (9.9 + 11.0) / 2 = 10.45 → 10.5.
        QTest::addRow("8") << tenths({15.0, 12.3, 18.1, 11.0, 20.0, 12.4, 9.9, 30.0}) << 105;
        // Lowest 3 of 9: (9.9 + 11.0 + 12.3) / 3 = 11.066… → 11.1.
        QTest::addRow("9") << tenths({15.0, 12.3, 18.1, 11.0, 20.0, 12.4, 9.9, 30.0, 25.0}) << 111;
        // Lowest 8 of 20: 10.0 10.1 10.2 10.3 10.4 10.5 10.6 10.8, sum 82.9 / 8 = 10.3625
        // → 10.4.
        const QList<int> twenty = tenths({20.0, 10.8, 30.0, 10.0, 25.0, 10.1, 19.0, 10.2, 18.0,
            10.3, 17.0, 10.4, 16.0, 10.5, 15.0, 10.6, 14.0, 13.0, 12.0, 11.0});
        QTest::addRow("20") << twenty << 104;
        // Two older 0.0 in front are outside the most recent 20: still 10.4.
        QTest::addRow("22") << tenths({0.0, 0.0}) + twenty << 104;
        // Plus: −1.0 − 2.0 = −3.0, shown "+3.0".
        QTest::addRow("plus") << tenths({-1.0, 2.0, 3.0}) << -30;
        // 60.0 is above the highest index: 54.0.
        QTest::addRow("at most 54.0") << tenths({60.0, 60.0, 60.0, 60.0, 60.0}) << 540;
    }
    void indexTable()
    {
        QFETCH(QList<int>, differentials);
        QFETCH(int, expected10);
        const std::optional<int> index = indexFromDifferentials(differentials);
        QCOMPARE(index.value_or(-1000), expected10);
    }

    void capsAndExceptionalReduction_data()
    {
        QTest::addColumn<int>("index10");
        QTest::addColumn<int>("low10");
        QTest::addColumn<int>("expected10");
        QTest::addRow("rise of 3.0 kept") << 130 << 100 << 130;
        // 14.0 is 4.0 above 10.0: 1.0 beyond 3.0, halved → 13.5.
        QTest::addRow("soft") << 140 << 100 << 135;
        // 14.5: 1.5 beyond, halved 0.75 → 13.75 → 13.8.
        QTest::addRow("soft, rounded") << 145 << 100 << 138;
        // 20.0: 10.0 + 3.0 + 7.0 / 2 = 16.5, above 10.0 + 5.0 → 15.0.
        QTest::addRow("hard") << 200 << 100 << 150;
        QTest::addRow("fall") << 80 << 100 << 80;
    }
    void capsAndExceptionalReduction()
    {
        QFETCH(int, index10);
        QFETCH(int, low10);
        QFETCH(int, expected10);
        QCOMPARE(applyCaps(index10, low10), expected10);
        // 6.9 below the index: nothing; 7.0 to 9.9: 1.0; 10.0 and more: 2.0.
        QCOMPARE(exceptionalReduction(131, 200), 0);
        QCOMPARE(exceptionalReduction(130, 200), 10);
        QCOMPARE(exceptionalReduction(101, 200), 10);
        QCOMPARE(exceptionalReduction(100, 200), 20);
    }

    void historyWithExceptionalRounds()
    {
        // Five rounds of differential 20.0: indexes 18.0 (−2.0), 19.0 (−1.0), 20.0.
        QList<Round> rounds;
        for (int d = 1; d <= 5; ++d)
            rounds.append(round(d, 20));
        // 12.0 against the index 20.0 is 8.0 below: 1.0 off all six, 5 × 19.0 and 11.0.
        // Six: (11.0 + 19.0) / 2 − 1.0 = 14.0.
        rounds.append(round(6, 12));
        // 4.0 against 14.0 is 10.0 below: 2.0 off all seven, 5 × 17.0, 9.0, 2.0.
        // Seven: (2.0 + 9.0) / 2 = 5.5.
        rounds.append(round(7, 4));
        const QList<RoundResult> h = history(rounds);
        QVERIFY(!h[1].indexAfter);
        QVERIFY(!h[2].courseHandicap);
        QCOMPARE(h[2].indexAfter, 180);
        QCOMPARE(h[3].indexAfter, 190);
        QCOMPARE(h[4].indexAfter, 200);
        // Course handicap 20.0 × 113 / 113 + 0 = 20; 14.0 → 14.
        QCOMPARE(h[5].courseHandicap, 20);
        QVERIFY(h[5].estimated);
        QCOMPARE(h[5].differential10, 120);
        QCOMPARE(h[5].reduction10, 10);
        QCOMPARE(h[5].indexAfter, 140);
        QCOMPARE(h[6].courseHandicap, 14);
        QCOMPARE(h[6].reduction10, 20);
        QCOMPARE(h[6].indexAfter, 55);
        QCOMPARE(h[0].adjusted10, 170);
        QCOMPARE(h[5].adjusted10, 90);
        QCOMPARE(h[6].adjusted10, 20);
        // The latest index uses the lowest 2: the last two rounds.
        QVERIFY(h[5].used && h[6].used && !h[0].used);
        QCOMPARE(indexText(*h[6].indexAfter), QStringLiteral("5.5"));
        QCOMPARE(indexText(-20), QStringLiteral("+2.0"));
        QCOMPARE(indexText(0), QStringLiteral("0.0"));
    }

    // The caps look back a year, at the indexes from a full record of 20 rounds on: the 20th
    // round's own index among them. Eight rounds of 10.0, then rounds of 30.0: after round 20
    // the lowest eight are the 10.0s, index 10.0; round 21 drops one, (7 × 10.0 + 30.0) / 8 =
    // 12.5; round 22 another, (6 × 10.0 + 2 × 30.0) / 8 = 15.0, a rise of 5.0 over the 10.0
    // of round 20: 10.0 + 3.0 + 2.0 / 2 = 14.0. Without round 20's index within the year the
    // lowest is 12.5, and 15.0 stands.
    void lowIndexFromTheTwentiethRound_data()
    {
        QTest::addColumn<int>("day21");
        QTest::addColumn<int>("day22");
        QTest::addColumn<int>("index22");
        QTest::addColumn<bool>("capped");
        QTest::addRow("the next days") << 21 << 22 << 140 << true;
        // Round 20 is on day 20.
        QTest::addRow("a year after round 20") << 384 << 385 << 140 << true;
        QTest::addRow("a year and a day after") << 385 << 386 << 150 << false;
        // Rounds of the day itself are not of the year before it.
        QTest::addRow("the same day") << 20 << 20 << 150 << false;
    }
    void lowIndexFromTheTwentiethRound()
    {
        QFETCH(int, day21);
        QFETCH(int, day22);
        QFETCH(int, index22);
        QFETCH(bool, capped);
        QList<Round> rounds;
        for (int d = 1; d <= 20; ++d)
            rounds.append(round(d, d <= 8 ? 10 : 30));
        rounds.append(round(day21, 30));
        rounds.append(round(day22, 30));
        const QList<RoundResult> h = history(rounds);
        QCOMPARE(h[19].indexAfter, 100);
        QCOMPARE(h[20].indexAfter, 125);
        QVERIFY(!h[20].capped);
        QCOMPARE(h[21].indexAfter, index22);
        QCOMPARE(h[21].capped, capped);
    }

    // An exceptional round takes its reduction off the most recent 20 differentials, itself
    // among them: the older ones stay as played.
    void exceptionalRoundAfterMoreThanTwenty()
    {
        // 22 rounds of 20.0: the index is 20.0 from round 7 on.
        QList<Round> rounds;
        for (int d = 1; d <= 22; ++d)
            rounds.append(round(d, 20));
        // 8.0 is 12.0 below 20.0: 2.0 off rounds 4 to 23.
        rounds.append(round(23, 8));
        const QList<RoundResult> h = history(rounds);
        QCOMPARE(h[21].indexAfter, 200);
        QCOMPARE(h[22].reduction10, 20);
        for (int i : {0, 1, 2})
            QCOMPARE(h[i].adjusted10, 200);
        for (int i : {3, 12, 21})
            QCOMPARE(h[i].adjusted10, 180);
        QCOMPARE(h[22].adjusted10, 60);
        QCOMPARE(h[0].differential10, 200);
        QCOMPARE(h[22].differential10, 80);
        // Lowest eight of rounds 4 to 23: (6.0 + 7 × 18.0) / 8 = 16.5.
        QCOMPARE(h[22].indexAfter, 165);
        QVERIFY(h[22].used && h[3].used && h[9].used && !h[10].used && !h[0].used);
    }

    // The cards that count: both ratings and every hole's par and strokes, in date order.
    void ratedRoundsOfTheCards_data()
    {
        QTest::addColumn<int>("hole"); // the hole left empty, -1 for none
        QTest::addColumn<bool>("parEmpty"); // else its strokes
        QTest::addColumn<int>("rating10"); // -1: not given
        QTest::addColumn<int>("slope");
        QTest::addColumn<bool>("counts");
        QTest::addRow("complete") << -1 << false << 712 << 130 << true;
        QTest::addRow("a par of 0 on hole 1") << 0 << true << 712 << 130 << false;
        QTest::addRow("a par of 0 on hole 18") << 17 << true << 712 << 130 << false;
        QTest::addRow("no strokes on hole 1") << 0 << false << 712 << 130 << false;
        QTest::addRow("no strokes on hole 18") << 17 << false << 712 << 130 << false;
        QTest::addRow("no slope") << -1 << false << 712 << -1 << false;
        QTest::addRow("no course rating") << -1 << false << -1 << 130 << false;
    }
    void ratedRoundsOfTheCards()
    {
        QFETCH(int, hole);
        QFETCH(bool, parEmpty);
        QFETCH(int, rating10);
        QFETCH(int, slope);
        QFETCH(bool, counts);
        QTemporaryDir dir;
        RatingStore store(dir.path());
        store.loadHoleHandicaps(QDate(2024, 7, 1));
        store.loadGolfer(QStringLiteral("山田"), QDate(2024, 7, 1));
        const QString club = QStringLiteral("A倶楽部");
        // Three cards out of date order; the one of June 5 is the card under test.
        QList<TScoreRecord> cards = {build::card(QDate(2024, 6, 10), club, 5),
            build::card(QDate(2024, 6, 1), club, 4), build::card(QDate(2024, 6, 5), club, 6)};
        if (hole >= 0)
            (parEmpty ? cards[2].Par : cards[2].Score)[hole] = 0;
        store.setRating(cards[0], {700, 120});
        store.setRating(cards[1], {701, 121});
        store.setRating(cards[2],
            {rating10 < 0 ? std::nullopt : std::optional<int>(rating10),
                slope < 0 ? std::nullopt : std::optional<int>(slope)});
        store.setHoleHandicaps(
            club, QStringLiteral("OUT"), HoleHandicaps {1, 3, 5, 7, 9, 11, 13, 15, 17});

        const RatedRounds rated = ratedRounds(cards, store);
        QCOMPARE(rated.cardIndex, counts ? (QList<int> {1, 2, 0}) : (QList<int> {1, 0}));
        const Round &last = rated.rounds.last();
        QCOMPARE(last.day, cards[0].RoundDate);
        QCOMPARE(last.parTotal, 72);
        QCOMPARE(last.courseRating10, 700);
        QCOMPARE(last.slope, 120);
        // Only one of the two courses has its stroke indexes: the strokes are spread evenly.
        QVERIFY(!last.strokeIndex);
        if (counts) {
            QCOMPARE(rated.rounds[1].score[0], 6);
            QCOMPARE(rated.rounds[1].courseRating10, 712);
        }
        store.setHoleHandicaps(
            club, QStringLiteral("IN"), HoleHandicaps {2, 4, 6, 8, 10, 12, 14, 16, 18});
        const Round withIndexes = ratedRounds(cards, store).rounds.last();
        QVERIFY(withIndexes.strokeIndex);
        QCOMPARE((*withIndexes.strokeIndex)[9], 2);
        QCOMPARE((*withIndexes.strokeIndex)[8], 17);
    }

    void courseHandicapOfTheNextRound()
    {
        QTemporaryDir dir;
        RatingStore store(dir.path());
        store.loadHoleHandicaps(QDate(2024, 7, 1));
        store.loadGolfer(QStringLiteral("山田"), QDate(2024, 7, 1));
        const QString a = QStringLiteral("A倶楽部");
        QList<TScoreRecord> cards = {build::card(QDate(2024, 6, 10), a, 5),
            build::card(QDate(2024, 6, 1), a, 4), build::card(QDate(2024, 6, 15), a, 6),
            build::card(QDate(2024, 6, 20), QStringLiteral("B倶楽部"), 5)};
        cards[2].Tee = {QStringLiteral("バック"), QStringLiteral("レギュラー")};
        store.setRating(cards[1], {720, 113});
        store.setRating(cards[2], {740, 130});
        // B倶楽部 has no rating: nothing to work from. The latest played first.
        const QList<handicap::NextRound> next = handicap::nextRounds(cards, store);
        QCOMPARE(next.size(), 2);
        QCOMPARE(next[0].text(), QStringLiteral("A倶楽部  OUT / IN  バック / レギュラー"));
        QCOMPARE(next[1].text(), QStringLiteral("A倶楽部  OUT / IN  レギュラー"));
        // 16.0 × 130 / 113 + 2.0 = 20.4 → 20; 16.0 × 113 / 113 + (72.0 − 72) = 16.
        QCOMPARE(next[0].courseHandicap(160), 20);
        QCOMPARE(next[1].courseHandicap(160), 16);
        // A plus index gives strokes back.
        QCOMPARE(handicap::courseHandicapText(*next[1].courseHandicap(-30)), QStringLiteral("+3"));
    }

    void textsOfIndexesAndDifferentials_data()
    {
        QTest::addColumn<int>("value10");
        QTest::addColumn<QString>("tenths");
        QTest::addColumn<QString>("index");
        QTest::addRow("typical") << 143 << "14.3"
                                 << "14.3";
        QTest::addRow("highest") << 540 << "54.0"
                                 << "54.0";
        QTest::addRow("zero") << 0 << "0.0"
                              << "0.0";
        QTest::addRow("a tenth") << 5 << "0.5"
                                 << "0.5";
        QTest::addRow("below zero") << -15 << "-1.5"
                                    << "+1.5";
        QTest::addRow("a tenth below") << -5 << "-0.5"
                                       << "+0.5";
        QTest::addRow("far below") << -120 << "-12.0"
                                   << "+12.0";
    }
    void textsOfIndexesAndDifferentials()
    {
        QFETCH(int, value10);
        QFETCH(QString, tenths);
        QFETCH(QString, index);
        QCOMPARE(tenthsText(value10), tenths);
        QCOMPARE(indexText(value10), index);
    }

    void historyWithCaps()
    {
        // Twenty daily rounds of 10.0: index 10.0 from round 7 on, and the lowest index of
        // the year from a full record (round 20 on) is 10.0.
        QList<Round> rounds;
        for (int d = 1; d <= 20; ++d)
            rounds.append(round(d, 10));
        // Then rounds of 30.0. With b of them among the last 20 the lowest 8 hold
        // 10.0 × min(8, 20 − b): after 13, (7 × 10.0 + 30.0) / 8 = 12.5, a rise of 2.5;
        // after 14, (6 × 10.0 + 2 × 30.0) / 8 = 15.0 → soft cap 13.0 + 2.0 / 2 = 14.0;
        // after 15, (5 × 10.0 + 3 × 30.0) / 8 = 17.5 → 13.0 + 4.5 / 2 = 15.25, hard cap 15.0.
        for (int d = 21; d <= 35; ++d)
            rounds.append(round(d, 30));
        const QList<RoundResult> h = history(rounds);
        QCOMPARE(h[2].indexAfter, 80); // 10.0 − 2.0
        QCOMPARE(h[5].indexAfter, 90); // 10.0 − 1.0
        QCOMPARE(h[19].indexAfter, 100);
        QCOMPARE(h[32].indexAfter, 125);
        QVERIFY(!h[32].capped);
        QCOMPARE(h[33].indexAfter, 140);
        QVERIFY(h[33].capped);
        QCOMPARE(h[34].indexAfter, 150);
        // Course handicap at round 35: 14.0 → 14, so caps of par + 3 do not cut 30 over.
        QCOMPARE(h[34].adjustedGross, 102);
        // The latest index: rounds 16 to 20 and the first three rounds of 30.0 (the older
        // first among equals).
        QList<int> used;
        for (int i = 0; i < h.size(); ++i)
            if (h[i].used)
                used.append(i);
        QCOMPARE(used, (QList<int> {15, 16, 17, 18, 19, 20, 21, 22}));
    }
};

QTEST_APPLESS_MAIN(TestHandicap)
#include "tst_handicap.moc"
