// The play details at both sizes, every card with details: the side file read, the whole
// analysis with the detail statistics, the hole-by-hole figures of the most played club and
// its tab drawn, and a card registered with its details against the safe saves of the same
// bytes.
#include "benchdata.h"
#include "core/data/detailstore.h"
#include "core/data/journal.h"
#include "core/data/recordbook.h"
#include "core/stats/holestats.h"
#include "core/stats/playstats.h"
#include "ui/stats/holeview.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace benchdata;

constexpr int kRuns = 9;

CardDetails drawDetails(QRandomGenerator &rng)
{
    CardDetails d;
    for (HoleDetail &h : d.holes) {
        h.fairway = Fairway(rng.bounded(4));
        h.setCount(Ob, rng.bounded(10) == 0 ? 1 : 0);
        h.setCount(Penalty, rng.bounded(12) == 0 ? 1 : 0);
        h.setCount(FairwayBunker, rng.bounded(6) == 0 ? 1 : 0);
        h.setCount(GreenBunker, rng.bounded(5) == 0 ? 1 : 0);
    }
    return d;
}

QString mostPlayedClub(const ScoreCards &cards)
{
    QHash<QString, int> played;
    QString best;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const QString &club = cards.card(i).linksName();
        if (++played[club] > played.value(best))
            best = club;
    }
    return best;
}

template <class Step> Figures timed(int runs, Step step)
{
    Figures f;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        step(r);
        f.values.append(msSince(t));
    }
    return f;
}

bool runSize(int s, SizeTable &table)
{
    auto line
        = [&](const char *what, const Figures &f, const QString &unit = QStringLiteral("ms")) {
              table.add(QString::fromUtf8(what), s, f, unit);
          };
    QTemporaryDir dir;
    QRandomGenerator rng = dataSeed();
    const DataSet set = makeDataSet(kSizes[size_t(s)], rng);
    if (!dir.isValid() || !writeDataSet(dir.path(), set, {kGolfer}))
        return false;
    details::DetailsMap all;
    for (const TScoreRecord &card : set.cards)
        all.insert(qint64(datetime::dayOf(card.RoundDate)), drawDetails(rng));
    const QString detailsFile = dir.filePath(kGolfer + QStringLiteral(".details.json"));
    if (!datafile::saveBytes(detailsFile, details::encodeDetails(all), nullptr))
        return false;

    table.heading(QStringLiteral("the details file"));
    line("size", Figures {{double(QFile(detailsFile).size()) / 1e6}}, QStringLiteral("MB"));
    DetailStore store(dir.path());
    line("read and decoded", timed(kRuns, [&](int) { store.loadGolfer(kGolfer, kToday); }));
    line("encoded", timed(kRuns, [&](int) { details::encodeDetails(store.all()); }));

    const ScoreCards cards(set.cards);
    table.heading(QStringLiteral("the statistics, every card selected"));
    stats::Analysis analysis;
    line("whole analysis with the details",
        timed(kRuns, [&](int) { analysis = stats::analyseWithDetails(cards, {}, store.all()); }));
    line("  the analysis without them", timed(kRuns, [&](int) { stats::analyse(cards, {}); }));
    const QString club = mostPlayedClub(cards);
    const QStringList courses = stats::playedCourses(cards, club);
    QList<stats::HoleStats> holes;
    line("hole-by-hole figures, rows and bars", timed(kRuns, [&](int) {
        holes = stats::holeStats(cards, store.all(), club, courses.value(0), courses.value(1));
        stats::holeRows(stats::sortedHoles(holes, stats::HoleOrder::Cost));
        stats::holeBars(holes);
    }));
    HoleView view(cards);
    view.setDetails(&store.all());
    view.resize(1200, 700);
    view.show();
    QCoreApplication::processEvents();
    line("hole-by-hole tab filled and painted", timed(kRuns, [&](int) {
        view.refresh();
        view.grab();
    }));
    qint64 rounds = 0;
    for (const stats::HoleStats &h : holes)
        rounds += h.rounds;
    std::printf("bench_details: %lld cards, %s: %lld hole rounds, %lld analysis rows\n",
        qint64(set.cards.size()), qPrintable(club), rounds, qint64(analysis.rows.size()));
    std::fflush(stdout);

    table.heading(QStringLiteral("a card registered with its details, then deleted"));
    RecordBook book(dir.path(), [] { return kToday; });
    book.loadClubs();
    book.loadGolfers();
    book.loadGolfer(kGolfer, kToday);
    book.scores(); // decoded, as the page has them once the tree is opened
    const CardDetails details = drawDetails(rng);
    TScoreRecord card = set.cards.last();
    card.RoundDate = datetime::fromDate(kToday.addDays(1));
    const QString scoreFile = dir.filePath(kGolfer + QStringLiteral(".sce"));
    Figures registered, plain, journalled, bare, one;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        book.registerScore(card);
        bare.values.append(msSince(t));
        QByteArray sce;
        datafile::readBytes(scoreFile, &sce, nullptr);
        t.restart();
        datafile::saveBytes(dir.filePath(QStringLiteral("比較.sce")), sce, nullptr);
        one.values.append(msSince(t));
        book.deleteScore(book.scoreRecords().size() - 1);
    }
    line("registered without details", bare);
    line("  the card file, one safe save", one);
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        const BookChange change = book.registerScore(card, details);
        registered.values.append(msSince(t));
        if (change.refused() || !change.writeErrors.isEmpty())
            return false;
        // The same bytes, saved as two files and as one change of two files.
        QByteArray sce, json;
        datafile::readBytes(scoreFile, &sce, nullptr);
        datafile::readBytes(detailsFile, &json, nullptr);
        // A golfer's files that nothing reads: the journal takes data files only.
        const QString a = dir.filePath(QStringLiteral("比較.sce"));
        const QString b = dir.filePath(QStringLiteral("比較.details.json"));
        t.restart();
        datafile::saveBytes(a, sce, nullptr);
        datafile::saveBytes(b, json, nullptr);
        plain.values.append(msSince(t));
        t.restart();
        journal::save(dir.path(), {{a, sce}, {b, json}}, {}, nullptr, kToday);
        journalled.values.append(msSince(t));
        book.deleteScore(book.scoreRecords().size() - 1);
    }
    line("registered with its details", registered);
    line("  the two files, two safe saves", plain);
    line("  the two files, one change through the journal", journalled);
    Figures ratio;
    ratio.values.append(registered.median() / plain.median());
    line("  registered / two safe saves", ratio, QStringLiteral("×"));
    ratio.values = {registered.median() / journalled.median()};
    line("  registered / one change through the journal", ratio, QStringLiteral("×"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runEverySize(runSize);
}
