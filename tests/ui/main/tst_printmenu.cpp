// The print command through the window: what each page refuses to print, the print dialog,
// and the pages that reach the file.
#include "ui/stats/shukeiform.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QString kLinks = QStringLiteral("ゴルフ場");
const QString kCards = QStringLiteral("スコアカード");
const QString kNothing = QStringLiteral("印刷するデータがありません");

// Pages of a PDF written by the print system: one page object each.
int pdfPageCount(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(f.readAll()).count(page));
}
} // namespace

class TestPrintMenu : public QObject
{
    Q_OBJECT

    void openFull(WindowFixture &f)
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
        QList<TYoteiRecord> plans;
        for (int i = 0; i < 50; ++i)
            plans.append(build::yotei(QDate(2027, 1, 1).addDays(i), kA));
        f.writeYotei(kGolfer, plans);
        f.writeScores(kGolfer, {build::card(QDate(2026, 5, 3), kA)});
        f.open();
    }

    // The results page after a tally of every card as a list by date.
    void showScoreList(WindowFixture &f, int rows)
    {
        QList<TScoreRecord> cards;
        for (int i = 0; i < rows; ++i)
            cards.append(build::card(QDate(2020, 1, 1).addDays(i), kA));
        f.writeScores(kGolfer, cards);
        f.open();
        f.find<TShukeiForm>(QStringLiteral("ShukeiForm"))->setRunner([](TModalDialog &d) {
            d.findChild<QRadioButton *>(QStringLiteral("ShukeiGroupItem1"))->click();
            QTest::mouseClick(
                d.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        f.clickTab(4);
        QCOMPARE(f.find<TStringGrid>(QStringLiteral("SeisekiGrid"))->RowCount(), rows + 1);
    }

private Q_SLOTS:
    void nothingToPrint_data()
    {
        QTest::addColumn<QStringList>("golfers");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("message");
        const QStringList two {kGolfer, QStringLiteral("佐藤")};
        QTest::addRow("schedule, no golfer chosen")
            << two << 0 << QStringLiteral("ゴルファーを選択してください");
        QTest::addRow("empty schedule") << QStringList {kGolfer} << 0 << kNothing;
        QTest::addRow("no golf club") << QStringList {kGolfer} << 1 << kNothing;
        QTest::addRow("no course shown") << QStringList {kGolfer} << 2 << kNothing;
        QTest::addRow("no card shown") << QStringList {kGolfer} << 3 << kNothing;
        QTest::addRow("no tally shown") << QStringList {kGolfer} << 4 << kNothing;
    }
    void nothingToPrint()
    {
        QFETCH(QStringList, golfers);
        QFETCH(int, page);
        QFETCH(QString, message);
        WindowFixture f;
        f.writeGolfers(golfers);
        f.open();
        f.clickTab(page);
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("情報"));
        QCOMPARE(f.seams.dialogs.last().text, message);
        QCOMPARE(f.seams.dialogs.printDialogs, 0);
    }

    void cancelledDialogPrintsAndShowsNothing()
    {
        WindowFixture f;
        openFull(f);
        f.clickTab(1);
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.printDialogs, 1);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
    }

    // Each copy is complete: two copies of an n-page printout make 2n pages.
    void eachPagePrintsWholeCopies_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pagesPerCopy");
        // An A4 page holds 20 planned rounds and 29 rows of a score list.
        QTest::addRow("schedule of 50 rounds") << 0 << 2 << 3;
        QTest::addRow("golf clubs") << 1 << 1 << 1;
        QTest::addRow("course") << 2 << 2 << 1;
        QTest::addRow("score card") << 3 << 2 << 1;
        QTest::addRow("score list of 80 rounds") << 4 << 2 << 3;
    }
    void eachPagePrintsWholeCopies()
    {
        QFETCH(int, page);
        QFETCH(int, copies);
        QFETCH(int, pagesPerCopy);
        WindowFixture f;
        openFull(f);
        if (page == 2)
            f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        else if (page == 3)
            f.clickNode({kCards, QStringLiteral("2026年"), QStringLiteral("2026/05/03")});
        else if (page == 4)
            showScoreList(f, 80);
        else
            f.clickTab(page);
        QCOMPARE(f.currentPage(), page);
        f.seams.dialogs.clear();
        const QString pdf = f.path(QStringLiteral("out.pdf"));
        f.seams.dialogs.answerPrint(pdf, copies);
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        QCOMPARE(pdfPageCount(pdf), copies * pagesPerCopy);
    }

    void failedJobIsReportedAndLeavesNoFile()
    {
        WindowFixture f;
        openFull(f);
        f.clickTab(1);
        f.seams.dialogs.clear();
        const QString pdf = f.path(QStringLiteral("missing/out.pdf"));
        f.seams.dialogs.answerPrint(pdf);
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("Kestro"));
        QVERIFY(f.seams.dialogs.last().text.contains(pdf));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"
