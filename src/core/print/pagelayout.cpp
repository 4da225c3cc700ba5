#include "pagelayout.h"

namespace printout {

QString pageNumberText(int page)
{
    return QString::number(page) + QStringLiteral(" ページ");
}

void PageBuilder::text(int x, int y, const QString &text)
{
    if (!text.isEmpty())
        m_pages.last().texts.append({QPoint(x, y), m_pointSize, text});
}

void PageBuilder::line(int x1, int y1, int x2, int y2, int penWidth)
{
    m_pages.last().lines.append({QPoint(x1, y1), QPoint(x2, y2), penWidth});
}

void PageBuilder::outline(const QList<QPoint> &points, int penWidth)
{
    m_pages.last().outlines.append({points, penWidth});
}

void PageBuilder::doubleRule(int x, int y)
{
    line(x, y, width() - 100, y, 2);
    line(x, y + 10, width() - 100, y + 10, 5);
}

void PageBuilder::newNumberedPage(int pageNo)
{
    newPage();
    setFont(9);
    text(width() - 400, 200, pageNumberText(pageNo));
}

} // namespace printout
