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
        QTest::addColumn<int>("keep"); // bytes kept; -1 removes the file, -2 flips a byte
        QTest::addColumn<bool>("listedDamaged");
        QTest::addRow("a file missing") << QStringLiteral("Links.dat") << -1 << true;
        QTest::addRow("a file cut short") << kGolfer + QStringLiteral(".sce") << 1000 << true;
        QTest::addRow("its list of files gone") << QStringLiteral("manifest.json") << -1 << true;
        // The listing reads sizes only; the restore reads every byte.
        QTest::addRow("a byte changed") << kGolfer + QStringLiteral(".sce") << -2 << false;
    }

    void damagedCopiesAreNotRestored()
    {
        QFETCH(QString, file);
        QFETCH(int, keep);
        QFETCH(bool, listedDamaged);
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        QFile damaged(backupPath(dayName(kDay), file));
        if (keep == -1) {
            QVERIFY(damaged.remove());
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
        if (listedDamaged)
            QVERIFY2(listed.first().damage.contains(file) || file == QLatin1String("manifest.json"),
                qPrintable(listed.first().damage));

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
