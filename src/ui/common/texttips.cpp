#include "texttips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace texttips {

namespace {

// The width a line edit has for its text: inside its frame, less the margins it keeps.
int textRoom(const QLineEdit *edit)
{
    const int frame
        = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QMargins margins = edit->textMargins();
    return edit->contentsRect().width() - 2 * frame - 4 - margins.left() - margins.right();
}

// The text a box shows, when the box is too narrow for it; empty when it fits.
QString cutText(const QWidget *box)
{
    const QFontMetrics metrics = box->fontMetrics();
    if (const auto *label = qobject_cast<const QLabel *>(box)) {
        const QString text = label->text();
        const int room = label->contentsRect().width() - 2 * label->margin();
        return metrics.horizontalAdvance(text) > room ? text : QString();
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(box)) {
        const QString text = edit->displayText();
        return metrics.horizontalAdvance(text) > textRoom(edit) ? text : QString();
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(box)) {
        if (const QLineEdit *edit = combo->lineEdit())
            return cutText(edit);
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = combo->hasFrame();
        option.currentText = combo->currentText();
        const QRect field = combo->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        const QString text = combo->currentText();
        return metrics.horizontalAdvance(text) > field.width() ? text : QString();
    }
    return QString();
}

// Answers the tooltip requests of one box. Those of a combo box's edit part reach it too,
// since that part has no tooltip of its own.
class BoxTips final : public QObject
{
public:
    explicit BoxTips(QWidget *box) : QObject(box), m_box(box) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || watched != m_box || !m_box->toolTip().isEmpty())
            return false;
        const QString text = cutText(m_box);
        auto *help = static_cast<QHelpEvent *>(event);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, m_box);
        }
        return true;
    }

private:
    QWidget *m_box;
};

void showStart(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->hasFocus())
            edit->setCursorPosition(0);
    });
}

} // namespace

bool ItemTextTips::isCut(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return item.fontMetrics.horizontalAdvance(item.text) > textRect.width() - 2 * margin;
}

bool ItemTextTips::helpEvent(QHelpEvent *event, QAbstractItemView *view,
    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid()
        || index.data(Qt::ToolTipRole).isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString text = index.data(Qt::DisplayRole).toString();
    if (!m_always && !isCut(option, index))
        text.clear();
    QToolTip::showText(event->globalPos(), text, view);
    event->setAccepted(!text.isEmpty());
    return true;
}

void tipWhenCut(QWidget *box)
{
    box->installEventFilter(new BoxTips(box));
    if (auto *combo = qobject_cast<QComboBox *>(box)) {
        if (QLineEdit *edit = combo->lineEdit())
            showStart(edit);
    } else if (auto *edit = qobject_cast<QLineEdit *>(box)) {
        showStart(edit);
    }
}

} // namespace texttips
