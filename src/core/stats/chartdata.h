#pragma once

#include "shousai.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>

// What the result charts draw, computed without any chart: values, labels and colours.
namespace charts {

// Colours as 0xRRGGBB.
inline constexpr quint32 kRed = 0xFF0000;
inline constexpr quint32 kLime = 0x00FF00;
inline constexpr quint32 kBlue = 0x0000FF;
inline constexpr quint32 kFuchsia = 0xFF00FF;
inline constexpr quint32 kGreen = 0x008000;
inline constexpr quint32 kAqua = 0x00FFFF;
inline constexpr quint32 kYellow = 0xFFFF00;

struct ChartValue {
    QString label;
    double value = 0;
    quint32 colour = 0;
};

// Which window the labels are for: the one card's window writes them in half-width kana.
enum class Labels { Card, Results };

// The seven result classes, eagle to other.
QList<ChartValue> resultSlices(const std::array<qint32, 7> &counts, Labels labels);
// Average strokes over par on par 3, 4 and 5 holes; a par without holes draws as 0.
QList<ChartValue> parBars(const stats::ParAverages &pars, Labels labels);
// A slice's mark: its label and its share of the whole, "##0.# %".
QString sliceMark(const QString &label, double value, double total);
// Marks of thin slices would print over their neighbours': a slice below this share (in
// percent) goes without one, and the legend gives its share instead.
inline constexpr double kMarkedShare = 3.0;
bool sliceMarked(double value, double total);
// A legend entry: label and count, and the share where the pie shows none.
QString legendText(const ChartValue &slice, double total);

// The range of a value axis and the distance of its grid lines; the lines stand on the
// multiples of `step` within the range.
struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 1;
};
// The rounds of a trend: from 1 to the last round (2 at least), lines on whole rounds in
// steps of 1, 2, 5, 10, 20, 50 … so that at most 12 of them are labelled.
AxisScale roundAxis(qsizetype rounds);
// From `from` to above the highest value, in steps of 1, 2 or 5 times a power of ten, at
// most 8 of them.
AxisScale valueAxis(double from, double highest);
// The grid lines of a scale, in order.
QList<double> axisTicks(const AxisScale &scale);

// The charts of one card.
struct CardChart {
    QList<double> strokesOverPar; // position 0 is a leading 0; hole k at position k
    QList<double> putts; // the same, ending before the first hole without putts
    std::array<qint32, 7> resultCounts {};
    stats::ParAverages pars;
};
CardChart cardChart(const TScoreRecord &card);

// The trend of a date list, from the texts of its rows (columns 0 to 6 of each): row 1 is
// drawn twice, at position 0 (left of the axis) and at 1, so row k stands at position k.
struct TrendLines {
    QList<QPointF> score;
    QList<QPointF> putts;
    QList<QPointF> parOnRate;
};
TrendLines trendLines(const QList<QStringList> &rows);

} // namespace charts
