// The results page through the window: the tally dialog, the three tallies, the count
// checks and the silent repeat of the last tally.
#include "ui/stats/shukeiform.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kAll = QStringLiteral("全て");
const QString kNothing = QStringLiteral("検索内容に該当するデータがありませんでした");

// What the user does in the tally dialog.
struct Answer {
    QString year = kAll;
    QString links = kAll;
    QString count; // typed into the count box unless null
    int kind = 0; // the radio item
    bool confirm = true; // Button1, or the window's close button
};

} // namespace

Q_DECLARE_METATYPE(Answer)

namespace {

// 2020 A 90, 2020 B 85, 2021 A 95, 2021 B 88, 2021 A 80, 2022 A 92.
QList<TScoreRecord> sixCards()
{
    return {build::scoredCard(QDate(2020, 3, 1), kA, 45, 45),
        build::scoredCard(QDate(2020, 6, 1), kB, 43, 42),
        build::scoredCard(QDate(2021, 4, 1), kA, 48, 47),
        build::scoredCard(QDate(2021, 5, 1), kB, 44, 44),
        build::scoredCard(QDate(2021, 9, 1), kA, 40, 40),
        build::scoredCard(QDate(2022, 1, 1), kA, 46, 46)};
}

} // namespace

class TestResults : public QObject
{
    Q_OBJECT

    void openWith(WindowFixture &f, const QList<TScoreRecord> &cards)
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT")),
            build::course(kA, QStringLiteral("IN"), 300)});
        if (!cards.isEmpty())
            f.writeScores(kGolfer, cards);
        f.open();
    }

    TShukeiForm *dialog(WindowFixture &f)
    {
        return f.find<TShukeiForm>(QStringLiteral("ShukeiForm"));
    }
    template <class T> static T *in(QWidget &w, const char *name)
    {
        return w.findChild<T *>(QString::fromLatin1(name));
    }
    TStringGrid *grid(WindowFixture &f)
    {
        return f.find<TStringGrid>(QStringLiteral("SeisekiGrid"));
    }

    static void activate(QWidget &w)
    {
        w.activateWindow();
        QApplication::setActiveWindow(&w);
        if (!QTest::qWaitForWindowActive(&w))
            qWarning("the tally dialog did not become active");
    }

    static void typeCount(QWidget &d, const QString &text)
    {
        auto *count = in<QLineEdit>(d, "CountEdit");
        count->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(count, Qt::Key_Delete);
        QTest::keyClicks(count, text);
    }

    // Plays the dialog the next times it is shown; counts the showings.
    void answer(WindowFixture &f, const Answer &a, int *shown = nullptr)
    {
        dialog(f)->setRunner([&f, a, shown](TModalDialog &d) {
            if (shown)
                ++*shown;
            activate(d);
            if (a.year != kAll)
                f.choose(in<QComboBox>(d, "KensakuYearCombo"), a.year);
            if (a.links != kAll)
                f.choose(in<QComboBox>(d, "KensakuLinksCombo"), a.links);
            if (!a.count.isNull())
                typeCount(d, a.count);
            in<QRadioButton>(d, qPrintable(QStringLiteral("ShukeiGroupItem%1").arg(a.kind)))
                ->click();
            if (a.confirm)
                QTest::mouseClick(in<QPushButton>(d, "Button1"), Qt::LeftButton);
            else
                d.reject();
            // The window system gives the main window back its activation.
            QApplication::setActiveWindow(f.form.get());
        });
    }

    QStringList column(WindowFixture &f, int col)
    {
        QStringList texts;
        for (int r = 1; r < grid(f)->RowCount(); ++r)
            texts.append(grid(f)->Cell(col, r));
        return texts;
    }
    QList<int> widths(WindowFixture &f, int count)
    {
        QList<int> list;
        for (int c = 0; c < count; ++c)
            list.append(grid(f)->ColWidth(c));
        return list;
    }

    // The given widths, wider only where the font needs it; column 1 stays hidden.
    static void atLeast(const QList<int> &actual, const QList<int> &given)
    {
        for (int c = 0; c < given.size(); ++c)
            QVERIFY2(given[c] == 0 ? actual[c] == 0 : actual[c] >= given[c],
                qPrintable(QStringLiteral("column %1: %2").arg(c).arg(actual[c])));
    }

private Q_SLOTS:
    void dialogOffersTheGolfersYearsAndClubs()
    {
        WindowFixture f;
        openWith(f, sixCards());
        QStringList seen;
        dialog(f)->setRunner([&f, &seen](TModalDialog &d) {
            activate(d);
            auto *year = in<QComboBox>(d, "KensakuYearCombo");
            auto *links = in<QComboBox>(d, "KensakuLinksCombo");
            auto *count = in<QLineEdit>(d, "CountEdit");
            QStringList years, clubs;
            for (int i = 0; i < year->count(); ++i)
                years.append(year->itemText(i));
            for (int i = 0; i < links->count(); ++i)
                clubs.append(links->itemText(i));
            seen << d.windowTitle() << years.join(QChar('|')) << clubs.join(QChar('|'))
                 << year->currentText() << links->currentText() << count->text()
                 << in<QLabel>(d, "Label3")->text()
                 << QString::number(in<QPushButton>(d, "Button1")->isDefault())
                 << QString::number(in<QRadioButton>(d, "ShukeiGroupItem0")->isChecked())
                 << QString::number(d.minimumSize() == d.maximumSize());
            // Either combo off "全て" takes the count away; both back gives it again.
            f.choose(links, kB);
            seen << QString::number(count->isEnabled());
            f.choose(links, kAll);
            seen << QString::number(count->isEnabled());
            f.choose(year, QStringLiteral("2021年"));
            seen << QString::number(count->isEnabled());
        });
        f.clickTab(4);
        QCOMPARE(seen,
            (QStringList {"集計内容の設定", "全て|2020年|2021年|2022年", "全て|" + kB + "|" + kA,
                "全て", "全て", "6", "（総ラウンド数は 6 ラウンドです）", "1", "1", "1", "0", "1",
                "0"}));
        // Closed without confirming: no tally, and the next visit asks again.
        QCOMPARE(f.label(QStringLiteral("ShukeiNaiyou"))->text(), QString());
        QCOMPARE(f.label(QStringLiteral("KensakuNaiyou"))->text(), QString());
        QCOMPARE(grid(f)->RowCount(), 1);
        int shown = 0;
        // Closed while the box holds a wrong count: nothing to check, nothing run.
        answer(f, {kAll, kAll, QStringLiteral("abc"), 0, false}, &shown);
        f.clickTab(0);
        f.clickTab(4);
        QCOMPARE(shown, 1);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        // The combos are filled afresh on each call, "全て" chosen and the count back on.
        answer(f, {}, &shown);
        f.trigger(QStringLiteral("ShukeiDisp"));
        QCOMPARE(shown, 2);
        QCOMPARE(dialog(f)->countValue(), 6);
        QVERIFY(dialog(f)->countEnabled());
    }

    void tallies_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("chart");
        const QString list
            = QStringLiteral("スコア一覧の日付をダブルクリックでスコアカードを表示します");
        QTest::addRow("year, details")
            << Answer {QStringLiteral("2021年"), kAll, QString(), 0} << "スコアの詳細表示"
            << "検索年数： 2021年   検索ゴルフ場： 全て" << 2
            << QStringList {"3", "87.7", "2.0", "59.3 %", "80", "95"} << true;
        QTest::addRow("club, by date") << Answer {kAll, kB, QString(), 1} << "スコアの一覧表示"
                                       << "検索年数： 全て   検索ゴルフ場： " + kB << 2
                                       << QStringList {"2020/06/01", "2021/05/01"} << true;
        QTest::addRow("last three, ascending")
            << Answer {kAll, kAll, QStringLiteral("3"), 2} << "スコアを昇順で一覧表示"
            << "検索年数： 全て   検索ゴルフ場： 全て     最近 3ラウンドの成績を集計" << 2
            << QStringList {"2021/09/01", "2021/05/01", "2022/01/01"} << false;
        QTest::addRow("all, ascending scores")
            << Answer {kAll, kAll, QString(), 2} << "スコアを昇順で一覧表示"
            << "検索年数： 全て   検索ゴルフ場： 全て" << 3
            << QStringList {"80   ( 40 , 40 )", "85   ( 43 , 42 )", "88   ( 44 , 44 )",
                   "90   ( 45 , 45 )", "92   ( 46 , 46 )", "95   ( 48 , 47 )"}
            << false;
        QTest::addRow("all six, by date")
            << Answer {kAll, kAll, QStringLiteral("6"), 1} << "スコアの一覧表示"
            << "検索年数： 全て   検索ゴルフ場： 全て" << 6 << QStringList {kA, kB, kA, kB, kA, kA}
            << true;
        QTest::addRow("nothing found")
            << Answer {QStringLiteral("2022年"), kB, QString(), 0} << "スコアの詳細表示"
            << "検索年数： 2022年   検索ゴルフ場： " + kB << 0 << QStringList {} << false;
    }
    void tallies()
    {
        QFETCH(Answer, answer);
        QFETCH(QString, heading);
        QFETCH(QString, conditions);
        QFETCH(int, col);
        QFETCH(QStringList, cells);
        QFETCH(bool, chart);
        WindowFixture f;
        openWith(f, sixCards());
        this->answer(f, answer);
        f.clickTab(4);

        QCOMPARE(f.label(QStringLiteral("ShukeiNaiyou"))->text(), heading);
        QCOMPARE(f.label(QStringLiteral("KensakuNaiyou"))->text(), conditions);
        QCOMPARE(f.enabled(QStringLiteral("ChartAction1")), chart);
        const bool header = !grid(f)->horizontalHeader()->isHidden();
        if (cells.isEmpty()) {
            QCOMPARE(f.seams.dialogs.texts(), QStringList {kNothing});
            QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("情報"));
            QCOMPARE(f.status(), QStringLiteral("成績を表示します"));
            QCOMPARE(grid(f)->RowCount(), 1);
            QCOMPARE(grid(f)->ColCount(), 1);
            QCOMPARE(grid(f)->ColWidth(0), 0);
            return;
        }
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        if (answer.kind == 0) {
            // Sixteen rows without a heading row.
            QVERIFY(!header);
            QCOMPARE(grid(f)->RowCount(), 17);
            QCOMPARE(grid(f)->ColCount(), 5);
            atLeast(widths(f, 4), {100, 0, 90, 180});
            QVERIFY(grid(f)->ColWidth(4) >= 190);
            QCOMPARE(grid(f)->rowHeight(0), 19);
            QCOMPARE(column(f, 0).first(), QStringLiteral("ラウンド数"));
            QCOMPARE(column(f, 0).last(), QStringLiteral("Par3平均スコア"));
            QCOMPARE(column(f, col).mid(0, cells.size()), cells);
            QCOMPARE(f.status(),
                QStringLiteral("スコア詳細の日付をダブルクリックでスコアカードを表示します"));
        } else {
            QVERIFY(header);
            QCOMPARE(grid(f)->Row(0),
                (QStringList {{}, {}, "日付", "スコア", "パット数", "パーオン率", "ゴルフ場"}));
            atLeast(widths(f, 6), {30, 0, 85, 85, 60, 70});
            QVERIFY(grid(f)->ColWidth(6) >= 190);
            QCOMPARE(grid(f)->rowHeight(0), 20);
            QCOMPARE(column(f, col), cells);
            QCOMPARE(column(f, 0).first(), answer.kind == 2 ? QStringLiteral(" 1") : QString());
            QCOMPARE(f.status(),
                QStringLiteral("スコア一覧の日付をダブルクリックでスコアカードを表示します"));
        }
    }

    void exampleOfTwoRounds()
    {
        // 90 and 86 strokes, 36 and 32 putts, 5 and 7 par-on holes.
        TScoreRecord a = build::scoredCard(QDate(2024, 4, 1), kA, 45, 45);
        TScoreRecord b = build::scoredCard(QDate(2024, 5, 1), kB, 43, 43);
        a.ParOnCount = 5;
        b.PuttSum = 32;
        b.ParOnCount = 7;
        WindowFixture f;
        openWith(f, {a, b});
        answer(f, {});
        f.clickTab(4);
        QCOMPARE(column(f, 2).mid(0, 4), (QStringList {"2", "88.0", "1.9", "33.3 %"}));
        QCOMPARE(grid(f)->Row(4), (QStringList {"パーオン率", {}, "33.3 %", "12 回", {}}));
        QCOMPARE(grid(f)->Row(5), (QStringList {"ベストスコア", {}, "86", kB, "2024/05/01"}));
        // The date of the best round opens its card.
        const QRect rect = grid(f)->visualItemRect(grid(f)->item(4, 4));
        QTest::mouseClick(grid(f)->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(grid(f)->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(f.currentPage(), 3);
        QCOMPARE(f.label(QStringLiteral("SLinksText"))->text(), kB);
    }

    void longListFillsAsItScrolls()
    {
        // 400 rounds: the rows out of view get their cells when they come into view.
        QList<TScoreRecord> cards;
        for (int k = 0; k < 400; ++k)
            cards.append(build::scoredCard(QDate(2000, 1, 1).addDays(k), kA, 40 + k % 9, 45));
        WindowFixture f;
        openWith(f, cards);
        answer(f, {kAll, kAll, QString(), 1});
        f.clickTab(4);
        TStringGrid *g = grid(f);
        QCOMPARE(g->RowCount(), 401);
        QCOMPARE(g->Cell(2, 400), QStringLiteral("2001/02/03"));
        QCOMPARE(g->Row(399).mid(2, 2), (QStringList {"2001/02/02", "87   ( 42 , 45 )"}));
        QVERIFY(!g->item(399, 2));
        g->scrollToBottom();
        g->viewport()->repaint();
        QVERIFY(g->item(399, 2));
        // The newest date opens its card.
        const QRect rect = g->visualItemRect(g->item(399, 2));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(f.currentPage(), 3);
        QCOMPARE(f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"))->date(), QDate(2001, 2, 3));
        // Back on the page: repeated, and the rows of the old list are gone with it.
        answer(f, {kAll, kAll, QStringLiteral("2"), 0});
        f.clickTab(4);
        QCOMPARE(g->RowCount(), 401);
        f.trigger(QStringLiteral("ShukeiDisp"));
        QCOMPARE(g->RowCount(), 17);
        QCOMPARE(g->Cell(2, 1), QStringLiteral("2"));
        QCOMPARE(g->Cell(2, 17), QString());
    }

    void countChecks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("leave"); // how the box is left or the dialog confirmed
        QTest::addColumn<QString>("message");
        const QString invalid = QStringLiteral("入力された値は無効です");
        const QString over = QStringLiteral("集計するラウンド数が、総ラウンド数を超えています");
        QTest::addRow("letters, tab") << "abc"
                                      << "tab" << invalid;
        QTest::addRow("blank after the number, tab") << "3 "
                                                     << "tab" << invalid;
        QTest::addRow("zero, tab") << "0"
                                   << "tab" << over;
        QTest::addRow("above the total, tab") << "7"
                                              << "tab" << over;
        QTest::addRow("above the total, enter") << "9"
                                                << "enter" << over;
        QTest::addRow("letters, enter") << "x"
                                        << "enter" << invalid;
        QTest::addRow("negative, click") << "-2"
                                         << "click" << over;
    }
    void countChecks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, leave);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f, sixCards());
        QStringList after;
        dialog(f)->setRunner([&](TModalDialog &d) {
            activate(d);
            typeCount(d, typed);
            auto *count = in<QLineEdit>(d, "CountEdit");
            if (leave == QStringLiteral("tab"))
                QTest::keyClick(count, Qt::Key_Tab);
            else if (leave == QStringLiteral("enter"))
                QTest::keyClick(count, Qt::Key_Return);
            else
                QTest::mouseClick(in<QPushButton>(d, "Button1"), Qt::LeftButton);
            // Refused: the dialog stays, the box holds the total again and has the focus.
            after << QString::number(d.isVisible()) << count->text()
                  << QString::number(count->hasFocus());
            QTest::keyClick(count, Qt::Key_Return);
        });
        f.clickTab(4);
        QCOMPARE(after, (QStringList {"1", "6", "1"}));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {message});
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        // Confirmed with the total: every card, no count in the heading.
        QCOMPARE(grid(f)->Cell(2, 1), QStringLiteral("6"));
        QCOMPARE(f.label(QStringLiteral("KensakuNaiyou"))->text(),
            QStringLiteral("検索年数： 全て   検索ゴルフ場： 全て"));
    }

    void noGolferNoCards()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer, QStringLiteral("佐藤")});
        f.open();
        f.clickTab(4);
        f.trigger(QStringLiteral("ShukeiAction"));
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("ゴルファーを選択してください")});
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));

        // A golfer without cards: the total is 0, and the tally finds nothing.
        f.seams.dialogs.clear();
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        QString total;
        dialog(f)->setRunner([&total](TModalDialog &d) {
            activate(d);
            total = in<QLabel>(d, "Label3")->text();
            QTest::keyClick(in<QLineEdit>(d, "CountEdit"), Qt::Key_Tab);
            QTest::mouseClick(in<QPushButton>(d, "Button1"), Qt::LeftButton);
        });
        f.clickTab(4);
        QCOMPARE(total, QStringLiteral("（総ラウンド数は 0 ラウンドです）"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {kNothing});
    }

    void repeatedOnReenteringThePage()
    {
        QList<TScoreRecord> cards;
        for (int k = 0; k < 10; ++k)
            cards.append(build::scoredCard(QDate(2020, 1, 1 + k), kA, 40 + k, 40));
        WindowFixture f;
        openWith(f, cards);
        int shown = 0;
        answer(f, {}, &shown);
        f.clickTab(4);
        QCOMPARE(shown, 1);
        QCOMPARE(grid(f)->Row(5).mid(2), (QStringList {"80", kA, "2020/01/01"}));

        // An eleventh card, registered on the score page.
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        f.choose(f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame1"))->CourseCombo1,
            QStringLiteral("OUT"));
        f.choose(f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame2"))->CourseCombo1,
            QStringLiteral("IN"));
        for (int n : {1, 2})
            for (QLineEdit *e :
                f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n))->SEdit)
                f.type(e, QStringLiteral("6"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.form->scoreList().size(), 11);

        // The page repeats the tally without asking, over the ten most recent cards, and
        // says so.
        f.clickTab(4);
        QCOMPARE(shown, 1);
        QCOMPARE(grid(f)->Cell(2, 1), QStringLiteral("10"));
        QCOMPARE(grid(f)->Row(5).mid(2), (QStringList {"81", kA, "2020/01/02"}));
        QCOMPARE(grid(f)->Cell(2, 6), QStringLiteral("108"));
        QCOMPARE(f.label(QStringLiteral("KensakuNaiyou"))->text(),
            QStringLiteral(
                "検索年数： 全て   検索ゴルフ場： 全て     最近 10ラウンドの成績を集計"));
        QCOMPARE(f.form->shukeiCaller(), QString());

        // Two cards deleted: the ten asked for cover the nine there are.
        for (const char *date : {"2020/01/05", "2020/01/06"}) {
            f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2020年"),
                QString::fromLatin1(date)});
            f.trigger(QStringLiteral("DataDeleteAction"));
        }
        f.clickTab(4);
        QCOMPARE(shown, 1);
        QCOMPARE(grid(f)->Cell(2, 1), QStringLiteral("9"));
        QCOMPARE(f.label(QStringLiteral("KensakuNaiyou"))->text(),
            QStringLiteral("検索年数： 全て   検索ゴルフ場： 全て"));

        // The button and the menu always ask; choosing the golfer again forgets the tally.
        f.trigger(QStringLiteral("ShukeiDisp"));
        QCOMPARE(shown, 2);
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        f.clickTab(4);
        QCOMPARE(shown, 3);
    }

    void yearTallyRepeatedKeepsEveryCardOfTheYear()
    {
        // Confirmed for 2020 over 3 cards; a 2021 card added later must not push the
        // oldest 2020 card out of the repeat.
        WindowFixture f;
        openWith(f,
            {build::scoredCard(QDate(2020, 1, 1), kA, 45, 45),
                build::scoredCard(QDate(2020, 2, 1), kA, 44, 44),
                build::scoredCard(QDate(2020, 3, 1), kA, 43, 43)});
        answer(f, {QStringLiteral("2020年"), kAll, QString(), 1});
        f.clickTab(4);
        QCOMPARE(grid(f)->RowCount(), 4);
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        f.choose(f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame1"))->CourseCombo1,
            QStringLiteral("OUT"));
        f.choose(f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame2"))->CourseCombo1,
            QStringLiteral("IN"));
        for (int n : {1, 2})
            for (QLineEdit *e :
                f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n))->SEdit)
                f.type(e, QStringLiteral("5"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.form->scoreList().size(), 4);
        f.clickTab(4);
        QCOMPARE(column(f, 2), (QStringList {"2020/01/01", "2020/02/01", "2020/03/01"}));
    }
};

QTEST_MAIN(TestResults)
#include "tst_results.moc"
