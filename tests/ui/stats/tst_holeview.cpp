// The analysis window with the play details: the detail statistics counted over the rounds
// that have them, and the hole-by-hole tab laid out from the core's figures.
#include "core/data/detailstore.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/stats/analysiswindow.h"

#include <QChartView>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
} // namespace

class TestHoleView : public QObject
{
    Q_OBJECT

    template <class T> T *child(WindowFixture &f, const QString &name)
    {
        auto *window = f.form->findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
        return window ? window->findChild<T *>(name) : nullptr;
    }
    QStringList row(QTableWidget *table, int r)
    {
        QStringList texts;
        for (int c = 0; c < table->columnCount(); ++c)
            texts.append(table->item(r, c)->text());
        return texts;
    }
    QStringList rowNamed(QTableWidget *table, const QString &name)
    {
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text() == name)
                return row(table, r);
        return {};
    }

private Q_SLOTS:
    void statisticsAndHoles()
    {
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
        TScoreRecord first = build::card(QDate(2025, 4, 1), kA, 5);
        TScoreRecord second = build::card(QDate(2025, 5, 1), kA, 4);
        second.Score[11] = 8; // IN 3, the costliest
        second.ScoreTotal[1] = 40;
        second.ScoreSum = 76;
        applyHoleResults(second);
        f.writeScores(kGolfer, {first, second});
        CardDetails d;
        d.holes[0].fairway = Fairway::Hit;
        d.holes[1].fairway = Fairway::Right;
        d.holes[11].setCount(Ob, 2);
        {
            DetailStore store(f.dir.path());
            store.loadGolfer(kGolfer, QDate(2026, 12, 7));
            QVERIFY(store.setDetails(second.RoundDate, d).isEmpty());
        }
        f.open();
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        f.trigger(QStringLiteral("AnalysisAction"));

        auto *table = child<QTableWidget>(f, QStringLiteral("AnalysisTable"));
        QVERIFY(table);
        QCOMPARE(rowNamed(table, "ラウンド数").mid(1, 2), (QStringList {"2", "2"}));
        // Counted over the one round with details, and saying so.
        QCOMPARE(rowNamed(table, "FWキープ率").mid(1, 2), (QStringList {"50.0 % (1 / 2)", "1"}));
        QCOMPARE(rowNamed(table, "OB（1ラウンド）").mid(1, 2), (QStringList {"2.0", "1"}));
        QCOMPARE(rowNamed(table, "2025年").mid(1, 2), (QStringList {"ベスト 76・平均 83.0", "2"}));
        QVERIFY(
            child<QLabel>(f, QStringLiteral("SandSaveLabel"))->text().startsWith("サンドセーブ率"));

        auto *tabs = child<QTabWidget>(f, QStringLiteral("AnalysisTabs"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("ホール別"));
        tabs->setCurrentIndex(1);
        auto *holes = child<QTableWidget>(f, QStringLiteral("HoleTable"));
        QCOMPARE(holes->rowCount(), 18);
        QCOMPARE(row(holes, 0),
            (QStringList {"1", "OUT", "1", "4", "350", "2", "4.50", "+0.50", "50.0 %", "0.0 %",
                "100.0 %", "0.00"}));
        QCOMPARE(row(holes, 11).mid(6, 2), (QStringList {"6.50", "+2.50"}));
        QVERIFY(holes->item(11, 0)->font().bold()); // among the costliest three
        QVERIFY(!holes->item(17, 0)->font().bold());
        f.choose(child<QComboBox>(f, QStringLiteral("HoleOrderCombo")), "コストの大きい順");
        QCOMPARE(row(holes, 0).mid(0, 3), (QStringList {"12", "IN", "3"}));
        auto *chart = child<QChartView>(f, QStringLiteral("HoleChart"));
        auto *bars = qobject_cast<QStackedBarSeries *>(chart->chart()->series().value(0));
        QCOMPARE(bars->count(), 18);
    }
};

QTEST_MAIN(TestHoleView)
#include "tst_holeview.moc"
