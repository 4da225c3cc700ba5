// The record images (recordimages.h) are assembled byte by byte from the file layout, never
// by the code under test, so that a shifted offset or a wrong byte order cannot hide behind a
// round trip that is merely consistent with itself.

#include "core/data/datetime.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "support/builders.h"

#include <QTest>

#include <bit>
#include <limits>
#include <numeric>

#include "recordimages.h"

class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksLayout() { checkLayout(sampleLinks(), linksImage); }
    void courseLayout() { checkLayout(sampleCourse(), courseImage); }
    void yoteiLayout() { checkLayout(sampleYotei(), yoteiImage); }
    void scoreLayout() { checkLayout(sampleScore(), scoreImage); }

    void emptyRecordsAreAllZeros()
    {
        QCOMPARE(encodeRecord(TLinksRecord {}), QByteArray(136, '\0'));
        QCOMPARE(encodeRecord(TCourseRecord {}), QByteArray(164, '\0'));
        QCOMPARE(encodeRecord(TYoteiRecord {}), QByteArray(80, '\0'));
        QCOMPARE(encodeRecord(TScoreRecord {}), QByteArray(704, '\0'));
    }

    void textIsCutToField_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");

        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        const QString kanji15(15, QChar(u'場'));
        QByteArray kanji15Bytes;
        for (int i = 0; i < 15; ++i)
            kanji15Bytes += sj("8F EA");

        QTest::addRow("empty") << 0 << 30 << QString() << QByteArray() << QString();
        QTest::addRow("ascii filling the field")
            << 0 << 30 << alphabet << alphabet.toLatin1() << alphabet;
        QTest::addRow("ascii one byte too long")
            << 0 << 30 << alphabet + QChar('4') << alphabet.toLatin1() << alphabet;
        QTest::addRow("limit between two characters")
            << 0 << 30 << kanji15 + QChar('A') << kanji15Bytes << kanji15;
        QTest::addRow("limit inside a double-byte character")
            << 0 << 30 << QChar('A') + kanji15 << "A" + kanji15Bytes.left(28)
            << QChar('A') + kanji15.left(14);
        QTest::addRow("half-width kana are one byte each")
            << 0 << 30 << QString(28, QChar(u'ｷ')) + QStringLiteral("場")
            << QByteArray(28, char(0xB7)) + sj("8F EA")
            << QString(28, QChar(u'ｷ')) + QStringLiteral("場");
        QTest::addRow("half-width kana then a kanji across the limit")
            << 0 << 30 << QString(29, QChar(u'ｷ')) + QStringLiteral("場")
            << QByteArray(29, char(0xB7)) << QString(29, QChar(u'ｷ'));
        QTest::addRow("short field, limit inside a character")
            << 82 << 12 << QStringLiteral("Aゴルフ場ゴル")
            << "A" + sj("83 53 83 8B 83 74 8F EA 83 53") << QStringLiteral("Aゴルフ場ゴ");
        QTest::addRow("last field of the record cut at its end")
            << 95 << 40 << QString(41, QChar('w')) << QByteArray(40, 'w')
            << QString(40, QChar('w'));
    }

    void textIsCutToField()
    {
        QFETCH(int, offset);
        QFETCH(int, maxBytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);

        TLinksRecord r;
        (offset == 0 ? r.LinksName : offset == 82 ? r.LinksTel : r.URL) = text;
        const QByteArray encoded = encodeRecord(r);
        CHECK(compareImage(encoded, Image(136, '\0').text(offset, stored).bytes()));

        const TLinksRecord back = decodeRecord<TLinksRecord>(encoded);
        QCOMPARE(offset == 0 ? back.LinksName : offset == 82 ? back.LinksTel : back.URL, readBack);
        // What an edit box promises the user must be what the file gives back.
        QCOMPARE(sjis::fit(text, maxBytes), readBack);
    }

    void lengthByteBeyondFieldReadsWholeField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("recordSize");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("maxBytes");

        QTest::addRow("links name") << int(LinksNameField) << 136 << 0 << 30;
        QTest::addRow("URL, last field of the record") << int(UrlField) << 136 << 95 << 40;
        QTest::addRow("course tee") << int(TeeField) << 164 << 71 << 10;
        QTest::addRow("yotei note") << int(BikouField) << 80 << 47 << 30;
        QTest::addRow("memo") << int(MemoField) << 704 << 564 << 100;
        QTest::addRow("last putt") << int(LastPuttField) << 704 << 467 << 2;
        QTest::addRow("last partner") << int(LastPartnerField) << 704 << 530 << 20;
    }

    void lengthByteBeyondFieldReadsWholeField()
    {
        QFETCH(int, field);
        QFETCH(int, recordSize);
        QFETCH(int, offset);
        QFETCH(int, maxBytes);

        QByteArray text;
        for (int i = 0; i < maxBytes; ++i)
            text += char('a' + i % 26);
        for (const int length : {maxBytes + 1, 0x80, 0xFF}) {
            // Letters behind the field too, which must not leak into it.
            Image img(recordSize, 'Z');
            img.raw(offset, QByteArray(1, char(length))).raw(offset + 1, text);
            const QByteArray bytes = img.bytes();
            QCOMPARE(decodeField(Field(field), QByteArrayView(bytes.constData(), recordSize)),
                QString::fromLatin1(text));
        }
    }

    void halfCharacterAtEndIsDropped_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");

        QTest::addRow("kanji then a lead byte") << sj("8F EA 83") << QStringLiteral("場");
        QTest::addRow("lead byte alone") << sj("83") << QString();
        QTest::addRow("ascii then a lead byte") << sj("41 42 83") << QStringLiteral("AB");
        QTest::addRow("half-width kana then a lead byte") << sj("B7 AC 8F") << QStringLiteral("ｷｬ");
        QTest::addRow("full field ending in a lead byte")
            << QByteArray(29, 'a') + sj("83") << QString(29, QChar('a'));
    }

    void halfCharacterAtEndIsDropped()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);

        // The following field starts with the bytes that would complete the character, so
        // a converter that carried the half over would show up there.
        const QByteArray image = Image(136, '\0')
                                     .text(0, stored)
                                     .text(31, sj("53 83 8B 83 74 8F EA"))
                                     .text(82, kCancel)
                                     .bytes();
        const TLinksRecord r = decodeRecord<TLinksRecord>(image);
        QCOMPARE(r.LinksName, expected);
        QCOMPARE(r.LinksAddress, QStringLiteral("Sルフ場"));
        QCOMPARE(r.LinksTel, QStringLiteral("ｷｬﾝｾﾙ"));
    }

    void decodeRecordsIgnoresTrailingPartialRecord()
    {
        const TCourseRecord second
            = build::course(QStringLiteral("ゴルフ場"), QStringLiteral("IN"));
        QByteArray file = courseImage('\0') + encodeRecord(second);
        file += courseImage('\0').left(100);
        const QList<TCourseRecord> list = decodeRecords<TCourseRecord>(file);
        QCOMPARE(list.size(), 2);
        CHECK(compareFields(list[0], sampleCourse()));
        CHECK(compareFields(list[1], second));
    }

    void holeResultClass_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("par");
        QTest::addColumn<int>("resultClass");

        constexpr int lowest = std::numeric_limits<qint32>::min();
        constexpr int highest = std::numeric_limits<qint32>::max();
        QTest::addRow("four under: 1 on par 5") << 1 << 5 << 6;
        QTest::addRow("three under: 2 on par 5") << 2 << 5 << 0;
        QTest::addRow("two under: 2 on par 4") << 2 << 4 << 0;
        QTest::addRow("two under: 3 on par 5") << 3 << 5 << 0;
        QTest::addRow("one under") << 3 << 4 << 1;
        QTest::addRow("even") << 4 << 4 << 2;
        QTest::addRow("one over") << 5 << 4 << 3;
        QTest::addRow("two over") << 6 << 4 << 4;
        QTest::addRow("three over") << 7 << 4 << 5;
        QTest::addRow("four over") << 8 << 4 << 6;
        QTest::addRow("five over: 9 on par 4") << 9 << 4 << 6;
        QTest::addRow("extreme under, no overflow") << lowest << highest << 6;
        QTest::addRow("extreme over, no overflow") << highest << lowest << 6;
    }

    void holeResultClass()
    {
        QFETCH(int, strokes);
        QFETCH(int, par);
        QFETCH(int, resultClass);

        TScoreRecord card = cardOfPars();
        card.Score[9] = strokes;
        card.Par[9] = par;
        std::array<qint32, 7> expected {0, 0, 17, 0, 0, 0, 0};
        ++expected[size_t(resultClass)];

        const HoleResults results = computeHoleResults(card);
        COMPARE_ARRAYS(results.counts, expected);
        QCOMPARE(std::accumulate(results.counts.begin(), results.counts.end(), 0), 18);
    }

    void parOn_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<QString>("putts");
        QTest::addColumn<int>("par");
        QTest::addColumn<int>("parOn");

        QTest::addRow("5 strokes, 3 putts, par 4") << 5 << QStringLiteral("3") << 4 << 1;
        QTest::addRow("5 strokes, 2 putts, par 4") << 5 << QStringLiteral("2") << 4 << 0;
        QTest::addRow("4 strokes, 2 putts, par 4") << 4 << QStringLiteral("2") << 4 << 1;
        QTest::addRow("on in one on par 3") << 3 << QStringLiteral("2") << 3 << 1;
        QTest::addRow("on in one too many on par 5") << 6 << QStringLiteral("2") << 5 << 0;
        QTest::addRow("holed from off the green") << 2 << QStringLiteral("0") << 4 << 1;
        QTest::addRow("better than regulation") << 3 << QStringLiteral("1") << 5 << 1;
        QTest::addRow("putts with a blank before") << 4 << QStringLiteral(" 2") << 4 << 1;
        QTest::addRow("no putts entered") << 2 << QStringLiteral("") << 4 << 0;
        QTest::addRow("putts blank") << 2 << QStringLiteral("  ") << 4 << 0;
        QTest::addRow("putts not a number") << 2 << QStringLiteral("x") << 4 << 0;
    }

    void parOn()
    {
        QFETCH(int, strokes);
        QFETCH(QString, putts);
        QFETCH(int, par);
        QFETCH(int, parOn);

        TScoreRecord card = cardOfPars();
        card.Score[17] = strokes;
        card.Par[17] = par;
        card.Putt[17] = putts;
        QCOMPARE(computeHoleResults(card).parOnCount, parOn);
    }

    void parOnNeedsPutts()
    {
        // Every hole would be reached in regulation with two putts, but none are entered.
        TScoreRecord card = cardOfPars();
        QCOMPARE(computeHoleResults(card).parOnCount, 0);
        card.Putt.fill(QStringLiteral("2"));
        QCOMPARE(computeHoleResults(card).parOnCount, 18);
    }

    void holeResultsOfWholeCard()
    {
        TScoreRecord card = sampleScore();
        card.HoleResultCounts = {};
        card.ParOnCount = -1;
        applyHoleResults(card);
        COMPARE_ARRAYS(card.HoleResultCounts, kCardResults);
        QCOMPARE(card.ParOnCount, kCardParOns);
    }

    void truncatedFilesDecodeWholeRecords_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addRow("links") << int(Links);
        QTest::addRow("course") << int(Course);
        QTest::addRow("yotei") << int(Yotei);
        QTest::addRow("score") << int(Score);
    }

    void truncatedFilesDecodeWholeRecords()
    {
        QFETCH(int, kind);
        switch (Kind(kind)) {
        case Links: checkTruncations<TLinksRecord>(); break;
        case Course: checkTruncations<TCourseRecord>(); break;
        case Yotei: checkTruncations<TYoteiRecord>(); break;
        case Score: checkTruncations<TScoreRecord>(); break;
        }
    }

    void damagedBytesDecodeSafely_data() { truncatedFilesDecodeWholeRecords_data(); }

    void damagedBytesDecodeSafely()
    {
        QFETCH(int, kind);
        switch (Kind(kind)) {
        case Links: checkFlips<TLinksRecord>(linksImage('\0')); break;
        case Course: checkFlips<TCourseRecord>(courseImage('\0')); break;
        case Yotei: checkFlips<TYoteiRecord>(yoteiImage('\0')); break;
        case Score: checkFlips<TScoreRecord>(scoreImage('\0')); break;
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
