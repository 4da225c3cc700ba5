// What the competition window refuses and what it keeps: scores that are none, a name twice,
// results without twelve hidden holes, a damaged file; and its keys.
#include "competest.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

using namespace competest;

class TestCompeInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoreCells_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const QString none
            = QStringLiteral("「鈴木」の4番のスコア「%1」は1から20の整数ではありません");
        QTest::addRow("20") << "20"
                            << "20"
                            << "";
        QTest::addRow("full-width 20") << "２０"
                                       << "20"
                                       << "";
        QTest::addRow("blanks around") << " 7　"
                                       << "7"
                                       << "";
        QTest::addRow("21") << "21"
                            << "21" << none.arg("21");
        QTest::addRow("full-width 21") << "２１"
                                       << "２１" << none.arg("２１");
        QTest::addRow("0") << "0"
                           << "0" << none.arg("0");
        QTest::addRow("negative") << "-3"
                                  << "-3" << none.arg("-3");
        QTest::addRow("fraction") << "4.5"
                                  << "4.5" << none.arg("4.5");
        QTest::addRow("letters") << "x"
                                 << "x" << none.arg("x");
    }
    void scoreCells()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        WindowFixture f;
        makeCompetition(f);
        f.seams.dialogs.clear();
        QTableWidget *grid = table(f, QStringLiteral("PlayerGrid"));
        typeCell(grid, 2, 4, typed);
        QCOMPARE(grid->item(2, 4)->text(), shown);
        QCOMPARE(
            f.seams.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList {message});
        // The total of the half stands only for a half of scores.
        QCOMPARE(grid->item(2, 10)->text(),
            message.isEmpty() ? QString::number(59 - 12 + shown.toInt()) : QString());
        if (message.isEmpty())
            return;
        // Neither results nor a file from it.
        f.seams.dialogs.clear();
        click(f, QStringLiteral("ResultsButton"));
        click(f, QStringLiteral("SaveButton"));
        QCOMPARE(f.seams.dialogs.texts(), (QStringList {message, message}));
        QVERIFY(!QFile::exists(f.path(kFile)));
    }

    void badInputRefusedAndNothingWritten()
    {
        WindowFixture f;
        makeCompetition(f);
        click(f, QStringLiteral("SaveButton"));
        const QByteArray saved = fileBytes(f.path(kFile));
        QVERIFY(!saved.isEmpty());
        QTableWidget *grid = table(f, QStringLiteral("PlayerGrid"));

        // A name twice.
        f.seams.dialogs.clear();
        typeCell(grid, 2, 0, QStringLiteral("山田 "));
        click(f, QStringLiteral("SaveButton"));
        click(f, QStringLiteral("ResultsButton"));
        const QString twice = QStringLiteral("参加者の氏名「山田」が重複しています");
        QCOMPARE(f.seams.dialogs.texts(), (QStringList {twice, twice}));
        QCOMPARE(get<QLabel>(f, QStringLiteral("ResultStateText"))->text(), twice);
        QCOMPARE(fileBytes(f.path(kFile)), saved);
        typeCell(grid, 2, 0, QStringLiteral("鈴木"));

        // A seventh hole of a half, and results, printing or the announcement without twelve.
        f.seams.dialogs.clear();
        QTableWidget *holes = table(f, QStringLiteral("HoleGrid"));
        holes->item(1, 9)->setCheckState(Qt::Checked);
        QCOMPARE(f.seams.dialogs.texts(), QStringList {"OUTの隠しホールは6ホールまでです"});
        QCOMPARE(hiddenTicks(f).size(), 12);
        holes->item(1, 1)->setCheckState(Qt::Unchecked);
        f.seams.dialogs.clear();
        click(f, QStringLiteral("ResultsButton"));
        click(f, QStringLiteral("PrintButton"));
        click(f, QStringLiteral("AnnounceButton"));
        const QString eleven
            = QStringLiteral("隠しホールが12ホール選ばれていません（選ばれているのは11ホール）");
        QCOMPARE(f.seams.dialogs.texts(), (QStringList {eleven, eleven, eleven}));
        QCOMPARE(f.seams.dialogs.printDialogs, 0);
        QVERIFY(!get<QPushButton>(f, QStringLiteral("AnnounceButton"))->isChecked());
        QCOMPARE(table(f, QStringLiteral("ResultGrid"))->rowCount(), 0);

        // A competition without a name, and one whose day and name another has.
        auto *name = get<QLineEdit>(f, QStringLiteral("CompeNameEdit"));
        name->clear();
        f.seams.dialogs.clear();
        click(f, QStringLiteral("SaveButton"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {"コンペ名を入力してください"});
        f.seams.dialogs.answerButton(2); // キャンセル: the changes stay
        click(f, QStringLiteral("NewButton"));
        QCOMPARE(name->text(), QString());
        QCOMPARE(table(f, QStringLiteral("PlayerGrid"))->rowCount(), 4);
        QCOMPARE(
            f.seams.dialogs.last().buttons, (QStringList {"はい(&Y)", "いいえ(&N)", "キャンセル"}));
        f.seams.dialogs.answerConfirm(false);
        click(f, QStringLiteral("NewButton"));
        // Holes are drawn and announced on courses only.
        f.seams.dialogs.clear();
        click(f, QStringLiteral("ChooseHiddenButton"));
        click(f, QStringLiteral("AnnounceButton"));
        QCOMPARE(f.seams.dialogs.texts(),
            (QStringList {"ゴルフ場を選択してください", "ゴルフ場を選択してください"}));
        QCOMPARE(f.seams.random.bounds.size(), 2); // the two of the first choice only
        get<QDateEdit>(f, QStringLiteral("CompeDateEdit"))->setDate(kDay);
        WindowFixture::keys(name, kName);
        f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), kClub);
        f.seams.dialogs.clear();
        click(f, QStringLiteral("SaveButton"));
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("2026/11/03の「第1回 山田会」というコンペは既にあります")});
        QCOMPARE(fileBytes(f.path(kFile)), saved);
    }

    // A golfer whose card the method cannot take is offered with the reason and not ticked;
    // ticked by hand, he is refused, and nobody of the same tick joins.
    void aCardWithoutAScoreIsNotJoined()
    {
        WindowFixture f;
        prepare(f);
        Scores blank = kSato;
        blank[4] = 0;
        f.writeScores(QStringLiteral("田中"), {cardOf(kDay, blank)});
        f.trigger(QStringLiteral("CompeAction"));
        get<QDateEdit>(f, QStringLiteral("CompeDateEdit"))->setDate(kDay);
        f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), kClub);
        QTableWidget *offer = table(f, QStringLiteral("OfferGrid"));
        const QString none
            = QStringLiteral("「田中」の5番のスコア「0」は1から20の整数ではありません");
        QCOMPARE(offer->item(2, 4)->text(), none);
        QCOMPARE(offer->item(2, 0)->checkState(), Qt::Unchecked);
        offer->item(2, 0)->setCheckState(Qt::Checked);
        f.seams.dialogs.clear();
        click(f, QStringLiteral("JoinButton"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {none});
        QCOMPARE(table(f, QStringLiteral("PlayerGrid"))->rowCount(), 0);
    }

    void damagedFileToldOnceAndKeptAside()
    {
        WindowFixture f;
        prepare(f);
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("Compe")));
        const QString damaged = QStringLiteral("Compe/2026-01-01_壊れた会.json");
        QFile file(f.path(damaged));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"format\": ");
        file.close();
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("CompeAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QVERIFY(f.seams.dialogs.last().text.contains(
            QStringLiteral("「2026-01-01_壊れた会.json.damaged-2026-12-07」として別に残しました")));
        QCOMPARE(fileBytes(f.path(damaged + QStringLiteral(".damaged-2026-12-07"))),
            QByteArray("{\"format\": "));
        QCOMPARE(table(f, QStringLiteral("CompeList"))->rowCount(), 0);

        // A file of a later version stays where it is, told once while the window lasts.
        compe::Competition later;
        later.date = kDay;
        later.name = QStringLiteral("次の会");
        QJsonObject newer = QJsonDocument::fromJson(compe::encode(later)).object();
        newer.insert(QStringLiteral("version"), 99);
        const QString newerFile = QStringLiteral("Compe/2026-11-03_次の会.json");
        QFile next(f.path(newerFile));
        QVERIFY(next.open(QIODevice::WriteOnly));
        next.write(QJsonDocument(newer).toJson());
        next.close();
        window(f)->close();
        f.trigger(QStringLiteral("CompeAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 2);
        QVERIFY(f.seams.dialogs.last().text.contains(QStringLiteral("2026-11-03_次の会.json")));
        window(f)->close();
        f.trigger(QStringLiteral("CompeAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 2);
        QVERIFY(QFile::exists(f.path(newerFile)));
    }

    void keys()
    {
        WindowFixture f;
        makeCompetition(f);
        for (QTableWidget *t : window(f)->findChildren<QTableWidget *>())
            QVERIFY2(!t->tabKeyNavigation(), qPrintable(t->objectName()));
        // Escape from a table: changes not saved are asked about first; cancel keeps the
        // window, "いいえ" closes it without a file.
        QTableWidget *grid = table(f, QStringLiteral("PlayerGrid"));
        grid->setCurrentCell(0, 1);
        f.seams.dialogs.clear();
        f.seams.dialogs.answerButton(2);
        QTest::keyClick(grid, Qt::Key_Escape);
        QCOMPARE(f.seams.dialogs.last().text,
            QStringLiteral("コンペ「第1回 山田会」の変更は保存されていません。保存しますか？"));
        QVERIFY(window(f)->isVisible());
        f.seams.dialogs.answerConfirm(false);
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!window(f)->isVisible());
        QVERIFY(!QFile::exists(f.path(kFile)));
        // What was dropped does not come back as if it were kept.
        f.trigger(QStringLiteral("CompeAction"));
        QCOMPARE(get<QLineEdit>(f, QStringLiteral("CompeNameEdit"))->text(), QString());
        QCOMPARE(table(f, QStringLiteral("PlayerGrid"))->rowCount(), 0);
        QVERIFY(!window(f)->hasChanges());
        window(f)->close();

        // Reopened with a fresh competition, Escape closes it at once; the program's end asks
        // about changes made since.
        f.trigger(QStringLiteral("CompeAction"));
        click(f, QStringLiteral("NewButton"));
        QTest::keyClick(get<QLineEdit>(f, QStringLiteral("CompeNameEdit")), Qt::Key_Escape);
        QVERIFY(!window(f)->isVisible());
        f.trigger(QStringLiteral("CompeAction"));
        WindowFixture::keys(get<QLineEdit>(f, QStringLiteral("CompeNameEdit")), kName);
        f.seams.dialogs.answerButton(2);
        QVERIFY(!f.form->close());
        QVERIFY(window(f)->isVisible());
    }
};

QTEST_MAIN(TestCompeInput)
#include "tst_compeinput.moc"
