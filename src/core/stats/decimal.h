#pragma once

#include <QString>

// Numbers of the tallies with a fixed count of decimals. Rounding is half away from zero on
// the decimal number the value stands for (its 15 significant digits), not on the binary
// value: 6.25 gives "6.3" and 1.15 gives "1.2", where printf gives 6.2 and 1.1.
namespace decimal {

// "0.0"-style: always `decimals` places.
QString fixed(double value, int decimals = 1);
// "0.#"-style: one decimal, dropped when it is 0 ("4.5", "5").
QString upToOne(double value);
// The value of fixed(value, 1) read back.
double round1(double value);

} // namespace decimal
