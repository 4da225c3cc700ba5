#pragma once

#include "ui/common/numberformvalidator.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QFocusEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;
class PageHost;
class QWidget;
struct ScoreSheetLink;

// The controls the pages are made of, made alike on every page.
namespace pagecontrols {

QLabel *heading(const QString &text, QWidget *parent, const QString &name = QString());
// A text box whose limit counts bytes as the data files store them.
QLineEdit *textEdit(const QString &name, int maxBytes, QWidget *parent);
QLineEdit *numberEdit(const QString &name, QWidget *parent,
    NumberFormValidator::Kind kind = NumberFormValidator::Kind::Number);
QComboBox *listCombo(const QString &name, QWidget *parent);
// A box that offers the items and takes typed text as well, as much as the field holds.
QComboBox *choiceCombo(
    const QString &name, const QStringList &items, int maxBytes, QWidget *parent);

// The controls go after the page that holds them: what they still signal on their way (a
// combo box accepting its completion as it loses the focus) must not reach the page.
void detachControls(QObject *page);

// Says so and cancels the new record when the free space is below the threshold.
bool freeSpaceOk(qint64 threshold, qint64 freeBytes, PageHost &host);
// Takes the text of a box into a record's field, or says why it cannot be stored and puts
// the focus into the box; a text equal to the field's is left as it was stored.
bool takeText(
    QString &field, QWidget *box, const QString &text, int maxBytes, ScoreSheetLink &link);

// A key that edits the text of a box; the boxes hint at Append when one is pressed in them.
bool isEditingKey(const QKeyEvent *key);
// Whether a box losing the focus checks what it holds: not when another window or a pop-up
// takes the focus, nor while a box that refused its text takes it back.
bool exitCheckDue(const QFocusEvent *event, const ScoreSheetLink &link);

} // namespace pagecontrols
