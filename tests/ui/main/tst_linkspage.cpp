// Golf clubs through the window: register, show, change (with the rename carried into the
// other files), delete, and the guards around them.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QPushButton>
#include <QToolButton>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kLinks = QStringLiteral("ゴルフ場");
} // namespace

class TestLinksPage : public QObject
{
    Q_OBJECT

    TStringGrid *grid(WindowFixture &f) { return f.find<TStringGrid>(QStringLiteral("LinksGrid")); }

    void registerClub(WindowFixture &f, const QString &name, const QString &url = QString())
    {
        f.clickTab(1);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.type(QStringLiteral("LinksNameEdit"), name);
        f.type(QStringLiteral("LinksAddressEdit"), QStringLiteral("千葉県"));
        f.type(QStringLiteral("LinksTelEdit"), QStringLiteral("043-111-2222"));
        if (!url.isNull()) {
            f.edit(QStringLiteral("URLEdit"))->clear();
            f.type(QStringLiteral("URLEdit"), url);
        }
        f.trigger(QStringLiteral("DataRegistAction"));
    }

private Q_SLOTS:
    void registerAddsClubEverywhere()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.open();
        registerClub(f, kA);

        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        const auto stored = f.readLinks();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].LinksName, kA);
        QCOMPARE(stored[0].LinksAddress, QStringLiteral("千葉県"));
        QCOMPARE(stored[0].LinksTel, QStringLiteral("043-111-2222"));
        // The "http://" put there by Append alone is no address.
        QCOMPARE(stored[0].URL, QString());
        QCOMPARE(f.childTexts({kLinks}), QStringList {kA});
        for (const char *name : {"YLinksCombo", "CLinksCombo", "SLinksCombo"})
            QCOMPARE(f.combo(QString::fromLatin1(name))->itemText(0), kA);
        QCOMPARE(grid(f)->RowCount(), 3);
        QCOMPARE(grid(f)->Row(1),
            (QStringList {
                kA, QStringLiteral("千葉県"), QStringLiteral("043-111-2222"), QString()}));
        QCOMPARE(f.status(), QStringLiteral("登録ゴルフ場数 1コース"));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataCancelAction")));
        QVERIFY(f.edit(QStringLiteral("LinksNameEdit"))->isReadOnly());
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), QString());
    }

    void registerRefusals()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.open();

        registerClub(f, kA);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("既に、そのゴルフ場は登録済みです"));
        QVERIFY(f.enabled(QStringLiteral("DataRegistAction"))); // still adding
        QCOMPARE(f.readLinks().size(), 1);

        f.trigger(QStringLiteral("DataCancelAction"));
        f.trigger(QStringLiteral("DataAppendAction"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルフ場が入力されていません"));
    }

    void diskSpaceThreshold()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.open();
        f.seams.disk.bytes = 149;
        registerClub(f, kA);
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("ディスクの空き容量がありません\n空き容量は 149バイトです"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY(f.readLinks().isEmpty());
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), QString());

        f.seams.disk.bytes = 150;
        f.seams.dialogs.clear();
        registerClub(f, kA);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.readLinks().size(), 1);
    }

    void appendNeedsGolferAndHintsOnTyping()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer, QStringLiteral("佐藤")});
        f.writeLinks({build::club(kA)});
        f.open();
        f.clickTab(1);
        f.trigger(QStringLiteral("DataAppendAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルファーを選択してください"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));

        // Empty page: each key press reminds the user to press Append.
        f.seams.dialogs.clear();
        f.type(QStringLiteral("LinksNameEdit"), QStringLiteral("ab"), false);
        QCOMPARE(f.seams.dialogs.texts(),
            (QStringList {QStringLiteral("追加をクリックしてください"),
                QStringLiteral("追加をクリックしてください")}));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("情報"));
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), QString());
        // Backspace edits too; the cursor keys do not.
        f.seams.dialogs.clear();
        QTest::keyClick(f.edit(QStringLiteral("LinksNameEdit")), Qt::Key_Backspace);
        QTest::keyClick(f.edit(QStringLiteral("LinksNameEdit")), Qt::Key_Left);
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("追加をクリックしてください")});

        // A shown club takes typing without a word.
        f.seams.dialogs.clear();
        f.clickNode({kLinks, kA});
        f.type(QStringLiteral("LinksNameEdit"), QStringLiteral("x"), false);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
    }

    void showFromTreeAndTab()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA, QStringLiteral("http://a.example.jp")), build::club(kB)});
        f.open();
        f.clickNode({kLinks, kB});
        QCOMPARE(f.currentPage(), 1);
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), kB);
        QCOMPARE(f.status(), QStringLiteral("登録ゴルフ場 2コース"));
        QCOMPARE(grid(f)->SelectedRow(), 2);
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
        QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
        QCOMPARE(f.find<QToolButton>(QStringLiteral("DataAppendBtn"))->toolTip(),
            QStringLiteral("ゴルフ場データを追加します"));

        f.clickTab(0);
        f.clickTab(1);
        QCOMPARE(f.status(), QStringLiteral("登録ゴルフ場数 2コース"));
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), QString());
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
        QCOMPARE(f.tree()->currentItem(), nullptr);

        // A click on a top node changes nothing on the page.
        f.clickNode({kLinks, kA});
        f.clickNode({kLinks});
        QCOMPARE(f.edit(QStringLiteral("LinksNameEdit"))->text(), kA);
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
    }

    void renameIsCarriedIntoAllFiles()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kB, QStringLiteral("OUT"))});
        f.writeYotei(
            kGolfer, {build::yotei(QDate(2027, 1, 5), kA), build::yotei(QDate(2027, 2, 5), kB)});
        f.writeScores(
            kGolfer, {build::card(QDate(2020, 5, 3), kA), build::card(QDate(2021, 5, 3), kB)});
        f.open();

        f.clickNode({kLinks, kA});
        f.edit(QStringLiteral("LinksNameEdit"))->setText(QStringLiteral("新A倶楽部"));
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(
            f.seams.dialogs.last().text, QStringLiteral("このゴルフ場のデータを変更しますか？"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("確認"));
        QCOMPARE(f.seams.dialogs.last().buttons,
            (QStringList {QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));

        const QString renamed = QStringLiteral("新A倶楽部");
        QCOMPARE(f.readLinks()[0].LinksName, renamed);
        QCOMPARE(f.readCourses()[0].LinksName, renamed);
        QCOMPARE(f.readCourses()[1].LinksName, kB);
        QCOMPARE(f.readYotei(kGolfer)[0].LinksName, renamed);
        QCOMPARE(f.readYotei(kGolfer)[1].LinksName, kB);
        QCOMPARE(f.readScores(kGolfer)[0].LinksName, renamed);
        QCOMPARE(f.readScores(kGolfer)[1].LinksName, kB);
        QCOMPARE(f.childTexts({kLinks}), (QStringList {renamed, kB}));
        QCOMPARE(f.childTexts({kLinks, renamed}), QStringList {QStringLiteral("OUT")});
        for (const char *name : {"YLinksCombo", "CLinksCombo", "SLinksCombo"})
            QCOMPARE(f.combo(QString::fromLatin1(name))->itemText(0), renamed);
        QCOMPARE(grid(f)->Cell(0, 1), renamed);
        QCOMPARE(f.find<TStringGrid>(QStringLiteral("YoteiGrid"))->Cell(2, 1), renamed);
        // The record stays shown and editable.
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
    }

    void renameToExistingClubRefused()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kB, QStringLiteral("OUT"))});
        f.open();
        const QByteArray before = [&] {
            QFile file(f.path(QStringLiteral("Links.dat")));
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        f.clickNode({kLinks, kA});
        f.edit(QStringLiteral("LinksNameEdit"))->setText(kB);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("既に、そのゴルフ場は登録済みです"));
        QFile file(f.path(QStringLiteral("Links.dat")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(f.readCourses()[0].LinksName, kA);
        QCOMPARE(f.childTexts({kLinks}), (QStringList {kA, kB}));
    }

    void changeOnlyAddressWritesOnlyLinks()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
        f.open();
        const QDateTime courseTime = QFileInfo(f.path(QStringLiteral("Course.dat"))).lastModified();
        QFile::remove(f.path(QStringLiteral("Course.dat")) + QStringLiteral(".keep"));
        QFile::copy(f.path(QStringLiteral("Course.dat")), f.path(QStringLiteral("Course.keep")));
        QFile::remove(f.path(QStringLiteral("Course.dat")));

        f.clickNode({kLinks, kA});
        f.edit(QStringLiteral("LinksAddressEdit"))->setText(QStringLiteral("東京都"));
        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.readLinks()[0].LinksAddress, build::club(kA).LinksAddress);

        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.readLinks()[0].LinksAddress, QStringLiteral("東京都"));
        // Neither the course file nor a golfer's file was written.
        QVERIFY(!QFile::exists(f.path(QStringLiteral("Course.dat"))));
        QVERIFY(!QFile::exists(f.path(kGolfer + QStringLiteral(".yti"))));
        QVERIFY(!QFile::exists(f.path(kGolfer + QStringLiteral(".sce"))));
        Q_UNUSED(courseTime);
    }

    void deleteRefusedWhileInUse()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kB, QStringLiteral("OUT"))});
        f.writeYotei(kGolfer, {build::yotei(QDate(2027, 1, 5), kA)});
        f.open();

        // Named by both: the schedule is reported.
        f.clickNode({kLinks, kA});
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("このゴルフ場は、予定に登録されていますので、削除できません"));

        f.clickNode({kLinks, kB});
        // A name typed over the shown one does not sneak past the check.
        f.edit(QStringLiteral("LinksNameEdit"))->setText(QStringLiteral("別名"));
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("このゴルフ場は、コースに登録されていますので、削除できません"));
        QCOMPARE(f.readLinks().size(), 2);
        QCOMPARE(f.combo(QStringLiteral("SLinksCombo"))->count(), 2);
        QVERIFY(f.enabled(QStringLiteral("DataDeleteAction")));
    }

    void deleteClubOnlyCardsName()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB), build::club(QStringLiteral("C"))});
        f.writeScores(kGolfer, {build::card(QDate(2020, 5, 3), kB)});
        f.open();
        f.clickNode({kLinks, kB});
        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.readLinks().size(), 3);

        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(
            f.seams.dialogs.last().text, QStringLiteral("このゴルフ場のデータを削除しますか？"));
        const auto stored = f.readLinks();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[1].LinksName, QStringLiteral("C"));
        QCOMPARE(f.childTexts({kLinks}), (QStringList {kA, QStringLiteral("C")}));
        QCOMPARE(grid(f)->RowCount(), 4);
        QCOMPARE(grid(f)->Cell(0, 2), QStringLiteral("C"));
        QCOMPARE(grid(f)->Cell(0, 3), QString());
        for (const char *name : {"YLinksCombo", "CLinksCombo", "SLinksCombo"})
            QCOMPARE(f.combo(QString::fromLatin1(name))->itemText(1), QStringLiteral("C"));
        QCOMPARE(f.readScores(kGolfer)[0].LinksName, kB);
        QCOMPARE(f.status(), QStringLiteral("登録ゴルフ場数 2コース"));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
    }

    void homePageButton_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("message");
        QTest::addRow("empty") << QString()
                               << QStringLiteral("ホームページアドレスが設定されていません");
        QTest::addRow("prefix only") << QStringLiteral(" http:// ")
                                     << QStringLiteral("ホームページアドレスが設定されていません");
        QTest::addRow("https") << QStringLiteral("https://a.jp")
                               << QStringLiteral("ホームページアドレスではありません");
        QTest::addRow("leading blank") << QStringLiteral(" http://a.jp")
                                       << QStringLiteral("ホームページアドレスではありません");
        QTest::addRow("good") << QStringLiteral("http://a.jp") << QString();
    }

    void homePageButton()
    {
        QFETCH(QString, url);
        QFETCH(QString, message);
        WindowFixture f;
        f.writeLinks({build::club(kA, url)});
        f.writeGolfers({kGolfer});
        f.open();
        f.clickNode({kLinks, kA});
        QTest::mouseClick(f.find<QPushButton>(QStringLiteral("URLButton")), Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(f.seams.dialogs.shown.size(), 0);
            QCOMPARE(f.seams.desktop.opened, QList<QUrl> {QUrl(url)});
        } else {
            QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
            QCOMPARE(f.seams.dialogs.last().text, message);
            QVERIFY(f.seams.desktop.opened.isEmpty());
        }
    }
};

QTEST_MAIN(TestLinksPage)
#include "tst_linkspage.moc"
