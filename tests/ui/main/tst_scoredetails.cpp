// The play details on the score page: the rows shown only when asked for, the choice kept
// between runs, a row entered from the keyboard and stored with its card.
#include "core/data/detailstore.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/scorecard/detailrows.h"

#include <QDateEdit>
#include <QFile>
#include <QKeyEvent>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QString kCards = QStringLiteral("スコアカード");
const QDate kDay(2026, 5, 3);

void key(QWidget *cell, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
    const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(cell, &press);
    QApplication::sendEvent(cell, &release);
}

// What the rows of a half show, row by row, cells joined by "|".
QStringList shown(DetailRows *rows)
{
    QStringList lines;
    QStringList fw;
    for (QLineEdit *cell : rows->FwEdit)
        fw.append(cell->text());
    lines.append(fw.join(QChar('|')));
    for (const auto &row : rows->CountEdit) {
        QStringList counts;
        for (QLineEdit *cell : row)
            counts.append(cell->text());
        lines.append(counts.join(QChar('|')));
    }
    return lines;
}
} // namespace

class TestScoreDetails : public QObject
{
    Q_OBJECT

    DetailRows *rows(WindowFixture &f, int n)
    {
        return f.find<DetailRows>(QStringLiteral("DetailRows%1").arg(n));
    }
    TScoreCardFrame *frame(WindowFixture &f, int n)
    {
        return f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n));
    }
    // OUT has a par 3 at its third hole.
    void openWith(WindowFixture &f, const QList<TScoreRecord> &cards = {})
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        TCourseRecord out = build::course(kA, QStringLiteral("OUT"));
        out.Par[2] = 3;
        out.ParTotal = 35;
        f.writeCourses({out, build::course(kA, QStringLiteral("IN"))});
        if (!cards.isEmpty())
            f.writeScores(kGolfer, cards);
        f.open();
        f.clickTab(3);
    }
    void startCard(WindowFixture &f)
    {
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        f.choose(frame(f, 1)->CourseCombo1, QStringLiteral("OUT"));
        f.choose(frame(f, 2)->CourseCombo1, QStringLiteral("IN"));
        f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"))->setDate(kDay);
        for (int h = 0; h < 18; ++h)
            f.type(frame(f, h < 9 ? 1 : 2)->SEdit[h % 9], QStringLiteral("5"));
    }

private Q_SLOTS:
    void shownOnlyWhenAskedAndRemembered()
    {
        WindowFixture f;
        openWith(f);
        QAction *item = f.action(QStringLiteral("PlayDetailsAction"));
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        QVERIFY(rows(f, 1)->isHidden());
        QVERIFY(rows(f, 2)->isHidden());
        // Off, Tab goes from the first half's last putt to the second half, as it always did.
        startCard(f);
        frame(f, 1)->PtEdit[8]->setFocus();
        QTest::keyClick(frame(f, 1)->PtEdit[8], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), frame(f, 2)->CourseCombo1);

        item->trigger();
        QVERIFY(rows(f, 1)->isVisible());
        QVERIFY(rows(f, 2)->isVisible());
        frame(f, 1)->PtEdit[8]->setFocus();
        QTest::keyClick(frame(f, 1)->PtEdit[8], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), rows(f, 1)->FwEdit[0]);

        f.open(); // the next run
        QVERIFY(f.action(QStringLiteral("PlayDetailsAction"))->isChecked());
        f.clickTab(3);
        QVERIFY(rows(f, 1)->isVisible());
        f.trigger(QStringLiteral("PlayDetailsAction"));
        f.open();
        QVERIFY(!f.action(QStringLiteral("PlayDetailsAction"))->isChecked());
    }

    void aRowEnteredByKeysIsStoredWithTheCard()
    {
        WindowFixture f;
        openWith(f);
        f.trigger(QStringLiteral("PlayDetailsAction"));
        startCard(f);
        DetailRows *out = rows(f, 1);
        // The par 3's FW cell takes nothing, and Tab passes it by.
        QVERIFY(!out->FwEdit[2]->isEnabled());
        out->FwEdit[0]->setFocus();
        key(out->FwEdit[0], Qt::Key_Up);
        QTest::keyClick(out->FwEdit[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), out->FwEdit[1]);
        key(out->FwEdit[1], Qt::Key_Left);
        QTest::keyClick(out->FwEdit[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), out->FwEdit[3]);
        // The keypad's 1, 2 and 3: left, right, fairway; Space and Delete clear.
        key(out->FwEdit[3], Qt::Key_1, Qt::KeypadModifier, QStringLiteral("1"));
        QCOMPARE(out->FwEdit[3]->text(), QStringLiteral("←"));
        key(out->FwEdit[3], Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCOMPARE(out->FwEdit[3]->text(), QString());
        key(out->FwEdit[4], Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
        key(out->FwEdit[5], Qt::Key_3, Qt::KeypadModifier, QStringLiteral("3"));
        key(out->FwEdit[6], Qt::Key_Right);
        key(out->FwEdit[6], Qt::Key_Delete);
        // Counts take a digit, full-width too; a letter changes nothing.
        QLineEdit *ob = out->CountEdit[Ob][0];
        key(ob, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
        key(ob, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        key(out->CountEdit[GreenBunker][1], Qt::Key_unknown, Qt::NoModifier, QStringLiteral("１"));
        key(rows(f, 2)->CountEdit[Penalty][8], Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QCOMPARE(shown(out),
            (QStringList {"○|←|||→|○|||", "2||||||||", "||||||||", "||||||||", "|1|||||||"}));

        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        QVERIFY(QFile::exists(f.path(kGolfer + ".details.json")));
        DetailStore stored(f.dir.path());
        stored.loadGolfer(kGolfer, kDay);
        const CardDetails d = stored.details(datetime::fromDate(kDay));
        QCOMPARE(d.holes[0].fairway, Fairway::Hit);
        QCOMPARE(d.holes[4].fairway, Fairway::Right);
        QCOMPARE(d.holes[0].count(Ob), std::optional<int>(2));
        QCOMPARE(d.holes[1].count(GreenBunker), std::optional<int>(1));
        QCOMPARE(d.holes[17].count(Penalty), std::optional<int>(1));
        QCOMPARE(d.holes[6].fairway, Fairway::None);
        // Registered: the page is emptied, then the card shows its details again.
        QCOMPARE(shown(out).value(0), QStringLiteral("||||||||"));
        f.clickNode({kCards, QStringLiteral("2026年"), QStringLiteral("2026/05/03")});
        QCOMPARE(shown(out).value(0), QStringLiteral("○|←|||→|○|||"));
        QCOMPARE(shown(rows(f, 2)).value(2), QStringLiteral("||||||||1"));
    }

    void detailsHiddenKeepWhatTheCardHas()
    {
        WindowFixture f;
        TScoreRecord bare = build::card(QDate(2026, 4, 1), kA);
        TScoreRecord detailed = build::card(kDay, kA);
        f.writeGolfers({kGolfer});
        CardDetails d;
        d.holes[9].fairway = Fairway::Left;
        {
            DetailStore store(f.dir.path());
            store.loadGolfer(kGolfer, kDay);
            QVERIFY(store.setDetails(detailed.RoundDate, d).isEmpty());
        }
        openWith(f, {bare, detailed});
        // Changed while the rows are hidden: the card keeps its details.
        f.clickNode({kCards, QStringLiteral("2026年"), QStringLiteral("2026/05/03")});
        QLineEdit *first = frame(f, 1)->SEdit[0];
        first->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(first, QStringLiteral("4"));
        QTest::keyClick(first, Qt::Key_Tab);
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.readScores(kGolfer).value(1).Score[0], 4);
        DetailStore stored(f.dir.path());
        stored.loadGolfer(kGolfer, kDay);
        QCOMPARE(stored.details(detailed.RoundDate), d);
        // Shown: a card without details has blank rows.
        f.trigger(QStringLiteral("PlayDetailsAction"));
        QCOMPARE(shown(rows(f, 2)).value(0), QStringLiteral("←||||||||"));
        f.clickNode({kCards, QStringLiteral("2026年"), QStringLiteral("2026/04/01")});
        QCOMPARE(shown(rows(f, 2)).value(0), QStringLiteral("||||||||"));
    }
};

QTEST_MAIN(TestScoreDetails)
#include "tst_scoredetails.moc"
