#pragma once

#include <QPlainTextEdit>

// A memo whose text must fit a field of the data files, which counts Shift-JIS bytes. A key
// that does not fit or that Shift-JIS cannot hold is refused; a paste or a text from the
// input method keeps what fits. Every refusal says why.
class MemoEdit final : public QPlainTextEdit
{
    Q_OBJECT

public:
    MemoEdit(int maxBytes, QWidget *parent);

Q_SIGNALS:
    void refused(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int room() const;

    int m_maxBytes;
};
