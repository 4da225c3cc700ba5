#include "seisekiform.h"

#include "chartparts.h"
#include "ui/common/windowfit.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPieSeries>
#include <QPushButton>
#include <QStackedBarSeries>

namespace {

// Fixed, unless the screen is smaller.
constexpr QSize kSize(820, 720);

QList<QPointF> points(const QList<double> &values)
{
    QList<QPointF> list;
    list.reserve(values.size());
    for (qsizetype k = 0; k < values.size(); ++k)
        list.append({qreal(k), values[k]});
    return list;
}

} // namespace

TSeisekiForm::TSeisekiForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SeisekiForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor::fromRgb(charts::kYellow));
    setPalette(yellow);
    setFixedSize(kSize);
}

// The charts are put together when first drawn, not at the program's start-up.
void TSeisekiForm::buildCharts()
{
    if (Chart1)
        return;
    Chart1
        = chartparts::chartView(QStringLiteral("Chart1"), QStringLiteral("ホールごとの成績"), this);
    QChart *holes = Chart1->chart();
    Series1 = chartparts::line(QStringLiteral("Series1"), QStringLiteral("スコア"), Qt::red, 3);
    Series2 = chartparts::line(QStringLiteral("Series2"), QStringLiteral("パット"), Qt::blue, 2);
    holes->addSeries(Series1);
    holes->addSeries(Series2);
    chartparts::attachAxes(holes, chartparts::valueAxis(1, 18, 18),
        chartparts::valueAxis(-2, 7, 10, QStringLiteral("スコア(±)　・　パット")));
    holes->legend()->setVisible(true);
    holes->legend()->setAlignment(Qt::AlignRight);

    Chart3 = chartparts::chartView(
        QStringLiteral("Chart3"), QStringLiteral("パーごとの<br>平均スコア"), this);
    Series4 = chartparts::bars(QStringLiteral("Series4"), Chart3->chart());
    m_pie = chartparts::pieChart(QStringLiteral("Chart2"), QStringLiteral("Series3"),
        QStringLiteral("スコアの分布"), Qt::white, this);
    Chart2 = m_pie.view;
    Series3 = m_pie.series;

    BitBtn1 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Chart1, 0, 0, 1, 2);
    layout->addWidget(Chart3, 1, 0);
    layout->addWidget(m_pie.panel, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 3);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(1, 1);
}

void TSeisekiForm::showCard(const charts::CardChart &chart, const QString &caption)
{
    buildCharts();
    Series1->replace(points(chart.strokesOverPar));
    Series2->replace(points(chart.putts));
    chartparts::fillPie(m_pie, charts::resultSlices(chart.resultCounts, charts::Labels::Card));
    chartparts::fillBars(Series4, charts::parBars(chart.pars, charts::Labels::Card));
    if (!isVisible())
        FormShow(caption);
    raise();
    activateWindow();
}

void TSeisekiForm::FormShow(const QString &caption)
{
    setWindowTitle(caption);
    windowfit::place(this, kSize, true, parentWidget());
    show();
}
