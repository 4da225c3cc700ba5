// Every window of the program inside the screen's free area with its frame, on the screens
// golfers use: 1366 × 768, 1920 × 1080 at 150 % less a panel of 48 pixels (1280 × 688
// points), and 1366 × 768 at 150 % (911 × 512 points), where the content scrolls instead.
// The interface is in the Japanese face at 150 %, as large as it gets.
#include "support/builders.h"
#include "support/screentest.h"
#include "support/windowtest.h"
#include "ui/common/windowfit.h"
#include "ui/main/importsummarydialog.h"
#include "ui/main/restoredialog.h"
#include "ui/stats/analysiswindow.h"
#include "ui/stats/handicapwindow.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

namespace {

const QString kA = QStringLiteral("ザ・カントリークラブ・ジャパン");
const QString kGolfer = QStringLiteral("鈴木一郎");

// Empty when the window and its frame lie inside the area.
QString outside(const QWidget *window, const QRect &area)
{
    const QRect frame = window->frameGeometry();
    return area.contains(frame) ? QString()
                                : window->objectName() + QStringLiteral(" ")
            + QDebug::toString(frame) + QStringLiteral(" in ") + QDebug::toString(area);
}

} // namespace

class TestWindowFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { windowfit::setAreaOf({}); }

    void everyWindowInsideTheArea_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addRow("1366 x 768") << QRect(0, 0, 1366, 768);
        QTest::addRow("1920 x 1080 at 150 %%, panel below") << QRect(0, 0, 1280, 688);
        QTest::addRow("1366 x 768 at 150 %%") << QRect(0, 0, 911, 512);
    }
    void everyWindowInsideTheArea()
    {
        QFETCH(QRect, area);
        windowfit::setAreaOf([area](const QScreen *) { return area; });

        QList<TScoreRecord> cards;
        for (int k = 0; k < 30; ++k) {
            TScoreRecord card = build::card(QDate(2021, 4, 3).addDays(k * 40), kA, 5 + k % 2);
            card.Tee = {QStringLiteral("レギュラー"), QStringLiteral("バックティー")};
            cards.append(card);
        }
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, "OUT"), build::course(kA, "IN")});
        f.writeScores(kGolfer, cards);
        f.open();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QVERIFY2(outside(f.form.get(), area).isEmpty(), qPrintable(outside(f.form.get(), area)));

        f.trigger(QStringLiteral("AnalysisAction"));
        auto *analysis = f.form->findChild<AnalysisWindow *>(QStringLiteral("AnalysisWindow"));
        QVERIFY(QTest::qWaitForWindowExposed(analysis));
        QVERIFY2(outside(analysis, area).isEmpty(), qPrintable(outside(analysis, area)));
        analysis->close();

        QStringList seen;
        auto look = [&seen, area](TModalDialog &d) {
            if (!QTest::qWaitForWindowExposed(&d))
                seen << d.objectName() + QStringLiteral(" not shown");
            seen << outside(&d, area);
            // Nothing is cut: the window is at least as large as its content asks, or
            // scrolls it.
            if (d.width() < d.minimumSizeHint().width()
                || d.height() < d.minimumSizeHint().height())
                seen << d.objectName() + QStringLiteral(" below its least size");
        };
        f.find<THandicapForm>(QStringLiteral("HandicapForm"))->setRunner(look);
        f.trigger(QStringLiteral("HandicapMenu"));

        ImportSummaryDialog import(f.form.get());
        import.setRunner(look);
        cardcolumns::ImportPlan plan;
        plan.readable = true;
        for (int k = 0; k < 30; ++k)
            plan.problems.append({k + 2, 5, QStringLiteral("天気"),
                QStringLiteral("全角で20バイトまでの天気が入る欄に、長すぎる文が入っています。"
                               "短くしてから読み込み直してください")});
        plan.problemCount = int(plan.problems.size());
        plan.errorRows = 30;
        import.ask(QStringLiteral("/home/golfer/ドキュメント/スコアカード.csv"), plan, nullptr);

        RestoreDialog restore(f.form.get());
        restore.setRunner(look);
        QList<backup::Entry> entries;
        for (int k = 0; k < 10; ++k) {
            backup::Entry e;
            e.name = QDate(2026, 12, 7).addDays(-k).toString(Qt::ISODate);
            e.created = QDateTime(QDate(2026, 12, 7).addDays(-k), QTime(21, 30));
            e.golfers = {{kGolfer, 1234}, {QStringLiteral("佐藤花子"), 56}};
            entries.append(e);
        }
        restore.choose(entries);

        QStringList problems;
        for (const QString &s : seen)
            if (!s.isEmpty())
                problems.append(s);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QChar('\n'))));
    }
};

int main(int argc, char *argv[])
{
    return runOnScreens<TestWindowFit>(argc, argv,
        R"([{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 144}])");
}

#include "tst_windowfit.moc"
