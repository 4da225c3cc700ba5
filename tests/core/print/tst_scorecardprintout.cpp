// The score card printout: heading, both framed halves and the summary block.
#include "core/data/datetime.h"
#include "core/print/scorecardprintout.h"
#include "support/builders.h"
#include "support/printpages.h"

#include <QLocale>
#include <QTest>

using namespace printcheck;
using printout::PrintPage;

namespace {
const QString kA = QStringLiteral("A倶楽部");

TScoreRecord sampleCard()
{
    TScoreRecord c = build::card(QDate(2026, 12, 6), kA);
    c.CourseName = {QStringLiteral("東"), QStringLiteral("西")};
    c.Tee = {QStringLiteral("バック"), QStringLiteral("フロント")};
    c.Green = {QStringLiteral("高麗"), QStringLiteral("ベント")};
    for (int h = 0; h < 18; ++h) {
        c.Yard[h] = 300 + h;
        c.Score[h] = 3 + h % 4;
        c.Putt[h] = QString::number(1 + h % 3);
    }
    c.Par[9] = 5;
    c.YardTotal = {2736, 2817};
    c.ScoreTotal = {40, 41};
    c.PuttTotal = {QStringLiteral("17"), QStringLiteral("18")};
    c.YardSum = 5553;
    c.ScoreSum = 81;
    c.PuttSum = 35;
    c.Partner = {QStringLiteral("佐藤"), QStringLiteral("鈴木"), QString()};
    c.PartnerScore = {95, 0, 0};
    return c;
}
} // namespace

class TestScoreCardPrintout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cardOnOnePage()
    {
        const auto pages = printout::scoreCardPages(sampleCard(), QSize(4800, 6800));
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];
        QCOMPARE(textAt(p, 200, 200), QStringLiteral("22 ") + kA);
        QCOMPARE(textAt(p, 1200, 400), QStringLiteral("14 [天気]   晴れ"));
        QCOMPARE(textAt(p, 200, 550), QStringLiteral("14 東"));
        QCOMPARE(textAt(p, 200, 700), QStringLiteral("12 [ティー]      バック"));
        QCOMPARE(textAt(p, 200, 800), QStringLiteral("12 [グリーン]   高麗"));
        QCOMPARE(textAt(p, 200, 1550), QStringLiteral("14 西"));
        QCOMPARE(textAt(p, 200, 1700), QStringLiteral("12 [ティー]      フロント"));
        QCOMPARE(textAt(p, 200, 1800), QStringLiteral("12 [グリーン]   ベント"));

        // Both halves are headed 1H to 9H; the second holds holes 10 to 18.
        for (int half = 0; half < 2; ++half) {
            const int dy = 1000 * half;
            QCOMPARE(p.outlines[half].points,
                (QList<QPoint> {
                    {160, 900 + dy}, {2400, 900 + dy}, {2400, 1400 + dy}, {160, 1400 + dy}}));
            QCOMPARE(p.outlines[half].penWidth, 4);
            QCOMPARE(textAt(p, 400, 930 + dy), QStringLiteral("12 1H"));
            QCOMPARE(textAt(p, 2000, 930 + dy), QStringLiteral("12 9H"));
            QCOMPARE(textAt(p, 2200, 930 + dy), QStringLiteral("12 Total"));
            QCOMPARE(textAt(p, 180, 1330 + dy), QStringLiteral("12 パット"));
        }
        QCOMPARE(textAt(p, 400, 2030), QStringLiteral("12 309"));
        QCOMPARE(textAt(p, 400, 2130), QStringLiteral("12 5"));
        QCOMPARE(textAt(p, 2000, 2230), QStringLiteral("12 4"));
        QCOMPARE(textAt(p, 2000, 2330), QStringLiteral("12 3"));
        QCOMPARE(textAt(p, 2200, 1030), QStringLiteral("12 2736"));
        QCOMPARE(textAt(p, 2200, 2230), QStringLiteral("12 41"));
        QCOMPARE(textAt(p, 2200, 2330), QStringLiteral("12 18"));
        QVERIFY(lines(p).contains(QStringLiteral("160,2300-2400,2300/1")));
        QCOMPARE(p.lines.size(), 12);

        QCOMPARE(textAt(p, 200, 2500), QStringLiteral("12 [ヤード]    5553"));
        QCOMPARE(textAt(p, 700, 2500), QStringLiteral("12 [パー]    72"));
        QCOMPARE(textAt(p, 200, 2600), QStringLiteral("12 [スコア]    81"));
        QCOMPARE(textAt(p, 700, 2600), QStringLiteral("12 [パット]   35"));
        QCOMPARE(textAt(p, 1200, 2500), QStringLiteral("12 [パートナー]"));
        // A partner without a score keeps an empty score cell; an empty partner prints nothing.
        QCOMPARE(textAt(p, 1600, 2500), QStringLiteral("12 佐藤"));
        QCOMPARE(textAt(p, 2000, 2500), QStringLiteral("12 95"));
        QCOMPARE(textAt(p, 1600, 2600), QStringLiteral("12 鈴木"));
        QCOMPARE(textAt(p, 2000, 2600), QString());
        QCOMPARE(textAt(p, 1600, 2700), QString());
        QCOMPARE(textAt(p, 2000, 2700), QString());

        for (const auto &t : p.texts)
            QVERIFY2(t.pos.y() >= 200 && t.pos.y() <= 2700, qPrintable(t.text));
    }

    void cardWithoutPuttsLeavesTheCellsEmpty()
    {
        TScoreRecord c = sampleCard();
        c.Putt.fill(QString());
        c.PuttTotal = {QString(), QString()};
        c.PuttSum = 0;
        const PrintPage p = printout::scoreCardPages(c, QSize(4800, 6800)).first();
        for (int half = 0; half < 2; ++half)
            for (int x = 400; x <= 2200; x += 200)
                QCOMPARE(textAt(p, x, 1330 + 1000 * half), QString());
        QCOMPARE(textAt(p, 700, 2600), QStringLiteral("12 [パット]   0"));
    }

    void handicapInItsOneDecimalForm_data()
    {
        QTest::addColumn<float>("handicap");
        QTest::addColumn<float>("net");
        QTest::addColumn<QString>("handicapText");
        QTest::addColumn<QString>("netText");
        QTest::addRow("half") << 12.5f << 68.5f << "[ハンディ]  12.5"
                              << "[ネット]   68.5";
        QTest::addRow("whole") << 12.0f << 69.0f << "[ハンディ]  12"
                               << "[ネット]   69";
        QTest::addRow("none") << 0.0f << 81.0f << "[ハンディ]  0"
                              << "[ネット]   81";
    }
    void handicapInItsOneDecimalForm()
    {
        QFETCH(float, handicap);
        QFETCH(float, net);
        TScoreRecord c = sampleCard();
        c.Handicap = handicap;
        c.NetScore = net;
        const PrintPage p = printout::scoreCardPages(c, QSize(4800, 6800)).first();
        QFETCH(QString, handicapText);
        QFETCH(QString, netText);
        QCOMPARE(textAt(p, 200, 2700), QStringLiteral("12 ") + handicapText);
        QCOMPARE(textAt(p, 700, 2700), QStringLiteral("12 ") + netText);
    }

    // The weekday stays Japanese when the program runs under another language.
    void dateWithTheJapaneseWeekday_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::addRow("sunday") << QDate(2026, 12, 6) << "2026 年 12 月 6 日   日曜日";
        QTest::addRow("no leading zeros") << QDate(2027, 1, 2) << "2027 年 1 月 2 日   土曜日";
    }
    void dateWithTheJapaneseWeekday()
    {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TScoreRecord c = sampleCard();
        c.RoundDate = datetime::fromDate(date);
        const PrintPage p = printout::scoreCardPages(c, QSize(4800, 6800)).first();
        QLocale::setDefault(before);
        QCOMPARE(textAt(p, 200, 400), QStringLiteral("14 ") + text);
    }
};

QTEST_GUILESS_MAIN(TestScoreCardPrintout)
#include "tst_scorecardprintout.moc"
