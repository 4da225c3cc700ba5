#pragma once

#include "core/data/exportchoice.h"
#include "ui/common/modaldialog.h"

#include <QList>

#include <optional>

class QRadioButton;

// Asks what to write to a CSV file and in which form, two choices of their own, before the
// file is chosen. A content that has nothing to write now is shown but cannot be chosen.
class ExportDialog final : public TModalDialog
{
    Q_OBJECT

public:
    explicit ExportDialog(QWidget *parent = nullptr);

    struct Choice {
        exportchoice::Content content = exportchoice::Content::Cards;
        exportchoice::Form form = exportchoice::Form::Excel;
    };
    // Offers the contents given, `first` chosen; the analysis's table is shown only when it
    // is offered. None when the user cancelled.
    std::optional<Choice> ask(
        const QList<exportchoice::Content> &offered, exportchoice::Content first);

private:
    QList<QRadioButton *> m_contents; // in the order of exportchoice::Content
    QRadioButton *m_excel = nullptr;
    QRadioButton *m_shiftJis = nullptr;
};
