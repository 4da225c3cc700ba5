// The file menu's CSV and backup commands through the window: a golfer's cards out and into
// another golfer, a refused file, a card on show when its day is replaced, the results as the
// grid shows them, a failed backup in the status bar, and a restore that can be undone.
#include "core/data/backup.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "core/data/datafile.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"
#include "ui/main/stringgrid.h"

#include <QDir>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTreeWidget>

namespace {
const QString kClub = QStringLiteral("東京ゴルフ倶楽部");
const QString kYamada = QStringLiteral("山田");
const QString kSato = QStringLiteral("佐藤");
const QString kCards = QStringLiteral("スコアカード");

QList<TScoreRecord> twoCards()
{
    TScoreRecord early = build::card(QDate(2023, 11, 20), kClub, 4);
    TScoreRecord late = build::card(QDate(2024, 5, 3), kClub, 5);
    late.Memo = QStringLiteral("風,強い \"向かい風\"\n後半は雨");
    late.Handicap = 12.5f;
    late.NetScore = 77.5f;
    return {early, late};
}

template <class T> T *in(QWidget &w, const char *name)
{
    T *child = w.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("no control named %s", name);
    return child;
}

void click(QWidget &w, const char *button)
{
    QTest::mouseClick(in<QPushButton>(w, button), Qt::LeftButton);
}

// Plays the export's questions: the content and the form by their buttons.
void chooseExport(WindowFixture &f, const char *content, const char *form = "ExcelRadio")
{
    f.find<TModalDialog>(QStringLiteral("ExportDialog"))
        ->setRunner([content, form](TModalDialog &d) {
            in<QRadioButton>(d, content)->click();
            in<QRadioButton>(d, form)->click();
            click(d, "OkButton");
        });
}

QList<QStringList> readCsv(const QString &path)
{
    QString text;
    QList<csv::Record> records;
    csv::decode(fileBytes(path), &text, nullptr, nullptr);
    csv::parse(text, &records, nullptr);
    QList<QStringList> rows;
    for (const csv::Record &r : std::as_const(records))
        rows.append(r.fields);
    return rows;
}
} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    QTemporaryDir m_out;

    void openWithCards(WindowFixture &f, const QStringList &golfers)
    {
        f.writeGolfers(golfers);
        f.writeLinks({build::club(kClub)});
        f.writeScores(kYamada, twoCards());
        f.open();
        if (golfers.size() > 1)
            f.choose(QStringLiteral("GolferCombo"), kYamada);
    }

    TModalDialog *importDialog(WindowFixture &f)
    {
        return f.find<TModalDialog>(QStringLiteral("ImportSummaryDialog"));
    }

private Q_SLOTS:
    void cardsGoOutAndIntoAnotherGolfer_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addRow("UTF-8") << 0;
        QTest::addRow("Shift-JIS") << 1;
    }

    void cardsGoOutAndIntoAnotherGolfer()
    {
        QFETCH(int, filter);
        WindowFixture f;
        openWithCards(f, {kYamada, kSato});
        const QByteArray stored = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        chooseExport(f, "CardsRadio", filter == 0 ? "ExcelRadio" : "ShiftJisRadio");

        // Never over a data file.
        f.seams.dialogs.answerSaveFile(f.path(kYamada + QStringLiteral(".sce")));
        f.trigger(QStringLiteral("ExportMenu"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), stored);

        // A name without its suffix gets it.
        f.seams.dialogs.answerSaveFile(m_out.filePath(QStringLiteral("cards")));
        f.trigger(QStringLiteral("ExportMenu"));
        const FileRequest asked = f.seams.dialogs.fileDialogs.last();
        QCOMPARE(
            QFileInfo(asked.path).fileName(), QStringLiteral("山田_スコアカード_20261207.csv"));
        // What lands in the file: the cards' heading and a row per card, in the file type's
        // encoding.
        const QString file = m_out.filePath(QStringLiteral("cards.csv"));
        const QByteArray bytes = fileBytes(file);
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), filter == 0);
        const QString text = filter == 0 ? QString::fromUtf8(bytes.mid(3))
                                         : QString(QStringDecoder("windows-31j").decode(bytes));
        QVERIFY2(text.startsWith(QStringLiteral("日付,ゴルフ場,OUTコース,INコース,天気,")),
            qPrintable(text.left(80)));
        QVERIFY(text.contains(QStringLiteral("\r\n2023/11/20,東京ゴルフ倶楽部,OUT,IN,晴れ,")));
        QVERIFY(text.contains(QStringLiteral("\r\n2024/05/03,東京ゴルフ倶楽部,OUT,IN,晴れ,")));
        QCOMPARE(f.status(), QStringLiteral("スコアカードを 2 行書き出しました"));

        f.choose(QStringLiteral("GolferCombo"), kSato);
        f.seams.dialogs.answerOpenFile(file);
        QString adds;
        importDialog(f)->setRunner([&adds](TModalDialog &d) {
            adds = in<QLabel>(d, "AddCountText")->text();
            click(d, "ImportButton");
        });
        f.trigger(QStringLiteral("ImportMenu"));
        QCOMPARE(adds, QStringLiteral("追加するスコアカード:  2 枚"));
        QCOMPARE(fileBytes(f.path(kSato + QStringLiteral(".sce"))), stored);
        QCOMPARE(f.childTexts({kCards}),
            (QStringList {QStringLiteral("2023年"), QStringLiteral("2024年")}));
        QCOMPARE(f.childTexts({kCards, QStringLiteral("2024年")}),
            QStringList {QStringLiteral("2024/05/03")});
        QCOMPARE(f.form->yearList(),
            (QStringList {
                QStringLiteral("全て"), QStringLiteral("2023年"), QStringLiteral("2024年")}));
        QCOMPARE(f.status(), QStringLiteral("スコアカードを 2 枚追加しました"));
    }

    void aFileWithErrorsWritesNothing()
    {
        WindowFixture f;
        openWithCards(f, {kYamada});
        const QByteArray stored = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        QList<QStringList> rows = cardcolumns::table({build::card(QDate(2025, 1, 2), kClub)});
        rows[1][cardcolumns::header().indexOf(QStringLiteral("5番打数"))] = QStringLiteral("五");
        const QString file = m_out.filePath(QStringLiteral("bad.csv"));
        QVERIFY(datafile::saveBytes(file, csv::format(rows).toUtf8(), nullptr));

        f.seams.dialogs.answerOpenFile(file);
        QStringList errors;
        bool importable = true;
        importDialog(f)->setRunner([&](TModalDialog &d) {
            auto *list = in<QListWidget>(d, "ErrorList");
            for (int i = 0; i < list->count(); ++i)
                errors.append(list->item(i)->text());
            importable = in<QPushButton>(d, "ImportButton")->isEnabled();
            click(d, "ImportButton");
        });
        f.trigger(QStringLiteral("ImportMenu"));
        QCOMPARE(errors,
            QStringList {QStringLiteral("2行目 34列目（5番打数）: 「五」は整数ではありません")});
        QVERIFY(!importable);
        QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), stored);
        QCOMPARE(f.childTexts({kCards}),
            (QStringList {QStringLiteral("2023年"), QStringLiteral("2024年")}));
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("Backup"))));
    }

    // Neither the copies of the data files nor the side files are a place for an export.
    void exportRefusedWhereTheDataLives_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addRow("the backup folder") << QStringLiteral("Backup/cards.csv");
        QTest::addRow("a day's copy") << QStringLiteral("Backup/2026-12-06/cards.csv");
        QTest::addRow("a golfer's ratings") << QStringLiteral("山田.ratings.json");
        QTest::addRow("the competitions' folder") << QStringLiteral("Compe/cards.csv");
    }
    void exportRefusedWhereTheDataLives()
    {
        QFETCH(QString, target);
        WindowFixture f;
        openWithCards(f, {kYamada});
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("Backup/2026-12-06")));
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("Compe")));
        chooseExport(f, "CardsRadio");
        f.seams.dialogs.answerSaveFile(f.path(target), 0);
        f.trigger(QStringLiteral("ExportMenu"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY2(f.seams.dialogs.last().text.startsWith(
                     QStringLiteral("データファイルやバックアップには書き出せません")),
            qPrintable(f.seams.dialogs.last().text));
        QVERIFY(!QFileInfo::exists(f.path(target)));
    }

    void aSkippingImportTellsTheCardsAdded()
    {
        WindowFixture f;
        openWithCards(f, {kYamada});
        const QByteArray stored = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        const QString file = m_out.filePath(QStringLiteral("skip.csv"));
        const QList<TScoreRecord> incoming = {build::card(QDate(2022, 3, 3), kClub, 6),
            build::card(QDate(2024, 5, 3), kClub, 6), build::card(QDate(2025, 1, 5), kClub, 6)};
        QVERIFY(
            datafile::saveBytes(file, csv::format(cardcolumns::table(incoming)).toUtf8(), nullptr));
        f.seams.dialogs.answerOpenFile(file);
        // Rows of a day already stored are left out unless told otherwise.
        importDialog(f)->setRunner([](TModalDialog &d) { click(d, "ImportButton"); });
        f.trigger(QStringLiteral("ImportMenu"));

        QCOMPARE(f.status(), QStringLiteral("スコアカードを 2 枚追加しました"));
        const QList<TScoreRecord> cards = f.readScores(kYamada);
        QCOMPARE(
            dates(cards), (QStringList {"2022/03/03", "2023/11/20", "2024/05/03", "2025/01/05"}));
        QCOMPARE(cards[2].ScoreSum, 90); // the stored card, not the file's 108
        QVERIFY(fileBytes(f.path(kYamada + QStringLiteral(".sce"))) != stored);
    }

    void aCardOnShowLeavesThePageWhenItsDayIsReplaced()
    {
        WindowFixture f;
        openWithCards(f, {kYamada});
        f.clickNode({kCards, QStringLiteral("2024年"), QStringLiteral("2024/05/03")});
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));

        const QString file = m_out.filePath(QStringLiteral("replace.csv"));
        const QList<TScoreRecord> incoming
            = {build::card(QDate(2022, 3, 3), kClub, 6), build::card(QDate(2024, 5, 3), kClub, 6)};
        QVERIFY(
            datafile::saveBytes(file, csv::format(cardcolumns::table(incoming)).toUtf8(), nullptr));
        f.seams.dialogs.answerOpenFile(file);
        QString conflicts;
        importDialog(f)->setRunner([&conflicts](TModalDialog &d) {
            conflicts = in<QLabel>(d, "ConflictCountText")->text();
            in<QRadioButton>(d, "ReplaceRadio")->click();
            click(d, "ImportButton");
        });
        f.trigger(QStringLiteral("ImportMenu"));

        QCOMPARE(conflicts, QStringLiteral("同じ日のスコアカードが登録済みの行:  1 行"));
        const QList<TScoreRecord> cards = f.readScores(kYamada);
        QCOMPARE(cards.size(), 3);
        QCOMPARE(cards[2].ScoreSum, 108);
        // The old card's index would now name another card: Change must not reach it.
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        QCOMPARE(f.label(QStringLiteral("SScoreText"))->text(), QString());
        QCOMPARE(f.status(), QStringLiteral("スコアカードを 1 枚追加し、1 枚置き換えました"));
        // Nor does printing: the page shows no card.
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("印刷するデータがありません")});
        QCOMPARE(f.seams.dialogs.printDialogs, 0);
    }

    void theResultsGoOutAsTheGridShowsThem()
    {
        WindowFixture f;
        openWithCards(f, {kYamada});
        f.find<TModalDialog>(QStringLiteral("ShukeiForm"))->setRunner([](TModalDialog &d) {
            in<QRadioButton>(d, "ShukeiGroupItem2")->click();
            QTest::mouseClick(in<QPushButton>(d, "Button1"), Qt::LeftButton);
        });
        f.clickTab(4);
        const QString file = m_out.filePath(QStringLiteral("results.csv"));
        f.seams.dialogs.answerSaveFile(file);
        chooseExport(f, "ResultsRadio");
        f.trigger(QStringLiteral("ExportMenu"));

        QCOMPARE(QFileInfo(f.seams.dialogs.fileDialogs.last().path).fileName(),
            QStringLiteral("山田_成績の表_20261207.csv"));
        auto *grid = f.find<TStringGrid>(QStringLiteral("SeisekiGrid"));
        QList<QStringList> shown;
        for (int r = 0; r < grid->RowCount(); ++r)
            shown.append({grid->Cell(0, r), grid->Cell(2, r), grid->Cell(3, r), grid->Cell(4, r),
                grid->Cell(5, r), grid->Cell(6, r)});
        QCOMPARE(shown.size(), 3);
        QCOMPARE(readCsv(file), shown);
    }

    void aFailedBackupIsToldOnceInTheStatusBar()
    {
        WindowFixture f;
        openWithCards(f, {kYamada});
        QFile blocker(f.path(QStringLiteral("Backup")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        for (const QString &name : {QStringLiteral("B倶楽部"), QStringLiteral("C倶楽部")}) {
            f.clickTab(1);
            f.trigger(QStringLiteral("DataAppendAction"));
            f.type(QStringLiteral("LinksNameEdit"), name);
            f.trigger(QStringLiteral("DataRegistAction"));
            QCoreApplication::processEvents();
            if (name == QStringLiteral("B倶楽部"))
                QVERIFY2(
                    f.status().startsWith(QStringLiteral("バックアップを作成できませんでした")),
                    qPrintable(f.status()));
            else
                QCOMPARE(f.status(), QStringLiteral("登録ゴルフ場数 3コース"));
        }
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.readLinks().size(), 3);
    }

    void aRestoreReopensTheWindowAndCanBeUndone()
    {
        WindowFixture f;
        // Two golfers: the one chosen stays chosen in the window made anew.
        f.writeGolfers({kSato, kYamada});
        f.writeLinks({build::club(kClub)});
        f.writeScores(kYamada, {twoCards().first()});
        QVERIFY(backup::makeDailyBackup(f.dir.path(), QDate(2026, 12, 6)).ok);
        const QByteArray older = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        f.writeScores(kYamada, twoCards());
        const QByteArray newer = fileBytes(f.path(kYamada + QStringLiteral(".sce")));
        f.open();
        f.choose(QStringLiteral("GolferCombo"), kYamada);

        // Plays the restore list: reads its rows, restores the one given.
        QList<QStringList> rows;
        auto restore = [&f, &rows](int row) {
            f.find<TModalDialog>(QStringLiteral("RestoreDialog"))
                ->setRunner([&rows, row](TModalDialog &d) {
                    auto *list = in<QTreeWidget>(d, "BackupList");
                    rows.clear();
                    for (int i = 0; i < list->topLevelItemCount(); ++i)
                        rows.append({list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                            list->topLevelItem(i)->text(2)});
                    list->setCurrentItem(list->topLevelItem(row));
                    click(d, "RestoreButton");
                });
            f.seams.dialogs.answerConfirm(true);
            // The new window may well be made where the old one stood in memory: it is the
            // old one's end that tells it was made anew.
            const QPointer<TMainForm> before = f.form.get();
            f.trigger(QStringLiteral("RestoreMenu"));
            QTRY_VERIFY(before.isNull());
            QVERIFY(f.form);
        };

        // The window the user moved and made larger is made anew as it stood.
        const QRect stood = f.form->geometry().adjusted(20, 10, 80, 50);
        f.form->setGeometry(stood);
        QTRY_COMPARE(f.form->geometry(), stood);
        restore(0);
        QCOMPARE(f.form->geometry(), stood);
        // A daily copy reads with the time it was taken.
        QVERIFY2(QRegularExpression(QStringLiteral("^2026/12/06 \\d\\d:\\d\\d$"))
                     .match(rows.value(0).value(0))
                     .hasMatch(),
            qPrintable(rows.value(0).value(0)));
        rows[0][0].truncate(10);
        const QList<QStringList> listed = {{QStringLiteral("2026/12/06"),
            QStringLiteral("佐藤 0枚、山田 1枚"), QStringLiteral("正常")}};
        QCOMPARE(rows, listed);
        QCOMPARE(f.form->golferName(), kYamada);
        QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), older);
        QCOMPARE(f.form->scoreList().size(), 1);
        QCOMPARE(f.childTexts({kCards}), QStringList {QStringLiteral("2023年")});

        // The copy taken before the restore is listed first and brings the cards back.
        restore(0);
        QCOMPARE(rows.size(), 2);
        QVERIFY2(rows[0][0].startsWith(QStringLiteral("2026/12/07 ")), qPrintable(rows[0][0]));
        QVERIFY(rows[0][0].endsWith(QStringLiteral("（復元前）")));
        QCOMPARE(rows[0][1], QStringLiteral("佐藤 0枚、山田 2枚"));
        QCOMPARE(fileBytes(f.path(kYamada + QStringLiteral(".sce"))), newer);
        QCOMPARE(f.form->scoreList().size(), 2);
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
