// The CSV commands as the user meets them: the export's two questions and the file name it
// suggests, the import's summary with errors present, the rows without errors read alone,
// ratings kept by a replace, Enter and Escape in the summary, and a long reading that shows
// its progress and can be cancelled.
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/datafile.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");
const QString kYamada = QStringLiteral("山田");

template <class T> T *in(QWidget &w, const char *name)
{
    T *child = w.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("no control named %s", name);
    return child;
}

QString text(QWidget &w, const char *label)
{
    return in<QLabel>(w, label)->text();
}

qsizetype columnOf(const QString &heading)
{
    return cardcolumns::header().indexOf(heading);
}

QDate day(int n)
{
    return QDate(2024, 4, 1).addDays(n);
}

QList<TScoreRecord> cardsOn(const QList<int> &days, int strokes = 5)
{
    QList<TScoreRecord> cards;
    for (int n : days)
        cards.append(build::card(day(n), kClub, strokes));
    return cards;
}

// What the summary showed, and the choice the test made in it.
struct Summary {
    QStringList lines;
    QStringList errors;
    bool importable = false;
    bool goodRowsOffered = false;
};
} // namespace

class TestCsvImport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_out;

    QString writeCsv(const QList<QStringList> &rows, const QString &name = QStringLiteral("in.csv"))
    {
        const QString file = m_out.filePath(name);
        if (!datafile::saveBytes(file, csv::format(rows).toUtf8(), nullptr))
            qWarning("cannot write %s", qPrintable(file));
        return file;
    }

    void openWith(WindowFixture &f, const QList<TScoreRecord> &cards)
    {
        f.writeGolfers({kYamada});
        f.writeLinks({build::club(kClub)});
        f.writeScores(kYamada, cards);
        f.open();
    }

    // Imports the file, reading the summary and then playing `act` on it.
    Summary import(
        WindowFixture &f, const QString &file, const std::function<void(TModalDialog &)> &act)
    {
        Summary seen;
        f.find<TModalDialog>(QStringLiteral("ImportSummaryDialog"))
            ->setRunner([&seen, &act](TModalDialog &d) {
                for (const char *label : {"AddCountText", "ConflictCountText", "ConflictDaysText",
                         "ErrorRowCountText", "RatingCountText", "UnregisteredClubsText"})
                    if (in<QLabel>(d, label)->isVisibleTo(&d))
                        seen.lines.append(text(d, label));
                auto *list = in<QListWidget>(d, "ErrorList");
                for (int i = 0; i < list->count(); ++i)
                    seen.errors.append(list->item(i)->text());
                seen.importable = in<QPushButton>(d, "ImportButton")->isEnabled();
                seen.goodRowsOffered = in<QCheckBox>(d, "GoodRowsOnlyCheck")->isVisibleTo(&d);
                act(d);
            });
        f.seams.dialogs.answerOpenFile(file);
        f.trigger(QStringLiteral("ImportMenu"));
        return seen;
    }

private Q_SLOTS:
    void theSummaryCountsWithErrorsAndReadsTheGoodRows()
    {
        WindowFixture f;
        openWith(f, cardsOn({2}));
        const QByteArray stored = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        QList<QStringList> rows = cardcolumns::table(cardsOn({0, 1, 2, 3}, 6));
        rows[2][columnOf(QStringLiteral("3番打数"))] = QStringLiteral("x");
        rows[4][columnOf(QStringLiteral("ゴルフ場"))] = QStringLiteral("新倶楽部");
        const QString file = writeCsv(rows);

        // All or nothing by default: nothing can be read.
        Summary seen
            = import(f, file, [](TModalDialog &d) { in<QPushButton>(d, "ImportButton")->click(); });
        QCOMPARE(seen.lines,
            (QStringList {QStringLiteral("追加するスコアカード:  2 枚"),
                QStringLiteral("同じ日のスコアカードが登録済みの行:  1 行"),
                QStringLiteral("（2024/04/03）"), QStringLiteral("誤りのある行:  1 行"),
                QStringLiteral("レーティングが変わるラウンド:  0 件"),
                QStringLiteral(
                    "登録されていないゴルフ場:  新倶楽部\n（スコアカードはそのまま読み込みます。"
                    "ゴルフ場はあとから登録できます）")}));
        QCOMPARE(seen.errors,
            QStringList {QStringLiteral("3行目 26列目（3番打数）: 「x」は整数ではありません")});
        QVERIFY(!seen.importable);
        QVERIFY(seen.goodRowsOffered);
        QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), stored);

        // The rows without errors, replacing the stored card of their day.
        seen = import(f, file, [](TModalDialog &d) {
            in<QCheckBox>(d, "GoodRowsOnlyCheck")->click();
            in<QRadioButton>(d, "ReplaceRadio")->click();
            in<QPushButton>(d, "ImportButton")->click();
        });
        QCOMPARE(dates(f.readScores(kYamada)),
            (QStringList {QStringLiteral("2024/04/01"), QStringLiteral("2024/04/03"),
                QStringLiteral("2024/04/04")}));
        QCOMPARE(f.readScores(kYamada).value(1).ScoreSum, 108);
        QCOMPARE(f.status(),
            QStringLiteral("スコアカードを 2 枚追加し、1 枚置き換えました（誤りのある 1 "
                           "行は読み込みませんでした）"));
    }

    void aReplaceKeepsTheRatingsOfEmptyCells()
    {
        WindowFixture f;
        const qint64 first = ratings::dayKey(datetime::fromDate(day(0)));
        const qint64 second = ratings::dayKey(datetime::fromDate(day(1)));
        ratings::RatingsData rated;
        rated.rounds.insert(first, {712, 128});
        rated.rounds.insert(second, {701, 120});
        const QString ratingsFile = f.path(kYamada + QStringLiteral(".ratings.json"));
        QVERIFY(datafile::saveBytes(ratingsFile, ratings::encodeRatings(rated), nullptr));
        openWith(f, cardsOn({0, 1}));

        // Replaced by a file without ratings but a new slope on the second day.
        QList<QStringList> rows = cardcolumns::table(cardsOn({0, 1}, 6));
        rows[2][columnOf(QStringLiteral("スロープレート"))] = QStringLiteral("125");
        QStringList changes;
        import(f, writeCsv(rows), [&changes](TModalDialog &d) {
            changes.append(text(d, "RatingCountText"));
        in<QRadioButton>(d, "ReplaceRadio")->click();
        changes.append(text(d, "RatingCountText"));
        in<QPushButton>(d, "ImportButton")->click();
    });
    QCOMPARE(changes,
        (QStringList {QStringLiteral("レーティングが変わるラウンド:  0 件"),
            QStringLiteral("レーティングが変わるラウンド:  1 件")}));
    QCOMPARE(f.readScores(kYamada).value(0).ScoreSum, 108);
    QString problem;
    const ratings::RatingsData after = ratings::decodeRatings(fileBytes(ratingsFile), &problem);
    QCOMPARE(problem, QString());
    QCOMPARE(after.rounds.value(first), (RoundRating {712, 128}));
    QCOMPARE(after.rounds.value(second), (RoundRating {701, 125}));
}

    void enterReadsInAndEscapeCancels_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("cards");
    QTest::addRow("Enter") << int(Qt::Key_Return) << 3;
    QTest::addRow("Escape") << int(Qt::Key_Escape) << 1;
}

void enterReadsInAndEscapeCancels()
{
    QFETCH(int, key);
    QFETCH(int, cards);
    WindowFixture f;
    openWith(f, cardsOn({0}));
        import(f, writeCsv(cardcolumns::table(cardsOn({1, 2}))), [key](TModalDialog &d) {
            QWidget *focus = d.focusWidget() ? d.focusWidget() : &d;
        QTest::keyClick(focus, Qt::Key(key));
});
QCOMPARE(f.readScores(kYamada).size(), cards);
}

void aLongReadingShowsItsProgressAndCanBeCancelled()
{
    WindowFixture f;
    openWith(f, cardsOn({0}));
    const QByteArray stored = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
    QList<int> days;
    for (int n = 1; n <= 1200; ++n)
        days.append(n);
    const QString file = writeCsv(cardcolumns::table(cardsOn(days)));

    f.seams.dialogs.cancelProgressAt(2);
    bool summary = false;
        import(f, file, [&summary](TModalDialog &) { summary = true;
});
QVERIFY(!summary);
QCOMPARE(f.seams.dialogs.progresses.size(), 1);
QCOMPARE(f.seams.dialogs.progresses[0].caption, QStringLiteral("CSVから読み込む"));
QCOMPARE(f.seams.dialogs.progresses[0].steps.size(), 2);
QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), stored);
QCOMPARE(f.status(), QStringLiteral("CSVの読み込みを取りやめました"));

        import(f, file, [](TModalDialog &d) { in<QPushButton>(d, "ImportButton")->click();
        });
        QCOMPARE(f.seams.dialogs.progresses.size(), 2);
        QCOMPARE(f.seams.dialogs.progresses[1].steps.size(), 3);
        QCOMPARE(f.readScores(kYamada).size(), 1201);
        }

        // A cell of two megabytes is quoted by its start in the summary.
        void aHugeCellIsQuotedShort()
        {
            WindowFixture f;
            openWith(f, cardsOn({0}));
            QList<QStringList> rows = cardcolumns::table(cardsOn({1}));
            rows[1][columnOf(QStringLiteral("メモ"))] = QString(1 << 20, QChar(u'雨'));
            const Summary seen = import(f, writeCsv(rows), [](TModalDialog &) {});
            QCOMPARE(seen.errors,
                QStringList {QStringLiteral("2行目 94列目（メモ）: 「") + QString(40, QChar(u'雨'))
                    + QStringLiteral("…」は長すぎます（1000文字を超えるセルは読み込めません）")});
        }

        void theExportAsksWhatAndHow()
        {
            WindowFixture f;
            openWith(f, cardsOn({0, 1}));
            // On the start page, with nothing else asked, the cards go out for Excel.
            QStringList offered;
            bool cardsChosen = false;
            bool excelChosen = false;
            f.find<TModalDialog>(QStringLiteral("ExportDialog"))->setRunner([&](TModalDialog &d) {
                for (QRadioButton *radio : d.findChildren<QRadioButton *>())
                    if (radio->isVisibleTo(&d) && radio->isEnabled())
                        offered.append(radio->text());
                cardsChosen = in<QRadioButton>(d, "CardsRadio")->isChecked();
                excelChosen = in<QRadioButton>(d, "ExcelRadio")->isChecked();
                QTest::keyClick(&d, Qt::Key_Return);
            });
            const QString file = m_out.filePath(QStringLiteral("out.csv"));
            f.seams.dialogs.answerSaveFile(file);
            f.trigger(QStringLiteral("ExportMenu"));
            QCOMPARE(offered,
                (QStringList {QStringLiteral("スコアカード"), QStringLiteral("予定"),
                    QStringLiteral("ゴルフ場とコース"), QStringLiteral("Excel 向け (UTF-8)"),
                    QStringLiteral("古い表計算ソフト向け (Shift-JIS)")}));
            QVERIFY(cardsChosen);
            QVERIFY(excelChosen);
            QCOMPARE(f.status(), QStringLiteral("スコアカードを 2 行書き出しました"));
            QVERIFY(fileBytes(file).startsWith("\xEF\xBB\xBF日付,"));

            // Cancelled, nothing is asked further.
            const int asked = int(f.seams.dialogs.fileDialogs.size());
            f.find<TModalDialog>(QStringLiteral("ExportDialog"))->setRunner([](TModalDialog &d) {
                QTest::keyClick(&d, Qt::Key_Escape);
            });
            f.trigger(QStringLiteral("ExportMenu"));
            QCOMPARE(f.seams.dialogs.fileDialogs.size(), asked);
        }
        }
        ;

        QTEST_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
