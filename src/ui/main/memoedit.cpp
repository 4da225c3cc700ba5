#include "memoedit.h"

#include "core/data/textinput.h"
#include "textinputguard.h"

#include <QMimeData>
#include <QTextCursor>

MemoEdit::MemoEdit(int maxBytes, QWidget *parent)
    : QPlainTextEdit(parent), m_guard(new TextInputGuard(this, maxBytes))
{ }

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = textinput::withShiftJisLookAlikes(source->text());
    const textinput::Fitted fitted = textinput::fitInsertion(text, m_guard->room());
    if (fitted.whole(text) && text == source->text()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    if (!fitted.kept.isEmpty()) {
        QTextCursor cursor = textCursor();
        cursor.insertText(fitted.kept);
        setTextCursor(cursor);
    }
    if (!fitted.whole(text))
        m_guard->refuse(fitted);
}
