// The five editing actions and the guards that tell the user to press Append first.
#include "mainform.h"

#include "pages/coursepage.h"
#include "pages/linkspage.h"
#include "pages/scorepage.h"
#include "pages/yoteipage.h"
#include "stringgrid.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

void TMainForm::DataAppendActionExecute()
{
    if (GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    EditingPage *shown = editingPage(currentPage());
    if (!shown)
        return;
    shown->append();
    DataRegistAction->setEnabled(true);
    DataCancelAction->setEnabled(true);
    DataAppendAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ChartAction1->setEnabled(false);
}

void TMainForm::DataCancelActionExecute()
{
    if (EditingPage *shown = editingPage(currentPage()))
        shown->cancel();
    DataAppendAction->setEnabled(true);
    DataRegistAction->setEnabled(false);
    DataCancelAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
}

void TMainForm::AppendCheck()
{
    if (DataAppendAction->isEnabled() && !DataDeleteAction->isEnabled())
        dialogs().information(QStringLiteral("追加をクリックしてください"));
}

void TMainForm::CLinksComboChange()
{
    if (DataChangeAction->isEnabled()) {
        dialogs().warning(QStringLiteral("ゴルフ場の変更は出来ません"));
        CourseSheet->restoreClub(true);
    } else if (DataAppendAction->isEnabled()) {
        dialogs().information(QStringLiteral("追加をクリックしてください"));
        CourseSheet->restoreClub(false);
    } else {
        ScoreSheet->offerCourses();
    }
}

void TMainForm::DataRegistActionExecute()
{
    const qint64 freeBytes = m_services.disk->freeBytes(m_dir);
    EditingPage *shown = editingPage(currentPage());
    if (shown && shown->regist(freeBytes)) {
        DataRegistAction->setEnabled(false);
        DataAppendAction->setEnabled(true);
        DataCancelAction->setEnabled(false);
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
    }
}

void TMainForm::DataChangeActionExecute()
{
    if (EditingPage *shown = editingPage(currentPage()))
        shown->change();
}

void TMainForm::DataDeleteActionExecute()
{
    EditingPage *shown = editingPage(currentPage());
    if (shown && shown->remove()) {
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
        ChartAction1->setEnabled(false);
        ScoreDispAction->setEnabled(false);
    }
}
