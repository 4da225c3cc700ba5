// The competition window on the screens Japanese users have: a laptop's 1366 × 768 shows a
// competition of twelve players whole; the same screen at 150 % (911 × 512 points) scrolls
// the window's content rather than squeeze it, and keeps its buttons in view.
#include "competest.h"
#include "support/screentest.h"

#include "core/compe/compestore.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using namespace competest;

namespace {

// Twelve players: the four of the worked example and eight more guests.
compe::Competition twelve()
{
    compe::Competition c;
    c.date = kDay;
    c.name = kName;
    if (!compe::setCourses(c, kEast, kWest).isEmpty())
        qFatal("the courses were refused");
    c.players = {{QStringLiteral("山田"), kYamada, true}, {QStringLiteral("佐藤"), kSato, true},
        {QStringLiteral("鈴木"), kSuzuki, false}, {QStringLiteral("高橋"), kTakahashi, false}};
    for (int i = 1; i <= 8; ++i)
        c.players.append({QStringLiteral("ゲスト%1").arg(i), kSato, false});
    c.hiddenHoles = {1, 2, 3, 4, 5, 8, 10, 11, 12, 13, 14, 18};
    return c;
}

QString outside(const QWidget *window)
{
    const QRect f = window->frameGeometry();
    return window->screen()->availableGeometry().contains(f)
        ? QString()
        : window->objectName() + QDebug::toString(f);
}

} // namespace

class TestCompeScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitsTheScreen_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("whole");
        QTest::addRow("1366 x 768") << 0 << true;
        QTest::addRow("1366 x 768 at 150 %%") << 1 << false;
    }
    void fitsTheScreen()
    {
        QFETCH(int, screen);
        QFETCH(bool, whole);
        const QList<QScreen *> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        const QRect area = screens[screen]->availableGeometry();
        QCOMPARE(area.size(), whole ? QSize(1366, 768) : QSize(911, 512));

        WindowFixture f;
        compe::CompeStore store(f.dir.path());
        QVERIFY(store.save(twelve()).ok());
        prepare(f);
        f.open(QRect(area.topLeft() + QPoint(40, 40), QSize(800, 400)));
        f.trigger(QStringLiteral("CompeAction"));
        CompeWindow *w = window(f);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->screen(), screens[screen]);
        table(f, QStringLiteral("CompeList"))->selectRow(0);
        click(f, QStringLiteral("OpenButton"));
        QCOMPARE(table(f, QStringLiteral("PlayerGrid"))->rowCount(), 12);

        QVERIFY2(outside(w).isEmpty(), qPrintable(outside(w)));
        auto *scroll = get<QScrollArea>(f, QStringLiteral("CompeScroll"));
        auto *grid = table(f, QStringLiteral("PlayerGrid"));
        // The buttons stand below the scrolling content, inside the window.
        auto *close = get<QPushButton>(f, QStringLiteral("CloseButton"));
        QVERIFY(close->isVisible());
        QVERIFY(w->rect().contains(QRect(close->mapTo(w, QPoint(0, 0)), close->size())));
        if (whole) {
            QVERIFY(!scroll->horizontalScrollBar()->isVisible());
            QVERIFY(!scroll->verticalScrollBar()->isVisible());
            QVERIFY(!grid->verticalScrollBar()->isVisible()); // all twelve in view
        } else {
            // The content keeps its width and scrolls; the players' grid keeps five rows.
            QVERIFY(scroll->horizontalScrollBar()->isVisible());
            QVERIFY(grid->viewport()->height() >= 5 * grid->rowHeight(0));
        }
    }
};

int main(int argc, char *argv[])
{
    // Two screens of 1366 × 768 pixels, the second at 150 %; windows have frames.
    return runOnScreens<TestCompeScreen>(argc, argv, R"([
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "scaled", "x": 1366, "y": 0, "width": 1366, "height": 768, "logicalDpi": 144}])");
}

#include "tst_compescreen.moc"
