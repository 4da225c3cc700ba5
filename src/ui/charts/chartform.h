#pragma once

#include "chartparts.h"
#include "core/stats/chartdata.h"
#include "ui/common/modaldialog.h"

class QChartView;
class QLabel;
class QLineSeries;
class QPieSeries;
class QPushButton;
class QStackedBarSeries;
class QValueAxis;

// The charts of the last tally: the trend of a date list, or the result classes and the
// per-par averages of the detailed statistics. Shown modally.
class TChartForm final : public TModalDialog
{
    Q_OBJECT

public:
    explicit TChartForm(QWidget *parent = nullptr);

    // Fills the trend chart and shows it alone.
    void drawTrend(const QString &conditions, const charts::TrendLines &lines);
    // Fills the pie and the bars and shows them.
    void drawDistribution(const QString &conditions, const std::array<qint32, 7> &counts,
        const stats::ParAverages &pars);

private:
    void FormCreate();
    void buildCharts();

    QLabel *Label1 = nullptr;
    QChartView *Chart1 = nullptr;
    QChartView *Chart2 = nullptr;
    QChartView *Chart3 = nullptr;
    QPieSeries *Series1 = nullptr;
    QLineSeries *Series2 = nullptr;
    QLineSeries *Series3 = nullptr;
    QLineSeries *Series4 = nullptr;
    QStackedBarSeries *Series5 = nullptr;
    QValueAxis *m_trendBottom = nullptr;
    QValueAxis *m_trendLeft = nullptr; // the score
    QValueAxis *m_trendRight = nullptr; // putts and par-on rate, from 0
    chartparts::PieChart m_pie; // Chart1 and Series1 with their legend
    QPushButton *BitBtn1 = nullptr;
};
