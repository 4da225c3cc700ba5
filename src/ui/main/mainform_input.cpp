// Text typed into the byte-limited boxes: what they refuse is said in the status bar, and
// what reaches a record is checked once more as it is stored.
#include "mainform.h"

#include "textinputguard.h"

#include <QApplication>
#include <QStatusBar>

namespace {
// Long enough to be read after the key that was refused; the counts come back after it.
constexpr int kRefusalShownMs = 8000;
} // namespace

void TMainForm::connectInputGuards()
{
    for (TextInputGuard *guard : findChildren<TextInputGuard *>())
        connect(guard, &TextInputGuard::refused, this, &TMainForm::inputRefused);
}

void TMainForm::inputRefused(const QString &message)
{
    QApplication::beep();
    statusBar()->showMessage(message, kRefusalShownMs);
}
