// The import of a very large CSV file of score cards, as a separate process for each step so
// that its peak memory is the step's own (run it under /usr/bin/time -v, or read the peak it
// prints from the kernel):
//
//   bench_import write <file> [rows]   writes the file as the export writes it (200,000 rows)
//   bench_import check <file>          reads and checks every row, as the import does first
//   bench_import import <file>         the whole import through the file menu into a golfer
//                                      without cards: reading, summary, save, tree
//
// Without arguments it runs the three on a file of its own, each in a process of its own.
#include "benchdata.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace benchdata;

constexpr int kBatch = 10000;
// One card a day from the first day the score page offers, so that every row is a card.
const QDate kFirstDay(1752, 9, 14);

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void report(const char *what, double ms)
{
    std::printf("  %-52s %10.0f ms\n", what, ms);
}

int write(const QString &path, int rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QRandomGenerator rng = dataSeed();
    const Size size {1000, kBatch};
    const QList<TCourseRecord> courses = makeCourses(size, rng);
    file.write("\xEF\xBB\xBF");
    for (int done = 0; done < rows; done += kBatch) {
        QList<TScoreRecord> cards = makeCards(size, courses, rng);
        cards.resize(std::min(kBatch, rows - done));
        for (qsizetype i = 0; i < cards.size(); ++i)
            cards[i].RoundDate = datetime::fromDate(kFirstDay.addDays(done + i));
        QList<QStringList> table = cardcolumns::table(cards);
        if (done > 0)
            table.removeFirst();
        file.write(csv::format(table).toUtf8());
    }
    std::printf(
        "bench_import: %d rows, %lld bytes in %s\n", rows, qint64(file.size()), qPrintable(path));
    return 0;
}

int check(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QElapsedTimer t;
    t.start();
    const cardcolumns::ImportPlan plan = cardcolumns::readCards(&file);
    report("reading and checking every row", msSince(t));
    std::printf("  %-52s %10lld\n", "cards", qint64(plan.cards.size()));
    std::printf("  %-52s %10d\n", "problems", plan.problemCount);
    std::printf("  %-52s %10ld kB\n", "peak memory of the process", peakKilobytes());
    return plan.ok() ? 0 : 1;
}

int import(const QString &path)
{
    WindowFixture f;
    QRandomGenerator rng = dataSeed();
    const Size size {1000, 0};
    DataSet set;
    set.courses = makeCourses(size, rng);
    set.clubs = makeClubs(size);
    if (!writeDataSet(f.dir.path(), set, {kGolfer}))
        return 1;
    QFile::remove(f.path(kGolfer + QStringLiteral(".sce")));
    f.open();
    const long before = peakKilobytes();
    f.find<TModalDialog>(QStringLiteral("ImportSummaryDialog"))->setRunner([](TModalDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("ImportButton"))->click();
    });
    f.seams.dialogs.answerOpenFile(path);
    QElapsedTimer t;
    t.start();
    f.trigger(QStringLiteral("ImportMenu"));
    report("import through the menu: check, summary, save, tree", msSince(t));
    const qint64 stored = QFileInfo(f.path(kGolfer + QStringLiteral(".sce"))).size();
    std::printf("  %-52s %10lld\n", "cards stored", stored / RecordLayout<TScoreRecord>::Size);
    std::printf("  %-52s %10s\n", "status", qPrintable(f.status()));
    std::printf("  %-52s %10ld kB\n", "peak memory before the import", before);
    std::printf("  %-52s %10ld kB\n", "peak memory of the process", peakKilobytes());
    return stored > 0 ? 0 : 1;
}

int all(const QString &program)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cards.csv"));
    for (const char *mode : {"write", "check", "import"}) {
        QProcess step;
        step.setProcessChannelMode(QProcess::ForwardedChannels);
        step.start(program, {QString::fromLatin1(mode), file});
        if (!step.waitForFinished(-1) || step.exitCode() != 0) {
            std::printf("bench_import %s failed\n", mode);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    const QString path = args.value(2);
    if (mode == QLatin1String("write") && !path.isEmpty())
        return write(path, args.size() > 3 ? args[3].toInt() : 200000);
    if (mode == QLatin1String("check") && !path.isEmpty())
        return check(path);
    if (mode == QLatin1String("import") && !path.isEmpty())
        return import(path);
    if (mode.isEmpty())
        return all(app.applicationFilePath());
    std::fprintf(stderr, "usage: bench_import [write|check|import <file> [rows]]\n");
    return 2;
}
