// The handicap estimate: its menu item and its window, filled afresh at each opening.
#include "mainform.h"

#include "ui/stats/handicapwindow.h"

#include <QAction>
#include <QMenu>

void TMainForm::createHandicap(QMenu *tools)
{
    tools->addSeparator();
    QAction *HandicapMenu = tools->addAction(QStringLiteral("ハンディキャップ(&H)..."));
    HandicapMenu->setObjectName(QStringLiteral("HandicapMenu"));
    connect(HandicapMenu, &QAction::triggered, this, &TMainForm::HandicapMenuClick);
    // An empty shell until first shown, so the start of the program does not pay for it.
    HandicapForm = new THandicapForm(m_ratings, dialogs(), this);
}

void TMainForm::HandicapMenuClick()
{
    if (GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    // The book read the side files with the golfer's other files and said what was wrong.
    HandicapForm->showGolfer(GolferName, ScoreList.list(), LinksList, CourseList);
    HandicapForm->ShowModal();
}
