// The handicap estimate: its menu item and its window, filled afresh at each opening.
#include "mainform.h"

#include "stats/handicapwindow.h"

#include <QAction>
#include <QMenu>

void TMainForm::createHandicap(QMenu *tools)
{
    tools->addSeparator();
    HandicapMenu = tools->addAction(QStringLiteral("ハンディキャップ(&H)..."));
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
    // Read afresh: the files may have been put back or mended since the last opening. A
    // damaged file is reported here; the window still shows the cards.
    QStringList report = m_ratings.loadHoleHandicaps(today());
    report += m_ratings.loadGolfer(GolferName, today());
    for (const QString &text : std::as_const(report))
        dialogs().warning(text);
    HandicapForm->showGolfer(GolferName, ScoreList, LinksList, CourseList);
    HandicapForm->ShowModal();
}
