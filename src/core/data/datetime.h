#pragma once

#include "records.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <cmath>
#include <optional>

// Dates and times as the program shows them: "yyyy/mm/dd" and "HH:NN".
namespace datetime {

TDateTime fromDate(const QDate &date);
QDate toDate(TDateTime value);
TDateTime fromTime(const QTime &time);
QTime toTime(TDateTime value);

QString dateText(TDateTime value); // yyyy/mm/dd
QString dateText(const QDate &date);
QString timeText(TDateTime value); // HH:NN
QString yearText(TDateTime value); // yyyy年

// Cards are told apart by their day; a fraction of a day in a stored date is never shown.
inline double dayOf(TDateTime value)
{
    return std::trunc(value);
}

// Reads a date in the short date form; year, month and day must make a real day.
std::optional<QDate> parseDate(const QString &text);
// Reads a time of day "H:N" or "H:N:S" (blanks around it allowed).
std::optional<double> parseTime(const QString &text);

} // namespace datetime
