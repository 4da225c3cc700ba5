#pragma once

#include "chartparts.h"
#include "core/stats/chartdata.h"

#include <QDialog>

class QChartView;
class QLineSeries;
class QPieSeries;
class QPushButton;
class QStackedBarSeries;

// The charts of one score card: strokes over par and putts per hole, the per-par averages
// and the share of each result class. It stays open beside the main window.
class TSeisekiForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSeisekiForm(QWidget *parent = nullptr);

    // Draws the card. The caption is set only when the window comes up; a window already
    // open keeps the caption it has.
    void showCard(const charts::CardChart &chart, const QString &caption);

private:
    void FormShow(const QString &caption);
    void buildCharts();

    QChartView *Chart1 = nullptr;
    QChartView *Chart2 = nullptr;
    QChartView *Chart3 = nullptr;
    QLineSeries *Series1 = nullptr;
    QLineSeries *Series2 = nullptr;
    QPieSeries *Series3 = nullptr;
    QStackedBarSeries *Series4 = nullptr;
    chartparts::PieChart m_pie; // Chart2 and Series3 with their legend
    QPushButton *BitBtn1 = nullptr;
};
