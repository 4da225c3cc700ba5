#include "services.h"

void DialogService::warning(const QString &text)
{
    showMessage({QStringLiteral("警告"), text, {okButton()}, MessageRequest::Icon::Warning});
}

void DialogService::error(const QString &text)
{
    showMessage({QStringLiteral("エラー"), text, {okButton()}, MessageRequest::Icon::Error});
}

void DialogService::information(const QString &text)
{
    showMessage({QStringLiteral("情報"), text, {okButton()}, MessageRequest::Icon::Information});
}

bool DialogService::confirm(const QString &text)
{
    return showMessage({QStringLiteral("確認"), text, {yesButton(), noButton()},
               MessageRequest::Icon::Question})
        == 0;
}

void DialogService::plain(const QString &caption, const QString &text)
{
    showMessage({caption, text, {okButton()}, MessageRequest::Icon::None});
}

void DialogService::ioError(const QString &text)
{
    showMessage({QStringLiteral("Kestro"), text, {okButton()}, MessageRequest::Icon::Error});
}

bool DialogService::printDialog(QPrinter &)
{
    return false;
}

bool DialogService::printPreview(QPrinter &, const std::function<void(QPrinter &)> &)
{
    return false;
}

FileAnswer DialogService::saveFileName(const FileRequest &)
{
    return {};
}

FileAnswer DialogService::openFileName(const FileRequest &)
{
    return {};
}

namespace {

class SilentProgress final : public ProgressReport
{
public:
    bool step(int) override { return true; }
};

} // namespace

std::unique_ptr<ProgressReport> DialogService::progress(const QString &, const QString &)
{
    return std::make_unique<SilentProgress>();
}
