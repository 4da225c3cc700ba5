#pragma once

#include <QStyledItemDelegate>

// The editor of a table cell that takes a number, with the number box's handling of
// full-width digits (NumberFormValidator).
class NumberItemDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
};
