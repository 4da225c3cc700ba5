// The analysis and handicap windows as a golfer uses them: the keys (Enter, Tab, Escape), the
// buttons that close them, what their labels and notes say, and charts that show every point.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/charts/pielegend.h"
#include "ui/charts/timeaxes.h"
#include "ui/stats/analysiswindow.h"
#include "ui/stats/handicapwindow.h"

#include <QAbstractAxis>
#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTableWidget>
#include <QValueAxis>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QString kOther = QStringLiteral("佐藤");
enum { CourseRating = 6, Slope = 7 };

TScoreRecord withoutPutts(TScoreRecord card)
{
    for (auto &p : card.Putt)
        p.clear();
    card.PuttTotal = {QString(), QString()};
    card.PuttSum = 0;
    return card;
}

QString cell(QAbstractItemView *view, int row, int column, int role = Qt::DisplayRole)
{
    return view->model()->index(row, column).data(role).toString();
}

// Whether the key, pressed on the focused widget of `view` (its editor while one is open),
// was taken by something that leaves the window open.
void press(QWidget *widget, Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : widget, key);
    // An editor commits from a queued call, and the table moves down after it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestWindowKeys : public QObject
{
    Q_OBJECT

    AnalysisWindow *analysis(WindowFixture &f)
    {
        return f.form->findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
    }

private Q_SLOTS:
    void analysisReadsAndCloses()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer, kOther});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer,
            {build::card(QDate(2023, 4, 1), kA, 5),
                withoutPutts(build::card(QDate(2023, 9, 1), kA, 4)),
                build::card(QDate(2024, 5, 1), kA, 6)});
        f.open();
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        f.trigger(QStringLiteral("AnalysisAction"));
        AnalysisWindow *w = analysis(f);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("分析  [ 山田 ]"));

        // The choices are reached by their mnemonics.
        for (const auto &[text, box] : {std::pair {"年(&Y)", "YearCombo"},
                 std::pair {"ゴルフ場(&G)", "LinksCombo"}, std::pair {"最近(&R)", "CountSpin"}}) {
            QLabel *label = nullptr;
            for (QLabel *l : w->findChildren<QLabel *>())
                if (l->text() == QString::fromUtf8(text))
                    label = l;
            QVERIFY2(label, text);
            QCOMPARE(label->buddy(), w->findChild<QWidget *>(QString::fromUtf8(box)));
        }

        // The round without putts: the par-on rate says it counts the others, and the note
        // under the table says how many it leaves out.
        auto *table = w->findChild<QTableWidget *>(QStringLiteral("AnalysisTable"));
        QString parOn;
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text() == QStringLiteral("パーオン率（パット入力済み）"))
                parOn = table->item(r, 2)->text();
        QCOMPARE(parOn, QStringLiteral("2"));
        auto *note = w->findChild<QLabel *>(QStringLiteral("AnalysisNote"));
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
            QStringLiteral("パットの入っていない 1 ラウンドは、パットを使う率から除いています"));

        // Both years have fewer than three rounds with putts: their par-on points are hollow.
        auto *few = w->findChild<QChartView *>(QStringLiteral("RateChart"))
                        ->chart()
                        ->findChild<QScatterSeries *>(QStringLiteral("パーオン率Few"));
        QVERIFY(few);
        QCOMPARE(few->count(), 2);

        // Tab leaves the table; arrows stay for its cells.
        activate(w);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != table);

        // A year of one round: its point is marked and stands inside the frame; the rates of
        // a single year say why they are not drawn.
        f.choose(w->findChild<QComboBox *>(QStringLiteral("YearCombo")), QStringLiteral("2024年"));
        QCOMPARE(note->isVisible(), false);
        auto *scores = w->findChild<QChartView *>(QStringLiteral("ScoreChart"));
        auto *line = qobject_cast<QLineSeries *>(scores->chart()->series().value(0));
        QCOMPARE(line->count(), 1);
        QVERIFY(line->pointsVisible());
        const double x = line->at(0).x();
        const auto *days
            = qobject_cast<QValueAxis *>(scores->chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(days && days->min() < x && x < days->max());
        QCOMPARE(timeaxes::shownText(scores), QString());
        QCOMPARE(timeaxes::shownText(w->findChild<QChartView *>(QStringLiteral("RateChart"))),
            QStringLiteral("年ごとの率は、2年以上にわたる選択で表示します"));

        // Escape closes it, and so does its button.
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        f.trigger(QStringLiteral("AnalysisAction"));
        QVERIFY(w->isVisible());
        QTest::mouseClick(
            w->findChild<QPushButton *>(QStringLiteral("CloseButton")), Qt::LeftButton);
        QVERIFY(!w->isVisible());

        // A golfer without cards: the charts say so rather than drawing empty axes.
        f.choose(QStringLiteral("GolferCombo"), kOther);
        f.trigger(QStringLiteral("AnalysisAction"));
        QCOMPARE(w->windowTitle(), QStringLiteral("分析  [ 佐藤 ]"));
        QCOMPARE(timeaxes::shownText(scores), timeaxes::kNoData);
    }

    void handicapTakesEnterInItsTables()
    {
        QList<TScoreRecord> cards;
        for (int week = 0; week < 25; ++week)
            cards.append(build::card(QDate(2024, 1, 6).addDays(week * 7), kA, 5 + week % 2));
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, "OUT"), build::course(kA, "IN")});
        f.writeScores(kGolfer, cards);
        f.open();
        auto *form = f.find<THandicapForm>(QStringLiteral("HandicapForm"));
        bool ran = false;
        form->setRunner([&](TModalDialog &w) {
            ran = true;
            // The main window's own activation, queued as the dialog opened, comes first.
            QCoreApplication::processEvents();
            activate(&w);
            auto *grid = w.findChild<QTableView *>(QStringLiteral("HdcpGrid"));
            auto *holes = w.findChild<QTableWidget *>(QStringLiteral("HdcpHoleGrid"));
            QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(),
                QStringLiteral("OUTコース"));
            QCOMPARE(grid->model()->headerData(8, Qt::Horizontal).toString(),
                QStringLiteral("コースハンディ"));

            // Enter opens the cell, Enter again confirms it and moves down; the window stays.
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(0, CourseRating));
            press(grid, Qt::Key_Return);
            QVERIFY(grid->indexWidget(grid->currentIndex()));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("72.0"));
            press(grid, Qt::Key_Return);
            QVERIFY(w.isVisible());
            QCOMPARE(grid->currentIndex(), grid->model()->index(1, CourseRating));
            grid->setCurrentIndex(grid->model()->index(0, Slope));
            press(grid, Qt::Key_Return);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("113"));
            press(grid, Qt::Key_Return);
            QVERIFY(w.isVisible());
            QCOMPARE(cell(grid, 0, Slope), QStringLiteral("113"));

            // The next round is offered both, in italics with 前回; Enter twice on either
            // stores both.
            QCOMPARE(cell(grid, 1, CourseRating), QStringLiteral("72.0 前回"));
            QVERIFY(grid->model()->index(1, Slope).data(Qt::FontRole).value<QFont>().italic());
            grid->setCurrentIndex(grid->model()->index(1, Slope));
            press(grid, Qt::Key_Return);
            press(grid, Qt::Key_Return);
            QCOMPARE(cell(grid, 1, CourseRating), QStringLiteral("72.0"));
            QCOMPARE(cell(grid, 1, Slope), QStringLiteral("113"));
            QVERIFY(!grid->model()->index(1, Slope).data(Qt::FontRole).value<QFont>().italic());
            grid->setCurrentIndex(grid->model()->index(2, CourseRating));
            press(grid, Qt::Key_Return);
            press(grid, Qt::Key_Return);
            QCOMPARE(cell(grid, 2, Slope), QStringLiteral("113"));

            // One button stores the offers of the rows chosen.
            grid->selectAll();
            w.findChild<QPushButton *>(QStringLiteral("HdcpUseOffersBtn"))->click();
            QCOMPARE(cell(grid, 24, CourseRating), QStringLiteral("72.0"));
            QCOMPARE(cell(grid, 24, Slope), QStringLiteral("113"));
            QVERIFY(w.findChild<QLabel *>(QStringLiteral("HdcpIndexText"))
                        ->text()
                        .startsWith(QStringLiteral("推定ハンディキャップインデックス")));
            // The next round where he played with these ratings: 72.0 and 113 at par 72.
            const QString indexText = w.findChild<QLabel *>(QStringLiteral("HdcpIndexText"))
                                          ->text()
                                          .section(QChar(' '), 1);
            QCOMPARE(w.findChild<QComboBox *>(QStringLiteral("HdcpNextCombo"))->currentText(),
                QStringLiteral("A倶楽部  OUT / IN  レギュラー"));
            QCOMPARE(w.findChild<QLabel *>(QStringLiteral("HdcpNextText"))->text(),
                QStringLiteral("次のラウンドのコースハンディキャップ %1")
                    .arg(qRound(indexText.toDouble() + 1e-9)));
            // The index axis stands on round numbers.
            auto *chart = w.findChild<QChartView *>(QStringLiteral("HdcpChart"))->chart();
            auto *index = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
            QVERIFY(index);
            QVERIFY(QList<double>({0.5, 1, 2, 5}).contains(index->tickInterval()));
            const double steps = index->min() / index->tickInterval();
            QCOMPARE(steps, std::round(steps));

            // The HDCP row typed with Enter after each number is stored whole, the window open.
            holes->setFocus();
            for (int h = 0; h < 9; ++h) {
                holes->setCurrentCell(1, h);
                press(holes, Qt::Key_Return);
                QTest::keyClicks(QApplication::focusWidget(), QString::number(2 * h + 1));
                press(holes, Qt::Key_Return);
                QVERIFY2(w.isVisible(), qPrintable(QString::number(h)));
            }
            QCOMPARE(w.findChild<QLabel *>(QStringLiteral("HdcpHoleNote"))->text(),
                QStringLiteral("このコースのHDCPでストロークを割り振ります。"));

            // Tab leaves each table for the next control.
            for (QAbstractItemView *view :
                {static_cast<QAbstractItemView *>(grid), static_cast<QAbstractItemView *>(holes)}) {
                view->setFocus();
                QTest::keyClick(view, Qt::Key_Tab);
                QVERIFY(QApplication::focusWidget() != view);
            }
            // Escape outside an edit closes the window.
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
        });
        f.trigger(QStringLiteral("HandicapMenu"));
        QVERIFY(ran);
        QVERIFY(QFile::exists(f.path(QStringLiteral("HoleHdcp.json"))));
        QVERIFY(QFile(f.path(kGolfer + QStringLiteral(".ratings.json"))).size() > 0);
    }

    void pieLegendSpeaks()
    {
        PieLegend legend;
        legend.setEntries(
            {{QStringLiteral("パー 12 回"), Qt::green}, {QStringLiteral("ボギー 5 回"), Qt::blue},
                {QStringLiteral("その他 1 回 (5.6 %)"), Qt::gray}});
        legend.resize(400, 60);
        legend.show();
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&legend);
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 3);
        QStringList texts;
        for (int k = 0; k < list->childCount(); ++k) {
            QCOMPARE(list->child(k)->role(), QAccessible::ListItem);
            QCOMPARE(list->indexOfChild(list->child(k)), k);
            texts.append(list->child(k)->text(QAccessible::Name));
        }
        QCOMPARE(texts, (QStringList {"パー 12 回", "ボギー 5 回", "その他 1 回 (5.6 %)"}));
        const QRect second = list->child(1)->rect();
        QCOMPARE(list->childAt(second.center().x(), second.center().y()), list->child(1));
        // Fewer entries: the list follows.
        legend.setEntries({{QStringLiteral("イーグル 1 回"), Qt::red}});
        QCOMPARE(list->childCount(), 1);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("イーグル 1 回"));
        QVERIFY(!list->child(1));
    }
};

QTEST_MAIN(TestWindowKeys)
#include "tst_windowkeys.moc"
