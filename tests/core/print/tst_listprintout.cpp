// The schedule, golf club list and course printouts: where each text and rule lands, and how
// the lists run over pages.
#include "core/print/listprintout.h"
#include "support/builders.h"
#include "support/printpages.h"

#include <QTest>

using namespace printcheck;
using printout::PrintPage;

namespace {
const QString kA = QStringLiteral("A倶楽部");
constexpr int kW = 4800;

QList<TYoteiRecord> schedule(int count)
{
    QList<TYoteiRecord> list;
    for (int i = 0; i < count; ++i)
        list.append(build::yotei(QDate(2026, 1, 1).addDays(i), kA, QTime(7, 5 + i % 50),
            QStringLiteral("メモ%1").arg(i)));
    return list;
}

QList<TLinksRecord> clubs(int count)
{
    QList<TLinksRecord> list;
    for (int i = 0; i < count; ++i)
        list.append(build::club(
            QStringLiteral("倶楽部%1").arg(i), QStringLiteral("https://g%1.jp").arg(i)));
    return list;
}

// The row of the schedule that starts with the date of entry i, as "page:y", or "" if absent.
QString whereScheduleRow(const QList<PrintPage> &pages, int i)
{
    const QString date = QDate(2026, 1, 1).addDays(i).toString(QStringLiteral("yyyy/MM/dd"));
    for (int p = 0; p < pages.size(); ++p)
        for (const auto &t : pages[p].texts)
            if (t.text == date)
                return QStringLiteral("%1:%2").arg(p + 1).arg(t.pos.y());
    return QString();
}
} // namespace

class TestListPrintout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scheduleOfOneEntryIsOnePage()
    {
        const auto pages = printout::schedulePages(QStringLiteral("山田"),
            {build::yotei(QDate(2026, 12, 6), kA, QTime(8, 5), QStringLiteral("雨天決行"))},
            QSize(kW, 6800));
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];
        QCOMPARE(textAt(p, 150, 150), QStringLiteral("22 山田 さんの予定表"));
        QCOMPARE(textAt(p, kW - 400, 200), QStringLiteral("9 1 ページ"));
        QCOMPARE(textAt(p, 150, 400), QStringLiteral("11 2026/12/06"));
        QCOMPARE(textAt(p, 480, 400), QStringLiteral("11 08:05"));
        QCOMPARE(textAt(p, 700, 400), QStringLiteral("11 ") + kA);
        QCOMPARE(textAt(p, 1550, 400), QStringLiteral("11 雨天決行"));
        QCOMPARE(lines(p), QStringList {QStringLiteral("150,470-4700,470/1")});
        QCOMPARE(p.texts.size(), 6);
    }

    // A page of height 1000 has its bottom line at 600: rows at 400 and 550 fit, the row at
    // 700 lies beyond it and is still drawn there; the next row opens a page at 400.
    void scheduleBreaksAfterTheRowBeyondTheBottomLine_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QStringList>("where");
        QTest::addColumn<int>("pageCount");
        QTest::addRow("last row past the line: no empty page")
            << 1000 << 3 << QStringList {"1:400", "1:550", "1:700"} << 1;
        QTest::addRow("one more row opens page 2")
            << 1000 << 4 << QStringList {"1:400", "1:550", "1:700", "2:400"} << 2;
        QTest::addRow("three pages")
            << 1000 << 7
            << QStringList {"1:400", "1:550", "1:700", "2:400", "2:550", "2:700", "3:400"} << 3;
        QTest::addRow("A4 at 600 dpi: 43 rows on the first page")
            << 7016 << 44 << QStringList {} << 2;
    }
    void scheduleBreaksAfterTheRowBeyondTheBottomLine()
    {
        QFETCH(int, height);
        QFETCH(int, entries);
        QFETCH(QStringList, where);
        QFETCH(int, pageCount);
        const auto pages
            = printout::schedulePages(QStringLiteral("山田"), schedule(entries), QSize(kW, height));
        QCOMPARE(pages.size(), pageCount);
        for (int i = 0; i < where.size(); ++i)
            QCOMPARE(whereScheduleRow(pages, i), where[i]);
        if (height == 7016) {
            QCOMPARE(whereScheduleRow(pages, 42), QStringLiteral("1:6700"));
            QCOMPARE(whereScheduleRow(pages, 43), QStringLiteral("2:400"));
        }
        // The title only on the first page; every page numbered at the same place.
        for (int p = 0; p < pages.size(); ++p) {
            QCOMPARE(textAt(pages[p], kW - 400, 200), QStringLiteral("9 %1 ページ").arg(p + 1));
            QCOMPARE(textAt(pages[p], 150, 150).isEmpty(), p > 0);
        }
    }

    void linksListNumbersItsFirstPageFurtherRight()
    {
        // Rows every 200: 400, 600 and 800 on the first page (800 lies beyond 600).
        const auto pages = printout::linksPages(clubs(5), QSize(kW, 1000));
        QCOMPARE(pages.size(), 2);
        QCOMPARE(textAt(pages[0], 150, 150), QStringLiteral("22 ゴルフ場一覧"));
        QCOMPARE(textAt(pages[0], kW - 300, 200), QStringLiteral("9 1 ページ"));
        QCOMPARE(textAt(pages[0], kW - 400, 200), QString());
        QCOMPARE(textAt(pages[1], kW - 400, 200), QStringLiteral("9 2 ページ"));
        QCOMPARE(textAt(pages[1], 150, 150), QString());

        QCOMPARE(textAt(pages[0], 150, 800), QStringLiteral("11 倶楽部2"));
        QCOMPARE(textAt(pages[0], 950, 800), QStringLiteral("11 千葉県倶楽部2"));
        QCOMPARE(textAt(pages[0], 950, 890), QStringLiteral("11 TEL  043-000-0000"));
        QCOMPARE(textAt(pages[0], 1450, 890), QStringLiteral("11 URL  https://g2.jp"));
        QCOMPARE(lines(pages[0]),
            (QStringList {"150,570-4700,570/1", "150,770-4700,770/1", "150,970-4700,970/1"}));
        QCOMPARE(textAt(pages[1], 150, 400), QStringLiteral("11 倶楽部3"));
        QCOMPARE(textAt(pages[1], 150, 600), QStringLiteral("11 倶楽部4"));
    }

    void courseIsOneFramedPage()
    {
        TCourseRecord c = build::course(kA, QStringLiteral("東コース"));
        for (int h = 0; h < 9; ++h) {
            c.Yard[h] = 300 + 10 * h;
            c.Par[h] = h == 2 ? 3 : h == 8 ? 5 : 4;
        }
        c.YardTotal = 3060;
        c.ParTotal = 36;
        const auto pages = printout::coursePages(c, QSize(kW, 1000));
        QCOMPARE(pages.size(), 1);
        const PrintPage &p = pages[0];
        QCOMPARE(p.outlines.size(), 1);
        QCOMPARE(p.outlines[0].penWidth, 4);
        QCOMPARE(p.outlines[0].points,
            (QList<QPoint> {{160, 850}, {2400, 850}, {2400, 1270}, {160, 1270}}));
        QCOMPARE(lines(p),
            (QStringList {"380,850-380,1270/1", "2180,850-2180,1270/1", "160,990-2400,990/1",
                "160,1140-2400,1140/1"}));
        QCOMPARE(textAt(p, 200, 200), QStringLiteral("22 ") + kA);
        QCOMPARE(textAt(p, 200, 400), QStringLiteral("16 東コース"));
        QCOMPARE(textAt(p, 200, 580), QStringLiteral("14 [ティー]      レギュラー"));
        QCOMPARE(textAt(p, 200, 680), QStringLiteral("14 [グリーン]   ベント"));
        QCOMPARE(textAt(p, 190, 1030), QStringLiteral("12 ヤード"));
        QCOMPARE(textAt(p, 190, 1160), QStringLiteral("12 パー"));
        QCOMPARE(textAt(p, 400, 880), QStringLiteral("14 1H"));
        QCOMPARE(textAt(p, 2000, 880), QStringLiteral("14 9H"));
        QCOMPARE(textAt(p, 2200, 880), QStringLiteral("14 Total"));
        QCOMPARE(textAt(p, 800, 1030), QStringLiteral("14 320"));
        QCOMPARE(textAt(p, 800, 1160), QStringLiteral("14 3"));
        QCOMPARE(textAt(p, 2000, 1160), QStringLiteral("14 5"));
        QCOMPARE(textAt(p, 2200, 1030), QStringLiteral("14 3060"));
        QCOMPARE(textAt(p, 2200, 1160), QStringLiteral("14 36"));
        QVERIFY(!texts(p).join(QChar('|')).contains(QStringLiteral("ページ")));
    }
};

QTEST_GUILESS_MAIN(TestListPrintout)
#include "tst_listprintout.moc"
