// The five editing actions and the guards that tell the user to press Append first.
#include "mainform.h"

#include "pages/coursepage.h"
#include "pages/linkspage.h"
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

const TMainForm::RecordPage *TMainForm::recordPage(Page page)
{
    static const RecordPage pages[] = {
        {}, // the schedule page answers for itself
        {}, // so does the golf club page
        {}, // and the course page
        {&TMainForm::scoreAppend, &TMainForm::scoreRegist, &TMainForm::scoreChange,
            &TMainForm::scoreDelete, &TMainForm::ScoreSheet_Format,
            {"スコアデータを追加します", "スコアデータの登録を実行します",
                "スコアデータの登録をキャンセルします", "スコアデータを削除します",
                "スコアデータを変更します"}},
    };
    const auto index = static_cast<size_t>(page);
    return index < std::size(pages) ? &pages[index] : nullptr;
}

void TMainForm::DataAppendActionExecute()
{
    if (GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    if (EditingPage *shown = editingPage(currentPage())) {
        shown->append();
    } else {
        const RecordPage *page = recordPage(currentPage());
        if (!page)
            return;
        (this->*page->append)();
    }
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
    else if (const RecordPage *page = recordPage(currentPage()))
        (this->*page->reset)();
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
        for (TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2}) {
            frame->CourseCombo1->clear();
            frame->GreenText->clear();
            frame->TeeText->clear();
        }
        QStringList courses;
        const QString club = SLinksCombo->currentText();
        for (const TCourseRecord &c : std::as_const(CourseList))
            if (c.LinksName == club)
                courses.append(c.CourseName);
        ScoreCardFrame1->CourseCombo1->addItems(courses);
        ScoreCardFrame2->CourseCombo1->addItems(courses);
        ScoreCardFrame1->CourseCombo1->setCurrentIndex(-1);
        ScoreCardFrame2->CourseCombo1->setCurrentIndex(-1);
    }
}

bool TMainForm::freeSpaceOk(qint64 threshold, qint64 freeBytes)
{
    if (freeBytes >= threshold)
        return true;
    dialogs().error(QStringLiteral("ディスクの空き容量がありません\n空き容量は ")
        + QString::number(freeBytes) + QStringLiteral("バイトです"));
    DataCancelAction->trigger();
    return false;
}

void TMainForm::DataRegistActionExecute()
{
    CheckFailed = false;
    const qint64 freeBytes = m_services.disk->freeBytes(m_dir);
    EditingPage *shown = editingPage(currentPage());
    const RecordPage *page = recordPage(currentPage());
    if (shown ? shown->regist(freeBytes) : page && (this->*page->regist)(freeBytes)) {
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
    else if (const RecordPage *page = recordPage(currentPage()))
        (this->*page->change)();
}

void TMainForm::DataDeleteActionExecute()
{
    EditingPage *shown = editingPage(currentPage());
    const RecordPage *page = recordPage(currentPage());
    if (shown ? shown->remove() : page && (this->*page->remove)()) {
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
        ChartAction1->setEnabled(false);
        ScoreDispAction->setEnabled(false);
    }
}
