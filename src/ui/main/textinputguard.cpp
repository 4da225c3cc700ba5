#include "textinputguard.h"

#include "core/data/sjis.h"
#include "core/data/textinput.h"
#include "sjislengthvalidator.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>

TextInputGuard::TextInputGuard(QLineEdit *edit, int maxBytes, QWidget *keyTarget)
    : QObject(edit), m_box(edit), m_edit(edit), m_maxBytes(maxBytes), m_accepted(edit->text())
{
    edit->setValidator(new SjisLengthValidator(maxBytes, edit));
    edit->installEventFilter(this);
    if (keyTarget)
        keyTarget->installEventFilter(this);
    connect(
        edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_accepted = text; });
    // The box turns down a paste or a drop as a whole, and only then puts its text back;
    // what fits is put in once that is done.
    connect(edit, &QLineEdit::inputRejected, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this, before = m_accepted, refusedText = m_edit->text()] {
                keepWhatFits(before, refusedText);
            },
            Qt::QueuedConnection);
    });
}

TextInputGuard::TextInputGuard(QPlainTextEdit *memo, int maxBytes)
    : QObject(memo), m_box(memo), m_memo(memo), m_maxBytes(maxBytes)
{
    memo->installEventFilter(this);
}

bool TextInputGuard::insertsText(const QKeyEvent *key)
{
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return true;
    const auto mods = key->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse
        || (c.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

int TextInputGuard::room() const
{
    if (m_memo)
        return m_maxBytes - sjis::byteLength(m_memo->toPlainText())
            + sjis::byteLength(m_memo->textCursor().selection().toPlainText());
    return m_maxBytes - sjis::byteLength(m_edit->text()) + sjis::byteLength(m_edit->selectedText());
}

bool TextInputGuard::readOnly() const
{
    return m_memo ? m_memo->isReadOnly() : m_edit->isReadOnly();
}

void TextInputGuard::refuse(const textinput::Fitted &fitted)
{
    Q_EMIT refused(textinput::refusalMessage(fitted, m_maxBytes));
}

bool TextInputGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (readOnly() || m_forwarding)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!insertsText(key))
            return false;
        const QString text = textinput::withShiftJisLookAlikes(key->text());
        const textinput::Fitted fitted = textinput::fitInsertion(text, room());
        if (!fitted.whole(text)) {
            // Let through, the refused key would leave an empty combo box completing itself
            // to its first item.
            refuse(fitted);
            return true;
        }
        if (text == key->text())
            return false;
        // The key of a character Shift-JIS holds as a look-alike puts in the look-alike.
        QKeyEvent mapped(key->type(), key->key(), key->modifiers(), text, key->isAutoRepeat(),
            ushort(key->count()));
        forward(watched, &mapped);
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        auto *im = static_cast<QInputMethodEvent *>(event);
        const QString commit = textinput::withShiftJisLookAlikes(im->commitString());
        if (commit.isEmpty())
            return false;
        const textinput::Fitted fitted = textinput::fitInsertion(commit, room());
        if (fitted.whole(commit) && commit == im->commitString())
            return false;
        QInputMethodEvent kept(im->preeditString(), im->attributes());
        kept.setCommitString(fitted.kept, im->replacementStart(), im->replacementLength());
        forward(watched, &kept);
        if (!fitted.whole(commit))
            refuse(fitted);
        return true;
    }
    return false;
}

void TextInputGuard::forward(QObject *watched, QEvent *event)
{
    m_forwarding = true;
    QCoreApplication::sendEvent(watched, event);
    m_forwarding = false;
}

void TextInputGuard::keepWhatFits(const QString &before, const QString &refusedText)
{
    // A text the program wrote stays as written; only the user's own edit was put back.
    if (m_edit->text() != before || refusedText == before)
        return;
    // The edit replaced what lies between the parts the two texts share.
    qsizetype head = 0;
    const qsizetype shorter = std::min(before.size(), refusedText.size());
    while (head < shorter && before[head] == refusedText[head])
        ++head;
    if (head > 0 && before[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head
        && before[before.size() - 1 - tail] == refusedText[refusedText.size() - 1 - tail])
        ++tail;
    if (tail > 0 && before[before.size() - tail].isLowSurrogate())
        --tail;
    const QString inserted = textinput::withShiftJisLookAlikes(
        refusedText.mid(head, refusedText.size() - head - tail));
    const qsizetype replaced = before.size() - head - tail;
    const int room
        = m_maxBytes - sjis::byteLength(before) + sjis::byteLength(before.mid(head, replaced));
    const textinput::Fitted fitted = textinput::fitInsertion(inserted, room);
    if (fitted.whole(inserted))
        return;
    if (!fitted.kept.isEmpty()) {
        m_edit->setSelection(head, replaced);
        m_edit->insert(fitted.kept);
    }
    refuse(fitted);
}
