#include "qtservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <algorithm>
// Over the dialog that asked, when one of the program's own dialogs is up; else over the
// program's window in front (the competition window, which a dialog of the main window would
// hide behind the main window), else over the main window.
QWidget *QtDialogService::owner() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

int QtDialogService::showMessage(const MessageRequest &request)
{
    if (m_beforeShowing)
        m_beforeShowing();
    QMessageBox box(owner());
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.icon) {
    case MessageRequest::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageRequest::Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageRequest::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageRequest::Icon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageRequest::Icon::None: break;
    }
    QList<QPushButton *> buttons;
    for (int i = 0; i < request.buttons.size(); ++i) {
        const auto role = request.buttons.size() == 1
            ? QMessageBox::AcceptRole
            : (i == 0 ? QMessageBox::YesRole : QMessageBox::NoRole);
        buttons.append(box.addButton(request.buttons[i], role));
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(buttons.first());
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const int index = int(buttons.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
    return index >= 0 ? index : int(buttons.size()) - 1;
}

QString QtDialogService::inputBox(
    const QString &caption, const QString &prompt, const QString &defaultText)
{
    if (m_beforeShowing)
        m_beforeShowing();
    QInputDialog dialog(owner());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

bool QtDialogService::printDialog(QPrinter &printer)
{
    QPrintDialog dialog(&printer, owner());
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    if (m_beforeShowing)
        m_beforeShowing();
    QPrintPreviewDialog dialog(&printer, owner());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
        [&paint](QPrinter *target) { paint(*target); });
    return dialog.exec() == QDialog::Accepted;
}

FileAnswer QtDialogService::saveFileName(const FileRequest &request)
{
    return fileDialog(request, true);
}

FileAnswer QtDialogService::openFileName(const FileRequest &request)
{
    return fileDialog(request, false);
}

FileAnswer QtDialogService::fileDialog(const FileRequest &request, bool saving)
{
    if (m_beforeShowing)
        m_beforeShowing();
    // Over the window that asked (the analysis saves its table from its own window): a
    // dialog of the main window would bring that window over it.
    QFileDialog dialog(request.over ? request.over : owner(), request.caption, request.path);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (request.filter >= 0 && request.filter < request.filters.size())
        dialog.selectNameFilter(request.filters[request.filter]);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(),
        qMax(0, int(request.filters.indexOf(dialog.selectedNameFilter())))};
}

namespace {

// Shown after half a second, over the window that started the task, which takes no input
// meanwhile; each step lets the window draw itself and the button be pressed.
class DialogProgress final : public ProgressReport
{
public:
    DialogProgress(QWidget *parent, const QString &caption, const QString &label)
        : m_dialog(label, QStringLiteral("キャンセル"), 0, 1000, parent)
    {
        m_dialog.setWindowTitle(caption);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        m_dialog.setValue(0);
    }
    bool step(int permille) override
    {
        m_dialog.setValue(std::clamp(permille, 0, 1000));
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

std::unique_ptr<ProgressReport> QtDialogService::progress(
    const QString &caption, const QString &label)
{
    if (m_beforeShowing)
        m_beforeShowing();
    return std::make_unique<DialogProgress>(m_parent, caption, label);
}

namespace {

class SystemClock final : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
};

class SystemDiskSpace final : public DiskSpace
{
public:
    qint64 freeBytes(const QString &path) const override
    {
        return QStorageInfo(path).bytesAvailable();
    }
};

class SystemDesktop final : public Desktop
{
public:
    void open(const QUrl &url) override { QDesktopServices::openUrl(url); }
};

class SystemRandom final : public Random
{
public:
    quint32 bounded(quint32 bound) override { return QRandomGenerator::global()->bounded(bound); }
};

} // namespace

Services Services::system()
{
    static QtDialogService dialogs;
    static SystemClock clock;
    static SystemDiskSpace disk;
    static SystemDesktop desktop;
    static SystemRandom random;
    return {&dialogs, &clock, &disk, &desktop, &random};
}
