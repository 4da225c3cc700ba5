#include "printjob.h"

#include <QHash>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace printout {

namespace {

// A face that has the Japanese glyphs, whatever the printer's own default is.
QFont printFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
        QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    // Shaped runs of digits and Latin letters ("1H", "Par3") reach the PDF as glyphs without
    // their characters, so the text could not be found or copied; unshaped, they keep them.
    // Nothing the printouts draw needs shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

struct FontAtSize {
    QFont font;
    qreal baseline = 0; // from the top of the text
};

// Texts are placed by the top of their em box, which lies 0.88 of the size above the baseline
// in Japanese faces. The face's own ascent reaches higher (over a quarter of the size more in
// Noto Sans CJK) and would set every line lower than its place, onto the rules below it.
qreal baselineOffset(const QFont &font, const QPaintDevice *device)
{
    return font.pointSizeF() * device->logicalDpiY() / 72.0 * 0.88;
}

void drawPage(
    QPainter &painter, QPaintDevice *device, const PrintPage &page, QHash<int, FontAtSize> &fonts)
{
    painter.setBrush(Qt::NoBrush);
    for (const PrintOutline &o : page.outlines) {
        painter.setPen(QPen(Qt::black, o.penWidth));
        painter.drawPolygon(o.points.constData(), int(o.points.size()));
    }
    for (const PrintLine &l : page.lines) {
        painter.setPen(QPen(Qt::black, l.penWidth));
        painter.drawLine(l.from, l.to);
    }
    painter.setPen(QPen(Qt::black));
    int current = -1;
    qreal baseline = 0;
    for (const PrintText &t : page.texts) {
        if (t.pointSize != current) {
            auto it = fonts.find(t.pointSize);
            if (it == fonts.end()) {
                const QFont font = printFont(t.pointSize);
                it = fonts.insert(t.pointSize, {font, baselineOffset(font, device)});
            }
            painter.setFont(it->font);
            baseline = it->baseline;
            current = t.pointSize;
        }
        painter.drawText(QPointF(t.pos.x(), t.pos.y() + baseline), t.text);
    }
}

} // namespace

int fitResolution(QPrinter &printer)
{
    constexpr double designWidth = 2500;
    const double inches = printer.pageLayout().paintRect(QPageLayout::Inch).width();
    if (inches > 0)
        printer.setResolution(qBound(72, int(std::ceil(designWidth / inches)), 1200));
    return printer.resolution();
}

QSize printableSize(const QPrinter &printer)
{
    return QSize(printer.width(), printer.height());
}

int copiesToDraw(const QPrinter &printer)
{
    return printer.supportsMultipleCopies() ? 1 : qMax(1, printer.copyCount());
}

bool printPages(QPrinter &printer, const QList<PrintPage> &pages, int copies, QString *error)
{
    if (copies < 1 || pages.isEmpty())
        return true;
    QPainter painter;
    // A file that cannot be written is the usual cause; name it.
    const QString where = printer.outputFileName().isEmpty()
        ? QString()
        : QStringLiteral("\n") + printer.outputFileName();
    if (!painter.begin(&printer)) {
        *error = QStringLiteral("印刷を開始できませんでした。") + where;
        return false;
    }
    QHash<int, FontAtSize> fonts;
    bool first = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (const PrintPage &page : pages) {
            if (!first && !printer.newPage()) {
                painter.end();
                *error = QStringLiteral("印刷中にエラーが発生しました。") + where;
                return false;
            }
            first = false;
            drawPage(painter, &printer, page, fonts);
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        *error = QStringLiteral("印刷中にエラーが発生しました。") + where;
        return false;
    }
    return true;
}

} // namespace printout
