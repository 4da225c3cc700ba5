#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

class QLabel;

// The start-up picture, shown while the main window is built; later the About window.
class TSplashForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSplashForm(QWidget *parent = nullptr);

    // Borderless and centred, painted at once.
    void showSplash();
    // The About window: caption, dialog border, shown modally.
    void showAbout(QWidget *over);

    // The About mode flag lives with the main window; the picture click reads and clears it.
    std::function<bool()> aboutMode;
    std::function<void(bool)> setAboutMode;

    void Image1Click();

    // The picture for a screen of the given pixels per point: 400 × 266 points.
    static QPixmap splashPicture(qreal devicePixelRatio);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *Image1 = nullptr;
};
