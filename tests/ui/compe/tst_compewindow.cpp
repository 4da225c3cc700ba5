// The competition window through the main window: a competition of two golfers offered from
// their cards and two guests typed in, its hidden holes drawn by a scripted chance, announced,
// its results, file (stored, reopened, changed, deleted), printout and CSV file.
#include "competest.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTabWidget>

using namespace competest;

namespace {

// The text of a printed PDF as its text layer gives it, without blanks; kanji that come back
// as radicals of the same shape are folded back by NFKC.
QString pdfText(const QString &pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(60000))
        return QStringLiteral("pdftotext did not finish");
    QString text
        = QString::fromUtf8(tool.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text.replace(QChar(0x2027), QChar(0x30FB));
}

int pdfPages(const QString &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(fileBytes(pdf)).count(page));
}

} // namespace

class TestCompeWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theWorkedExample()
    {
        WindowFixture f;
        prepare(f);
        auto *item = f.action(QStringLiteral("CompeAction"));
        QCOMPARE(item->text(), QStringLiteral("コンペ（新ペリア）(&C)..."));
        QMenu *tools = nullptr;
        for (QAction *menu : f.form->menuBar()->actions())
            if (menu->text() == QStringLiteral("ツール(&T)"))
                tools = menu->menu();
        QVERIFY(tools && tools->actions().contains(item));
        f.close();

        makeCompetition(f);
        QCOMPARE(get<QComboBox>(f, QStringLiteral("OutCourseCombo"))->currentText(), "東");
        QCOMPARE(get<QComboBox>(f, QStringLiteral("InCourseCombo"))->currentText(), "西");
        QCOMPARE(rowTexts(table(f, QStringLiteral("HoleGrid")), 0),
            QString("パー 4 4 3 5 4 4 3 4 5 36 4 5 4 3 4 4 5 3 4 36 72 ").split(' '));
        QCOMPARE(rowTexts(table(f, QStringLiteral("OfferGrid")), 0),
            (QStringList {"山田", "45", "45", "90", "参加者に入っています"}));
        QVERIFY(!(
            table(f, QStringLiteral("OfferGrid"))->item(0, 0)->flags() & Qt::ItemIsUserCheckable));
        // 20 standard choices in each half: the par 3 (3 or 7; IN 13 or 17), the par 5 (4 or
        // 9; 11 or 16) and four of the five par 4s, 2 × 2 × 5.
        QCOMPARE(f.seams.random.bounds, (QList<quint32> {20, 20}));
        QCOMPARE(hiddenTicks(f).join(' '), QStringLiteral("1 2 3 4 5 8 10 11 12 13 14 18"));
        QVERIFY(!get<QLabel>(f, QStringLiteral("HiddenNoticeText"))->isVisible());

        QTableWidget *players = table(f, QStringLiteral("PlayerGrid"));
        QCOMPARE(players->rowCount(), 4);
        QCOMPARE(rowTexts(players, 3).mid(0, 2), (QStringList {"高橋", "6"}));
        QCOMPARE(rowTexts(players, 3).mid(20), (QStringList {"48", "96", "ゲスト"}));
        QCOMPARE(rowTexts(players, 1).mid(20), (QStringList {"39", "80", "ゴルファー"}));

        f.seams.dialogs.clear();
        click(f, QStringLiteral("ResultsButton"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        // Hidden par 48; handicap = (hidden × 1.5 − 72) × 0.8:
        //   山田  hidden 60 (a bogey on each):        (90 − 72) × 0.8 = 14.4, net 90 − 14.4
        //   高橋  hidden 33 + 32 = 65:              (97.5 − 72) × 0.8 = 20.4, net 96 − 20.4
        //   佐藤  hidden 48 + 2 (1st, 10th) = 50:    (75 − 72) × 0.8 = 2.4, net 80 − 2.4
        //   鈴木  hidden 72 + 5 for the 12, capped at 10 (double par): 75,
        //         (112.5 − 72) × 0.8 = 32.4, net 113 − 32.4
        // 山田 and 高橋 tie on 75.6: the smaller handicap goes first.
        QTableWidget *results = table(f, QStringLiteral("ResultGrid"));
        QCOMPARE(results->rowCount(), 4);
        QCOMPARE(rowTexts(results, 0).join(' '), QStringLiteral("1 山田 45 45 90 14.4 75.6"));
        QCOMPARE(rowTexts(results, 1).join(' '), QStringLiteral("2 高橋 48 48 96 20.4 75.6"));
        QCOMPARE(rowTexts(results, 2).join(' '), QStringLiteral("3 佐藤 41 39 80 2.4 77.6"));
        QCOMPARE(rowTexts(results, 3).join(' '), QStringLiteral("4 鈴木 59 54 113 32.4 80.6"));
        QCOMPARE(get<QLabel>(f, QStringLiteral("BestGrossText"))->text(),
            QStringLiteral("ベストグロス  佐藤（80）"));

        // Ticked holes are kept until chosen again, and chosen again only when confirmed.
        f.seams.random.answer({0, 0});
        f.seams.dialogs.answerConfirm(false);
        click(f, QStringLiteral("ChooseHiddenButton"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("隠しホールを選び直しますか？"));
        QCOMPARE(hiddenTicks(f).join(' '), QStringLiteral("1 2 3 4 5 8 10 11 12 13 14 18"));
        QCOMPARE(f.seams.random.bounds.size(), 2);

        // A player taken off when confirmed; the places close up.
        players->setCurrentCell(0, 0);
        f.seams.dialogs.answerConfirm(false);
        click(f, QStringLiteral("RemovePlayerButton"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("「山田」を参加者から外しますか？"));
        QCOMPARE(players->rowCount(), 4);
        f.seams.dialogs.answerConfirm(true);
        click(f, QStringLiteral("RemovePlayerButton"));
        QCOMPARE(players->rowCount(), 3);
        QCOMPARE(rowTexts(results, 0).join(' '), QStringLiteral("1 高橋 48 48 96 20.4 75.6"));
        // He is offered again.
        QTableWidget *offer = table(f, QStringLiteral("OfferGrid"));
        QCOMPARE(offer->item(0, 4)->text(), QString());
        QCOMPARE(offer->item(0, 0)->checkState(), Qt::Checked);
    }

    void storedReopenedChangedDeleted()
    {
        WindowFixture f;
        makeCompetition(f);
        get<QTabWidget>(f, QStringLiteral("CompeTabs"))->setCurrentIndex(1);
        click(f, QStringLiteral("AddDriveButton"));
        typeCell(table(f, QStringLiteral("PrizeGrid")), 0, 1, QStringLiteral("１８"));
        QCOMPARE(table(f, QStringLiteral("PrizeGrid"))->item(0, 1)->text(), QStringLiteral("18"));
        typeCell(table(f, QStringLiteral("PrizeGrid")), 0, 2, QStringLiteral("佐藤"));
        click(f, QStringLiteral("AddPinButton"));
        typeCell(table(f, QStringLiteral("PrizeGrid")), 1, 1, QStringLiteral("3"));
        // A row added by mistake goes again.
        click(f, QStringLiteral("AddPinButton"));
        QCOMPARE(table(f, QStringLiteral("PrizeGrid"))->rowCount(), 3);
        click(f, QStringLiteral("RemovePrizeButton"));
        QCOMPARE(table(f, QStringLiteral("PrizeGrid"))->rowCount(), 2);
        click(f, QStringLiteral("AnnounceButton"));
        QVERIFY(get<QPushButton>(f, QStringLiteral("AnnounceButton"))->isChecked());
        // Announced holes are not drawn or ticked again.
        QVERIFY(!get<QPushButton>(f, QStringLiteral("ChooseHiddenButton"))->isEnabled());
        QTableWidget *holes = table(f, QStringLiteral("HoleGrid"));
        QVERIFY(!(holes->item(1, 1)->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(!(holes->item(1, 6)->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(window(f)->hasChanges());
        f.seams.dialogs.clear();
        click(f, QStringLiteral("SaveButton"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        QVERIFY(!window(f)->hasChanges());

        const std::optional<compe::Competition> stored
            = compe::decode(fileBytes(f.path(kFile))).competition;
        QVERIFY(stored);
        QCOMPARE(stored->date, kDay);
        QCOMPARE(stored->name, kName);
        QCOMPARE(stored->club, kClub);
        QCOMPARE(stored->courses[1], QStringLiteral("西"));
        QCOMPARE(stored->pars[3], 5);
        QCOMPARE(stored->players.size(), 4);
        QCOMPARE(stored->players[0], (compe::Player {QStringLiteral("山田"), kYamada, true}));
        QCOMPARE(stored->players[1], (compe::Player {QStringLiteral("佐藤"), kSato, true}));
        QCOMPARE(stored->players[2], (compe::Player {QStringLiteral("鈴木"), kSuzuki, false}));
        QCOMPARE(stored->players[3], (compe::Player {QStringLiteral("高橋"), kTakahashi, false}));
        QCOMPARE(stored->hiddenHoles, (QList<int> {1, 2, 3, 4, 5, 8, 10, 11, 12, 13, 14, 18}));
        QVERIFY(stored->announced);
        QCOMPARE(stored->options, compe::Options());
        QCOMPARE(stored->prizes,
            (QList<compe::PrizeHole> {{compe::PrizeKind::Drive, 18, QStringLiteral("佐藤")},
                {compe::PrizeKind::Pin, 3, QString()}}));

        // A new start of the program lists it and opens it as it was.
        f.open();
        f.trigger(QStringLiteral("CompeAction"));
        QTableWidget *list = table(f, QStringLiteral("CompeList"));
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(rowTexts(list, 0), (QStringList {"2026/11/03", kName, kClub, "4"}));
        list->selectRow(0);
        click(f, QStringLiteral("OpenButton"));
        QCOMPARE(get<QLineEdit>(f, QStringLiteral("CompeNameEdit"))->text(), kName);
        QCOMPARE(hiddenTicks(f).size(), 12);
        QVERIFY(get<QPushButton>(f, QStringLiteral("AnnounceButton"))->isChecked());
        QCOMPARE(rowTexts(table(f, QStringLiteral("ResultGrid")), 0).join(' '),
            QStringLiteral("1 山田 45 45 90 14.4 75.6"));

        // Changed: a new name moves the file; the factor 1.0 changes the places.
        //   高橋  97.5 − 72 = 25.5, net 70.5     山田  90 − 72 = 18.0, net 72.0
        //   佐藤  75 − 72 = 3.0, net 77.0        鈴木  40.5, at most 36.0, net 77.0
        // 佐藤 and 鈴木 tie on net: the smaller handicap goes first.
        auto *name = get<QLineEdit>(f, QStringLiteral("CompeNameEdit"));
        name->selectAll();
        WindowFixture::keys(name, QStringLiteral("秋の山田会"));
        f.choose(get<QComboBox>(f, QStringLiteral("FactorCombo")), QStringLiteral("1.0"));
        QTableWidget *results = table(f, QStringLiteral("ResultGrid"));
        QCOMPARE(rowTexts(results, 0).join(' '), QStringLiteral("1 高橋 48 48 96 25.5 70.5"));
        QCOMPARE(rowTexts(results, 1).join(' '), QStringLiteral("2 山田 45 45 90 18.0 72.0"));
        QCOMPARE(rowTexts(results, 2).join(' '), QStringLiteral("3 佐藤 41 39 80 3.0 77.0"));
        QCOMPARE(rowTexts(results, 3).join(' '), QStringLiteral("4 鈴木 59 54 113 36.0 77.0"));
        click(f, QStringLiteral("SaveButton"));
        const QString renamed = QStringLiteral("Compe/2026-11-03_秋の山田会.json");
        QVERIFY(!QFile::exists(f.path(kFile)));
        QCOMPARE(compe::decode(fileBytes(f.path(renamed))).competition->options.factor,
            compe::Factor::One);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("秋の山田会"));

        // Deleted only when confirmed; the editor starts afresh.
        list->selectRow(0);
        f.seams.dialogs.answerConfirm(false);
        click(f, QStringLiteral("DeleteButton"));
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("2026/11/03の「秋の山田会」を削除しますか？"));
        QVERIFY(QFile::exists(f.path(renamed)));
        f.seams.dialogs.answerConfirm(true);
        click(f, QStringLiteral("DeleteButton"));
        QVERIFY(!QFile::exists(f.path(renamed)));
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(name->text(), QString());
        QCOMPARE(table(f, QStringLiteral("PlayerGrid"))->rowCount(), 0);
    }

    // A score cell takes what the core reads as a score, full-width digits too, and refuses
    // the rest with the core's message, keeping the text as typed.
    void unusualHalfIsToldOf()
    {
        WindowFixture f;
        prepare(f);
        f.trigger(QStringLiteral("CompeAction"));
        f.seams.dialogs.clear();
        f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), QStringLiteral("B倶楽部"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {"ゴルフ場「B倶楽部」にはコースが登録されていません"});
        QCOMPARE(get<QComboBox>(f, QStringLiteral("CompeLinksCombo"))->currentIndex(), -1);
        TCourseRecord north = build::course(QStringLiteral("B倶楽部"), QStringLiteral("北"));
        TCourseRecord south = kWest;
        south.LinksName = QStringLiteral("B倶楽部");
        // A second club whose OUT has nine par 4s: no par 3 or par 5, and six par 4s make 24.
        f.writeCourses({north, south});
        f.open();
        f.trigger(QStringLiteral("CompeAction"));
        f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), QStringLiteral("B倶楽部"));
        f.seams.random.answer({0, 0});
        click(f, QStringLiteral("ChooseHiddenButton"));
        // Every six of nine par 4s is allowed: 84 of them, 1-2-3-4-5-6 first.
        QCOMPARE(f.seams.random.bounds, (QList<quint32> {84, 20}));
        QCOMPARE(hiddenTicks(f).join(' '), QStringLiteral("1 2 3 4 5 6 10 11 12 13 14 15"));
        auto *notice = get<QLabel>(f, QStringLiteral("HiddenNoticeText"));
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(),
            QStringLiteral(
                "OUTにはパー3を1つ、パー4を4つ、パー5を1つ選べるホールがないため、パーの合計"
                "が24にできるだけ近い6ホールを選びました（パーの合計 24）"));
    }

    // A golfer who started on the IN course has his card's halves the other way round: his
    // OUT is the competition's IN.
    void aCardStartedOnInIsTurned()
    {
        WindowFixture f;
        prepare(f);
        TScoreRecord card = cardOf(kDay, kSuzuki);
        card.CourseName = {kWest.CourseName, kEast.CourseName};
        f.writeScores(QStringLiteral("田中"), {card});
        f.trigger(QStringLiteral("CompeAction"));
        get<QDateEdit>(f, QStringLiteral("CompeDateEdit"))->setDate(kDay);
        f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), kClub);
        QTableWidget *offer = table(f, QStringLiteral("OfferGrid"));
        QCOMPARE(offer->rowCount(), 3);
        // His card: 西 59 first, 東 54 second.
        QCOMPARE(rowTexts(offer, 2), (QStringList {"田中", "54", "59", "113", "INからスタート"}));
        for (int row = 0; row < 2; ++row)
            offer->item(row, 0)->setCheckState(Qt::Unchecked);
        click(f, QStringLiteral("JoinButton"));
        QTableWidget *players = table(f, QStringLiteral("PlayerGrid"));
        QCOMPARE(players->rowCount(), 1);
        QCOMPARE(rowTexts(players, 0).mid(1, 10).join(' '),
            QStringLiteral("6 7 6 5 6 6 7 5 6 54")); // 東, his second half
        QCOMPARE(offer->item(2, 4)->text(), QStringLiteral("参加者に入っています"));
        QCOMPARE(offer->item(0, 4)->text(), QString());
    }

    // A stored competition keeps the pars it was played on: a course changed since, or the
    // other half chosen anew, leaves them as they were.
    void keepsThePars()
    {
        WindowFixture f;
        makeCompetition(f);
        click(f, QStringLiteral("SaveButton"));
        TCourseRecord east = kEast;
        east.Par[0] = 5;
        TCourseRecord south = kWest;
        south.CourseName = QStringLiteral("南");
        south.Par[8] = 5;
        f.writeCourses({east, kWest, south});
        f.open();
        f.trigger(QStringLiteral("CompeAction"));
        table(f, QStringLiteral("CompeList"))->selectRow(0);
        click(f, QStringLiteral("OpenButton"));
        QTableWidget *holes = table(f, QStringLiteral("HoleGrid"));
        QCOMPARE(holes->item(0, 1)->text(), QStringLiteral("4"));
        f.choose(get<QComboBox>(f, QStringLiteral("InCourseCombo")), QStringLiteral("南"));
        // OUT as played (4 on the 1st, 36); IN 南's (5 on the 18th, 37).
        QCOMPARE(rowTexts(holes, 0).mid(1, 21).join(' '),
            QStringLiteral("4 4 3 5 4 4 3 4 5 36 4 5 4 3 4 4 5 3 5 37 73"));
    }

    void printedOnOnePage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed (poppler-utils): the PDF's text is not read");
        WindowFixture f;
        makeCompetition(f);
        const QString pdf = f.path(QStringLiteral("compe.pdf"));
        f.seams.dialogs.answerPrint(pdf);
        click(f, QStringLiteral("PrintButton"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        QCOMPARE(pdfPages(pdf), 1);
        QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("[隠しホール]発表前")), qPrintable(text));

        click(f, QStringLiteral("AnnounceButton"));
        f.seams.dialogs.answerPrint(pdf);
        click(f, QStringLiteral("PrintButton"));
        QCOMPARE(pdfPages(pdf), 1);
        text = pdfText(pdf);
        for (const QString &expected :
            {QStringLiteral("第1回山田会成績表"), QStringLiteral("[ゴルフ場]A倶楽部"),
                QStringLiteral("[コース]OUT東IN"), QStringLiteral("2026年11月3日"),
                QStringLiteral(
                    "[方式]新ペリア(隠しホールの上限ダブルパー・係数0.8・ハンディ上限36)"),
                QStringLiteral("[隠しホール]OUT1・2・3・4・5・8IN10・11・12・13・14・18"),
                QStringLiteral("順位氏名OUTINグロスハンディネット"),
                QStringLiteral("1山田45459014.475.6"), QStringLiteral("2高橋48489620.475.6"),
                QStringLiteral("3佐藤4139802.477.6"), QStringLiteral("4鈴木595411332.480.6"),
                QStringLiteral("[ベストグロス]佐藤80")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in ") + text));

        // The preview shows the same page and prints it when asked; closed, it prints nothing.
        const QString previewed = f.path(QStringLiteral("preview.pdf"));
        f.seams.dialogs.clear();
        click(f, QStringLiteral("PreviewButton"));
        QCOMPARE(f.seams.dialogs.printPreviews, 1);
        QVERIFY(!QFile::exists(previewed));
        QCOMPARE(get<QLabel>(f, QStringLiteral("StatusText"))->text(),
            QStringLiteral("成績表を印刷しました")); // from the print before
        get<QLabel>(f, QStringLiteral("StatusText"))->clear();
        click(f, QStringLiteral("PreviewButton"));
        QCOMPARE(get<QLabel>(f, QStringLiteral("StatusText"))->text(), QString());
        f.seams.dialogs.answerPreview(previewed);
        click(f, QStringLiteral("PreviewButton"));
        QCOMPARE(f.seams.dialogs.printPreviews, 3);
        QCOMPARE(f.seams.dialogs.printDialogs, 0);
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        QCOMPARE(pdfPages(previewed), 1);
        QCOMPARE(pdfText(previewed), text);
        QCOMPARE(get<QLabel>(f, QStringLiteral("StatusText"))->text(),
            QStringLiteral("成績表を印刷しました"));
    }

    void exportedInBothForms()
    {
        WindowFixture f;
        makeCompetition(f);
        const QString rows = QStringLiteral(
            "順位,氏名,OUT,IN,グロス,ハンディ,ネット\r\n1,山田,45,45,90,14.4,75.6\r\n"
            "2,高橋,48,48,96,20.4,75.6\r\n3,佐藤,41,39,80,2.4,77.6\r\n4,鈴木,59,54,113,32.4,80."
            "6\r\n");
        const QString excel = f.path(QStringLiteral("excel.csv"));
        f.seams.dialogs.answerSaveFile(f.path(QStringLiteral("excel")), -1); // the suffix added
        click(f, QStringLiteral("ExportButton"));
        const FileRequest asked = f.seams.dialogs.fileDialogs.last();
        QCOMPARE(asked.filters,
            (QStringList {
                "Excel 向け (UTF-8) (*.csv)", "古い表計算ソフト向け (Shift-JIS) (*.csv)"}));
        QCOMPARE(asked.filter, 0);
        QVERIFY(asked.path.endsWith(QStringLiteral("/第1回 山田会_成績表_20261103.csv")));
        QCOMPARE(fileBytes(excel), QByteArray("\xEF\xBB\xBF") + rows.toUtf8());

        const QString old = f.path(QStringLiteral("old.csv"));
        f.seams.dialogs.answerSaveFile(old, 1);
        click(f, QStringLiteral("ExportButton"));
        QStringEncoder sjis("Shift_JIS");
        QCOMPARE(fileBytes(old), QByteArray(sjis.encode(rows)));

        // Never over a competition's file.
        const QByteArray before = fileBytes(excel);
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("Compe")));
        f.seams.dialogs.clear();
        f.seams.dialogs.answerSaveFile(f.path(QStringLiteral("Compe/x.json")));
        click(f, QStringLiteral("ExportButton"));
        QVERIFY(f.seams.dialogs.last().text.startsWith(
            QStringLiteral("データファイルやバックアップには書き出せません")));
        QVERIFY(!QFile::exists(f.path(QStringLiteral("Compe/x.json"))));
        QCOMPARE(fileBytes(excel), before);
    }
};

QTEST_MAIN(TestCompeWindow)
#include "tst_compewindow.moc"
