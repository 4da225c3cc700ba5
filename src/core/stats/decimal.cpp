#include "decimal.h"

#include <cmath>

namespace decimal {

QString fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // d.dddddddddddddde±x: the 15 significant digits the value is good for.
    const QString sci = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = sci.indexOf(QChar('e'));
    const QString digits = sci.left(1) + sci.mid(2, e - 2);
    const int exponent = sci.mid(e + 1).toInt();

    // Whole part and fraction as digit strings, the fraction long enough to round.
    QString whole;
    QString fraction;
    if (exponent >= 0) {
        const int wholeDigits = exponent + 1;
        whole = digits.left(wholeDigits);
        if (whole.size() < wholeDigits)
            whole += QString(wholeDigits - whole.size(), QChar('0'));
        fraction = digits.mid(wholeDigits);
    } else {
        whole = QStringLiteral("0");
        fraction = QString(-exponent - 1, QChar('0')) + digits;
    }
    if (fraction.size() < decimals + 1)
        fraction += QString(decimals + 1 - fraction.size(), QChar('0'));

    const bool up = fraction[decimals].unicode() >= '5';
    QString kept = whole + fraction.left(decimals);
    if (up) {
        qsizetype i = kept.size() - 1;
        while (i >= 0 && kept[i] == QChar('9'))
            kept[i--] = QChar('0');
        if (i < 0)
            kept.prepend(QChar('1'));
        else
            kept[i] = QChar(kept[i].unicode() + 1);
    }
    QString text = kept.left(kept.size() - decimals);
    if (decimals > 0)
        text += QChar('.') + kept.right(decimals);
    bool zero = true;
    for (QChar c : kept)
        zero = zero && c == QChar('0');
    if (value < 0 && !zero)
        text.prepend(QChar('-'));
    return text;
}

QString upToOne(double value)
{
    QString text = fixed(value, 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    if (text == QStringLiteral("-0"))
        text = QStringLiteral("0");
    return text;
}

double round1(double value)
{
    return fixed(value, 1).toDouble();
}

} // namespace decimal
