#include "chartform.h"

#include "chartparts.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPieSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace {

void colour(QLineSeries *series, quint32 rgb)
{
    QPen pen = series->pen();
    pen.setColor(QColor::fromRgb(rgb));
    series->setPen(pen);
}

} // namespace

TChartForm::TChartForm(QWidget *parent) : TModalDialog(parent)
{
    setObjectName(QStringLiteral("ChartForm"));
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor::fromRgb(charts::kYellow));
    setPalette(yellow);
    FormCreate();
    setFixedSize(900, 600);
}

// The charts are put together when first drawn: laying them out costs the start-up of the
// program some tens of milliseconds otherwise, for a window many sessions never open.
void TChartForm::buildCharts()
{
    if (Label1)
        return;
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    Chart2 = chartparts::chartView(QStringLiteral("Chart2"), QStringLiteral("スコアの推移"), this);
    QChart *trend = Chart2->chart();
    Series2 = chartparts::line(QStringLiteral("Series2"), QStringLiteral("スコア"), Qt::black, 2);
    Series3 = chartparts::line(QStringLiteral("Series3"), QStringLiteral("パット"), Qt::black, 2);
    Series4 = chartparts::line(
        QStringLiteral("Series4"), QStringLiteral("パーオン率(%)"), Qt::black, 2);
    colour(Series4, charts::kYellow);
    m_trendBottom = chartparts::valueAxis(1, 2, 2);
    m_trendLeft = chartparts::valueAxis(70, 100, 4, QStringLiteral("スコア"));
    // Putts and the par-on rate lie far below a score of 70: they get a scale of their own.
    m_trendRight = chartparts::valueAxis(0, 100, 4, QStringLiteral("パット　・　パーオン率(%)"));
    m_trendRight->setGridLineVisible(false); // the score's lines are the grid
    trend->addAxis(m_trendBottom, Qt::AlignBottom);
    trend->addAxis(m_trendLeft, Qt::AlignLeft);
    trend->addAxis(m_trendRight, Qt::AlignRight);
    for (QLineSeries *s : {Series2, Series3, Series4}) {
        trend->addSeries(s);
        s->attachAxis(m_trendBottom);
        s->attachAxis(s == Series2 ? m_trendLeft : m_trendRight);
    }
    trend->legend()->setAlignment(Qt::AlignBottom);

    Chart3 = chartparts::chartView(
        QStringLiteral("Chart3"), QStringLiteral("パーごとの<br>平均スコア"), this);
    Series5 = chartparts::bars(QStringLiteral("Series5"), Chart3->chart());
    m_pie = chartparts::pieChart(QStringLiteral("Chart1"), QStringLiteral("Series1"),
        QStringLiteral("スコアの分布"), QColor(0xA2, 0xFF, 0xA2), this);
    Chart1 = m_pie.view;
    Series1 = m_pie.series;

    BitBtn1 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(Chart2, 1, 0, 1, 2);
    layout->addWidget(Chart3, 1, 0);
    layout->addWidget(m_pie.panel, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 5);
    layout->setRowStretch(1, 1);
}

void TChartForm::FormCreate()
{
    setWindowTitle(QStringLiteral("グラフの表示"));
}

void TChartForm::drawTrend(const QString &conditions, const charts::TrendLines &lines)
{
    buildCharts();
    Label1->setText(conditions);
    m_pie.panel->hide();
    Chart3->hide();
    Chart2->show();
    colour(Series2, charts::kRed);
    colour(Series3, charts::kGreen);
    colour(Series4, charts::kBlue);
    Series2->replace(lines.score);
    Series3->replace(lines.putts);
    Series4->replace(lines.parOnRate);

    // From 1, from 70 and from 0; the far ends follow the data.
    double highestScore = 0;
    double highestOther = 0;
    for (const QPointF &p : lines.score)
        highestScore = qMax(highestScore, p.y());
    for (const QList<QPointF> *points : {&lines.putts, &lines.parOnRate})
        for (const QPointF &p : *points)
            highestOther = qMax(highestOther, p.y());
    chartparts::applyScale(m_trendLeft, charts::valueAxis(70, highestScore));
    chartparts::applyScale(m_trendRight, charts::valueAxis(0, highestOther));
    chartparts::applyScale(
        m_trendBottom, charts::roundAxis(lines.score.isEmpty() ? 0 : lines.score.size() - 1));
}

void TChartForm::drawDistribution(
    const QString &conditions, const std::array<qint32, 7> &counts, const stats::ParAverages &pars)
{
    buildCharts();
    Label1->setText(conditions);
    Chart2->hide();
    m_pie.panel->show();
    Chart3->show();
    chartparts::fillPie(m_pie, charts::resultSlices(counts, charts::Labels::Results));
    chartparts::fillBars(Series5, charts::parBars(pars, charts::Labels::Results));
}
