#include "numberitemdelegate.h"

#include "numberformvalidator.h"

#include <QLineEdit>

QWidget *NumberItemDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        NumberFormValidator::install(edit);
    return editor;
}
