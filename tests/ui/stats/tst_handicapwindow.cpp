// The handicap window: ratings typed into the cards' table, the offer of the last rating of
// the same tees, the HDCP row of a course, the estimate that follows, and what is refused.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/stats/handicapwindow.h"

#include <QAbstractItemModel>
#include <QChartView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QTableView>
#include <QTableWidget>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
enum { CourseRating = 6, Slope = 7, Adjusted = 9, Differential = 10 };

// Opens the cell's editor as a double click does, types over what it offers, and presses
// Enter; then lets the queued answer to a refusal come.
void typeCell(QAbstractItemView *view, int row, int column, const QString &text, bool keep = false)
{
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
    QVERIFY(editor);
    if (!keep) {
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits from a queued call, and a refusal is answered after that.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString cell(QAbstractItemView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

QString headline(QWidget *w)
{
    return w->findChild<QLabel *>(QStringLiteral("HdcpIndexText"))->text();
}

} // namespace

class TestHandicapWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ratingsTypedAndTheEstimateFollows()
    {
        // Four rounds of 5 on every par-4 hole (90); the fourth from the back tees with 12
        // on hole 9.
        QList<TScoreRecord> cards;
        for (int week = 0; week < 4; ++week)
            cards.append(build::card(QDate(2024, 5, 1).addDays(week * 7), kA, 5));
        cards[3].Tee = {QStringLiteral("バック"), QStringLiteral("バック")};
        cards[3].Score[8] = 12;
        cards[3].ScoreSum = 97;
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, "OUT"), build::course(kA, "IN")});
        f.writeScores(kGolfer, cards);
        f.open();
        auto *form = f.find<THandicapForm>(QStringLiteral("HandicapForm"));
        bool ran = false;
        form->setRunner([&](TModalDialog &w) {
            ran = true;
            auto *grid = w.findChild<QTableView *>(QStringLiteral("HdcpGrid"));
            QCOMPARE(grid->model()->rowCount(), 4);
            QCOMPARE(headline(&w), QStringLiteral("あと 3 ラウンドのレーティングが必要です"));

            typeCell(grid, 0, CourseRating, "72");
            typeCell(grid, 0, Slope, "abc");
            QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
            QVERIFY(f.seams.dialogs.last().text.startsWith("abc はスロープレート"));
            QCOMPARE(cell(grid, 0, Slope), QString());
            typeCell(grid, 0, Slope, "156");
            QCOMPARE(f.seams.dialogs.shown.size(), 2);
            typeCell(grid, 0, Slope, "113");
            typeCell(grid, 1, CourseRating, "90.1");
            QCOMPARE(f.seams.dialogs.shown.size(), 3);
            QCOMPARE(headline(&w), QStringLiteral("あと 2 ラウンドのレーティングが必要です"));

            // The next cards of the same tees are offered 72.0 and 113: Enter takes them.
            QCOMPARE(cell(grid, 1, CourseRating), QStringLiteral("72.0 前回"));
            for (int row : {1, 2}) {
                typeCell(grid, row, CourseRating, {}, true);
                typeCell(grid, row, Slope, {}, true);
            }
            // Three differentials of 90 − 72.0 = 18.0 (no index yet: caps of par + 5):
            // 18.0 − 2.0 = 16.0.
            QCOMPARE(headline(&w), QStringLiteral("推定ハンディキャップインデックス 16.0"));
            // The lowest of equals is the oldest.
            QCOMPARE(cell(grid, 0, Differential), QStringLiteral("18.0 *"));
            QCOMPARE(cell(grid, 2, Differential), QStringLiteral("18.0"));
            auto *series = w.findChild<QChartView *>(QStringLiteral("HdcpChart"))
                               ->chart()
                               ->findChild<QLineSeries *>(QStringLiteral("HdcpSeries"));
            QCOMPARE(series->count(), 1);
            QCOMPARE(series->at(0).y(), 16.0);

            // The back tees are not offered the regular tees' rating.
            QCOMPARE(cell(grid, 3, CourseRating), QString());
            typeCell(grid, 3, CourseRating, "72.0");
            typeCell(grid, 3, Slope, "113");
            // Course handicap 16; without the course's HDCP each hole gets ceil(16 / 18) = 1,
            // so hole 9 counts 4 + 2 + 1 = 7: 85 + 7 = 92, differential 20.0; four: lowest
            // 18.0 − 1.0 = 17.0.
            QCOMPARE(cell(grid, 3, Adjusted), QStringLiteral("92 概算"));
            QCOMPARE(headline(&w), QStringLiteral("推定ハンディキャップインデックス 17.0"));

            // The HDCP rows: OUT with the odd numbers, IN with the even ones.
            auto *holes = w.findChild<QTableWidget *>(QStringLiteral("HdcpHoleGrid"));
            auto *courses = w.findChild<QComboBox *>(QStringLiteral("HdcpCourseCombo"));
            QCOMPARE(courses->currentText(), QStringLiteral("OUT"));
            QCOMPARE(holes->item(0, 0)->text(), QStringLiteral("4"));
            typeCell(holes, 1, 0, "1");
            typeCell(holes, 1, 1, "1");
            QCOMPARE(f.seams.dialogs.last().text,
                QStringLiteral("HDCP の 1 は、既にホール 1 にあります"));
            typeCell(holes, 1, 1, "19");
            QVERIFY(f.seams.dialogs.last().text.startsWith("19 はHDCP"));
            QCOMPARE(holes->item(1, 1)->text(), QString());
            for (int h = 1; h < 9; ++h)
                typeCell(holes, 1, h, QString::number(2 * h + 1));
            courses->setCurrentIndex(1);
            QCOMPARE(holes->item(1, 0)->text(), QString());
            for (int h = 0; h < 9; ++h)
                typeCell(holes, 1, h, QString::number(2 * h + 2));
            QCOMPARE(f.seams.dialogs.shown.size(), 5);
            // Hole 9 has stroke index 17 > 16: no stroke, capped at 6: 91, 19.0 → 17.0.
            QCOMPARE(cell(grid, 3, Adjusted), QStringLiteral("91"));
            QCOMPARE(cell(grid, 3, Differential), QStringLiteral("19.0"));
            QCOMPARE(headline(&w), QStringLiteral("推定ハンディキャップインデックス 17.0"));
        });
        f.trigger(QStringLiteral("HandicapMenu"));
        QVERIFY(ran);

        // The files hold what was typed.
        const QJsonObject ratings
            = QJsonDocument::fromJson(fileBytes(f.path(kGolfer + ".ratings.json"))).object();
        QCOMPARE(ratings.value("rounds").toArray().size(), 4);
        QCOMPARE(ratings.value("remembered").toArray().size(), 2);
        const QJsonArray rows = QJsonDocument::fromJson(fileBytes(f.path("HoleHdcp.json")))
                                    .object()
                                    .value("courses")
                                    .toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].toObject().value("course").toString(), QStringLiteral("OUT"));
        QCOMPARE(rows[1].toObject().value("hdcp").toArray().at(8).toInt(), 17);
    }

    // A row with a cell emptied no longer gives strokes by hole: the course's row leaves the
    // file, and its rounds are estimated again.
    void anEmptiedHdcpCellRemovesTheRow()
    {
        QList<TScoreRecord> cards;
        for (int week = 0; week < 4; ++week)
            cards.append(build::card(QDate(2024, 5, 1).addDays(week * 7), kA, 5));
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, "OUT"), build::course(kA, "IN")});
        f.writeScores(kGolfer, cards);
        QFile ratings(f.path(kGolfer + ".ratings.json"));
        QVERIFY(ratings.open(QIODevice::WriteOnly));
        ratings.write("{\"format\": \"kestro-ratings\", \"version\": 1, \"rounds\": ["
                      "{\"date\": \"2024-05-01\", \"courseRating\": 72.0, \"slope\": 113},"
                      "{\"date\": \"2024-05-08\", \"courseRating\": 72.0, \"slope\": 113},"
                      "{\"date\": \"2024-05-15\", \"courseRating\": 72.0, \"slope\": 113},"
                      "{\"date\": \"2024-05-22\", \"courseRating\": 72.0, \"slope\": 113}]}");
        ratings.close();
        QFile holes(f.path("HoleHdcp.json"));
        QVERIFY(holes.open(QIODevice::WriteOnly));
        holes.write("{\"format\": \"kestro-hole-handicaps\", \"version\": 1, \"courses\": ["
                    "{\"club\": \"A倶楽部\", \"course\": \"IN\", "
                    "\"hdcp\": [2, 4, 6, 8, 10, 12, 14, 16, 18]},"
                    "{\"club\": \"A倶楽部\", \"course\": \"OUT\", "
                    "\"hdcp\": [1, 3, 5, 7, 9, 11, 13, 15, 17]}]}");
        holes.close();
        f.open();

        QStringList adjusted;
        QString note;
        f.find<THandicapForm>(QStringLiteral("HandicapForm"))->setRunner([&](TModalDialog &w) {
            auto *grid = w.findChild<QTableView *>(QStringLiteral("HdcpGrid"));
            auto *hdcp = w.findChild<QTableWidget *>(QStringLiteral("HdcpHoleGrid"));
            // Four rounds of 90: the fourth has an index before it (16.0) and strokes by hole.
            QCOMPARE(cell(grid, 3, Adjusted), QStringLiteral("90"));
            QCOMPARE(hdcp->item(1, 2)->text(), QStringLiteral("5"));
            typeCell(hdcp, 1, 2, QString());
            QCOMPARE(hdcp->item(1, 2)->text(), QString());
            for (int row = 0; row < 4; ++row)
                adjusted.append(cell(grid, row, Adjusted));
            note = w.findChild<QLabel *>(QStringLiteral("HdcpHoleNote"))->text();
        });
        f.trigger(QStringLiteral("HandicapMenu"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(adjusted, (QStringList {"90", "90", "90", "90 概算"}));
        QVERIFY2(note.startsWith(QStringLiteral("1〜18 の数を 9 ホールすべてに入力すると保存され")),
            qPrintable(note));
        const QJsonArray rows = QJsonDocument::fromJson(fileBytes(f.path("HoleHdcp.json")))
                                    .object()
                                    .value("courses")
                                    .toArray();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].toObject().value("course").toString(), QStringLiteral("IN"));
    }

    void damagedFileReportedAndTheCardsShown()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer, {build::card(QDate(2024, 5, 1), kA, 5)});
        const QByteArray damaged("{\"format\": \"kestro-ratings\", \"version\": 1, \"rou");
        QFile file(f.path(kGolfer + ".ratings.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();
        f.open();
        int rows = -1;
        f.find<THandicapForm>(QStringLiteral("HandicapForm"))->setRunner([&](TModalDialog &w) {
            rows = w.findChild<QTableView *>(QStringLiteral("HdcpGrid"))->model()->rowCount();
        });
        f.trigger(QStringLiteral("HandicapMenu"));
        QCOMPARE(rows, 1);
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QVERIFY(f.seams.dialogs.last().text.contains(".ratings.json.damaged-2026-12-07"));
        QCOMPARE(fileBytes(f.path(kGolfer + ".ratings.json")), damaged);

        // Without a golfer the window does not open.
        f.writeGolfers({kGolfer, QStringLiteral("佐藤")});
        f.open();
        f.seams.dialogs.clear();
        rows = -1;
        f.trigger(QStringLiteral("HandicapMenu"));
        QCOMPARE(rows, -1);
        QCOMPARE(
            f.seams.dialogs.texts(), QStringList {QStringLiteral("ゴルファーを選択してください")});
    }
};

QTEST_MAIN(TestHandicapWindow)
#include "tst_handicapwindow.moc"
