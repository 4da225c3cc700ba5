// The play details' side file: its bytes, and how it follows the cards through the record
// book's changes, crashes and backups.
#include "core/data/backup.h"
#include "core/data/datafile.h"
#include "core/data/detailstore.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kTaro = QStringLiteral("山田");
const QString kHana = QStringLiteral("佐藤");
const QDate kToday(2026, 12, 7);

// Hole 1 on the fairway with one OB, hole 2 missed left with a greenside bunker shot, hole 18
// missed right with a penalty stroke and a fairway bunker shot; the rest not entered.
CardDetails sample()
{
    CardDetails d;
    d.holes[0].fairway = Fairway::Hit;
    d.holes[0].setCount(Ob, 1);
    d.holes[1].fairway = Fairway::Left;
    d.holes[1].setCount(GreenBunker, 2);
    d.holes[17].fairway = Fairway::Right;
    d.holes[17].setCount(Penalty, 1);
    d.holes[17].setCount(FairwayBunker, 0);
    return d;
}

const QByteArray kSampleBytes
    = "{\n"
      "    \"format\": \"kestro-details\",\n"
      "    \"version\": 1,\n"
      "    \"rounds\": [\n"
      "        {\"date\": \"2025-06-01\", \"fw\": \"FL---------------R\", "
      "\"ob\": \"1-----------------\", \"penalty\": \"-----------------1\", "
      "\"fairwayBunker\": \"-----------------0\", "
      "\"greenBunker\": \"-2----------------\"}\n"
      "    ]\n"
      "}\n";

TDateTime day(int y, int m, int d)
{
    return datetime::fromDate(QDate(y, m, d));
}

using Operation = std::function<BookChange(RecordBook &)>;
} // namespace

Q_DECLARE_METATYPE(Operation)

class TestDetailStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(datafile::saveBytes(path(name), bytes, nullptr));
    }
    RecordBook openBook(const QString &golfer = kTaro)
    {
        RecordBook book(m_dir->path(), [] { return kToday; });
        book.recover();
        book.loadClubs();
        book.loadGolfers();
        book.loadGolfer(golfer, kToday);
        return book;
    }
    CardDetails storedDetails(const QString &golfer, TDateTime when)
    {
        DetailStore store(m_dir->path());
        store.loadGolfer(golfer, kToday);
        return store.details(when);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        put("Golfer.dat", QByteArray("\x8e\x52\x93\x63\r\n\x8d\xb2\x93\xa1\r\n"));
        put("Links.dat", encodeRecords(QList<TLinksRecord> {build::club(kA)}));
        put("Course.dat", encodeRecords(QList<TCourseRecord> {build::course(kA, "OUT")}));
        for (const QString &golfer : {kTaro, kHana}) {
            put(golfer + ".sce",
                encodeRecords(QList<TScoreRecord> {
                    build::card(QDate(2025, 6, 1), kA), build::card(QDate(2025, 7, 1), kA)}));
            DetailStore store(m_dir->path());
            store.loadGolfer(golfer, kToday);
            QVERIFY(store.setDetails(day(2025, 6, 1), sample()).isEmpty());
        }
    }

    void fileBytesAsWritten()
    {
        QCOMPARE(fileBytes(path(kTaro + ".details.json")), kSampleBytes);
        QString problem;
        const details::DetailsMap read = details::decodeDetails(kSampleBytes, &problem);
        QCOMPARE(problem, QString());
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first(), sample());
        QCOMPARE(details::encodeDetails({}),
            QByteArray("{\n    \"format\": \"kestro-details\",\n    \"version\": 1,\n"
                       "    \"rounds\": []\n}\n"));
    }

    void damagedFileIsToldAndKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kept"); // rounds still read from it
        QByteArray badRound = kSampleBytes;
        badRound.replace("\"ob\": \"1---", "\"ob\": \"X---");
        QByteArray shortRound = kSampleBytes;
        shortRound.replace("FL---------------R", "FL--------------R");
        QByteArray foreign = kSampleBytes;
        foreign.replace("kestro-details", "kestro-ratings");
        QByteArray later = kSampleBytes;
        later.replace("\"version\": 1", "\"version\": 2");
        QTest::addRow("a count that is no digit") << badRound << 0;
        QTest::addRow("a hole missing") << shortRound << 0;
        QTest::addRow("another program's file") << foreign << 0;
        QTest::addRow("a later version") << later << 0;
        QTest::addRow("cut short") << kSampleBytes.left(120) << 0;
    }
    void damagedFileIsToldAndKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kept);
        put(kTaro + ".details.json", bytes);
        DetailStore store(m_dir->path());
        const QStringList told = store.loadGolfer(kTaro, kToday);
        QCOMPARE(told.size(), 1);
        QVERIFY(told[0].contains(kTaro + ".details.json.damaged-2026-12-07"));
        QCOMPARE(store.all().size(), kept);
        // The first write keeps the bytes as they were beside the new file.
        QVERIFY(store.setDetails(day(2025, 7, 1), sample()).isEmpty());
        QCOMPARE(fileBytes(path(kTaro + ".details.json.damaged-2026-12-07")), bytes);
        QCOMPARE(storedDetails(kTaro, day(2025, 7, 1)), sample());
    }

    void detailsFollowTheCard()
    {
        RecordBook book = openBook();
        QCOMPARE(book.details().details(day(2025, 6, 1)), sample());
        // Changed without details: the card keeps its own, and takes them to its new day.
        QVERIFY(!book.changeScore(0, build::card(QDate(2025, 6, 2), kA)).refused());
        QVERIFY(storedDetails(kTaro, day(2025, 6, 1)).empty());
        QCOMPARE(storedDetails(kTaro, day(2025, 6, 2)), sample());
        // Changed with details: they replace the card's.
        CardDetails other;
        other.holes[4].setCount(Ob, 2);
        QVERIFY(!book.changeScore(0, build::card(QDate(2025, 6, 2), kA), other).refused());
        QCOMPARE(storedDetails(kTaro, day(2025, 6, 2)), other);
        // A new card with details has them; a deleted card drops them.
        QVERIFY(!book.registerScore(build::card(QDate(2025, 8, 1), kA), sample()).refused());
        QCOMPARE(storedDetails(kTaro, day(2025, 8, 1)), sample());
        QVERIFY(!book.deleteScore(0).refused());
        QVERIFY(storedDetails(kTaro, day(2025, 6, 2)).empty());
        QVERIFY(book.details().details(day(2025, 6, 2)).empty());
        // Details left by a card deleted elsewhere are not a new card's of that day.
        QVERIFY(!book.deleteScore(1).refused());
        DetailStore stray(m_dir->path());
        stray.loadGolfer(kTaro, kToday);
        stray.setDetails(day(2025, 8, 1), sample());
        RecordBook again = openBook();
        QVERIFY(!again.registerScore(build::card(QDate(2025, 8, 1), kA)).refused());
        QVERIFY(storedDetails(kTaro, day(2025, 8, 1)).empty());
    }

    void deletedGolferTakesHisDetails()
    {
        RecordBook book = openBook();
        QVERIFY(!book.deleteGolfer(0).refused()); // 山田, the golfer loaded
        QVERIFY(!QFile::exists(path(kTaro + ".details.json")));
        QCOMPARE(storedDetails(kHana, day(2025, 6, 1)), sample());
    }

    void changeStoppedAtEveryStepLeavesTheDetailsWhole_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QDate>("movedTo"); // where the details are after the whole change
        QTest::addRow("club renamed") << Operation([](RecordBook &b) {
            TLinksRecord r = build::club(kA);
            r.LinksName = QStringLiteral("新A倶楽部");
            return b.changeLinks(0, r);
        }) << QDate(2025, 6, 1);
        QTest::addRow("card moved") << Operation([](RecordBook &b) {
            return b.changeScore(0, build::card(QDate(2025, 6, 3), kA));
        }) << QDate(2025, 6, 3);
        QTest::addRow("card deleted")
            << Operation([](RecordBook &b) { return b.deleteScore(0); }) << QDate();
    }
    void changeStoppedAtEveryStepLeavesTheDetailsWhole()
    {
        QFETCH(Operation, operation);
        QFETCH(QDate, movedTo);
        for (int stopAt = 0;; ++stopAt) {
            init();
            int steps = 0;
            {
                RecordBook book = openBook();
                book.setStepHook([&](const QString &) { return steps++ < stopAt; });
                const BookChange change = operation(book);
                // A change taken back leaves the book's details as they were.
                if (change.undone)
                    QCOMPARE(book.details().details(day(2025, 6, 1)), sample());
            }
            RecordBook book = openBook();
            const bool whole = book.scoreRecords().size() == 1
                || datetime::toDate(book.scoreRecords().roundDate(0)) != QDate(2025, 6, 1)
                || book.links()[0].LinksName != kA;
            const TDateTime at = whole ? datetime::fromDate(movedTo) : day(2025, 6, 1);
            if (whole && !movedTo.isValid())
                QVERIFY(book.details().all().isEmpty());
            else
                QCOMPARE(book.details().details(at), sample());
            QCOMPARE(storedDetails(kHana, day(2025, 6, 1)), sample());
            if (steps <= stopAt)
                break; // the change went through without stopping
        }
    }

    void backupHoldsTheDetails()
    {
        QVERIFY(datafile::isDataFileName(kTaro + ".details.json"));
        const backup::Result made = backup::makeDailyBackup(m_dir->path(), kToday.addDays(1));
        QVERIFY2(made.ok, qPrintable(made.error));
        QCOMPARE(
            fileBytes(path("Backup/" + made.folder + "/" + kTaro + ".details.json")), kSampleBytes);
    }
};

QTEST_GUILESS_MAIN(TestDetailStore)
#include "tst_detailstore.moc"
