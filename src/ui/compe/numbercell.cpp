#include "numbercell.h"

#include <QLineEdit>

QWidget *NumberCellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return editor;
}
