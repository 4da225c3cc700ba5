// Score card files as spreadsheets write them back: numbers, dates and rows in the forms they
// give them, characters typed on Linux, formulas that must never run, cells far too long, and
// the reader's pieces of a large file.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/csvreader.h"
#include "core/data/exportchoice.h"
#include "core/data/sjis.h"
#include "support/builders.h"

#include <QRegularExpression>
#include <QTest>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");

// Two cards: the earlier one plain, the later one with a partner, a memo and a handicap
// with a decimal.
QList<TScoreRecord> sampleCards()
{
    TScoreRecord early = build::card(QDate(2023, 11, 20), kClub, 4);
    TScoreRecord late = build::card(QDate(2024, 5, 3), kClub, 5);
    late.Partner[0] = QStringLiteral("鈴木");
    late.PartnerScore[0] = 88;
    late.Memo = QStringLiteral("前半は風");
    late.Handicap = 12.5f;
    late.NetScore = 77.5f;
    return {early, late};
}

qsizetype columnOf(const QString &heading)
{
    return cardcolumns::header().indexOf(heading);
}

QByteArray utf8(const QList<QStringList> &rows)
{
    return csv::format(rows).toUtf8();
}

// Every data cell of a column changed as a spreadsheet would.
QByteArray edited(const std::function<void(QStringList &row)> &edit)
{
    QList<QStringList> rows = cardcolumns::table(sampleCards());
    for (qsizetype r = 1; r < rows.size(); ++r)
        edit(rows[r]);
    return utf8(rows);
}

QString firstProblem(const cardcolumns::ImportPlan &plan)
{
    return plan.problems.isEmpty() ? QString() : plan.problems.first().message();
}
} // namespace

class TestSpreadsheetCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spreadsheetFormsReadAsTheExport_data()
    {
        QTest::addColumn<QByteArray>("file");
        const qsizetype date = columnOf(QStringLiteral("日付"));
        // pandas writes a column with an empty cell as floating-point numbers: "4.0".
        QTest::addRow("whole numbers with a zero fraction") << edited([](QStringList &row) {
            static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
            for (QString &cell : row)
                if (whole.match(cell).hasMatch())
                    cell += QStringLiteral(".0");
        });
        QTest::addRow("two zeros") << edited([](QStringList &row) {
            row[columnOf(QStringLiteral("3番パット"))] += QStringLiteral(".00");
        });
        QTest::addRow("dates in kanji") << edited([date](QStringList &row) {
            row[date] = row[date] == QStringLiteral("2023/11/20") ? QStringLiteral("2023年11月20日")
                                                                  : QStringLiteral("2024年5月3日");
        });
        QTest::addRow("dates with a midnight time") << edited([date](QStringList &row) {
            row[date] = row[date] == QStringLiteral("2023/11/20")
                ? QStringLiteral("2023/11/20 0:00")
                : QStringLiteral("2024-05-03 00:00:00");
        });
        QTest::addRow("full-width digits") << edited([](QStringList &row) {
            row[columnOf(QStringLiteral("1番打数"))]
                = row[columnOf(QStringLiteral("1番打数"))] == QStringLiteral("4")
                ? QStringLiteral("４")
                : QStringLiteral("５");
            if (row[columnOf(QStringLiteral("ハンディ"))] == QStringLiteral("12.5"))
                row[columnOf(QStringLiteral("ハンディ"))] = QStringLiteral("１２．５");
        });
        QTest::addRow("empty fields at the end left out") << edited([](QStringList &row) {
            while (!row.isEmpty() && row.last().isEmpty())
                row.removeLast();
        });
    }

    void spreadsheetFormsReadAsTheExport()
    {
        QFETCH(QByteArray, file);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(file);
        QVERIFY2(plan.ok(), qPrintable(firstProblem(plan)));
        QCOMPARE(encodeRecords(plan.cards), encodeRecords(sampleCards()));
    }

    void datesThatAreNoDaysAreRefused_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("says");
        const QString hint
            = QStringLiteral("年がありません。表計算ソフトで日付の列を文字列として開いてください");
        QTest::addRow("month and day in kanji") << QStringLiteral("5月3日") << hint;
        QTest::addRow("month and day") << QStringLiteral("5/3") << hint;
        QTest::addRow("month and day with a dash") << QStringLiteral("05-03") << hint;
        QTest::addRow("month and day in English") << QStringLiteral("May 03") << hint;
        QTest::addRow("a time of day")
            << QStringLiteral("2024/5/3 12:30") << QStringLiteral("日付ではありません（例");
        QTest::addRow("no such day")
            << QStringLiteral("2024年2月30日") << QStringLiteral("日付ではありません（例");
        QTest::addRow("year and month") << QStringLiteral("2024/5") << QStringLiteral("（例");
    }

    void datesThatAreNoDaysAreRefused()
    {
        QFETCH(QString, date);
        QFETCH(QString, says);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(
            edited([&date](QStringList &row) { row[columnOf(QStringLiteral("日付"))] = date; }));
        QCOMPARE(plan.errorRows, 2);
        QCOMPARE(plan.problems.first().column, 1);
        QVERIFY2(plan.problems.first().text.startsWith(
                     QStringLiteral("「") + date + QStringLiteral("」")),
            qPrintable(plan.problems.first().text));
        QVERIFY2(plan.problems.first().text.contains(says), qPrintable(plan.problems.first().text));
    }

    void lookAlikesInAFileAreStoredAsShiftJisHoldsThem_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("wave dash") << QStringLiteral("\u301C") << QByteArray("\x81\x60");
        QTest::addRow("minus sign") << QStringLiteral("\u2212") << QByteArray("\x81\x7C");
        QTest::addRow("double vertical line") << QStringLiteral("\u2016") << QByteArray("\x81\x61");
        QTest::addRow("not sign") << QStringLiteral("\u00AC") << QByteArray("\x81\xCA");
        QTest::addRow("em dash") << QStringLiteral("\u2014") << QByteArray("\x81\x5C");
        QTest::addRow("cent sign") << QStringLiteral("\u00A2") << QByteArray("\x81\x91");
        QTest::addRow("pound sign") << QStringLiteral("\u00A3") << QByteArray("\x81\x92");
    }

    void lookAlikesInAFileAreStoredAsShiftJisHoldsThem()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        QList<QStringList> rows = cardcolumns::table({sampleCards().last()});
        rows[1][columnOf(QStringLiteral("メモ"))]
            = QStringLiteral("9時") + typed + QStringLiteral("11時");
        rows[1][columnOf(QStringLiteral("パートナー1"))] = QStringLiteral("A") + typed;
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QVERIFY2(plan.ok(), qPrintable(firstProblem(plan)));
        const TScoreRecord card = plan.cards.first();
        const QByteArray memo = QByteArray("9\x8E\x9E") + bytes + "11\x8E\x9E";
        // The memo field of the card file: its length, then its bytes.
        QCOMPARE(encodeRecord(card).mid(564, 1 + memo.size()), char(memo.size()) + memo);
        QCOMPARE(sjis::encode(card.Partner[0]), QByteArray("A") + bytes);
    }

    // Nothing else is taken for another character.
    void otherCharactersInAFileAreStillRefused()
    {
        QList<QStringList> rows = cardcolumns::table({sampleCards().last()});
        rows[1][columnOf(QStringLiteral("メモ"))] = QStringLiteral("9時~11時 \u2600");
        QCOMPARE(firstProblem(cardcolumns::readCards(utf8(rows))),
            QStringLiteral("2行目 94列目（メモ）: 「\u2600」はShift-JISで保存できない文字です"));
    }

    void formulasGoOutBehindAQuoteAndComeBack_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        auto row = [](const char *name, const char *heading, const QString &value,
                       const QString &written) {
            QTest::addRow("%s", name) << QString::fromUtf8(heading) << value << written;
        };
        row("a link in the memo", "メモ", QStringLiteral("=HYPERLINK(\"http://x.jp\",\"x\")"),
            QStringLiteral("'=HYPERLINK(\"http://x.jp\",\"x\")"));
        row("a sum in the memo", "メモ", QStringLiteral("=1+1"), QStringLiteral("'=1+1"));
        row("a plus in a partner", "パートナー1", QStringLiteral("+81"), QStringLiteral("'+81"));
        row("a minus in a partner", "パートナー1", QStringLiteral("-"), QStringLiteral("'-"));
        row("an at sign in the club", "ゴルフ場", QStringLiteral("@SUM(A1)"),
            QStringLiteral("'@SUM(A1)"));
        row("a tab in the memo", "メモ", QStringLiteral("\t晴"), QStringLiteral("'\t晴"));
        row("a line break first in the memo", "メモ", QStringLiteral("\r\nあ"),
            QStringLiteral("'\r\nあ"));
        // A quote the user typed before one of them gets one more, so it comes back.
        row("a quote already", "メモ", QStringLiteral("'=1"), QStringLiteral("''=1"));
        row("a quote before text", "メモ", QStringLiteral("'abc"), QStringLiteral("'abc"));
        row("a sign inside", "メモ", QStringLiteral("a=1"), QStringLiteral("a=1"));
    }

    void formulasGoOutBehindAQuoteAndComeBack()
    {
        QFETCH(QString, heading);
        QFETCH(QString, value);
        QFETCH(QString, written);
        TScoreRecord card = sampleCards().last();
        if (heading == QStringLiteral("メモ"))
            card.Memo = value;
        else if (heading == QStringLiteral("パートナー1"))
            card.Partner[0] = value;
        else
            card.LinksName = value;
        const QList<QStringList> rows = cardcolumns::table({card});
        QCOMPARE(rows[1][columnOf(heading)], written);
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QVERIFY2(plan.ok(), qPrintable(firstProblem(plan)));
        QCOMPARE(encodeRecords(plan.cards), encodeRecords(QList<TScoreRecord> {card}));
    }

    void aQuoteTypedInASpreadsheetBeforeAFormulaGoes()
    {
        QList<QStringList> rows = cardcolumns::table({sampleCards().last()});
        rows[1][columnOf(QStringLiteral("メモ"))] = QStringLiteral("'=1+1");
        rows[1][columnOf(QStringLiteral("パートナー1"))] = QStringLiteral("'鈴木");
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QCOMPARE(plan.cards.first().Memo, QStringLiteral("=1+1"));
        QCOMPARE(plan.cards.first().Partner[0], QStringLiteral("'鈴木"));
    }

    void aRoundWithoutPuttsHasNoPuttTotal()
    {
        TScoreRecord card = sampleCards().first();
        for (QString &putt : card.Putt)
            putt.clear();
        card.PuttTotal = {};
        card.PuttSum = 0;
        applyHoleResults(card);
        const QList<QStringList> rows = cardcolumns::table({card, sampleCards().last()});
        QCOMPARE(rows[1][columnOf(QStringLiteral("パット"))], QString());
        QCOMPARE(rows[2][columnOf(QStringLiteral("パット"))], QStringLiteral("36"));
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QCOMPARE(encodeRecords(plan.cards),
            encodeRecords(QList<TScoreRecord> {card, sampleCards().last()}));
    }

    void problemsComeInFileOrder()
    {
        QList<QStringList> rows = cardcolumns::table(sampleCards());
        rows[2][columnOf(QStringLiteral("スロープレート"))] = QStringLiteral("999");
        rows[2][columnOf(QStringLiteral("メモ"))] = QString(60, QChar(u'長'));
        rows[2][columnOf(QStringLiteral("5番パット"))] = QStringLiteral("2.5");
        rows[2][columnOf(QStringLiteral("日付"))] = QStringLiteral("2024/13/01");
        rows[1][columnOf(QStringLiteral("OUT"))] = QStringLiteral("1");
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QStringList told;
        for (const csv::Error &e : plan.problems)
            told.append(e.message());
        QCOMPARE(told,
            (QStringList {
                QStringLiteral("2行目 12列目（OUT）: 各ホールから求めた値 36 と合いません"),
                QStringLiteral("3行目 1列目（日付）: 「2024/13/01」は日付ではありません（例: "
                               "2024/05/03）"),
                QStringLiteral("3行目 35列目（5番パット）: 「2.5」は整数ではありません"),
                QStringLiteral(
                    "3行目 94列目（メモ）: 長すぎます（100バイトまで、この値は120バイト）"),
                QStringLiteral(
                    "3行目 96列目（スロープレート）: 「999」はスロープレートではありません"
                    "（55〜155の整数）")}));
        QCOMPARE(plan.errorRows, 2);
    }

    void aCellLongerThanAnyFieldIsRefusedAsItIsMet_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("cell");
        QTest::addRow("two megabytes of memo")
            << QStringLiteral("メモ") << QString(1 << 20, QChar(u'あ'));
        QTest::addRow("a number of 5,000 digits")
            << QStringLiteral("7番打数") << QString(5000, QChar('9'));
        QTest::addRow("one past the limit") << QStringLiteral("天気") << QString(1001, QChar('a'));
    }

    void aCellLongerThanAnyFieldIsRefusedAsItIsMet()
    {
        QFETCH(QString, heading);
        QFETCH(QString, cell);
        QList<QStringList> rows = cardcolumns::table(sampleCards());
        rows[2][columnOf(heading)] = cell;
        // The same cell in a column of the user's own is left alone.
        rows[0].append(QStringLiteral("備考"));
        rows[1].append(cell);
        rows[2].append(QString());
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QCOMPARE(plan.problemCount, 1);
        QCOMPARE(plan.cards.size(), 1);
        QCOMPARE(plan.problems.first().line, 3);
        QCOMPARE(plan.problems.first().text,
            QStringLiteral("「") + cell.left(40)
                + QStringLiteral("…」は長すぎます（1000文字を超えるセルは読み込めません）"));
    }

    void aCellOfTheLimitIsReadAndToldWhole()
    {
        QList<QStringList> rows = cardcolumns::table(sampleCards());
        rows[2][columnOf(QStringLiteral("天気"))] = QString(1000, QChar('a'));
        const cardcolumns::ImportPlan plan = cardcolumns::readCards(utf8(rows));
        QCOMPARE(plan.problemCount, 1);
        QCOMPARE(plan.problems.first().text,
            QStringLiteral("長すぎます（20バイトまで、この値は1000バイト）"));
    }

    // A large file is decoded in pieces of 256 KiB: a double-byte character, a line break
    // and a doubled quote split between two pieces read as they would in one.
    void theReaderReadsAcrossItsPieces_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("record");
        const QString field = QStringLiteral("あ\r\nい\"う");
        const QString text = QStringLiteral("a,\"あ\r\nい\"\"う\",b\r\nend\r\n");
        const qsizetype piece = 256 * 1024;
        for (csv::Encoding encoding : {csv::Encoding::Utf8, csv::Encoding::ShiftJis}) {
            QByteArray tail;
            QVERIFY(csv::encode(text, encoding, &tail, nullptr));
            for (qsizetype cut = 1; cut < 25; ++cut) {
                const QByteArray pad = QByteArray(piece - cut - 2, 'x') + "\r\n";
                QTest::addRow(
                    "%s, cut %d", encoding == csv::Encoding::Utf8 ? "UTF-8" : "Shift-JIS", int(cut))
                    << pad + tail << QStringList {QStringLiteral("a"), field, QStringLiteral("b")};
            }
        }
    }

    void theReaderReadsAcrossItsPieces()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, record);
        csv::Reader reader(file);
        csv::Record r;
        QVERIFY(reader.next(&r));
        QCOMPARE(r.fields.size(), 1);
        QVERIFY(reader.next(&r));
        QCOMPARE(r.fields, record);
        QCOMPARE(r.line, 2);
        QCOMPARE(r.lineOf(2), 3);
        QVERIFY(reader.next(&r));
        QCOMPARE(r.fields, QStringList {QStringLiteral("end")});
        QCOMPARE(r.line, 4);
        QVERIFY(!reader.next(&r));
        QVERIFY(reader.ok());
        QCOMPARE(reader.permille(), 1000);
    }

    void theReaderKeepsNoMoreOfAFieldThanItsLimit()
    {
        const QString text = QStringLiteral("abcdef,\"gh\"\"ijk\"\r\nxy,z\r\n");
        csv::Reader reader(text, 4);
        csv::Record r;
        QVERIFY(reader.next(&r));
        QCOMPARE(r.fields, (QStringList {QStringLiteral("abcd"), QStringLiteral("gh\"i")}));
        QCOMPARE(r.cutFields, (QList<int> {0, 1}));
        QVERIFY(reader.next(&r));
        QCOMPARE(r.fields, (QStringList {QStringLiteral("xy"), QStringLiteral("z")}));
        QVERIFY(r.cutFields.isEmpty());
    }

    void exportFileNamesSayWhatIsInThem_data()
    {
        QTest::addColumn<int>("content");
        QTest::addColumn<QString>("golfer");
        QTest::addColumn<QString>("name");
        using exportchoice::Content;
        QTest::addRow("cards") << int(Content::Cards) << QStringLiteral("鈴木一郎")
                               << QStringLiteral("鈴木一郎_スコアカード_20261207.csv");
        QTest::addRow("schedule") << int(Content::Yotei) << QStringLiteral("鈴木一郎")
                                  << QStringLiteral("鈴木一郎_予定_20261207.csv");
        QTest::addRow("clubs, everyone's") << int(Content::Links) << QStringLiteral("鈴木一郎")
                                           << QStringLiteral("ゴルフ場とコース_20261207.csv");
        QTest::addRow("results") << int(Content::Results) << QStringLiteral("鈴木一郎")
                                 << QStringLiteral("鈴木一郎_成績の表_20261207.csv");
        QTest::addRow("no golfer")
            << int(Content::Links) << QString() << QStringLiteral("ゴルフ場とコース_20261207.csv");
    }

    void exportFileNamesSayWhatIsInThem()
    {
        QFETCH(int, content);
        QFETCH(QString, golfer);
        QFETCH(QString, name);
        QCOMPARE(exportchoice::fileName(exportchoice::Content(content), golfer, QDate(2026, 12, 7)),
            name);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetCsv)
#include "tst_spreadsheetcsv.moc"
