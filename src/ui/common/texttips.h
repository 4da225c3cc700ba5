#pragma once

#include <QStyledItemDelegate>

// Names up to the full length of their field do not always fit their place: where a tree
// item, a grid cell or a box cuts its text, the tooltip shows it whole.
namespace texttips {

// For trees and grids: an item without a tooltip of its own shows its text as one, always
// (`always`) or only where the item cuts it.
class ItemTextTips final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ItemTextTips(bool always, QObject *parent = nullptr)
        : QStyledItemDelegate(parent), m_always(always)
    { }

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;

private:
    bool isCut(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    bool m_always;
};

// For static texts, edit boxes and combo boxes without a tooltip of their own: the tooltip
// shows the text whenever the box cuts it, and a text the program writes into an edit box
// shows from its start, not its end.
void tipWhenCut(QWidget *box);

} // namespace texttips
