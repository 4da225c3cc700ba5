#include "pielegend.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int kGap = 6; // between the square and its text
constexpr int kColumnGap = 14;

// An entry of the legend as assistive technology sees it: an item of the list, with its text
// and where it stands.
class EntryAccessible final : public QAccessibleInterface
{
public:
    EntryAccessible(PieLegend *legend, int index) : m_legend(legend), m_index(index) { }

    bool isValid() const override { return m_legend && m_index < m_legend->entries().size(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_legend ? m_legend->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_legend.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return m_legend->entries().at(m_index).text;
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_legend->entryRects().value(m_index);
        return QRect(m_legend->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !m_legend || !m_legend->isVisible();
        return s;
    }

private:
    QPointer<PieLegend> m_legend;
    int m_index;
};

// The legend is a list of its entries; the interfaces of the entries are made as they are
// asked for and kept, by id, for as long as the legend's own.
class LegendAccessible final : public QAccessibleWidget
{
public:
    explicit LegendAccessible(PieLegend *legend) : QAccessibleWidget(legend, QAccessible::List) { }
    ~LegendAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_children))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(legend()->entries().size()); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (m_children.size() <= index) {
            auto *entry = new EntryAccessible(legend(), int(m_children.size()));
            m_children.append(QAccessible::registerAccessibleInterface(entry));
        }
        return QAccessible::accessibleInterface(m_children[index]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int k = 0; k < childCount(); ++k)
            if (this->child(k) == child)
                return k;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = legend()->mapFromGlobal(QPoint(x, y));
        const QList<QRect> rects = legend()->entryRects();
        for (int k = 0; k < rects.size(); ++k)
            if (rects[k].contains(at))
                return child(k);
        return nullptr;
    }

private:
    PieLegend *legend() const { return static_cast<PieLegend *>(widget()); }

    mutable QList<QAccessible::Id> m_children;
};

QAccessibleInterface *legendFactory(const QString &, QObject *object)
{
    if (auto *legend = qobject_cast<PieLegend *>(object))
        return new LegendAccessible(legend);
    return nullptr;
}

} // namespace

PieLegend::PieLegend(QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(legendFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setAccessibleName(QStringLiteral("凡例"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PieLegend::setEntries(const QList<Entry> &entries)
{
    m_entries = entries;
    updateGeometry();
    update();
    QAccessibleEvent changed(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&changed);
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
