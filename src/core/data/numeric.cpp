#include "numeric.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numeric {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

QChar decimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.front();
}

} // namespace

std::optional<qint32> parseInt(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QChar(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QChar('+') || text[i] == QChar('-'))) {
        negative = text[i] == QChar('-');
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == QChar('$') || text[i] == QChar('x') || text[i] == QChar('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QChar('0') && text[i + 1] == QChar('x')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;

    quint64 value = 0;
    const quint64 limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    for (; i < n; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0 || (!hex && digit > 9))
            return std::nullopt;
        value = value * (hex ? 16 : 10) + quint64(digit);
        if (value > limit)
            return std::nullopt;
    }
    // A hexadecimal number is a bit pattern: $FFFFFFFF is -1.
    const qint64 signedValue = hex ? qint64(qint32(quint32(value))) : qint64(value);
    return qint32(negative ? -signedValue : signedValue);
}

bool isNumeric(const QString &text)
{
    return parseInt(text).has_value();
}

std::optional<qint32> parseIntOrEmpty(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    return parseInt(text);
}

QString withoutZeroFraction(const QString &text)
{
    const qsizetype point = text.indexOf(QChar('.'));
    if (point < 0 || point + 1 == text.size())
        return text;
    for (qsizetype i = point + 1; i < text.size(); ++i)
        if (text[i] != QChar('0'))
            return text;
    qsizetype i = 0;
    while (i < point && text[i] == QChar(' '))
        ++i;
    if (i < point && (text[i] == QChar('+') || text[i] == QChar('-')))
        ++i;
    if (i == point)
        return text;
    for (; i < point; ++i)
        if (text[i].unicode() < '0' || text[i].unicode() > '9')
            return text;
    return text.left(point);
}

std::optional<double> parseFloat(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QChar point = decimalPoint();
    qsizetype i = 0;
    const qsizetype n = t.size();
    // The number in the form the standard conversion reads, which needs no locale.
    std::string normal;
    normal.reserve(size_t(n));
    if (t[i] == QChar('+') || t[i] == QChar('-'))
        normal.push_back(char(t[i++].unicode()));
    int digits = 0;
    while (i < n && t[i].unicode() >= '0' && t[i].unicode() <= '9') {
        normal.push_back(char(t[i++].unicode()));
        ++digits;
    }
    if (i < n && t[i] == point) {
        normal.push_back('.');
        ++i;
        while (i < n && t[i].unicode() >= '0' && t[i].unicode() <= '9') {
            normal.push_back(char(t[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t[i] == QChar('e') || t[i] == QChar('E'))) {
        normal.push_back('e');
        ++i;
        if (i < n && (t[i] == QChar('+') || t[i] == QChar('-')))
            normal.push_back(char(t[i++].unicode()));
        int expDigits = 0;
        while (i < n && t[i].unicode() >= '0' && t[i].unicode() <= '9') {
            normal.push_back(char(t[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    const char *begin = normal.data();
    const char *end = begin + normal.size();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto read = std::from_chars(begin, end, value);
    if (read.ec != std::errc() || read.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool fitsSingle(double value)
{
    return std::isfinite(value) && std::fabs(value) <= double(std::numeric_limits<float>::max());
}

std::optional<double> parseSingle(const QString &text)
{
    const auto value = parseFloat(text);
    if (!value || !fitsSingle(*value))
        return std::nullopt;
    return value;
}

PuttForm puttForm(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QChar(' '))
        ++i;
    if (i == text.size())
        return PuttForm::Empty;
    const qsizetype digits = text.size() - i;
    for (; i < text.size(); ++i)
        if (text[i].unicode() < '0' || text[i].unicode() > '9')
            return PuttForm::NotANumber;
    return digits <= 2 ? PuttForm::Putts : PuttForm::TooLong;
}

QString formatOneDecimal(double value)
{
    // Round the binary value to the 15 digits it is good for before rounding to one
    // decimal, so that 12.05 rounds up as it reads.
    char digits[32];
    const auto written
        = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    double shortest = value;
    std::from_chars(digits, written.ptr, shortest);
    double rounded = std::round(shortest * 10.0) / 10.0;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    QString text = QString::number(rounded, 'f', 1);
    if (text.endsWith(QChar('0')))
        text.chop(2);
    else
        text.replace(QChar('.'), decimalPoint());
    return text;
}

QString blankNumber(qint64 value)
{
    return QChar(' ') + QString::number(value);
}

QString blankDecimal(double value)
{
    return QChar(' ') + formatOneDecimal(value);
}

} // namespace numeric
