// The chart action: the charts of the card shown and of the last tally.
#include "ui/charts/chartform.h"
#include "ui/charts/pielegend.h"
#include "ui/charts/seisekiform.h"
#include "ui/stats/shukeiform.h"
#include "support/builders.h"
#include "support/windowtest.h"

#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");

template <class S> S *series(QWidget *window, const char *chart, const char *name)
{
    auto *view = window->findChild<QChartView *>(QString::fromLatin1(chart));
    if (!view)
        return nullptr;
    for (QAbstractSeries *s : view->chart()->series())
        if (s->objectName() == QString::fromLatin1(name))
            return qobject_cast<S *>(s);
    return nullptr;
}

QList<QPointF> points(QLineSeries *s)
{
    return s ? s->points() : QList<QPointF> {};
}

QStringList sliceLabels(QPieSeries *s)
{
    QStringList labels;
    for (QPieSlice *slice : s->slices())
        labels.append(slice->label());
    return labels;
}

// Bar k holds its value under its own label only.
QList<double> barValues(QStackedBarSeries *s)
{
    QList<double> values;
    for (int k = 0; k < s->count(); ++k)
        values.append(s->barSets()[k]->at(k));
    return values;
}

QStringList barLabels(QStackedBarSeries *s)
{
    QStringList labels;
    for (QBarSet *set : s->barSets())
        labels.append(set->label());
    return labels;
}

} // namespace

class TestResultCharts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chartsOfTheCardShown()
    {
        // Putts entered on the first half only; a bogey on the par-3 first hole, a birdie on
        // the par-5 tenth, a triple bogey on the eighteenth.
        TScoreRecord r = build::card(QDate(2024, 6, 1), kA, 4);
        r.Par[0] = 3;
        r.Par[9] = 5;
        r.Score[17] = 7;
        for (int h = 9; h < 18; ++h)
            r.Putt[h].clear();
        applyHoleResults(r);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer, {r, build::card(QDate(2024, 7, 1), kA, 5)});
        f.open();
        QVERIFY(!f.enabled(QStringLiteral("ChartAction1")));
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2024年"),
            QStringLiteral("2024/06/01")});
        QVERIFY(f.enabled(QStringLiteral("ChartAction1")));
        f.trigger(QStringLiteral("GraphDisp"));

        auto *w = f.find<TSeisekiForm>(QStringLiteral("SeisekiForm"));
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフの表示  [ 2024/06/01  ") + kA + " ]");
        QList<QPointF> over;
        for (int k = 0; k <= 18; ++k)
            over.append({qreal(k), k == 1 ? 1.0 : k == 10 ? -1.0 : k == 18 ? 3.0 : 0.0});
        QCOMPARE(points(series<QLineSeries>(w, "Chart1", "Series1")), over);
        QList<QPointF> putts;
        for (int k = 0; k <= 9; ++k)
            putts.append({qreal(k), k == 0 ? 0.0 : 2.0});
        auto *puttLine = series<QLineSeries>(w, "Chart1", "Series2");
        QCOMPARE(points(puttLine), putts);
        QCOMPARE(puttLine->name(), QStringLiteral("パット"));
        QCOMPARE(puttLine->pen().color(), QColor(Qt::blue));
        QCOMPARE(series<QLineSeries>(w, "Chart1", "Series1")->pen().width(), 3);
        auto *pie = series<QPieSeries>(w, "Chart2", "Series3");
        QCOMPARE(sliceLabels(pie),
            (QStringList {"ｲｰｸﾞﾙ 0 %", "ﾊﾞｰﾃﾞｨ 5.6 %", "ﾊﾟｰ 83.3 %", "ﾎﾞｷﾞｰ 5.6 %",
                "ﾀﾞﾌﾞﾙﾎﾞｷﾞｰ 0 %", "ﾄﾘﾌﾟﾙﾎﾞｷﾞｰ 5.6 %", "その他 0 %"}));
        QCOMPARE(pie->slices()[3]->color(), QColor(0xFF, 0x00, 0xFF));
        auto *bars = series<QStackedBarSeries>(w, "Chart3", "Series4");
        QCOMPARE(barLabels(bars), (QStringList {"ﾊﾟｰ3", "ﾊﾟｰ4", "ﾊﾟｰ5"}));
        QCOMPARE(barValues(bars), (QList<double> {1.0, 0.2, -1.0}));

        // Another card while the window is open: new charts, the caption stays.
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2024年"),
            QStringLiteral("2024/07/01")});
        f.trigger(QStringLiteral("ChartAction1"));
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフの表示  [ 2024/06/01  ") + kA + " ]");
        QCOMPARE(points(series<QLineSeries>(w, "Chart1", "Series1")).value(5), QPointF(5, 1));
        QCOMPARE(points(series<QLineSeries>(w, "Chart1", "Series2")).size(), 19);
        // Closed and asked for again: the caption follows the card.
        w->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!w->isVisible());
        f.trigger(QStringLiteral("ChartAction1"));
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフの表示  [ 2024/07/01  ") + kA + " ]");
    }

    void chartsOfTheLastTally()
    {
        QList<TScoreRecord> cards = {build::scoredCard(QDate(2023, 4, 1), kA, 45, 45),
            build::scoredCard(QDate(2023, 5, 1), kA, 42, 43),
            build::scoredCard(QDate(2023, 6, 1), kA, 40, 41)};
        cards[0].ParOnCount = 0;
        cards[1].PuttSum = 33;
        cards[1].ParOnCount = 6;
        cards[2].Par[0] = 3;
        cards[2].Par[1] = 5;
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeScores(kGolfer, cards);
        f.open();
        auto *tally = f.find<TShukeiForm>(QStringLiteral("ShukeiForm"));
        int kind = 0;
        tally->setRunner([&kind](TModalDialog &d) {
            d.findChild<QRadioButton *>(QStringLiteral("ShukeiGroupItem%1").arg(kind))->click();
            d.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        auto *w = f.find<TChartForm>(QStringLiteral("ChartForm"));
        QStringList seen;
        w->setRunner([&seen](TModalDialog &d) {
            seen << d.windowTitle() << d.findChild<QLabel *>(QStringLiteral("Label1"))->text();
            for (const char *name : {"Chart1", "Chart2", "Chart3"})
                seen << QString::number(
                    d.findChild<QChartView *>(QString::fromLatin1(name))->isVisible());
        });

        // The detailed statistics: the result classes and the per-par averages.
        f.clickTab(4);
        const QString conditions = QStringLiteral("検索年数： 全て   検索ゴルフ場： 全て");
        QVERIFY(f.enabled(QStringLiteral("ChartAction1")));
        f.trigger(QStringLiteral("GraphDisp"));
        QCOMPARE(seen, (QStringList {"グラフの表示", conditions, "1", "0", "1"}));
        auto *pie = series<QPieSeries>(w, "Chart1", "Series1");
        std::array<qint32, 7> counts {};
        for (const TScoreRecord &c : cards)
            for (int k = 0; k < 7; ++k)
                counts[k] += c.HoleResultCounts[k];
        QCOMPARE(pie->count(), 7);
        for (int k = 0; k < 7; ++k)
            QCOMPARE(pie->slices()[k]->value(), double(counts[k]));
        QVERIFY(pie->slices()[2]->label().startsWith(QStringLiteral("パー ")));
        auto *bars = series<QStackedBarSeries>(w, "Chart3", "Series5");
        QCOMPARE(barLabels(bars), (QStringList {"パー３", "パー４", "パー５"}));
        // Par 3: 4 strokes; par 4: 250 strokes on 52 holes (4.81); par 5: 4 strokes.
        QCOMPARE(barValues(bars), (QList<double> {1.0, 0.8, -1.0}));

        // A date list: three lines, row 1 twice.
        seen.clear();
        kind = 1;
        f.trigger(QStringLiteral("ShukeiAction"));
        QVERIFY(f.enabled(QStringLiteral("ChartAction1")));
        f.trigger(QStringLiteral("ChartAction1"));
        QCOMPARE(seen, (QStringList {"グラフの表示", conditions, "0", "1", "0"}));
        auto *score = series<QLineSeries>(w, "Chart2", "Series2");
        auto *putts = series<QLineSeries>(w, "Chart2", "Series3");
        auto *rate = series<QLineSeries>(w, "Chart2", "Series4");
        QCOMPARE(points(score), (QList<QPointF> {{0, 90}, {1, 90}, {2, 85}, {3, 81}}));
        QCOMPARE(points(putts), (QList<QPointF> {{0, 36}, {1, 36}, {2, 33}, {3, 36}}));
        QCOMPARE(points(rate).value(0), QPointF(0, 0));
        QCOMPARE(points(rate).value(2), QPointF(2, 33.3));
        QCOMPARE((QStringList {score->name(), putts->name(), rate->name()}),
            (QStringList {"スコア", "パット", "パーオン率(%)"}));
        QCOMPARE((QList<QColor> {score->pen().color(), putts->pen().color(), rate->pen().color()}),
            (QList<QColor> {Qt::red, QColor(0, 0x80, 0), Qt::blue}));
        // Every line of the legend lies within the scale it is drawn against.
        for (QLineSeries *line : {score, putts, rate}) {
            auto *scale = qobject_cast<QValueAxis *>(line->attachedAxes().value(1));
            for (const QPointF &p : line->points())
                QVERIFY(scale && p.y() >= scale->min() && p.y() <= scale->max());
        }

        // The ascending list takes the chart away.
        kind = 2;
        f.trigger(QStringLiteral("ShukeiAction"));
        QVERIFY(!f.enabled(QStringLiteral("ChartAction1")));
        f.clickTab(0);
        QVERIFY(!f.enabled(QStringLiteral("ChartAction1")));
    }

    void thinSlicesAndTheLegendRead()
    {
        // 36 holes of par but for one eagle and one hole of nine strokes, 2.8 % each.
        QList<TScoreRecord> cards
            = {build::card(QDate(2023, 4, 1), kA, 4), build::card(QDate(2023, 5, 1), kA, 4)};
        cards[0].Score[0] = 2;
        cards[1].Score[0] = 9;
        for (TScoreRecord &c : cards)
            applyHoleResults(c);
        WindowFixture f;
        f.writeGolfers({kGolfer});
        f.writeScores(kGolfer, cards);
        f.open();
        f.find<TShukeiForm>(QStringLiteral("ShukeiForm"))->setRunner([](TModalDialog &d) {
            d.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        auto *w = f.find<TChartForm>(QStringLiteral("ChartForm"));
        QList<QRect> places;
        w->setRunner([&places](TModalDialog &d) {
            places = d.findChild<PieLegend *>(QStringLiteral("Chart1Legend"))->entryRects();
        });
        f.clickTab(4);
        f.trigger(QStringLiteral("ChartAction1"));

        // Only the slices wide enough carry a mark; the legend gives the others' share.
        QStringList marked;
        for (QPieSlice *slice : series<QPieSeries>(w, "Chart1", "Series1")->slices())
            if (slice->isLabelVisible())
                marked.append(slice->label());
        QCOMPARE(marked, QStringList {QStringLiteral("パー 94.4 %")});
        QCOMPARE(w->findChild<PieLegend *>(QStringLiteral("Chart1Legend"))->entries()[0].text,
            QStringLiteral("イーグル 1 (2.8 %)"));
        // The seven classes in their order, left to right and top to bottom, apart.
        QCOMPARE(places.size(), 7);
        for (qsizetype k = 1; k < places.size(); ++k)
            QVERIFY2(places[k].top() > places[k - 1].bottom()
                    || (places[k].top() == places[k - 1].top()
                        && places[k].left() > places[k - 1].right()),
                qPrintable(QString::number(k)));
    }
};

QTEST_MAIN(TestResultCharts)
#include "tst_resultcharts.moc"
