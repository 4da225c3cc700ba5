// The scales of the charts over time: value axes on round numbers with room beyond the
// points, date axes on the first days of months, of years or on Mondays.
#include "core/stats/trend.h"

#include <QTest>

class TestChartScales : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesOnRoundNumbers_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("maxLabels");
        QTest::addColumn<double>("leastStep");
        QTest::addColumn<QList<double>>("scale"); // min, max, step
        // Handicap indexes: halves at most, never 11.3 or 12.7.
        QTest::addRow("index 11.3 to 12.7")
            << 11.3 << 12.7 << 7 << 0.5 << QList<double> {11, 13, 0.5};
        QTest::addRow("index at a half") << 12.5 << 12.5 << 7 << 0.5 << QList<double> {12, 13, 0.5};
        QTest::addRow("index 8.0 to 19.0") << 8.0 << 19.0 << 8 << 0.5 << QList<double> {6, 20, 2};
        QTest::addRow("index 8.0 to 19.0, little room")
            << 8.0 << 19.0 << 7 << 0.5 << QList<double> {5, 20, 5};
        QTest::addRow("plus index") << -1.2 << 2.4 << 7 << 0.5 << QList<double> {-2, 3, 1};
        // A point on a grid line gets a step of room, so no marker sits on the frame.
        QTest::addRow("scores on tens") << 80.0 << 110.0 << 8 << 1.0 << QList<double> {70, 120, 10};
        QTest::addRow("scores") << 72.0 << 131.0 << 8 << 1.0 << QList<double> {70, 140, 10};
        QTest::addRow("one score") << 85.0 << 85.0 << 8 << 1.0 << QList<double> {84, 86, 1};
        QTest::addRow("one year") << 2023.0 << 2023.0 << 8 << 1.0 << QList<double> {2022, 2024, 1};
        QTest::addRow("nine years, little room")
            << 2016.0 << 2024.0 << 4 << 1.0 << QList<double> {2015, 2025, 5};
        QTest::addRow("no numbers") << qQNaN() << 3.0 << 8 << 1.0 << QList<double> {-1, 1, 1};
    }
    void valuesOnRoundNumbers()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxLabels);
        QFETCH(double, leastStep);
        QFETCH(QList<double>, scale);
        const charts::RoundScale s = charts::roundScale(low, high, maxLabels, leastStep);
        QCOMPARE((QList<double> {s.min, s.max, s.step}), scale);
        QVERIFY(s.labels() <= maxLabels);
    }

    void datesOnMonthsAndWeeks_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<int>("maxLabels");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QDate>("firstTick");
        QTest::addRow("a single round") << QDate(2024, 5, 8) << QDate(2024, 5, 8) << 8
                                        << QStringList {"5/6"} << QDate(2024, 5, 6);
        QTest::addRow("three weeks")
            << QDate(2024, 5, 1) << QDate(2024, 5, 20) << 8
            << QStringList {"4/29", "5/6", "5/13", "5/20"} << QDate(2024, 4, 29);
        QTest::addRow("half a year")
            << QDate(2024, 3, 10) << QDate(2024, 8, 20) << 8
            << QStringList {"2024/04", "2024/05", "2024/06", "2024/07", "2024/08"}
            << QDate(2024, 4, 1);
        QTest::addRow("two years by quarters") << QDate(2023, 2, 1) << QDate(2024, 12, 1) << 8
                                               << QStringList {"2023/04", "2023/07", "2023/10",
                                                      "2024/01", "2024/04", "2024/07", "2024/10"}
                                               << QDate(2023, 4, 1);
        QTest::addRow("six years")
            << QDate(2019, 6, 1) << QDate(2024, 11, 1) << 8
            << QStringList {"2020", "2021", "2022", "2023", "2024"} << QDate(2020, 1, 1);
        QTest::addRow("thirty years")
            << QDate(1995, 6, 1) << QDate(2024, 11, 1) << 8
            << QStringList {"1995", "2000", "2005", "2010", "2015", "2020", "2025"}
            << QDate(1995, 1, 1);
    }
    void datesOnMonthsAndWeeks()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(int, maxLabels);
        QFETCH(QStringList, labels);
        QFETCH(QDate, firstTick);
        const charts::DateAxis axis = charts::dateAxis(first, last, maxLabels);
        QStringList shown;
        for (const charts::DateTick &t : axis.ticks)
            shown.append(t.label);
        QCOMPARE(shown, labels);
        QCOMPARE(QDate::fromJulianDay(axis.ticks.value(0).day), firstTick);
        // The points stand inside the frame, every line inside the range.
        QVERIFY(axis.min < first.toJulianDay());
        QVERIFY(axis.max > last.toJulianDay());
        for (const charts::DateTick &t : axis.ticks)
            QVERIFY(t.day >= axis.min && t.day <= axis.max);
    }
};

QTEST_GUILESS_MAIN(TestChartScales)
#include "tst_chartscales.moc"
