#include "tablekeys.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace tablekeys {

namespace {

void moveDown(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return;
    const QModelIndex below = current.sibling(current.row() + 1, current.column());
    if (below.isValid())
        view->setCurrentIndex(below);
}

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && !(key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
}

class EnterKeys final : public QObject
{
public:
    explicit EnterKeys(QAbstractItemView *view) : QObject(view), m_view(view) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_view || !isEnter(event))
            return false;
        if (event->type() == QEvent::ShortcutOverride)
            return false;
        // An editor's Enter passes here after the editor has taken the text: the delegate
        // confirms the cell and moves down (below); it goes no further.
        if (QApplication::focusWidget() != m_view)
            return true;
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid() && (current.flags() & Qt::ItemIsEditable)
            && m_view->editTriggers() != QAbstractItemView::NoEditTriggers)
            m_view->edit(current);
        else
            moveDown(m_view);
        return true;
    }

private:
    QAbstractItemView *m_view;
};

void follow(QAbstractItemView *view, QAbstractItemDelegate *delegate)
{
    if (!delegate || delegate->property("tablekeys").toBool())
        return;
    delegate->setProperty("tablekeys", true);
    // Enter in an editor commits the cell and closes the editor with this hint; Tab, Escape
    // and a click elsewhere close it otherwise.
    QObject::connect(delegate, &QAbstractItemDelegate::closeEditor, view,
        [view](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
            if (hint == QAbstractItemDelegate::SubmitModelCache)
                QMetaObject::invokeMethod(
                    view, [view] { moveDown(view); }, Qt::QueuedConnection);
        });
}

} // namespace

void install(QAbstractItemView *view)
{
    view->setTabKeyNavigation(false);
    view->installEventFilter(new EnterKeys(view));
    follow(view, view->itemDelegate());
    if (QAbstractItemModel *model = view->model()) {
        for (int r = 0; r < model->rowCount(); ++r)
            follow(view, view->itemDelegateForRow(r));
        for (int c = 0; c < model->columnCount(); ++c)
            follow(view, view->itemDelegateForColumn(c));
    }
}

} // namespace tablekeys
