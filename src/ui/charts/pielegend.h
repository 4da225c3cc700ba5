#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

// The legend under a pie: a colour square and a text per slice, read left to right and top
// to bottom in the slices' order, in as many even columns as the width holds.
class PieLegend final : public QWidget
{
    Q_OBJECT

public:
    struct Entry {
        QString text;
        QColor colour;
    };

    explicit PieLegend(QWidget *parent = nullptr);

    void setEntries(const QList<Entry> &entries);
    QList<Entry> entries() const { return m_entries; }
    // Where each entry stands at the present width, in the entries' order.
    QList<QRect> entryRects() const { return entryRects(width()); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QRect> entryRects(int width) const;
    int columnWidth() const;
    int rowHeight() const;

    QList<Entry> m_entries;
};
