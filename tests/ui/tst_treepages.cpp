// The tree and the page switch: what a click or a tab change does to the page, the actions,
// the hints and the status bar.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QToolButton>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
} // namespace

class TestTreePages : public QObject
{
    Q_OBJECT

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
