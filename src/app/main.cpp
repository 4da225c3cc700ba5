#include "app/qttranslation.h"
#include "app/singleinstance.h"
#include "app/splashform.h"
#include "ui/common/qtservices.h"
#include "ui/main/mainform.h"

#include <QApplication>
#include <QStyle>

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
    TMainForm mainForm(options, services);
    dialogs->setParentWidget(&mainForm);
    dialogs->setBeforeShowing(nullptr);

    splash.aboutMode = [&mainForm] { return mainForm.aboutMode(); };
    splash.setAboutMode = [&mainForm](bool on) { mainForm.setAboutMode(on); };
    QObject::connect(
        &mainForm, &TMainForm::aboutRequested, &splash, [&] { splash.showAbout(&mainForm); });
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainForm, [&mainForm] {
        if (mainForm.isMinimized())
            mainForm.showNormal();
        mainForm.show();
        mainForm.raise();
        mainForm.activateWindow();
    });

    splash.hide();
    mainForm.show();
    return app.exec();
}
