// The edges of the CSV files: the encodings told apart, where a problem is reported once a
// quoted field has broken a line, a carriage return alone inside a field, the limits of the
// score card columns and their totals, a heading given twice, the Shift-JIS bytes at the ends
// of the lead and trail ranges, and the other lists as tables.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/listcolumns.h"
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
    // The encoding is told by the bytes: UTF-8 when they are well-formed UTF-8, else
    // Shift-JIS; a byte-order mark promises UTF-8.
    void encodingTold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding"); // -1: refused
        QTest::addColumn<QString>("text"); // or the refusal with its place
        QTest::addRow("UTF-8") << QByteArray("a,\xE6\x99\xB4\r\n") << int(csv::Encoding::Utf8)
                               << QStringLiteral("a,晴\r\n");
        QTest::addRow("UTF-8 with a mark")
            << QByteArray("\xEF\xBB\xBF"
                          "a,\xE6\x99\xB4\r\n")
            << int(csv::Encoding::Utf8Bom) << QStringLiteral("a,晴\r\n");
        QTest::addRow("Shift-JIS") << QByteArray("a,\x90\xB0\r\n") << int(csv::Encoding::ShiftJis)
                                   << QStringLiteral("a,晴\r\n");
        // C0 AF would be "/" written long: no UTF-8, but ﾀｯ in Shift-JIS.
        QTest::addRow("an overlong form is not UTF-8")
            << QByteArray("a,\xC0\xAF\r\n") << int(csv::Encoding::ShiftJis)
            << QStringLiteral("a,ﾀｯ\r\n");
        QTest::addRow("a tab inside a field")
            << QByteArray("a\tb,c\r\n") << int(csv::Encoding::Utf8) << QStringLiteral("a\tb,c\r\n");
        QTest::addRow("a mark, then Shift-JIS")
            << QByteArray("\xEF\xBB\xBF"
                          "a,\x82\xA0\r\n")
            << -1 << QStringLiteral("1行目 2列目: UTF-8として読めない文字があります");
        QTest::addRow("half a surrogate")
            << QByteArray("a\r\nb,\xED\xA0\x80") << -1
            << QStringLiteral("2行目 2列目: UTF-8としてもShift-JISとしても読めない文字があります");
        QTest::addRow("a delete byte") << QByteArray(
            "a,b\x7F") << -1 << QStringLiteral("1行目 2列目: テキストファイルではありません");
    }
    void encodingTold()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, text);
        QString decoded;
        csv::Encoding found = csv::Encoding::Utf8;
        csv::Error error;
        const bool ok = csv::decode(bytes, &decoded, &found, &error);
        QCOMPARE(ok, encoding >= 0);
        if (ok) {
            QCOMPARE(int(found), encoding);
            QCOMPARE(decoded, text);
        } else {
            QCOMPARE(error.message(), text);
        }
    }

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
        // A file of the cards' columns: one without them is refused at its heading row first.
        QByteArray afterQuote = utf8(cardTable({{kMemoColumn, "前半\n後半"}}));
        afterQuote.replace("後半\"", "後半\"x");
        QTest::addRow("text after the closing quote")
            << afterQuote << 3 << kMemoColumn << QStringLiteral("閉じた引用符の後に文字があります");
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

    // The earliest day the score page offers, and the totals a file may carry: each must be
    // the one the holes give. The card: 5 strokes and 2 putts on every par 4, handicap 12.
    void cellsCheckedAgainstTheCard_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says"); // empty: taken
        QTest::addRow("the first day") << 1 << "1752/09/14"
                                       << "";
        QTest::addRow("the day before") << 1 << "1752/09/13"
                                        << "「1752/09/13」は日付ではありません";
        QTest::addRow("strokes as the holes give") << 11 << " 90"
                                                   << "";
        QTest::addRow("strokes") << 11 << "91"
                                 << "各ホールから求めた値 90 と合いません";
        QTest::addRow("IN") << 13 << "44"
                            << "各ホールから求めた値 45 と合いません";
        QTest::addRow("putts left out") << 14 << ""
                                        << "";
        QTest::addRow("putts") << 14 << "35"
                               << "各ホールから求めた値 36 と合いません";
        QTest::addRow("net as worked out") << 15 << "78.0"
                                           << "";
        QTest::addRow("net") << 15 << "77"
                             << "スコアとハンディから求めた値 78 と合いません";
        QTest::addRow("net no number") << 15 << "x"
                                       << "「x」は数値ではありません";
    }
    void cellsCheckedAgainstTheCard()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, says);
        const cardcolumns::ImportPlan plan
            = cardcolumns::readCards(utf8(cardTable({{column, value}})), {});
        if (says.isEmpty()) {
            QVERIFY2(plan.ok(), qPrintable(plan.problems.value(0).message()));
            QCOMPARE(encodeRecords(plan.cards),
                encodeRecords(QList<TScoreRecord> {
                    column == 1 ? build::card(QDate(1752, 9, 14), kClub, 5) : sampleCard()}));
            return;
        }
        QVERIFY(!plan.ok());
        QCOMPARE(plan.problemCount, 1);
        QCOMPARE(plan.problems[0].line, 2);
        QCOMPARE(plan.problems[0].column, column);
        QVERIFY2(plan.problems[0].text.contains(says), qPrintable(plan.problems[0].text));
    }

    // A half's putts are stored as two characters: 99 goes in, 108 does not.
    void puttTotalOfAHalf_data()
    {
        QTest::addColumn<QString>("putts"); // on each hole of the IN half
        QTest::addColumn<bool>("taken");
        QTest::addRow("11 a hole, 99") << "11" << true;
        QTest::addRow("12 a hole, 108") << "12" << false;
    }
    void puttTotalOfAHalf()
    {
        QFETCH(QString, putts);
        QFETCH(bool, taken);
        QList<std::pair<int, QString>> cells = {{14, QString()}};
        for (int h = 9; h < 18; ++h)
            cells.append({16 + 4 * h + 3, putts}); // the putts of hole h + 1
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(cardTable(cells)), {});
        QCOMPARE(plan.ok(), taken);
        if (taken) {
            QCOMPARE(plan.cards[0].PuttTotal[1], QStringLiteral("99"));
            QCOMPARE(plan.cards[0].PuttSum, 117);
        } else {
            const csv::Error problem = plan.problems[0];
            QCOMPARE(problem.line, 2);
            QCOMPARE(problem.column, 0);
            QVERIFY2(problem.text.contains(QStringLiteral("INのパット合計108")),
                qPrintable(problem.text));
        }
    }

    // Rows in any order come in date order, each with its own ratings.
    void rowsComeInDateOrder()
    {
        QList<QStringList> rows = {cardcolumns::header()};
        const QList<int> days = {20, 3, 11};
        for (int day : days) {
            TScoreRecord card = build::card(QDate(2024, 6, day), kClub, 4 + day % 3);
            rows.append(cardcolumns::row(card, RoundRating {700 + day, 100 + day}));
        }
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows), {});
        QVERIFY(plan.ok());
        QCOMPARE(dates(plan.cards), (QStringList {"2024/06/03", "2024/06/11", "2024/06/20"}));
        QCOMPARE(plan.cards[0].ScoreSum, 4 * 18);
        QCOMPARE(plan.cards[2].ScoreSum, 6 * 18);
        QCOMPARE(plan.ratings, (QList<RoundRating> {{703, 103}, {711, 111}, {720, 120}}));
    }

    // Every problem is counted, the first fifty are kept to be listed.
    void problemsCountedAndTheFirstFiftyKept()
    {
        QList<QStringList> rows = {cardcolumns::header()};
        for (int k = 0; k < 60; ++k) {
            QStringList row = cardcolumns::row(build::card(QDate(2024, 1, 1).addDays(k), kClub));
            row[kYard1Column - 1] = QStringLiteral("x");
            rows.append(row);
        }
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows), {});
        QCOMPARE(plan.problemCount, 60);
        QCOMPARE(plan.problems.size(), 50);
        QCOMPARE(plan.problems.last().line, 51);
        QVERIFY(plan.cards.isEmpty());
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

    // The schedule and the clubs with their courses as the spreadsheet gets them.
    void theOtherListsAsTables()
    {
        const QList<QStringList> yotei = listcolumns::yoteiTable(
            {build::yotei(QDate(2024, 7, 6), kClub, QTime(7, 45), QStringLiteral("コンペ"))});
        QCOMPARE(yotei,
            (QList<QStringList> {{"ラウンド日", "スタート", "ゴルフ場", "備考"},
                {"2024/07/06", "07:45", kClub, "コンペ"}}));

        TLinksRecord club = build::club(kClub, QStringLiteral("https://example.jp/"));
        TCourseRecord out = build::course(kClub, QStringLiteral("OUT"), 400, 5);
        out.Yard[8] = 150;
        out.Par[8] = 3;
        out.YardTotal = 3350;
        out.ParTotal = 43;
        const QList<QStringList> links
            = listcolumns::linksTable({club, build::club(QStringLiteral("空倶楽部")), club},
                {out, build::course(QStringLiteral("未登録"), QStringLiteral("西"))});
        QCOMPARE(links.size(), 5);
        QCOMPARE(links[0].size(), 27);
        QCOMPARE(links[0].mid(0, 8),
            (QStringList {"ゴルフ場", "住所", "電話番号", "ホームページ", "コース", "グリーン",
                "ティー", "1番ヤード"}));
        QCOMPARE(links[0].mid(15, 3), (QStringList {"9番ヤード", "ヤード計", "1番パー"}));
        QCOMPARE(links[0].last(), QStringLiteral("パー計"));
        QCOMPARE(links[1].mid(0, 8),
            (QStringList {kClub, "千葉県" + kClub, "043-000-0000", "https://example.jp/", "OUT",
                "ベント", "レギュラー", "400"}));
        QCOMPARE(links[1].mid(15, 3), (QStringList {"150", "3350", "5"}));
        QCOMPARE(links[1].last(), QStringLiteral("43"));
        // A club without courses has a row of its own, as wide as the heading; the club
        // listed twice brings its courses once; a course of no registered club comes last.
        QCOMPARE(links[2].mid(0, 5),
            (QStringList {"空倶楽部", "千葉県空倶楽部", "043-000-0000", "", ""}));
        QCOMPARE(links[2].size(), 27);
        QCOMPARE(links[3].mid(0, 5),
            (QStringList {kClub, "千葉県" + kClub, "043-000-0000", "https://example.jp/", ""}));
        QCOMPARE(links[4].mid(0, 5), (QStringList {"未登録", "", "", "", "西"}));
        QCOMPARE(links[4].last(), QStringLiteral("36"));
    }
};

QTEST_GUILESS_MAIN(TestCsvLimits)
#include "tst_csvlimits.moc"
