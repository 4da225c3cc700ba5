// The edges of the score card CSV: where a problem is reported once a quoted field has broken
// a line, a carriage return alone inside a field, the longest yard, a heading given twice,
// and the Shift-JIS bytes at the ends of the lead and trail ranges.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "support/builders.h"

#include <QTest>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");

// Where the columns of the card table stand, counted by hand from the heading: 15 fixed
// columns, four per hole (par, yard, strokes, putts), six for the partners, then the memo
// and the two ratings.
constexpr int kYard1Column = 17;
constexpr int kMemoColumn = 94;
constexpr int kCourseRatingColumn = 95;
constexpr int kSlopeColumn = 96;

TScoreRecord sampleCard()
{
    return build::card(QDate(2024, 5, 3), kClub, 5);
}

// The heading and one card, with the cells of the given 1-based columns replaced.
QList<QStringList> cardTable(const QList<std::pair<int, QString>> &cells = {})
{
    QList<QStringList> rows = cardcolumns::table({sampleCard()});
    for (const auto &[column, value] : cells)
        rows[1][column - 1] = value;
    return rows;
}

QByteArray utf8(const QList<QStringList> &rows)
{
    return csv::format(rows).toUtf8();
}

} // namespace

class TestCsvLimits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A line break inside a quoted field moves the line on but not the column: the problem
    // that follows is reported in the field where it stands.
    void placeAfterALineBreakInQuotes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("says");

        QTest::addRow("a value refused after a memo of two lines")
            << utf8(cardTable({{kMemoColumn, "前半\n後半"}, {kSlopeColumn, "abc"}})) << 3
            << kSlopeColumn << QStringLiteral("「abc」はスロープレートではありません");
        QTest::addRow("after a carriage return alone")
            << utf8(cardTable({{kMemoColumn, "前半\r後半"}, {kSlopeColumn, "abc"}})) << 3
            << kSlopeColumn << QStringLiteral("「abc」はスロープレートではありません");
        QTest::addRow("after a memo of three lines")
            << utf8(cardTable({{kMemoColumn, "1\r\n2\n3"}, {kCourseRatingColumn, "49.9"}})) << 4
            << kCourseRatingColumn << QStringLiteral("「49.9」はコースレートではありません");

        QByteArray misplaced = utf8(cardTable({{kMemoColumn, "前半\n後半"}, {kSlopeColumn, "@@"}}));
        misplaced.replace("@@", "1\"2");
        QTest::addRow("a quote in the wrong place")
            << misplaced << 3 << kSlopeColumn << QStringLiteral("引用符の位置が正しくありません");
        QTest::addRow("text after the closing quote")
            << QByteArray("日付,メモ,天気\r\n2024/05/03,\"前半\n後半\"x,晴れ\r\n") << 3 << 2
            << QStringLiteral("閉じた引用符の後に文字があります");
        QTest::addRow("a control byte")
            << QByteArray("日付,メモ,天気\r\n2024/05/03,\"前半\n後半\",\x01\r\n") << 3 << 3
            << QStringLiteral("テキストファイルではありません");
        QTest::addRow("a byte of neither encoding")
            << QByteArray("日付,メモ,天気\r\n2024/05/03,\"前半\n後半\",\xFF\r\n") << 3 << 3
            << QStringLiteral("UTF-8としてもShift-JISとしても読めない文字があります");
        QTest::addRow("a comma inside the quotes is no new column")
            << QByteArray("日付,メモ,天気\r\n2024/05/03,\"a,\nb\",\x01\r\n") << 3 << 3
            << QStringLiteral("テキストファイルではありません");
    }
    void placeAfterALineBreakInQuotes()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, says);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY(!plan.ok());
        QVERIFY(plan.cards.isEmpty());
        const csv::Error first = plan.problems.value(0);
        QVERIFY2(first.text.contains(says), qPrintable(first.message()));
        QCOMPARE(first.line, line);
        QCOMPARE(first.column, column);
    }

    void shiftJisRefusalPlacedAfterALineBreak()
    {
        const QString text
            = csv::format({{QStringLiteral("日付"), QStringLiteral("メモ"), QStringLiteral("天気")},
                {QStringLiteral("2024/05/03"), QStringLiteral("前半\n後半"),
                    QStringLiteral("晴\u2600")}});
        QByteArray bytes("untouched");
        csv::Error error;
        QVERIFY(!csv::encode(text, csv::Encoding::ShiftJis, &bytes, &error));
        QCOMPARE(error.line, 3);
        QCOMPARE(error.column, 3);
        QCOMPARE(error.message(),
            QStringLiteral("3行目 3列目: 「\u2600」はShift-JISで書けない文字です"));
        QVERIFY(bytes.isEmpty());
    }

    // The same text in the other encodings: the bytes as they land in the file.
    void utf8FilesStartAsSpreadsheetsExpect()
    {
        const QString text = QStringLiteral("日付,天気\r\n2024/05/03,晴\u2600\r\n");
        const QByteArray body = "\xE6\x97\xA5\xE4\xBB\x98,\xE5\xA4\xA9\xE6\xB0\x97\r\n"
                                "2024/05/03,\xE6\x99\xB4\xE2\x98\x80\r\n";
        QByteArray bytes;
        QVERIFY(csv::encode(text, csv::Encoding::Utf8Bom, &bytes, nullptr));
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF") + body);
        QVERIFY(csv::encode(text, csv::Encoding::Utf8, &bytes, nullptr));
        QCOMPARE(bytes, body);
    }

    // A carriage return alone would end the record in a spreadsheet: the field is quoted and
    // comes back whole.
    void aLoneCarriageReturnIsQuoted_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("text");
        QTest::addRow("inside") << QStringList {"a\rb", "c"} << QStringLiteral("\"a\rb\",c\r\n");
        QTest::addRow("alone") << QStringList {"\r"} << QStringLiteral("\"\r\"\r\n");
        QTest::addRow("at the end") << QStringList {"x", "y\r"} << QStringLiteral("x,\"y\r\"\r\n");
        QTest::addRow("before a line feed")
            << QStringList {"1\r\n2", ""} << QStringLiteral("\"1\r\n2\",\r\n");
    }
    void aLoneCarriageReturnIsQuoted()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, text);
        QCOMPARE(csv::format({fields}), text);
        QList<csv::Record> records;
        QVERIFY(csv::parse(text, &records, nullptr));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].fields, fields);
    }

    void aMemoWithACarriageReturnComesBack()
    {
        TScoreRecord card = sampleCard();
        card.Memo = QStringLiteral("前半\r後半");
        const QByteArray file = csv::format(cardcolumns::table({card})).toUtf8();
        QVERIFY(file.contains("\"前半\r後半\""));
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
        QCOMPARE(plan.cards.size(), 1);
        QCOMPARE(plan.cards[0].Memo, card.Memo);
        QCOMPARE(encodeRecords(plan.cards), encodeRecords(QList<TScoreRecord> {card}));
    }

    // The course page takes yards up to 9999: an import takes no more.
    void longestYard_data()
    {
        QTest::addColumn<QString>("yard");
        QTest::addColumn<int>("total"); // of the OUT half; -1: refused
        QTest::addRow("9999") << "9999" << 9999 + 8 * 350;
        QTest::addRow("10000") << "10000" << -1;
    }
    void longestYard()
    {
        QFETCH(QString, yard);
        QFETCH(int, total);
        const cardcolumns::ImportPlan plan
            = cardcolumns::readCards(utf8(cardTable({{kYard1Column, yard}})), {});
        if (total < 0) {
            QVERIFY(!plan.ok());
            QCOMPARE(plan.problemCount, 1);
            const csv::Error problem = plan.problems[0];
            QCOMPARE(problem.line, 2);
            QCOMPARE(problem.column, kYard1Column);
            QCOMPARE(problem.columnName, QStringLiteral("1番ヤード"));
            QVERIFY2(problem.text.contains(QStringLiteral("9999ヤード")), qPrintable(problem.text));
            return;
        }
        QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
        QCOMPARE(plan.cards[0].Yard[0], yard.toInt());
        QCOMPARE(plan.cards[0].YardTotal[0], total);
        QCOMPARE(plan.cards[0].YardSum, total + 9 * 350);
    }

    // A heading twice leaves no way to tell which column holds the value: wherever the first
    // one stands, the file is refused at the second.
    void aHeadingTwiceIsRefused_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("first"); // 0-based column the copy goes in front of
        QTest::addColumn<int>("column"); // where the second one is reported
        QTest::addRow("the first column, again at the end") << "日付" << -1 << 97;
        QTest::addRow("the first column, again second") << "日付" << 1 << 2;
        QTest::addRow("an optional column") << "メモ" << -1 << 97;
        QTest::addRow("the last column, again first") << "スロープレート" << 0 << 97;
    }
    void aHeadingTwiceIsRefused()
    {
        QFETCH(QString, heading);
        QFETCH(int, first);
        QFETCH(int, column);
        QList<QStringList> rows = cardcolumns::table({sampleCard()});
        const qsizetype from = rows[0].indexOf(heading);
        QVERIFY(from >= 0);
        for (QStringList &row : rows) {
            const QString copy = row[from];
            if (first < 0)
                row.append(copy);
            else
                row.insert(first, copy);
        }
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows), {});
        QVERIFY(!plan.ok());
        QVERIFY(plan.cards.isEmpty());
        const csv::Error problem = plan.problems[0];
        QCOMPARE(problem.line, 1);
        QCOMPARE(problem.column, column);
        QCOMPARE(problem.columnName, heading);
        QVERIFY2(problem.text.contains(QStringLiteral("同じ見出し")), qPrintable(problem.text));
    }

    // Characters whose Shift-JIS bytes sit at the ends of the ranges: the last lead byte of
    // the first block, the first of the second, the lowest and highest trail bytes, and a
    // trail byte that is a backslash in ASCII.
    void shiftJisAtTheEndsOfItsRanges_data()
    {
        QTest::addColumn<QString>("club");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("檗 9F40") << QStringLiteral("檗") << QByteArray("\x9F\x40");
        QTest::addRow("滌 9FFC") << QStringLiteral("滌") << QByteArray("\x9F\xFC");
        QTest::addRow("漾 E040") << QStringLiteral("漾") << QByteArray("\xE0\x40");
        QTest::addRow("ソ 835C") << QStringLiteral("ソ") << QByteArray("\x83\x5C");
        QTest::addRow("表 955C") << QStringLiteral("表") << QByteArray("\x95\x5C");
        QTest::addRow("ｱ B1") << QStringLiteral("ｱ") << QByteArray("\xB1");
        QTest::addRow("① 8740") << QStringLiteral("①") << QByteArray("\x87\x40");
    }
    void shiftJisAtTheEndsOfItsRanges()
    {
        QFETCH(QString, club);
        QFETCH(QByteArray, bytes);
        const QString name = club + QStringLiteral("ゴルフ場");
        TScoreRecord card = sampleCard();
        card.LinksName = name;
        QByteArray file;
        QVERIFY(csv::encode(
            csv::format(cardcolumns::table({card})), csv::Encoding::ShiftJis, &file, nullptr));
        QVERIFY(file.contains("\n2024/05/03," + bytes + "\x83\x53"));

        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
        QCOMPARE(plan.encoding, csv::Encoding::ShiftJis);
        QCOMPARE(plan.cards.size(), 1);
        QCOMPARE(plan.cards[0].LinksName, name);
    }

    // The last lead byte read by the spreadsheets of older desktops (IBM's extension).
    void shiftJisHighestLeadByteRead()
    {
        QByteArray file;
        QVERIFY(csv::encode(csv::format(cardcolumns::table({sampleCard()})),
            csv::Encoding::ShiftJis, &file, nullptr));
        QByteArray club;
        QVERIFY(csv::encode(kClub, csv::Encoding::ShiftJis, &club, nullptr));
        QVERIFY(file.contains(club));
        file.replace(club, QByteArray("\xFC\x40"));
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file, {});
        QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
        QCOMPARE(plan.cards[0].LinksName, QStringLiteral("髜"));
    }
};

QTEST_GUILESS_MAIN(TestCsvLimits)
#include "tst_csvlimits.moc"
