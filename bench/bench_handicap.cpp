// How long the handicap estimate takes over the data set at both sizes, every card rated: the
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

// One size: every figure into the table.
bool runSize(int s, SizeTable &table)
{
    auto line
        = [&](const char *what, const Figures &f) { table.add(QString::fromUtf8(what), s, f); };
    QTemporaryDir dir;
    QRandomGenerator rng = dataSeed();
    const DataSet set = makeDataSet(kSizes[size_t(s)], rng);
    if (!dir.isValid() || !writeDataSet(dir.path(), set, {kGolfer})
        || !writeSideFiles(dir.path(), set))
        return false;

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
    std::fflush(stdout);
    line("side files read (a rating for every card)", load);
    line("index history, cards to indexes", whole);
    line("  the history alone", alone);

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
            line("window opened the first time, painted", Figures {{msSince(t)}});
    }
    line("window opened again, painted", open);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runEverySize(runSize);
}
