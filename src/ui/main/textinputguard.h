#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace textinput {
struct Fitted;
}

// Keeps a text box within a field of the data files, whose size counts Shift-JIS bytes, and
// says why when it refuses input: a key that does not fit or that Shift-JIS cannot hold is
// refused whole; a paste or a text from the input method keeps what fits. A character that
// Shift-JIS holds as a look-alike goes in as that look-alike
// (textinput::withShiftJisLookAlikes).
class TextInputGuard final : public QObject
{
    Q_OBJECT

public:
    // keyTarget is the control that receives the keys when it is not the box itself (an
    // editable combo box hands them on to its text box).
    TextInputGuard(QLineEdit *edit, int maxBytes, QWidget *keyTarget = nullptr);
    // A memo has no validator to turn down a paste: it fits its pastes itself (to room())
    // and says so through refuse().
    TextInputGuard(QPlainTextEdit *memo, int maxBytes);

    // True for a key that puts its text into a text box, as the boxes themselves decide.
    static bool insertsText(const QKeyEvent *key);

    // The bytes left for a text put in at the cursor, over the selection.
    int room() const;
    void refuse(const textinput::Fitted &fitted);

Q_SIGNALS:
    void refused(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool readOnly() const;
    // Hands the box an event in place of the one it was sent, past this guard.
    void forward(QObject *watched, QEvent *event);
    void keepWhatFits(const QString &before, const QString &refusedText);

    QWidget *m_box; // the line edit or the memo
    QLineEdit *m_edit = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    int m_maxBytes;
    QString m_accepted; // the text as it stood after its last change
    bool m_forwarding = false;
};
