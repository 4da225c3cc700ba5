// The printed results sheet of a competition: one A4 page, whatever the field.
#include "core/print/compeprintout.h"
#include "support/printpages.h"

#include <QMap>
#include <QTest>

using namespace compe;
using namespace printcheck;
using printout::PrintPage;

namespace {

// A4 as the print path sets it up: 2,500 pixels across the printable width.
const QSize kA4(2500, 3600);

// OUT 4 4 3 5 4 4 3 4 5, IN 4 5 4 3 4 4 5 3 4 (par 72); hidden OUT 2 3 4 5 6 8, IN 10-15.
// Player k plays every hole in par + k % 4:
//   + 0: 36 36 72, hidden 48: (72 − 72) × 0.8 = 0.0, net 72.0
//   + 1: 45 45 90, hidden 60: 18 × 0.8 = 14.4, net 75.6
//   + 2: 54 54 108, hidden 72: (108 − 72) × 0.8 = 28.8, net 79.2
//   + 3: 63 63 126, hidden 84: (126 − 72) × 0.8 = 43.2, held at 36.0, net 90.0
Competition field(int players)
{
    Competition c;
    c.date = QDate(2024, 5, 12);
    c.name = QStringLiteral("第5回 山田会");
    c.club = QStringLiteral("A倶楽部");
    c.courses = {QStringLiteral("東"), QStringLiteral("西")};
    c.pars = {4, 4, 3, 5, 4, 4, 3, 4, 5, 4, 5, 4, 3, 4, 4, 5, 3, 4};
    c.hiddenHoles = {2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15};
    for (int k = 0; k < players; ++k) {
        Player p {QStringLiteral("選手%1").arg(k + 1, 2, 10, QChar('0')), {}, false};
        for (int h = 0; h < kHoles; ++h)
            p.scores[h] = c.pars[h] + k % 4;
        c.players.append(p);
    }
    return c;
}

QStringList rowAt(const PrintPage &p, const QList<int> &xs, int y)
{
    QStringList cells;
    for (int x : xs)
        cells.append(textAt(p, x, y));
    return cells;
}

QStringList sized(int size, const QStringList &texts)
{
    QStringList list;
    for (const QString &t : texts)
        list.append(QString::number(size) + QChar(' ') + t);
    return list;
}

const QList<int> kOneColumn {170, 330, 1100, 1300, 1500, 1750, 2050};

} // namespace

class TestCompePrintout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twelvePlayers()
    {
        Competition c = field(12);
        c.prizes = {{PrizeKind::Pin, 17, QString()}, {PrizeKind::Drive, 18, QString()},
            {PrizeKind::Pin, 3, QStringLiteral("選手05")},
            {PrizeKind::Drive, 9, QStringLiteral("選手02")},
            {PrizeKind::Pin, 7, QStringLiteral("選手01")},
            {PrizeKind::Pin, 13, QStringLiteral("選手11")}};
        const QList<PrintPage> pages = printout::compeResultsPages(c, c.results(), kA4);
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];

        QCOMPARE(textAt(p, 200, 200), QStringLiteral("22 第5回 山田会 成績表"));
        QCOMPARE(textAt(p, 200, 400), QStringLiteral("14 2024 年 5 月 12 日   日曜日"));
        QCOMPARE(textAt(p, 200, 520), QStringLiteral("12 [ゴルフ場]  A倶楽部"));
        QCOMPARE(textAt(p, 200, 610), QStringLiteral("12 [コース]  OUT 東　IN 西"));
        QCOMPARE(textAt(p, 200, 700),
            QStringLiteral(
                "10 [方式]  新ペリア（隠しホールの上限 ダブルパー・係数 0.8・ハンディ上限 36）"));
        // Not announced yet: the holes stay hidden.
        QCOMPARE(textAt(p, 200, 770), QStringLiteral("10 [隠しホール]  発表前"));
        for (const QString &t : texts(p))
            QVERIFY2(!t.contains(QStringLiteral("OUT 2")), qPrintable(t));
        QVERIFY(lines(p).contains(QStringLiteral("150,860-2400,860/2")));
        QVERIFY(lines(p).contains(QStringLiteral("150,870-2400,870/5")));

        // Four lines of prizes take 40 + 100 + 100 + 3 × 90 = 510 pixels: the table has
        // 3600 − 150 − 510 − 990 = 1950, room for 21 rows of 90, so 12 stand in one column.
        QCOMPARE(rowAt(p, kOneColumn, 900),
            sized(11, {"順位", "氏名", "OUT", "IN", "グロス", "ハンディ", "ネット"}));
        // Players 1, 5, 9 play par: all equal, they share first place; 2, 6, 10 follow at 4th.
        QCOMPARE(
            rowAt(p, kOneColumn, 990), sized(11, {"1", "選手01", "36", "36", "72", "0.0", "72.0"}));
        QCOMPARE(rowAt(p, kOneColumn, 1170),
            sized(11, {"1", "選手09", "36", "36", "72", "0.0", "72.0"}));
        QCOMPARE(rowAt(p, kOneColumn, 1260),
            sized(11, {"4", "選手02", "45", "45", "90", "14.4", "75.6"}));
        QCOMPARE(rowAt(p, kOneColumn, 1530),
            sized(11, {"7", "選手03", "54", "54", "108", "28.8", "79.2"}));
        QCOMPARE(rowAt(p, kOneColumn, 1980),
            sized(11, {"10", "選手12", "63", "63", "126", "36.0", "90.0"}));
        QCOMPARE(textAt(p, 170, 2070), QString());

        // Closing rule 10 below the last row's room (990 + 12 × 90), then the footer.
        QVERIFY(lines(p).contains(QStringLiteral("150,2080-2400,2080/2")));
        QCOMPARE(
            textAt(p, 200, 2120), QStringLiteral("12 [ベストグロス]  選手01、選手05、選手09  72"));
        QCOMPARE(textAt(p, 200, 2220), QStringLiteral("12 [ドラコン]"));
        QCOMPARE(textAt(p, 520, 2220), QStringLiteral("12 9番"));
        QCOMPARE(textAt(p, 700, 2220), QStringLiteral("12 選手02"));
        QCOMPARE(textAt(p, 520, 2310), QStringLiteral("12 18番"));
        QCOMPARE(textAt(p, 700, 2310), QString()); // not decided
        QCOMPARE(textAt(p, 1300, 2220), QStringLiteral("12 [ニアピン]"));
        QCOMPARE(textAt(p, 1620, 2220), QStringLiteral("12 3番"));
        QCOMPARE(textAt(p, 1800, 2220), QStringLiteral("12 選手05"));
        QCOMPARE(textAt(p, 1620, 2310), QStringLiteral("12 7番"));
        QCOMPARE(textAt(p, 1620, 2400), QStringLiteral("12 13番"));
        QCOMPARE(textAt(p, 1800, 2400), QStringLiteral("12 選手11"));
        QCOMPARE(textAt(p, 1620, 2490), QStringLiteral("12 17番"));

        // Announced: the holes are printed, half by half.
        c.announced = true;
        c.options = {Cap::TripleBogey, Factor::Point9, Limit::None};
        const PrintPage shown = printout::compeResultsPages(c, c.results(), kA4).first();
        QCOMPARE(textAt(shown, 200, 770),
            QStringLiteral("10 [隠しホール]  OUT 2・3・4・5・6・8　IN 10・11・12・13・14・15"));
        QCOMPARE(textAt(shown, 200, 700),
            QStringLiteral("10 [方式]  新ペリア（隠しホールの上限 トリプルボギー・係数 "
                           "0.9・ハンディ上限 なし）"));
    }

    void twoColumnsForALargeField()
    {
        // No prizes: the footer takes 140 and the table 3600 − 150 − 140 − 990 = 2320, room
        // for 25 full rows. 40 players go in two tables of 20, rows of 75 in 9 points.
        const Competition c = field(40);
        const PrintPage p = printout::compeResultsPages(c, c.results(), kA4).first();
        const QList<int> left {150, 240, 580, 680, 770, 910, 1090};
        const QList<int> right {1300, 1390, 1730, 1830, 1920, 2060, 2240};
        QCOMPARE(rowAt(p, left, 900),
            sized(9, {"順位", "氏名", "OUT", "IN", "グロス", "ハンディ", "ネット"}));
        QCOMPARE(rowAt(p, right, 900), rowAt(p, left, 900));
        // Ten players a result: par (1st), bogey (11th), double bogey (21st), then held at 36.
        QCOMPARE(rowAt(p, left, 990), sized(9, {"1", "選手01", "36", "36", "72", "0.0", "72.0"}));
        QCOMPARE(rowAt(p, left, 990 + 10 * 75),
            sized(9, {"11", "選手02", "45", "45", "90", "14.4", "75.6"}));
        QCOMPARE(rowAt(p, left, 990 + 19 * 75).value(1), QStringLiteral("9 選手38"));
        QCOMPARE(
            rowAt(p, right, 990), sized(9, {"21", "選手03", "54", "54", "108", "28.8", "79.2"}));
        QCOMPARE(rowAt(p, right, 990 + 19 * 75),
            sized(9, {"31", "選手40", "63", "63", "126", "36.0", "90.0"}));
        QVERIFY(lines(p).contains(QStringLiteral("150,2500-2400,2500/2")));
        // Ten share the best gross: three are named.
        QCOMPARE(textAt(p, 200, 2540),
            QStringLiteral("12 [ベストグロス]  選手01、選手05、選手09 ほか7名  72"));
    }

    // Long names close up to stay on the page and clear of the numbers.
    void longNamesFitted()
    {
        Competition c = field(2);
        // 30 kanji, a blank and 成績表: 30 + 0.6 + 3 = 33.6 ems; 2200 pixels hold
        // 2200 / (33.6 × 4.5) = 14.5, so 14 points.
        c.name = QString(30, QChar(0x4F1A));
        // 20 kanji in the name column's 1100 − 330 − 20 = 750 pixels: 750 / (20 × 4.5) = 8.3.
        c.players[1].name = QString(20, QChar(0x7530));
        const PrintPage p = printout::compeResultsPages(c, c.results(), kA4).first();
        QCOMPARE(textAt(p, 200, 200), QStringLiteral("14 ") + c.name + QStringLiteral(" 成績表"));
        QCOMPARE(textAt(p, 330, 1080), QStringLiteral("8 ") + c.players[1].name);
        // The rest of the row keeps the table's size.
        QCOMPARE(textAt(p, 1100, 1080), QStringLiteral("11 45"));
        QCOMPARE(textAt(p, 330, 990), QStringLiteral("11 選手01"));
    }

    // However many players and prizes, everything stands on the one page, rows in order and
    // apart, the footer below the table.
    void alwaysOnePage_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("prizeLines");
        QTest::addColumn<bool>("twoColumns");
        QTest::addRow("nobody") << 0 << 0 << false;
        QTest::addRow("one") << 1 << 1 << false;
        // Four prize lines leave 1950 pixels: 21 rows of 90.
        QTest::addRow("21 in one column") << 21 << 4 << false;
        QTest::addRow("22 in two") << 22 << 4 << true;
        QTest::addRow("100 and every prize") << kMaxPlayers << kMaxPrizesPerKind << true;
        QTest::addRow("100") << kMaxPlayers << 0 << true;
    }
    void alwaysOnePage()
    {
        QFETCH(int, players);
        QFETCH(int, prizeLines);
        QFETCH(bool, twoColumns);
        Competition c = field(players);
        for (int h = 1; h <= prizeLines; ++h) {
            c.prizes.append({PrizeKind::Drive, h, QStringLiteral("選手01")});
            c.prizes.append({PrizeKind::Pin, h, QStringLiteral("選手02")});
        }
        const Results r = c.results();
        QVERIFY2(r.ok(), qPrintable(r.error));
        const QList<PrintPage> pages = printout::compeResultsPages(c, r, kA4);
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];
        int footer = INT_MAX;
        QMap<int, QList<int>> nameRows; // by x
        for (const printout::PrintText &t : p.texts) {
            QVERIFY2(t.pos.x() >= 150 && t.pos.x() < kA4.width() - 200, qPrintable(t.text));
            QVERIFY2(t.pos.y() >= 200 && t.pos.y() <= kA4.height() - 240, qPrintable(t.text));
            QVERIFY(t.pointSize >= 4);
            if (t.text.startsWith(QStringLiteral("選手")) && t.pos.y() >= 990
                && (t.pos.x() == 330 || t.pos.x() == 240 || t.pos.x() == 1390)) {
                // A row must clear the one above: a point is some 4.5 pixels at this
                // resolution, so a row of n points needs 5n.
                const QList<int> &above = nameRows[t.pos.x()];
                QVERIFY(above.isEmpty() || t.pos.y() - above.last() >= 5 * t.pointSize);
                nameRows[t.pos.x()].append(t.pos.y());
            }
            if (t.text.startsWith(QStringLiteral("[ベストグロス]")))
                footer = t.pos.y();
        }
        int names = 0;
        for (const QList<int> &ys : nameRows) {
            names += ys.size();
            QVERIFY(ys.last() + 40 < footer);
        }
        QCOMPARE(names, players);
        // The left table's names stand at 240, the single column's at 330.
        QCOMPARE(nameRows.contains(240), twoColumns);
    }
};

QTEST_GUILESS_MAIN(TestCompePrintout)
#include "tst_compeprintout.moc"
