// The tree and the page switch: what a click or a tab change does to the page, the actions,
// the hints and the status bar.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
} // namespace

class TestTreePages : public QObject
{
    Q_OBJECT

    static QTabBar *tabBar(WindowFixture &f)
    {
        return f.find<QTabWidget>(QStringLiteral("PageControl1"))->tabBar();
    }

    // The gestures that switch the page without a click on a tab.
    enum Gesture {
        CtrlTab,
        CtrlShiftTab,
        CtrlPageDown,
        CtrlPageUp,
        ArrowRight,
        ArrowLeft,
        WheelDown,
        WheelUp
    };

    static void perform(WindowFixture &f, Gesture gesture)
    {
        QTabBar *bar = tabBar(f);
        bar->setFocus();
        switch (gesture) {
        case CtrlTab: QTest::keyClick(bar, Qt::Key_Tab, Qt::ControlModifier); break;
        case CtrlShiftTab:
            QTest::keyClick(bar, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        case CtrlPageDown: QTest::keyClick(bar, Qt::Key_PageDown, Qt::ControlModifier); break;
        case CtrlPageUp: QTest::keyClick(bar, Qt::Key_PageUp, Qt::ControlModifier); break;
        case ArrowRight: QTest::keyClick(bar, Qt::Key_Right); break;
        case ArrowLeft: QTest::keyClick(bar, Qt::Key_Left); break;
        case WheelDown:
        case WheelUp: {
            const QPoint at = bar->tabRect(bar->currentIndex()).center();
            QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(),
                QPoint(0, gesture == WheelDown ? -120 : 120), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &wheel);
            break;
        }
        }
    }

    QStringList hints(WindowFixture &f)
    {
        QStringList list;
        for (const char *name :
            {"DataAppendBtn", "DataRegistBtn", "DataCancelBtn", "DataDeleteBtn", "DataChangeBtn"})
            list.append(f.find<QToolButton>(QString::fromLatin1(name))->toolTip());
        return list;
    }

private Q_SLOTS:
    void pageSwitchSetsHintsAndStatus_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("appendHint");
        QTest::addColumn<QString>("changeHint");
        QTest::addRow("schedule") << 0 << QStringLiteral("ラウンド予定数 1 回")
                                  << QStringLiteral("予定データを追加します")
                                  << QStringLiteral("予定データを変更します");
        QTest::addRow("clubs") << 1 << QStringLiteral("登録ゴルフ場数 2コース")
                               << QStringLiteral("ゴルフ場データを追加します")
                               << QStringLiteral("ゴルフ場データを変更します");
        QTest::addRow("courses") << 2 << QStringLiteral("登録コース数 1コース")
                                 << QStringLiteral("コースデータを追加します")
                                 << QStringLiteral("コースデータを変更します");
        QTest::addRow("cards") << 3 << QStringLiteral("登録スコアカード数 3カード")
                               << QStringLiteral("スコアデータを追加します")
                               << QStringLiteral("スコアデータを変更します");
        QTest::addRow("results") << 4 << QStringLiteral("成績を表示します") << QString()
                                 << QString();
    }

    void pageSwitchSetsHintsAndStatus()
    {
        QFETCH(int, page);
        QFETCH(QString, status);
        QFETCH(QString, appendHint);
        QFETCH(QString, changeHint);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
        f.writeYotei(kGolfer, {build::yotei(QDate(2027, 1, 1), kA)});
        f.writeScores(kGolfer,
            {build::card(QDate(2020, 1, 1), kA), build::card(QDate(2020, 2, 1), kB),
                build::card(QDate(2021, 3, 1), kA)});
        f.open();
        // Start from a shown record so the reset is visible.
        f.clickNode({QStringLiteral("ゴルフ場"), kA});
        f.clickTab(page == 1 ? 0 : 1);
        f.clickTab(page);
        QCOMPARE(f.currentPage(), page);
        QCOMPARE(f.status(), status);
        QCOMPARE(hints(f).first(), appendHint);
        QCOMPARE(hints(f).last(), changeHint);
        QCOMPARE(f.enabled(QStringLiteral("DataAppendAction")), page != 4);
        QCOMPARE(f.enabled(QStringLiteral("ShukeiAction")), page == 4);
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        QVERIFY(!f.enabled(QStringLiteral("ScoreDispAction")));
        QVERIFY(f.tree()->selectedItems().isEmpty());
        if (page == 4) {
            // Each club once, ordered by the date of its last card.
            QCOMPARE(f.form->playedLinksList(), (QStringList {QStringLiteral("全て"), kB, kA}));
            QCOMPARE(f.form->shukeiCaller(), QString());
            QCOMPARE(f.label(QStringLiteral("ShukeiNaiyou"))->text(), QString());
            auto *grid = f.find<TStringGrid>(QStringLiteral("SeisekiGrid"));
            QCOMPARE(grid->RowCount(), 1);
            QCOMPARE(grid->ColCount(), 1);
        }
    }

    void everyWayOfSwitchingRunsThePageChange_data()
    {
        QTest::addColumn<int>("gesture");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addRow("Ctrl+Tab") << int(CtrlTab) << 3 << 4;
        QTest::addRow("Ctrl+Shift+Tab") << int(CtrlShiftTab) << 4 << 3;
        QTest::addRow("Ctrl+PgDn") << int(CtrlPageDown) << 3 << 4;
        QTest::addRow("Ctrl+PgUp") << int(CtrlPageUp) << 4 << 3;
        QTest::addRow("arrow right on the tabs") << int(ArrowRight) << 3 << 4;
        QTest::addRow("arrow left on the tabs") << int(ArrowLeft) << 4 << 3;
        QTest::addRow("wheel down over the tabs") << int(WheelDown) << 3 << 4;
        QTest::addRow("wheel up over the tabs") << int(WheelUp) << 4 << 3;
    }

    void everyWayOfSwitchingRunsThePageChange()
    {
        QFETCH(int, gesture);
        QFETCH(int, from);
        QFETCH(int, to);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer, {build::card(QDate(2020, 1, 1), kA)});
        f.open();
        if (from == 3) {
            f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2020年"),
                QStringLiteral("2020/01/01")});
            QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
        } else {
            f.clickTab(from);
        }
        QCOMPARE(f.currentPage(), from);
        QSignalSpy tallies(f.action(QStringLiteral("ShukeiAction")), &QAction::triggered);

        perform(f, Gesture(gesture));

        QCOMPARE(f.currentPage(), to);
        QCOMPARE(f.status(),
            to == 4 ? QStringLiteral("成績を表示します")
                    : QStringLiteral("登録スコアカード数 1カード"));
        QCOMPARE(
            hints(f).first(), to == 4 ? QString() : QStringLiteral("スコアデータを追加します"));
        QCOMPARE(f.enabled(QStringLiteral("ShukeiAction")), to == 4);
        QCOMPARE(f.enabled(QStringLiteral("DataAppendAction")), to != 4);
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
        // Entering the results page runs the tally once; leaving it runs nothing.
        QCOMPARE(tallies.size(), to == 4 ? 1 : 0);
        if (to == 3)
            QVERIFY(
                f.find<QWidget>(QStringLiteral("SHandicapEdit"))->property("readOnly").toBool());
    }

    void clicksThatKeepThePageRunNothing()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.open();
        f.clickNode({QStringLiteral("ゴルフ場"), kA});
        QTabBar *bar = tabBar(f);
        QTest::mouseClick(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(0).center());
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
        QCOMPARE(f.currentPage(), 1);
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), kA);
        QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
    }

    void anotherGolferLeavesNoCardToDelete()
    {
        const QString other = QStringLiteral("佐藤");
        WindowFixture f;
        f.writeGolfers({kGolfer, other});
        f.writeLinks({build::club(kA)});
        QList<TScoreRecord> cards;
        for (int day = 1; day <= 5; ++day)
            cards.append(build::card(QDate(2020, 1, day), kA));
        f.writeScores(kGolfer, cards);
        f.writeScores(other, cards);
        f.writeYotei(other, {build::yotei(QDate(2027, 1, 1), kA)});
        f.open();
        const QByteArray otherCards = fileBytes(f.path(other + QStringLiteral(".sce")));
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2020年"),
            QStringLiteral("2020/01/04")});

        f.choose(QStringLiteral("GolferCombo"), other);
        f.clickNode({QStringLiteral("予定"), QStringLiteral("2027/01/01")});
        QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
        perform(f, CtrlTab);
        perform(f, CtrlTab);
        perform(f, CtrlTab);
        QCOMPARE(f.currentPage(), 3);
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(fileBytes(f.path(other + QStringLiteral(".sce"))), otherCards);
        QCOMPARE(f.form->scoreList().size(), 5);
        QCOMPARE(f.edit(QStringLiteral("SHandicapEdit"))->text(), QStringLiteral(" 0"));
    }

    void pagesWithoutGolfer()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer, QStringLiteral("佐藤")});
        f.open();
        f.clickTab(3);
        QCOMPARE(f.status(), QStringLiteral("ゴルファーを選択してください"));
        f.clickTab(0);
        QCOMPARE(f.status(), QStringLiteral("ゴルファーを選択してください"));
        f.clickNode({QStringLiteral("スコアカード")});
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルファーを選択してください"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        f.seams.dialogs.clear();
        f.clickNode({QStringLiteral("ゴルフ場")});
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        f.clickTab(4);
        QVERIFY(f.form->playedLinksList().isEmpty());
    }

    void yearNodeClickChangesNothing()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer, {build::card(QDate(2020, 1, 1), kA)});
        f.open();
        f.clickNode({QStringLiteral("ゴルフ場"), kA});
        const QString status = f.status();
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2020年")});
        QCOMPARE(f.currentPage(), 1);
        QCOMPARE(f.status(), status);
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), kA);
    }

    void treeClickEndsAnEntryInProgress()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.open();
        f.clickTab(1);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.type(QStringLiteral("LinksNameEdit"), QStringLiteral("新しい"));
        f.clickNode({QStringLiteral("ゴルフ場"), kB});
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), kB);
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataCancelAction")));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QCOMPARE(f.readLinks().size(), 2);
    }
};

QTEST_MAIN(TestTreePages)
#include "tst_treepages.moc"
