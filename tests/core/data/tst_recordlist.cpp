// The records of a file held as their bytes and decoded when first needed: whether the list
// is decoded before, amid or after its changes, or never, a save writes the records that did
// not change byte for byte and the changed ones as encoded, each record reads the same, and a
// snapshot brings the bytes back.
#include "core/data/datafile.h"
#include "core/data/datetime.h"
#include "core/data/recordlist.h"
#include "support/builders.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kA = QStringLiteral("A倶楽部");

// A stored card whose club is ≒ in its NEC code (which the converter writes back in the
// other one), with a stray byte behind the text.
QByteArray oddCard()
{
    QByteArray bytes = encodeRecord(build::card(QDate(2021, 3, 1), QStringLiteral("X")));
    bytes[8] = 3;
    bytes.replace(9, 4, QByteArray("\x87\x90Z\x55"));
    return bytes;
}

TScoreRecord card(const QDate &date, int strokes)
{
    return build::card(date, kA, strokes);
}

} // namespace

class TestRecordList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesKeepTheBytesOfTheRest_data()
    {
        QTest::addColumn<int>("decodeAt");
        QTest::addRow("decoded before the changes") << 0;
        QTest::addRow("decoded amid them") << 1;
        QTest::addRow("decoded before the save") << 2;
        QTest::addRow("never decoded") << 3;
    }

    void changesKeepTheBytesOfTheRest()
    {
        QFETCH(int, decodeAt);
        const QByteArray a = encodeRecord(card(QDate(2019, 1, 5), 4));
        const QByteArray b = encodeRecord(card(QDate(2020, 2, 6), 5));
        const QByteArray odd = oddCard();
        const QByteArray d = encodeRecord(card(QDate(2022, 4, 8), 6));
        const QByteArray file = a + b + odd + d;
        RecordList<TScoreRecord> list;
        list.load(file + QByteArray(100, 'x'), false); // a partial record at the end is left out
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.record(2).LinksName, QStringLiteral("≒Z"));
        QCOMPARE(list.roundDate(3), datetime::fromDate(QDate(2022, 4, 8)));
        const auto loaded = list.snapshot();
        auto decodeIf = [&](int stage) {
            if (decodeAt == stage)
                QCOMPARE(list.list().size(), list.size());
        };

        decodeIf(0);
        const TScoreRecord changed = card(QDate(2020, 2, 6), 7);
        list.set(1, changed); // a, b', odd, d
        const TScoreRecord added = card(QDate(2020, 9, 9), 3);
        list.insert(2, added); // a, b', n, odd, d
        decodeIf(1);
        list.move(0, 4); // b', n, odd, d, a
        list.insert(0, card(QDate(2018, 1, 1), 2));
        list.removeAt(0);
        list.keep({0, 1, 2, 3}); // b', n, odd, d
        decodeIf(2);

        // The two changed records and the two untouched ones each lie side by side.
        const QByteArray expected = encodeRecord(changed) + encodeRecord(added) + odd + d;
        QCOMPARE(list.pieces().size(), 2);
        QCOMPARE(list.encode(), expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cards.sce"));
        QVERIFY(datafile::savePieces(path, list.pieces(), nullptr));
        QCOMPARE(fileBytes(path), expected);

        const QList<QDate> days
            = {QDate(2020, 2, 6), QDate(2020, 9, 9), QDate(2021, 3, 1), QDate(2022, 4, 8)};
        for (qsizetype i = 0; i < list.size(); ++i)
            QCOMPARE(list.roundDate(i), datetime::fromDate(days[i]));
        QCOMPARE(list.record(0).Score[0], 7);
        QCOMPARE(list.record(1).Score[0], 3);
        QCOMPARE(list.record(2).LinksName, QStringLiteral("≒Z"));
        QCOMPARE(list.list().size(), 4);
        QCOMPARE(list[3].Score[0], 6);

        // Changed once decoded: the decoded card follows, and the save encodes it.
        TScoreRecord memo = list.record(3);
        memo.Memo = QStringLiteral("雨");
        list.set(3, memo);
        QCOMPARE(list[3].Memo, QStringLiteral("雨"));
        QCOMPARE(list.encode(), expected.first(3 * 704) + encodeRecord(memo));

        list.restore(loaded);
        QCOMPARE(list.encode(), file);
        QCOMPARE(list[2].LinksName, QStringLiteral("≒Z"));
        QCOMPARE(list.record(1).Score[0], 5);
    }
};

QTEST_GUILESS_MAIN(TestRecordList)
#include "tst_recordlist.moc"
