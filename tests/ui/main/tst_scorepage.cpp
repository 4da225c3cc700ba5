// The score page through the window: adding and registering cards, the handicap and net
// score, showing stored cards over and under par, changing, moving and deleting them.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFile>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kCards = QStringLiteral("スコアカード");

// 44 strokes on the first half and 46 on the second, all on par 4, handicap 12: hole 9 is
// played in par, hole 18 is a birdie; no putts entered on the first half.
TScoreRecord storedCard(float handicap = 12)
{
    TScoreRecord r = build::card(QDate(2001, 5, 3), kA);
    r.Weather = QStringLiteral("雨");
    r.Score = {5, 5, 5, 5, 5, 5, 5, 5, 4, 6, 6, 6, 6, 5, 5, 5, 4, 3};
    r.ScoreTotal = {44, 46};
    r.ScoreSum = 90;
    for (int i = 0; i < 9; ++i)
        r.Putt[i].clear();
    r.PuttTotal = {QString(), QStringLiteral("18")};
    r.PuttSum = 18;
    r.Handicap = handicap;
    r.NetScore = 90 - handicap;
    r.Partner = {QStringLiteral("佐藤"), QStringLiteral("鈴木"), QString()};
    r.PartnerScore = {0, 85, 0};
    applyHoleResults(r);
    return r;
}

// Japanese text arrives through the input method, as one committed string.
void commit(QWidget *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
}
} // namespace

class TestScorePage : public QObject
{
    Q_OBJECT

    TScoreCardFrame *frame(WindowFixture &f, int n)
    {
        return f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n));
    }
    QLineEdit *stroke(WindowFixture &f, int hole)
    {
        return frame(f, hole <= 9 ? 1 : 2)->SEdit[(hole - 1) % 9];
    }
    QLineEdit *putt(WindowFixture &f, int hole)
    {
        return frame(f, hole <= 9 ? 1 : 2)->PtEdit[(hole - 1) % 9];
    }
    QString text(WindowFixture &f, const char *label)
    {
        return f.label(QString::fromLatin1(label))->text();
    }
    // What the page shows in several boxes and static texts at once, by their names.
    QStringList texts(WindowFixture &f, const QStringList &names)
    {
        QStringList list;
        for (const QString &name : names) {
            QWidget *w = f.find<QWidget>(name);
            auto *edit = qobject_cast<QLineEdit *>(w);
            list.append(edit ? edit->text() : qobject_cast<QLabel *>(w)->text());
        }
        return list;
    }
    QDateEdit *datePicker(WindowFixture &f)
    {
        return f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"));
    }

    void openWith(WindowFixture &f, const QList<TScoreRecord> &cards = {})
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        TCourseRecord in = build::course(kA, QStringLiteral("IN"), 300);
        f.writeCourses({build::course(kA, QStringLiteral("OUT")),
            build::course(kB, QStringLiteral("EAST")), in});
        if (!cards.isEmpty())
            f.writeScores(kGolfer, cards);
        f.open();
    }

    // Replaces the text of a box as the user does: select all, type, leave.
    void retype(QLineEdit *edit, const QString &text, bool leave = true)
    {
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        if (leave)
            QTest::keyClick(edit, Qt::Key_Tab);
    }

    void startCard(WindowFixture &f, const QDate &date)
    {
        if (f.currentPage() != 3)
            f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        f.choose(frame(f, 1)->CourseCombo1, QStringLiteral("OUT"));
        f.choose(frame(f, 2)->CourseCombo1, QStringLiteral("IN"));
        datePicker(f)->setDate(date);
    }

    void typeStrokes(WindowFixture &f, const QStringList &strokes)
    {
        for (int hole = 1; hole <= 18; ++hole)
            f.type(stroke(f, hole), strokes.value(hole - 1, QStringLiteral("5")));
    }

private Q_SLOTS:
    void registerCardAndReadTheFileBack()
    {
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        QVERIFY(f.label(QStringLiteral("SLinksText"))->isHidden());
        QVERIFY(frame(f, 2)->CourseText->isHidden());
        QCOMPARE(datePicker(f)->date(), QDate(2026, 12, 7));
        QCOMPARE(f.edit(QStringLiteral("SHandicapEdit"))->text(), QStringLiteral(" 0"));
        f.choose(QStringLiteral("SLinksCombo"), kB);
        QCOMPARE(frame(f, 1)->CourseCombo1->count(), 1);
        f.choose(QStringLiteral("SLinksCombo"), kA);
        for (int n : {1, 2}) {
            QCOMPARE(frame(f, n)->CourseCombo1->itemText(0), QStringLiteral("OUT"));
            QCOMPARE(frame(f, n)->CourseCombo1->itemText(1), QStringLiteral("IN"));
        }
        f.choose(frame(f, 1)->CourseCombo1, QStringLiteral("OUT"));
        QCOMPARE(frame(f, 1)->SYardTotal->text(), QStringLiteral("3150"));
        QCOMPARE(texts(f, {"SYardText", "SParText"}), (QStringList {" 3150", " 36"}));
        f.choose(frame(f, 2)->CourseCombo1, QStringLiteral("IN"));
        QCOMPARE(texts(f, {"SYardText", "SParText"}), (QStringList {" 5850", " 72"}));
        datePicker(f)->setDate(QDate(2001, 5, 3));
        f.choose(QStringLiteral("WeatherCombo"), QStringLiteral("くもり"));

        // A handicap typed before any stroke is not checked yet, and leaves no net score.
        retype(f.edit(QStringLiteral("SHandicapEdit")), QStringLiteral("x"));
        const QStringList putts
            = {"3", "2", "", "2", "", "", "", "", "", "2", "", "", "", "", "", "", "", "1"};
        for (int hole = 1; hole <= 18; ++hole)
            f.type(putt(f, hole), putts[hole - 1]);
        typeStrokes(f,
            {"5", "+4", "3", "6", "5", "4", "9", "5", "4", "4", "4", "4", "4", "4", "4", "4", "4",
                "2"});
        QCOMPARE(
            texts(f, {"SScoreText", "SPuttText", "SNetText"}), (QStringList {" 79", " 10", ""}));
        commit(f.edit(QStringLiteral("Partner1Edit")), QStringLiteral("佐藤"));
        f.type(f.edit(QStringLiteral("Partner1ScoreEdit")), QStringLiteral("85.7"));
        commit(f.edit(QStringLiteral("Partner2Edit")), QStringLiteral("鈴木"));
        commit(f.find<QPlainTextEdit>(QStringLiteral("Memo1")), QStringLiteral("雨上がり"));

        // Refused before anything is built; the typed card stays.
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {QStringLiteral("xは数値ではありません")});
        QVERIFY(f.enabled(QStringLiteral("DataRegistAction")));
        QCOMPARE(stroke(f, 18)->text(), QStringLiteral(" 2"));
        QVERIFY(!QFile::exists(f.path(kGolfer + QStringLiteral(".sce"))));

        retype(f.edit(QStringLiteral("SHandicapEdit")), QStringLiteral("12.5"));
        QCOMPARE(text(f, "SNetText"), QStringLiteral(" 66.5"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.status(), QStringLiteral("登録スコアカード数 1カード"));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QVERIFY(stroke(f, 1)->isReadOnly());
        QCOMPARE(text(f, "SScoreText"), QString());
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2001年")}),
            QStringList {QStringLiteral("2001/05/03")});
        QCOMPARE(f.form->yearList(), (QStringList {"全て", "2001年"}));

        QCOMPARE(QFile(f.path(kGolfer + QStringLiteral(".sce"))).size(), 704);
        const TScoreRecord r = f.readScores(kGolfer).value(0);
        QCOMPARE(datetime::dateText(r.RoundDate), QStringLiteral("2001/05/03"));
        QCOMPARE((QStringList {r.LinksName, r.Weather, r.CourseName[0], r.CourseName[1], r.Tee[1],
                     r.Partner[1], r.Memo}),
            (QStringList {kA, "くもり", "OUT", "IN", "レギュラー", "鈴木", "雨上がり"}));
        QCOMPARE((std::array {r.Yard[9], r.YardTotal[1], r.YardSum, r.ParTotal[0], r.ParSum}),
            (std::array {300, 2700, 5850, 36, 72}));
        QCOMPARE((std::array {r.Score[1], r.Score[17], r.ScoreTotal[0], r.ScoreTotal[1], r.ScoreSum,
                     r.PuttSum}),
            (std::array {4, 2, 45, 34, 79, 10}));
        QCOMPARE((QStringList {r.Putt[0], r.Putt[2], r.Putt[17], r.PuttTotal[0], r.PuttTotal[1]}),
            (QStringList {"3", "", "1", "7", "3"}));
        QCOMPARE(r.Handicap, 12.5f);
        QCOMPARE(r.NetScore, 66.5f);
        QCOMPARE(r.PartnerScore, (std::array<qint32, 3> {85, 0, 0}));
        QCOMPARE(r.HoleResultCounts, (std::array<qint32, 7> {1, 1, 11, 3, 1, 0, 1}));
        QCOMPARE(r.ParOnCount, 4); // holes 1, 2, 10 and 18; not hole 4 (6 strokes, 2 putts)
    }

    void handicapAndNetScore_data()
    {
        QTest::addColumn<bool>("strokes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("handicap");
        QTest::addColumn<QString>("net");
        QTest::addColumn<QString>("message");
        QTest::addRow("whole") << true << "12"
                               << " 12"
                               << " 78"
                               << "";
        QTest::addRow("half") << true << "12.5"
                              << " 12.5"
                              << " 77.5"
                              << "";
        QTest::addRow("rounded") << true << "12.04"
                                 << " 12"
                                 << " 78"
                                 << "";
        QTest::addRow("negative") << true << "-2"
                                  << " -2"
                                  << " 92"
                                  << "";
        QTest::addRow("not a number") << true << "abc"
                                      << " 0"
                                      << " 90"
                                      << "abcは数値ではありません";
        QTest::addRow("beyond single precision") << true << "3.5e38"
                                                 << " 0"
                                                 << " 90"
                                                 << "3.5e38は数値ではありません";
        QTest::addRow("no strokes yet") << false << "abc"
                                        << "abc"
                                        << ""
                                        << "";
    }

    void handicapAndNetScore()
    {
        QFETCH(bool, strokes);
        QFETCH(QString, typed);
        QFETCH(QString, handicap);
        QFETCH(QString, net);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        if (strokes)
            typeStrokes(f, {});
        QLineEdit *box = f.edit(QStringLiteral("SHandicapEdit"));
        retype(box, typed);
        QCOMPARE(box->text(), handicap);
        QCOMPARE(text(f, "SNetText"), net);
        QCOMPARE(f.seams.dialogs.last().text, message);
        QCOMPARE(box->hasFocus(), !message.isEmpty());
    }

    void registeringKeepsDateOrderAcrossYears()
    {
        WindowFixture f;
        openWith(f, {build::card(QDate(2003, 4, 10), kA)});
        for (const QDate &d : {QDate(2005, 6, 1), QDate(2001, 9, 9), QDate(2003, 1, 15),
                 QDate(2005, 2, 20), QDate(1999, 12, 31)}) {
            startCard(f, d);
            typeStrokes(f, {});
            f.trigger(QStringLiteral("DataRegistAction"));
        }
        QVERIFY(f.seams.dialogs.shown.isEmpty());
        const QStringList expected
            = {"1999/12/31", "2001/09/09", "2003/01/15", "2003/04/10", "2005/02/20", "2005/06/01"};
        QCOMPARE(dates(f.form->scoreList()), expected);
        QCOMPARE(dates(f.readScores(kGolfer)), expected);
        QCOMPARE(f.childTexts({kCards}), (QStringList {"1999年", "2001年", "2003年", "2005年"}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2003年")}),
            (QStringList {"2003/01/15", "2003/04/10"}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2005年")}),
            (QStringList {"2005/02/20", "2005/06/01"}));
        QCOMPARE(
            f.form->yearList(), (QStringList {"全て", "1999年", "2001年", "2003年", "2005年"}));

        // A second card of a day is refused and the typed card stays for correction.
        startCard(f, QDate(2003, 4, 10));
        typeStrokes(f, {});
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("既に、その日のスコアは登録済みです")});
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY(f.enabled(QStringLiteral("DataRegistAction")));
        QCOMPARE(stroke(f, 7)->text(), QStringLiteral(" 5"));
        QCOMPARE(f.readScores(kGolfer).size(), 6);
    }

    void storedCardOverAndUnderPar()
    {
        WindowFixture f;
        openWith(f, {storedCard()});
        f.clickNode({kCards, QStringLiteral("2001年"), QStringLiteral("2001/05/03")});
        QCOMPARE(f.currentPage(), 3);
        QVERIFY(!f.label(QStringLiteral("SLinksText"))->isHidden());
        QCOMPARE(f.combo(QStringLiteral("WeatherCombo"))->currentText(), QStringLiteral("雨"));
        QCOMPARE(
            texts(f, {"SLinksText", "SHandicapEdit", "Partner1ScoreEdit", "Partner2ScoreEdit"}),
            (QStringList {kA, " 12", "", " 85"}));
        QCOMPARE((QStringList {frame(f, 2)->CourseText->text(), frame(f, 1)->SYardTotal->text(),
                     putt(f, 1)->text(), frame(f, 1)->PTText->text(), putt(f, 10)->text()}),
            (QStringList {"IN", "3150", " ", " ", " 2"}));

        const QStringList plain = {" 44", " 46", " 90", " 78", " 5", " 4", " 3"};
        const QStringList overUnder = {" +8", " +10", " +18", " +6", " +1", " 0", " -1"};
        auto shown = [&] {
            return QStringList {frame(f, 1)->STText->text(), frame(f, 2)->STText->text(),
                text(f, "SScoreText"), text(f, "SNetText"), stroke(f, 1)->text(),
                stroke(f, 9)->text(), stroke(f, 18)->text()};
        };
        QCOMPARE(shown(), plain);
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
        f.trigger(QStringLiteral("ScoreDispAction"));
        QCOMPARE(shown(), overUnder);
        QCOMPARE(f.form->scoreDispMode(), QStringLiteral("Normal"));
        QCOMPARE(
            f.find<QToolButton>(QStringLiteral("ScoreBtn"))->text(), QStringLiteral("通常ｽｺｱ"));
        QCOMPARE(
            f.action(QStringLiteral("ScoreDisp"))->text(), QStringLiteral("通常スコアで表示(&S)"));
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
        QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
        QCOMPARE(f.status(), QStringLiteral("登録スコアカード数 1カード"));
        f.trigger(QStringLiteral("ScoreDisp"));
        QCOMPARE(shown(), plain);
        QCOMPARE(f.form->scoreDispMode(), QStringLiteral("Par+-"));
        QCOMPARE(
            f.find<QToolButton>(QStringLiteral("ScoreBtn"))->text(), QStringLiteral("±スコア"));
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));

        // Leaving a putt cell that shows no putts empties it and totals the putts anew.
        f.type(putt(f, 1), QString());
        QCOMPARE(putt(f, 1)->text(), QString());
        QCOMPARE(text(f, "SPuttText"), QStringLiteral(" 18"));
        // The weather of a shown card cannot be typed over.
        commit(f.combo(QStringLiteral("WeatherCombo"))->lineEdit(), QStringLiteral("晴"));
        QCoreApplication::processEvents();
        QCOMPARE(f.combo(QStringLiteral("WeatherCombo"))->currentText(), QString());
        QVERIFY(f.seams.dialogs.shown.isEmpty());
    }

    void overUnderParWithGapsAndDecimals()
    {
        WindowFixture f;
        openWith(f, {storedCard(12.5f)});
        f.clickNode({kCards, QStringLiteral("2001年"), QStringLiteral("2001/05/03")});
        // An emptied cell has no strokes to convert and stays empty both ways; the net
        // score keeps its decimal.
        retype(stroke(f, 2), QString());
        QVERIFY(f.seams.dialogs.shown.isEmpty()); // an empty cell only matters while adding
        f.trigger(QStringLiteral("ScoreDispAction"));
        QCOMPARE((QStringList {stroke(f, 2)->text(), stroke(f, 3)->text(), text(f, "SNetText")}),
            (QStringList {"", " +1", " +5.5"}));

        // Retyped over par so that the half adds up to par: its total is emptied by the sum,
        // and counts as par on the way back.
        retype(stroke(f, 1), QStringLiteral("-6"));
        retype(stroke(f, 2), QStringLiteral("0"));
        QCOMPARE((QStringList {frame(f, 1)->STText->text(), text(f, "SNetText")}),
            (QStringList {"", " -2.5"}));
        f.trigger(QStringLiteral("ScoreDispAction"));
        QCOMPARE((QStringList {stroke(f, 1)->text(), stroke(f, 2)->text(),
                     frame(f, 1)->STText->text(), text(f, "SScoreText"), text(f, "SNetText")}),
            (QStringList {" -2", " 4", " 36", " 82", " 69.5"}));
        QCOMPARE(f.form->scoreDispMode(), QStringLiteral("Par+-"));
    }

    void changeStrokesThenDateThenDelete()
    {
        WindowFixture f;
        openWith(f,
            {build::card(QDate(2001, 1, 10), kA), build::card(QDate(2001, 5, 3), kA),
                build::card(QDate(2002, 3, 3), kB)});
        f.clickNode({kCards, QStringLiteral("2001年"), QStringLiteral("2001/05/03")});
        retype(stroke(f, 1), QStringLiteral("7"));
        retype(putt(f, 10), QStringLiteral("3"));
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("このスコアのデータを変更しますか？")});
        TScoreRecord r = f.readScores(kGolfer).value(1);
        QCOMPARE((std::array {r.Score[0], r.ScoreTotal[0], r.ScoreSum}), (std::array {7, 47, 92}));
        QCOMPARE(r.NetScore, 80.f);
        QCOMPARE(r.HoleResultCounts, (std::array<qint32, 7> {0, 0, 0, 17, 0, 1, 0}));
        QCOMPARE(r.ParOnCount, 1);

        // A new day moves the card to its place in the list and under its (new) year.
        datePicker(f)->setDate(QDate(2003, 2, 2));
        f.trigger(QStringLiteral("DataChangeAction"));
        const QStringList moved = {"2001/01/10", "2002/03/03", "2003/02/02"};
        QCOMPARE(dates(f.form->scoreList()), moved);
        QCOMPARE(dates(f.readScores(kGolfer)), moved);
        QCOMPARE(f.readScores(kGolfer).value(2).Score[0], 7);
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2001年")}),
            QStringList {QStringLiteral("2001/01/10")});
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2003年")}),
            QStringList {QStringLiteral("2003/02/02")});
        QCOMPARE(f.form->yearList(), (QStringList {"全て", "2001年", "2002年", "2003年"}));

        // Delete removes the moved card and its node; the emptied year stays.
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("このスコアのデータを削除しますか？"));
        QCOMPARE(dates(f.readScores(kGolfer)), (QStringList {"2001/01/10", "2002/03/03"}));
        QVERIFY(f.node({kCards, QStringLiteral("2003年")}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2003年")}), QStringList {});
        QCOMPARE(f.form->yearList().size(), 4);
        QCOMPARE(f.status(), QStringLiteral("登録スコアカード数 2カード"));
        for (const char *name : {"DataRegistAction", "DataCancelAction", "DataDeleteAction",
                 "DataChangeAction", "ScoreDispAction"})
            QVERIFY2(!f.enabled(QString::fromLatin1(name)), name);
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
    }

    void yearsOpenedLateHoldEachCardOnce()
    {
        // A year's date nodes are made when it is first opened: a card registered into it or
        // moved into it before that shows once, and opening it by the keyboard shows them all.
        WindowFixture f;
        openWith(f,
            {build::card(QDate(2001, 5, 3), kA), build::card(QDate(2003, 4, 10), kA),
                build::card(QDate(2005, 6, 1), kA), build::card(QDate(2007, 3, 3), kA),
                build::card(QDate(2007, 9, 9), kB)});
        startCard(f, QDate(2005, 1, 2));
        typeStrokes(f, {});
        f.trigger(QStringLiteral("DataRegistAction"));
        f.clickNode({kCards, QStringLiteral("2001年"), QStringLiteral("2001/05/03")});
        datePicker(f)->setDate(QDate(2003, 8, 1));
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(dates(f.readScores(kGolfer)),
            (QStringList {"2003/04/10", "2003/08/01", "2005/01/02", "2005/06/01", "2007/03/03",
                "2007/09/09"}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2001年")}), QStringList {});
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2003年")}),
            (QStringList {"2003/04/10", "2003/08/01"}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2005年")}),
            (QStringList {"2005/01/02", "2005/06/01"}));

        QTreeWidgetItem *year = f.node({kCards, QStringLiteral("2007年")});
        f.tree()->setFocus();
        f.tree()->setCurrentItem(year);
        QTest::keyClick(f.tree(), Qt::Key_Right);
        QVERIFY(year->isExpanded());
        QCOMPARE(year->childCount(), 2);
        QCOMPARE(year->child(1)->text(0), QStringLiteral("2007/09/09"));
    }

    void changeRefusedLeavesTheCard_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("message");
        QTest::addRow("emptied stroke") << 0 << "スコアが全て入力されていないため登録できません";
        QTest::addRow("taken day") << 1 << "既に、その日のスコアは登録済みです";
        QTest::addRow("handicap") << 2 << "abcは数値ではありません";
    }

    void changeRefusedLeavesTheCard()
    {
        QFETCH(int, edit);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f, {build::card(QDate(2001, 5, 3), kA), build::card(QDate(2002, 3, 3), kA)});
        QFile file(f.path(kGolfer + QStringLiteral(".sce")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        f.clickNode({kCards, QStringLiteral("2001年"), QStringLiteral("2001/05/03")});
        retype(stroke(f, 2), QStringLiteral("6"));
        if (edit == 0)
            retype(stroke(f, 3), QString());
        else if (edit == 1)
            datePicker(f)->setDate(QDate(2002, 3, 3));
        else
            retype(f.edit(QStringLiteral("SHandicapEdit")), QStringLiteral("abc"), false);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().text, message);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(f.form->scoreList().value(0).Score[1], 5);
        QCOMPARE(stroke(f, 2)->text(), QStringLiteral(" 6"));
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
    }

    void resultsGridOpensTheCardOfADate()
    {
        WindowFixture f;
        openWith(f, {build::card(QDate(2001, 5, 3), kA), build::card(QDate(2002, 3, 3), kB)});
        f.clickTab(4);
        auto *grid = f.find<TStringGrid>(QStringLiteral("SeisekiGrid"));
        grid->SetColCount(2);
        grid->SetRowCount(3);
        grid->SetColWidth(0, 100);
        grid->SetRow(1, {QStringLiteral("2001/05/03"), kA});
        grid->SetRow(2, {QStringLiteral("2002/03/03"), kB});
        auto doubleClick = [grid](int row, int col) {
            const QRect rect = grid->visualItemRect(grid->item(row - 1, col));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
        };
        doubleClick(2, 1);
        QCOMPARE(f.currentPage(), 4);
        doubleClick(2, 0);
        QCOMPARE(f.currentPage(), 3);
        QCOMPARE(text(f, "SLinksText"), kB);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(dates(f.readScores(kGolfer)), QStringList {QStringLiteral("2001/05/03")});
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2002年")}), QStringList {});
    }

    void datePickerHintsOncePerAct_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addRow("press on the arrow") << QStringLiteral("arrow");
        QTest::addRow("press on the text") << QStringLiteral("text");
        QTest::addRow("calendar closes") << QStringLiteral("close");
    }

    void datePickerHintsOncePerAct()
    {
        QFETCH(QString, act);
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        f.seams.dialogs.clear();
        QDateEdit *picker = datePicker(f);
        if (act == QLatin1String("arrow")) {
            QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier,
                QPoint(picker->width() - 6, picker->height() / 2));
        } else if (act == QLatin1String("text")) {
            auto *text = picker->findChild<QLineEdit *>();
            QTest::mouseClick(text, Qt::LeftButton, Qt::NoModifier, QPoint(10, text->height() / 2));
        } else {
            QWidget *popup = picker->calendarWidget()->window();
            popup->show();
            f.seams.dialogs.clear();
            popup->hide();
        }
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("追加をクリックしてください")});
    }

    void completenessAndCancel()
    {
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        // The empty page takes no input.
        QTest::mouseClick(datePicker(f), Qt::LeftButton);
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("追加をクリックしてください"));
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("DataAppendAction"));
        f.trigger(QStringLiteral("DataRegistAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        f.choose(frame(f, 1)->CourseCombo1, QStringLiteral("OUT"));
        f.trigger(QStringLiteral("DataRegistAction"));
        f.choose(frame(f, 2)->CourseCombo1, QStringLiteral("IN"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            (QStringList {"ゴルフ場が選択されていません", "コースが選択されていません",
                "スコアが全て入力されていないため登録できません"}));

        f.type(stroke(f, 1), QStringLiteral("5"), false);
        f.type(f.edit(QStringLiteral("Partner1ScoreEdit")), QString(), false);
        f.trigger(QStringLiteral("DataCancelAction"));
        // Cleared without complaint about the box that had the focus.
        QCOMPARE(f.seams.dialogs.shown.size(), 3);
        QCOMPARE(texts(f, {"Partner1ScoreEdit", "SScoreText", "SHandicapEdit"}),
            (QStringList {"", "", " 0"}));
        QCOMPARE((QStringList {stroke(f, 1)->text(), frame(f, 1)->SYardTotal->text(),
                     frame(f, 2)->GreenText->text()}),
            (QStringList {"", "", ""}));
        QVERIFY(stroke(f, 1)->isReadOnly());
        // The static texts lie over the club and course choosers again.
        QVERIFY(f.combo(QStringLiteral("SLinksCombo"))->isHidden());
        QVERIFY(frame(f, 2)->CourseCombo1->isHidden());
        QCOMPARE(frame(f, 2)->CourseCombo1->currentIndex(), -1);
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataCancelAction")));
        f.choose(QStringLiteral("WeatherCombo"), QStringLiteral("晴れ"));
        QCOMPARE(f.combo(QStringLiteral("WeatherCombo"))->currentText(), QString());
    }
};

QTEST_MAIN(TestScorePage)
#include "tst_scorepage.moc"
