// The analysis window: opened from the tools menu, refreshed after every change of the
// cards and every change of golfer, closed when no golfer is chosen. It follows from two
// places: settle(), which every change of the book passes (a golfer deleted too), and
// FilesRead(), which loads a golfer chosen or registered.
#include "mainform.h"

#include "core/data/viewchoice.h"
#include "ui/main/pageframe.h"
#include "ui/main/pages/scorepage.h"
#include "ui/stats/analysiswindow.h"

#include <QAction>
#include <QMenu>

void TMainForm::createAnalysis(QMenu *tools)
{
    AnalysisAction = new QAction(QStringLiteral("分析(&A)..."), this);
    AnalysisAction->setObjectName(QStringLiteral("AnalysisAction"));
    AnalysisAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    AnalysisAction->setEnabled(false);
    tools->addAction(AnalysisAction);
    connect(AnalysisAction, &QAction::triggered, this, &TMainForm::AnalysisActionExecute);
}

void TMainForm::AnalysisActionExecute()
{
    if (GolferName.isEmpty())
        return;
    // A hidden window has let the cards of a golfer loaded since stay undecoded.
    const ScoreCards &cards = ScoreList.list();
    if (!m_analysis) {
        m_analysis = new AnalysisWindow(cards, this);
        m_analysis->setDetails(&m_book.details().all());
        connect(m_analysis, &AnalysisWindow::exportRequested, this, [this] { exportCsv(true); });
    }
    m_analysis->setGolfer(GolferName);
    m_analysis->open();
}

void TMainForm::analysisFollow(bool otherGolfer)
{
    AnalysisAction->setEnabled(!GolferName.isEmpty());
    if (!m_analysis)
        return;
    if (GolferName.isEmpty()) {
        m_analysis->close();
        return;
    }
    // A window on show reads the decoded cards, which a golfer just loaded does not have yet;
    // a hidden one reads them when it is opened again, so a switch of golfer decodes nothing.
    if (m_analysis->isVisible())
        ScoreList.list();
    m_analysis->setGolfer(GolferName);
    m_analysis->cardsChanged(otherGolfer);
}

void TMainForm::createPlayDetails(QMenu *tools)
{
    PlayDetailsAction = new QAction(QStringLiteral("プレー詳細を入力(&D)"), this);
    PlayDetailsAction->setObjectName(QStringLiteral("PlayDetailsAction"));
    PlayDetailsAction->setCheckable(true);
    PlayDetailsAction->setChecked(viewchoice::playDetailsShown(m_dir));
    tools->addSeparator();
    tools->addAction(PlayDetailsAction);
    connect(PlayDetailsAction, &QAction::toggled, this, [this](bool shown) {
        m_frame->score()->setDetailsShown(shown);
        QString error;
        if (!viewchoice::setPlayDetailsShown(m_dir, shown, &error))
            setStatus(QStringLiteral("表示の選択を保存できませんでした: ") + error);
    });
}
