#pragma once

#include "core/print/pagelayout.h"

#include <QStringList>

// Reading printout pages back in tests: what stands at a position, in one comparable text.
namespace printcheck {

// "size text" of the text placed at (x, y), or an empty text when nothing is there.
inline QString textAt(const printout::PrintPage &page, int x, int y)
{
    for (const printout::PrintText &t : page.texts)
        if (t.pos == QPoint(x, y))
            return QString::number(t.pointSize) + QChar(' ') + t.text;
    return QString();
}

// Every text of the page, in drawing order.
inline QStringList texts(const printout::PrintPage &page)
{
    QStringList list;
    for (const printout::PrintText &t : page.texts)
        list.append(t.text);
    return list;
}

// "x1,y1-x2,y2/width" of every line of the page.
inline QStringList lines(const printout::PrintPage &page)
{
    QStringList list;
    for (const printout::PrintLine &l : page.lines)
        list.append(QStringLiteral("%1,%2-%3,%4/%5")
                        .arg(l.from.x())
                        .arg(l.from.y())
                        .arg(l.to.x())
                        .arg(l.to.y())
                        .arg(l.penWidth));
    return list;
}

} // namespace printcheck
