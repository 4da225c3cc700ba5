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
    if (!editingPage(currentPage())->append())
        return;
    DataRegistAction->setEnabled(true);
    DataCancelAction->setEnabled(true);
    DataAppendAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataChangeAction->setEnabled(false);
    ChartAction1->setEnabled(false);
}

void TMainForm::DataCancelActionExecute()
{
    editingPage(currentPage())->cancel();
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
    if (editingPage(currentPage())->regist(freeBytes)) {
        DataRegistAction->setEnabled(false);
        DataAppendAction->setEnabled(true);
        DataCancelAction->setEnabled(false);
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
    }
}

void TMainForm::DataChangeActionExecute()
{
    editingPage(currentPage())->change();
}

void TMainForm::DataDeleteActionExecute()
{
    if (editingPage(currentPage())->remove()) {
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
        ChartAction1->setEnabled(false);
        ScoreDispAction->setEnabled(false);
    }
}
