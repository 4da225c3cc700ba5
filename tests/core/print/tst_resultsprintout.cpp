// The results printouts from hand-made grids: the score lists over several pages and the
// detailed statistics on one.
#include "core/print/resultsprintout.h"
#include "support/printpages.h"

#include <QTest>

using namespace printcheck;
using printout::PrintPage;
using printout::ResultsSheet;

namespace {
constexpr int kW = 4800;
const QString kConditions = QStringLiteral("検索年数： 2026年   検索ゴルフ場： 全て");

ResultsSheet scoreList(int rounds, bool ranked)
{
    ResultsSheet s;
    s.golferName = QStringLiteral("山田");
    s.conditions = kConditions;
    s.kensakuYear = QStringLiteral("2026年");
    s.kensakuLinks = QStringLiteral("全て");
    s.hasHeaderRow = true;
    for (int i = 0; i < rounds; ++i)
        s.rows.append({ranked ? QStringLiteral(" %1").arg(i + 1) : QString(), QString(),
            QStringLiteral("2026/01/%1").arg(i + 10),
            QStringLiteral("%1   ( 44 , %2 )").arg(80 + i).arg(36 + i),
            QStringLiteral("3%1").arg(i), i == 0 ? QStringLiteral("0 %") : QStringLiteral("33.3 %"),
            QStringLiteral("倶楽部%1").arg(i)});
    return s;
}

QStringList heads(const PrintPage &p)
{
    QStringList list;
    for (int x : {150, 270, 620, 1000, 1200, 1500})
        list.append(textAt(p, x, 600));
    return list;
}
} // namespace

class TestResultsPrintout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A page of height 1200 has its bottom line at 800: rows at 690, 780 and 870 (beyond the
    // line, still drawn) share a page.
    void scoreListOverPages_data()
    {
        QTest::addColumn<bool>("ranked");
        QTest::addRow("by date") << false;
        QTest::addRow("ascending") << true;
    }
    void scoreListOverPages()
    {
        QFETCH(bool, ranked);
        const auto pages = printout::resultsPages(scoreList(7, ranked), QSize(kW, 1200));
        QCOMPARE(pages.size(), 3);

        const PrintPage &first = pages[0];
        QCOMPARE(textAt(first, 200, 200),
            ranked ? QStringLiteral("22 山田 さんのベストスコア")
                   : QStringLiteral("22 山田 さんのスコア一覧"));
        QCOMPARE(textAt(first, kW - 400, 200), QStringLiteral("9 1 ページ"));
        QCOMPARE(textAt(first, 200, 450), QStringLiteral("10 ") + kConditions);
        QCOMPARE(lines(first), (QStringList {"150,560-4700,560/2", "150,570-4700,570/5"}));
        const QString rank = ranked ? QStringLiteral("10 順位") : QString();
        QCOMPARE(heads(first),
            (QStringList {
                rank, "10 日付", "10 スコア", "10 パット", "10 パーオン率", "10 ゴルフ場"}));
        QCOMPARE(textAt(first, 150, 690), ranked ? QStringLiteral("10  1") : QString());
        QCOMPARE(textAt(first, 270, 690), QStringLiteral("10 2026/01/10"));
        QCOMPARE(textAt(first, 620, 690), QStringLiteral("10 80   ( 44 , 36 )"));
        QCOMPARE(textAt(first, 1000, 690), QStringLiteral("10 30"));
        QCOMPARE(textAt(first, 1200, 690), QStringLiteral("10 0 %"));
        QCOMPARE(textAt(first, 1500, 690), QStringLiteral("10 倶楽部0"));
        QCOMPARE(textAt(first, 270, 870), QStringLiteral("10 2026/01/12"));

        // Later pages: the year and club of the tally instead of the title, 11-point rows.
        for (int n = 1; n < 3; ++n) {
            const PrintPage &p = pages[n];
            QCOMPARE(textAt(p, 200, 200), QString());
            QCOMPARE(textAt(p, kW - 400, 200), QStringLiteral("9 %1 ページ").arg(n + 1));
            QCOMPARE(textAt(p, 200, 400), QStringLiteral("11 [検索年数]"));
            QCOMPARE(textAt(p, 600, 400), QStringLiteral("11 2026年"));
            QCOMPARE(textAt(p, 200, 500), QStringLiteral("11 [検索ゴルフ場]"));
            QCOMPARE(textAt(p, 600, 500), QStringLiteral("11 全て"));
            QCOMPARE(lines(p), (QStringList {"170,560-4700,560/2", "170,570-4700,570/5"}));
            QCOMPARE(heads(p)[0], ranked ? QStringLiteral("11 順位") : QString());
            QCOMPARE(heads(p)[5], QStringLiteral("11 ゴルフ場"));
        }
        QCOMPARE(textAt(pages[1], 270, 690), QStringLiteral("11 2026/01/13"));
        QCOMPARE(textAt(pages[1], 270, 870), QStringLiteral("11 2026/01/15"));
        QCOMPARE(textAt(pages[2], 270, 690), QStringLiteral("11 2026/01/16"));
        QCOMPARE(textAt(pages[2], 270, 780), QString());
    }

    void listOfOneRoundIsOnePage()
    {
        const auto pages = printout::resultsPages(scoreList(1, false), QSize(kW, 7016));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].texts.size(), 3 + 5 + 5); // title, number, conditions; heads; row
    }

    void detailedStatisticsEndWithTheRuleAt2200()
    {
        ResultsSheet s;
        s.golferName = QStringLiteral("山田");
        s.conditions = kConditions;
        for (int i = 0; i < 16; ++i)
            s.rows.append({QStringLiteral("項目%1").arg(i), QString(),
                QStringLiteral("%1.0").arg(i), i == 4 ? QStringLiteral("A倶楽部") : QString(),
                i == 4 ? QStringLiteral("2026/05/05") : QString()});
        const auto pages = printout::resultsPages(s, QSize(kW, 1200));
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];
        QCOMPARE(textAt(p, 200, 200), QStringLiteral("22 山田 さんのスコア詳細"));
        QCOMPARE(textAt(p, 200, 450), QStringLiteral("10 ") + kConditions);
        QCOMPARE(textAt(p, 220, 600), QStringLiteral("12 項目0"));
        QCOMPARE(textAt(p, 720, 600), QStringLiteral("12 0.0"));
        QCOMPARE(textAt(p, 1020, 1000), QStringLiteral("12 A倶楽部"));
        QCOMPARE(textAt(p, 1770, 1000), QStringLiteral("12 2026/05/05"));
        QCOMPARE(textAt(p, 220, 2100), QStringLiteral("12 項目15"));
        QCOMPARE(lines(p),
            (QStringList {"170,560-4700,560/2", "170,570-4700,570/5", "170,2200-4700,2200/2",
                "170,2210-4700,2210/5"}));
        QVERIFY(!texts(p).join(QChar('|')).contains(QStringLiteral("ページ")));
    }
};

QTEST_GUILESS_MAIN(TestResultsPrintout)
#include "tst_resultsprintout.moc"
