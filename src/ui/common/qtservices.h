#pragma once

#include "services.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The message boxes, input box and print dialog the user sees.
class QtDialogService final : public DialogService
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    // Runs before each dialog is shown; start-up uses it to take the splash window away, which
    // stays on top and would hide a dialog behind it.
    void setBeforeShowing(std::function<void()> hook) { m_beforeShowing = std::move(hook); }
    int showMessage(const MessageRequest &request) override;
    QString inputBox(
        const QString &caption, const QString &prompt, const QString &defaultText) override;
    bool printDialog(QPrinter &printer) override;
    bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    FileAnswer saveFileName(const FileRequest &request) override;
    FileAnswer openFileName(const FileRequest &request) override;
    std::unique_ptr<ProgressReport> progress(const QString &caption, const QString &label) override;

private:
    QWidget *owner() const;
    FileAnswer fileDialog(const FileRequest &request, bool saving);

    QPointer<QWidget> m_parent;
    std::function<void()> m_beforeShowing;
};
