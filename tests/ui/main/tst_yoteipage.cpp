// The schedule page through the window: the calendar, registering in date order, the
// checks, changing and deleting entries.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/main/stringgrid.h"

#include <QCalendarWidget>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kB = QStringLiteral("Bカントリー");
const QString kGolfer = QStringLiteral("山田");
const QString kYotei = QStringLiteral("予定");
} // namespace

class TestYoteiPage : public QObject
{
    Q_OBJECT

    TStringGrid *grid(WindowFixture &f) { return f.find<TStringGrid>(QStringLiteral("YoteiGrid")); }

    void clickCalendar(WindowFixture &f, const QDate &date)
    {
        auto *calendar = f.find<QCalendarWidget>(QStringLiteral("YoteiCalendar"));
        calendar->setSelectedDate(date);
        Q_EMIT calendar->clicked(date);
    }

    void fill(WindowFixture &f, const QDate &date, const QString &time, const QString &club,
        const QString &bikou = QString())
    {
        f.trigger(QStringLiteral("DataAppendAction"));
        if (date.isValid())
            clickCalendar(f, date);
        if (!time.isEmpty())
            f.type(QStringLiteral("YTimeEdit"), time);
        if (!club.isEmpty())
            f.choose(QStringLiteral("YLinksCombo"), club);
        if (!bikou.isEmpty())
            f.type(QStringLiteral("YBikouEdit"), bikou);
    }

    void openWith(WindowFixture &f, const QList<TYoteiRecord> &entries)
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA), build::club(kB)});
        if (!entries.isEmpty())
            f.writeYotei(kGolfer, entries);
        f.open();
    }

private Q_SLOTS:
    void registerInDateOrder()
    {
        WindowFixture f;
        openWith(f, {build::yotei(QDate(2027, 1, 10), kA), build::yotei(QDate(2027, 2, 10), kB)});
        fill(f, QDate(2027, 1, 1), QStringLiteral("7:45"), kB, QStringLiteral("コンペ"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QString());

        const auto stored = f.readYotei(kGolfer);
        QCOMPARE(stored.size(), 3);
        QCOMPARE(datetime::dateText(stored[0].RoundDate), QStringLiteral("2027/01/01"));
        QCOMPARE(datetime::timeText(stored[0].StartTime), QStringLiteral("07:45"));
        QCOMPARE(stored[0].LinksName, kB);
        QCOMPARE(stored[0].Bikou, QStringLiteral("コンペ"));
        QCOMPARE(datetime::dateText(stored[1].RoundDate), QStringLiteral("2027/01/10"));
        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2027/01/01"), QStringLiteral("2027/01/10"),
                QStringLiteral("2027/02/10")}));
        QCOMPARE(grid(f)->RowCount(), 5);
        QCOMPARE(grid(f)->Row(1),
            (QStringList {QStringLiteral("2027/01/01"), QStringLiteral("07:45"), kB,
                QStringLiteral("コンペ")}));
        QCOMPARE(grid(f)->Cell(0, 2), QStringLiteral("2027/01/10"));
        QCOMPARE(grid(f)->Cell(0, 3), QStringLiteral("2027/02/10"));
        QCOMPARE(grid(f)->Row(4), (QStringList {QString(), QString(), QString(), QString()}));
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 3 回"));

        // Appended at the end when it is the latest.
        fill(f, QDate(2027, 3, 1), QStringLiteral("9:00"), kA);
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(grid(f)->Cell(0, 4), QStringLiteral("2027/03/01"));
        QCOMPARE(grid(f)->RowCount(), 6);
        QCOMPARE(f.readYotei(kGolfer).size(), 4);
    }

    void registerChecksInOrder()
    {
        WindowFixture f;
        openWith(f, {build::yotei(QDate(2027, 1, 10), kA)});
        fill(f, QDate(), QStringLiteral("8:00"), kA);
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("日付が入力されていません"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));

        f.trigger(QStringLiteral("DataCancelAction"));
        fill(f, QDate(2027, 1, 11), QString(), QString());
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("時間が入力されていません"));

        f.type(QStringLiteral("YTimeEdit"), QStringLiteral("8:00"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("ゴルフ場が選択されていません"));
        QVERIFY(f.enabled(QStringLiteral("DataRegistAction")));

        f.trigger(QStringLiteral("DataCancelAction"));
        fill(f, QDate(2027, 1, 10), QStringLiteral("8:00"), kB);
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("エラー"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("既に、その日は予定が入っています"));
        QCOMPARE(f.readYotei(kGolfer).size(), 1);
        QVERIFY(f.enabled(QStringLiteral("DataRegistAction")));
    }

    void diskSpace_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<bool>("stored");
        QTest::addRow("99 bytes") << qint64(99) << false;
        QTest::addRow("100 bytes") << qint64(100) << true;
    }

    void diskSpace()
    {
        QFETCH(qint64, free);
        QFETCH(bool, stored);
        WindowFixture f;
        openWith(f, {});
        f.seams.disk.bytes = free;
        fill(f, QDate(2027, 1, 1), QStringLiteral("8:00"), kA);
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.readYotei(kGolfer).size(), stored ? 1 : 0);
        if (!stored) {
            QCOMPARE(f.seams.dialogs.last().text,
                QStringLiteral("ディスクの空き容量がありません\n空き容量は 99バイトです"));
            QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QString());
        }
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataRegistAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataCancelAction")));
    }

    void timeBoxCheck()
    {
        WindowFixture f;
        openWith(f, {});
        fill(f, QDate(2027, 1, 1), QStringLiteral("25:99"), QString());
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("入力された時間は正しくありません"));
        QCOMPARE(f.edit(QStringLiteral("YTimeEdit"))->text(), QString());
        QVERIFY(f.edit(QStringLiteral("YTimeEdit"))->hasFocus());

        f.seams.dialogs.clear();
        f.type(QStringLiteral("YTimeEdit"), QStringLiteral("8:05"));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.edit(QStringLiteral("YTimeEdit"))->text(), QStringLiteral("8:05"));
    }

    void calendarAndGuards()
    {
        WindowFixture f;
        openWith(f, {build::yotei(QDate(2027, 1, 10), kA)});
        auto *calendar = f.find<QCalendarWidget>(QStringLiteral("YoteiCalendar"));
        QCOMPARE(calendar->minimumDate(), f.seams.clock.date);

        clickCalendar(f, QDate(2027, 5, 5));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("追加をクリックしてください"));
        QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QString());

        f.choose(QStringLiteral("YLinksCombo"), kA);
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("情報"));
        QCOMPARE(f.combo(QStringLiteral("YLinksCombo"))->currentIndex(), -1);

        f.seams.dialogs.clear();
        QTest::mouseClick(f.label(QStringLiteral("YDateText")), Qt::LeftButton);
        QCOMPARE(f.seams.dialogs.texts(),
            QStringList {QStringLiteral("カレンダーをクリックして日付を設定してください")});

        // With an entry shown the calendar changes nothing.
        f.clickNode({kYotei, QStringLiteral("2027/01/10")});
        f.seams.dialogs.clear();
        clickCalendar(f, QDate(2027, 6, 6));
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
        QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QStringLiteral("2027/01/10"));
    }

    void showChangeAndBadTime()
    {
        WindowFixture f;
        openWith(
            f, {build::yotei(QDate(2027, 1, 10), kA, QTime(8, 30), QStringLiteral("雨天決行"))});
        f.clickNode({kYotei, QStringLiteral("2027/01/10")});
        QCOMPARE(f.label(QStringLiteral("YDateText"))->text(), QStringLiteral("2027/01/10"));
        QCOMPARE(f.edit(QStringLiteral("YTimeEdit"))->text(), QStringLiteral("08:30"));
        QCOMPARE(f.combo(QStringLiteral("YLinksCombo"))->currentText(), kA);
        QCOMPARE(f.edit(QStringLiteral("YBikouEdit"))->text(), QStringLiteral("雨天決行"));
        QCOMPARE(grid(f)->SelectedRow(), 1);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数 1 回"));

        // A time that does not read is refused before anything is written.
        f.edit(QStringLiteral("YTimeEdit"))->setText(QStringLiteral("9時"));
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().caption, QStringLiteral("警告"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("入力された時間は正しくありません"));
        QCOMPARE(datetime::timeText(f.readYotei(kGolfer)[0].StartTime), QStringLiteral("08:30"));

        f.edit(QStringLiteral("YTimeEdit"))->setText(QStringLiteral("9:15"));
        f.choose(QStringLiteral("YLinksCombo"), kB);
        f.edit(QStringLiteral("YBikouEdit"))->setText(QStringLiteral("晴天"));
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("この予定のデータを変更しますか？"));
        const auto stored = f.readYotei(kGolfer);
        QCOMPARE(datetime::timeText(stored[0].StartTime), QStringLiteral("09:15"));
        QCOMPARE(stored[0].LinksName, kB);
        QCOMPARE(stored[0].Bikou, QStringLiteral("晴天"));
        QCOMPARE(grid(f)->Row(1),
            (QStringList {
                QStringLiteral("2027/01/10"), QStringLiteral("9:15"), kB, QStringLiteral("晴天")}));
        QVERIFY(f.enabled(QStringLiteral("DataChangeAction")));
    }

    void entryOfDeletedClubKeepsItsName()
    {
        WindowFixture f;
        openWith(f, {build::yotei(QDate(2027, 1, 10), QStringLiteral("閉場したコース"))});
        f.clickNode({kYotei, QStringLiteral("2027/01/10")});
        QCOMPARE(f.combo(QStringLiteral("YLinksCombo"))->currentIndex(), -1);
        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataChangeAction"));
        QCOMPARE(f.readYotei(kGolfer)[0].LinksName, QStringLiteral("閉場したコース"));
    }

    void deleteMiddleEntry()
    {
        WindowFixture f;
        openWith(f,
            {build::yotei(QDate(2027, 1, 1), kA), build::yotei(QDate(2027, 1, 2), kB),
                build::yotei(QDate(2027, 1, 3), kA)});
        QCOMPARE(grid(f)->RowCount(), 5);
        f.clickNode({kYotei, QStringLiteral("2027/01/02")});
        f.seams.dialogs.answerConfirm(false);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.readYotei(kGolfer).size(), 3);

        f.seams.dialogs.answerConfirm(true);
        f.trigger(QStringLiteral("DataDeleteAction"));
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("この予定のデータを削除しますか？"));
        QCOMPARE(grid(f)->RowCount(), 4);
        QCOMPARE(grid(f)->Cell(0, 1), QStringLiteral("2027/01/01"));
        QCOMPARE(grid(f)->Cell(0, 2), QStringLiteral("2027/01/03"));
        QCOMPARE(grid(f)->Cell(0, 3), QString());
        QCOMPARE(f.childTexts({kYotei}),
            (QStringList {QStringLiteral("2027/01/01"), QStringLiteral("2027/01/03")}));
        QCOMPARE(f.readYotei(kGolfer).size(), 2);
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 2 回"));
        QVERIFY(f.enabled(QStringLiteral("DataAppendAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataDeleteAction")));
        QVERIFY(!f.enabled(QStringLiteral("DataChangeAction")));
    }

    void pastEntriesLeaveTheFileAtNextWrite()
    {
        WindowFixture f;
        const QDate today = f.seams.clock.date;
        openWith(f,
            {build::yotei(today.addDays(-1), kA), build::yotei(today, kA),
                build::yotei(today.addDays(1), kB)});
        QCOMPARE(f.readYotei(kGolfer).size(), 3); // loading writes nothing
        QCOMPARE(grid(f)->RowCount(), 4);
        fill(f, today.addDays(5), QStringLiteral("8:00"), kA);
        f.trigger(QStringLiteral("DataRegistAction"));
        const auto stored = f.readYotei(kGolfer);
        QCOMPARE(stored.size(), 3);
        QCOMPARE(datetime::toDate(stored[0].RoundDate), today);
    }

    void lastColumnKeepsItsMinimum()
    {
        WindowFixture f;
        openWith(f, {});
        TStringGrid *g = grid(f);
        g->setFixedWidth(500);
        QCoreApplication::processEvents();
        QCOMPARE(g->ColWidth(3), 260);
        g->setFixedWidth(900);
        QCoreApplication::processEvents();
        QCOMPARE(g->ColWidth(3), g->viewport()->width() - 300);
    }
};

QTEST_MAIN(TestYoteiPage)
#include "tst_yoteipage.moc"
