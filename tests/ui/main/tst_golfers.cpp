// The golfer list through the window: start-up with zero, one and several golfers, loading a
// golfer's schedule and score cards, registering, choosing and deleting golfers, and a
// golfer list that cannot be written.
#include "core/data/datafile.h"
#include "support/builders.h"
#include "support/windowtest.h"

#include "ui/main/stringgrid.h"
#include <QToolButton>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include "golfertest.h"

class TestGolfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpByGolferList_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("golferFile");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("chosen");

        QTest::newRow("no file") << false << QByteArray() << QStringList() << QString();
        QTest::newRow("empty file") << true << QByteArray() << QStringList() << QString();
        QTest::newRow("one, final line break")
            << true << kYamadaLine << QStringList {kYamada} << kYamada;
        QTest::newRow("one, no final line break")
            << true << QByteArray("\x8e\x52\x93\x63") << QStringList {kYamada} << kYamada;
        // A name stored with blanks by an older registration is his name as it stands, in
        // the list and for his files alike.
        QTest::newRow("one, blanks around")
            << true << QByteArray(" \x8e\x52\x93\x63 \r\n")
            << QStringList {QStringLiteral(" 山田 ")} << QStringLiteral(" 山田 ");
        QTest::newRow("two") << true << kYamadaLine + kSatoLine << QStringList {kYamada, kSato}
                             << QString();
        QTest::newRow("two, LF only") << true << QByteArray("\x8e\x52\x93\x63\n\x8d\xb2\x93\xa1\n")
                                      << QStringList {kYamada, kSato} << QString();
        // An empty line is a golfer without a name, so nobody is chosen.
        QTest::newRow("one and an empty line") << true << kYamadaLine + "\r\n"
                                               << QStringList {kYamada, QString()} << QString();
    }

    void startUpByGolferList()
    {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, golferFile);
        QFETCH(QStringList, items);
        QFETCH(QString, chosen);

        WindowFixture f;
        if (fileExists)
            writeFile(f.path(QStringLiteral("Golfer.dat")), golferFile);
        // Only the chosen golfer's schedule may show up.
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.writeYotei(kSato, {build::yotei(QDate(2027, 2, 5), kClub)});
        if (!chosen.isEmpty() && chosen != kYamada) {
            f.writeYotei(kYamada, {build::yotei(QDate(2027, 3, 5), kClub)});
            f.writeYotei(chosen, {build::yotei(QDate(2027, 1, 5), kClub)});
        }
        f.open();

        QCOMPARE(comboItems(f), items);
        QCOMPARE(f.form->golferName(), chosen);
        QCOMPARE(golferCombo(f)->currentIndex(), chosen.isEmpty() ? -1 : 0);
        if (chosen.isEmpty()) {
            QCOMPARE(f.status(), kNoGolfer);
            QCOMPARE(f.childTexts({kYotei}), QStringList());
            QCOMPARE(yoteiGrid(f)->RowCount(), 2);
        } else {
            QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 1 回"));
            QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/01/05")});
            QCOMPARE(yoteiGrid(f)->RowCount(), 3);
            QVERIFY(f.enabled(QStringLiteral("DeleteGolferAction")));
            QCOMPARE(f.form->yearList(), QStringList {QStringLiteral("全て")});
        }
        // Only an empty golfer list asks for a golfer when the window first shows.
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), items.isEmpty() ? 1 : 0);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.currentPage(), 0);
        // Nothing is written at start-up.
        QCOMPARE(QFile::exists(f.path(QStringLiteral("Golfer.dat"))), fileExists);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), golferFile);
    }

    void emptyListAsksAgainOnlyWhenTheProgramComesBack()
    {
        WindowFixture f;
        f.open();
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 1);
        QCOMPARE(f.seams.dialogs.inputBoxes[0].caption, QStringLiteral("ゴルファーの登録"));
        QCOMPARE(
            f.seams.dialogs.inputBoxes[0].text, QStringLiteral("ゴルファーを入力してください"));
        // Cancelled: still nobody, nothing written.
        QCOMPARE(f.form->golferName(), QString());
        QCOMPARE(f.status(), kNoGolfer);
        QVERIFY(!QFile::exists(f.path(QStringLiteral("Golfer.dat"))));

        // Another window of our own taking the focus and giving it back is no return to the
        // program; asking again here would never end.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QCoreApplication::processEvents();
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 1);

        // The user comes back from another program: asked again, and this time answers.
        f.seams.dialogs.answerInput(kYamada);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
        QTRY_COMPARE(f.seams.dialogs.inputBoxes.size(), 2);
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine);

        // With a golfer registered, coming back asks nothing.
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
        QCoreApplication::processEvents();
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 2);
    }

    void pastScheduleEntriesLeaveMemoryButNotTheFile()
    {
        WindowFixture f;
        const QDate today = f.seams.clock.date;
        f.writeGolfers({kYamada});
        f.writeLinks({build::club(kClub)});
        f.writeYotei(kYamada,
            {build::yotei(today.addDays(-1), kClub, QTime(7, 0), QStringLiteral("昨日")),
                build::yotei(today, kClub, QTime(8, 5), QStringLiteral("今日")),
                build::yotei(today.addDays(1), kClub, QTime(9, 30), QStringLiteral("明日"))});
        f.open();

        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 2 回"));
        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2026/12/07"), QStringLiteral("2026/12/08")}));
        TStringGrid *grid = yoteiGrid(f);
        QCOMPARE(grid->RowCount(), 4);
        QCOMPARE(grid->Row(1),
            (QStringList {QStringLiteral("2026/12/07"), QStringLiteral("08:05"), kClub,
                QStringLiteral("今日")}));
        QCOMPARE(grid->Row(2),
            (QStringList {QStringLiteral("2026/12/08"), QStringLiteral("09:30"), kClub,
                QStringLiteral("明日")}));
        QCOMPARE(grid->Row(3), (QStringList {QString(), QString(), QString(), QString()}));
        QCOMPARE(f.form->yoteiList().size(), 2);
        // The file keeps yesterday's round until the schedule is next written.
        QCOMPARE(f.readYotei(kYamada).size(), 3);
    }

    void scoreCardsGroupByYear()
    {
        WindowFixture f;
        f.writeGolfers({kYamada});
        f.writeScores(kYamada,
            {build::card(QDate(2001, 5, 3), kClub), build::card(QDate(2001, 11, 20), kClub),
                build::card(QDate(2002, 4, 1), kClub)});
        f.open();

        QCOMPARE(f.childTexts({kScore}),
            (QStringList {QStringLiteral("2001年"), QStringLiteral("2002年")}));
        QCOMPARE(f.childTexts({kScore, QStringLiteral("2001年")}),
            (QStringList {QStringLiteral("2001/05/03"), QStringLiteral("2001/11/20")}));
        QCOMPARE(f.childTexts({kScore, QStringLiteral("2002年")}),
            QStringList {QStringLiteral("2002/04/01")});
        QCOMPARE(f.form->yearList(),
            (QStringList {
                QStringLiteral("全て"), QStringLiteral("2001年"), QStringLiteral("2002年")}));
        // Without a schedule file the count is still shown.
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 0 回"));
        QCOMPARE(f.form->scoreList().size(), 3);
    }

    void registerAppendsAndChoosesTheNewGolfer()
    {
        WindowFixture f;
        f.writeGolfers({kYamada});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.writeScores(kYamada, {build::card(QDate(2020, 6, 1), kClub)});
        // Files of that name lying beside the program belong to the new golfer at once.
        f.writeYotei(kSato,
            {build::yotei(QDate(2027, 3, 1), kClub), build::yotei(QDate(2027, 3, 2), kClub)});
        f.open();
        f.clickTab(1);

        f.seams.dialogs.answerInput(kSato);
        f.trigger(QStringLiteral("RegistGolferAction"));

        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 1);
        QCOMPARE(f.seams.dialogs.inputBoxes[0].caption, QStringLiteral("ゴルファーの登録"));
        QCOMPARE(
            f.seams.dialogs.inputBoxes[0].text, QStringLiteral("ゴルファーを入力してください"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine + kSatoLine);
        QCOMPARE(comboItems(f), (QStringList {kYamada, kSato}));
        QCOMPARE(golferCombo(f)->currentText(), kSato);
        QCOMPARE(f.form->golferName(), kSato);
        QCOMPARE(f.currentPage(), 0);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 2 回"));
        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2027/03/01"), QStringLiteral("2027/03/02")}));
        QCOMPARE(f.childTexts({kScore}), QStringList());
        QCOMPARE(f.form->yearList(), QStringList {QStringLiteral("全て")});
        QCOMPARE(yoteiGrid(f)->RowCount(), 4);
        QVERIFY(f.enabled(QStringLiteral("DeleteGolferAction")));
        for (const char *name :
            {"DataDeleteAction", "DataChangeAction", "ScoreDispAction", "ChartAction1"})
            QVERIFY2(!f.enabled(QString::fromLatin1(name)), name);
        // The earlier golfer's files are untouched.
        QCOMPARE(f.readYotei(kYamada).size(), 1);
        QCOMPARE(f.readScores(kYamada).size(), 1);
    }

    void registerComparesTheTrimmedName_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty when refused

        QTest::newRow("same name") << QStringList {kYamada, kSato} << kYamada << QString();
        QTest::newRow("leading blank against plain")
            << QStringList {kYamada, kSato} << QStringLiteral(" 山田") << QString();
        QTest::newRow("trailing blank against plain")
            << QStringList {kYamada, kSato} << QStringLiteral("山田 ") << QString();
        QTest::newRow("full-width blanks against plain")
            << QStringList {kYamada, kSato} << QStringLiteral("\u3000山田\u3000") << QString();
        // An older list item keeps its blank, so the trimmed text differs from it.
        QTest::newRow("plain against leading blank")
            << QStringList {QStringLiteral(" 山田"), kSato} << kYamada << kYamada;
        QTest::newRow("case differs") << QStringList {QStringLiteral("yamada"), kSato}
                                      << QStringLiteral("Yamada") << QStringLiteral("Yamada");
        QTest::newRow("width differs") << QStringList {QStringLiteral("ﾔﾏﾀﾞ"), kSato}
                                       << QStringLiteral("ヤマダ") << QStringLiteral("ヤマダ");
        QTest::newRow("blanks around dropped")
            << QStringList {kYamada, kSato} << QStringLiteral(" 鈴木 ") << QStringLiteral("鈴木");
        QTest::newRow("mixed blanks dropped, inner blank kept")
            << QStringList {kYamada} << QStringLiteral("\u3000 鈴木 一郎\u3000 ")
            << QStringLiteral("鈴木 一郎");
    }

    void registerComparesTheTrimmedName()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const bool accepted = !stored.isEmpty();

        WindowFixture f;
        f.writeGolfers(existing);
        if (accepted)
            f.writeYotei(stored, {build::yotei(QDate(2027, 4, 1), kClub)});
        f.open();
        const QByteArray before = readFile(f.path(QStringLiteral("Golfer.dat")));

        f.seams.dialogs.answerInput(typed);
        f.trigger(QStringLiteral("RegistGolferAction"));

        if (accepted) {
            QCOMPARE(f.seams.dialogs.shown.size(), 0);
            QCOMPARE(f.readGolfers(), existing + QStringList {stored});
            QCOMPARE(comboItems(f), existing + QStringList {stored});
            QCOMPARE(f.form->golferName(), stored);
            QCOMPARE(golferCombo(f)->currentIndex(), existing.size());
            // His files carry the name without blanks: the schedule already filed under it
            // is his.
            QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/04/01")});
        } else {
            QCOMPARE(f.seams.dialogs.shown.size(), 1);
            QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
            QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("その名前は、既に登録済みです"));
            QCOMPARE(f.seams.dialogs.last().buttons, QStringList {QStringLiteral("OK")});
            QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), before);
            QCOMPARE(comboItems(f), existing);
            QCOMPARE(f.form->golferName(), QString());
        }
    }

    void registerWithNothingTypedChangesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ");
        QTest::newRow("full-width blanks") << QStringLiteral("\u3000 \u3000");
    }

    void registerWithNothingTypedChangesNothing()
    {
        QFETCH(QString, typed);
        WindowFixture f;
        f.writeGolfers({kYamada});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.open();

        f.seams.dialogs.answerInput(typed);
        f.trigger(QStringLiteral("RegistGolferAction"));

        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 1);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine);
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/01/05")});
    }

    void registerRefusesNamesThatCannotNameFiles_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char *name : {"../x", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b",
                 "a|b", "a\tb", ".", ".."})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("control character") << QStringLiteral("a\x01"
                                                             "b");
        // Golfer.dat could not hold it, and after a restart it would no longer name his files.
        QTest::newRow("not in Shift-JIS") << QStringLiteral("山田\U0001F600");
    }

    void registerRefusesNamesThatCannotNameFiles()
    {
        QFETCH(QString, typed);

        WindowFixture f;
        f.writeGolfers({kYamada});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.open();
        const QStringList filesBefore = entries(f.dir.path());

        f.seams.dialogs.answerInput(typed);
        f.trigger(QStringLiteral("RegistGolferAction"));

        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("その名前は、ファイル名に使えない文字を含んでいます"));
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine);
        QCOMPARE(comboItems(f), QStringList {kYamada});
        // The chosen golfer stays loaded.
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/01/05")});
        QCOMPARE(entries(f.dir.path()), filesBefore);
        QVERIFY(!QFile::exists(f.dir.path() + QStringLiteral("/../x.yti")));
    }

    void chooseLoadsTheGolferAndResetsTheTally()
    {
        WindowFixture f;
        f.writeGolfers({kYamada, kSato});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.writeScores(kYamada, {build::card(QDate(2019, 4, 1), kClub)});
        f.writeYotei(kSato,
            {build::yotei(QDate(2027, 2, 1), kClub), build::yotei(QDate(2027, 2, 8), kClub)});
        f.writeScores(
            kSato, {build::card(QDate(2021, 4, 1), kClub), build::card(QDate(2022, 4, 1), kClub)});
        f.open();
        QCOMPARE(f.form->golferName(), QString());

        f.choose(golferCombo(f), kYamada);
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 1 回"));

        // From the results page, where the tally is available.
        f.clickTab(4);
        QVERIFY(f.enabled(QStringLiteral("ShukeiAction")));
        f.choose(golferCombo(f), kSato);

        QCOMPARE(f.form->golferName(), kSato);
        QCOMPARE(f.currentPage(), 0);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 2 回"));
        // Only his rows and nodes: the previous golfer's are gone.
        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2027/02/01"), QStringLiteral("2027/02/08")}));
        QCOMPARE(f.childTexts({kScore}),
            (QStringList {QStringLiteral("2021年"), QStringLiteral("2022年")}));
        QCOMPARE(f.form->yearList(),
            (QStringList {
                QStringLiteral("全て"), QStringLiteral("2021年"), QStringLiteral("2022年")}));
        QCOMPARE(yoteiGrid(f)->RowCount(), 4);
        QCOMPARE(yoteiGrid(f)->Cell(0, 1), QStringLiteral("2027/02/01"));
        QCOMPARE(f.form->shukeiCaller(), QString());
        QVERIFY(f.enabled(QStringLiteral("DeleteGolferAction")));
        for (const char *name : {"ShukeiAction", "ChartAction1", "DataDeleteAction",
                 "DataChangeAction", "ScoreDispAction"})
            QVERIFY2(!f.enabled(QString::fromLatin1(name)), name);
        // The schedule page he lands on can be added to at once.
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QCOMPARE(f.find<QToolButton>(QStringLiteral("DataAppendBtn"))->toolTip(),
            QStringLiteral("予定データを追加します"));
        // Choosing writes nothing.
        QCOMPARE(f.readYotei(kYamada).size(), 1);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine + kSatoLine);
    }

    void choosingTheChosenGolferReadsHisFilesAgain()
    {
        WindowFixture f;
        f.writeGolfers({kYamada});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.open();
        QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/01/05")});

        // An entry being added is given up.
        f.trigger(QStringLiteral("DataAppendAction"));
        QVERIFY(!f.edit(QStringLiteral("YTimeEdit"))->isReadOnly());

        f.writeYotei(kYamada,
            {build::yotei(QDate(2027, 4, 1), kClub), build::yotei(QDate(2027, 5, 1), kClub)});
        f.writeScores(kYamada, {build::card(QDate(2024, 9, 9), kClub)});
        f.choose(golferCombo(f), kYamada);

        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataCancelAction")));
        QVERIFY(f.edit(QStringLiteral("YTimeEdit"))->isReadOnly());

        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2027/04/01"), QStringLiteral("2027/05/01")}));
        QCOMPARE(f.childTexts({kScore}), QStringList {QStringLiteral("2024年")});
        QCOMPARE(yoteiGrid(f)->RowCount(), 4);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 2 回"));
    }
};

QTEST_MAIN(TestGolfers)
#include "tst_golfers.moc"
