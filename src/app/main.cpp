#include "app/qttranslation.h"
#include "app/singleinstance.h"
#include "app/splashform.h"
#include "ui/common/qtservices.h"
#include "ui/main/mainform.h"

#include <QApplication>
#include <QStyle>

#include <functional>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestro"));
    installQtTranslation(app);

    SingleInstance instance(SingleInstance::defaultKey());
    if (!instance.claim())
        return 0; // the running instance has been brought forward

    TSplashForm splash;
    splash.showSplash();
    QApplication::processEvents();

    Services services = Services::system();
    auto *dialogs = static_cast<QtDialogService *>(services.dialogs);
    // A read error found while the window is built must be seen, not hidden under the splash.
    dialogs->setBeforeShowing([&splash] { splash.hide(); });
    MainFormOptions options;
    options.dataDir = QCoreApplication::applicationDirPath();
    options.startupDelayMs = 1500;
    std::unique_ptr<TMainForm> mainForm;

    // A restore from a backup replaced the data files: the window is made anew on them, as
    // at a fresh start, where the old one stood.
    std::function<void()> openWindow = [&] {
        std::unique_ptr<TMainForm> old = std::move(mainForm);
        MainFormOptions opening = options;
        if (old) {
            opening.geometry = old->geometry();
            opening.golfer = old->golferName();
        }
        mainForm = std::make_unique<TMainForm>(opening, services);
        TMainForm *form = mainForm.get();
        dialogs->setParentWidget(form);
        QObject::connect(
            form, &TMainForm::aboutRequested, &splash, [&splash, form] { splash.showAbout(form); });
        QObject::connect(
            form, &TMainForm::restartRequested, form, [&openWindow] { openWindow(); },
            Qt::QueuedConnection);
        if (old) {
            form->show();
            old->hide();
            old.release()->deleteLater();
        }
    };
    openWindow();
    options.startupDelayMs = 0;
    dialogs->setBeforeShowing(nullptr);

    splash.aboutMode = [&mainForm] { return mainForm->aboutMode(); };
    splash.setAboutMode = [&mainForm](bool on) { mainForm->setAboutMode(on); };
    QObject::connect(&instance, &SingleInstance::activationRequested, &app, [&mainForm] {
        TMainForm *form = mainForm.get();
        if (form->isMinimized())
            form->showNormal();
        form->show();
        form->raise();
        form->activateWindow();
    });

    splash.hide();
    mainForm->show();
    return app.exec();
}
