// Deleting golfers through the window, and a golfer list that did not load or cannot be
// written.
#include "core/data/datafile.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QToolButton>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif
#include "golfertest.h"

class TestGolferDeletion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deleteAsksFirst()
    {
        WindowFixture f;
        f.writeGolfers({kYamada, kSato});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.writeScores(kYamada, {build::card(QDate(2019, 4, 1), kClub)});
        f.open();
        f.choose(golferCombo(f), kYamada);

        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DeleteGolferAction"));

        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("確認"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("選択されているゴルファーを削除しますか？"));
        QCOMPARE(f.seams.dialogs.last().buttons,
            (QStringList {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine + kSatoLine);
        QVERIFY(QFile::exists(f.path(kYamada + QStringLiteral(".yti"))));
        QVERIFY(QFile::exists(f.path(kYamada + QStringLiteral(".sce"))));
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/01/05")});
        QVERIFY(f.enabled(QStringLiteral("DeleteGolferAction")));
    }

    void deleteRemovesTheGolferAndHisFiles()
    {
        WindowFixture f;
        f.writeGolfers({kYamada, kSato});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.writeScores(kYamada, {build::card(QDate(2019, 4, 1), kClub)});
        f.writeYotei(kSato, {build::yotei(QDate(2027, 2, 1), kClub)});
        f.writeScores(kSato, {build::card(QDate(2021, 4, 1), kClub)});
        f.open();
        f.choose(golferCombo(f), kYamada);
        f.clickTab(1);

        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DeleteGolferAction"));

        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QVERIFY(!QFile::exists(f.path(kYamada + QStringLiteral(".yti"))));
        QVERIFY(!QFile::exists(f.path(kYamada + QStringLiteral(".sce"))));
        QCOMPARE(f.readYotei(kSato).size(), 1);
        QCOMPARE(f.readScores(kSato).size(), 1);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kSatoLine);
        QCOMPARE(comboItems(f), QStringList {kSato});
        QCOMPARE(golferCombo(f)->currentIndex(), -1);
        QCOMPARE(f.form->golferName(), QString());
        QVERIFY(!f.enabled(QStringLiteral("DeleteGolferAction")));
        QCOMPARE(f.currentPage(), 0);
        QCOMPARE(f.childTexts({kYotei}), QStringList());
        QCOMPARE(f.childTexts({kScore}), QStringList());
        QCOMPARE(yoteiGrid(f)->RowCount(), 2);
        QCOMPARE(yoteiGrid(f)->Row(1), (QStringList {QString(), QString(), QString(), QString()}));
        QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QString());
        QVERIFY(f.edit(QStringLiteral("YTimeEdit"))->isReadOnly());
        QVERIFY(f.edit(QStringLiteral("YBikouEdit"))->isReadOnly());

        // The remaining golfer can be chosen as before.
        f.choose(golferCombo(f), kSato);
        QCOMPARE(f.childTexts({kYotei}), QStringList {QStringLiteral("2027/02/01")});
    }

    void deleteWithoutAChosenGolferDoesNothing()
    {
        WindowFixture f;
        f.writeGolfers({kYamada, kSato});
        f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 5), kClub)});
        f.open();
        QVERIFY(f.enabled(QStringLiteral("DeleteGolferAction")));

        f.trigger(QStringLiteral("DeleteGolferAction"));

        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kYamadaLine + kSatoLine);
        QVERIFY(QFile::exists(f.path(kYamada + QStringLiteral(".yti"))));
    }

    void deletingTheLastGolferAsksForANewOneOnReturn()
    {
        WindowFixture f;
        f.writeGolfers({kYamada});
        f.open();
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DeleteGolferAction"));
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), QByteArray());
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 0);

        f.seams.dialogs.answerInput(kSato);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
        QTRY_COMPARE(f.seams.dialogs.inputBoxes.size(), 1);
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), kSatoLine);
        QCOMPARE(f.form->golferName(), kSato);
    }

    void golferListThatDidNotLoadIsKept()
    {
        // Unreadable: nobody is asked for, and registering is refused with the file's name.
        WindowFixture f;
        writeFile(f.path(QStringLiteral("Golfer.dat")), kYamadaLine);
        QVERIFY(QFile::resize(f.path(QStringLiteral("Golfer.dat")), datafile::maxFileBytes + 1));
        f.open();
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QVERIFY(f.seams.dialogs.last().text.contains(QStringLiteral("Golfer.dat")));
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
        QTest::qWait(20);
        QCOMPARE(f.seams.dialogs.inputBoxes.size(), 0);
        f.seams.dialogs.answerInput(kSato);
        f.trigger(QStringLiteral("RegistGolferAction"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY(f.seams.dialogs.last().text.contains(QStringLiteral("Golfer.dat")));
        QCOMPARE(
            QFileInfo(f.path(QStringLiteral("Golfer.dat"))).size(), datafile::maxFileBytes + 1);
        QCOMPARE(comboItems(f), QStringList());

        // A name that would lead out of the folder is left out with a word and left in the file;
        // the one usable golfer is then the only one, and chosen.
        f.close();
        f.seams.dialogs.clear();
        writeFile(f.path(QStringLiteral("Golfer.dat")), "../victim\r\n" + kYamadaLine);
        f.open();
        QCOMPARE(comboItems(f), QStringList {kYamada});
        QCOMPARE(f.form->golferName(), kYamada);
        QVERIFY(f.seams.dialogs.last().text.contains(QStringLiteral("../victim")));
        f.seams.dialogs.answerInput(kSato);
        f.trigger(QStringLiteral("RegistGolferAction"));
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))),
            "../victim\r\n" + kYamadaLine + kSatoLine);
    }

    void failedGolferListWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("registering");
        QTest::newRow("register") << true;
        QTest::newRow("delete") << false;
    }

    void failedGolferListWriteKeepsTheOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs a file size limit");
#else
        QFETCH(bool, registering);

        WindowFixture f;
        f.writeGolfers({kYamada, kSato});
        f.open();
        f.choose(golferCombo(f), kYamada);
        const QByteArray before = readFile(f.path(QStringLiteral("Golfer.dat")));
        const QStringList filesBefore = entries(f.dir.path());

        {
            FileSizeLimit limit(1);
            QVERIFY(limit.active());
            if (registering) {
                f.seams.dialogs.answerInput(QStringLiteral("鈴木"));
                f.trigger(QStringLiteral("RegistGolferAction"));
            } else {
                f.seams.dialogs.answerConfirm(true);
                f.trigger(QStringLiteral("DeleteGolferAction"));
            }
        }

        const auto &shown = f.seams.dialogs.shown;
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.last().caption, QStringLiteral("Kestro"));
        QVERIFY2(shown.last().text.contains(QStringLiteral("Golfer.dat")),
            qPrintable(shown.last().text));
        QCOMPARE(shown.last().buttons, QStringList {QStringLiteral("OK")});
        QCOMPARE(readFile(f.path(QStringLiteral("Golfer.dat"))), before);
        // No half-written file is left beside it.
        QCOMPARE(entries(f.dir.path()), filesBefore);
#endif
    }
};

QTEST_MAIN(TestGolferDeletion)
#include "tst_golferdeletion.moc"
