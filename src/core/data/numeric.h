#pragma once

#include <QString>

#include <optional>

// Number conversions of typed text, shared by every page that reads a number.
namespace numeric {

// Whole 32-bit number: leading blanks, an optional sign, then decimal digits or a
// hexadecimal number after "$", "x", "X" or "0x"; nothing may follow, not even a blank.
std::optional<qint32> parseInt(const QString &text);
bool isNumeric(const QString &text);
// The same for a cell or total a page shows, where an empty text (blanks only) stands for 0.
std::optional<qint32> parseIntOrEmpty(const QString &text);

// A whole number as spreadsheets write one back: "72.0", "-3.00". The text without that
// fraction of zeros; any other text as it is.
QString withoutZeroFraction(const QString &text);

// Decimal number with the locale's decimal separator; blanks around it are allowed.
std::optional<double> parseFloat(const QString &text);

// The same for a value stored as a single-precision number (the handicap and the net
// score): nothing that would be stored as an infinity.
std::optional<double> parseSingle(const QString &text);
bool fitsSingle(double value);

// A putt as typed: blanks, then one or two decimal digits. Three digits or more are a
// number the two-character field cannot hold; anything else is no number of putts.
enum class PuttForm { Empty, Putts, TooLong, NotANumber };
PuttForm puttForm(const QString &text);

// The handicap form: one decimal, rounded half away from zero, a trailing ".0" dropped.
QString formatOneDecimal(double value);

// One blank followed by the number: how numbers stand in boxes and static texts.
QString blankNumber(qint64 value);
// The handicap and the net score as boxes show them: one blank, then formatOneDecimal.
QString blankDecimal(double value);

} // namespace numeric
