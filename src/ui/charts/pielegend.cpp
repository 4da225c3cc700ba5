#include "pielegend.h"

#include <QPainter>

namespace {

constexpr int kGap = 6; // between the square and its text
constexpr int kColumnGap = 14;

} // namespace

PieLegend::PieLegend(QWidget *parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PieLegend::setEntries(const QList<Entry> &entries)
{
    m_entries = entries;
    updateGeometry();
    update();
}

int PieLegend::rowHeight() const
{
    return fontMetrics().height() + 4;
}

int PieLegend::columnWidth() const
{
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const Entry &e : m_entries)
        widest = qMax(widest, metrics.horizontalAdvance(e.text));
    return metrics.height() + kGap + widest + kColumnGap;
}

QList<QRect> PieLegend::entryRects(int width) const
{
    QList<QRect> rects;
    const int count = int(m_entries.size());
    if (count == 0)
        return rects;
    const int column = columnWidth();
    const int columns = qBound(1, width / column, count);
    // The block of columns stands in the middle of the width.
    const int left = qMax(0, (width - columns * column + kColumnGap) / 2);
    for (int k = 0; k < count; ++k)
        rects.append(QRect(left + (k % columns) * column, (k / columns) * rowHeight(),
            column - kColumnGap, rowHeight()));
    return rects;
}

int PieLegend::heightForWidth(int width) const
{
    const QList<QRect> rects = entryRects(width);
    return rects.isEmpty() ? 0 : rects.last().bottom() + 1;
}

QSize PieLegend::sizeHint() const
{
    // One row when the entries fit side by side, fewer columns where the layout gives less.
    const int all = int(m_entries.size()) * columnWidth();
    return QSize(all, heightForWidth(all));
}

QSize PieLegend::minimumSizeHint() const
{
    return QSize(columnWidth(), heightForWidth(columnWidth()));
}

void PieLegend::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QList<QRect> rects = entryRects(width());
    const int square = fontMetrics().height() - 4;
    for (qsizetype k = 0; k < rects.size(); ++k) {
        const QRect &r = rects[k];
        const QRect box(r.left(), r.top() + (r.height() - square) / 2, square, square);
        painter.setPen(Qt::black);
        painter.setBrush(m_entries[k].colour);
        painter.drawRect(box);
        painter.drawText(
            QRect(box.right() + kGap, r.top(), r.right() - box.right() - kGap, r.height()),
            Qt::AlignLeft | Qt::AlignVCenter, m_entries[k].text);
    }
}
