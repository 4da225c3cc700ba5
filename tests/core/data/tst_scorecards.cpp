// The compact cards: every field of a card reads back as it was put in, whether it came as a
// record or as stored bytes, at the limits of what the compact form holds and beyond them;
// changes keep the cards in step; and the tallies read from the compact form count as by
// hand.
#include "core/data/recordlist.h"
#include "core/data/scorecards.h"
#include "core/stats/analysis.h"
#include "core/stats/shousai.h"
#include "support/builders.h"

#include <QTest>

#include <cstring>
#include <limits>

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("B倶楽部");
constexpr qint32 kMax = std::numeric_limits<qint32>::max();
constexpr qint32 kMin = std::numeric_limits<qint32>::min();

QString bits(float value)
{
    quint32 b;
    std::memcpy(&b, &value, sizeof b);
    return QString::number(b, 16);
}

QString bits(double value)
{
    quint64 b;
    std::memcpy(&b, &value, sizeof b);
    return QString::number(b, 16);
}

// Every field as text, named, the singles and the date by their bits.
QStringList dump(const TScoreRecord &r)
{
    QStringList d {"date " + bits(r.RoundDate), "links " + r.LinksName, "weather " + r.Weather};
    for (int h = 0; h < 2; ++h)
        d << QStringLiteral("course%1 %2").arg(h).arg(r.CourseName[h])
          << QStringLiteral("green%1 %2").arg(h).arg(r.Green[h])
          << QStringLiteral("tee%1 %2").arg(h).arg(r.Tee[h])
          << QStringLiteral("yardTotal%1 %2").arg(h).arg(r.YardTotal[h])
          << QStringLiteral("parTotal%1 %2").arg(h).arg(r.ParTotal[h])
          << QStringLiteral("scoreTotal%1 %2").arg(h).arg(r.ScoreTotal[h])
          << QStringLiteral("puttTotal%1 [%2]").arg(h).arg(r.PuttTotal[h]);
    for (int i = 0; i < 18; ++i)
        d << QStringLiteral("yard%1 %2").arg(i).arg(r.Yard[i])
          << QStringLiteral("par%1 %2").arg(i).arg(r.Par[i])
          << QStringLiteral("score%1 %2").arg(i).arg(r.Score[i])
          << QStringLiteral("putt%1 [%2]").arg(i).arg(r.Putt[i]);
    d << QStringLiteral("yardSum %1").arg(r.YardSum) << QStringLiteral("parSum %1").arg(r.ParSum)
      << QStringLiteral("scoreSum %1").arg(r.ScoreSum)
      << QStringLiteral("puttSum %1").arg(r.PuttSum) << "handicap " + bits(r.Handicap)
      << "net " + bits(r.NetScore) << "memo " + r.Memo
      << QStringLiteral("parOn %1").arg(r.ParOnCount);
    for (int k = 0; k < 3; ++k)
        d << QStringLiteral("partner%1 %2 %3").arg(k).arg(r.Partner[k]).arg(r.PartnerScore[k]);
    for (int k = 0; k < 7; ++k)
        d << QStringLiteral("result%1 %2").arg(k).arg(r.HoleResultCounts[k]);
    return d;
}

// The same through the view's fields, in the same order.
QStringList dump(const CardView &c)
{
    QStringList d {
        "date " + bits(c.roundDate()), "links " + c.linksName(), "weather " + c.weather()};
    for (int h = 0; h < 2; ++h)
        d << QStringLiteral("course%1 %2").arg(h).arg(c.courseName(h))
          << QStringLiteral("green%1 %2").arg(h).arg(c.green(h))
          << QStringLiteral("tee%1 %2").arg(h).arg(c.tee(h))
          << QStringLiteral("yardTotal%1 %2").arg(h).arg(c.yardTotal(h))
          << QStringLiteral("parTotal%1 %2").arg(h).arg(c.parTotal(h))
          << QStringLiteral("scoreTotal%1 %2").arg(h).arg(c.scoreTotal(h))
          << QStringLiteral("puttTotal%1 [%2]").arg(h).arg(c.puttTotal(h));
    for (int i = 0; i < 18; ++i)
        d << QStringLiteral("yard%1 %2").arg(i).arg(c.yard(i))
          << QStringLiteral("par%1 %2").arg(i).arg(c.par(i))
          << QStringLiteral("score%1 %2").arg(i).arg(c.score(i))
          << QStringLiteral("putt%1 [%2]").arg(i).arg(c.putt(i));
    d << QStringLiteral("yardSum %1").arg(c.yardSum())
      << QStringLiteral("parSum %1").arg(c.parSum())
      << QStringLiteral("scoreSum %1").arg(c.scoreSum())
      << QStringLiteral("puttSum %1").arg(c.puttSum()) << "handicap " + bits(c.handicap())
      << "net " + bits(c.netScore()) << "memo " + c.memo()
      << QStringLiteral("parOn %1").arg(c.parOnCount());
    for (int k = 0; k < 3; ++k)
        d << QStringLiteral("partner%1 %2 %3").arg(k).arg(c.partner(k)).arg(c.partnerScore(k));
    for (int k = 0; k < 7; ++k)
        d << QStringLiteral("result%1 %2").arg(k).arg(c.holeResultCount(k));
    return d;
}

// A card whose every field differs from every other of its kind, so that two fields read
// from each other's places show.
TScoreRecord distinctCard(int seed = 0)
{
    TScoreRecord r;
    r.RoundDate = 45000.375 + seed;
    r.LinksName = QStringLiteral("霞ヶ関カンツリー倶楽部%1").arg(seed);
    r.Weather = QStringLiteral("晴れ時々曇り");
    r.CourseName = {QStringLiteral("東コース"), QStringLiteral("西コース")};
    r.Green = {QStringLiteral("ベント"), QStringLiteral("高麗")};
    r.Tee = {QStringLiteral("バック"), QStringLiteral("レギュラー")};
    for (int i = 0; i < 18; ++i) {
        r.Yard[i] = 300 + i;
        r.Par[i] = 30 + i;
        r.Score[i] = 60 + i;
        r.Putt[i] = QString::number(i);
    }
    r.YardTotal = {2701, 2702};
    r.YardSum = 5403;
    r.ParTotal = {101, 102};
    r.ParSum = 203;
    r.ScoreTotal = {111, 112};
    r.ScoreSum = 223;
    r.PuttTotal = {QStringLiteral("18"), QStringLiteral("19")};
    r.PuttSum = 37;
    r.Handicap = 12.5f;
    r.NetScore = -3.25f;
    r.Partner = {QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋")};
    r.PartnerScore = {81, 82, 83};
    r.Memo = QStringLiteral("風が強い一日だった");
    r.HoleResultCounts = {1, 2, 3, 4, 5, 6, 7};
    r.ParOnCount = 8;
    return r;
}

// Every whole number of a card, to set one by one.
QList<qint32 *> numbers(TScoreRecord &r)
{
    QList<qint32 *> n;
    for (auto *array : {&r.Yard, &r.Par, &r.Score})
        for (qint32 &v : *array)
            n << &v;
    for (auto *pair : {&r.YardTotal, &r.ParTotal, &r.ScoreTotal})
        for (qint32 &v : *pair)
            n << &v;
    n << &r.YardSum << &r.ParSum << &r.ScoreSum << &r.PuttSum << &r.ParOnCount;
    for (qint32 &v : r.PartnerScore)
        n << &v;
    for (qint32 &v : r.HoleResultCounts)
        n << &v;
    return n;
}

// The cards as stored bytes, decoded into the compact form.
const ScoreCards &fromBytes(RecordList<TScoreRecord> &list, const QByteArray &bytes)
{
    list.load(bytes, true);
    return list.list();
}

} // namespace

class TestScoreCards final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyNumberAtAndBeyondTheLimits_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addRow("16-bit high") << qint32(32767);
        QTest::addRow("16-bit low") << qint32(-32768);
        QTest::addRow("one above") << qint32(32768);
        QTest::addRow("one below") << qint32(-32769);
        QTest::addRow("65535") << qint32(65535);
        QTest::addRow("32-bit high") << kMax;
        QTest::addRow("32-bit low") << kMin;
    }
    void everyNumberAtAndBeyondTheLimits()
    {
        QFETCH(qint32, value);
        TScoreRecord probe;
        const qsizetype count = numbers(probe).size();
        QCOMPARE(count, 75);
        // Each field at the value on a card of its own, ordinary cards between them, as
        // records and as bytes.
        QList<TScoreRecord> list {distinctCard(0)};
        for (qsizetype k = 0; k < count; ++k) {
            TScoreRecord odd = distinctCard(1);
            *numbers(odd)[k] = value;
            list << odd << distinctCard(int(k) + 2);
        }
        const ScoreCards cards(list);
        RecordList<TScoreRecord> stored;
        const ScoreCards &read = fromBytes(stored, encodeRecords(list));
        QCOMPARE(cards.size(), list.size());
        QCOMPARE(read.size(), list.size());
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QStringList expected = dump(list[i]);
            QCOMPARE(dump(cards.card(i)), expected);
            QCOMPARE(dump(read.card(i)), expected);
            if (i % 2 == 1) {
                QCOMPARE(dump(cards[i]), expected);
                QCOMPARE(dump(read[i]), expected);
            }
        }
    }

    void everyNumberAtOnce_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addRow("16-bit high") << qint32(32767);
        QTest::addRow("16-bit low") << qint32(-32768);
        QTest::addRow("32-bit high") << kMax;
        QTest::addRow("zero") << qint32(0);
    }
    void everyNumberAtOnce()
    {
        QFETCH(qint32, value);
        TScoreRecord r = distinctCard();
        for (qint32 *n : numbers(r))
            *n = value;
        RecordList<TScoreRecord> stored;
        const ScoreCards &read = fromBytes(stored, encodeRecord(r));
        QCOMPARE(dump(ScoreCards {r}.first()), dump(r));
        QCOMPARE(dump(read.card(0)), dump(r));
    }

    void textsAndSinglesAsTheyWere_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("single");
        QTest::addColumn<double>("date");
        QTest::addRow("empty, zero") << QString() << 0.0f << 0.0;
        QTest::addRow("a whole field, minus zero")
            << QStringLiteral("あいうえおかきくけこさしすせそ") << -0.0f << -1.5;
        QTest::addRow("plain ASCII, infinity")
            << QStringLiteral("Abc 1") << std::numeric_limits<float>::infinity() << 2958465.99;
        QTest::addRow("half-width kana, not a number")
            << QStringLiteral("ｺﾞﾙﾌ") << std::numeric_limits<float>::quiet_NaN() << 1e-300;
        QTest::addRow("the smallest single")
            << QStringLiteral("≒") << std::numeric_limits<float>::denorm_min() << 45000.0;
    }
    void textsAndSinglesAsTheyWere()
    {
        QFETCH(QString, text);
        QFETCH(float, single);
        QFETCH(double, date);
        TScoreRecord r = distinctCard();
        r.RoundDate = date;
        r.Handicap = single;
        r.NetScore = -single;
        for (QString *t : {&r.LinksName, &r.Weather, &r.CourseName[1], &r.Green[0], &r.Tee[1],
                 &r.Partner[2], &r.Memo})
            *t = text;
        r.Putt[17] = text.left(2);
        r.PuttTotal[0] = text.left(1);
        RecordList<TScoreRecord> stored;
        const ScoreCards &read = fromBytes(stored, encodeRecord(r) + encodeRecord(distinctCard()));
        QCOMPARE(dump(read.card(0)), dump(decodeRecord<TScoreRecord>(encodeRecord(r))));
        QCOMPARE(dump(read.card(1)), dump(distinctCard()));
        // Held as records they keep even what a file could not.
        r.Memo = text.repeated(20);
        r.Putt[0] = QStringLiteral("１２３");
        const ScoreCards cards {distinctCard(), r};
        QCOMPARE(dump(cards.card(1)), dump(r));
        QCOMPARE(dump(cards[0]), dump(distinctCard()));
    }

    void storedBytesReadAsADecodedCard_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("a length above the club's field") << 8
                                                         << QByteArray("\xff"
                                                                       "ABCDEFGHIJ");
        QTest::addRow("stray bytes behind the weather") << 39 << QByteArray("\x02晴\x00Z", 5);
        QTest::addRow("the NEC code of a sign") << 60 << QByteArray("\x02\x87\x90");
        QTest::addRow("half a double-byte character") << 122 << QByteArray("\x01\x82");
        QTest::addRow("a putt of a double-byte character") << 416 << QByteArray("\x02\x82\xa0");
        QTest::addRow("a putt of length 3") << 419
                                            << QByteArray("\x03"
                                                          "123");
        QTest::addRow("a putt total of a zero byte") << 470 << QByteArray("\x01\x00", 2);
        QTest::addRow("a memo full of 0xff") << 564 << QByteArray(101, '\xff');
    }
    void storedBytesReadAsADecodedCard()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QByteArray card = encodeRecord(distinctCard());
        card.replace(offset, bytes.size(), bytes);
        QCOMPARE(card.size(), 704);
        RecordList<TScoreRecord> stored;
        const ScoreCards &read = fromBytes(stored, card + card);
        const TScoreRecord expected = decodeRecord<TScoreRecord>(card);
        QCOMPARE(dump(read.card(0)), dump(expected));
        QCOMPARE(dump(read.card(1)), dump(expected));
        // Changes: the bytes of the card stay what the list writes.
        QCOMPARE(stored.encode(), card + card);
    }

    void manyPuttTextsBeyondTheTable()
    {
        // Two-byte putts, each card with others: far more than a table of putts holds.
        QList<TScoreRecord> list;
        for (int i = 0; i < 40; ++i) {
            TScoreRecord r = distinctCard(i);
            for (int h = 0; h < 18; ++h)
                r.Putt[h] = QString(QChar('A' + i % 26)) + QChar('a' + (i * 18 + h) % 26);
            r.PuttTotal = {QStringLiteral("%1").arg(i % 100), QString()};
            list << r;
        }
        const ScoreCards cards(list);
        RecordList<TScoreRecord> stored;
        const ScoreCards &read = fromBytes(stored, encodeRecords(list));
        QCOMPARE(read.size(), list.size());
        for (qsizetype i = 0; i < list.size(); ++i) {
            QCOMPARE(dump(cards.card(i)), dump(list[i]));
            QCOMPARE(dump(read.card(i)), dump(list[i]));
        }
        QVERIFY(!read.card(3).putts(0));
        QCOMPARE(read.card(39).puttTotal(0), QStringLiteral("39"));
    }

    void puttsReadAsNumbers_data()
    {
        QTest::addColumn<QString>("putt");
        QTest::addColumn<QString>("count"); // empty: none
        QTest::addRow("none entered") << QString() << QString();
        QTest::addRow("blank") << QStringLiteral(" ") << QString();
        QTest::addRow("one digit") << QStringLiteral("3") << QStringLiteral("3");
        QTest::addRow("after a blank") << QStringLiteral(" 2") << QStringLiteral("2");
        QTest::addRow("two digits") << QStringLiteral("10") << QStringLiteral("10");
        QTest::addRow("zero") << QStringLiteral("0") << QStringLiteral("0");
        QTest::addRow("minus") << QStringLiteral("-1") << QStringLiteral("-1");
        QTest::addRow("a letter") << QStringLiteral("x") << QString();
    }
    void puttsReadAsNumbers()
    {
        QFETCH(QString, putt);
        QFETCH(QString, count);
        const std::optional<int> expected
            = count.isEmpty() ? std::nullopt : std::optional<int>(count.toInt());
        TScoreRecord r = distinctCard();
        r.Putt[5] = putt;
        RecordList<TScoreRecord> stored;
        QCOMPARE(fromBytes(stored, encodeRecord(r)).card(0).putts(5), expected);
        QCOMPARE(ScoreCards {r}.card(0).putts(5), expected);
        QCOMPARE(CardView(r).putts(5), expected);
        // A whole card reads its putts the same way.
        r.Yard[0] = kMax;
        QCOMPARE(ScoreCards {r}.card(0).putts(5), expected);
    }

    void changesKeepTheCardsInStep()
    {
        // Read from bytes, then changed as records: texts met before and new ones, a card
        // that packs and one that does not.
        QList<TScoreRecord> model {distinctCard(0), distinctCard(1), distinctCard(2)};
        RecordList<TScoreRecord> list;
        list.load(encodeRecords(model), true);
        TScoreRecord wide = distinctCard(1);
        wide.ScoreSum = 100000;
        TScoreRecord renamed = distinctCard(2);
        renamed.LinksName = QStringLiteral("新しい名前");
        renamed.Putt[3] = QStringLiteral("7");

        list.insert(1, wide);
        model.insert(1, wide);
        list.set(3, renamed);
        model[3] = renamed;
        list.append(distinctCard(0));
        model.append(distinctCard(0));
        list.move(0, 4);
        model.move(0, 4);
        list.removeAt(1);
        model.removeAt(1);
        list.keep({3, 0, 1, 2});
        model = {model[3], model[0], model[1], model[2]};

        const ScoreCards &cards = list.list();
        QCOMPARE(cards.size(), model.size());
        for (qsizetype i = 0; i < model.size(); ++i) {
            QCOMPARE(dump(cards.card(i)), dump(model[i]));
            QCOMPARE(dump(list.record(i)), dump(model[i]));
        }
        QCOMPARE(list.encode(), encodeRecords(model));
        QCOMPARE(encodeRecords(cards), encodeRecords(model));

        // The iterators and the list read the same cards.
        const QString zero = QStringLiteral("霞ヶ関カンツリー倶楽部0");
        const QString one = QStringLiteral("霞ヶ関カンツリー倶楽部1");
        const QString fresh = QStringLiteral("新しい名前");
        QStringList names;
        for (const TScoreRecord &c : cards)
            names << c.LinksName;
        QCOMPARE(names, QStringList({zero, one, fresh, zero}));
        QCOMPARE(cards.toList().size(), 4);
        QCOMPARE(dump(cards.toList()[2]), dump(renamed));
        QCOMPARE(cards.card(1).scoreSum(), 100000);
        QCOMPARE(cards.card(2).putts(3), std::optional<int>(7));
        QCOMPARE(dump(cards.value(9)), dump(TScoreRecord()));
        QCOMPARE(playedLinks(cards), QStringList({QStringLiteral("全て"), one, fresh, zero}));
    }

    void talliesOfTheCompactFormCountAsByHand()
    {
        // A: 72 with every hole on in regulation; B: 90, bogeys, its yards beyond the compact
        // numbers; A again: 90, bogeys, one hole without putts.
        TScoreRecord first = build::card(QDate(2024, 5, 1), kA, 4);
        TScoreRecord second = build::card(QDate(2024, 6, 1), kB, 5);
        second.Yard[0] = 40000;
        TScoreRecord third = build::card(QDate(2025, 1, 1), kA, 5);
        third.Putt[3].clear();
        RecordList<TScoreRecord> list;
        const ScoreCards &cards
            = fromBytes(list, encodeRecords(QList<TScoreRecord> {first, second, third}));

        const stats::DetailedTally all = stats::detailedTally(cards, {});
        QCOMPARE(all.rounds, 3);
        QCOMPARE(all.rows[1][2], QStringLiteral("84.0"));
        QCOMPARE(all.rows[2][2], QStringLiteral("2.0"));
        QCOMPARE(all.rows[3][2], QStringLiteral("33.3 %"));
        QCOMPARE(all.rows[3][3], QStringLiteral("18 回"));
        QCOMPARE(all.rows[4].mid(2), QStringList({"72", kA, "2024/05/01"}));
        QCOMPARE(all.rows[5].mid(2), QStringList({"90", kB, "2024/06/01"}));
        QCOMPARE(all.rows[8][3], QStringLiteral("18 回"));
        QCOMPARE(all.rows[9][3], QStringLiteral("36 回"));
        QCOMPARE(all.rows[14].mid(2, 2), QStringList({"4.7", "+0.7"}));

        const stats::DetailedTally a = stats::detailedTally(cards, {stats::kAll, kA, -1});
        QCOMPARE(a.rounds, 2);
        QCOMPARE(a.rows[1][2], QStringLiteral("81.0"));

        // Putting counts only the two rounds with every putt entered.
        const stats::Analysis analysis = stats::analyse(cards, {});
        QCOMPARE(analysis.selected.rounds, 3);
        QCOMPARE(analysis.selected.puttRounds, 2);
        QCOMPARE(analysis.selected.parOn.count, 18);
        QCOMPARE(analysis.selected.parOn.of, 36);
        QCOMPARE(analysis.selected.putts.count, 72);
        QCOMPARE(analysis.selected.parKeep.count, 18);
        QCOMPARE(analysis.selected.parKeep.of, 54);
        QCOMPARE(analysis.years.size(), 2);
        QCOMPARE(analysis.years[1].stats.rounds, 1);
    }
};

QTEST_GUILESS_MAIN(TestScoreCards)
#include "tst_scorecards.moc"
