// What the user of a Japanese desktop sees: a screen of 1920 × 1080 pixels at 150 % (1280 ×
// 720 points) whose windows have frames, the interface in the Japanese face, Qt's own texts
// in Japanese, and names up to the full length of their fields.
#include "app/qttranslation.h"
#include "support/builders.h"
#include "support/screentest.h"
#include "support/windowtest.h"
#include "ui/charts/chartform.h"
#include "ui/charts/seisekiform.h"
#include "ui/main/stringgrid.h"
#include "ui/stats/shukeiform.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>

namespace {

const QString kLong = QStringLiteral("ザ・カントリークラブ・ジャパン"); // 30 bytes
const QString kWeather = QStringLiteral("晴れのち雨、強風注意"); // 20 bytes

// Empty when the window and its frame lie inside the screen's free area.
QString outside(const QWidget *window)
{
    const QRect f = window->frameGeometry();
    return window->screen()->availableGeometry().contains(f)
        ? QString()
        : window->objectName() + QDebug::toString(f);
}

// The tooltip the user gets resting the mouse at `pos` of the widget.
QString tipAt(QWidget *widget, QPoint pos)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
        return QStringLiteral("a tooltip that stays");
    QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void open(WindowFixture &f)
{
    TScoreRecord card = build::card(QDate(2026, 6, 1), kLong);
    card.Weather = kWeather;
    f.writeGolfers({QStringLiteral("山田")});
    f.writeLinks({build::club(kLong)});
    f.writeScores(QStringLiteral("山田"), {card});
    f.open();
    f.clickNode(
        {QStringLiteral("スコアカード"), QStringLiteral("2026年"), QStringLiteral("2026/06/01")});
}

} // namespace

class TestJapaneseDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyWindowOpensInsideTheScreen()
    {
        WindowFixture f;
        open(f);
        QVERIFY2(outside(f.form.get()).isEmpty(), qPrintable(outside(f.form.get())));
        auto *calendar = f.find<QCalendarWidget>(QStringLiteral("YoteiCalendar"));
        QCOMPARE(calendar->size().expandedTo(calendar->minimumSizeHint()), calendar->size());
        f.clickTab(1);
        QVERIFY(
            !f.find<TStringGrid>(QStringLiteral("LinksGrid"))->horizontalScrollBar()->isVisible());

        // The card's charts want 820 × 720 and a title bar: as tall as the screen allows.
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2026年"),
            QStringLiteral("2026/06/01")});
        f.trigger(QStringLiteral("GraphDisp"));
        auto *card = f.find<TSeisekiForm>(QStringLiteral("SeisekiForm"));
        QVERIFY(QTest::qWaitForWindowExposed(card));
        QVERIFY2(outside(card).isEmpty(), qPrintable(outside(card)));
        QCOMPARE(card->frameGeometry().height(), card->screen()->availableGeometry().height());
        QCOMPARE(card->width(), 820);
        QCOMPARE(card->minimumSize(), card->maximumSize());
        card->close();

        // The tally dialog and the results' charts, seen while they are up.
        QStringList seen;
        f.find<TShukeiForm>(QStringLiteral("ShukeiForm"))->setRunner([&seen](TModalDialog &d) {
            seen << outside(&d);
            d.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        f.find<TChartForm>(QStringLiteral("ChartForm"))->setRunner([&seen](TModalDialog &d) {
            seen << outside(&d);
        });
        f.clickTab(4);
        f.trigger(QStringLiteral("GraphDisp"));
        QCOMPARE(seen, (QStringList {QString(), QString()}));
    }

    void qtSpeaksJapanese()
    {
        QVERIFY2(installQtTranslation(*qApp), "qtbase_ja is not installed");
        QCOMPARE(
            QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
        QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("印刷"));
        // What Qt's translation leaves in English comes from the program's own texts, in the
        // print dialog's contexts only.
        QCOMPARE(QCoreApplication::translate("QPrintSettingsOutput", "Pages"),
            QStringLiteral("ページ指定"));
        QCOMPARE(QCoreApplication::translate("QPrintSettingsOutput", "Long side binding"),
            QStringLiteral("長辺とじ"));
        QCOMPARE(QCoreApplication::translate("QPrintWidget", "&Properties"),
            QStringLiteral("プロパティ(&P)"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Pages"), QStringLiteral("Pages"));
    }

    void namesThatDoNotFitShowWhole()
    {
        WindowFixture f;
        open(f);
        // A stored card's long weather shows from its start, and whole in the tooltip.
        QLineEdit *weather = f.combo(QStringLiteral("WeatherCombo"))->lineEdit();
        QVERIFY(weather->fontMetrics().horizontalAdvance(kWeather) > weather->width());
        QCOMPARE(weather->cursorPositionAt(QPoint(4, weather->height() / 2)), 0);
        QCOMPARE(tipAt(weather, weather->rect().center()), kWeather);
        // Tree items tell their whole name; grid cells when they cut it.
        f.clickTab(1);
        QTreeWidgetItem *club = f.node({QStringLiteral("ゴルフ場"), kLong});
        QCOMPARE(tipAt(f.tree()->viewport(), f.tree()->visualItemRect(club).center()), kLong);
        auto *grid = f.find<TStringGrid>(QStringLiteral("LinksGrid"));
        const QRect cells[2] = {grid->visualRect(grid->model()->index(0, 0)),
            grid->visualRect(grid->model()->index(0, 2))};
        QCOMPARE(tipAt(grid->viewport(), cells[0].center()), kLong);
        QCOMPARE(tipAt(grid->viewport(), cells[1].center()), QString());
    }
};

int main(int argc, char *argv[])
{
    return runOnScreens<TestJapaneseDesktop>(argc, argv,
        R"([{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 144}])");
}

#include "tst_japanesedesktop.moc"
