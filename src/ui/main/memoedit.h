#pragma once

#include <QPlainTextEdit>

class TextInputGuard;

// A memo whose text must fit a field of the data files, which counts Shift-JIS bytes. A key
// that does not fit or that Shift-JIS cannot hold is refused; a paste or a text from the
// input method keeps what fits, a look-alike taking the place of a character Shift-JIS holds
// only as that. Every refusal says why, through the memo's guard.
class MemoEdit final : public QPlainTextEdit
{
    Q_OBJECT

public:
    MemoEdit(int maxBytes, QWidget *parent);

protected:
    // A paste comes as no event the guard could see.
    void insertFromMimeData(const QMimeData *source) override;

private:
    TextInputGuard *m_guard;
};
