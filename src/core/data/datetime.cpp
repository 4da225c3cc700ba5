#include "datetime.h"

#include <QStringList>

#include <cmath>

namespace datetime {

namespace {
const QDate kEpoch(1899, 12, 30);

std::optional<int> parseField(const QString &text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}
} // namespace

TDateTime fromDate(const QDate &date)
{
    return double(kEpoch.daysTo(date));
}

QDate toDate(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return {};
    return kEpoch.addDays(qint64(std::trunc(value)));
}

TDateTime fromTime(const QTime &time)
{
    return time.msecsSinceStartOfDay() / 86400000.0;
}

QTime toTime(TDateTime value)
{
    if (!std::isfinite(value))
        return QTime(0, 0);
    double fraction = std::fabs(value - std::trunc(value));
    const int ms = int(std::llround(fraction * 86400000.0)) % 86400000;
    return QTime::fromMSecsSinceStartOfDay(ms);
}

QString dateText(const QDate &date)
{
    // Written by hand: this runs for every card of a golfer when his data is loaded.
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return date.toString(QStringLiteral("yyyy/MM/dd"));
    int y = date.year();
    const int m = date.month();
    const int d = date.day();
    QChar text[10];
    for (int i = 3; i >= 0; --i) {
        text[i] = QChar(u'0' + y % 10);
        y /= 10;
    }
    text[4] = QChar(u'/');
    text[5] = QChar(u'0' + m / 10);
    text[6] = QChar(u'0' + m % 10);
    text[7] = QChar(u'/');
    text[8] = QChar(u'0' + d / 10);
    text[9] = QChar(u'0' + d % 10);
    return QString(text, 10);
}

QString dateText(TDateTime value)
{
    return dateText(toDate(value));
}

QString timeText(TDateTime value)
{
    return toTime(value).toString(QStringLiteral("HH:mm"));
}

QString yearText(TDateTime value)
{
    return dateText(value).left(4) + QStringLiteral("年");
}

std::optional<QDate> parseDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(QChar('/'));
    if (parts.size() != 3)
        return std::nullopt;
    const auto y = parseField(parts[0], 4);
    const auto m = parseField(parts[1], 2);
    const auto d = parseField(parts[2], 2);
    if (!y || !m || !d)
        return std::nullopt;
    const QDate date(*y, *m, *d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<double> parseTime(const QString &text)
{
    const QStringList parts = text.trimmed().split(QChar(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto h = parseField(parts[0].trimmed(), 2);
    const auto m = parseField(parts[1].trimmed(), 2);
    const auto s = parts.size() == 3 ? parseField(parts[2].trimmed(), 2) : std::optional<int>(0);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59)
        return std::nullopt;
    return fromTime(QTime(*h, *m, *s));
}

} // namespace datetime
