// How long printing the score list by date of every card to a PDF file takes, at both sizes: the
// layout of the pages alone, and the whole job through the printer (layout, drawing and
// writing the file), with the file's size and page count.
#include "benchdata.h"
#include "ui/print/printjob.h"
#include "core/print/resultsprintout.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using namespace benchdata;

constexpr int kRuns = 5;

// The rows of the list by date, as the results grid holds them.
printout::ResultsSheet dateList(const QList<TScoreRecord> &cards)
{
    printout::ResultsSheet sheet;
    sheet.golferName = kGolfer;
    sheet.conditions = QStringLiteral("検索年数： 全て   検索ゴルフ場： 全て");
    sheet.kensakuYear = QStringLiteral("全て");
    sheet.kensakuLinks = QStringLiteral("全て");
    sheet.hasHeaderRow = true;
    sheet.rows.reserve(cards.size());
    for (const TScoreRecord &c : cards) {
        const double rate = c.ParOnCount / 18.0 * 100.0;
        sheet.rows.append({QString(), QString(), datetime::dateText(c.RoundDate),
            QStringLiteral("%1   ( %2 , %3 )")
                .arg(c.ScoreSum)
                .arg(c.ScoreTotal[0])
                .arg(c.ScoreTotal[1]),
            QString::number(c.PuttSum),
            rate == 0 ? QStringLiteral("0 %")
                      : QString::number(rate, 'f', 1) + QStringLiteral(" %"),
            c.LinksName});
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SizeTable table;
    for (int s = 0; s < int(kSizes.size()); ++s) {
        QRandomGenerator rng = dataSeed();
        const DataSet set = makeDataSet(kSizes[size_t(s)], rng);
        const printout::ResultsSheet sheet = dateList(set.cards);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("list.pdf"));

        Figures layout;
        Figures whole;
        int pages = 0;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printout::fitResolution(printer);
            QElapsedTimer layoutTimer;
            layoutTimer.start();
            const auto list = printout::resultsPages(sheet, printout::printableSize(printer));
            layout.values.append(msSince(layoutTimer));
            QString error;
            if (!printout::printPages(printer, list, 1, &error)) {
                std::fprintf(stderr, "printing failed: %s\n", qPrintable(error));
                return 1;
            }
            whole.values.append(msSince(timer));
            pages = int(list.size());
        }
        std::printf("print: score list by date of %lld cards, %d pages, %lld KiB PDF\n",
            qint64(sheet.rows.size()), pages, qint64(QFileInfo(file).size() / 1024));
        table.add(QStringLiteral("layout of the pages"), s, layout);
        table.add(QStringLiteral("print to PDF"), s, whole);
        table.add(QStringLiteral("pages"), s, pages, QString());
    }
    table.print();
    return 0;
}
