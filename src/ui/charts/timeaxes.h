#pragma once

#include "core/stats/trend.h"

class QCategoryAxis;
class QChartView;
class QValueAxis;
class QWidget;

// The axes of the charts over time, set from the core's scales, and the text a chart shows
// instead of its axes when it has nothing to draw.
namespace timeaxes {

// Days along the axis, labelled where the scale puts its lines.
QCategoryAxis *dateAxis(const QString &title = QString());
void applyDates(QCategoryAxis *axis, const charts::DateAxis &scale);
// Grid lines on the scale's round numbers, labelled with as many decimals as its step has.
void applyRound(QValueAxis *axis, const charts::RoundScale &scale);

// The view in a panel that shows either the chart or, when `text` is not empty, that text
// alone where the chart would stand ("データがありません").
QWidget *panel(QChartView *view, QWidget *parent);
void showText(QChartView *view, const QString &text);
// The text shown instead of the chart, empty while the chart is shown.
QString shownText(const QChartView *view);

inline const QString kNoData = QStringLiteral("データがありません");

} // namespace timeaxes
