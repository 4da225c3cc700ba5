// The competitions go with the daily copies of the data files and come back with a restore;
// their folder is one level down, so a link there or in a copy must lead nowhere outside.
#include "core/compe/compestore.h"
#include "core/data/backup.h"
#include "core/data/datafile.h"
#include "core/data/journal.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace compe;

namespace {

const QDate kDay(2026, 12, 7);
const QString kCopy = QStringLiteral("2026-12-07");
const QString kFirst = QStringLiteral("2026-11-03_山田会.json");
const QString kSecond = QStringLiteral("2026-11-20_秋の会.json");

Competition sample(const QDate &day, const QString &name, int strokes)
{
    Competition c;
    c.date = day;
    c.name = name;
    c.club = QStringLiteral("A倶楽部");
    c.courses = {QStringLiteral("東"), QStringLiteral("西")};
    c.pars.fill(4);
    c.players = {{QStringLiteral("山田"), {}, true}};
    c.players[0].scores.fill(strokes);
    return c;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCompeBackup : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_outside;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString compe(const QString &file) const { return path(QStringLiteral("Compe/") + file); }

    // A golfer list (so that there is a data file) and two stored competitions.
    void writeSample()
    {
        QVERIFY(datafile::saveBytes(path(QStringLiteral("Golfer.dat")),
            datafile::formatGolferList({QStringLiteral("山田")}), nullptr));
        CompeStore store(m_dir->path(), [] { return kDay; });
        QVERIFY(store.save(sample(QDate(2026, 11, 3), QStringLiteral("山田会"), 5)).ok());
        QVERIFY(store.save(sample(QDate(2026, 11, 20), QStringLiteral("秋の会"), 6)).ok());
    }

    QStringList restore(journal::Outcome *outcome = nullptr)
    {
        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), kCopy);
        if (!plan.ok())
            return {plan.error};
        return backup::applyRestore(m_dir->path(), plan, {}, outcome, kDay);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        writeSample();
    }

    // Stored, copied, changed, one deleted and another made; the restore gives back the
    // competitions of the copy, as the window reads them, and takes the newer one away.
    void competitionsCarriedByABackup()
    {
        const QByteArray first = bytesOf(compe(kFirst));
        const QByteArray second = bytesOf(compe(kSecond));
        QVERIFY(!first.isEmpty());
        QCOMPARE(backup::dataFiles(m_dir->path()),
            (QStringList {QStringLiteral("Golfer.dat"), QStringLiteral("Compe/") + kFirst,
                QStringLiteral("Compe/") + kSecond}));
        const backup::Result made = backup::makeDailyBackup(m_dir->path(), kDay);
        QVERIFY2(made.ok, qPrintable(made.error));
        QCOMPARE(
            bytesOf(path(QStringLiteral("Backup/") + kCopy + QStringLiteral("/Compe/") + kFirst)),
            first);
        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.size(), 1);
        QVERIFY2(!listed[0].damaged(), qPrintable(listed[0].damage));

        CompeStore store(m_dir->path(), [] { return kDay; });
        QVERIFY(store.save(sample(QDate(2026, 11, 3), QStringLiteral("山田会"), 7), kFirst).ok());
        QVERIFY(store.remove(kSecond).isEmpty());
        QVERIFY(store.save(sample(QDate(2026, 12, 1), QStringLiteral("冬の会"), 4)).ok());
        QVERIFY(bytesOf(compe(kFirst)) != first);

        journal::Outcome outcome = journal::Outcome::NotWritten;
        QCOMPARE(restore(&outcome), QStringList());
        QCOMPARE(outcome, journal::Outcome::Written);
        QCOMPARE(bytesOf(compe(kFirst)), first);
        QCOMPARE(bytesOf(compe(kSecond)), second);
        QVERIFY(!QFileInfo::exists(compe(QStringLiteral("2026-12-01_冬の会.json"))));
        const CompeStore::Listing after = store.list();
        QCOMPARE(after.reports, QStringList());
        QCOMPARE(after.entries.size(), 2);
        const CompeStore::Opened opened = store.open(kFirst);
        QVERIFY2(opened.competition, qPrintable(opened.error));
        QCOMPARE(opened.competition->players.value(0).scores[0], 5);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("Kestro.journal"))));
    }

    // The folder gone since the copy was made is made again by the restore.
    void restoreMakesTheFolderAgain()
    {
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        QVERIFY(QDir(path(QStringLiteral("Compe"))).removeRecursively());
        QCOMPARE(restore(), QStringList());
        QVERIFY(QFileInfo(compe(kSecond)).isFile());
    }

    // A link where the folder stands leads outside: nothing is copied through it and nothing
    // is restored through it; the place it leads to keeps what it holds.
    void aLinkedFolderIsNeitherCopiedNorWrittenThrough()
    {
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        QVERIFY(QDir(path(QStringLiteral("Compe"))).removeRecursively());
        const QString victim = m_outside.filePath(kFirst);
        QFile f(victim);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("outside");
        f.close();
        QVERIFY(QFile::link(m_outside.path(), path(QStringLiteral("Compe"))));

        QCOMPARE(backup::dataFiles(m_dir->path()), QStringList {QStringLiteral("Golfer.dat")});
        const QStringList errors = restore();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("通常のフォルダではありません")),
            qPrintable(errors[0]));
        QCOMPARE(bytesOf(victim), QByteArray("outside"));
        QCOMPARE(QDir(m_outside.path()).entryList(QDir::Files), QStringList {kFirst});

        // Nor does the journal write through it.
        QStringList saveErrors;
        const journal::Outcome outcome = journal::save(m_dir->path(),
            {{compe(kFirst), "new", false}, {path(QStringLiteral("Golfer.dat")), "x", false}}, {},
            &saveErrors, kDay);
        QCOMPARE(outcome, journal::Outcome::NotWritten);
        QCOMPARE(bytesOf(victim), QByteArray("outside"));
    }

    // A copy whose competitions' folder was replaced by a link is damaged, and restores
    // nothing of it.
    void aCopyWithALinkedFolderIsDamaged()
    {
        QVERIFY(backup::makeDailyBackup(m_dir->path(), kDay).ok);
        const QString copied = path(QStringLiteral("Backup/") + kCopy + QStringLiteral("/Compe"));
        QVERIFY(QDir().rename(copied, m_outside.filePath(QStringLiteral("Compe"))));
        QVERIFY(QFile::link(m_outside.filePath(QStringLiteral("Compe")), copied));
        const QList<backup::Entry> listed = backup::listBackups(m_dir->path());
        QCOMPARE(listed.size(), 1);
        QVERIFY2(listed[0].damage.contains(QStringLiteral("リンク")), qPrintable(listed[0].damage));
        const backup::RestorePlan plan = backup::planRestore(m_dir->path(), kCopy);
        QVERIFY(!plan.ok());
        QVERIFY(plan.files.isEmpty());
    }

    // A change stopped after its commit, its competitions' folder then moved away and a link
    // left in its place: the journal is void and installs nothing, there or beside it.
    void aJournalThroughALinkedFolderIsVoid()
    {
        const QByteArray golfers = bytesOf(path(QStringLiteral("Golfer.dat")));
        const QByteArray first = bytesOf(compe(kFirst));
        QStringList errors;
        const journal::Outcome stopped = journal::save(
            m_dir->path(),
            {{compe(kFirst), "{}", false}, {path(QStringLiteral("Golfer.dat")), "x", false}},
            [](const QString &step) { return !step.startsWith(QLatin1String("replace")); }, &errors,
            kDay);
        QVERIFY(stopped != journal::Outcome::Written);
        QVERIFY(QFileInfo::exists(compe(kFirst) + QStringLiteral(".pending")));
        const QString moved = m_outside.filePath(QStringLiteral("moved"));
        QVERIFY(QDir().rename(path(QStringLiteral("Compe")), moved));
        QVERIFY(QFile::link(moved, path(QStringLiteral("Compe"))));

        const QStringList told = journal::recover(m_dir->path(), kDay);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(QStringLiteral("確かめられませんでした")), qPrintable(told[0]));
        QCOMPARE(bytesOf(QDir(moved).filePath(kFirst)), first);
        QCOMPARE(bytesOf(path(QStringLiteral("Golfer.dat"))), golfers);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("Kestro.journal"))));
    }

    void compeNamesAreDataFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::addRow("a competition") << QStringLiteral("Compe/") + kFirst << true;
        QTest::addRow("deeper") << QStringLiteral("Compe/a/b.json") << false;
        QTest::addRow("up and out") << QStringLiteral("Compe/../x.json") << false;
        QTest::addRow("hidden") << QStringLiteral("Compe/.x.json") << false;
        QTest::addRow("no name") << QStringLiteral("Compe/.json") << false;
        QTest::addRow("not JSON") << QStringLiteral("Compe/a.txt") << false;
        QTest::addRow("another folder") << QStringLiteral("Other/a.json") << false;
        QTest::addRow("a control character") << QStringLiteral("Compe/a\n.json") << false;
    }
    void compeNamesAreDataFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        QCOMPARE(datafile::isDataFileName(name), taken);
    }
};

QTEST_GUILESS_MAIN(TestCompeBackup)
#include "tst_compebackup.moc"
