// The result windows of the pages and the chart action, which draws what the page shown holds.
#include "mainform.h"

#include "pages/scorepage.h"
#include "pages/seisekipage.h"

#include <QAction>
#include <QTabWidget>

void TMainForm::createResults()
{
    SeisekiSheet->createResults();
    ScoreSheet->createResults();
    connect(ShukeiAction, &QAction::triggered, SeisekiSheet, &SeisekiPage::ShukeiActionExecute);
    connect(ChartAction1, &QAction::triggered, this, &TMainForm::ChartAction1Execute);
}

void TMainForm::ChartAction1Execute()
{
    if (currentPage() == Page::Score)
        ScoreSheet->showCardChart();
    else
        SeisekiSheet->showResultCharts();
}

QString TMainForm::shukeiCaller() const
{
    return SeisekiSheet->shukeiCaller();
}
