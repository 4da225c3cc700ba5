#include "holecolumns.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

namespace holecolumns {

QStringList headings()
{
    QStringList list {QStringLiteral("氏名")};
    for (int hole = 1; hole <= 18; ++hole) {
        list.append(QString::number(hole));
        if (hole == 9)
            list.append(QStringLiteral("OUT"));
    }
    list << QStringLiteral("IN") << QStringLiteral("計") << QStringLiteral("区分");
    return list;
}

void setUp(QTableWidget *table)
{
    table->setColumnCount(kCount);
    table->setHorizontalHeaderLabels(headings());
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    QHeaderView *header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    const QFontMetrics m = table->fontMetrics();
    const int digits = m.horizontalAdvance(QStringLiteral("00")) + 12;
    // The style's least width of a column is far wider than two digits need.
    header->setMinimumSectionSize(digits);
    const int totals = m.horizontalAdvance(QStringLiteral("OUT")) + 16;
    for (int c = 0; c < kCount; ++c) {
        int width = digits;
        if (c == kName)
            width = m.horizontalAdvance(QStringLiteral("ゲスト山田太郎")) + 16;
        else if (c == kOut || c == kIn || c == kTotal)
            width = totals;
        else if (c == kKind)
            width = m.horizontalAdvance(QStringLiteral("ゴルファー")) + 16;
        table->setColumnWidth(c, width);
    }
    table->verticalHeader()->setDefaultSectionSize(m.height() + 8);
}

int fullWidth(const QTableWidget *table)
{
    return table->horizontalHeader()->length() + 2 * table->frameWidth()
        + table->verticalScrollBar()->sizeHint().width();
}

} // namespace holecolumns
