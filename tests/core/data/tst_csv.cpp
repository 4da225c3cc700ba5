// Score cards out to CSV and back: the quoting, the encodings, the columns found by their
// headings, and every kind of bad input refused with its place.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "support/builders.h"

#include <QStringDecoder>
#include <QTest>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");

// Two cards as the score page stores them, in date order: the later one with a memo that
// holds a comma, a quote and a line break, a partner and a handicap with a decimal; the
// earlier one without putts on one hole.
QList<TScoreRecord> sampleCards()
{
    TScoreRecord early = build::card(QDate(2023, 11, 20), kClub, 4);
    early.Putt[3].clear();
    early.PuttTotal[0] = QStringLiteral("16");
    early.PuttSum = 34;
    applyHoleResults(early);
    TScoreRecord late = build::card(QDate(2024, 5, 3), kClub, 5);
    late.Memo = QStringLiteral("風,強い \"向かい風\"\n後半は雨");
    late.Partner[0] = QStringLiteral("鈴木");
    late.PartnerScore[0] = 88;
    late.Handicap = 12.5f;
    late.NetScore = 77.5f;
    late.Weather = QStringLiteral("くもり");
    return {early, late};
}

QByteArray bytesOf(const QList<QStringList> &rows, csv::Encoding encoding)
{
    QByteArray bytes;
    if (!csv::encode(csv::format(rows), encoding, &bytes, nullptr))
        qWarning("the rows do not encode");
    return bytes;
}

qsizetype columnOf(const QString &heading)
{
    return cardcolumns::header().indexOf(heading);
}

// The sample's table with one cell of the later card replaced.
QByteArray withCell(const QString &heading, const QString &value)
{
    QList<QStringList> rows = cardcolumns::table(sampleCards());
    rows[2][columnOf(heading)] = value;
    return bytesOf(rows, csv::Encoding::Utf8Bom);
}
} // namespace

class TestCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quotesOnlyWhatNeedsItAndReadsItBack()
    {
        const QList<QStringList> rows
            = {{QStringLiteral("a"), QStringLiteral("b,c"), QStringLiteral("say \"hi\""),
                   QStringLiteral("two\nlines"), QString()},
                {QStringLiteral("next"), QStringLiteral("x")}};
        const QString text = csv::format(rows);
        QCOMPARE(
            text, QStringLiteral("a,\"b,c\",\"say \"\"hi\"\"\",\"two\nlines\",\r\nnext,x\r\n"));

        QList<csv::Record> records;
        csv::Error error;
        QVERIFY(csv::parse(text, &records, &error));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].fields, rows[0]);
        QCOMPARE(records[1].fields, rows[1]);
        // The line break inside the field moves the next record one line on, and the field
        // after the break starts on the second line.
        QCOMPARE(records[1].line, 3);
        QCOMPARE(records[0].lineOf(4), 2);
    }

    void exportWritesTheHeadingAndOneRowPerCard()
    {
        const QByteArray bytes = bytesOf(cardcolumns::table(sampleCards()), csv::Encoding::Utf8Bom);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(bytes.mid(3));
        QVERIFY(text.startsWith(QStringLiteral("日付,ゴルフ場,OUTコース,INコース,天気,")));
        QVERIFY(text.contains(QStringLiteral(",1番パー,1番ヤード,1番打数,1番パット,2番パー,")));
        QVERIFY(text.contains(QStringLiteral(",18番パット,パートナー1,パートナー1スコア,")));
        QVERIFY(text.contains(
            QStringLiteral("\r\n2024/05/03,東京ゴルフ倶楽部,OUT,IN,くもり,ベント,ベント,"
                           "レギュラー,レギュラー,12.5,90,45,45,36,77.5,4,350,5,2,")));
        // The empty putt of hole 4 of the first card, and the quoted memo at the end.
        QVERIFY(text.contains(QStringLiteral(",4,350,4,,4,350,4,2,")));
        QVERIFY(text.endsWith(
            QStringLiteral(",鈴木,88,,,,,\"風,強い \"\"向かい風\"\"\n後半は雨\",,\r\n")));
        QCOMPARE(text.count(QStringLiteral("\r\n")), 3);

        // The round's ratings in the last two columns, read back with the card.
        const auto rated = cardcolumns::table(sampleCards(), [](const TScoreRecord &card) {
            return card.RoundDate == sampleCards()[0].RoundDate ? RoundRating {712, 128}
                                                                : RoundRating {};
        });
        QCOMPARE(rated[1].mid(rated[1].size() - 2), (QStringList {"71.2", "128"}));
        const auto plan = cardcolumns::readCards(bytesOf(rated, csv::Encoding::Utf8), {});
        QVERIFY(plan.ok());
        QCOMPARE(plan.ratings[0], (RoundRating {712, 128}));
        QVERIFY(plan.ratings[1].empty());
    }

    void cardsComeBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QList<QStringList> rows = cardcolumns::table(sampleCards());
        QTest::addRow("UTF-8 with a byte-order mark") << bytesOf(rows, csv::Encoding::Utf8Bom);
        QTest::addRow("UTF-8 without") << bytesOf(rows, csv::Encoding::Utf8);
        QTest::addRow("Shift-JIS") << bytesOf(rows, csv::Encoding::ShiftJis);

        // Saved back by a spreadsheet: columns in another order, one column of its own,
        // line feeds alone, the leading zeros of the dates gone, an empty row at the end.
        QList<QStringList> shuffled;
        for (QStringList row : rows) {
            std::reverse(row.begin(), row.end());
            row.insert(3, shuffled.isEmpty() ? QStringLiteral("コメント") : QString());
            shuffled.append(row);
        }
        shuffled[1].last() = QStringLiteral("2023/11/20");
        shuffled[2].last() = QStringLiteral("2024/5/3");
        QString text = csv::format(shuffled) + QString(shuffled[0].size() - 1, QChar(','));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTest::addRow("reordered") << text.toUtf8();
    }

    void cardsComeBackByteForByte()
    {
        QFETCH(QByteArray, file);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
        QCOMPARE(plan.conflicts, 0);
        QCOMPARE(plan.newCards(), 2);
        QCOMPARE(encodeRecords(plan.cards), encodeRecords(sampleCards()));
    }

    void badInputIsRefusedWithItsPlace_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("says");

        const auto col
            = [](const char *heading) { return int(columnOf(QString::fromUtf8(heading))) + 1; };
        QList<QStringList> rows = cardcolumns::table(sampleCards());
        for (QStringList &row : rows)
            row.removeAt(columnOf(QStringLiteral("3番打数")));
        QTest::addRow("a required column missing") << bytesOf(rows,
            csv::Encoding::Utf8) << 1 << 0 << QStringLiteral("必要な列「3番打数」がありません");

        // The later card's memo holds a line break: its row starts on line 3.
        const QByteArray good = bytesOf(cardcolumns::table(sampleCards()), csv::Encoding::Utf8);
        QTest::addRow("a quote never closed")
            << good + "2025/01/01,\"open" << 5 << 2 << QStringLiteral("引用符が閉じられていません");
        QTest::addRow("text after a closing quote")
            << good + "2025/01/01,\"a\"b" << 5 << 2 << QStringLiteral("閉じた引用符の後");
        QTest::addRow("a date that is no date")
            << withCell(QStringLiteral("日付"), QStringLiteral("2024/02/30")) << 3 << col("日付")
            << QStringLiteral("日付ではありません");
        QTest::addRow("a number that is no number")
            << withCell(QStringLiteral("5番打数"), QStringLiteral("五")) << 3 << col("5番打数")
            << QStringLiteral("「五」は整数ではありません");
        QTest::addRow("a name too long")
            << withCell(QStringLiteral("ゴルフ場"), QString(16, QChar(u'林'))) << 3
            << col("ゴルフ場") << QStringLiteral("30バイトまで、この値は32バイト");
        QTest::addRow("a character Shift-JIS cannot hold")
            << withCell(QStringLiteral("天気"), QStringLiteral("晴れ\U0001F600")) << 3
            << col("天気") << QStringLiteral("Shift-JISで保存できない文字");
        QTest::addRow("a character already lost")
            << withCell(QStringLiteral("メモ"), QStringLiteral("友人\uFFFDと")) << 3 << col("メモ")
            << QStringLiteral("「\uFFFD」はShift-JISで保存できない文字です");
        QTest::addRow("putts too long")
            << withCell(QStringLiteral("2番パット"), QStringLiteral("100")) << 3 << col("2番パット")
            << QStringLiteral("「100」は長すぎます（2桁まで）");
        QTest::addRow("a handicap the page would round")
            << withCell(QStringLiteral("ハンディ"), QStringLiteral("12.04")) << 3 << col("ハンディ")
            << QStringLiteral("小数は1桁まで");
        QTest::addRow("a total the holes do not give")
            << withCell(QStringLiteral("OUT"), QStringLiteral("44")) << 3 << col("OUT")
            << QStringLiteral("各ホールから求めた値 45 と合いません");
        QTest::addRow("one day twice")
            << withCell(QStringLiteral("日付"), QStringLiteral("2023/11/20")) << 3 << col("日付")
            << QStringLiteral("2行目にもあります");
        QTest::addRow("a field too many")
            << good + "2025/01/01" + QByteArray(cardcolumns::header().size(), ',') + "\r\n"
            << 5 << 0 << QStringLiteral("列の数が見出しと違います");
        QTest::addRow("not text") << QByteArray("日付,\x00\x01\x02", 10) << 1 << 2
                                  << QStringLiteral("テキストファイルではありません");
        QTest::addRow("neither encoding") << QByteArray("日付\r\n\xFF\xFE") << 2 << 1
                                          << QStringLiteral("UTF-8としてもShift-JISとしても");
        QTest::addRow("an empty file")
            << QByteArray() << 1 << 0 << QStringLiteral("ファイルが空です");
        QTest::addRow("a heading alone")
            << bytesOf({cardcolumns::header()}, csv::Encoding::Utf8Bom) << 2 << 0
            << QStringLiteral("スコアカードの行がありません");
    }

    void badInputIsRefusedWithItsPlace()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, says);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY(!plan.ok());
        QVERIFY(!plan.importable(false));
        const csv::Error first = plan.problems.first();
        QVERIFY2(first.message().contains(says), qPrintable(first.message()));
        QCOMPARE(first.line, line);
        QCOMPARE(first.column, column);
        QVERIFY(first.message().startsWith(QString::number(line) + QStringLiteral("行目")));
    }

    void storedDaysAreConflicts()
    {
        const QList<TScoreRecord> stored = {build::card(QDate(2024, 5, 3), kClub, 6)};
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(
            bytesOf(cardcolumns::table(sampleCards()), csv::Encoding::Utf8Bom),
            cardcolumns::Stored::of(stored));
        QVERIFY(plan.ok());
        QCOMPARE(plan.conflicting, (QList<bool> {false, true}));
        QCOMPARE(plan.newCards(), 1);
    }

    void shiftJisExportNamesWhatItCannotWrite()
    {
        QByteArray bytes;
        csv::Error error;
        const QString text = csv::format({{QStringLiteral("a"), QStringLiteral("b")},
            {QStringLiteral("c"), QStringLiteral("晴れ\u2600")}});
        QVERIFY(!csv::encode(text, csv::Encoding::ShiftJis, &bytes, &error));
        QCOMPARE(error.line, 2);
        QCOMPARE(error.column, 2);
        // UTF-8 holds it: the mark, then the text as it is.
        QVERIFY(csv::encode(text, csv::Encoding::Utf8Bom, &bytes, &error));
        QCOMPARE(bytes,
            QByteArray("\xEF\xBB\xBF"
                       "a,b\r\nc,\xE6\x99\xB4\xE3\x82\x8C\xE2\x98\x80\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
