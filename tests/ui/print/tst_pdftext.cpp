// Every printout printed to a PDF file keeps its texts: each comes back whole from the file's
// text layer (what copying, searching and the text tools read), not only on the page.
#include "core/print/listprintout.h"
#include "ui/print/printjob.h"
#include "core/print/resultsprintout.h"
#include "core/print/scorecardprintout.h"
#include "core/stats/scorelists.h"
#include "core/stats/shousai.h"
#include "support/builders.h"

#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kA = QStringLiteral("ザ・カントリークラブ・ジャパン");

// Texts are compared as the glyphs the print face draws them with, without blanks (the text
// tools space words as they see fit). The text layer names each glyph by one character the
// face draws with it, the lowest: a kanji may come back as the radical of the same shape,
// "・" as "‧". A glyph named by no character at all is what is lost.
QString comparable(const QRawFont &face, QString text)
{
    text.removeIf([](QChar c) { return c.isSpace(); });
    QString glyphs;
    for (quint32 glyph : face.glyphIndexesForString(text))
        glyphs.append(QChar(char16_t(glyph)));
    return glyphs;
}

QList<printout::PrintPage> pagesOf(const QString &printout, QSize size)
{
    TScoreRecord card = build::scoredCard(QDate(2026, 4, 5), kA, 44, 45);
    card.Partner = {QStringLiteral("佐藤"), QStringLiteral("Smith"), QString()};
    printout::ResultsSheet sheet;
    sheet.golferName = QStringLiteral("山田");
    sheet.conditions = QStringLiteral("検索年数： 2026年   検索ゴルフ場： 全て");
    sheet.kensakuYear = QStringLiteral("2026年");
    sheet.kensakuLinks = stats::kAll;
    sheet.hasHeaderRow = printout == QLatin1String("date list");
    sheet.rows = sheet.hasHeaderRow ? stats::dateList({card, card}, {})
                                    : stats::detailedTally({card, card}, {}).rows;
    if (printout == QLatin1String("schedule"))
        return printout::schedulePages(sheet.golferName,
            {build::yotei(QDate(2027, 1, 3), kA, QTime(8, 37), QStringLiteral("Par3 で 1H から"))},
            size);
    if (printout == QLatin1String("golf clubs"))
        return printout::linksPages(
            {build::club(kA, QStringLiteral("http://www.example.jp/"))}, size);
    if (printout == QLatin1String("course"))
        return printout::coursePages(build::course(kA, QStringLiteral("OUT")), size);
    if (printout == QLatin1String("score card"))
        return printout::scoreCardPages(card, size);
    return printout::resultsPages(sheet, size);
}

} // namespace

class TestPdfText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPrintedTextIsFoundWhole_data()
    {
        QTest::addColumn<QString>("printout");
        for (const char *name :
            {"schedule", "golf clubs", "course", "score card", "date list", "details"})
            QTest::addRow("%s", name) << QString::fromLatin1(name);
    }
    void everyPrintedTextIsFoundWhole()
    {
        QFETCH(QString, printout);
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed (poppler-utils): the PDF's text is not read");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printout::fitResolution(printer);
        const QList<printout::PrintPage> pages
            = pagesOf(printout, printout::printableSize(printer));
        QString error;
        QVERIFY2(printout::printPages(printer, pages, 1, &error), qPrintable(error));

        QProcess reader;
        reader.start(
            tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000));
        QCOMPARE(reader.exitCode(), 0);
        const QRawFont face = QRawFont::fromFont(QFont(QStringLiteral("Noto Sans CJK JP")));
        QVERIFY(face.isValid());
        const QString found = comparable(face, QString::fromUtf8(reader.readAllStandardOutput()));

        QStringList lost;
        for (const printout::PrintPage &page : pages)
            for (const printout::PrintText &t : page.texts)
                if (!found.contains(comparable(face, t.text)))
                    lost.append(t.text);
        QVERIFY2(lost.isEmpty(), qPrintable(lost.join(QStringLiteral(" | "))));
    }
};

QTEST_MAIN(TestPdfText)
#include "tst_pdftext.moc"
