#include "modaldialog.h"

#include "windowfit.h"

TModalDialog::TModalDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

int TModalDialog::ShowModal()
{
    // The size the dialog was made with is what it asks for on every screen.
    if (!m_wantedSize.isValid())
        m_wantedSize = size();
    windowfit::place(this, m_wantedSize, minimumSize() == maximumSize(), parentWidget());
    int answer = QDialog::Rejected;
    if (!m_runner) {
        answer = exec();
    } else {
        setResult(QDialog::Rejected);
        show();
        m_runner(*this);
        if (isVisible())
            reject();
        answer = result();
    }
    if (m_remembersSize)
        m_wantedSize = size();
    return answer;
}
