// The main window as it opens: actions, menus, tool bar, pages, tree and grids; the Enter
// key; the commands of the Help and File menus; data files that cannot be read.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kLinks = QStringLiteral("ゴルフ場");

// What a menu shows: its items' texts, "-" for a separator, hidden items left out.
QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            texts.append(QStringLiteral("-"));
        else if (a->isVisible())
            texts.append(a->text());
    }
    return texts;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    TStringGrid *grid(WindowFixture &f, const char *name)
    {
        return f.find<TStringGrid>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void actionsStartAsListed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("RegistGolferAction") << "RegistGolferAction"
                                            << "登録(&R)" << true;
        QTest::newRow("DeleteGolferAction") << "DeleteGolferAction"
                                            << "削除(&D)" << true;
        QTest::newRow("DataAppendAction") << "DataAppendAction"
                                          << "追加(&A)" << true;
        QTest::newRow("DataRegistAction") << "DataRegistAction"
                                          << "登録(&R)" << false;
        QTest::newRow("DataCancelAction") << "DataCancelAction"
                                          << "ｷｬﾝｾﾙ(&C)" << false;
        QTest::newRow("DataDeleteAction") << "DataDeleteAction"
                                          << "削除(&D)" << false;
        QTest::newRow("DataChangeAction") << "DataChangeAction"
                                          << "変更(&H)" << false;
        QTest::newRow("ScoreDispAction") << "ScoreDispAction"
                                         << "±スコア" << false;
        QTest::newRow("ChartAction1") << "ChartAction1"
                                      << "グラフ" << false;
        QTest::newRow("ShukeiAction") << "ShukeiAction"
                                      << "ShukeiAction" << false;
        // Menu items with captions of their own.
        QTest::newRow("ScoreDisp") << "ScoreDisp"
                                   << "±スコアで表示(&S)" << false;
        QTest::newRow("GraphDisp") << "GraphDisp"
                                   << "グラフの表示(&G)" << false;
        QTest::newRow("ShukeiDisp") << "ShukeiDisp"
                                    << "成績の集計(&R)" << false;
        QTest::newRow("PrintMenu") << "PrintMenu"
                                   << "印刷(&P)" << true;
        QTest::newRow("Exit1") << "Exit1"
                               << "終了(&X)" << true;
        QTest::newRow("KestroG1") << "KestroG1"
                                  << "Readme.txt(&R)" << true;
        QTest::newRow("About1") << "About1"
                                << "バージョン情報(&A)" << true;
    }

    void actionsStartAsListed()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);

        // With two golfers nobody is chosen, so nothing at start-up touches the actions.
        WindowFixture f;
        f.writeGolfers({QStringLiteral("山田"), QStringLiteral("佐藤")});
        f.open();
        QAction *a = f.action(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->isEnabled(), enabled);
    }

    void menusShowTheirItems()
    {
        WindowFixture f;
        f.open();
        QMenuBar *bar = f.form->menuBar();
        QStringList titles;
        QList<QStringList> items;
        for (QAction *a : bar->actions()) {
            titles.append(a->text());
            items.append(menuTexts(a->menu()));
        }
        QCOMPARE(titles,
            (QStringList {
                "ファイル(&F)", "編集(&E)", "ゴルファー(&G)", "ツール(&T)", "ヘルプ(&H)"}));
        QCOMPARE(items.value(0),
            (QStringList {"印刷(&P)", "CSVに書き出す(&E)...", "CSVから読み込む(&I)...",
                "バックアップから復元(&B)...", "-", "終了(&X)"}));
        QCOMPARE(items.value(1),
            (QStringList {"追加(&A)", "登録(&R)", "ｷｬﾝｾﾙ(&C)", "-", "削除(&D)", "変更(&H)"}));
        QCOMPARE(items.value(2), (QStringList {"登録(&R)", "削除(&D)"}));
        QCOMPARE(items.value(3),
            (QStringList {"±スコアで表示(&S)", "グラフの表示(&G)", "成績の集計(&R)", "-",
                "ハンディキャップ(&H)...", "分析(&A)...", "コンペ（新ペリア）(&C)...", "-",
                "プレー詳細を入力(&D)"}));
        // "目次(&C)" is there but hidden.
        QCOMPARE(items.value(4), (QStringList {"Readme.txt(&R)", "-", "バージョン情報(&A)"}));
        QVERIFY(!f.action(QStringLiteral("Contents1"))->isVisible());
    }

    void toolButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("DataAppendBtn") << "DataAppendBtn"
                                       << "追 加"
                                       << "予定データを追加します" << true;
        QTest::newRow("DataRegistBtn") << "DataRegistBtn"
                                       << "登 録"
                                       << "予定データを登録します" << false;
        QTest::newRow("DataCancelBtn") << "DataCancelBtn"
                                       << "ｷｬﾝｾﾙ"
                                       << "予定データの登録をキャンセルします" << false;
        QTest::newRow("DataDeleteBtn") << "DataDeleteBtn"
                                       << "削 除"
                                       << "予定データを削除します" << false;
        QTest::newRow("DataChangeBtn") << "DataChangeBtn"
                                       << "変 更"
                                       << "予定データを変更します" << false;
        QTest::newRow("ScoreBtn") << "ScoreBtn"
                                  << "±ｽｺｱ"
                                  << "スコアカードのスコアの表示タイプを変更します" << false;
        QTest::newRow("ChartBtn1") << "ChartBtn1"
                                   << "グラフ"
                                   << "成績をグラフ表示します" << false;
        QTest::newRow("ShukeiBtn") << "ShukeiBtn"
                                   << "集 計"
                                   << "スコアの成績を集計します" << false;
        QTest::newRow("HelpBtn") << "HelpBtn"
                                 << "Readme"
                                 << "" << true;
    }

    void toolButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);

        WindowFixture f;
        f.open();
        auto *button = f.find<QToolButton>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->size(), QSize(55, 49));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(button->isEnabled(), enabled);
        QVERIFY(button->isVisible());
    }

    void toolBarOrder()
    {
        WindowFixture f;
        f.open();
        auto *bar = f.find<QToolBar>(QStringLiteral("ToolBar1"));
        QStringList order;
        for (QAction *a : bar->actions()) {
            if (a->isSeparator())
                order.append(QStringLiteral("|"));
            else if (QWidget *w = bar->widgetForAction(a))
                order.append(w->objectName());
        }
        QCOMPARE(order,
            (QStringList {"GolferPanel", "|", "DataAppendBtn", "DataRegistBtn", "DataCancelBtn",
                "|", "DataDeleteBtn", "DataChangeBtn", "|", "ScoreBtn", "ChartBtn1", "ShukeiBtn",
                "|", "HelpBtn"}));
        QCOMPARE(f.label(QStringLiteral("GolferLabel"))->text(), QStringLiteral("登録ゴルファー"));
        QComboBox *golfers = f.combo(QStringLiteral("GolferCombo"));
        QCOMPARE(golfers->toolTip(), QStringLiteral("登録されているゴルファーを選択します"));
        QVERIFY(!golfers->isEditable());
    }

    void menuItemsAndButtonsFollowTheirActions()
    {
        WindowFixture f;
        f.writeGolfers({QStringLiteral("山田")});
        f.open();
        QAction *shukei = f.action(QStringLiteral("ShukeiAction"));
        QSignalSpy runs(shukei, &QAction::triggered);

        // The results page makes the tally available and takes Append away.
        f.clickTab(4);
        QVERIFY(shukei->isEnabled());
        QVERIFY(f.enabled(QStringLiteral("ShukeiDisp")));
        QVERIFY(f.find<QToolButton>(QStringLiteral("ShukeiBtn"))->isEnabled());
        QVERIFY(!f.find<QToolButton>(QStringLiteral("DataAppendBtn"))->isEnabled());
        const int afterPageChange = int(runs.size()); // entering the page runs the tally

        f.trigger(QStringLiteral("ShukeiDisp"));
        QCOMPARE(runs.size(), afterPageChange + 1);
        QTest::mouseClick(f.find<QToolButton>(QStringLiteral("ShukeiBtn")), Qt::LeftButton);
        QCOMPARE(runs.size(), afterPageChange + 2);

        f.clickTab(0);
        QVERIFY(!f.enabled(QStringLiteral("ShukeiDisp")));
        QVERIFY(!f.find<QToolButton>(QStringLiteral("ShukeiBtn"))->isEnabled());
        QVERIFY(f.find<QToolButton>(QStringLiteral("DataAppendBtn"))->isEnabled());

        // A button runs its action: Append opens the schedule page's boxes.
        QTest::mouseClick(f.find<QToolButton>(QStringLiteral("DataAppendBtn")), Qt::LeftButton);
        QVERIFY(!f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(f.find<QToolButton>(QStringLiteral("DataRegistBtn"))->isEnabled());
        QVERIFY(!f.edit(QStringLiteral("YTimeEdit"))->isReadOnly());
    }

    void windowOpensWithItsPagesAndGrids()
    {
        WindowFixture f;
        f.writeLinks({build::club(kA, QStringLiteral("http://a.jp")), build::club(kB)});
        f.open();

        QCOMPARE(f.form->windowTitle(), QStringLiteral("Kestro"));
        auto *pages = f.find<QTabWidget>(QStringLiteral("PageControl1"));
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i)
            tabs.append(pages->tabText(i));
        QCOMPARE(tabs, (QStringList {"予 定", "ゴルフ場", "コース", "スコアカード", "成 績"}));
        QCOMPARE(f.currentPage(), 0);
        QCOMPARE(f.status(), QStringLiteral("ゴルファーを選択してください"));

        QTreeWidget *tree = f.tree();
        QStringList top;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            top.append(tree->topLevelItem(i)->text(0));
        QCOMPARE(top, (QStringList {"予定", "ゴルフ場", "スコアカード"}));
        QCOMPARE(f.childTexts({kLinks}), (QStringList {kA, kB}));

        TStringGrid *links = grid(f, "LinksGrid");
        QCOMPARE(links->Row(0), (QStringList {"ゴルフ場", "住所", "電話番号", "ホームページ"}));
        QCOMPARE(links->ColWidth(0), 170);
        QCOMPARE(links->ColWidth(1), 220);
        QVERIFY(links->ColWidth(2) >= 90);
        QVERIFY(links->ColWidth(2)
            > links->fontMetrics().horizontalAdvance(QStringLiteral("043-000-0000")));
        QCOMPARE(links->RowCount(), 4);
        QCOMPARE(links->Row(1),
            (QStringList {kA, QStringLiteral("千葉県A倶楽部"), QStringLiteral("043-000-0000"),
                QStringLiteral("http://a.jp")}));
        QCOMPARE(links->Cell(0, 2), kB);
        QCOMPARE(links->Row(3), (QStringList {QString(), QString(), QString(), QString()}));

        TStringGrid *yotei = grid(f, "YoteiGrid");
        QCOMPARE(yotei->Row(0), (QStringList {"ラウンド日", "スタート", "ゴルフ場", "備 考"}));
        QCOMPARE(yotei->ColWidth(0), 80);
        QCOMPARE(yotei->ColWidth(1), 50);
        QCOMPARE(yotei->ColWidth(2), 170);
        QCOMPARE(yotei->RowCount(), 2);

        for (const char *name : {"YLinksCombo", "CLinksCombo", "SLinksCombo"}) {
            QComboBox *combo = f.combo(QString::fromLatin1(name));
            QCOMPARE(combo->count(), 2);
            QCOMPARE(combo->itemText(0), kA);
            QCOMPARE(combo->itemText(1), kB);
        }
        // The pages shown empty offer no club yet.
        QCOMPARE(f.combo(QStringLiteral("YLinksCombo"))->currentIndex(), -1);
        QCOMPARE(f.combo(QStringLiteral("CLinksCombo"))->currentIndex(), -1);
        for (const char *name : {"LinksNameEdit", "LinksAddressEdit", "LinksTelEdit", "URLEdit"})
            QCOMPARE(f.edit(QString::fromLatin1(name))->text(), QString());
    }

    void coursesHangUnderTheFirstClubOfTheirName()
    {
        WindowFixture f;
        // Two clubs of one name can come from an old file; a course of an unknown club stays in
        // the list but has no node.
        f.writeLinks({build::club(kA), build::club(kB), build::club(kA)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT")),
            build::course(QStringLiteral("Z"), QStringLiteral("X")),
            build::course(kB, QStringLiteral("東")), build::course(kA, QStringLiteral("IN"))});
        f.open();

        QTreeWidgetItem *links = f.node({kLinks});
        QCOMPARE(links->childCount(), 3);
        QCOMPARE(f.node({kLinks, kA}), links->child(0));
        QCOMPARE(f.childTexts({kLinks, kA}), (QStringList {"OUT", "IN"}));
        QCOMPARE(f.childTexts({kLinks, kB}), QStringList {QStringLiteral("東")});
        QCOMPARE(links->child(2)->childCount(), 0);
        QCOMPARE(f.form->courseList().size(), 4);
    }

    void enterMovesTheFocus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("to");
        const int enter = Qt::Key_Return;
        QTest::newRow("Enter") << "YTimeEdit" << enter << int(Qt::NoModifier) << "YLinksCombo";
        QTest::newRow("keypad Enter")
            << "YTimeEdit" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "YLinksCombo";
        QTest::newRow("Enter in a list")
            << "YLinksCombo" << enter << int(Qt::NoModifier) << "YBikouEdit";
        QTest::newRow("Shift+Enter")
            << "YBikouEdit" << enter << int(Qt::ShiftModifier) << "YLinksCombo";
        QTest::newRow("Shift+Enter in a list")
            << "YLinksCombo" << enter << int(Qt::ShiftModifier) << "YTimeEdit";
        QTest::newRow("Shift+keypad Enter")
            << "YBikouEdit" << int(Qt::Key_Enter) << int(Qt::ShiftModifier | Qt::KeypadModifier)
            << "YLinksCombo";
        // Only Shift alone goes back.
        QTest::newRow("Ctrl+Shift+Enter")
            << "YTimeEdit" << enter << int(Qt::ControlModifier | Qt::ShiftModifier)
            << "YLinksCombo";
        QTest::newRow("Alt+Shift+Enter")
            << "YTimeEdit" << enter << int(Qt::AltModifier | Qt::ShiftModifier) << "YLinksCombo";
        QTest::newRow("Ctrl+Enter")
            << "YTimeEdit" << enter << int(Qt::ControlModifier) << "YLinksCombo";
    }

    void enterMovesTheFocus()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, to);

        WindowFixture f;
        f.writeLinks({build::club(kA)});
        f.writeGolfers({QStringLiteral("山田")});
        f.open();
        // In the Adding mode the boxes are open, as when the user fills in an entry.
        f.trigger(QStringLiteral("DataAppendAction"));
        QWidget *start = f.find<QWidget>(from);
        start->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), start);

        QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
    }

    void memoNeverGetsALineBreak_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("forward");
        QTest::newRow("Enter") << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+Enter") << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Enter") << int(Qt::ControlModifier) << true;
        QTest::newRow("Ctrl+Shift+Enter") << int(Qt::ControlModifier | Qt::ShiftModifier) << true;
    }

    void memoNeverGetsALineBreak()
    {
        QFETCH(int, modifiers);
        QFETCH(bool, forward);

        WindowFixture f;
        f.open();
        f.clickTab(3);
        auto *memo = f.find<QPlainTextEdit>(QStringLiteral("Memo1"));
        memo->setReadOnly(false);
        auto focusMemo = [&] {
            memo->setFocus(Qt::MouseFocusReason);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(memo));
        };
        // Where Tab and Shift+Tab lead from the memo.
        focusMemo();
        QTest::keyClick(memo, forward ? Qt::Key_Tab : Qt::Key_Backtab);
        QWidget *expected = QApplication::focusWidget();
        QVERIFY(expected != memo);

        focusMemo();
        QTest::keyClicks(memo, QStringLiteral("ab"));
        QTest::keyClick(memo, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));

        QCOMPARE(memo->toPlainText(), QStringLiteral("ab"));
        QCOMPARE(QApplication::focusWidget(), expected);
    }

    void readmeOpensThroughTheDesktop_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("menu item") << true;
        QTest::newRow("tool button") << false;
    }

    void readmeOpensThroughTheDesktop()
    {
        QFETCH(bool, fromMenu);
        WindowFixture f;
        f.open();
        if (fromMenu)
            f.trigger(QStringLiteral("KestroG1"));
        else
            QTest::mouseClick(f.find<QToolButton>(QStringLiteral("HelpBtn")), Qt::LeftButton);
        const QUrl readme
            = QUrl::fromLocalFile(QDir(f.dir.path()).filePath(QStringLiteral("Readme.txt")));
        QCOMPARE(f.seams.desktop.opened, QList<QUrl> {readme});
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
    }

    void exitClosesTheWindow()
    {
        WindowFixture f;
        f.writeGolfers({QStringLiteral("山田")});
        f.open();
        const QByteArray golfers = [&] {
            QFile file(f.path(QStringLiteral("Golfer.dat")));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        f.trigger(QStringLiteral("Exit1"));
        QVERIFY(!f.form->isVisible());
        // Nothing is saved on the way out.
        QCOMPARE(
            QDir(f.dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("Golfer.dat")});
        QFile file(f.path(QStringLiteral("Golfer.dat")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), golfers);
    }

    void unreadableFileIsReportedAndTheWindowStillOpens_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Links.dat") << "Links.dat";
        QTest::newRow("Course.dat") << "Course.dat";
        QTest::newRow("Golfer.dat") << "Golfer.dat";
    }

    void unreadableFileIsReportedAndTheWindowStillOpens()
    {
        QFETCH(QString, file);
        WindowFixture f;
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
        f.writeGolfers({QStringLiteral("山田")});
        // A folder in place of the file cannot be read, even by root.
        QVERIFY(QFile::remove(f.path(file)));
        QVERIFY(QDir(f.dir.path()).mkdir(file));
        f.open();

        QVERIFY(f.form->isVisible());
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Kestro"));
        QVERIFY(!f.seams.dialogs.shown.isEmpty());
        QCOMPARE(f.seams.dialogs.shown.first().caption, QStringLiteral("Kestro"));
        QVERIFY2(f.seams.dialogs.shown.first().text.contains(file),
            qPrintable(f.seams.dialogs.shown.first().text));
        // The other files are read as usual.
        QCOMPARE(f.form->linksList().size(), file == QLatin1String("Links.dat") ? 0 : 1);
        QCOMPARE(f.form->courseList().size(), file == QLatin1String("Course.dat") ? 0 : 1);
        QCOMPARE(f.form->golferName(),
            file == QLatin1String("Golfer.dat") ? QString() : QStringLiteral("山田"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
