// The competitions' files, and the golfers' cards read for a competition.
#include "core/compe/compecards.h"
#include "core/compe/compestore.h"
#include "core/data/datafile.h"
#include "core/data/recordbook.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace compe;

namespace {

const QString kClub = QStringLiteral("A倶楽部");
const QDate kToday(2024, 6, 30);
const QDate kDay(2024, 5, 12);

Competition sample(const QString &name = QStringLiteral("山田会"))
{
    Competition c;
    c.date = kDay;
    c.name = name;
    c.club = kClub;
    c.courses = {QStringLiteral("東"), QStringLiteral("西")};
    c.pars.fill(4);
    c.players = {{QStringLiteral("山田"), {}, true}};
    c.players[0].scores.fill(5);
    c.hiddenHoles = {1, 2, 3};
    return c;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A card of the day at the club, halves on the courses given, hole h in 1 + h % 7 strokes.
TScoreRecord cardOn(
    const QDate &day, const QString &club, const QString &first, const QString &second)
{
    TScoreRecord c = build::card(day, club);
    c.CourseName = {first, second};
    for (int h = 0; h < 18; ++h)
        c.Score[h] = 1 + h % 7;
    return c;
}

} // namespace

class TestCompeStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedListedAndReopened()
    {
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        QVERIFY(store.list().entries.isEmpty()); // no folder yet: nothing, and no report
        QVERIFY(store.list().reports.isEmpty());

        Competition c = sample();
        const CompeStore::Saved saved = store.save(c);
        QVERIFY2(saved.ok(), qPrintable(saved.error));
        QCOMPARE(saved.fileName, QStringLiteral("2024-05-12_山田会.json"));
        QVERIFY(QFile::exists(dir.path() + "/Compe/2024-05-12_山田会.json"));

        Competition later = sample(QStringLiteral("秋の会"));
        later.date = QDate(2024, 10, 1);
        later.players.clear();
        QVERIFY(store.save(later).ok());
        Competition sameDay = sample(QStringLiteral("あの会"));
        QVERIFY(store.save(sameDay).ok());

        // Newest day first, then by name.
        const CompeStore::Listing listing = store.list();
        QVERIFY(listing.reports.isEmpty());
        QCOMPARE(listing.entries.size(), 3);
        QCOMPARE(listing.entries[0].name, QStringLiteral("秋の会"));
        QCOMPARE(listing.entries[0].players, 0);
        QCOMPARE(listing.entries[1].name, QStringLiteral("あの会"));
        QCOMPARE(listing.entries[2].fileName, saved.fileName);
        QCOMPARE(listing.entries[2].date, kDay);
        QCOMPARE(listing.entries[2].club, kClub);
        QCOMPARE(listing.entries[2].players, 1);

        // Reopened by another store, as it was saved.
        CompeStore again(dir.path(), [] { return kToday; });
        const CompeStore::Opened opened = again.open(saved.fileName);
        QVERIFY2(opened.error.isEmpty(), qPrintable(opened.error));
        QCOMPARE(*opened.competition, c);

        // Changed in place.
        c.announced = true;
        QVERIFY(store.save(c, saved.fileName).ok());
        QCOMPARE(again.open(saved.fileName).competition->announced, true);
    }

    void renamedMovesItsFile()
    {
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        Competition c = sample();
        const QString first = store.save(c).fileName;

        c.name = QStringLiteral("山田会（春）");
        c.date = QDate(2024, 5, 13);
        const CompeStore::Saved moved = store.save(c, first);
        QVERIFY2(moved.ok(), qPrintable(moved.error));
        QVERIFY(moved.notice.isEmpty());
        QCOMPARE(moved.fileName, QStringLiteral("2024-05-13_山田会（春）.json"));
        QVERIFY(!QFile::exists(store.folder() + first));
        QCOMPARE(*store.open(moved.fileName).competition, c);
        QCOMPARE(store.list().entries.size(), 1);
    }

    void nameTakenOrBadRefused()
    {
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        const QString name = store.save(sample()).fileName;
        const QByteArray before = fileBytes(store.folder() + name);

        // A second competition of that day and name, new or renamed, is refused.
        Competition other = sample();
        other.players.clear();
        QCOMPARE(store.save(other).error,
            QStringLiteral("2024/05/12の「山田会」というコンペは既にあります"));
        const QString otherName = store.save(sample(QStringLiteral("別の会"))).fileName;
        QCOMPARE(store.save(other, otherName).error,
            QStringLiteral("2024/05/12の「山田会」というコンペは既にあります"));
        QCOMPARE(fileBytes(store.folder() + name), before);
        QVERIFY(QFile::exists(store.folder() + otherName));

        // A competition with a problem is not written at all.
        other.players = {{QStringLiteral("山田"), {}, true}};
        QCOMPARE(store.save(other, name).error,
            QStringLiteral("「山田」の1番のスコア「0」は1から20の整数ではありません"));
        QCOMPARE(fileBytes(store.folder() + name), before);
        QTemporaryDir empty;
        CompeStore fresh(empty.path(), [] { return kToday; });
        QVERIFY(!fresh.save(other).ok());
        QVERIFY(!QDir(empty.path() + "/Compe").exists());
    }

    void deleted()
    {
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        const QString name = store.save(sample()).fileName;
        QCOMPARE(store.remove(name), QString());
        QVERIFY(!QFile::exists(store.folder() + name));
        QVERIFY(store.list().entries.isEmpty());
        QVERIFY(store.remove(name).startsWith(QStringLiteral("コンペのファイル「")));
    }

    void onlyItsOwnFiles_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addRow("up") << "../Golfer.dat";
        QTest::addRow("up json") << "../x.json";
        QTest::addRow("folder") << "a/b.json";
        QTest::addRow("backslash") << "a\\b.json";
        QTest::addRow("hidden") << ".x.json";
        QTest::addRow("other kind") << "2024-05-12_山田会.txt";
        QTest::addRow("empty") << "";
    }
    void onlyItsOwnFiles()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        QVERIFY(store.save(sample()).ok());
        writeFile(dir.path() + "/x.json", encode(sample()));
        const QString refused
            = QStringLiteral("「%1」はコンペのファイル名ではありません").arg(fileName);
        QCOMPARE(store.open(fileName).error, refused);
        QCOMPARE(store.remove(fileName), refused);
        if (!fileName.isEmpty()) // no previous file: a new competition
            QCOMPARE(store.save(sample(QStringLiteral("新")), fileName).error, refused);
        QVERIFY(QFile::exists(dir.path() + "/x.json"));
    }

    void linksAreNotFollowed()
    {
        QTemporaryDir dir;
        QTemporaryDir outside;
        CompeStore store(dir.path(), [] { return kToday; });
        QVERIFY(store.save(sample()).ok());
        writeFile(outside.path() + "/2024-01-01_外.json", encode(sample(QStringLiteral("外"))));
        QVERIFY(QFile::link(
            outside.path() + "/2024-01-01_外.json", store.folder() + "2024-01-01_外.json"));
        // A link is neither listed nor opened, and never written through.
        QCOMPARE(store.list().entries.size(), 1);
        QVERIFY(!store.open(QStringLiteral("2024-01-01_外.json")).competition);
        Competition c = sample(QStringLiteral("外"));
        c.date = QDate(2024, 1, 1);
        QVERIFY(!store.save(c).ok());
        QCOMPARE(fileBytes(outside.path() + "/2024-01-01_外.json"),
            encode(sample(QStringLiteral("外"))));

        // Nor is a Compe folder that is a link.
        QTemporaryDir other;
        QVERIFY(QFile::link(outside.path(), other.path() + "/Compe"));
        CompeStore linked(other.path(), [] { return kToday; });
        const CompeStore::Listing listing = linked.list();
        QVERIFY(listing.entries.isEmpty());
        QCOMPARE(listing.reports.size(), 1);
        QVERIFY(!linked.save(sample(QStringLiteral("別"))).ok());
        QVERIFY(!QFile::exists(outside.path() + "/2024-05-12_別.json"));
    }

    // A damaged or foreign file is reported and kept aside with its bytes; a later version's
    // file is reported and left alone.
    void damagedKeptAside()
    {
        QTemporaryDir dir;
        CompeStore store(dir.path(), [] { return kToday; });
        QVERIFY(store.save(sample()).ok());
        const QString damaged = store.folder() + "2024-04-01_壊れた会.json";
        const QByteArray cut = encode(sample()).left(100);
        writeFile(damaged, cut);
        const QString foreign = store.folder() + "2024-04-02_x.json";
        writeFile(foreign, "{\"format\": \"kestro-ratings\", \"version\": 1}");
        const QString newer = store.folder() + "2024-04-03_y.json";
        QByteArray later = encode(sample());
        later.replace("\"version\": 1", "\"version\": 7");
        writeFile(newer, later);

        const CompeStore::Listing listing = store.list();
        QCOMPARE(listing.entries.size(), 1);
        QCOMPARE(listing.reports.size(), 3);
        QCOMPARE(listing.reports[0],
            QStringLiteral(
                "コンペのファイル「%1」は壊れているか、このプログラムのものではありません"
                "（JSON として読めません）。\n元のファイルは「2024-04-01_壊れた会.json."
                "damaged-2024-06-30」として別に残しました。")
                .arg(QDir::toNativeSeparators(damaged)));
        QVERIFY(
            listing.reports[1].contains(QStringLiteral("2024-04-02_x.json.damaged-2024-06-30")));
        QCOMPARE(listing.reports[2],
            QStringLiteral("コンペのファイル「%1」は開けません（新しい版のプログラムで保存された"
                           "ファイルです）。")
                .arg(QDir::toNativeSeparators(newer)));
        QVERIFY(!QFile::exists(damaged));
        QCOMPARE(fileBytes(damaged + ".damaged-2024-06-30"), cut);
        QVERIFY(QFile::exists(foreign + ".damaged-2024-06-30"));
        QCOMPARE(fileBytes(newer), later);

        // Damaged again the same day: the first copy stays, the second is numbered.
        writeFile(damaged, "{");
        const CompeStore::Opened opened = store.open(QStringLiteral("2024-04-01_壊れた会.json"));
        QVERIFY(!opened.competition);
        QVERIFY(opened.error.endsWith(QStringLiteral(
            "「2024-04-01_壊れた会.json.damaged-2024-06-30-2」として別に残しました。")));
        QCOMPARE(fileBytes(damaged + ".damaged-2024-06-30"), cut);
        QCOMPARE(fileBytes(damaged + ".damaged-2024-06-30-2"), QByteArray("{"));
        // Listed no more: only the whole competition and the later version's report.
        const CompeStore::Listing after = store.list();
        QCOMPARE(after.entries.size(), 1);
        QCOMPARE(after.reports.size(), 1);
    }

    void cardOfTheDay()
    {
        QTemporaryDir dir;
        const QList<TScoreRecord> cards {cardOn(QDate(2024, 5, 1), kClub, "東", "西"),
            cardOn(kDay, kClub, "東", "西"), cardOn(QDate(2024, 6, 1), kClub, "東", "西")};
        QList<TScoreRecord> list = cards;
        list[1].Memo = QStringLiteral("この日");
        // A time of day in the stored date does not hide the card.
        list[1].RoundDate += 0.5;
        QVERIFY(datafile::writeRecords(dir.path() + "/山田.sce", list, nullptr));

        DayCard found = readCardOfDay(dir.path(), QStringLiteral("山田"), kDay);
        QVERIFY(found.error.isEmpty());
        QVERIFY(found.card.has_value());
        QCOMPARE(found.card->Memo, QStringLiteral("この日"));
        found = readCardOfDay(dir.path(), QStringLiteral("山田"), QDate(2024, 5, 2));
        QVERIFY(found.error.isEmpty());
        QVERIFY(!found.card);
        found = readCardOfDay(dir.path(), QStringLiteral("田中"), kDay); // no file
        QVERIFY(found.error.isEmpty());
        QVERIFY(!found.card);
        found = readCardOfDay(dir.path(), QStringLiteral("../山田"), kDay);
        QCOMPARE(found.error,
            QStringLiteral("ゴルファー「../山田」の名前はファイル名にできないため、"
                           "スコアカードを読めません"));
    }

    void playersOffered()
    {
        QTemporaryDir dir;
        const QString d = dir.path();
        auto write = [&](const QString &golfer, const QList<TScoreRecord> &cards) {
            QVERIFY(datafile::writeRecords(d + "/" + golfer + ".sce", cards, nullptr));
        };
        write("山田", {cardOn(kDay, kClub, "東", "西")});
        write("鈴木",
            {cardOn(QDate(2024, 5, 11), kClub, "東", "西"), cardOn(kDay, kClub, "西", "東")});
        write("佐藤", {cardOn(kDay, QStringLiteral("B倶楽部"), "東", "西")});
        write("田中", {cardOn(kDay, kClub, "東", "北")});
        TScoreRecord zero = cardOn(kDay, kClub, "東", "西");
        zero.Score[4] = 0;
        write("伊藤", {zero});
        // 高橋 has no score file.

        const Competition c = sample();
        const Offer offer
            = offeredPlayers(d, {"山田", "鈴木", "佐藤", "高橋", "a/b", "田中", "伊藤"}, c);
        QCOMPARE(offer.problems.size(), 1);
        QVERIFY(offer.problems[0].startsWith(QStringLiteral("ゴルファー「a/b」")));
        QCOMPARE(offer.players.size(), 4);

        // Card holes 1-18 in 1 2 3 4 5 6 7 1 2 | 3 4 5 6 7 1 2 3 4.
        const Scores asCard {1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4};
        QCOMPARE(offer.players[0].player, (Player {"山田", asCard, true}));
        QVERIFY(!offer.players[0].swapped);
        QCOMPARE(offer.players[0].note, QString());
        // 鈴木 started on 西, the competition's IN: his second half is its OUT.
        const Scores swapped {3, 4, 5, 6, 7, 1, 2, 3, 4, 1, 2, 3, 4, 5, 6, 7, 1, 2};
        QCOMPARE(offer.players[1].player, (Player {"鈴木", swapped, true}));
        QVERIFY(offer.players[1].swapped);
        QCOMPARE(offer.players[2].player.name, QStringLiteral("田中"));
        QCOMPARE(offer.players[2].note,
            QStringLiteral("スコアカードのコース（東・北）がコンペのコースと違います"));
        QCOMPARE(offer.players[3].note,
            QStringLiteral("「伊藤」の5番のスコア「0」は1から20の整数ではありません"));
    }

    // Reading other golfers' cards leaves the record book's chosen golfer as he was.
    void bookUndisturbed()
    {
        QTemporaryDir dir;
        QVERIFY(datafile::writeRecords(
            dir.path() + "/山田.sce", QList {cardOn(kDay, kClub, "東", "西")}, nullptr));
        QVERIFY(datafile::writeRecords(dir.path() + "/鈴木.sce",
            QList {cardOn(QDate(2024, 1, 1), kClub, "東", "西"), cardOn(kDay, kClub, "東", "西")},
            nullptr));
        RecordBook book(dir.path(), [] { return kToday; });
        QVERIFY(book.loadGolfer(QStringLiteral("鈴木"), kToday).isEmpty());
        const QByteArray before = fileBytes(dir.path() + "/鈴木.sce");
        const Offer offer = offeredPlayers(dir.path(), {"山田", "鈴木"}, sample());
        QCOMPARE(offer.players.size(), 2);
        QCOMPARE(book.golferName(), QStringLiteral("鈴木"));
        QCOMPARE(book.scoreRecords().size(), 2);
        QCOMPARE(fileBytes(dir.path() + "/鈴木.sce"), before);
    }

    // Where an export may write: anywhere but over the program's own files.
    void programFiles_data()
    {
        QTest::addColumn<QString>("path"); // in the data folder, "@" for another folder
        QTest::addColumn<bool>("program");
        QTest::addRow("golfer list") << "Golfer.dat" << true;
        QTest::addRow("schedule, upper case") << "山田.YTI" << true;
        QTest::addRow("score cards") << "山田.sce" << true;
        QTest::addRow("side file") << "山田.ratings.json" << true;
        QTest::addRow("a CSV file beside them") << "成績.csv" << false;
        QTest::addRow("a competition") << "Compe/2024-05-12_山田会.json" << true;
        QTest::addRow("a CSV file among the competitions") << "Compe/成績.csv" << true;
        QTest::addRow("a backup") << "Backup/2024-05-12/成績.csv" << true;
        QTest::addRow("a folder named like them") << "Competitions/成績.csv" << false;
        QTest::addRow("another folder") << "@/Golfer.dat" << false;
        QTest::addRow("through a link to the data folder") << "@/link/Compe/a.csv" << true;
    }
    void programFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, program);
        QTemporaryDir dir;
        QTemporaryDir other;
        for (const char *folder : {"Compe", "Backup/2024-05-12", "Competitions"})
            QVERIFY(QDir(dir.path()).mkpath(QString::fromLatin1(folder)));
        QVERIFY(QFile::link(dir.path(), other.path() + "/link"));
        const QString full
            = path.startsWith('@') ? other.path() + path.mid(1) : dir.path() + '/' + path;
        QCOMPARE(isProgramFile(dir.path(), full), program);
    }
};

QTEST_GUILESS_MAIN(TestCompeStore)
#include "tst_compestore.moc"
