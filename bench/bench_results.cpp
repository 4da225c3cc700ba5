// How long the tallies and the tally chart take over the large data set: the detailed
// statistics, the list by date and the ascending list over all 10,000 cards with the grid
// filled and painted, and the chart of a 10,000-row date list opened and painted. The
// ascending list's order is checked against the exchange sort run as the plain loop. Then the
// analysis: its statistics over all cards, its window opened and drawn, and a change of its
// selection with the window drawn again.
#include "benchdata.h"
#include "ui/charts/chartform.h"
#include "ui/stats/analysiswindow.h"
#include "core/stats/analysis.h"
#include "core/stats/scorelists.h"
#include "ui/stats/shukeiform.h"
#include "support/builders.h"
#include "ui/main/mainform.h"
#include "ui/main/stringgrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

using namespace benchdata;

constexpr int kRuns = 9;

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The ascending list's exchanges, as the plain loop.
QList<qsizetype> loopOrder(const QList<TScoreRecord> &cards)
{
    QList<qint32> score;
    score.reserve(cards.size());
    for (const TScoreRecord &card : cards)
        score.append(card.ScoreSum);
    return build::exchangeOrder(score);
}

void line(const char *what, const Figures &f, double limit)
{
    std::printf("  %-52s median %7.2f ms  min %7.2f ms  (limit %.0f ms)%s\n", what, f.median(),
        f.min(), limit, f.median() <= limit ? "" : "  OVER");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    if (!dir.isValid() || !writeDataSet(dir.path(), {kGolfer}))
        return 1;
    Seams seams;
    MainFormOptions options;
    options.dataDir = dir.path();
    TMainForm form(options, seams.services());
    form.resize(1100, 800);
    form.show();
    settle();
    const QList<TScoreRecord> &cards = form.scoreList();
    std::printf("bench_results: %lld cards\n", qint64(cards.size()));

    auto *tally = form.findChild<TShukeiForm *>(QStringLiteral("ShukeiForm"));
    auto *chart = form.findChild<TChartForm *>(QStringLiteral("ChartForm"));
    auto *grid = form.findChild<TStringGrid *>(QStringLiteral("SeisekiGrid"));
    auto *shukei = form.findChild<QAction *>(QStringLiteral("ShukeiAction"));
    auto *chartAction = form.findChild<QAction *>(QStringLiteral("ChartAction1"));
    int kind = 0;
    tally->setRunner([&kind](TModalDialog &d) {
        d.findChild<QRadioButton *>(QStringLiteral("ShukeiGroupItem%1").arg(kind))->click();
        d.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    });
    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(4).center());
    settle();

    // The computations alone.
    {
        Figures d, a;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const QList<QStringList> rows = stats::dateList(cards, {});
            d.values.append(msSince(t));
            t.restart();
            const QList<QStringList> sorted = stats::ascendingList(cards, {});
            a.values.append(msSince(t));
        }
        Figures x;
        for (int r = 0; r < kRuns; ++r) {
            QList<qint32> scores;
            for (const TScoreRecord &c : cards)
                scores.append(c.ScoreSum);
            QElapsedTimer t;
            t.start();
            stats::exchangeSortOrder(scores);
            x.values.append(msSince(t));
        }
        line("  exchange order alone", x, 50);
        line("  rows of the list by date, computed", d, 20);
        line("  rows of the ascending list, computed", a, 50);
    }

    // One tally through the action, the grid painted.
    auto run = [&](int k) {
        kind = k;
        QElapsedTimer t;
        t.start();
        shukei->trigger();
        grid->viewport()->repaint();
        return msSince(t);
    };
    const char *names[3] = {"detailed statistics, 10,000 cards, grid filled",
        "list by date, 10,000 rows, grid filled", "ascending list, 10,000 rows, grid filled"};
    const double limits[3] = {20, 20, 50};
    for (int k = 0; k < 3; ++k) {
        Figures f;
        run(k);
        for (int r = 0; r < kRuns; ++r)
            f.values.append(run(k));
        line(names[k], f, limits[k]);
    }

    // The ascending list's order equals the loop's.
    kind = 2;
    shukei->trigger();
    const QList<qsizetype> expected = loopOrder(cards);
    bool same = grid->RowCount() == cards.size() + 1;
    for (qsizetype k = 0; same && k < cards.size(); ++k) {
        const TScoreRecord &c = cards[expected[k]];
        same = grid->Cell(2, int(k + 1)) == datetime::dateText(c.RoundDate)
            && grid->Cell(6, int(k + 1)) == c.LinksName;
    }
    std::printf("  %-52s %s\n", "ascending order equals the exchange loop", same ? "yes" : "NO");

    // The chart of the date list, opened and painted.
    run(1);
    chart->setRunner([](TModalDialog &d) { d.grab(); });
    Figures f;
    for (int r = 0; r < kRuns + 1; ++r) {
        QElapsedTimer t;
        t.start();
        chartAction->trigger();
        if (r > 0)
            f.values.append(msSince(t));
    }
    line("tally chart of a 10,000-row date list, painted", f, 100);

    // The analysis.
    {
        Figures a;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const stats::Analysis all = stats::analyse(cards, {});
            a.values.append(msSince(t));
        }
        line("analysis statistics of 10,000 cards, computed", a, 20);

        // The first opening through the menu action, then windows made afresh each time.
        auto *open = form.findChild<QAction *>(QStringLiteral("AnalysisAction"));
        QElapsedTimer t;
        t.start();
        open->trigger();
        auto *window = form.findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
        window->grab();
        std::printf("  %-52s %7.2f ms  (limit 150 ms)\n", "analysis window, first opening, drawn",
            msSince(t));
        Figures o;
        for (int r = 0; r < kRuns; ++r) {
            t.restart();
            AnalysisWindow fresh(cards, &form);
            fresh.open();
            fresh.grab();
            o.values.append(msSince(t));
            fresh.close();
        }
        line("analysis window, made, opened and drawn", o, 150);

        // Year, club and count in turn, each drawn.
        auto *year = window->findChild<QComboBox *>(QStringLiteral("YearCombo"));
        auto *links = window->findChild<QComboBox *>(QStringLiteral("LinksCombo"));
        auto *count = window->findChild<QSpinBox *>(QStringLiteral("CountSpin"));
        Figures y, c, n;
        for (int r = 0; r < kRuns; ++r) {
            for (auto [figures, change] : {std::pair<Figures *, std::function<void()>> {
                                               &y, [&] { year->setCurrentIndex(1 + r % 20); }},
                     {&y, [&] { year->setCurrentIndex(0); }},
                     {&c, [&] { links->setCurrentIndex(1 + r); }},
                     {&c, [&] { links->setCurrentIndex(0); }},
                     {&n, [&] { count->setValue(100 + r); }},
                     {&n, [&] { count->setValue(count->maximum()); }}}) {
                t.restart();
                change();
                window->grab();
                figures->values.append(msSince(t));
            }
        }
        line("analysis, another year chosen, drawn", y, 50);
        line("analysis, another golf club chosen, drawn", c, 50);
        line("analysis, another count of rounds, drawn", n, 50);
    }
    return same ? 0 : 1;
}
