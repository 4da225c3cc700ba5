#include "pagecontrols.h"

#include "pagehost.h"

#include "core/data/textinput.h"
#include "ui/common/services.h"
#include "ui/main/textinputguard.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace pagecontrols {

QLabel *heading(const QString &text, QWidget *parent, const QString &name)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLineEdit *textEdit(const QString &name, int maxBytes, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxBytes > 0)
        new TextInputGuard(edit, maxBytes);
    edit->setReadOnly(true);
    return edit;
}

QLineEdit *numberEdit(const QString &name, QWidget *parent, NumberFormValidator::Kind kind)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    NumberFormValidator::install(edit, kind);
    edit->setReadOnly(true);
    return edit;
}

QComboBox *listCombo(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(20);
    // Sized for the longest name a record holds (15 double-byte characters) rather than by
    // measuring every item: a list of ten thousand clubs took longer to measure than to make.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(15);
    return combo;
}

QComboBox *choiceCombo(const QString &name, const QStringList &items, int maxBytes, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->addItems(items);
    new TextInputGuard(combo->lineEdit(), maxBytes, combo);
    return combo;
}

void detachControls(QObject *page)
{
    for (const QObject *control : page->findChildren<QObject *>())
        QObject::disconnect(control, nullptr, page, nullptr);
}

bool freeSpaceOk(qint64 threshold, qint64 freeBytes, PageHost &host)
{
    if (freeBytes >= threshold)
        return true;
    host.services().dialogs->error(QStringLiteral("ディスクの空き容量がありません\n空き容量は ")
        + QString::number(freeBytes) + QStringLiteral("バイトです"));
    host.actions().DataCancelAction->trigger();
    return false;
}

bool takeText(QString &field, QWidget *box, const QString &text, int maxBytes, ScoreSheetLink &link)
{
    if (text == field)
        return true;
    const QString error = textinput::storableTextError(text, maxBytes);
    if (!error.isEmpty()) {
        link.dialogs->error(error);
        link.refocus(box);
        return false;
    }
    field = text;
    return true;
}

bool isEditingKey(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
        || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
        return true;
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

bool exitCheckDue(const QFocusEvent *event, const ScoreSheetLink &link)
{
    const auto reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    // A box that refused its text takes the focus back; the control that had just got it
    // must not run its own check on the way out, or two boxes would trade it forever.
    return !link.exitChecksSuspended;
}

} // namespace pagecontrols
