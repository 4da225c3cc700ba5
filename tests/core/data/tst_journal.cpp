// The journal of changes across files, through its own functions: a journal found on disk
// acts only on the data files of its own folder and installs only the bytes it names; a
// failure inside a change finishes it or leaves nothing; no save goes around a change that
// is still to be finished; and every sync a crash-safe change needs is made.
#include "core/data/datafile.h"
#include "core/data/journal.h"
#include "core/data/records.h"
#include "support/builders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {
const QDate kToday(2026, 12, 7);
const QString kAside = QStringLiteral("Kestro.journal.damaged-2026-12-07");

QByteArray hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A journal line that writes `name` with the given pending bytes.
QByteArray writeLine(const QString &name, const QByteArray &bytes)
{
    return "W " + name.toUtf8().toPercentEncoding() + ' '
        + (name + ".pending").toUtf8().toPercentEncoding() + ' ' + QByteArray::number(bytes.size())
        + ' ' + hex(bytes) + '\n';
}

QByteArray twoClubs()
{
    return encodeRecords(QList<TLinksRecord> {build::club("A"), build::club("B")});
}

QByteArray journalOf(const QByteArray &state, const QByteArray &lines)
{
    return "kestro-journal 2\n" + state + '\n' + lines;
}

// Every entry of a folder: a file by its bytes, a link by where it leads.
QMap<QString, QByteArray> entries(const QString &folder)
{
    QMap<QString, QByteArray> all;
    const QFileInfoList list = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : list)
        all.insert(info.fileName(),
            info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8() : fileBytes(info.filePath()));
    return all;
}

// Records every step of the disk as "Step name" and fails those the test names.
struct DiskRecorder {
    QStringList steps;
    QHash<QString, int> failing; // "Rename 佐藤.sce" → errno, every time
    QString failKey; // this step fails with EIO the failAt-th time it comes
    int failAt = 1;

    DiskRecorder()
    {
        datafile::setDiskSteps([this](datafile::DiskStep step, const QString &path) {
            static const char *const names[]
                = {"SyncFile", "Commit", "SyncFolder", "Rename", "Remove"};
            const QString name = QFileInfo(path).fileName();
            const QString key = QString::fromLatin1(names[int(step)]) + QChar(' ')
                + (name.startsWith(QChar('.')) ? QStringLiteral("<temporary>") : name);
            steps.append(key);
            if (key == failKey && steps.count(key) == failAt)
                return EIO;
            return failing.value(key);
        });
    }
    ~DiskRecorder() { datafile::setDiskSteps({}); }
};
} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_parent;
    QString m_folder;
    QByteArray m_links; // two clubs, 272 bytes

    QString path(const QString &name) const { return QDir(m_folder).filePath(name); }
    QString outside(const QString &name) const { return m_parent->filePath(name); }
    void put(const QString &file, const QByteArray &bytes)
    {
        QVERIFY2(datafile::saveBytes(file, bytes, nullptr), qPrintable(file));
    }

private Q_SLOTS:
    void init()
    {
        m_parent = std::make_unique<QTemporaryDir>();
        m_folder = m_parent->filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(m_folder));
        QVERIFY(QDir().mkpath(outside(QStringLiteral("outside"))));
        m_links = twoClubs();
        put(path("Links.dat"), m_links);
        put(path("Golfer.dat"), datafile::formatGolferList({QStringLiteral("佐藤")}));
        put(path("佐藤.sce"),
            encodeRecords(QList<TScoreRecord> {build::card(QDate(2025, 6, 1), "A")}));
        put(outside("victim.txt"), "precious");
        put(outside("outside/Links.dat"), "a file of somebody else's");
    }

    void hostileJournalDoesNothing_data()
    {
        QTest::addColumn<QByteArray>("journal"); // @ stands for the data folder's path
        const QByteArray fifty(50, 'x');
        auto row = [](const char *name, const QByteArray &journal) {
            QTest::addRow("%s", name) << journal;
        };
        row("removal of ../victim.txt", journalOf("complete", "R ../victim.txt\n"));
        row("removal of ../victim.txt, encoded", journalOf("complete", "R %2E%2E%2Fvictim.txt\n"));
        row("removal by absolute path", journalOf("complete", "R @%2F..%2Fvictim.txt\n"));
        row("removal of a file that is no data file", journalOf("complete", "R notes.txt\n"));
        row("removal of the journal itself", journalOf("complete", "R Kestro.journal\n"));
        row("removal of a kept copy of a data file",
            journalOf("complete", "R Links.dat.damaged-2026-12-01\n"));
        row("removal of a kept copy of a file that is no data file",
            journalOf("complete", "R notes.txt.damaged-2026-12-01\n"));
        row("a name cut short by a NUL", journalOf("complete", "R Golfer.dat%00x.sce\n"));
        row("a name in a subfolder", journalOf("complete", "R sub%2F佐藤.sce\n"));
        row("pending file outside",
            journalOf("complete",
                "W Links.dat ../victim.txt " + QByteArray::number(fifty.size()) + ' ' + hex(fifty)
                    + '\n'));
        row("target outside",
            journalOf("complete", "W ../victim.txt Golfer.dat 8 " + hex("precious") + '\n'));
        row("another data file as the pending file",
            journalOf("complete", "W Golfer.dat Links.dat 272 " + hex(twoClubs()) + '\n'));
        row("a size with a sign",
            journalOf("complete", "W Links.dat Links.dat.pending +50 " + hex(fifty) + '\n'));
        row("a checksum too short",
            journalOf(
                "complete", "W Links.dat Links.dat.pending 50 " + hex(fifty).left(40) + '\n'));
        row("one file twice",
            journalOf("complete", writeLine("Links.dat", fifty) + "R Links.dat\n"));
        row("no line break at its end", journalOf("complete", "R 佐藤.sce"));
        row("no files", journalOf("complete", ""));
        row("an unknown state", journalOf("done", "R 佐藤.sce\n"));
        // The previous version named files by absolute paths and kept no checksums.
        row("the previous version's journal",
            "kestro-journal 1\ncomplete\nW @%2FLinks.dat @%2FLinks.dat.pending\n");
    }

    void hostileJournalDoesNothing()
    {
        QFETCH(QByteArray, journal);
        journal.replace('@', m_folder.toUtf8().toPercentEncoding());
        put(path("Links.dat.pending"), QByteArray(50, 'x'));
        put(path("Kestro.journal"), journal);
        put(path("notes.txt"), "mine");
        put(path("notes.txt.damaged-2026-12-01"), "mine too");
        put(path("Links.dat.damaged-2026-12-01"), "kept");
        auto expected = entries(m_folder);
        expected.insert(kAside, expected.take(QStringLiteral("Kestro.journal")));
        const auto outsideBefore = entries(m_parent->path());

        const QStringList notes = journal::recover(m_folder, kToday);

        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].contains(kAside), qPrintable(notes[0]));
        QCOMPARE(entries(m_folder), expected);
        QCOMPARE(entries(m_parent->path()), outsideBefore);
        QCOMPARE(fileBytes(outside("victim.txt")), QByteArray("precious"));
        // Told once: the journal is out of the way.
        QCOMPARE(journal::recover(m_folder, kToday), QStringList());
    }

    void journalThatIsALinkIsSetAsideAsTheLink()
    {
        // A journal of ours in every line, but outside the folder.
        const QByteArray bytes = journalOf("complete", "R 佐藤.sce\n");
        put(outside("outside/Kestro.journal"), bytes);
        QVERIFY(QFile::link(outside("outside/Kestro.journal"), path("Kestro.journal")));
        const QByteArray cards = fileBytes(path("佐藤.sce"));

        QVERIFY(journal::recover(m_folder, kToday).value(0).contains(kAside));
        QVERIFY(QFileInfo(path(kAside)).isSymLink());
        QCOMPARE(fileBytes(path("佐藤.sce")), cards);
        QCOMPARE(fileBytes(outside("outside/Kestro.journal")), bytes);
    }

    void mismatchingPendingFileIsInstalledNowhere_data()
    {
        QTest::addColumn<QByteArray>("pending"); // what lies in Links.dat.pending
        QTest::addColumn<bool>("link"); // Links.dat.pending is a link to a file of those bytes
        QTest::addRow("cut short to 50 bytes") << QByteArray(50, 'x') << false;
        QByteArray flipped = encodeRecords(QList<TLinksRecord> {build::club("C")});
        flipped[7] = char(flipped[7] ^ 1);
        QTest::addRow("one byte changed") << flipped << false;
        QTest::addRow("the right bytes, through a link")
            << encodeRecords(QList<TLinksRecord> {build::club("C")}) << true;
        QTest::addRow("gone, and the file in its place not the new one") << QByteArray() << false;
    }

    void mismatchingPendingFileIsInstalledNowhere()
    {
        QFETCH(QByteArray, pending);
        QFETCH(bool, link);
        const QByteArray newLinks = encodeRecords(QList<TLinksRecord> {build::club("C")});
        const QByteArray newGolfers = datafile::formatGolferList({QStringLiteral("鈴木")});
        // Golfer.dat's pending file is whole; Links.dat's is not the one the journal names.
        put(path("Golfer.dat.pending"), newGolfers);
        if (link) {
            put(outside("outside/new.dat"), pending);
            QVERIFY(QFile::link(outside("outside/new.dat"), path("Links.dat.pending")));
        } else if (!pending.isEmpty()) {
            put(path("Links.dat.pending"), pending);
        }
        put(path("Kestro.journal"),
            journalOf("complete",
                writeLine("Golfer.dat", newGolfers) + writeLine("Links.dat", newLinks)
                    + "R 佐藤.sce\n"));
        const QByteArray golfers = fileBytes(path("Golfer.dat"));
        const QByteArray cards = fileBytes(path("佐藤.sce"));

        const QStringList notes = journal::recover(m_folder, kToday);

        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].contains("Links.dat"), qPrintable(notes[0]));
        QVERIFY(notes[0].contains(kAside));
        QCOMPARE(fileBytes(path("Links.dat")), m_links);
        QCOMPARE(fileBytes(path("Golfer.dat")), golfers);
        QCOMPARE(fileBytes(path("佐藤.sce")), cards);
        // Nothing pending is left to be taken up later; what was pending is kept.
        QVERIFY(!QFileInfo::exists(path("Golfer.dat.pending")));
        QVERIFY(!QFileInfo(path("Links.dat.pending")).isSymLink());
        QCOMPARE(fileBytes(path("Golfer.dat.pending.damaged-2026-12-07")), newGolfers);
        if (!pending.isEmpty())
            QVERIFY(QFileInfo::exists(path("Links.dat.pending.damaged-2026-12-07")));
        QVERIFY(!QFileInfo::exists(path("Kestro.journal")));
        if (link)
            QCOMPARE(fileBytes(outside("outside/new.dat")), pending);
    }

    void completeJournalFinishesWhatIsLeft()
    {
        // Links.dat is in place already; the card file to remove is gone already.
        const QByteArray newLinks = encodeRecords(QList<TLinksRecord> {build::club("C")});
        const QByteArray newGolfers = datafile::formatGolferList({QStringLiteral("鈴木")});
        put(path("Links.dat"), newLinks);
        put(path("Golfer.dat.pending"), newGolfers);
        QVERIFY(QFile::remove(path("佐藤.sce")));
        put(path("Kestro.journal"),
            journalOf("complete",
                writeLine("Links.dat", newLinks) + writeLine("Golfer.dat", newGolfers)
                    + "R 佐藤.sce\n"));

        QCOMPARE(journal::recover(m_folder, kToday),
            QStringList {QStringLiteral("前回中断された変更を最後まで書き込みました")});
        QCOMPARE(entries(m_folder),
            (QMap<QString, QByteArray> {{"Golfer.dat", newGolfers}, {"Links.dat", newLinks}}));
    }

    void preparedJournalIsDropped()
    {
        put(path("Links.dat.pending"), "half");
        put(path("Kestro.journal"),
            journalOf("prepared", writeLine("Links.dat", "whole") + "R 佐藤.sce\n"));
        const auto before = entries(m_folder);

        QCOMPARE(journal::recover(m_folder, kToday),
            QStringList {QStringLiteral("前回終わらなかった変更を取り消しました")});
        auto expected = before;
        expected.remove("Links.dat.pending");
        expected.remove("Kestro.journal");
        QCOMPARE(entries(m_folder), expected);
    }

    void copiedFolderRecoversItself()
    {
        // A change stopped after its first replace, as by a crash.
        const QByteArray newLinks = encodeRecords(QList<TLinksRecord> {build::club("C")});
        const QByteArray newCards
            = encodeRecords(QList<TScoreRecord> {build::card(QDate(2026, 1, 1), "C")});
        int steps = 0;
        const journal::Outcome outcome = journal::save(
            m_folder, {{path("Links.dat"), newLinks}, {path("佐藤.sce"), newCards}},
            [&](const QString &step) { return step != "replace 佐藤.sce" || steps++ > 0; }, nullptr,
            kToday);
        QCOMPARE(outcome, journal::Outcome::Pending);
        QCOMPARE(fileBytes(path("Links.dat")), newLinks);
        const auto half = entries(m_folder);

        const QString copy = m_parent->filePath("copy");
        QVERIFY(QDir().mkpath(copy));
        for (const QString &name : half.keys())
            QVERIFY(QFile::copy(path(name), QDir(copy).filePath(name)));
        QCOMPARE(journal::recover(copy, kToday).size(), 1);

        QCOMPARE(fileBytes(QDir(copy).filePath("Links.dat")), newLinks);
        QCOMPARE(fileBytes(QDir(copy).filePath("佐藤.sce")), newCards);
        QVERIFY(!QFileInfo::exists(QDir(copy).filePath("Kestro.journal")));
        QCOMPARE(entries(m_folder), half); // the original folder is its own
    }

    void failedPendingWriteLeavesNothing_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("time");
        QTest::addRow("the journal's first commit") << "Commit Kestro.journal" << 1;
        QTest::addRow("the first pending file's commit") << "Commit Links.dat.pending" << 1;
        QTest::addRow("the second pending file's sync") << "SyncFile 佐藤.sce.pending" << 1;
        QTest::addRow("the complete journal's commit") << "Commit Kestro.journal" << 2;
    }

    void failedPendingWriteLeavesNothing()
    {
        QFETCH(QString, failing);
        QFETCH(int, time);
        const auto before = entries(m_folder);
        DiskRecorder disk;
        disk.failKey = failing;
        disk.failAt = time;
        QStringList errors;
        const journal::Outcome outcome = journal::save(m_folder,
            {{path("Links.dat"), "new clubs"}, {path("佐藤.sce"), "new cards"},
                {path("Golfer.dat"), {}, true}},
            {}, &errors, kToday);
        QCOMPARE(outcome, journal::Outcome::NotWritten);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QString::fromLocal8Bit(strerror(EIO))), qPrintable(errors[0]));
        QCOMPARE(entries(m_folder), before);
    }

    void failedReplaceIsRetriedAtOnce()
    {
        DiskRecorder disk;
        disk.failKey = "Rename 佐藤.sce";
        QStringList errors;
        QCOMPARE(journal::save(m_folder,
                     {{path("Links.dat"), "new clubs"}, {path("佐藤.sce"), "new cards"}}, {},
                     &errors, kToday),
            journal::Outcome::Written);
        QCOMPARE(errors, QStringList());
        QCOMPARE(entries(m_folder),
            (QMap<QString, QByteArray> {{"Golfer.dat", fileBytes(path("Golfer.dat"))},
                {"Links.dat", "new clubs"}, {"佐藤.sce", "new cards"}}));
    }

    void unfinishedChangeIsNeverGoneAround()
    {
        auto disk = std::make_unique<DiskRecorder>();
        disk->failing.insert("Rename 佐藤.sce", EIO);
        QStringList errors;
        QCOMPARE(journal::save(m_folder,
                     {{path("Links.dat"), "new clubs"}, {path("佐藤.sce"), "new cards"},
                         {path("Golfer.dat"), {}, true}},
                     {}, &errors, kToday),
            journal::Outcome::Pending);
        QVERIFY2(errors.join('\n').contains(QStringLiteral("ファイルに書き込めません")),
            qPrintable(errors.join('\n')));
        QVERIFY(QFileInfo::exists(path("Kestro.journal")));

        // While the disk still fails: no save of a file the change holds, no other change
        // across files; a file it does not hold is saved.
        auto saved = [this](const QList<journal::FileWrite> &writes) {
            QStringList errors;
            return journal::save(m_folder, writes, {}, &errors, kToday);
        };
        QCOMPARE(saved({{path("佐藤.sce"), "newer cards"}}), journal::Outcome::NotWritten);
        QCOMPARE(saved({{path("Golfer.dat"), "a list"}}), journal::Outcome::NotWritten);
        QCOMPARE(saved({{path("HoleHdcp.json"), "{}"}, {path("佐藤.yti"), "rounds"}}),
            journal::Outcome::NotWritten);
        QVERIFY(!QFileInfo::exists(path("佐藤.yti")));
        QCOMPARE(saved({{path("HoleHdcp.json"), "{}"}}), journal::Outcome::Written);
        // The retry at once put in place what it could.
        QCOMPARE(fileBytes(path("Links.dat")), QByteArray("new clubs"));
        QVERIFY(!QFileInfo::exists(path("Golfer.dat")));

        // Once the disk is well, the change is finished before the next save of its files.
        disk.reset();
        QCOMPARE(saved({{path("佐藤.sce"), "newer cards"}}), journal::Outcome::Written);
        QCOMPARE(fileBytes(path("佐藤.sce")), QByteArray("newer cards"));
        QCOMPARE(fileBytes(path("Links.dat")), QByteArray("new clubs"));
        QVERIFY(!QFileInfo::exists(path("Golfer.dat")));
        QVERIFY(!QFileInfo::exists(path("Kestro.journal")));
        QVERIFY(!QFileInfo::exists(path("佐藤.sce.pending")));
        QCOMPARE(journal::recover(m_folder, kToday), QStringList());
    }

    void everySyncIsMade()
    {
        DiskRecorder disk;
        QVERIFY(journal::save(m_folder,
                    {{path("Links.dat"), "new clubs"}, {path("佐藤.sce"), "new cards"},
                        {path("Golfer.dat"), {}, true}},
                    {}, nullptr, kToday)
            == journal::Outcome::Written);
        const QStringList expected = {"SyncFile Kestro.journal", "Commit Kestro.journal",
            "SyncFolder data", "SyncFile Links.dat.pending", "Commit Links.dat.pending",
            "SyncFolder data", "SyncFile 佐藤.sce.pending", "Commit 佐藤.sce.pending",
            "SyncFolder data", "SyncFile Kestro.journal", "Commit Kestro.journal",
            "SyncFolder data", "Rename Links.dat", "Rename 佐藤.sce", "Remove Golfer.dat",
            // The new names on the disk before the journal goes, and its going too.
            "SyncFolder data", "Remove Kestro.journal", "SyncFolder data"};
        QCOMPARE(disk.steps, expected);
    }

    void namesOutsideTheFolderAreNotWritten_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addRow("a file elsewhere") << "../victim.txt";
        QTest::addRow("a data file of another folder") << "../outside/Links.dat";
        QTest::addRow("a file of the folder that is no data file") << "notes.txt";
        QTest::addRow("a pending file") << "Links.dat.pending";
    }

    void namesOutsideTheFolderAreNotWritten()
    {
        QFETCH(QString, file);
        const auto before = entries(m_parent->path());
        const auto inside = entries(m_folder);
        QStringList errors;
        QCOMPARE(journal::save(
                     m_folder, {{path("Links.dat"), "x"}, {path(file), "y"}}, {}, &errors, kToday),
            journal::Outcome::NotWritten);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(entries(m_parent->path()), before);
        QCOMPARE(entries(m_folder), inside);
    }

    void linkUnderAPendingNameIsNotWrittenThrough()
    {
        QVERIFY(QFile::link(outside("victim.txt"), path("Links.dat.pending")));
        QCOMPARE(journal::save(m_folder,
                     {{path("Links.dat"), "new clubs"}, {path("佐藤.sce"), "new cards"}}, {},
                     nullptr, kToday),
            journal::Outcome::Written);
        QCOMPARE(fileBytes(outside("victim.txt")), QByteArray("precious"));
        QVERIFY(!QFileInfo(path("Links.dat")).isSymLink());
        QCOMPARE(fileBytes(path("Links.dat")), QByteArray("new clubs"));
    }

    void keptAsideNamesTakeNoLink()
    {
        const QDate day(2026, 12, 7);
        const QString file = path("Links.dat");
        QCOMPARE(datafile::keptAsideName(file, day), file + QStringLiteral(".damaged-2026-12-07"));
        // A link that leads nowhere is taken too: a copy written there would land elsewhere.
        QVERIFY(QFile::link(path("nowhere"), file + ".damaged-2026-12-07"));
        put(file + ".damaged-2026-12-07-2", "x");
        QCOMPARE(
            datafile::keptAsideName(file, day), file + QStringLiteral(".damaged-2026-12-07-3"));
    }

    void dataFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("data");
        QTest::addRow("the golfer list") << QStringLiteral("Golfer.dat") << true;
        QTest::addRow("stroke indexes") << QStringLiteral("HoleHdcp.json") << true;
        QTest::addRow("cards") << QStringLiteral("山田.sce") << true;
        QTest::addRow("ratings") << QStringLiteral("山田.ratings.json") << true;
        QTest::addRow("an ending alone") << QStringLiteral(".sce") << false;
        QTest::addRow("hidden") << QStringLiteral(".山田.sce") << false;
        QTest::addRow("up a folder") << QStringLiteral("../山田.sce") << false;
        QTest::addRow("in a folder") << QStringLiteral("a\\山田.sce") << false;
        QTest::addRow("cut by a NUL") << QStringLiteral("Golfer.dat") + QChar(0) + ".sce" << false;
        QTest::addRow("a pending file") << QStringLiteral("山田.sce.pending") << false;
        QTest::addRow("the journal") << QStringLiteral("Kestro.journal") << false;
        QTest::addRow("another case") << QStringLiteral("golfer.dat") << false;
    }

    void dataFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, data);
        QCOMPARE(datafile::isDataFileName(name), data);
    }

    void parsePlanNamesTheFiles()
    {
        QStringList targets;
        QVERIFY(
            journal::parsePlan(journalOf("prepared",
                                   writeLine("佐藤.sce", "x") + "R 佐藤.yti\n"
                                       + writeLine("佐藤.ratings.json.damaged-2026-12-07-2", "y")),
                &targets));
        QCOMPARE(targets,
            (QStringList {QStringLiteral("佐藤.sce"), QStringLiteral("佐藤.yti"),
                QStringLiteral("佐藤.ratings.json.damaged-2026-12-07-2")}));
        targets.clear();
        QVERIFY(!journal::parsePlan(journalOf("prepared", "R /etc/passwd\n"), &targets));
        QVERIFY(targets.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
