// The course page through the window: the hole boxes and their totals, registering,
// changing (and carrying the change into score cards) and deleting courses.
#include "support/builders.h"
#include "support/windowtest.h"

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kLinks = QStringLiteral("ゴルフ場");
} // namespace

class TestCoursePage : public QObject
{
    Q_OBJECT

    QLineEdit *yard(WindowFixture &f, int h) { return f.edit(QStringLiteral("Yard%1Edit").arg(h)); }
    QLineEdit *par(WindowFixture &f, int h) { return f.edit(QStringLiteral("Par%1Edit").arg(h)); }

    void openWith(WindowFixture &f, const QList<TCourseRecord> &courses,
        const QList<TScoreRecord> &cards = {})
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses(courses);
        if (!cards.isEmpty())
            f.writeScores(kGolfer, cards);
        f.open();
    }

    void fillCourse(WindowFixture &f, const QString &club, const QString &name)
    {
        f.clickTab(2);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("CLinksCombo"), club);
        f.type(QStringLiteral("CourseEdit"), name);
        f.combo(QStringLiteral("GreenCombo"))->setEditText(QStringLiteral("高麗"));
        f.combo(QStringLiteral("TeeCombo"))->setEditText(QStringLiteral("バック"));
        for (int h = 1; h <= 9; ++h)
            f.type(yard(f, h), QString::number(300 + h * 10));
        for (int h = 1; h <= 9; ++h)
            f.type(par(f, h),
                h == 3       ? QStringLiteral("3")
                    : h == 9 ? QStringLiteral("5")
                             : QStringLiteral("4"));
    }

private Q_SLOTS:
    void clubsOpenedLateHoldEachCourseOnce()
    {
        // A club's course nodes are made when it is first opened: a course registered before
        // that shows once, and opening the club by the keyboard shows them all.
        WindowFixture f;
        openWith(f,
            {build::course(kA, QStringLiteral("OUT")), build::course(kB, QStringLiteral("EAST")),
                build::course(kA, QStringLiteral("IN"))});
        fillCourse(f, kA, QStringLiteral("NEW"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.childTexts({kLinks, kA}), (QStringList {"OUT", "IN", "NEW"}));

        QTreeWidgetItem *club = f.node({kLinks, kB});
        f.tree()->setFocus();
        f.tree()->setCurrentItem(club);
        QTest::keyClick(f.tree(), Qt::Key_Right);
        QVERIFY(club->isExpanded());
        QCOMPARE(club->childCount(), 1);
        QCOMPARE(club->child(0)->text(0), QStringLiteral("EAST"));
    }

    void holeBoxesKeepTheirTotals()
    {
        WindowFixture f;
        openWith(f, {});
        f.clickTab(2);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.type(yard(f, 1), QStringLiteral("350"));
        QCOMPARE(yard(f, 1)->text(), QStringLiteral(" 350"));
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 350"));
        f.type(yard(f, 2), QStringLiteral("-20"));
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 330"));

        // Leaving an emptied box changes nothing.
        yard(f, 2)->clear();
        f.type(yard(f, 2), QString());
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 330"));

        f.type(par(f, 1), QStringLiteral("12"));
        QCOMPARE(f.label(QStringLiteral("ParTotalText"))->text(), QStringLiteral(" 12"));
        f.type(par(f, 3), QStringLiteral("12a"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("Kestro"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("12aは数字ではありません"));
        QVERIFY(par(f, 3)->hasFocus());
        QCOMPARE(par(f, 3)->text(), QStringLiteral("12a"));
        QCOMPARE(f.label(QStringLiteral("ParTotalText"))->text(), QStringLiteral(" 12"));

        par(f, 3)->clear();
        f.type(yard(f, 4), QStringLiteral("abc"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("abc は数字ではありません"));
    }

    void twoRefusingBoxesDoNotTradeTheFocus()
    {
        WindowFixture f;
        openWith(f, {});
        f.clickTab(2);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.type(yard(f, 2), QStringLiteral("350"));
        f.type(yard(f, 1), QStringLiteral("abc"), false);
        QTest::mouseClick(yard(f, 2), Qt::LeftButton);
        QCOMPARE(f.seams.dialogs.texts(), QStringList {QStringLiteral("abc は数字ではありません")});
        QVERIFY(yard(f, 1)->hasFocus());
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 350"));

        // Once mended, the total takes it in.
        yard(f, 1)->setText(QStringLiteral("400"));
        f.type(yard(f, 1), QString());
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 750"));
    }

    void registerCourse()
    {
        WindowFixture f;
        openWith(f, {build::course(kA, QStringLiteral("OUT"))});
        fillCourse(f, kB, QStringLiteral("OUT"));
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 3150"));
        QCOMPARE(f.label(QStringLiteral("ParTotalText"))->text(), QStringLiteral(" 36"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);

        const auto stored = f.readCourses();
        QCOMPARE(stored.size(), 2);
        const TCourseRecord &c = stored[1];
        QCOMPARE(c.LinksName, kB);
        QCOMPARE(c.CourseName, QStringLiteral("OUT"));
        QCOMPARE(c.Green, QStringLiteral("高麗"));
        QCOMPARE(c.Tee, QStringLiteral("バック"));
        QCOMPARE(c.Yard[0], 310);
        QCOMPARE(c.Yard[8], 390);
        QCOMPARE(c.YardTotal, 3150);
        QCOMPARE(c.Par[2], 3);
        QCOMPARE(c.ParTotal, 36);
        QCOMPARE(f.childTexts({kLinks, kB}), QStringList {QStringLiteral("OUT")});
        QCOMPARE(f.status(), QStringLiteral("登録コース数 2コース"));
        QVERIFY(yard(f, 1)->isReadOnly());
        QCOMPARE(yard(f, 1)->text(), QString());
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));

        // The same name within the same club is refused.
        fillCourse(f, kB, QStringLiteral("OUT"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("既に、そのコースは登録済みです"));
        QCOMPARE(f.readCourses().size(), 2);
    }

    void completenessReportsFirstFailureOnly()
    {
        WindowFixture f;
        openWith(f, {});
        f.clickTab(2);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("ゴルフ場が選択されていません")});

        f.choose(QStringLiteral("CLinksCombo"), kA);
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("コース名を入力してください")});

        f.type(QStringLiteral("CourseEdit"), QStringLiteral("IN"));
        f.type(yard(f, 1), QStringLiteral("400"));
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("ホールのデータがすべて入力されていません")});
        QVERIFY(f.readCourses().isEmpty());

        // A failed check does not stick: complete input then goes through.
        for (int h = 2; h <= 9; ++h)
            f.type(yard(f, h), QStringLiteral("400"));
        for (int h = 1; h <= 9; ++h)
            f.type(par(f, h), QStringLiteral("4"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.readCourses().size(), 1);
        QCOMPARE(f.readCourses()[0].YardTotal, 3600);
    }

    void cancelEmptiesTheHoleBoxes()
    {
        WindowFixture f;
        openWith(f, {});
        fillCourse(f, kA, QStringLiteral("OUT"));
        f.trigger(QStringLiteral("DataCancelAction"));
        for (int h = 1; h <= 9; ++h) {
            QCOMPARE(yard(f, h)->text(), QString());
            QVERIFY(yard(f, h)->isReadOnly());
            QVERIFY(par(f, h)->isReadOnly());
        }
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QString());
        QCOMPARE(f.label(QStringLiteral("ParTotalText"))->text(), QString());
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        for (const char *name :
            {"DataRegistAction", "DataCancelAction", "DataDeleteAction", "DataChangeAction"})
            QVERIFY(!f.enabled(QString::fromLatin1(name)));
    }

    void showCourseOfTheRightClub()
    {
        WindowFixture f;
        TCourseRecord second = build::course(kB, QStringLiteral("OUT"), 350);
        second.Yard[0] = 351;
        openWith(f, {build::course(kA, QStringLiteral("OUT"), 400), second});
        f.clickNode({kLinks, kB, QStringLiteral("OUT")});
        QCOMPARE(f.currentPage(), 2);
        QCOMPARE(yard(f, 1)->text(), QStringLiteral(" 351"));
        QCOMPARE(f.combo(QStringLiteral("CLinksCombo"))->currentText(), kB);
        QCOMPARE(f.edit(QStringLiteral("CourseEdit"))->text(), QStringLiteral("OUT"));
        QCOMPARE(f.combo(QStringLiteral("GreenCombo"))->currentText(), QStringLiteral("ベント"));
        QCOMPARE(f.label(QStringLiteral("YardTotalText"))->text(), QStringLiteral(" 3150"));
        QCOMPARE(f.status(), QStringLiteral("登録コース数 2コース"));

        // A stored course never moves to another club.
        f.choose(QStringLiteral("CLinksCombo"), kA);
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルフ場の変更は出来ません"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QCOMPARE(f.combo(QStringLiteral("CLinksCombo"))->currentText(), kB);
    }

    void changeCarriedIntoCards()
    {
        WindowFixture f;
        TScoreRecord both = build::card(QDate(2020, 5, 3), kA);
        TScoreRecord firstOnly = build::card(QDate(2020, 6, 3), kA);
        firstOnly.CourseName = {QStringLiteral("OUT"), QStringLiteral("EAST")};
        TScoreRecord otherClub = build::card(QDate(2020, 7, 3), kB);
        otherClub.CourseName = {QStringLiteral("OUT"), QStringLiteral("OUT")};
        both.CourseName = {QStringLiteral("OUT"), QStringLiteral("OUT")};
        openWith(f,
            {build::course(kA, QStringLiteral("OUT")), build::course(kB, QStringLiteral("OUT"))},
            {both, firstOnly, otherClub});
        f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        par(f, 3)->setText(QStringLiteral("5"));
        f.seams.dialogs.answerConfirm(true);
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            (QStringList {QStringLiteral("このコースのデータを変更しますか？"),
                QStringLiteral("この変更したデータをスコアカードのデータに反映しますか？")}));

        QCOMPARE(f.readCourses()[0].Par[2], 5);
        QCOMPARE(f.readCourses()[0].ParTotal, 37);
        QCOMPARE(f.label(QStringLiteral("ParTotalText"))->text(), QStringLiteral(" 37"));
        const auto cards = f.readScores(kGolfer);
        QCOMPARE(cards[0].Par[2], 5);
        QCOMPARE(cards[0].Par[11], 5);
        QCOMPARE(cards[0].ParTotal[0], 37);
        QCOMPARE(cards[0].ParTotal[1], 37);
        QCOMPARE(cards[0].ParSum, 74);
        QCOMPARE(cards[0].Score, both.Score);
        QCOMPARE(cards[0].HoleResultCounts, both.HoleResultCounts);
        QCOMPARE(cards[1].Par[2], 5);
        QCOMPARE(cards[1].Par[11], 4);
        QCOMPARE(cards[1].ParSum, 73);
        // Same course name at another club: untouched.
        QCOMPARE(cards[2].Par[2], 4);
        QCOMPARE(cards[2].ParSum, 72);
    }

    void changeNotCarriedWhenDeclined()
    {
        WindowFixture f;
        TScoreRecord card = build::card(QDate(2020, 5, 3), kA);
        card.CourseName = {QStringLiteral("OUT"), QStringLiteral("IN")};
        openWith(f, {build::course(kA, QStringLiteral("OUT"))}, {card});
        f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        f.edit(QStringLiteral("CourseEdit"))->setText(QStringLiteral("WEST"));
        f.seams.dialogs.answerConfirm(true);
        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.readCourses()[0].CourseName, QStringLiteral("WEST"));
        QCOMPARE(f.childTexts({kLinks, kA}), QStringList {QStringLiteral("WEST")});
        QCOMPARE(f.readScores(kGolfer)[0].CourseName[0], QStringLiteral("OUT"));
    }

    void renameReachesTheTreeWhateverNodeWasClickedLast_data()
    {
        QTest::addColumn<QStringList>("clickedAfter");
        QTest::addRow("top node") << QStringList {kLinks};
        QTest::addRow("year node")
            << QStringList {QStringLiteral("スコアカード"), QStringLiteral("2020年")};
    }

    void renameReachesTheTreeWhateverNodeWasClickedLast()
    {
        QFETCH(QStringList, clickedAfter);
        WindowFixture f;
        openWith(f,
            {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))},
            {build::card(QDate(2020, 5, 3), kB)});
        f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        f.clickNode(clickedAfter);
        QCOMPARE(f.currentPage(), 2);
        f.edit(QStringLiteral("CourseEdit"))->setText(QStringLiteral("WEST"));
        f.seams.dialogs.answerConfirm(true);
        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.childTexts({kLinks, kA}),
            (QStringList {QStringLiteral("WEST"), QStringLiteral("IN")}));
        QCOMPARE(f.tree()->topLevelItem(1)->text(0), kLinks);

        // Deleting it leaves no node behind.
        f.clickNode({kLinks, kA, QStringLiteral("WEST")});
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.childTexts({kLinks, kA}), QStringList {QStringLiteral("IN")});
    }

    void blankHoleBoxIsNoNumber_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<bool>("yardBox");
        QTest::addRow("register, yard") << false << true;
        QTest::addRow("register, par") << false << false;
        QTest::addRow("change, yard") << true << true;
        QTest::addRow("change, par") << true << false;
    }

    void blankHoleBoxIsNoNumber()
    {
        QFETCH(bool, change);
        QFETCH(bool, yardBox);
        WindowFixture f;
        openWith(f, {build::course(kA, QStringLiteral("OUT"))});
        const QByteArray before = fileBytes(f.path(QStringLiteral("Course.dat")));
        if (change)
            f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        else
            fillCourse(f, kB, QStringLiteral("EAST"));
        QLineEdit *box = yardBox ? yard(f, 5) : par(f, 5);
        box->clear();
        f.type(box, QStringLiteral("   "));
        f.seams.dialogs.clear();
        f.seams.dialogs.answerConfirm(true);
        f.seams.dialogs.answerConfirm(true);
        f.trigger(change ? QStringLiteral("DataChangeAction") : QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("ホールのデータがすべて入力されていません")});
        QCOMPARE(fileBytes(f.path(QStringLiteral("Course.dat"))), before);
    }

    void changeRefusesTakenNameAndBadNumbers()
    {
        WindowFixture f;
        openWith(
            f, {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
        const auto before = f.readCourses();
        f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        f.edit(QStringLiteral("CourseEdit"))->setText(QStringLiteral("IN"));
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("既に、そのコースは登録済みです"));

        f.edit(QStringLiteral("CourseEdit"))->setText(QStringLiteral("OUT"));
        par(f, 2)->setText(QStringLiteral("4x"));
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("4xは数字ではありません"));
        const auto after = f.readCourses();
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after[0].Par, before[0].Par);
        QCOMPARE(after[0].CourseName, QStringLiteral("OUT"));
    }

    void deleteCourse()
    {
        WindowFixture f;
        TScoreRecord card = build::card(QDate(2020, 5, 3), kA);
        openWith(f,
            {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))},
            {card});
        f.clickNode({kLinks, kA, QStringLiteral("OUT")});
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("このコースのデータを削除しますか？"));
        QCOMPARE(f.readCourses().size(), 1);
        QCOMPARE(f.readCourses()[0].CourseName, QStringLiteral("IN"));
        QCOMPARE(f.childTexts({kLinks, kA}), QStringList {QStringLiteral("IN")});
        QCOMPARE(f.status(), QStringLiteral("登録コース数 1コース"));
        QCOMPARE(f.readScores(kGolfer)[0].CourseName[0], card.CourseName[0]);
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));

        // Now the club holds one course: deleting the club is still refused.
        f.clickNode({kLinks, kA});
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("このゴルフ場は、コースに登録されていますので、削除できません"));
    }

    void diskSpaceAfterCompleteness()
    {
        WindowFixture f;
        openWith(f, {});
        f.seams.disk.bytes = 179;
        f.clickTab(2);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルフ場が選択されていません"));
        fillCourse(f, kA, QStringLiteral("OUT"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("ディスクの空き容量がありません\n空き容量は 179バイトです"));
        QVERIFY(f.readCourses().isEmpty());
    }
};

QTEST_MAIN(TestCoursePage)
#include "tst_coursepage.moc"
