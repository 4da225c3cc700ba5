// The print job: the resolution that gives the layouts their width on any paper.
#include "ui/print/printjob.h"

#include <QPrinter>
#include <QTest>

class TestPrintJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paperIsMadeAboutTwoThousandFiveHundredPixelsWide_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addRow("A4") << QPageSize::A4 << QPageLayout::Portrait;
        QTest::addRow("letter") << QPageSize::Letter << QPageLayout::Portrait;
        QTest::addRow("B5") << QPageSize::B5 << QPageLayout::Portrait;
        QTest::addRow("A4 landscape") << QPageSize::A4 << QPageLayout::Landscape;
    }
    void paperIsMadeAboutTwoThousandFiveHundredPixelsWide()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(orientation);
        const int dpi = printout::fitResolution(printer);
        QCOMPARE(printer.resolution(), dpi);
        const QSize size = printout::printableSize(printer);
        QVERIFY2(
            size.width() >= 2500 && size.width() < 2520, qPrintable(QString::number(size.width())));
        // The page keeps its shape: the height follows the same resolution.
        const QSizeF inches = printer.pageLayout().paintRect(QPageLayout::Inch).size();
        const double expected = inches.height() * dpi;
        QVERIFY2(qAbs(size.height() - expected) < expected / 200,
            qPrintable(QStringLiteral("%1 for %2").arg(size.height()).arg(expected)));
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
