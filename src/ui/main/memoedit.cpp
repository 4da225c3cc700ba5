#include "memoedit.h"

#include "core/data/sjis.h"
#include "core/data/textinput.h"
#include "textinputguard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

MemoEdit::MemoEdit(int maxBytes, QWidget *parent) : QPlainTextEdit(parent), m_maxBytes(maxBytes) { }

int MemoEdit::room() const
{
    return m_maxBytes - sjis::byteLength(toPlainText())
        + sjis::byteLength(textCursor().selection().toPlainText());
}

void MemoEdit::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly() && TextInputGuard::insertsText(event)) {
        const textinput::Fitted fitted = textinput::fitInsertion(event->text(), room());
        if (!fitted.whole(event->text())) {
            event->accept();
            Q_EMIT refused(textinput::refusalMessage(fitted, m_maxBytes));
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (isReadOnly() || commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const textinput::Fitted fitted = textinput::fitInsertion(commit, room());
    if (fitted.whole(commit)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent kept(event->preeditString(), event->attributes());
    kept.setCommitString(fitted.kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&kept);
    Q_EMIT refused(textinput::refusalMessage(fitted, m_maxBytes));
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = source->text();
    const textinput::Fitted fitted = textinput::fitInsertion(text, room());
    if (fitted.whole(text)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    if (!fitted.kept.isEmpty()) {
        QTextCursor cursor = textCursor();
        cursor.insertText(fitted.kept);
        setTextCursor(cursor);
    }
    Q_EMIT refused(textinput::refusalMessage(fitted, m_maxBytes));
}
