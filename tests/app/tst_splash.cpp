// The splash window and its second life as the About window: a click on the picture closes
// it only in the About role.
#include "app/splashform.h"
#include "support/windowtest.h"

#include <QLabel>
#include <QTimer>

namespace {

QLabel *picture(TSplashForm &splash)
{
    return splash.findChild<QLabel *>(QStringLiteral("Image1"));
}

// Runs `step` once the modal About window is up, from inside its own event loop.
void whenShown(TSplashForm &splash, std::function<void()> step)
{
    auto *timer = new QTimer(&splash);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &splash, [&splash, timer, step] {
        if (!splash.isVisible() || QApplication::activeModalWidget() != &splash)
            return;
        timer->stop();
        timer->deleteLater();
        step();
    });
    timer->start();
}

} // namespace

class TestSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureClickClosesOnlyInAboutMode()
    {
        bool aboutMode = false;
        TSplashForm splash;
        splash.aboutMode = [&] { return aboutMode; };
        splash.setAboutMode = [&](bool on) { aboutMode = on; };
        splash.showSplash();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.size(), QSize(400, 266));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);

        // At start-up the picture is no button.
        QTest::mouseClick(picture(splash), Qt::LeftButton);
        QVERIFY(splash.isVisible());
        QVERIFY(!aboutMode);

        aboutMode = true;
        QTest::mouseClick(picture(splash), Qt::LeftButton);
        QVERIFY(!splash.isVisible());
        QVERIFY(!aboutMode);
    }

    void aboutWindowFromTheMenu()
    {
        WindowFixture f;
        f.open();
        TSplashForm splash;
        splash.aboutMode = [&] { return f.form->aboutMode(); };
        splash.setAboutMode = [&](bool on) { f.form->setAboutMode(on); };
        QObject::connect(f.form.get(), &TMainForm::aboutRequested, &splash,
            [&] { splash.showAbout(f.form.get()); });

        // Closed another way, the window leaves the flag on.
        whenShown(splash, [&] { QTest::keyClick(&splash, Qt::Key_Escape); });
        f.trigger(QStringLiteral("About1"));
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.windowTitle(), QStringLiteral("バージョン情報"));
        QVERIFY(f.form->aboutMode());

        bool stillOpenAfterClick = true;
        whenShown(splash, [&] {
            QTest::mouseClick(picture(splash), Qt::LeftButton);
            stillOpenAfterClick = splash.isVisible();
        });
        f.trigger(QStringLiteral("About1"));
        QVERIFY(!stillOpenAfterClick);
        QVERIFY(!f.form->aboutMode());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
