// Files the book could not read whole, files from elsewhere, and changes that span files: no
// record is lost, replaced unasked or left half changed.
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kTaro = QStringLiteral("山田");
const QString kHana = QStringLiteral("佐藤");
const QDate kToday(2026, 12, 7);
const RoundRating kRating {712, 128};

using Operation = std::function<BookChange(RecordBook &)>;

TLinksRecord renamedA()
{
    TLinksRecord r = build::club(kA);
    r.LinksName = QStringLiteral("新A倶楽部");
    return r;
}
} // namespace

Q_DECLARE_METATYPE(Operation)

class TestFileSafety : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QString error;
        QVERIFY2(datafile::saveBytes(path(name), bytes, &error), qPrintable(error));
    }

    // Two golfers; club A with a course, named by both golfers' rounds and cards.
    void writeSample()
    {
        put("Golfer.dat", QByteArray("\x8e\x52\x93\x63\r\n\x8d\xb2\x93\xa1\r\n"));
        put("Links.dat", encodeRecords(QList<TLinksRecord> {build::club(kA), build::club(kB)}));
        put("Course.dat", encodeRecords(QList<TCourseRecord> {build::course(kA, "OUT")}));
        for (const QString &golfer : {kTaro, kHana}) {
            put(golfer + ".yti",
                encodeRecords(QList<TYoteiRecord> {build::yotei(QDate(2027, 1, 10), kA)}));
            put(golfer + ".sce",
                encodeRecords(QList<TScoreRecord> {
                    build::card(QDate(2025, 6, 1), kA), build::card(QDate(2025, 7, 1), kB)}));
            // Ratings of the card at A, remembered for A's courses and tees.
            RatingStore store(m_dir->path());
            store.loadGolfer(golfer, kToday);
            QVERIFY(store.setRating(build::card(QDate(2025, 6, 1), kA), kRating).isEmpty());
        }
    }

    // Every file of the folder: its size, and its bytes while it is small enough to compare.
    QMap<QString, QByteArray> snapshot(const QString &folder) const
    {
        QMap<QString, QByteArray> files;
        for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::System)) {
            files.insert(info.fileName(),
                info.size() > (1 << 20) ? QByteArray::number(info.size())
                                        : fileBytes(info.filePath()));
        }
        return files;
    }

    RecordBook openBook(QStringList *messages = nullptr)
    {
        RecordBook book(m_dir->path(), [] { return kToday; });
        QStringList all = book.recover();
        all += book.loadClubs();
        all += book.loadGolfers();
        all += book.loadGolfer(kTaro, kToday);
        if (messages)
            *messages = all;
        return book;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeSample();
    }

    void unreadableFileIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QStringList>("emptied"); // files emptied before the start
        auto row = [](const char *name, const QString &file, Operation op,
                       const QStringList &emptied = {}) {
            QTest::addRow("%s", name) << file << op << emptied;
        };
        row("clubs: register", "Links.dat",
            [](RecordBook &b) { return b.registerLinks(build::club("C")); });
        row("courses: register", "Course.dat",
            [](RecordBook &b) { return b.registerCourse(build::course(kB, "IN")); });
        row("courses: club renamed", "Course.dat",
            [](RecordBook &b) { return b.changeLinks(0, renamedA()); });
        row("schedule: register", kTaro + ".yti",
            [](RecordBook &b) { return b.registerYotei(build::yotei(QDate(2027, 2, 1), kB)); });
        row("cards: register", kTaro + ".sce",
            [](RecordBook &b) { return b.registerScore(build::card(QDate(2026, 1, 1), kB)); });
        row("cards: club renamed", kTaro + ".sce",
            [](RecordBook &b) { return b.changeLinks(0, renamedA()); });
        row("cards: course carried", kTaro + ".sce",
            [](RecordBook &b) { return b.changeCourse(0, build::course(kA, "WEST"), true); });
        row("golfer list: register", "Golfer.dat",
            [](RecordBook &b) { return b.registerGolfer("鈴木"); });
        row("another golfer's cards: club renamed", kHana + ".sce",
            [](RecordBook &b) { return b.changeLinks(0, renamedA()); });
        row("another golfer's schedule: club deleted", kHana + ".yti",
            [](RecordBook &b) { return b.deleteLinks(0); }, {"Course.dat", kTaro + ".yti"});
        row("cards: golfer deleted", kTaro + ".sce",
            [](RecordBook &b) { return b.deleteGolfer(0); });
        row("schedule: golfer deleted", kTaro + ".yti",
            [](RecordBook &b) { return b.deleteGolfer(0); });
    }

    void unreadableFileIsNeverReplaced()
    {
        QFETCH(QString, file);
        QFETCH(Operation, operation);
        QFETCH(QStringList, emptied);
        for (const QString &name : emptied)
            put(name, {});
        // Larger than any file the program reads: a read error that even root gets.
        QVERIFY(QFile::resize(path(file), datafile::maxFileBytes + 1));
        QStringList messages;
        RecordBook book = openBook(&messages);
        if (!file.startsWith(kHana))
            QVERIFY2(messages.join('\n').contains(QFileInfo(file).fileName()),
                qPrintable(messages.join('\n')));
        const auto before = snapshot(m_dir->path());

        const BookChange change = operation(book);

        QCOMPARE(change.refusal, Refusal::FileUnreadable);
        QCOMPARE(QFileInfo(change.file).fileName(), file);
        QCOMPARE(snapshot(m_dir->path()), before);
    }

    void fileOfConcernIsReplacedOnlyWithConsent()
    {
        // A cut-short card file, and a club file that is a link to a file outside the folder.
        QTemporaryDir outside;
        const QByteArray foreign = "a text file of somebody else's\n";
        QFile text(outside.filePath("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(foreign) == foreign.size());
        text.close();
        QFile::remove(path("Links.dat"));
        QVERIFY(QFile::link(outside.filePath("notes.txt"), path("Links.dat")));
        const QByteArray cards = fileBytes(path(kTaro + ".sce"));
        put(kTaro + ".sce", cards + "partial");

        RecordBook book = openBook();
        QList<FileConcern> asked;
        bool answer = false;
        book.setConsentAsker([&](const FileConcern &c) {
            asked.append(c);
            return answer;
        });

        QCOMPARE(book.registerLinks(build::club("C")).refusal, Refusal::FileKept);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].linkTarget, outside.filePath("notes.txt"));
        QCOMPARE(fileBytes(outside.filePath("notes.txt")), foreign);
        QCOMPARE(book.registerScore(build::card(QDate(2026, 1, 1), kB)).refusal, Refusal::FileKept);
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked[1].damage.contains("7"));
        QCOMPARE(book.scores().size(), 2);

        // Agreed: the original bytes go aside first, once, and the file holds the whole records.
        answer = true;
        QVERIFY(!book.registerScore(build::card(QDate(2026, 1, 1), kB)).refused());
        const QString keptAs = path(kTaro + ".sce.damaged-2026-12-07");
        QCOMPARE(asked.last().keptAs, keptAs);
        QCOMPARE(fileBytes(keptAs), cards + "partial");
        QVERIFY(!book.registerScore(build::card(QDate(2026, 2, 1), kB)).refused());
        QCOMPARE(asked.size(), 3);
        const QByteArray now = fileBytes(path(kTaro + ".sce"));
        QCOMPARE(now.size(), 4 * 704);
        QCOMPARE(now.first(2 * 704), cards); // the records that did not change, byte for byte
    }

    void namesFromTheGolferListStayInTheFolder()
    {
        QTemporaryDir parent;
        const QString folder = parent.filePath("data");
        QVERIFY(QDir().mkpath(folder));
        QFile victim(parent.filePath("victim.sce"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("precious") == 8);
        victim.close();
        const QByteArray list = "../victim\r\n" + QByteArray("\x8e\x52\x93\x63\r\n") + "a/b\r\n";
        QFile file(QDir(folder).filePath("Golfer.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(list) == list.size());
        file.close();

        RecordBook book(folder, [] { return kToday; });
        const QStringList messages = book.loadGolfers();
        QCOMPARE(book.golfers(), QStringList {kTaro});
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages[0].contains("../victim"));
        // The lines stay in the file as they are when the list is written.
        QVERIFY(!book.registerGolfer("鈴木").refused());
        QCOMPARE(fileBytes(QDir(folder).filePath("Golfer.dat")),
            list + QByteArray("\x97\xe9\x96\xd8\r\n"));
        QVERIFY(!book.deleteGolfer(0).refused());
        QCOMPARE(fileBytes(parent.filePath("victim.sce")), QByteArray("precious"));
        QCOMPARE(
            book.registerGolfer(QString(84, QChar(0x5c71))).refusal, Refusal::GolferNameTooLong);
    }

    void changeAcrossFilesIsWholeAfterACrash_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addRow("club renamed")
            << Operation([](RecordBook &b) { return b.changeLinks(0, renamedA()); });
        QTest::addRow("course carried into the cards") << Operation(
            [](RecordBook &b) { return b.changeCourse(0, build::course(kA, "WEST", 400), true); });
    }

    void changeAcrossFilesIsWholeAfterACrash()
    {
        QFETCH(Operation, operation);
        const auto before = snapshot(m_dir->path());
        QMap<QString, QByteArray> after;
        {
            RecordBook book = openBook();
            QVERIFY(!operation(book).refused());
            after = snapshot(m_dir->path());
        }
        QVERIFY(after != before);
        // Stop the change before each of its steps in turn: the next start finds the folder
        // as it was before, or as the whole change leaves it.
        for (int stopAt = 0;; ++stopAt) {
            init();
            int steps = 0;
            {
                RecordBook book = openBook();
                book.setStepHook([&](const QString &) { return steps++ < stopAt; });
                operation(book);
            }
            if (steps <= stopAt)
                break; // the change went through without stopping
            openBook();
            const auto found = snapshot(m_dir->path());
            QVERIFY2(found == before || found == after, qPrintable(QString::number(stopAt)));
        }
    }

    void renameStoppedAtItsCommitLeavesMemoryAsItWas()
    {
        RecordBook book = openBook();
        const QByteArray cards = fileBytes(path(kTaro + ".sce"));
        book.setStepHook([](const QString &step) { return step != QLatin1String("commit"); });
        const BookChange change = book.changeLinks(0, renamedA());
        QVERIFY(change.undone);
        QCOMPARE(book.links()[0].LinksName, kA);
        QCOMPARE(book.courses()[0].LinksName, kA);
        QCOMPARE(book.yotei()[0].LinksName, kA);
        QCOMPARE(book.scores()[0].LinksName, kA);
        QCOMPARE(book.ratings().remembered(build::card(QDate(2025, 6, 1), kA)), kRating);
        QVERIFY(book.ratings()
                    .remembered(build::card(QDate(2025, 6, 1), renamedA().LinksName))
                    .empty());
        // And so the next save writes what was, whatever the stopped change left pending.
        book.setStepHook({});
        QVERIFY(!book.registerScore(build::card(QDate(2026, 1, 1), kB)).refused());
        const QList<TScoreRecord> stored
            = decodeRecords<TScoreRecord>(fileBytes(path(kTaro + ".sce")));
        QCOMPARE(stored.size(), 3);
        QCOMPARE(encodeRecords(stored.first(2)), cards);
    }

    void failedReplaceIsFinishedBeforeTheNextSave()
    {
        // The disk fails every rename onto the golfer's card file for a while.
        bool failing = true;
        datafile::setDiskSteps([&](datafile::DiskStep step, const QString &p) {
            return failing && step == datafile::DiskStep::Rename && p == path(kTaro + ".sce") ? EIO
                                                                                              : 0;
        });
        RecordBook book = openBook();
        const BookChange renamed = book.changeLinks(0, renamedA());
        QVERIFY(!renamed.undone);
        QVERIFY2(renamed.writeErrors.join('\n').contains(kTaro + ".sce"),
            qPrintable(renamed.writeErrors.join('\n')));
        // The change stands, in memory as on the disk once it is finished.
        QCOMPARE(book.links()[0].LinksName, renamedA().LinksName);
        QCOMPARE(book.scores()[0].LinksName, renamedA().LinksName);

        const BookChange refused = book.registerScore(build::card(QDate(2026, 1, 1), kB));
        QCOMPARE(refused.refusal, Refusal::ChangeUnfinished);
        QCOMPARE(refused.file, path(kTaro + ".sce"));
        QCOMPARE(book.scores().size(), 2);
        // Nor a side file it holds, written from the handicap window.
        const QByteArray ratings = fileBytes(path(kTaro + ".ratings.json"));
        QVERIFY(!book.ratings().setRating(build::card(QDate(2025, 7, 1), kB), kRating).isEmpty());
        QCOMPARE(fileBytes(path(kTaro + ".ratings.json")), ratings);
        // A file the change does not hold is saved meanwhile.
        QVERIFY(!book.registerGolfer(QStringLiteral("鈴木")).refused());

        failing = false;
        const BookChange added = book.registerScore(build::card(QDate(2026, 1, 1), kB));
        datafile::setDiskSteps({});
        QVERIFY(!added.refused());
        QCOMPARE(added.notes,
            QStringList {QStringLiteral("前回中断された変更を最後まで書き込みました")});
        QStringList messages;
        RecordBook again = openBook(&messages);
        QCOMPARE(messages, QStringList());
        QCOMPARE(again.scores().size(), 3);
        QCOMPARE(again.scores()[0].LinksName, renamedA().LinksName);
        QCOMPARE(again.links()[0].LinksName, renamedA().LinksName);
        QCOMPARE(again.golfers(), (QStringList {kTaro, kHana, QStringLiteral("鈴木")}));
        QCOMPARE(decodeRecords<TScoreRecord>(fileBytes(path(kHana + ".sce")))[0].LinksName,
            renamedA().LinksName);
    }

    void failedGolferDeletionIsTakenBack()
    {
        RecordBook book = openBook();
        const auto before = snapshot(m_dir->path());
        datafile::setDiskSteps([this](datafile::DiskStep step, const QString &p) {
            return step == datafile::DiskStep::Commit && p == path("Golfer.dat") ? ENOSPC : 0;
        });
        const BookChange change = book.deleteGolfer(1);
        datafile::setDiskSteps({});
        QVERIFY(change.undone);
        QCOMPARE(change.writeErrors.size(), 1);
        QCOMPARE(book.golfers(), (QStringList {kTaro, kHana}));
        QCOMPARE(snapshot(m_dir->path()), before);
    }

    void cardsOutOfDateOrderGiveEachYearOnce()
    {
        put(kTaro + ".sce",
            encodeRecords(QList<TScoreRecord> {build::card(QDate(2025, 6, 1), kA),
                build::card(QDate(2023, 1, 1), kA), build::card(QDate(2025, 8, 1), kB),
                build::card(QDate(2024, 3, 1), kA), build::card(QDate(2023, 5, 1), kB)}));
        RecordBook book = openBook();
        QCOMPARE(book.yearList(),
            (QStringList {QStringLiteral("全て"), QStringLiteral("2025年"),
                QStringLiteral("2023年"), QStringLiteral("2024年")}));
    }

    void failedRatingsWriteAfterItsCopyMakesNoSecondCopy()
    {
        const QString ratings = path(kTaro + ".ratings.json");
        put(kTaro + ".ratings.json", "not what the program writes");
        RatingStore store(m_dir->path());
        QCOMPARE(store.loadGolfer(kTaro, kToday).size(), 1);
        datafile::setDiskSteps([&](datafile::DiskStep step, const QString &p) {
            return step == datafile::DiskStep::Commit && p == ratings ? EIO : 0;
        });
        QVERIFY(!store.setRating(build::card(QDate(2025, 6, 1), kA), kRating).isEmpty());
        datafile::setDiskSteps({});
        QCOMPARE(fileBytes(ratings), QByteArray("not what the program writes"));
        QVERIFY(store.setRating(build::card(QDate(2025, 7, 1), kB), kRating).isEmpty());
        QCOMPARE(
            fileBytes(ratings + ".damaged-2026-12-07"), QByteArray("not what the program writes"));
        QVERIFY(!QFileInfo::exists(ratings + ".damaged-2026-12-07-2"));
    }

    void renameReachesEveryGolfer()
    {
        RecordBook book = openBook();
        QCOMPARE(book.checkLinksInUse(0), Refusal::LinksInSchedule);
        QVERIFY(!book.deleteYotei(0).refused());
        QVERIFY(!book.deleteCourse(0).refused());
        // The other golfer's round still names the club.
        QCOMPARE(book.deleteLinks(0).refusal, Refusal::LinksInSchedule);

        QVERIFY(!book.changeLinks(0, renamedA()).refused());
        const auto hanaCards = decodeRecords<TScoreRecord>(fileBytes(path(kHana + ".sce")));
        QCOMPARE(hanaCards[0].LinksName, renamedA().LinksName);
        QCOMPARE(hanaCards[1].LinksName, kB);
        QCOMPARE(decodeRecords<TYoteiRecord>(fileBytes(path(kHana + ".yti")))[0].LinksName,
            renamedA().LinksName);
    }

    void ratingsFollowTheCards()
    {
        RecordBook book = openBook();
        const TDateTime moved = datetime::fromDate(QDate(2026, 1, 1));
        QVERIFY(!book.changeScore(0, build::card(QDate(2026, 1, 1), kA)).refused());
        QVERIFY(!book.changeLinks(0, renamedA()).refused());
        // On disk: the rating went with the card, and every golfer's remembered rating has
        // the club's new name.
        TScoreRecord atNewName = build::card(QDate(2025, 6, 1), renamedA().LinksName);
        for (const QString &golfer : {kTaro, kHana}) {
            RatingStore store(m_dir->path());
            QCOMPARE(store.loadGolfer(golfer, kToday), QStringList());
            QCOMPARE(store.remembered(atNewName), kRating);
            QCOMPARE(store.rating(golfer == kTaro ? moved : atNewName.RoundDate), kRating);
        }
        QVERIFY(!book.deleteScore(1).refused());
        QVERIFY(book.ratings().rating(moved).empty());
        RatingStore store(m_dir->path());
        store.loadGolfer(kTaro, kToday);
        QVERIFY(store.ratings().isEmpty());
    }

    void scheduleOutOfOrderKeepsEveryFutureRound()
    {
        put(kTaro + ".yti",
            encodeRecords(QList<TYoteiRecord> {build::yotei(kToday.addDays(10), kA),
                build::yotei(kToday.addDays(-10), kB), build::yotei(kToday, kB)}));
        RecordBook book = openBook();
        QCOMPARE(book.yotei().size(), 2);
        QCOMPARE(book.yotei()[0].RoundDate, datetime::fromDate(kToday));
        QCOMPARE(book.yotei()[1].RoundDate, datetime::fromDate(kToday.addDays(10)));
    }

    void recordsThatDidNotChangeKeepTheirBytes()
    {
        // ≒ in its NEC code, which the converter writes back in the other one.
        TLinksRecord nec = build::club("X");
        QByteArray bytes = encodeRecord(nec);
        bytes[0] = 3;
        bytes.replace(1, 3, QByteArray("\x87\x90Z"));
        put("Links.dat", bytes + encodeRecord(build::club(kB)));
        RecordBook book = openBook();
        QCOMPARE(book.links()[0].LinksName, QStringLiteral("≒Z"));
        QVERIFY(!book.registerLinks(build::club("C")).refused());
        QCOMPARE(fileBytes(path("Links.dat")).first(136), bytes);

        // Two names that read the same but differ on disk make the file one of concern.
        put("Links.dat", bytes + encodeRecord(build::club("≒Z")));
        RecordBook again = openBook();
        QList<FileConcern> asked;
        again.setConsentAsker([&](const FileConcern &c) {
            asked.append(c);
            return false;
        });
        QCOMPARE(again.registerLinks(build::club("C")).refusal, Refusal::FileKept);
        QVERIFY(asked.value(0).damage.contains("≒Z"));

        // A course is named to the user by its club and its own name.
        QByteArray course = encodeRecord(build::course("X", "OUT"));
        course[31] = 3;
        course.replace(32, 3, QByteArray("\x87\x90Z"));
        put("Course.dat", course + encodeRecord(build::course("≒Z", "OUT")));
        RecordBook third = openBook();
        third.setConsentAsker([&](const FileConcern &c) {
            asked.append(c);
            return false;
        });
        third.registerCourse(build::course(kB, "IN"));
        QCOMPARE(
            asked.value(1).damage, QStringLiteral("「≒Z／OUT」と同じに読める、別の名前があります"));
    }
};

QTEST_GUILESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
