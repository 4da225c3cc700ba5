// The tallies as plain functions: selection, detailed statistics, score lists, chart values.
#include "core/stats/chartdata.h"
#include "core/stats/decimal.h"
#include "core/stats/scorelists.h"
#include "core/stats/selection.h"
#include "core/stats/shousai.h"
#include "support/builders.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using stats::TallyCondition;

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("B倶楽部");

// A card whose halves, putts and par-on holes are as given.
TScoreRecord card(
    const QDate &date, const QString &club, int first, int second, int putts = 36, int parOn = 0)
{
    TScoreRecord r = build::scoredCard(date, club, first, second);
    r.PuttSum = putts;
    r.ParOnCount = parOn;
    return r;
}

TallyCondition condition(const QString &year, const QString &links, int count)
{
    return {year, links, count};
}

QStringList column(const QList<QStringList> &rows, int col)
{
    QStringList texts;
    for (const QStringList &row : rows)
        texts.append(row.value(col));
    return texts;
}

} // namespace

class TestTallies final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundsHalfAwayFromZeroAsWritten_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("upToOne");
        QTest::addRow("9 of 144 holes") << 9 * 100.0 / 144 << "6.3"
                                        << "6.3";
        QTest::addRow("1.15") << 1.15 << "1.2"
                              << "1.2";
        QTest::addRow("12.05") << 12.05 << "12.1"
                               << "12.1";
        QTest::addRow("-0.55") << -11.0 / 20 << "-0.6"
                               << "-0.6";
        QTest::addRow("99.95 carries") << 99.95 << "100.0"
                                       << "100";
        QTest::addRow("below half") << 4.44 << "4.4"
                                    << "4.4";
        QTest::addRow("whole") << 5.0 << "5.0"
                               << "5";
        QTest::addRow("zero") << 0.0 << "0.0"
                              << "0";
        QTest::addRow("tiny negative") << -0.04 << "0.0"
                                       << "0";
        QTest::addRow("a third") << 100.0 / 3 << "33.3"
                                 << "33.3";
        QTest::addRow("small") << 0.00005 << "0.0"
                               << "0";
    }
    void roundsHalfAwayFromZeroAsWritten()
    {
        QFETCH(double, value);
        QFETCH(QString, fixed);
        QFETCH(QString, upToOne);
        QCOMPARE(decimal::fixed(value), fixed);
        QCOMPARE(decimal::upToOne(value), upToOne);
    }

    void selectsTheLastCardsThenYearAndClub_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("links");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<qsizetype>>("selected");
        // Cards: 2020 A, 2020 B, 2021 A, 2021 A, 2022 B.
        QTest::addRow("all") << "全て"
                             << "全て" << 5 << QList<qsizetype> {0, 1, 2, 3, 4};
        QTest::addRow("last two") << "全て"
                                  << "全て" << 2 << QList<qsizetype> {3, 4};
        QTest::addRow("year") << "2021年"
                              << "全て" << 5 << QList<qsizetype> {2, 3};
        QTest::addRow("club") << "全て" << kB << 5 << QList<qsizetype> {1, 4};
        QTest::addRow("year and club") << "2020年" << kA << 5 << QList<qsizetype> {0};
        QTest::addRow("club among the last three") << "全て" << kA << 3 << QList<qsizetype> {2, 3};
        QTest::addRow("nothing") << "2019年"
                                 << "全て" << 5 << QList<qsizetype> {};
        QTest::addRow("club name is exact") << "全て"
                                            << "a倶楽部" << 5 << QList<qsizetype> {};
        QTest::addRow("more than held") << "全て"
                                        << "全て" << 9 << QList<qsizetype> {0, 1, 2, 3, 4};
        QTest::addRow("every card") << "全て"
                                    << "全て" << -1 << QList<qsizetype> {0, 1, 2, 3, 4};
    }
    void selectsTheLastCardsThenYearAndClub()
    {
        QFETCH(QString, year);
        QFETCH(QString, links);
        QFETCH(int, count);
        QFETCH(QList<qsizetype>, selected);
        const QList<TScoreRecord> cards = {build::card(QDate(2020, 5, 1), kA),
            build::card(QDate(2020, 6, 1), kB), build::card(QDate(2021, 1, 1), kA),
            build::card(QDate(2021, 12, 31), kA), build::card(QDate(2022, 1, 1), kB)};
        QCOMPARE(stats::selectCards(cards, condition(year, links, count)), selected);
    }

    void detailedStatisticsOfTwoRounds()
    {
        // 90 and 86 strokes, 36 and 32 putts, 5 and 7 par-on holes.
        const QList<TScoreRecord> cards = {
            card(QDate(2024, 4, 1), kA, 45, 45, 36, 5), card(QDate(2024, 5, 1), kB, 43, 43, 32, 7)};
        const stats::DetailedTally t = stats::detailedTally(cards, {});
        QCOMPARE(t.rounds, 2);
        QCOMPARE(t.rows.size(), stats::kDetailRows);
        QCOMPARE(column(t.rows, 0), stats::detailRowNames());
        QCOMPARE(column(t.rows, 1), QStringList(16, QString()));
        QCOMPARE(t.rows[0], (QStringList {QStringLiteral("ラウンド数"), {}, "2", {}, {}}));
        QCOMPARE(t.rows[1][2], QStringLiteral("88.0"));
        QCOMPARE(t.rows[2][2], QStringLiteral("1.9"));
        QCOMPARE(t.rows[3].mid(2), (QStringList {"33.3 %", "12 回", {}}));
        QCOMPARE(t.rows[4].mid(2), (QStringList {"86", kB, "2024/05/01"}));
        QCOMPARE(t.rows[5].mid(2), (QStringList {"90", kA, "2024/04/01"}));
        const qint32 bogeys = cards[0].HoleResultCounts[3] + cards[1].HoleResultCounts[3];
        QCOMPARE(t.holeResultCounts[3], bogeys);
        QCOMPARE(t.rows[9][3], QString::number(bogeys) + QStringLiteral(" 回"));
        // No par-3 or par-5 hole: those rows stay empty; par 4 averages 88 / 4.
        QCOMPARE(t.rows[13].mid(2), QStringList(3, QString()));
        QCOMPARE(t.rows[15].mid(2), QStringList(3, QString()));
        QCOMPARE(t.rows[14].mid(2), (QStringList {"4.9", "+0.9", {}}));
        QCOMPARE(t.pars.count, (std::array<qint32, 3> {0, 36, 0}));
        QCOMPARE(t.pars.over[0], 0.0);
    }

    void detailedStatisticsEdges()
    {
        // Putts missing on one card, a tie for best, a par exactly on average, a rate .x5.
        TScoreRecord a = card(QDate(2024, 1, 1), kA, 36, 36, 0, 9);
        TScoreRecord b = card(QDate(2024, 2, 1), kB, 36, 36, 30, 0);
        TScoreRecord c = card(QDate(2024, 3, 1), kB, 40, 41, 33, 0);
        TScoreRecord d = card(QDate(2024, 4, 1), kA, 36, 36, 39, 0);
        for (TScoreRecord *r : {&a, &b, &c, &d}) {
            r->Par[0] = 3;
            r->Par[1] = 5;
        }
        a.Score[0] = 3; // the par 3 holes average 3 + 1/4
        b.Score[0] = 3;
        c.Score[0] = 4;
        d.Score[0] = 3;
        const stats::DetailedTally t = stats::detailedTally({a, b, c, d}, {});
        QCOMPARE(t.rows[2][2], QStringLiteral("1.9")); // 102 putts over 3 rounds × 18 holes
        QCOMPARE(t.rows[3].mid(2, 2), (QStringList {"12.5 %", "9 回"})); // 9 of 72 holes
        QCOMPARE(t.rows[4].mid(2), (QStringList {"72", kA, "2024/01/01"})); // the older of 72
        QCOMPARE(t.rows[5].mid(2), (QStringList {"81", kB, "2024/03/01"}));
        QCOMPARE(t.rows[15].mid(2, 2), (QStringList {"3.3", "+0.3"})); // 3.25 rounds up
        QCOMPARE(t.rows[13].mid(2, 2), (QStringList {"4", "-1"})); // 4 strokes on par 5
    }

    void rowsOnExactlyHalfARate()
    {
        // 9 eagles in 144 holes (8 rounds): 6.25 % shows as 6.3 %.
        QList<TScoreRecord> cards;
        for (int k = 0; k < 8; ++k) {
            TScoreRecord r = card(QDate(2023, 1, 1 + k), kA, 36, 36);
            r.HoleResultCounts = {k == 0 ? 2 : 1, 0, 17 - (k == 0 ? 2 : 1) + 1, 0, 0, 0, 0};
            cards.append(r);
        }
        const stats::DetailedTally t = stats::detailedTally(cards, {});
        QCOMPARE(t.rows[6].mid(2, 2), (QStringList {"6.3 %", "9 回"}));
    }

    void emptySelectionHasNoRows()
    {
        const QList<TScoreRecord> cards = {build::card(QDate(2020, 1, 1), kA)};
        QCOMPARE(stats::detailedTally(cards, condition("全て", kB, 1)).rows.size(), 0);
        QCOMPARE(stats::detailedTally({}, {}).rounds, 0);
        QCOMPARE(stats::dateList(cards, condition("2021年", "全て", 1)).size(), 0);
        QCOMPARE(stats::ascendingList(cards, condition("2021年", "全て", 1)).size(), 0);
    }

    void dateListRows()
    {
        const QList<TScoreRecord> cards = {
            card(QDate(2022, 7, 3), kA, 44, 45, 31, 0), card(QDate(2022, 8, 9), kB, 40, 38, 29, 6)};
        const QList<QStringList> rows = stats::dateList(cards, {});
        QCOMPARE(rows.size(), 2);
        QCOMPARE(
            rows[0], (QStringList {{}, {}, "2022/07/03", "89   ( 44 , 45 )", "31", "0 %", kA}));
        QCOMPARE(
            rows[1], (QStringList {{}, {}, "2022/08/09", "78   ( 40 , 38 )", "29", "33.3 %", kB}));
        QCOMPARE(stats::scoreListHeader(),
            (QStringList {{}, {}, "日付", "スコア", "パット数", "パーオン率", "ゴルフ場"}));
    }

    void ascendingListRanksTiesByTheExchanges()
    {
        // A 90, B 90, C 85: the first pass exchanges A with C; B and A never meet.
        const QList<TScoreRecord> cards = {card(QDate(2022, 1, 1), QStringLiteral("A"), 45, 45),
            card(QDate(2022, 1, 2), QStringLiteral("B"), 45, 45),
            card(QDate(2022, 1, 3), QStringLiteral("C"), 43, 42)};
        const QList<QStringList> rows = stats::ascendingList(cards, {});
        QCOMPARE(column(rows, 6), (QStringList {"C", "B", "A"}));
        QCOMPARE(column(rows, 0), (QStringList {" 1", " 2", " 3"}));
        QCOMPARE(rows[0].mid(2, 2), (QStringList {"2022/01/03", "85   ( 43 , 42 )"}));
        // Unselected cards take part in the exchanges: leaving out the first card of
        // 90, 88, 90, 88 gives the order its empty entry makes.
        const QList<TScoreRecord> more = {card(QDate(2023, 1, 1), QStringLiteral("P"), 45, 45),
            card(QDate(2023, 1, 2), QStringLiteral("Q"), 44, 44),
            card(QDate(2023, 1, 3), QStringLiteral("R"), 45, 45),
            card(QDate(2023, 1, 4), QStringLiteral("S"), 44, 44)};
        QList<qint32> scores = {0, 88, 90, 88};
        const QList<qsizetype> expected = build::exchangeOrder(scores);
        QStringList names;
        for (int k = 0; k < 3; ++k)
            names.append(more[expected[k]].LinksName);
        QCOMPARE(column(stats::ascendingList(more, condition("全て", "全て", 3)), 6), names);
    }

    void exchangeSortMatchesTheLoop()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 300; ++round) {
            const int n = int(random.bounded(1, 120));
            const int spread = int(random.bounded(1, 8)); // few values: many ties
            QList<qint32> scores(n);
            for (qint32 &s : scores)
                s = random.bounded(4) == 0 ? 0 : 80 + int(random.bounded(spread));
            QList<qint32> loopScores = scores;
            QList<qint32> fastScores = scores;
            const QList<qsizetype> expected = build::exchangeOrder(loopScores);
            QCOMPARE(stats::exchangeSortOrder(fastScores), expected);
            QCOMPARE(fastScores, loopScores);
        }
    }

    void chartOfACardWithPuttsOnTheFirstHalf()
    {
        TScoreRecord r = build::card(QDate(2024, 6, 1), kA, 4);
        r.Par[0] = 3; // a bogey
        r.Par[9] = 5; // a birdie
        r.Score[17] = 7; // a triple bogey
        for (int h = 9; h < 18; ++h)
            r.Putt[h].clear();
        applyHoleResults(r);
        const charts::CardChart c = charts::cardChart(r);
        QList<double> over(19, 0.0);
        over[1] = 1;
        over[10] = -1;
        over[18] = 3;
        QCOMPARE(c.strokesOverPar, over);
        QCOMPARE(c.putts, (QList<double> {0, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
        QCOMPARE(c.pars.count, (std::array<qint32, 3> {1, 16, 1}));
        QCOMPARE(c.pars.over[0], 1.0);
        QCOMPARE(c.pars.over[1], 0.2); // 67 strokes on 16 par-4 holes: 4.1875
        QCOMPARE(c.pars.over[2], -1.0);
        const QList<charts::ChartValue> slices
            = charts::resultSlices(c.resultCounts, charts::Labels::Card);
        QCOMPARE(slices[1].label, QStringLiteral("ﾊﾞｰﾃﾞｨ"));
        QCOMPARE(slices[1].value, 1.0);
        QCOMPARE(slices[2].value, 15.0);
        QCOMPARE(slices[5].colour, charts::kAqua);
        QCOMPARE(charts::sliceMark(slices[2].label, 15, 18), QStringLiteral("ﾊﾟｰ 83.3 %"));
        QCOMPARE(charts::sliceMark(slices[0].label, 0, 18), QStringLiteral("ｲｰｸﾞﾙ 0 %"));
        const QList<charts::ChartValue> bars = charts::parBars(c.pars, charts::Labels::Results);
        QCOMPARE(bars[0].label, QStringLiteral("パー３"));
        QCOMPARE(bars[2].colour, charts::kGreen);

        // No putts at all: the single leading point.
        for (QString &p : r.Putt)
            p.clear();
        QCOMPARE(charts::cardChart(r).putts, QList<double> {0});
        // No par-5 hole: that bar stands at 0.
        r.Par[9] = 4;
        QCOMPARE(charts::parBars(charts::cardChart(r).pars, charts::Labels::Card)[2].value, 0.0);
    }

    void trendOfADateList()
    {
        const QList<TScoreRecord> cards = {card(QDate(2022, 7, 3), kA, 44, 45, 31, 0),
            card(QDate(2022, 8, 9), kB, 50, 52, 38, 6),
            card(QDate(2022, 9, 9), kB, 40, 39, 29, 18)};
        const charts::TrendLines t = charts::trendLines(stats::dateList(cards, {}));
        QCOMPARE(t.score, (QList<QPointF> {{0, 89}, {1, 89}, {2, 102}, {3, 79}}));
        QCOMPARE(t.putts, (QList<QPointF> {{0, 31}, {1, 31}, {2, 38}, {3, 29}}));
        QCOMPARE(t.parOnRate, (QList<QPointF> {{0, 0}, {1, 0}, {2, 33.3}, {3, 100}}));
        QVERIFY(charts::trendLines({}).score.isEmpty());
    }

    // Round k stands on a grid line labelled k: lines on whole rounds only, evenly spaced by
    // 1, 2, 5, 10, 20 …, at most 12 of them.
    void trendRoundsOnWholeLines_data()
    {
        QTest::addColumn<int>("rounds");
        QTest::addColumn<double>("step");
        QTest::addRow("1") << 1 << 1.0;
        QTest::addRow("14") << 14 << 2.0;
        QTest::addRow("36") << 36 << 5.0;
        QTest::addRow("200") << 200 << 20.0;
    }
    void trendRoundsOnWholeLines()
    {
        QFETCH(int, rounds);
        QFETCH(double, step);
        const charts::AxisScale axis = charts::roundAxis(rounds);
        QCOMPARE(axis.step, step);
        const QList<double> ticks = charts::axisTicks(axis);
        QVERIFY(ticks.size() >= 2 && ticks.size() <= 12);
        QVERIFY(ticks.first() >= 1 && ticks.first() - step < 1 && ticks.last() <= rounds + 1);
        for (qsizetype k = 1; k < ticks.size(); ++k) {
            QCOMPARE(ticks[k], std::round(ticks[k]));
            QCOMPARE(ticks[k] - ticks[k - 1], step);
        }
    }
};

QTEST_GUILESS_MAIN(TestTallies)
#include "tst_tallies.moc"
