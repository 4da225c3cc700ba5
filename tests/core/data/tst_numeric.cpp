#include "core/data/datetime.h"
#include "core/data/numeric.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

namespace {

// Puts the locale back even when a comparison returns early.
class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

class TestNumeric : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void parseInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");

        QTest::addRow("digit") << QStringLiteral("5") << true << 5;
        QTest::addRow("zero") << QStringLiteral("0") << true << 0;
        QTest::addRow("leading zeros") << QStringLiteral("007") << true << 7;
        QTest::addRow("leading blank") << QStringLiteral(" 5") << true << 5;
        QTest::addRow("blanks then minus") << QStringLiteral("  -1") << true << -1;
        QTest::addRow("plus") << QStringLiteral("+4") << true << 4;
        QTest::addRow("minus zero") << QStringLiteral("-0") << true << 0;
        QTest::addRow("dollar hex") << QStringLiteral("$A") << true << 10;
        QTest::addRow("x hex, small letters") << QStringLiteral("xff") << true << 255;
        QTest::addRow("X hex") << QStringLiteral("X10") << true << 16;
        QTest::addRow("0x hex") << QStringLiteral("0x1F") << true << 31;
        QTest::addRow("negative hex") << QStringLiteral("-$10") << true << -16;
        QTest::addRow("hex is a bit pattern") << QStringLiteral("$FFFFFFFF") << true << -1;
        QTest::addRow("largest hex positive") << QStringLiteral("$7FFFFFFF") << true << 2147483647;
        QTest::addRow("largest") << QStringLiteral("2147483647") << true << 2147483647;
        QTest::addRow("smallest") << QStringLiteral("-2147483648") << true
                                  << std::numeric_limits<int>::min();

        QTest::addRow("one above largest") << QStringLiteral("2147483648") << false << 0;
        QTest::addRow("one below smallest") << QStringLiteral("-2147483649") << false << 0;
        QTest::addRow("far too long") << QStringLiteral("99999999999999999999999") << false << 0;
        QTest::addRow("hex wider than 32 bits") << QStringLiteral("$100000000") << false << 0;
        QTest::addRow("empty") << QString() << false << 0;
        QTest::addRow("blanks only") << QStringLiteral("   ") << false << 0;
        QTest::addRow("trailing blank") << QStringLiteral("5 ") << false << 0;
        QTest::addRow("trailing letter") << QStringLiteral("5a") << false << 0;
        QTest::addRow("decimal point") << QStringLiteral("4.5") << false << 0;
        QTest::addRow("blank inside") << QStringLiteral("1 2") << false << 0;
        QTest::addRow("blank after sign") << QStringLiteral("+ 5") << false << 0;
        QTest::addRow("two signs") << QStringLiteral("--5") << false << 0;
        QTest::addRow("plus alone") << QStringLiteral("+") << false << 0;
        QTest::addRow("minus alone") << QStringLiteral("-") << false << 0;
        QTest::addRow("dollar alone") << QStringLiteral("$") << false << 0;
        QTest::addRow("0x alone") << QStringLiteral("0x") << false << 0;
        QTest::addRow("sign after dollar") << QStringLiteral("$-1") << false << 0;
        QTest::addRow("hex letters without prefix") << QStringLiteral("FF") << false << 0;
        QTest::addRow("not a hex digit") << QStringLiteral("0x1G") << false << 0;
        QTest::addRow("full-width digits") << QStringLiteral("１２") << false << 0;
        QTest::addRow("leading tab") << QStringLiteral("\t5") << false << 0;
        QTest::addRow("trailing line feed") << QStringLiteral("5\n") << false << 0;
    }

    void parseInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);

        const std::optional<qint32> parsed = numeric::parseInt(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
        QCOMPARE(numeric::isNumeric(text), ok);
    }

    // What spreadsheets write back for a whole number.
    void withoutZeroFraction_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");
        QTest::addRow("one zero") << QStringLiteral("72.0") << QStringLiteral("72");
        QTest::addRow("two zeros") << QStringLiteral("4.00") << QStringLiteral("4");
        QTest::addRow("negative") << QStringLiteral("-3.0") << QStringLiteral("-3");
        QTest::addRow("plus, blank before") << QStringLiteral(" +5.0") << QStringLiteral(" +5");
        QTest::addRow("zero") << QStringLiteral("0.0") << QStringLiteral("0");
        QTest::addRow("a fraction stays") << QStringLiteral("4.5") << QStringLiteral("4.5");
        QTest::addRow("zeros then a digit") << QStringLiteral("4.01") << QStringLiteral("4.01");
        QTest::addRow("point alone") << QStringLiteral("4.") << QStringLiteral("4.");
        QTest::addRow("no whole part") << QStringLiteral(".0") << QStringLiteral(".0");
        QTest::addRow("sign alone") << QStringLiteral("-.0") << QStringLiteral("-.0");
        QTest::addRow("hexadecimal") << QStringLiteral("$A.0") << QStringLiteral("$A.0");
        QTest::addRow("blank after") << QStringLiteral("4.0 ") << QStringLiteral("4.0 ");
        QTest::addRow("whole") << QStringLiteral("72") << QStringLiteral("72");
    }

    void withoutZeroFraction()
    {
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QCOMPARE(numeric::withoutZeroFraction(text), plain);
    }

    void parseFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");

        QTest::addRow("whole") << QStringLiteral("12") << true << 12.0;
        QTest::addRow("blanks around") << QStringLiteral(" 12.5 ") << true << 12.5;
        QTest::addRow("negative") << QStringLiteral("-2") << true << -2.0;
        QTest::addRow("exponent") << QStringLiteral("1e2") << true << 100.0;
        QTest::addRow("no digit before the point") << QStringLiteral(".5") << true << 0.5;

        QTest::addRow("letters") << QStringLiteral("abc") << false << 0.0;
        QTest::addRow("empty") << QString() << false << 0.0;
        QTest::addRow("blanks only") << QStringLiteral("  ") << false << 0.0;
        QTest::addRow("two points") << QStringLiteral("1.2.3") << false << 0.0;
        QTest::addRow("trailing letter") << QStringLiteral("12a") << false << 0.0;
        QTest::addRow("comma in a point locale") << QStringLiteral("12,5") << false << 0.0;
        QTest::addRow("point alone") << QStringLiteral(".") << false << 0.0;
        QTest::addRow("exponent without digits") << QStringLiteral("1e") << false << 0.0;
        QTest::addRow("exponent alone") << QStringLiteral("e5") << false << 0.0;
        QTest::addRow("infinity") << QStringLiteral("inf") << false << 0.0;
        QTest::addRow("not a number") << QStringLiteral("nan") << false << 0.0;
        QTest::addRow("too large") << QStringLiteral("1e400") << false << 0.0;
    }

    void parseFloat()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);

        const std::optional<double> parsed = numeric::parseFloat(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }

    void formatOneDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");

        QTest::addRow("whole") << 12.0 << QStringLiteral("12");
        QTest::addRow("half") << 12.5 << QStringLiteral("12.5");
        QTest::addRow("rounds down") << 12.04 << QStringLiteral("12");
        QTest::addRow("half rounds up as it reads") << 12.05 << QStringLiteral("12.1");
        QTest::addRow("negative half rounds away from zero") << -12.05 << QStringLiteral("-12.1");
        QTest::addRow("net score with half") << 77.5 << QStringLiteral("77.5");
        QTest::addRow("net score") << 78.0 << QStringLiteral("78");
        QTest::addRow("negative whole") << -2.0 << QStringLiteral("-2");
        QTest::addRow("ninety-two") << 92.0 << QStringLiteral("92");
        QTest::addRow("zero") << 0.0 << QStringLiteral("0");
        QTest::addRow("small negative is no minus zero") << -0.04 << QStringLiteral("0");
        QTest::addRow("rounds up to whole") << 0.96 << QStringLiteral("1");
        // 1.0499999999999998 in binary, which reads as 1.05.
        QTest::addRow("computed half rounds up as it reads") << 4.0 - 2.95 << QStringLiteral("1.1");
        QTest::addRow("single handicap") << double(12.3f) << QStringLiteral("12.3");
    }

    void formatOneDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numeric::formatOneDecimal(value), text);
    }

    void decimalCommaLocale()
    {
        const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(numeric::formatOneDecimal(12.5), QStringLiteral("12,5"));
        QCOMPARE(numeric::formatOneDecimal(12.0), QStringLiteral("12"));
        const std::optional<double> parsed = numeric::parseFloat(QStringLiteral("12,5"));
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, 12.5);
        QVERIFY(!numeric::parseFloat(QStringLiteral("12.5")).has_value());
    }

    void blankNumber_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");

        QTest::addRow("yards") << qint64(350) << QStringLiteral(" 350");
        QTest::addRow("negative") << qint64(-1) << QStringLiteral(" -1");
        QTest::addRow("zero") << qint64(0) << QStringLiteral(" 0");
    }

    void blankNumber()
    {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(numeric::blankNumber(value), text);
    }

    void dayNumbers_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("days");

        QTest::addRow("day zero") << QDate(1899, 12, 30) << 0.0;
        QTest::addRow("day before day zero") << QDate(1899, 12, 29) << -1.0;
        QTest::addRow("1900-01-01") << QDate(1900, 1, 1) << 2.0;
        QTest::addRow("1900 is no leap year") << QDate(1900, 3, 1) << 61.0;
        QTest::addRow("leap day 2000") << QDate(2000, 2, 29) << 36585.0;
        QTest::addRow("2001-05-03") << QDate(2001, 5, 3) << 37014.0;
        QTest::addRow("2024-12-31") << QDate(2024, 12, 31) << 45657.0;
    }

    void dayNumbers()
    {
        QFETCH(QDate, date);
        QFETCH(double, days);
        QCOMPARE(datetime::fromDate(date), days);
        QCOMPARE(datetime::toDate(days), date);
    }

    void dateAndTimeTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("time");

        const double halfPastEight = datetime::fromTime(QTime(8, 30));
        QTest::addRow("day zero") << 0.0 << QStringLiteral("1899/12/30") << QStringLiteral("1899年")
                                  << QStringLiteral("00:00");
        QTest::addRow("date alone") << 37014.0 << QStringLiteral("2001/05/03")
                                    << QStringLiteral("2001年") << QStringLiteral("00:00");
        QTest::addRow("date and time") << 37014.0 + halfPastEight << QStringLiteral("2001/05/03")
                                       << QStringLiteral("2001年") << QStringLiteral("08:30");
        QTest::addRow("late in the day keeps its date")
            << 37014.999 << QStringLiteral("2001/05/03") << QStringLiteral("2001年")
            << QStringLiteral("23:58");
        QTest::addRow("before day zero, time counts forward")
            << -1.25 << QStringLiteral("1899/12/29") << QStringLiteral("1899年")
            << QStringLiteral("06:00");
        QTest::addRow("time alone") << halfPastEight << QStringLiteral("1899/12/30")
                                    << QStringLiteral("1899年") << QStringLiteral("08:30");
    }

    void dateAndTimeTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, date);
        QFETCH(QString, year);
        QFETCH(QString, time);

        QCOMPARE(datetime::dateText(value), date);
        QCOMPARE(datetime::yearText(value), year);
        QCOMPARE(datetime::timeText(value), time);
    }

    void nonsenseStoredDatesGiveNoDate_data()
    {
        QTest::addColumn<double>("value");
        QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::addRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::addRow("huge") << 1e300;
        QTest::addRow("huge negative") << -1e300;
    }

    void nonsenseStoredDatesGiveNoDate()
    {
        // What a damaged file may hold; the program must show nothing rather than crash.
        QFETCH(double, value);
        QVERIFY(!datetime::toDate(value).isValid());
        QCOMPARE(datetime::dateText(value), QString());
        QVERIFY(datetime::toTime(value).isValid());
    }

    void timeOfDay()
    {
        QCOMPARE(datetime::fromTime(QTime(0, 0)), 0.0);
        QCOMPARE(datetime::fromTime(QTime(12, 0)), 0.5);
        QCOMPARE(datetime::fromTime(QTime(8, 30)), 8.5 / 24.0);
        QCOMPARE(datetime::toTime(8.5 / 24.0), QTime(8, 30));
        QCOMPARE(datetime::timeText(datetime::fromTime(QTime(8, 30))), QStringLiteral("08:30"));
        QCOMPARE(datetime::timeText(datetime::fromTime(QTime(23, 59))), QStringLiteral("23:59"));
    }

    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");

        QTest::addRow("short month and day") << QStringLiteral("2001/5/3") << QDate(2001, 5, 3);
        QTest::addRow("two-digit month and day")
            << QStringLiteral("2001/05/03") << QDate(2001, 5, 3);
        QTest::addRow("blanks around") << QStringLiteral(" 2001/05/03 ") << QDate(2001, 5, 3);
        QTest::addRow("leap day") << QStringLiteral("2000/2/29") << QDate(2000, 2, 29);

        QTest::addRow("no such day") << QStringLiteral("2001/02/30") << QDate();
        QTest::addRow("no leap day in 1900") << QStringLiteral("1900/02/29") << QDate();
        QTest::addRow("month 13") << QStringLiteral("2001/13/01") << QDate();
        QTest::addRow("month 0") << QStringLiteral("2001/00/10") << QDate();
        QTest::addRow("day 0") << QStringLiteral("2001/05/00") << QDate();
        QTest::addRow("letters") << QStringLiteral("abc") << QDate();
        QTest::addRow("empty") << QString() << QDate();
        QTest::addRow("two parts") << QStringLiteral("2001/05") << QDate();
        QTest::addRow("four parts") << QStringLiteral("2001/05/03/01") << QDate();
        QTest::addRow("dashes") << QStringLiteral("2001-05-03") << QDate();
        QTest::addRow("five-digit year") << QStringLiteral("20011/05/03") << QDate();
        QTest::addRow("sign in a field") << QStringLiteral("2001/+5/03") << QDate();
    }

    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);

        const std::optional<QDate> parsed = datetime::parseDate(text);
        QCOMPARE(parsed.has_value(), date.isValid());
        if (parsed)
            QCOMPARE(*parsed, date);
    }

    void parseTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("time");

        QTest::addRow("one-digit hour") << QStringLiteral("8:30") << QTime(8, 30);
        QTest::addRow("two-digit hour") << QStringLiteral("08:30") << QTime(8, 30);
        QTest::addRow("last minute") << QStringLiteral("23:59") << QTime(23, 59);
        QTest::addRow("midnight") << QStringLiteral("0:00") << QTime(0, 0);
        QTest::addRow("with seconds") << QStringLiteral("7:05:10") << QTime(7, 5, 10);
        QTest::addRow("blanks around") << QStringLiteral(" 8:30 ") << QTime(8, 30);

        QTest::addRow("out of range") << QStringLiteral("25:99") << QTime();
        QTest::addRow("hour 24") << QStringLiteral("24:00") << QTime();
        QTest::addRow("minute 60") << QStringLiteral("8:60") << QTime();
        QTest::addRow("second 60") << QStringLiteral("8:30:60") << QTime();
        QTest::addRow("letters") << QStringLiteral("abc") << QTime();
        QTest::addRow("empty") << QString() << QTime();
        QTest::addRow("hour alone") << QStringLiteral("8") << QTime();
        QTest::addRow("minute missing") << QStringLiteral("8:") << QTime();
        QTest::addRow("four parts") << QStringLiteral("8:30:00:00") << QTime();
        QTest::addRow("negative hour") << QStringLiteral("-1:30") << QTime();
        QTest::addRow("point instead of colon") << QStringLiteral("8.30") << QTime();
        QTest::addRow("three-digit minute") << QStringLiteral("8:030") << QTime();
    }

    void parseTime()
    {
        QFETCH(QString, text);
        QFETCH(QTime, time);

        const std::optional<double> parsed = datetime::parseTime(text);
        QCOMPARE(parsed.has_value(), time.isValid());
        if (parsed) {
            QCOMPARE(*parsed, datetime::fromTime(time));
            QCOMPARE(datetime::toTime(*parsed), time);
        }
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
