// The daily backups and their restore, and what the record book does with them: a copy
// before the first write of each day, a failure told but never stopping the save, and a
// batch of imported cards saved at once.
#include "core/data/backup.h"
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QDate kDay(2026, 12, 7);

QString dayName(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}
} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_outside;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString backupPath(const QString &folder, const QString &name = QString()) const
    {
        return m_dir->filePath(
            QStringLiteral("Backup/") + folder + (name.isEmpty() ? QString() : QChar('/') + name));
    }

    template <class T> void write(const QString &name, const QList<T> &list)
    {
        QVERIFY(datafile::writeRecords(path(name), list, nullptr));
    }

    // A club, a golfer with three cards and his ratings in Golfer.dat, the courses' stroke
    // indexes, and a golfer file of someone else.
    void writeSample()
    {
        for (const QString &side :
            {QStringLiteral("HoleHdcp.json"), kGolfer + QStringLiteral(".ratings.json")})
            QVERIFY(datafile::saveBytes(path(side), "{\"version\": 1}", nullptr));
        write(QStringLiteral("Links.dat"), QList<TLinksRecord> {build::club(kA)});
        QVERIFY(datafile::saveBytes(
            path(QStringLiteral("Golfer.dat")), datafile::formatGolferList({kGolfer}), nullptr));
        write(kGolfer + QStringLiteral(".sce"),
            QList<TScoreRecord> {build::card(QDate(2024, 5, 3), kA),
                build::card(QDate(2025, 6, 1), kA), build::card(QDate(2025, 8, 9), kA)});
        write(
            QStringLiteral("佐藤.yti"), QList<TYoteiRecord> {build::yotei(QDate(2027, 1, 5), kA)});
    }

    QHash<QString, QByteArray> files(const QString &dir) const
    {
        QHash<QString, QByteArray> all;
        for (const QString &name : QDir(dir).entryList(QDir::Files))
            if (name != QLatin1String("manifest.json"))
                all.insert(name, fileBytes(QDir(dir).filePath(name)));
        return all;
    }

    QStringList backups() const
    {
        return QDir(path(QStringLiteral("Backup")))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    RecordBook openBook(const QDate *day)
    {
        RecordBook book(m_dir->path(), [day] { return *day; });
        book.loadClubs();
        book.loadGolfer(kGolfer, kDay);
        return book;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        writeSample();
    }

    void dailyCopiesKeepTheNewestThirty()
    {
        // Folders of other names stay whatever their age.
        QVERIFY(QDir().mkpath(backupPath(QStringLiteral("2020-01-01 old"))));
        QVERIFY(QDir().mkpath(backupPath(QStringLiteral("notes"))));
        const QHash<QString, QByteArray> data = files(m_dir->path());
        for (int i = 30; i >= 0; --i) {
            const backup::Result made = backup::makeDailyBackup(m_dir->path(), kDay.addDays(-i));
            QVERIFY2(made.ok, qPrintable(made.error));
            QCOMPARE(made.folder, dayName(kDay.addDays(-i)));
        }
        // The same day again makes nothing.
        QCOMPARE(backup::makeDailyBackup(m_dir->path(), kDay).folder, QString());

        const QStringList left = backups();
        QCOMPARE(left.size(), 32);
        QVERIFY(!left.contains(dayName(kDay.addDays(-30))));
        QVERIFY(left.contains(dayName(kDay.addDays(-29))));
        QVERIFY(left.contains(QStringLiteral("2020-01-01 old")));
        QVERIFY(left.contains(QStringLiteral("notes")));
        QCOMPARE(files(backupPath(dayName(kDay))), data);

        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.size(), 30);
        QCOMPARE(listed.first().name, dayName(kDay));
        QCOMPARE(listed.last().name, dayName(kDay.addDays(-29)));
        QVERIFY(!listed.first().damaged());
        QCOMPARE(listed.first().cards, 3);
        QCOMPARE(listed.first().golfers.size(), 1);
        QCOMPARE(listed.first().golfers.first().name, kGolfer);
        QCOMPARE(listed.first().golfers.first().cards, 3);
    }

    void damagedCopiesAreNotRestored_data()
    {
        QTest::addColumn<QString>("file");
        // Bytes kept; -1 removes the file, -2 flips a byte, -3 adds one, -4 puts a link to a
        // file of the same bytes outside in its place.
        QTest::addColumn<int>("keep");
        QTest::addColumn<bool>("listedDamaged");
        // What the list says, naming the file by what it holds; the list of files itself is
        // said otherwise.
        QTest::addColumn<QString>("says");
        QTest::addRow("a file missing") << QStringLiteral("Links.dat") << -1 << true
                                        << QStringLiteral("ゴルフ場のファイルがありません");
        QTest::addRow("a file cut short")
            << kGolfer + QStringLiteral(".sce") << 1000 << true
            << kGolfer + QStringLiteral("のスコアカードが途中で切れています");
        QTest::addRow("its list of files gone")
            << QStringLiteral("manifest.json") << -1 << true << QString();
        QTest::addRow("a file grown since")
            << kGolfer + QStringLiteral(".sce") << -3 << true
            << kGolfer + QStringLiteral("のスコアカードの大きさが記録と違います");
        QTest::addRow("a file a link")
            << QStringLiteral("Golfer.dat") << -4 << true
            << QStringLiteral("ゴルファーのファイルがリンクになっています");
        QTest::addRow("its list of files a link")
            << QStringLiteral("manifest.json") << -4 << true << QString();
        // The listing reads sizes only; the restore reads every byte.
        QTest::addRow("a byte changed")
            << kGolfer + QStringLiteral(".sce") << -2 << false << QString();
    }

    void damagedCopiesAreNotRestored()
    {
        QFETCH(QString, file);
        QFETCH(int, keep);
        QFETCH(bool, listedDamaged);
        QFETCH(QString, says);
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        QFile damaged(backupPath(dayName(kDay), file));
        if (keep == -1) {
            QVERIFY(damaged.remove());
        } else if (keep == -4) {
            const QString moved = m_outside.filePath(file);
            QVERIFY(QFile::rename(damaged.fileName(), moved));
            QVERIFY(QFile::link(moved, backupPath(dayName(kDay), file)));
        } else if (keep == -3) {
            QVERIFY(damaged.open(QIODevice::Append));
            damaged.write("x");
            damaged.close();
        } else {
            QVERIFY(damaged.open(QIODevice::ReadWrite));
            if (keep == -2) {
                damaged.seek(100);
                damaged.write("\x7F");
            } else {
                QVERIFY(damaged.resize(keep));
            }
            damaged.close();
        }
        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().damaged(), listedDamaged);
        if (!says.isEmpty())
            QCOMPARE(listed.first().damage, says);

        const QHash<QString, QByteArray> before = files(m_dir->path());
        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), dayName(kDay));
        QVERIFY(!plan.ok());
        QVERIFY(plan.files.isEmpty());
        QVERIFY(!backup::applyRestore(m_dir->path(), plan).isEmpty());
        QCOMPARE(files(m_dir->path()), before);
    }

    void aRestoreCanBeUndone()
    {
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        const QHash<QString, QByteArray> older = files(m_dir->path());
        // Later that day: a card more, and a new golfer with files of his own.
        write(kGolfer + QStringLiteral(".sce"),
            QList<TScoreRecord> {build::card(QDate(2026, 12, 7), kA)});
        write(
            QStringLiteral("鈴木.sce"), QList<TScoreRecord> {build::card(QDate(2026, 12, 1), kA)});
        const QHash<QString, QByteArray> newer = files(m_dir->path());

        const backup::Result undo
            = backup::makeRestoreBackup(m_dir->path(), QDateTime(kDay, QTime(23, 59, 59)));
        // Later than the daily copy, whose time is the clock's.
        QCOMPARE(undo.folder, QStringLiteral("2026-12-07_235959"));
        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), dayName(kDay));
        QVERIFY(plan.ok());
        QCOMPARE(plan.removals, QStringList {QStringLiteral("鈴木.sce")});
        QCOMPARE(backup::applyRestore(m_dir->path(), plan), QStringList());
        QCOMPARE(files(m_dir->path()), older);

        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.first().name, undo.folder); // newest first
        QVERIFY(listed.first().beforeRestore);
        QCOMPARE(
            backup::applyRestore(m_dir->path(), backup::planRestore(m_dir->path(), undo.folder)),
            QStringList());
        QCOMPARE(files(m_dir->path()), newer);
    }

    void linkedCopiesArePrunedAsLinks()
    {
        // Thirty old copies elsewhere, linked in as the oldest copy, and a leftover of an
        // interrupted copy linked to a folder of somebody else's.
        const QString old = m_outside.filePath(QStringLiteral("old-copies"));
        const QString other = m_outside.filePath(QStringLiteral("outside"));
        for (const QString &folder : {old, other}) {
            QVERIFY(QDir().mkpath(folder));
            for (int i = 0; i < 30; ++i)
                QVERIFY(datafile::saveBytes(
                    QDir(folder).filePath(QStringLiteral("%1.sce").arg(i)), "keep", nullptr));
        }
        QVERIFY(QDir().mkpath(path(QStringLiteral("Backup"))));
        QVERIFY(QFile::link(old, backupPath(QStringLiteral("2001-01-01"))));
        QVERIFY(QFile::link(other, backupPath(QStringLiteral(".2020-01-01.abcdef"))));
        for (int i = 29; i >= 0; --i)
            QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay.addDays(-i)).ok);

        QVERIFY(!QFileInfo(backupPath(QStringLiteral("2001-01-01"))).isSymLink());
        QVERIFY(!QFileInfo(backupPath(QStringLiteral(".2020-01-01.abcdef"))).isSymLink());
        QCOMPARE(backups().size(), 30);
        for (const QString &folder : {old, other})
            QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 30);
    }

    void linkedCopyIsNotRestored()
    {
        // A whole copy, but in a folder outside that a link in Backup/ leads to.
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        QVERIFY(QDir().rename(backupPath(dayName(kDay)), m_outside.filePath(QStringLiteral("c"))));
        QVERIFY(QFile::link(m_outside.filePath(QStringLiteral("c")), backupPath(dayName(kDay))));
        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.size(), 1);
        QVERIFY(listed.first().damaged());
        QVERIFY(!backup::planRestore(m_dir->path(), dayName(kDay)).ok());
    }

    void restoreReplacesLinksAsLinks_data()
    {
        QTest::addColumn<bool>("oneFile"); // the copy holds Links.dat alone
        QTest::addRow("a copy of every file") << false;
        QTest::addRow("a copy of one file") << true;
    }

    void restoreReplacesLinksAsLinks()
    {
        QFETCH(bool, oneFile);
        if (oneFile)
            for (const QString &name : backup::dataFiles(m_dir->path()))
                if (name != QLatin1String("Links.dat"))
                    QVERIFY(QFile::remove(path(name)));
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        const QByteArray links = fileBytes(path(QStringLiteral("Links.dat")));
        // Now Links.dat leads outside, and a golfer the copy does not know has his cards
        // outside too.
        const QString outsideLinks = m_outside.filePath(QStringLiteral("Links.dat"));
        const QString outsideCards = m_outside.filePath(QStringLiteral("佐藤.sce"));
        QVERIFY(datafile::saveBytes(outsideLinks, "somebody else's clubs", nullptr));
        QVERIFY(datafile::saveBytes(outsideCards, "somebody else's cards", nullptr));
        QVERIFY(QFile::remove(path(QStringLiteral("Links.dat"))));
        QVERIFY(QFile::link(outsideLinks, path(QStringLiteral("Links.dat"))));
        QVERIFY(QFile::link(outsideCards, path(QStringLiteral("佐藤.sce"))));

        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), dayName(kDay));
        QVERIFY(plan.ok());
        journal::Outcome outcome = journal::Outcome::NotWritten;
        QCOMPARE(backup::applyRestore(m_dir->path(), plan, {}, &outcome, kDay), QStringList());
        QCOMPARE(outcome, journal::Outcome::Written);

        QCOMPARE(fileBytes(outsideLinks), QByteArray("somebody else's clubs"));
        QCOMPARE(fileBytes(outsideCards), QByteArray("somebody else's cards"));
        QVERIFY(!QFileInfo(path(QStringLiteral("Links.dat"))).isSymLink());
        QCOMPARE(fileBytes(path(QStringLiteral("Links.dat"))), links);
        QVERIFY(!QFileInfo(path(QStringLiteral("佐藤.sce"))).isSymLink());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("佐藤.sce"))));
    }

    void restoreIsWholeAfterACrash()
    {
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        write(kGolfer + QStringLiteral(".sce"),
            QList<TScoreRecord> {build::card(QDate(2026, 12, 7), kA)});
        write(
            QStringLiteral("鈴木.sce"), QList<TScoreRecord> {build::card(QDate(2026, 12, 1), kA)});
        const QHash<QString, QByteArray> before = files(m_dir->path());
        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), dayName(kDay));
        QHash<QString, QByteArray> after = before;
        after.remove(QStringLiteral("鈴木.sce"));
        for (const auto &[name, data] : plan.files)
            after.insert(name, data);

        // Stopped before each of its steps in turn, then started again.
        QStringList steps;
        for (int stopAt = 0;; ++stopAt) {
            const QString run = m_outside.filePath(QStringLiteral("run%1").arg(stopAt));
            QVERIFY(QDir().mkpath(run));
            for (const QString &name : before.keys())
                QVERIFY(datafile::saveBytes(QDir(run).filePath(name), before[name], nullptr));
            int step = 0;
            QStringList seen;
            backup::applyRestore(run, plan, [&](const QString &what) {
                seen.append(what);
                return step++ < stopAt;
            });
            if (step <= stopAt) {
                steps = seen;
                break;
            }
            journal::recover(run, kDay);
            const QHash<QString, QByteArray> found = files(run);
            QVERIFY2(found == before || found == after, qPrintable(seen.last()));
            QVERIFY(!QFileInfo::exists(journal::journalPath(run)));
        }
        QCOMPARE(steps.first(), QStringLiteral("journal"));
        QVERIFY(steps.contains(QStringLiteral("remove 鈴木.sce")));
    }

    void everyCopyIsOnTheDiskBeforeItsFolderIsNamed()
    {
        QStringList steps;
        datafile::setDiskSteps([&steps](datafile::DiskStep step, const QString &p) {
            static const char *const names[]
                = {"SyncFile", "Commit", "SyncFolder", "Rename", "Remove"};
            const QString name = QFileInfo(p).fileName();
            steps.append(QString::fromLatin1(names[int(step)]) + QChar(' ')
                + (name.startsWith(QChar('.')) ? QStringLiteral("<temporary>") : name));
            return 0;
        });
        const backup::Result made = backup::makeDailyBackup(m_dir->path(), kDay);
        datafile::setDiskSteps({});
        QVERIFY(made.ok);
        const QStringList expected = {"SyncFile Golfer.dat", "SyncFile Links.dat",
            "SyncFile HoleHdcp.json", "SyncFile 佐藤.yti", "SyncFile 山田.ratings.json",
            "SyncFile 山田.sce", "SyncFile manifest.json", "SyncFolder <temporary>",
            "Rename 2026-12-07", "SyncFolder Backup"};
        QCOMPARE(steps, expected);
    }

    void theBookCopiesBeforeItsFirstWriteOfEachDay()
    {
        QDate day = kDay;
        RecordBook book = openBook(&day);
        const QByteArray links = fileBytes(path(QStringLiteral("Links.dat")));
        QVERIFY(book.registerLinks(build::club(QStringLiteral("B"))).backupNotice.isEmpty());
        QCOMPARE(backups(), QStringList {dayName(kDay)});
        // The files as they stood before the write.
        QCOMPARE(fileBytes(backupPath(dayName(kDay), QStringLiteral("Links.dat"))), links);

        book.registerLinks(build::club(QStringLiteral("C")));
        QCOMPARE(backups(), QStringList {dayName(kDay)});
        day = kDay.addDays(1);
        book.registerLinks(build::club(QStringLiteral("D")));
        QCOMPARE(backups(), (QStringList {dayName(kDay), dayName(day)}));
        QCOMPARE(decodeRecords<TLinksRecord>(
                     fileBytes(backupPath(dayName(day), QStringLiteral("Links.dat"))))
                     .size(),
            3);
    }

    void importedCardsAreSavedAtOnce_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("strokesOnMay3");
        QTest::addRow("taken days left out") << false << 5;
        QTest::addRow("taken days replaced") << true << 6;
    }

    void importedCardsAreSavedAtOnce()
    {
        QFETCH(bool, replace);
        QFETCH(int, strokesOnMay3);
        QDate day = kDay;
        RecordBook book = openBook(&day);
        const QList<TScoreRecord> cards = {build::card(QDate(2023, 1, 9), kA, 6),
            build::card(QDate(2024, 5, 3), kA, 6), build::card(QDate(2025, 7, 1), kA, 6)};
        const BookChange change = book.importScores(cards, replace);
        QCOMPARE(change.writeErrors, QStringList());
        const QList<TScoreRecord> stored
            = decodeRecords<TScoreRecord>(fileBytes(path(kGolfer + QStringLiteral(".sce"))));
        QCOMPARE(dates(stored),
            (QStringList {QStringLiteral("2023/01/09"), QStringLiteral("2024/05/03"),
                QStringLiteral("2025/06/01"), QStringLiteral("2025/07/01"),
                QStringLiteral("2025/08/09")}));
        QCOMPARE(stored[1].Score[0], strokesOnMay3);
        QCOMPARE(encodeRecords(stored), encodeRecords(book.scores()));
        QCOMPARE(book.yearList(),
            (QStringList {QStringLiteral("全て"), QStringLiteral("2023年"),
                QStringLiteral("2024年"), QStringLiteral("2025年")}));
        QCOMPARE(backups(), QStringList {dayName(kDay)});
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
