#include "splashform.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

QPixmap TSplashForm::splashPicture(qreal devicePixelRatio)
{
    // The picture is drawn twice as large as well; the label scales whichever is chosen to
    // the screen's pixels, and scaling down keeps it sharp where scaling up would blur it.
    QPixmap picture(
        devicePixelRatio > 1 ? QStringLiteral(":/splash@2x.jpg") : QStringLiteral(":/splash.jpg"));
    picture.setDevicePixelRatio(picture.width() / 400.0);
    return picture;
}

TSplashForm::TSplashForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SplashForm"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(splashPicture(devicePixelRatioF()));
    Image1->setFixedSize(400, 266);
    Image1->setScaledContents(true);
    Image1->installEventFilter(this);
    layout->addWidget(Image1);
    setFixedSize(400, 266);
}

void TSplashForm::showSplash()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
}

void TSplashForm::showAbout(QWidget *over)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowModality(Qt::ApplicationModal);
    if (over)
        move(over->geometry().center() - rect().center());
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    exec();
}

void TSplashForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    repaint();
}

bool TSplashForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease)
        Image1Click();
    return QDialog::eventFilter(watched, event);
}

void TSplashForm::Image1Click()
{
    // At start-up the flag is off, so clicking the picture does not close the splash.
    if (aboutMode && aboutMode()) {
        close();
        if (setAboutMode)
            setAboutMode(false);
    }
}
