// How long the handicap estimate takes over the large data set with every card rated: the
// side files read, the whole index history worked out, and the window opened and painted.
#include "benchdata.h"
#include "core/data/ratingstore.h"
#include "core/stats/handicap.h"
#include "ui/stats/handicapwindow.h"
#include "ui/main/mainform.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace benchdata;

constexpr int kRuns = 9;

void line(const char *what, const Figures &f, double limit)
{
    std::printf("  %-52s median %7.2f ms  min %7.2f ms  (limit %.0f ms)%s\n", what, f.median(),
        f.min(), limit, f.median() <= limit ? "" : "  OVER");
}

// Every card rated by its club and tees; the first course of every played club numbered,
// so that some rounds allocate strokes by the HDCP row and the others share them evenly.
bool writeSideFiles(const QString &dir, const DataSet &set)
{
    ratings::RatingsData data;
    for (const TScoreRecord &card : set.cards) {
        const size_t h = qHash(card.LinksName + card.Tee[0]);
        const RoundRating rating {680 + int(h % 60), 113 + int(h % 30)};
        data.rounds.insert(qint64(card.RoundDate), rating);
        data.remembered.insert(TeeCombination::of(card), rating);
    }
    ratings::HoleHandicapMap holes;
    const HoleHandicaps odd {1, 3, 5, 7, 9, 11, 13, 15, 17};
    const HoleHandicaps even {2, 4, 6, 8, 10, 12, 14, 16, 18};
    for (int i = 0; i < kPlayedClubs * kCoursesPerClub; ++i) {
        const TCourseRecord &c = set.courses[i];
        holes.insert({c.LinksName, c.CourseName}, i % 2 ? even : odd);
    }
    QString error;
    const bool ok
        = datafile::saveBytes(dir + QStringLiteral("/") + kGolfer + QStringLiteral(".ratings.json"),
              ratings::encodeRatings(data), &error)
        && datafile::saveBytes(
            dir + QStringLiteral("/HoleHdcp.json"), ratings::encodeHoleHandicaps(holes), &error);
    if (!ok)
        std::fprintf(stderr, "cannot write the side files: %s\n", qPrintable(error));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    QRandomGenerator rng = dataSeed();
    const DataSet set = makeDataSet(rng);
    if (!dir.isValid() || !writeDataSet(dir.path(), set, {kGolfer})
        || !writeSideFiles(dir.path(), set))
        return 1;

    RatingStore store(dir.path());
    Figures load;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        store.loadHoleHandicaps(kToday);
        store.loadGolfer(kGolfer, kToday);
        load.values.append(msSince(t));
    }
    Figures whole, alone;
    QList<handicap::RoundResult> results;
    handicap::RatedRounds rated;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        rated = handicap::ratedRounds(set.cards, store);
        const qint64 picked = t.nsecsElapsed();
        results = handicap::history(rated.rounds);
        whole.values.append(msSince(t));
        alone.values.append(double(t.nsecsElapsed() - picked) / 1e6);
    }
    std::printf("bench_handicap: %lld cards, %lld rated, estimate %s\n", qint64(set.cards.size()),
        qint64(rated.rounds.size()),
        results.isEmpty() || !results.last().indexAfter
            ? "none"
            : qPrintable(handicap::indexText(*results.last().indexAfter)));
    line("side files read (10,000 ratings)", load, 50);
    line("index history, cards to indexes", whole, 50);
    line("  the history alone", alone, 50);

    Seams seams;
    MainFormOptions options;
    options.dataDir = dir.path();
    TMainForm form(options, seams.services());
    form.resize(1100, 800);
    form.show();
    QCoreApplication::processEvents();
    auto *window = form.findChild<THandicapForm *>(QStringLiteral("HandicapForm"));
    auto *menu = form.findChild<QAction *>(QStringLiteral("HandicapMenu"));
    window->setRunner([](TModalDialog &d) { d.grab(); });
    Figures open;
    for (int r = 0; r < kRuns + 1; ++r) {
        QElapsedTimer t;
        t.start();
        menu->trigger();
        if (r > 0) // the first opening also makes the widgets
            open.values.append(msSince(t));
        else
            line("window opened the first time, painted", Figures {{msSince(t)}}, 200);
    }
    line("window opened again, painted", open, 200);
    return 0;
}
