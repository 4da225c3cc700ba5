// The analysis window through the main window: opened from the tools menu, following the
// selection, the cards registered and deleted and the golfer chosen, copied as a table.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"
#include "ui/stats/analysiswindow.h"

#include <QChartView>
#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kOther = QStringLiteral("佐藤");
const QString kCards = QStringLiteral("スコアカード");
} // namespace

class TestAnalysisWindow : public QObject
{
    Q_OBJECT

    AnalysisWindow *window(WindowFixture &f)
    {
        return f.form->findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
    }
    // The value for the selected rounds in the row of that name.
    QString value(WindowFixture &f, const QString &name)
    {
        auto *table = window(f)->findChild<QTableWidget *>(QStringLiteral("AnalysisTable"));
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text() == name)
                return table->item(r, 1)->text();
        return {};
    }
    QString rounds(WindowFixture &f) { return value(f, QStringLiteral("ラウンド数")); }
    QStringList items(QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }
    qsizetype scorePoints(WindowFixture &f)
    {
        auto *view = window(f)->findChild<QChartView *>(QStringLiteral("ScoreChart"));
        return qobject_cast<QLineSeries *>(view->chart()->series().value(0))->count();
    }

private Q_SLOTS:
    void followsTheCardsAndTheGolfer()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer, kOther});
        f.writeLinks({build::club(kA), build::club(kB)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
        f.writeScores(kGolfer,
            {build::card(QDate(2023, 4, 1), kA, 5), build::card(QDate(2023, 9, 1), kB, 4),
                build::card(QDate(2024, 5, 1), kA, 6)});
        f.writeScores(kOther, {build::card(QDate(2022, 1, 1), kB, 5)});
        f.open();
        QVERIFY(!f.enabled(QStringLiteral("AnalysisAction"))); // no golfer chosen yet
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        QTest::keyClick(f.form.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(window(f) && window(f)->isVisible());
        QCOMPARE(rounds(f), QStringLiteral("3"));
        QCOMPARE(value(f, QStringLiteral("ベストスコア")), QStringLiteral("72"));
        QCOMPARE(scorePoints(f), 3);
        // The table's columns and the rate chart's lines as the user reads them. Par 4
        // everywhere, two putts a hole: in 2023 a round of 5s (on in par − 1) and one of 4s
        // (on in par − 2, every hole in par), in 2024 a round of 6s.
        auto *table = window(f)->findChild<QTableWidget *>(QStringLiteral("AnalysisTable"));
        QStringList columns;
        for (int c = 0; c < table->columnCount(); ++c)
            columns.append(table->horizontalHeaderItem(c)->text());
        QCOMPARE(columns,
            (QStringList {"項目", "選択したラウンド", "集計ラウンド数", "選択の直近20ラウンド",
                "直近20の集計ラウンド数"}));
        QList<std::pair<QString, QList<QPointF>>> drawn;
        for (QAbstractSeries *series :
            window(f)->findChild<QChartView *>(QStringLiteral("RateChart"))->chart()->series()) {
            // The rates' lines; their years of few rounds are marked over them.
            if (auto *line = qobject_cast<QLineSeries *>(series))
                drawn.append({line->name(), line->points()});
        }
        const QList<std::pair<QString, QList<QPointF>>> rates = {
            {"パーオン率", {{2023, 50}, {2024, 0}}},
            {"ボギーオン率", {{2023, 100}, {2024, 0}}},
            {"パーキープ率", {{2023, 50}, {2024, 0}}},
            {"3パット率", {{2023, 0}, {2024, 0}}},
        };
        QCOMPARE(drawn, rates);

        // The selection: a year, then a club; the count only while both read "全て".
        QComboBox *year = f.find<QComboBox>(QStringLiteral("YearCombo"));
        auto *count = f.find<QSpinBox>(QStringLiteral("CountSpin"));
        QCOMPARE(items(year), (QStringList {"全て", "2023年", "2024年"}));
        f.choose(year, QStringLiteral("2023年"));
        QCOMPARE(rounds(f), QStringLiteral("2"));
        QVERIFY(!count->isEnabled());
        f.choose(QStringLiteral("LinksCombo"), kB);
        QCOMPARE(rounds(f), QStringLiteral("1"));
        f.choose(year, stats::kAll);
        f.choose(QStringLiteral("LinksCombo"), stats::kAll);
        QVERIFY(count->isEnabled());
        count->setValue(2);
        QCOMPARE(rounds(f), QStringLiteral("2"));
        QCOMPARE(scorePoints(f), 2);
        count->setValue(3);

        // A card registered on the score page appears at once, with its new year.
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        auto *frame1 = f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame1"));
        auto *frame2 = f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame2"));
        f.choose(frame1->CourseCombo1, QStringLiteral("OUT"));
        f.choose(frame2->CourseCombo1, QStringLiteral("IN"));
        f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"))->setDate(QDate(2025, 6, 1));
        for (int hole = 0; hole < 18; ++hole)
            f.type((hole < 9 ? frame1 : frame2)->SEdit[hole % 9], QStringLiteral("4"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.form->scoreList().size(), 4);
        QCOMPARE(rounds(f), QStringLiteral("4")); // the count covered every card: it follows
        QCOMPARE(items(year), (QStringList {"全て", "2023年", "2024年", "2025年"}));

        // Deleting the one card of 2024 takes its year out of the choices.
        f.clickNode({kCards, QStringLiteral("2024年"), QStringLiteral("2024/05/01")});
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(rounds(f), QStringLiteral("3"));
        QCOMPARE(items(year), (QStringList {"全て", "2023年", "2025年"}));

        // Ctrl+C copies the table with its header, cells split by tabs.
        window(f)->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window(f)));
        table->setFocus();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QChar('\n'));
        QCOMPARE(lines.value(0),
            QStringLiteral("項目\t選択したラウンド\t集計ラウンド数\t選択の直近20ラウンド\t直近20の"
                           "集計ラウンド数"));
        QCOMPARE(lines.value(1), QStringLiteral("ラウンド数\t3\t3\t3\t3"));
        QCOMPARE(lines.value(2), QStringLiteral("平均ストローク\t78.0\t3\t78.0\t3"));

        // Saved from its own button, the table lands in the CSV file as it is copied.
        const QString csvFile = f.path(QStringLiteral("analysis.csv"));
        f.seams.dialogs.answerSaveFile(csvFile, -1);
        // The export asks in what form to write, over the analysis window, which keeps the
        // front; the analysis's table is all it offers.
        QStringList offered;
        f.find<TModalDialog>(QStringLiteral("ExportDialog"))->setRunner([&](TModalDialog &d) {
            QCOMPARE(d.parentWidget(), window(f));
            for (QRadioButton *r : d.findChildren<QRadioButton *>())
                if (r->isVisible() && r->isEnabled())
                    offered.append(r->text());
            d.findChild<QPushButton *>(QStringLiteral("OkButton"))->click();
        });
        QTest::mouseClick(
            window(f)->findChild<QPushButton *>(QStringLiteral("SaveCsvButton")), Qt::LeftButton);
        QCOMPARE(f.seams.dialogs.fileDialogs.last().over, window(f));
        QVERIFY(!offered.isEmpty());
        for (const QString &text : offered)
            QVERIFY2(!text.contains(QStringLiteral("スコアカード")), qPrintable(text));
        // The file says which selection it counts, then the table as it is copied.
        const QStringList saved = QString::fromUtf8(fileBytes(csvFile).mid(3)).split("\r\n");
        QCOMPARE(saved.value(0), QStringLiteral("年: 全て  ゴルフ場: 全て  全ラウンド"));
        QCOMPARE(saved.value(1),
            QStringLiteral("項目,選択したラウンド,集計ラウンド数,選択の直近20ラウンド,"
                           "直近20の集計ラウンド数"));
        QCOMPARE(saved.value(2), QStringLiteral("ラウンド数,3,3,3,3"));

        // Another golfer: his cards, the selection from the start.
        f.choose(year, QStringLiteral("2023年"));
        f.choose(QStringLiteral("GolferCombo"), kOther);
        QVERIFY(window(f)->isVisible());
        QCOMPARE(items(year), (QStringList {"全て", "2022年"}));
        QCOMPARE(year->currentText(), stats::kAll);
        QCOMPARE(rounds(f), QStringLiteral("1"));

        // No golfer any more: the window closes and cannot be opened.
        f.trigger(QStringLiteral("DeleteGolferAction"));
        QVERIFY(!window(f)->isVisible());
        QVERIFY(!f.enabled(QStringLiteral("AnalysisAction")));
    }
};

QTEST_MAIN(TestAnalysisWindow)
#include "tst_analysiswindow.moc"
