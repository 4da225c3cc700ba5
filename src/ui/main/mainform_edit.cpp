// The five editing actions and the guards that tell the user to press Append first.
#include "mainform.h"

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
    QWidget *page = PageControl1->currentWidget();
    if (page == YoteiSheet) {
        YoteiSheet_Format();
        YoteiCalendar->setFocus();
        YTimeEdit->setReadOnly(false);
        YBikouEdit->setReadOnly(false);
    } else if (page == LinksSheet) {
        LinksSheet_Format();
        LinksNameEdit->setFocus();
        for (QLineEdit *e : {LinksNameEdit, LinksAddressEdit, LinksTelEdit, URLEdit})
            e->setReadOnly(false);
        URLEdit->setText(QStringLiteral("http://"));
    } else if (page == CourseSheet) {
        CourseSheet_Format();
        YardEditNotReadOnly();
        ParEditNotReadOnly();
        CLinksCombo->setFocus();
        CourseEdit->setReadOnly(false);
        CourseSelected = false;
    } else if (page == ScoreSheet) {
        ScoreSheet_Format();
        ScoreEditNotReadOnly();
        PuttEditNotReadOnly();
        SLinksText->hide();
        ScoreCardFrame1->CourseText->hide();
        ScoreCardFrame2->CourseText->hide();
        scoreInputsReadOnly(false);
        ScoreSelected = false;
        ScoreDispAction->setEnabled(false);
        resetScoreDisp();
    } else {
        return;
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
    QWidget *page = PageControl1->currentWidget();
    if (page == YoteiSheet)
        YoteiSheet_Format();
    else if (page == LinksSheet)
        LinksSheet_Format();
    else if (page == CourseSheet)
        CourseSheet_Format();
    else if (page == ScoreSheet)
        ScoreSheet_Format();
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

void TMainForm::YLinksComboChange(int)
{
    if (DataAppendAction->isEnabled() && !DataChangeAction->isEnabled()) {
        dialogs().information(QStringLiteral("追加をクリックしてください"));
        YLinksCombo->setCurrentIndex(-1);
    }
}

void TMainForm::CLinksComboChange(int)
{
    if (DataChangeAction->isEnabled()) {
        dialogs().warning(QStringLiteral("ゴルフ場の変更は出来ません"));
        CLinksCombo->setCurrentIndex(CourseLinksIndex);
    } else if (DataAppendAction->isEnabled()) {
        dialogs().information(QStringLiteral("追加をクリックしてください"));
        CLinksCombo->setCurrentIndex(-1);
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

void TMainForm::focusPage(QWidget *page)
{
    // Taking the focus away from the box being edited runs its exit check first.
    page->setFocus(Qt::OtherFocusReason);
}

void TMainForm::DataRegistActionExecute()
{
    CheckFailed = false;
    const qint64 freeBytes = m_services.disk->freeBytes(m_dir);
    QWidget *page = PageControl1->currentWidget();
    bool registered = false;
    if (page == YoteiSheet) {
        registered = yoteiRegist(freeBytes);
    } else if (page == LinksSheet) {
        registered = linksRegist(freeBytes);
    } else if (page == CourseSheet) {
        registered = courseRegist(freeBytes);
    } else if (page == ScoreSheet) {
        registered = scoreRegist(freeBytes);
    }
    if (registered) {
        DataRegistAction->setEnabled(false);
        DataAppendAction->setEnabled(true);
        DataCancelAction->setEnabled(false);
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
    }
}

void TMainForm::DataChangeActionExecute()
{
    QWidget *page = PageControl1->currentWidget();
    if (page == YoteiSheet)
        yoteiChange();
    else if (page == LinksSheet)
        linksChange();
    else if (page == CourseSheet)
        courseChange();
    else if (page == ScoreSheet)
        scoreChange();
}

void TMainForm::DataDeleteActionExecute()
{
    QWidget *page = PageControl1->currentWidget();
    bool deleted = false;
    if (page == YoteiSheet)
        deleted = yoteiDelete();
    else if (page == LinksSheet)
        deleted = linksDelete();
    else if (page == CourseSheet)
        deleted = courseDelete();
    else if (page == ScoreSheet)
        deleted = scoreDelete();
    if (deleted) {
        DataDeleteAction->setEnabled(false);
        DataChangeAction->setEnabled(false);
        ChartAction1->setEnabled(false);
        ScoreDispAction->setEnabled(false);
    }
}
