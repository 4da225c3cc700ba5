// The analysis statistics and their trend, on hand-made cards whose counts can be checked by
// eye.
#include "core/stats/analysis.h"
#include "core/stats/trend.h"
#include "support/builders.h"

#include <QTest>

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("B倶楽部");

// Par 4 everywhere. Hole 1 on in two and two putts; hole 2 a three-putt double bogey and
// hole 3 a one-putt birdie after it; hole 4 missed in two but saved in par with one putt;
// hole 9 a bogey and hole 10 a birdie (bounce back across the halves); hole 18 a double par
// with nothing after it. Every other hole a two-putt bogey.
TScoreRecord markedRound(const QDate &date)
{
    TScoreRecord r = build::card(date, kA, 5);
    const std::pair<int, int> holes[] = {{4, 2}, {6, 3}, {3, 1}, {4, 1}, {3, 1}, {8, 2}};
    const int at[] = {0, 1, 2, 3, 9, 17};
    for (int k = 0; k < 6; ++k) {
        r.Score[at[k]] = holes[k].first;
        r.Putt[at[k]] = QString::number(holes[k].second);
    }
    r.ScoreTotal = {42, 46};
    r.ScoreSum = 88;
    r.PuttSum = 34;
    applyHoleResults(r);
    return r;
}

// Every hole in par, no putts entered.
TScoreRecord roundWithoutPutts(const QDate &date, const QString &club = kA)
{
    TScoreRecord r = build::card(date, club, 4);
    for (QString &p : r.Putt)
        p.clear();
    r.PuttTotal = {};
    r.PuttSum = 0;
    applyHoleResults(r);
    return r;
}

QStringList row(const stats::Analysis &a, const QString &name)
{
    for (const QStringList &r : a.rows)
        if (r.value(0) == name)
            return r;
    return {};
}

QList<qsizetype> all(const QList<TScoreRecord> &cards)
{
    return stats::selectCards(cards, {});
}

} // namespace

class TestAnalysis final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachStatisticOnAMarkedRound()
    {
        const TScoreRecord marked = markedRound(QDate(2024, 5, 1));
        const stats::RoundStats s = stats::roundStats({marked}, {0});
        auto pair = [](const stats::Ratio &r) { return std::pair {r.count, r.of}; };
        QCOMPARE(pair(s.parOn), std::pair(3LL, 18LL)); // holes 1, 3 and 10
        QCOMPARE(pair(s.bogeyOn), std::pair(17LL, 18LL)); // all but the double par
        QCOMPARE(pair(s.parKeep), std::pair(4LL, 18LL)); // holes 1, 3, 4 and 10
        QCOMPARE(pair(s.bogeyOrBetter), std::pair(16LL, 18LL));
        QCOMPARE(pair(s.recovery), std::pair(1LL, 15LL)); // hole 4
        QCOMPARE(pair(s.putts), std::pair(34LL, 1LL));
        QCOMPARE(pair(s.parOnPutts), std::pair(4LL, 3LL));
        QCOMPARE(pair(s.onePutt), std::pair(3LL, 18LL));
        QCOMPARE(pair(s.threePutt), std::pair(1LL, 18LL));
        // Holes 2, 5 to 9 and 11 to 17 are bogeys or worse before another hole; 2 and 9
        // are followed by birdies. Hole 18 has no hole after it.
        QCOMPARE(pair(s.bounceBack), std::pair(2LL, 13LL));
        QCOMPARE(pair(s.doublePar), std::pair(1LL, 18LL));
        // The statistics that need putts leave the round out when one hole has none.
        TScoreRecord gap = marked;
        gap.Putt[17].clear();
        const stats::RoundStats g = stats::roundStats({gap}, {0});
        QCOMPARE(g.puttRounds, 0);
        QVERIFY(g.parOn.empty());
        QCOMPARE(pair(g.bounceBack), std::pair(2LL, 13LL));
    }

    // A hole holed from off the green has no putt: 0 is a count, and the round stays in the
    // putting statistics. Par 4 everywhere, 5 strokes and 2 putts, but hole 5 as given.
    void puttsOfAHoleCounted_data()
    {
        QTest::addColumn<QString>("putts"); // of hole 5
        QTest::addColumn<int>("strokes"); // of hole 5
        QTest::addColumn<int>("puttRounds");
        QTest::addColumn<QString>("average"); // 平均パット
        QTest::addColumn<QString>("recovery"); // リカバリー率
        QTest::addColumn<QString>("onePutt");
        // A chip-in birdie: not on in two, saved, no putt.
        QTest::addRow("holed from off the green") << "0" << 3 << 1 << "34.0"
                                                  << "5.6 % (1 / 18)"
                                                  << "0.0 % (0 / 18)";
        QTest::addRow("one putt") << "1" << 4 << 1 << "35.0"
                                  << "5.6 % (1 / 18)"
                                  << "5.6 % (1 / 18)";
        QTest::addRow("with a blank") << " 1" << 4 << 1 << "35.0"
                                      << "5.6 % (1 / 18)"
                                      << "5.6 % (1 / 18)";
        QTest::addRow("ten putts") << "10" << 13 << 1 << "44.0"
                                   << "0.0 % (0 / 18)"
                                   << "0.0 % (0 / 18)";
        QTest::addRow("none entered") << "" << 3 << 0 << "—"
                                      << "—"
                                      << "—";
    }
    void puttsOfAHoleCounted()
    {
        QFETCH(QString, putts);
        QFETCH(int, strokes);
        QFETCH(int, puttRounds);
        QFETCH(QString, average);
        QFETCH(QString, recovery);
        QFETCH(QString, onePutt);
        TScoreRecord card = build::card(QDate(2024, 5, 1), kA, 5);
        card.Score[4] = strokes;
        card.Putt[4] = putts;
        card.ScoreTotal[0] = 40 + strokes;
        card.ScoreSum = card.ScoreTotal[0] + 45;
        applyHoleResults(card);
        const stats::Analysis a = stats::analyse({card}, {});
        QCOMPARE(a.selected.puttRounds, puttRounds);
        QCOMPARE(row(a, QStringLiteral("平均パット（1ラウンド）"))[1], average);
        QCOMPARE(row(a, QStringLiteral("リカバリー率"))[1], recovery);
        QCOMPARE(row(a, QStringLiteral("1パット率"))[1], onePutt);
        QCOMPARE(row(a, QStringLiteral("パーオン率（パット入力済み）"))[1],
            puttRounds ? QStringLiteral("0.0 % (0 / 18)") : QStringLiteral("—"));
        // Strokes and par keep do not need putts.
        QCOMPARE(row(a, QStringLiteral("平均ストローク"))[1],
            QString::number(85 + strokes) + QStringLiteral(".0"));
    }

    void tableOverRoundsWithAndWithoutPutts()
    {
        const QList<TScoreRecord> cards
            = {markedRound(QDate(2024, 5, 1)), roundWithoutPutts(QDate(2025, 6, 1))};
        const stats::Analysis a = stats::analyse(cards, {});
        // name, selected, its rounds, last 20, their rounds: the same two rounds here.
        auto expect = [&a](const char *name, const char *value, const char *rounds) {
            const QStringList r = row(a, QString::fromUtf8(name));
            QCOMPARE(r, (QStringList {QString::fromUtf8(name), value, rounds, value, rounds}));
        };
        expect("ラウンド数", "2", "2");
        expect("平均ストローク", "80.0", "2");
        expect("ベストスコア", "72", "2");
        expect("OUT/IN 平均", "39.0 / 41.0", "2");
        expect("パーオン率（パット入力済み）", "16.7 % (3 / 18)", "1");
        expect("ボギーオン率", "94.4 % (17 / 18)", "1");
        expect("パーキープ率", "61.1 % (22 / 36)", "2");
        expect("ボギー以内率", "94.4 % (34 / 36)", "2");
        expect("リカバリー率", "6.7 % (1 / 15)", "1");
        expect("平均パット（1ラウンド）", "34.0", "1");
        expect("平均パット（1ホール）", "1.89", "1"); // 34 putts over 18 holes
        expect("パーオン時の平均パット", "1.33", "1");
        expect("1パット率", "16.7 % (3 / 18)", "1");
        expect("3パット率", "5.6 % (1 / 18)", "1");
        expect("バウンスバック率", "15.4 % (2 / 13)", "2");
        expect("ダブルパー以上率", "2.8 % (1 / 36)", "2");
        expect("Par3平均スコア", "—", "2");
        expect("Par4平均スコア", "4.4 (+0.4)", "2"); // 160 strokes over 36 holes
        // As it is copied and saved: the heading, then a row per statistic.
        const QList<QStringList> table = stats::analysisTable(a);
        QCOMPARE(table.size(), 20);
        QCOMPARE(table.first(),
            (QStringList {"項目", "選択したラウンド", "集計ラウンド数", "選択の直近20ラウンド",
                "直近20の集計ラウンド数"}));
        QCOMPARE(table[1], (QStringList {"ラウンド数", "2", "2", "2", "2"}));
        QCOMPARE(table.last(), (QStringList {"Par5平均スコア", "—", "2", "—", "2"}));
        // One of the two rounds has no putts: the table says why its putting rows count one.
        QCOMPARE(stats::puttNote(a.selected),
            QStringLiteral("パットの入っていない 1 ラウンドは、パットを使う率から除いています"));
        QCOMPARE(stats::puttNote(stats::analyse({cards[0]}, {}).selected), QString());

        // Rounds without putts only: the putting rows have nothing to count.
        const stats::Analysis dry = stats::analyse({cards[1]}, {});
        QCOMPARE(row(dry, QStringLiteral("平均パット（1ラウンド）")).mid(1, 2),
            (QStringList {"—", "0"}));
        QCOMPARE(row(dry, QStringLiteral("パーキープ率"))[1], QStringLiteral("100.0 % (18 / 18)"));
        QCOMPARE(row(dry, QStringLiteral("バウンスバック率"))[1], QStringLiteral("—"));
        // Nothing selected: a count of 0 and nothing else.
        const stats::Analysis none = stats::analyse(cards, {QStringLiteral("2019年")});
        QCOMPARE(
            row(none, QStringLiteral("ラウンド数")).mid(1), (QStringList {"0", "0", "0", "0"}));
        QCOMPARE(row(none, QStringLiteral("ベストスコア"))[1], QStringLiteral("—"));
        QCOMPARE(row(none, QStringLiteral("OUT/IN 平均"))[1], QStringLiteral("—"));
    }

    void ratesRoundHalfAwayFromZero()
    {
        // 9 par keeps in 144 holes (three par 4s, six par 3s): 6.25 % reads 6.3 %. The par 3
        // is played in 3.25 on average.
        QList<TScoreRecord> cards;
        for (int k = 0; k < 8; ++k) {
            TScoreRecord r = build::card(QDate(2023, 1, 1 + k), kA, 5);
            if (k < 3)
                r.Score[0] = 4;
            r.Par[5] = 3;
            r.Score[5] = k < 2 ? 4 : 3;
            cards.append(r);
        }
        const stats::Analysis a = stats::analyse(cards, {});
        QCOMPARE(row(a, QStringLiteral("パーキープ率"))[1], QStringLiteral("6.3 % (9 / 144)"));
        QCOMPARE(row(a, QStringLiteral("Par3平均スコア"))[1], QStringLiteral("3.3 (+0.3)"));
        // Par 4 holes in par on average, as the results page writes it: no sign, no decimal.
        const stats::Analysis even = stats::analyse({build::card(QDate(2023, 1, 1), kA, 4)}, {});
        QCOMPARE(row(even, QStringLiteral("Par4平均スコア"))[1], QStringLiteral("4 (0)"));
    }

    void sharesTheTallySelection_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("links");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<int>("best");
        QTest::addColumn<int>("recentBest");
        // Cards: three at B in 2020 (80, 81, 82), then 22 at A in 2021 (90 … 111).
        QTest::addRow("all") << "全て"
                             << "全て" << -1 << 25 << 80 << 92;
        QTest::addRow("year") << "2021年"
                              << "全て" << -1 << 22 << 90 << 92;
        QTest::addRow("club") << "全て" << kB << -1 << 3 << 80 << 80;
        QTest::addRow("last five") << "全て"
                                   << "全て" << 5 << 5 << 107 << 107;
    }
    void sharesTheTallySelection()
    {
        QFETCH(QString, year);
        QFETCH(QString, links);
        QFETCH(int, count);
        QFETCH(int, rounds);
        QFETCH(int, best);
        QFETCH(int, recentBest);
        QList<TScoreRecord> cards;
        for (int k = 0; k < 3; ++k)
            cards.append(build::scoredCard(QDate(2020, 3, 1 + k), kB, 40, 40 + k));
        for (int k = 0; k < 22; ++k)
            cards.append(build::scoredCard(QDate(2021, 3, 1 + k), kA, 45, 45 + k));
        const stats::Analysis a = stats::analyse(cards, {year, links, count});
        QCOMPARE(a.selected.rounds, rounds);
        QCOMPARE(a.recent.rounds, qMin(rounds, stats::kRecentRounds));
        QCOMPARE(a.selected.best, best);
        QCOMPARE(a.recent.best, recentBest);
    }

    void choicesOfTheSelection()
    {
        const QList<TScoreRecord> cards = {roundWithoutPutts(QDate(2021, 1, 1), kA),
            roundWithoutPutts(QDate(2021, 2, 1), kB), roundWithoutPutts(QDate(2023, 1, 1), kA)};
        QCOMPARE(stats::analysisYears(cards), (QStringList {"全て", "2021年", "2023年"}));
        QCOMPARE(stats::analysisLinks(cards), (QStringList {"全て", kB, kA}));
        QCOMPARE(stats::analysisYears({}), QStringList {"全て"});
        // A year is offered once, where it first comes, even when its cards are apart.
        const QList<TScoreRecord> apart = {roundWithoutPutts(QDate(2021, 1, 1), kA),
            roundWithoutPutts(QDate(2023, 1, 1), kB), roundWithoutPutts(QDate(2021, 3, 1), kA)};
        QCOMPARE(stats::analysisYears(apart), (QStringList {"全て", "2021年", "2023年"}));
    }

    void trendCharts()
    {
        // The moving average covers the rounds there are until there are five.
        QList<TScoreRecord> cards;
        for (int s : {90, 80, 100, 70, 85, 95})
            cards.append(
                build::scoredCard(QDate(2022, 1, 1 + int(cards.size())), kA, s / 2, s - s / 2));
        cards[3].LinksName = kB;
        const charts::ScoreTrend t = charts::scoreTrend(cards, all(cards));
        // Each round stands at its day: 2022/01/01 is Julian day 2459581.
        QCOMPARE(t.score.first(), QPointF(2459581, 90));
        QCOMPARE(t.score.last(), QPointF(2459586, 95));
        QCOMPARE(t.tips.value(3), QStringLiteral("2022/01/04  B倶楽部  70"));
        QCOMPARE(t.best, 3);
        QCOMPARE(charts::scoreTrend(cards, {}).best, -1);
        QList<double> averages;
        for (const QPointF &p : t.average)
            averages.append(p.y());
        QCOMPARE(averages, (QList<double> {90, 85, 90, 85, 85, 86}));
        // A long line keeps the lowest and highest point of each run, in order.
        QList<QPointF> line;
        for (int y : {5, 1, 9, 3, 4, 2, 8, 8, 0, 6})
            line.append({qreal(line.size() + 1), qreal(y)});
        QCOMPARE(charts::thinned(line, 2), (QList<QPointF> {{2, 1}, {3, 9}, {7, 8}, {9, 0}}));
        QCOMPARE(charts::thinned(line, 5), line);

        // A year without putts leaves the putting lines without a point for it.
        const QList<TScoreRecord> years
            = {markedRound(QDate(2021, 5, 1)), roundWithoutPutts(QDate(2022, 5, 1))};
        // Each line as its legend names it, in percent of the marked round's counts: on in
        // par − 2 on 3 holes of 18, in par − 1 on 17, par or better on 4, three putts on 1.
        const QList<charts::RateLine> rates
            = charts::yearlyRates(stats::yearlyStats(years, all(years)));
        QList<std::pair<QString, QList<QPointF>>> lines;
        for (const charts::RateLine &r : rates)
            lines.append({r.name, r.points});
        const QList<std::pair<QString, QList<QPointF>>> expected = {
            {"パーオン率", {{2021, 300.0 / 18}}},
            {"ボギーオン率", {{2021, 1700.0 / 18}}},
            {"パーキープ率", {{2021, 400.0 / 18}, {2022, 100}}},
            {"3パット率", {{2021, 100.0 / 18}}},
        };
        QCOMPARE(lines, expected);
        // One round a year: each point is of too few rounds to read much into, and says so.
        QCOMPARE(rates[2].rounds, (QList<qint64> {1, 1}));
        QVERIFY(rates[2].few(0) && rates[2].few(1));
        QCOMPARE(rates[0].tip(0), QStringLiteral("2021年  パーオン率 16.7 %（1 ラウンド）"));

        // Three rounds make a year of its own; the putting rates count those with putts.
        const QList<TScoreRecord> three
            = {markedRound(QDate(2021, 5, 1)), markedRound(QDate(2021, 6, 1)),
                roundWithoutPutts(QDate(2021, 7, 1)), roundWithoutPutts(QDate(2022, 7, 1))};
        const QList<charts::RateLine> counted
            = charts::yearlyRates(stats::yearlyStats(three, all(three)));
        QCOMPARE(counted[2].rounds, (QList<qint64> {3, 1}));
        QVERIFY(!counted[2].few(0));
        QCOMPARE(counted[0].rounds, (QList<qint64> {2}));
        QVERIFY(counted[0].few(0));
    }

    void axesOnWholeSteps_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("maxLabels");
        QTest::addColumn<QList<qint64>>("axis"); // min, max, step
        QTest::addRow("a few rounds") << 1.0 << 7.0 << 12 << QList<qint64> {1, 7, 1};
        QTest::addRow("twelve rounds") << 1.0 << 12.0 << 12 << QList<qint64> {1, 12, 1};
        QTest::addRow("thirteen rounds") << 1.0 << 13.0 << 12 << QList<qint64> {0, 14, 2};
        QTest::addRow("10,000 rounds") << 1.0 << 10000.0 << 12 << QList<qint64> {0, 10000, 1000};
        QTest::addRow("one year") << 2023.0 << 2023.0 << 12 << QList<qint64> {2022, 2024, 1};
        QTest::addRow("scores") << 72.0 << 131.0 << 12 << QList<qint64> {70, 140, 10};
        QTest::addRow("percent, little room") << 0.0 << 100.0 << 6 << QList<qint64> {0, 100, 20};
        QTest::addRow("negative") << -3.5 << 2.0 << 12 << QList<qint64> {-4, 2, 1};
    }
    void axesOnWholeSteps()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxLabels);
        QFETCH(QList<qint64>, axis);
        const charts::WholeAxis a = charts::wholeAxis(low, high, maxLabels);
        QCOMPARE((QList<qint64> {a.min, a.max, a.step}), axis);
        QVERIFY(a.labels() <= maxLabels);
    }

    void copiedAsASpreadsheetPastes()
    {
        const QString text
            = stats::tabSeparated({{"項目", "値"}, {"a\tb", "say \"hi\""}, {"2行\n目", ""}});
        QCOMPARE(text, QStringLiteral("項目\t値\n\"a\tb\"\t\"say \"\"hi\"\"\"\n\"2行\n目\"\t\n"));
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
