#include "modaldialog.h"

#include <QGuiApplication>
#include <QScreen>

TModalDialog::TModalDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

int TModalDialog::ShowModal()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    if (!m_runner)
        return exec();
    setResult(QDialog::Rejected);
    show();
    m_runner(*this);
    if (isVisible())
        reject();
    return result();
}
