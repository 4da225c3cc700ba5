// What the pages answer the window: the way Tab takes through the boxes of each page opened
// for a new record, and a record chosen in the tree as the one the print command prints.
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/scorecard/scorecardframe.h"

#include <QApplication>
#include <QRegularExpression>

namespace {

const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QString kLinks = QStringLiteral("ゴルフ場");
const QString kCards = QStringLiteral("スコアカード");

// The box with the focus by its name; a box of a card's half by its half and its name. The
// inner parts of a box (the text of a combo or date box) stand for the box.
QString focusName()
{
    QWidget *box = QApplication::focusWidget();
    while (
        box && (box->objectName().isEmpty() || box->objectName().startsWith(QLatin1String("qt_"))))
        box = box->parentWidget();
    if (!box)
        return QString();
    for (QWidget *w = box->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<TScoreCardFrame *>(w))
            return w->objectName() + QChar('/') + box->objectName();
    return box->objectName();
}

QStringList numbered(const QString &pattern, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << pattern.arg(i);
    return names;
}

} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordTabOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("boxes");

        QTest::addRow("schedule") << 0
                                  << QStringList {QStringLiteral("YTimeEdit"),
                                         QStringLiteral("YLinksCombo"),
                                         QStringLiteral("YBikouEdit")};
        QTest::addRow("golf club")
            << 1
            << QStringList {QStringLiteral("LinksNameEdit"), QStringLiteral("LinksAddressEdit"),
                   QStringLiteral("LinksTelEdit"), QStringLiteral("URLEdit"),
                   QStringLiteral("URLButton")};
        QTest::addRow("course") << 2
                                << QStringList {QStringLiteral("CLinksCombo"),
                                       QStringLiteral("CourseEdit"), QStringLiteral("GreenCombo"),
                                       QStringLiteral("TeeCombo")}
                + numbered(QStringLiteral("Yard%1Edit"), 9)
                + numbered(QStringLiteral("Par%1Edit"), 9);

        // Date, club, weather, each half's course, strokes and putts, the handicap, the
        // partners and the memo.
        QStringList score = {QStringLiteral("ScoreDatePicker"), QStringLiteral("SLinksCombo"),
            QStringLiteral("WeatherCombo")};
        for (const QString &half :
            {QStringLiteral("ScoreCardFrame1/"), QStringLiteral("ScoreCardFrame2/")})
            score << half + QStringLiteral("CourseCombo1")
                  << numbered(half + QStringLiteral("S%1Edit"), 9)
                  << numbered(half + QStringLiteral("Pt%1Edit"), 9);
        score << QStringLiteral("SHandicapEdit");
        for (int k = 1; k <= 3; ++k)
            score << QStringLiteral("Partner%1Edit").arg(k)
                  << QStringLiteral("Partner%1ScoreEdit").arg(k);
        score << QStringLiteral("Memo1");
        QTest::addRow("score card") << 3 << score;
    }

    void newRecordTabOrder()
    {
        QFETCH(int, page);
        QFETCH(QStringList, boxes);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.open();
        f.clickTab(page);
        f.trigger(QStringLiteral("DataAppendAction"));

        f.find<QWidget>(boxes.first())->setFocus(Qt::TabFocusReason);
        QStringList met = {focusName()};
        // A card's strokes must be in before their box is left. Tab steps through the parts
        // of a date before it leaves the date box.
        const QRegularExpression strokes(QStringLiteral("/S\\d+Edit$"));
        for (int keys = 0; met.size() < boxes.size() && keys < 4 * boxes.size(); ++keys) {
            if (strokes.match(met.last()).hasMatch() && QApplication::focusWidget())
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (focusName() != met.last())
                met << focusName();
        }
        QCOMPARE(met, boxes);
        QCOMPARE(f.seams.dialogs.shown.size(), 0);
    }

    // A course or card chosen in the tree is what the print command prints; a click on any
    // other node leaves it shown on its page, but no longer chosen for the printout.
    void printsWhatTheTreeChose_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("record");
        QTest::addColumn<QStringList>("other");
        QTest::addRow("course, then the top node")
            << 2 << QStringList {kLinks, kA, QStringLiteral("OUT")} << QStringList {kLinks};
        QTest::addRow("card, then its year")
            << 3 << QStringList {kCards, QStringLiteral("2026年"), QStringLiteral("2026/05/03")}
            << QStringList {kCards, QStringLiteral("2026年")};
        QTest::addRow("card, then the top node")
            << 3 << QStringList {kCards, QStringLiteral("2026年"), QStringLiteral("2026/05/03")}
            << QStringList {kCards};
    }

    void printsWhatTheTreeChose()
    {
        QFETCH(int, page);
        QFETCH(QStringList, record);
        QFETCH(QStringList, other);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses({build::course(kA, QStringLiteral("OUT"))});
        f.writeScores(kGolfer, {build::card(QDate(2026, 5, 3), kA)});
        f.open();

        f.clickNode(record);
        QCOMPARE(f.currentPage(), page);
        f.seams.dialogs.clear();
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.printDialogs, 1); // cancelled, as nobody answers it
        QCOMPARE(f.seams.dialogs.shown.size(), 0);

        f.clickNode(other);
        QCOMPARE(f.currentPage(), page);
        f.trigger(QStringLiteral("PrintMenu"));
        QCOMPARE(f.seams.dialogs.printDialogs, 1);
        QCOMPARE(f.seams.dialogs.shown.size(), 1);
        QCOMPARE(f.seams.dialogs.last().text, QStringLiteral("印刷するデータがありません"));
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
