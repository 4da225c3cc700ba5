// The safety machinery through the window: a journal found at the start that is not what it
// claims, a copied folder with a change to finish, a change the disk fails half way, and the
// backups and their restore beside links that lead out of the folder.
#include "core/data/backup.h"
#include "core/data/datafile.h"
#include "core/data/journal.h"
#include "core/data/recordbook.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"
#include "ui/main/stringgrid.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include <cerrno>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kNewA = QStringLiteral("新A倶楽部");
const QString kYamada = QStringLiteral("山田");
const QString kLinks = QStringLiteral("ゴルフ場");
const QString kAside = QStringLiteral("Kestro.journal.damaged-2026-12-07");
const QStringList kClubBoxes
    = {QStringLiteral("YLinksCombo"), QStringLiteral("CLinksCombo"), QStringLiteral("SLinksCombo")};

void writeSample(WindowFixture &f)
{
    f.writeGolfers({kYamada});
    f.writeLinks({build::club(kA), build::club(kB)});
    f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
    f.writeYotei(kYamada, {build::yotei(QDate(2027, 1, 10), kA)});
    f.writeScores(
        kYamada, {build::card(QDate(2025, 6, 1), kA), build::card(QDate(2025, 7, 1), kB)});
}

// Every file of a folder by its bytes, and every link by where it leads.
QMap<QString, QByteArray> entries(const QString &folder)
{
    QMap<QString, QByteArray> all;
    const QFileInfoList list
        = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &info : list)
        all.insert(info.fileName(),
            info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8() : fileBytes(info.filePath()));
    return all;
}

QByteArray writeLine(const QString &name, const QByteArray &bytes)
{
    return "W " + name.toUtf8().toPercentEncoding() + ' '
        + (name + ".pending").toUtf8().toPercentEncoding() + ' ' + QByteArray::number(bytes.size())
        + ' ' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\n';
}

void put(const QString &path, const QByteArray &bytes)
{
    QVERIFY2(datafile::saveBytes(path, bytes, nullptr), qPrintable(path));
}

void renameClubA(WindowFixture &f)
{
    f.clickNode({kLinks, kA});
    f.edit(QStringLiteral("LinksNameEdit"))->setText(kNewA);
    f.seams.dialogs.answerConfirm(true);
    f.trigger(QStringLiteral("DataChangeAction"));
}

void registerClub(WindowFixture &f, const QString &name)
{
    f.clickTab(1);
    f.trigger(QStringLiteral("DataAppendAction"));
    f.edit(QStringLiteral("LinksNameEdit"))->clear(); // a refused name stays in the box
    f.type(QStringLiteral("LinksNameEdit"), name);
    f.trigger(QStringLiteral("DataRegistAction"));
}

// What the window shows of the clubs: the tree, the three boxes and the grid, each a list.
QList<QStringList> shownClubs(WindowFixture &f)
{
    QList<QStringList> shown {f.childTexts({kLinks})};
    for (const QString &box : kClubBoxes) {
        QStringList items;
        for (int i = 0; i < f.combo(box)->count(); ++i)
            items.append(f.combo(box)->itemText(i));
        shown.append(items);
    }
    QStringList rows;
    auto *grid = f.find<TStringGrid>(QStringLiteral("LinksGrid"));
    for (int row = 1; row + 1 < grid->RowCount(); ++row)
        rows.append(grid->Cell(0, row));
    shown.append(rows);
    return shown;
}

QList<QStringList> clubsShownAs(const QStringList &names)
{
    return QList<QStringList>(5, names);
}

QStringList texts(const QList<ScriptedDialogs::Shown> &shown)
{
    QStringList all;
    for (const ScriptedDialogs::Shown &s : shown)
        all.append(s.caption + QStringLiteral(": ") + s.text);
    return all;
}
} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_out;

private Q_SLOTS:
    void init() { m_out = std::make_unique<QTemporaryDir>(); }
    void cleanup() { datafile::setDiskSteps({}); }

    void hostileJournalIsKeptAsideAndToldOnce_data()
    {
        QTest::addColumn<QByteArray>("lines"); // @ stands for the victim's path outside
        QTest::addRow("removal outside") << QByteArray("R @\n");
        QTest::addRow("removal up a folder") << QByteArray("R ..%2F..%2Fvictim.txt\n");
        QTest::addRow("a data file as the pending file of another")
            << QByteArray("W Golfer.dat Links.dat 272 ") + QByteArray(64, 'a') + '\n';
        QTest::addRow("pending file outside")
            << QByteArray("W Links.dat @ 8 ") + QByteArray(64, 'a') + '\n';
    }

    void hostileJournalIsKeptAsideAndToldOnce()
    {
        QFETCH(QByteArray, lines);
        WindowFixture f;
        writeSample(f);
        const QString victim = m_out->filePath(QStringLiteral("victim.txt"));
        put(victim, "precious");
        lines.replace('@', victim.toUtf8().toPercentEncoding());
        const QByteArray journal = "kestro-journal 2\ncomplete\n" + lines;
        put(f.path(QStringLiteral("Kestro.journal")), journal);
        auto expected = entries(f.dir.path());
        expected.insert(kAside, expected.take(QStringLiteral("Kestro.journal")));

        f.open();
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("情報"));
        QVERIFY2(
            f.seams.dialogs.last().text.contains(kAside), qPrintable(f.seams.dialogs.last().text));
        QCOMPARE(entries(f.dir.path()), expected);
        QCOMPARE(fileBytes(victim), QByteArray("precious"));
        QCOMPARE(shownClubs(f), clubsShownAs({kA, kB}));

        f.seams.dialogs.clear();
        f.open();
        QCOMPARE(texts(f.seams.dialogs.shown), QStringList());
    }

    void mismatchingPendingFileIsInstalledNowhere()
    {
        WindowFixture f;
        writeSample(f);
        const QByteArray clubs
            = encodeRecords(QList<TLinksRecord> {build::club(QStringLiteral("C"))});
        const QByteArray golfers = datafile::formatGolferList({kYamada, QStringLiteral("鈴木")});
        put(f.path(QStringLiteral("Golfer.dat.pending")), golfers);
        put(f.path(QStringLiteral("Links.dat.pending")), QByteArray(50, 'x'));
        put(f.path(QStringLiteral("Kestro.journal")),
            "kestro-journal 2\ncomplete\n" + writeLine(QStringLiteral("Golfer.dat"), golfers)
                + writeLine(QStringLiteral("Links.dat"), clubs));
        const QByteArray links = fileBytes(f.path(QStringLiteral("Links.dat")));
        const QByteArray list = fileBytes(f.path(QStringLiteral("Golfer.dat")));

        f.open();
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QVERIFY(f.seams.dialogs.last().text.contains(QStringLiteral("Links.dat")));
        QCOMPARE(fileBytes(f.path(QStringLiteral("Links.dat"))), links);
        QCOMPARE(fileBytes(f.path(QStringLiteral("Golfer.dat"))), list);
        QCOMPARE(shownClubs(f), clubsShownAs({kA, kB}));
        QCOMPARE(f.combo(QStringLiteral("GolferCombo"))->count(), 1);
    }

    void copiedFolderRecoversItself()
    {
        // A rename stopped half way in one folder, which is then copied whole.
        WindowFixture f;
        writeSample(f);
        const QString original = m_out->filePath(QStringLiteral("original"));
        QVERIFY(QDir().mkpath(original));
        for (const QString &name : entries(f.dir.path()).keys())
            QVERIFY(QFile::copy(f.path(name), QDir(original).filePath(name)));
        {
            RecordBook book(original, [] { return QDate(2026, 12, 7); });
            book.loadClubs();
            book.loadGolfers();
            book.loadGolfer(kYamada, QDate(2026, 12, 7));
            book.setStepHook(
                [](const QString &step) { return step != QStringLiteral("replace 山田.yti"); });
            const BookChange change = book.changeLinks(0, build::club(kNewA));
            QCOMPARE(change.refusal, Refusal::None);
            QCOMPARE(change.writeErrors, QStringList());
        }
        const auto half = entries(original);
        QVERIFY(half.contains(QStringLiteral("Kestro.journal")));
        for (const QString &name : entries(f.dir.path()).keys())
            QVERIFY(QFile::remove(f.path(name)));
        for (const QString &name : half.keys())
            QVERIFY(QFile::copy(QDir(original).filePath(name), f.path(name)));

        f.open();
        QCOMPARE(texts(f.seams.dialogs.shown),
            QStringList {QStringLiteral("情報: 前回中断された変更を最後まで書き込みました")});
        QCOMPARE(shownClubs(f), clubsShownAs({kNewA, kB}));
        QCOMPARE(f.readYotei(kYamada)[0].LinksName, kNewA);
        QCOMPARE(f.readScores(kYamada)[0].LinksName, kNewA);
        QCOMPARE(f.readCourses()[0].LinksName, kNewA);
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("Kestro.journal"))));
        QCOMPARE(entries(original), half);
    }

    void refusedRenameLeavesTheWindowAsItWas()
    {
        WindowFixture f;
        writeSample(f);
        f.open();
        const auto before = entries(f.dir.path());
        // The card file's new bytes cannot be written: nothing of the rename may stay.
        datafile::setDiskSteps([&f](datafile::DiskStep step, const QString &path) {
            return step == datafile::DiskStep::Commit && path == f.path(kYamada + ".sce.pending")
                ? ENOSPC
                : 0;
        });
        renameClubA(f);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("Kestro"));
        QVERIFY(f.seams.dialogs.last().text.contains(kYamada + QStringLiteral(".sce.pending")));
        QCOMPARE(shownClubs(f), clubsShownAs({kA, kB}));
        QCOMPARE(f.find<TStringGrid>(QStringLiteral("YoteiGrid"))->Cell(2, 1), kA);
        QCOMPARE(f.form->linksList()[0].LinksName, kA);
        auto now = entries(f.dir.path());
        QCOMPARE(now, before);
    }

    void failedReplaceThenSaveThenRestartLosesNothing()
    {
        WindowFixture f;
        writeSample(f);
        f.open();
        bool failing = true;
        datafile::setDiskSteps([&](datafile::DiskStep step, const QString &path) {
            return failing && step == datafile::DiskStep::Rename
                    && path == f.path(kYamada + QStringLiteral(".sce"))
                ? EIO
                : 0;
        });
        renameClubA(f);
        const QStringList told = texts(f.seams.dialogs.shown);
        QVERIFY2(told.join('\n').contains(QStringLiteral("ファイルに書き込めません")),
            qPrintable(told.join('\n')));
        QVERIFY(told.join('\n').contains(QStringLiteral("Input/output error")));
        // The rename stands, as the files will once it is finished.
        QCOMPARE(shownClubs(f), clubsShownAs({kNewA, kB}));

        // A club more while the disk still fails: refused, and nothing shown of it.
        f.seams.dialogs.clear();
        registerClub(f, QStringLiteral("C倶楽部"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY2(f.seams.dialogs.last().text.contains(QStringLiteral("書き込みの終わっていない")),
            qPrintable(f.seams.dialogs.last().text));
        QCOMPARE(shownClubs(f), clubsShownAs({kNewA, kB}));

        // The disk is well again: the rename is finished first, then the club saved.
        failing = false;
        f.seams.dialogs.clear();
        registerClub(f, QStringLiteral("C倶楽部"));
        QCOMPARE(texts(f.seams.dialogs.shown),
            QStringList {QStringLiteral("情報: 前回中断された変更を最後まで書き込みました")});
        QCOMPARE(shownClubs(f), clubsShownAs({kNewA, kB, QStringLiteral("C倶楽部")}));

        f.seams.dialogs.clear();
        f.open();
        QCOMPARE(texts(f.seams.dialogs.shown), QStringList());
        QCOMPARE(shownClubs(f), clubsShownAs({kNewA, kB, QStringLiteral("C倶楽部")}));
        QCOMPARE(dates(f.readScores(kYamada)), (QStringList {"2025/06/01", "2025/07/01"}));
        QCOMPARE(f.readScores(kYamada)[0].LinksName, kNewA);
        QCOMPARE(f.readYotei(kYamada)[0].LinksName, kNewA);
        QCOMPARE(f.readCourses()[0].LinksName, kNewA);
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("Kestro.journal"))));
        QVERIFY(!QFileInfo::exists(f.path(kYamada + QStringLiteral(".sce.pending"))));
    }

    void linkedCopiesArePrunedWithoutTouchingWhereTheyLead()
    {
        WindowFixture f;
        writeSample(f);
        for (int i = 30; i >= 1; --i)
            QVERIFY(backup::makeDailyBackup(f.dir.path(), QDate(2026, 12, 7).addDays(-i)).ok);
        const QString old = m_out->filePath(QStringLiteral("old-copies"));
        const QString other = m_out->filePath(QStringLiteral("outside"));
        for (const QString &folder : {old, other}) {
            QVERIFY(QDir().mkpath(folder));
            put(QDir(folder).filePath(QStringLiteral("山田.sce")), "somebody's");
        }
        QVERIFY(QFile::link(old, f.path(QStringLiteral("Backup/2001-01-01"))));
        QVERIFY(QFile::link(other, f.path(QStringLiteral("Backup/.2020-01-01.abcdef"))));
        f.open();

        registerClub(f, QStringLiteral("C倶楽部")); // the first write of the day
        QCOMPARE(texts(f.seams.dialogs.shown), QStringList());
        const QStringList copies = QDir(f.path(QStringLiteral("Backup")))
                                       .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(copies.size(), 30);
        QVERIFY(copies.contains(QStringLiteral("2026-12-07")));
        QVERIFY(!copies.contains(QStringLiteral("2001-01-01")));
        for (const QString &folder : {old, other})
            QCOMPARE(fileBytes(QDir(folder).filePath(QStringLiteral("山田.sce"))),
                QByteArray("somebody's"));
    }

    void failedRestoreSaysSoAndKeepsTheWindow()
    {
        WindowFixture f;
        writeSample(f);
        QVERIFY(backup::makeDailyBackup(f.dir.path(), QDate(2026, 12, 6)).ok);
        f.writeLinks({build::club(kA), build::club(kB), build::club(QStringLiteral("C倶楽部"))});
        f.open();
        const auto before = entries(f.dir.path());
        datafile::setDiskSteps([&f](datafile::DiskStep step, const QString &path) {
            return step == datafile::DiskStep::Commit && path == f.path("Links.dat.pending") ? EIO
                                                                                             : 0;
        });
        f.find<TModalDialog>(QStringLiteral("RestoreDialog"))->setRunner([](TModalDialog &d) {
            QTest::mouseClick(
                d.findChild<QPushButton *>(QStringLiteral("RestoreButton")), Qt::LeftButton);
        });
        f.seams.dialogs.answerConfirm(true);
        const QPointer<TMainForm> window = f.form.get();
        f.trigger(QStringLiteral("RestoreMenu"));
        QCoreApplication::processEvents();

        QVERIFY(!window.isNull());
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        // The copy is named by its day and the time it was taken.
        const QString failed = f.seams.dialogs.last().text;
        QVERIFY2(QRegularExpression(QStringLiteral("^2026/12/06 \\d\\d:\\d\\d のバックアップから"
                                                   "復元できませんでした。データは元のままです$"))
                     .match(failed)
                     .hasMatch(),
            qPrintable(failed));
        QCOMPARE(entries(f.dir.path()), before);
        QCOMPARE(shownClubs(f), clubsShownAs({kA, kB, QStringLiteral("C倶楽部")}));
    }

    void restoreBesideLinks()
    {
        WindowFixture f;
        writeSample(f);
        QVERIFY(backup::makeDailyBackup(f.dir.path(), QDate(2026, 12, 6)).ok);
        const QByteArray links = fileBytes(f.path(QStringLiteral("Links.dat")));
        // An older copy whose golfer list is a link to a secret, its list of files made to
        // match.
        QVERIFY(backup::makeDailyBackup(f.dir.path(), QDate(2026, 12, 5)).ok);
        const QString secret = m_out->filePath(QStringLiteral("secret.txt"));
        put(secret, fileBytes(f.path(QStringLiteral("Golfer.dat"))));
        QVERIFY(QFile::remove(f.path(QStringLiteral("Backup/2026-12-05/Golfer.dat"))));
        QVERIFY(QFile::link(secret, f.path(QStringLiteral("Backup/2026-12-05/Golfer.dat"))));
        // Now the club file leads outside, and cards of a golfer no copy knows are outside too.
        const QString outsideLinks = m_out->filePath(QStringLiteral("Links.dat"));
        const QString outsideCards = m_out->filePath(QStringLiteral("佐藤.sce"));
        put(outsideLinks, "somebody else's clubs");
        put(outsideCards, "somebody else's cards");
        QVERIFY(QFile::remove(f.path(QStringLiteral("Links.dat"))));
        QVERIFY(QFile::link(outsideLinks, f.path(QStringLiteral("Links.dat"))));
        QVERIFY(QFile::link(outsideCards, f.path(QStringLiteral("佐藤.sce"))));
        f.open();
        f.seams.dialogs.clear();

        QList<QStringList> rows;
        f.find<TModalDialog>(QStringLiteral("RestoreDialog"))->setRunner([&rows](TModalDialog &d) {
            auto *list = d.findChild<QTreeWidget *>(QStringLiteral("BackupList"));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows.append(
                    {list->topLevelItem(i)->text(0).left(10), list->topLevelItem(i)->text(2)});
            list->setCurrentItem(list->topLevelItem(0));
            QTest::mouseClick(
                d.findChild<QPushButton *>(QStringLiteral("RestoreButton")), Qt::LeftButton);
        });
        f.seams.dialogs.answerConfirm(true);
        const QPointer<TMainForm> before = f.form.get();
        f.trigger(QStringLiteral("RestoreMenu"));
        QCoreApplication::processEvents();
        QVERIFY(before.isNull());

        QCOMPARE(rows,
            (QList<QStringList> {{QStringLiteral("2026/12/06"), QStringLiteral("正常")},
                {QStringLiteral("2026/12/05"),
                    QStringLiteral("破損: ゴルファーのファイルがリンクになっています")}}));
        QCOMPARE(fileBytes(outsideLinks), QByteArray("somebody else's clubs"));
        QCOMPARE(fileBytes(outsideCards), QByteArray("somebody else's cards"));
        QCOMPARE(fileBytes(secret), fileBytes(f.path(QStringLiteral("Golfer.dat"))));
        QVERIFY(!QFileInfo(f.path(QStringLiteral("Links.dat"))).isSymLink());
        QCOMPARE(fileBytes(f.path(QStringLiteral("Links.dat"))), links);
        QVERIFY(!QFileInfo(f.path(QStringLiteral("佐藤.sce"))).isSymLink());
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("佐藤.sce"))));
        QCOMPARE(shownClubs(f), clubsShownAs({kA, kB}));
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
