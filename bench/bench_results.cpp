// How long the tallies and the tally chart take over the large data set, at both sizes: the
// detailed statistics, the list by date and the ascending list over every card with the grid
// filled and painted, and the chart of the date list of every card opened and painted. The
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
QList<qsizetype> loopOrder(const ScoreCards &cards)
{
    QList<qint32> score;
    score.reserve(cards.size());
    for (qsizetype i = 0; i < cards.size(); ++i)
        score.append(cards.card(i).scoreSum());
    return build::exchangeOrder(score);
}

// One size: the window over its data set, every figure into the table.
bool runSize(int s, SizeTable &table)
{
    const Size &size = kSizes[size_t(s)];
    QTemporaryDir dir;
    if (!dir.isValid() || !writeDataSet(dir.path(), size, {kGolfer}))
        return false;
    Seams seams;
    MainFormOptions options;
    options.dataDir = dir.path();
    TMainForm form(options, seams.services());
    form.resize(1100, 800);
    form.show();
    settle();
    auto add = [&](const QString &label, const Figures &f) { table.add(label, s, f); };

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
    // Entering the results page runs the tally that was chosen last, here the detailed
    // statistics; the first time after start-up it decodes every card, which start-up left
    // as bytes.
    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    {
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(4).center());
        grid->viewport()->repaint();
        add(QStringLiteral("results page entered the first time (cards decoded), statistics"),
            Figures {{msSince(t)}});
    }
    settle();
    const ScoreCards &cards = form.scoreList();
    std::printf("bench_results: %lld cards\n", qint64(cards.size()));
    std::fflush(stdout);

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
            for (qsizetype i = 0; i < cards.size(); ++i)
                scores.append(cards.card(i).scoreSum());
            QElapsedTimer t;
            t.start();
            stats::exchangeSortOrder(scores);
            x.values.append(msSince(t));
        }
        add(QStringLiteral("exchange order alone"), x);
        add(QStringLiteral("rows of the list by date, computed"), d);
        add(QStringLiteral("rows of the ascending list, computed"), a);
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
    const char *names[3] = {"detailed statistics of every card, grid filled",
        "list by date of every card, grid filled", "ascending list of every card, grid filled"};
    for (int k = 0; k < 3; ++k) {
        Figures f;
        run(k);
        for (int r = 0; r < kRuns; ++r)
            f.values.append(run(k));
        add(QString::fromUtf8(names[k]), f);
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
    add(QStringLiteral("tally chart of the date list of every card, painted"), f);

    // The analysis.
    {
        Figures a;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const stats::Analysis all = stats::analyse(cards, {});
            a.values.append(msSince(t));
        }
        add(QStringLiteral("analysis statistics of every card, computed"), a);

        // The first opening through the menu action, then windows made afresh each time.
        auto *open = form.findChild<QAction *>(QStringLiteral("AnalysisAction"));
        QElapsedTimer t;
        t.start();
        open->trigger();
        auto *window = form.findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
        window->grab();
        add(QStringLiteral("analysis window, first opening, drawn"), Figures {{msSince(t)}});
        Figures o;
        for (int r = 0; r < kRuns; ++r) {
            t.restart();
            AnalysisWindow fresh(cards, &form);
            fresh.open();
            fresh.grab();
            o.values.append(msSince(t));
            fresh.close();
        }
        add(QStringLiteral("analysis window, made, opened and drawn"), o);

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
        add(QStringLiteral("analysis, another year chosen, drawn"), y);
        add(QStringLiteral("analysis, another golf club chosen, drawn"), c);
        add(QStringLiteral("analysis, another count of rounds, drawn"), n);
    }
    return same;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runEverySize(runSize);
}
