// How long the CSV and backup commands take at both sizes of the data set: the export of the cards
// through the file menu (rows, quoting, encoding and the safe save), the import of that file into a
// golfer without cards (every row checked, the summary dialog, one save of the card file and
// the tree rebuilt), the daily backup of the data folder, and the listing of thirty backups.
// The imported card file must equal the exported golfer's byte for byte, or the bench fails.
#include "benchdata.h"
#include "core/data/backup.h"
#include "core/data/cardcolumns.h"
#include "core/data/csv.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/modaldialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

using namespace benchdata;

constexpr int kRuns = 7;

// One size: every figure into the table; false when a check failed.
bool runSize(int s, SizeTable &table)
{
    const Size &size = kSizes[size_t(s)];
    auto line
        = [&](const char *what, const Figures &f) { table.add(QString::fromUtf8(what), s, f); };
    auto note = line;
    QTemporaryDir out;
    WindowFixture f;
    if (!out.isValid() || !writeDataSet(f.dir.path(), size, {kGolfer, kOtherGolfer}))
        return false;
    f.open();
    f.choose(QStringLiteral("GolferCombo"), kGolfer);
    const ScoreCards cards = f.form->scoreList();
    const QByteArray stored = fileBytes(f.path(kGolfer + QStringLiteral(".sce")));
    std::printf("bench_exchange: %lld cards, card file %lld bytes\n", qint64(cards.size()),
        qint64(stored.size()));

    // Export through the menu: rows, quoting, encoding, the safe save.
    const QString file = out.filePath(QStringLiteral("cards.csv"));
    auto *exportDialog = f.find<TModalDialog>(QStringLiteral("ExportDialog"));
    auto exportAs = [exportDialog](const char *form) {
        exportDialog->setRunner([form](TModalDialog &d) {
            d.findChild<QRadioButton *>(QString::fromLatin1(form))->click();
            d.findChild<QPushButton *>(QStringLiteral("OkButton"))->click();
        });
    };
    for (int filter : {0, 1}) {
        exportAs(filter == 0 ? "ExcelRadio" : "ShiftJisRadio");
        Figures whole;
        for (int r = 0; r < kRuns + 1; ++r) {
            f.seams.dialogs.answerSaveFile(file);
            QElapsedTimer t;
            t.start();
            f.trigger(QStringLiteral("ExportMenu"));
            if (r > 0)
                whole.values.append(msSince(t));
        }
        line(filter == 0 ? "export of the cards, UTF-8, through the menu"
                         : "export of the cards, Shift-JIS, through the menu",
            whole);
    }
    {
        Figures rows, text, bytes;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const QList<QStringList> table = cardcolumns::table(cards);
            rows.values.append(msSince(t));
            t.restart();
            const QString csvText = csv::format(table);
            text.values.append(msSince(t));
            t.restart();
            QByteArray encoded;
            csv::encode(csvText, csv::Encoding::ShiftJis, &encoded, nullptr);
            bytes.values.append(msSince(t));
        }
        note("  of which the rows", rows);
        note("  of which the quoting", text);
        note("  of which the Shift-JIS encoding", bytes);
    }
    exportAs("ExcelRadio");
    f.seams.dialogs.answerSaveFile(file);
    f.trigger(QStringLiteral("ExportMenu"));
    const QByteArray exported = fileBytes(file);
    std::printf("  %-56s %lld bytes\n", "the UTF-8 file", qint64(exported.size()));

    // The check alone, then the whole import into a golfer without cards.
    {
        Figures check;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            const cardcolumns::ImportPlan plan = cardcolumns::readCards(exported, {});
            check.values.append(msSince(t));
            if (!plan.ok() || plan.cards.size() != cards.size()) {
                std::printf("the exported file does not read back: %s\n",
                    qPrintable(plan.problems.value(0).message()));
                return false;
            }
        }
        note("  reading and checking every row", check);
    }
    auto *summary = f.find<TModalDialog>(QStringLiteral("ImportSummaryDialog"));
    summary->setRunner([](TModalDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("ImportButton"))->click();
    });
    Figures import;
    bool identical = true;
    for (int r = 0; r < kRuns; ++r) {
        // A golfer without cards each time: his file goes while he is not chosen.
        f.choose(QStringLiteral("GolferCombo"), kGolfer);
        QFile::remove(f.path(kOtherGolfer + QStringLiteral(".sce")));
        f.choose(QStringLiteral("GolferCombo"), kOtherGolfer);
        f.seams.dialogs.answerOpenFile(file);
        QElapsedTimer t;
        t.start();
        f.trigger(QStringLiteral("ImportMenu"));
        import.values.append(msSince(t));
        identical = identical && fileBytes(f.path(kOtherGolfer + QStringLiteral(".sce"))) == stored;
    }
    line("import of every card: check, summary, save, tree", import);
    std::printf("  %-56s %s\n", "imported card file equals the exported golfer's",
        identical ? "yes" : "NO");

    // The daily backup of the whole folder, a new day each time, and the listing of the
    // thirty copies it keeps. The imported golfer goes first, so that the folder holds the
    // data set's cards.
    f.choose(QStringLiteral("GolferCombo"), kGolfer);
    QFile::remove(f.path(kOtherGolfer + QStringLiteral(".sce")));
    const QStringList files = backup::dataFiles(f.dir.path());
    qint64 total = 0;
    for (const QString &name : files)
        total += QFileInfo(QDir(f.dir.path()).filePath(name)).size();
    std::printf("  %-56s %lld files, %lld bytes\n", "data folder", qint64(files.size()), total);
    // Beside the time it takes, the processor time it uses: on a machine shared with other
    // work the first waits for the processor and the disk, the second does not.
    auto cpuMs = [] {
        timespec ts {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    };
    Figures daily, dailyCpu;
    bool made = true;
    for (int r = 0; r < 35; ++r) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        const backup::Result result = backup::makeDailyBackup(f.dir.path(), kToday.addDays(r + 1));
        daily.values.append(msSince(t));
        dailyCpu.values.append(cpuMs() - cpu);
        made = made && result.ok && !result.folder.isEmpty();
    }
    line("daily backup of the data folder (35 days, 30 kept)", daily);
    note("  processor time of it", dailyCpu);
    Figures listing;
    qsizetype listed = 0;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        listed = backup::listBackups(f.dir.path()).size();
        listing.values.append(msSince(t));
    }
    line("listing the backups", listing);
    std::printf("  %-56s %lld\n", "backups listed", qint64(listed));
    Figures verify;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        const backup::RestorePlan plan = backup::planRestore(
            f.dir.path(), kToday.addDays(35).toString(QStringLiteral("yyyy-MM-dd")));
        verify.values.append(msSince(t));
        made = made && plan.ok();
    }
    note("reading and verifying one backup for a restore", verify);
    return identical && made && listed == 30;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runEverySize(runSize);
}
