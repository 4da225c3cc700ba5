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

#include <cmath>

namespace {

QLineSeries *line(const QString &name, const QString &title)
{
    auto *series = new QLineSeries;
    series->setObjectName(name);
    series->setName(title);
    series->setPen(QPen(Qt::black, 2));
    return series;
}

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
    Series2 = line(QStringLiteral("Series2"), QStringLiteral("スコア"));
    Series3 = line(QStringLiteral("Series3"), QStringLiteral("パット"));
    Series4 = line(QStringLiteral("Series4"), QStringLiteral("パーオン率(%)"));
    colour(Series4, charts::kYellow);
    m_trendBottom = chartparts::valueAxis(1, 2, 2);
    m_trendLeft = chartparts::valueAxis(70, 100, 4, QStringLiteral("スコア"));
    trend->addAxis(m_trendBottom, Qt::AlignBottom);
    trend->addAxis(m_trendLeft, Qt::AlignLeft);
    for (QLineSeries *s : {Series2, Series3, Series4}) {
        trend->addSeries(s);
        s->attachAxis(m_trendBottom);
        s->attachAxis(m_trendLeft);
    }
    trend->legend()->setAlignment(Qt::AlignRight);

    Chart3 = chartparts::chartView(
        QStringLiteral("Chart3"), QStringLiteral("パーごとの<br>平均スコア"), this);
    Series5 = chartparts::bars(QStringLiteral("Series5"), Chart3->chart());
    Chart1 = chartparts::chartView(QStringLiteral("Chart1"), QStringLiteral("スコアの分布"), this);
    Chart1->chart()->setBackgroundBrush(QColor(0xA2, 0xFF, 0xA2));
    Chart1->chart()->setBackgroundPen(Qt::NoPen);
    Series1 = chartparts::pie(QStringLiteral("Series1"), Chart1->chart());

    BitBtn1 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(Chart2, 1, 0, 1, 2);
    layout->addWidget(Chart3, 1, 0);
    layout->addWidget(Chart1, 1, 1);
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
    Chart1->hide();
    Chart3->hide();
    Chart2->show();
    colour(Series2, charts::kRed);
    colour(Series3, charts::kGreen);
    colour(Series4, charts::kBlue);
    Series2->replace(lines.score);
    Series3->replace(lines.putts);
    Series4->replace(lines.parOnRate);

    // From 1 and from 70; the far ends follow the data.
    qreal top = 70;
    for (const QList<QPointF> *points : {&lines.score, &lines.putts, &lines.parOnRate})
        for (const QPointF &p : *points)
            top = qMax(top, p.y());
    const qreal leftMax = std::ceil(top / 10.0) * 10.0 + (std::fmod(top, 10.0) == 0 ? 10 : 0);
    m_trendLeft->setRange(70, leftMax);
    m_trendLeft->setTickCount(int((leftMax - 70) / 10) + 1);
    const qreal rows = qMax<qreal>(2, lines.score.isEmpty() ? 1 : lines.score.last().x());
    m_trendBottom->setRange(1, rows);
    m_trendBottom->setTickCount(int(qMin<qreal>(rows, 11)));
}

void TChartForm::drawDistribution(
    const QString &conditions, const std::array<qint32, 7> &counts, const stats::ParAverages &pars)
{
    buildCharts();
    Label1->setText(conditions);
    Chart2->hide();
    Chart1->show();
    Chart3->show();
    chartparts::fillPie(Series1, charts::resultSlices(counts, charts::Labels::Results));
    chartparts::fillBars(Series5, charts::parBars(pars, charts::Labels::Results));
}
