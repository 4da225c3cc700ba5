#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

// Printed pages as plain data: what goes where, in the printer's device pixels, so that the
// layouts can be checked without a printer and drawn by one small painter.
namespace printout {

// Text placed by the top-left corner of its line, in a size given in points.
struct PrintText {
    QPoint pos;
    int pointSize = 0;
    QString text;
};

struct PrintLine {
    QPoint from;
    QPoint to;
    int penWidth = 1;
};

// A closed outline through the points, not filled.
struct PrintOutline {
    QList<QPoint> points;
    int penWidth = 1;
};

struct PrintPage {
    QList<PrintText> texts;
    QList<PrintLine> lines;
    QList<PrintOutline> outlines;
};

// The page number as printed in the corner.
QString pageNumberText(int page);

// Collects the items of a printout page by page, with a current font size the way a canvas
// keeps it. Empty texts leave no item: they would draw nothing.
class PageBuilder final
{
public:
    explicit PageBuilder(QSize page) : m_size(page) { m_pages.append(PrintPage {}); }

    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }

    void setFont(int pointSize) { m_pointSize = pointSize; }
    void text(int x, int y, const QString &text);
    void line(int x1, int y1, int x2, int y2, int penWidth = 1);
    void outline(const QList<QPoint> &points, int penWidth);
    // A horizontal rule of 2 pixels over one of 5, 10 pixels below, from x to the right margin.
    void doubleRule(int x, int y);
    void newPage() { m_pages.append(PrintPage {}); }
    // Begins a following page of a list with its number in the corner, in 9 points.
    void newNumberedPage(int pageNo);

    QList<PrintPage> pages() const { return m_pages; }

private:
    QSize m_size;
    int m_pointSize = 10;
    QList<PrintPage> m_pages;
};

} // namespace printout
