#pragma once

#include <QStyledItemDelegate>

// The editor of a table cell that takes a number asks the input method for plain digits.
// Where it still delivers full-width ones ("１２"), the core's reading of a score takes them,
// and the grid shows the number it read in half-width digits.
class NumberCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
};
