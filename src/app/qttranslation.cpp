#include "qttranslation.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The texts of Qt's print dialogs that Qt's own Japanese translation leaves in English. Kept
// in code: a handful of texts does not call for a translation file and a tool to build it.
class PrintDialogTexts final : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (!context || !sourceText || qstrncmp(context, "QPrint", 6) != 0)
            return {};
        static const QHash<QByteArray, QString> texts = {
            {"&Properties", QStringLiteral("プロパティ(&P)")},
            {"Pages", QStringLiteral("ページ指定")},
            {"Double Sided Printing", QStringLiteral("両面印刷")},
            {"Off", QStringLiteral("しない")},
            {"Long side binding", QStringLiteral("長辺とじ")},
            {"Short side binding", QStringLiteral("短辺とじ")},
            {"Advanced", QStringLiteral("詳細設定")},
            {"There are conflicts in some options. Please fix them.",
                QStringLiteral("競合しているオプションがあります。設定を直してください。")},
        };
        return texts.value(QByteArray(sourceText));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool installQtTranslation(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    const bool loaded = translator->load(
        QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    // Installed last, it is asked first; it answers only the texts Qt's file lacks.
    QCoreApplication::installTranslator(new PrintDialogTexts(&app));
    return loaded;
}
