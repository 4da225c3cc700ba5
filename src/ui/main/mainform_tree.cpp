// The navigation tree and the page switch: what a click on a node or a change of page does,
// the tool button hints and the status text of each page.
#include "mainform.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"
#include "pages/coursepage.h"
#include "pages/linkspage.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "pages/yoteipage.h"
#include "stringgrid.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

int levelOf(const QTreeWidgetItem *node)
{
    int level = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++level;
    return level;
}

} // namespace

Page TMainForm::currentPage() const
{
    return static_cast<Page>(PageControl1->currentIndex());
}

QString TMainForm::scoreDispMode() const
{
    return ScoreSheet->scoreDispMode();
}

EditingPage *TMainForm::editingPage(Page page) const
{
    switch (page) {
    case Page::Yotei: return YoteiSheet;
    case Page::Links: return LinksSheet;
    case Page::Course: return CourseSheet;
    case Page::Score: return ScoreSheet;
    case Page::Seiseki: break;
    }
    return SeisekiSheet;
}

void TMainForm::setRecordHints(Page page)
{
    const QList<QToolButton *> buttons
        = {DataAppendBtn, DataRegistBtn, DataCancelBtn, DataDeleteBtn, DataChangeBtn};
    // The results page holds no record, so its buttons have nothing to say.
    const QStringList hints = editingPage(page)->hints();
    for (int i = 0; i < 5; ++i)
        buttons[i]->setToolTip(hints.value(i));
}

void TMainForm::pageStatus(Page page)
{
    switch (page) {
    case Page::Yotei:
        setStatus(GolferName.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                       : QStringLiteral("ラウンド予定数 ")
                    + QString::number(YoteiList.size()) + QStringLiteral(" 回"));
        break;
    case Page::Links:
        setStatus(QStringLiteral("登録ゴルフ場数 ") + QString::number(LinksList.size())
            + QStringLiteral("コース"));
        break;
    case Page::Course:
        setStatus(QStringLiteral("登録コース数 ") + QString::number(CourseList.size())
            + QStringLiteral("コース"));
        break;
    case Page::Score:
        setStatus(GolferName.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                       : QStringLiteral("登録スコアカード数 ")
                    + QString::number(ScoreList.size()) + QStringLiteral("カード"));
        break;
    case Page::Seiseki: setStatus(QStringLiteral("成績を表示します")); break;
    }
}

void TMainForm::ActionList_TreeView()
{
    DataCancelAction->trigger();
    DataChangeAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    ChartAction1->setEnabled(false);
    ScoreDispAction->setEnabled(false);
    ScoreSheet->resetScoreDisp();
}

void TMainForm::TreeView1Click()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node)
        return;
    m_nodes.SelectedNode = node;
    CourseSheet->forgetSelection();
    ScoreSheet->forgetSelection();
    m_nodes.SelectedParent = node->parent();

    if ((node == m_nodes.YoteiNode || node == m_nodes.ScoreNode) && GolferName.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }

    const int level = levelOf(node);
    if (level == 1 && m_nodes.SelectedParent == m_nodes.YoteiNode) {
        ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("ラウンド予定数 ") + QString::number(YoteiList.size())
            + QStringLiteral(" 回"));
        const auto date = datetime::parseDate(node->text(0));
        if (date) {
            const TDateTime day = datetime::fromDate(*date);
            for (int i = 0; i < YoteiList.size(); ++i) {
                if (YoteiList[i].RoundDate == day) {
                    YoteiSheet->yoteiShow(i);
                    break;
                }
            }
        }
    } else if (level == 1 && m_nodes.SelectedParent == m_nodes.LinksNode) {
        ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("登録ゴルフ場 ") + QString::number(LinksList.size())
            + QStringLiteral("コース"));
        for (int i = 0; i < LinksList.size(); ++i) {
            if (LinksList[i].LinksName == node->text(0)) {
                LinksSheet->linksShow(i);
                break;
            }
        }
    } else if (level == 2 && m_nodes.SelectedParent->parent() == m_nodes.LinksNode) {
        pageStatus(Page::Course);
        ChartAction1->setEnabled(false);
        for (int i = 0; i < CourseList.size(); ++i) {
            const TCourseRecord &c = CourseList[i];
            if (c.CourseName == node->text(0) && c.LinksName == m_nodes.SelectedParent->text(0)) {
                CourseSheet->courseShow(i);
                break;
            }
        }
    } else if (level == 2 && m_nodes.SelectedParent->parent() == m_nodes.ScoreNode) {
        ChartAction1->setEnabled(false);
        ScoreSheet->ScoreNodeSelect(node->text(0));
    }
    setRecordHints(currentPage());
}

void TMainForm::PageControl1Change(int index)
{
    DataCancelAction->trigger();
    DataChangeAction->setEnabled(false);
    DataDeleteAction->setEnabled(false);
    DataAppendAction->setEnabled(true);
    ChartAction1->setEnabled(false);
    ScoreSheet->forgetSelection();
    CourseSheet->forgetSelection();
    ShukeiAction->setEnabled(false);
    TreeView1->setCurrentItem(nullptr);
    TreeView1->clearSelection();

    ScoreDispAction->setEnabled(false);
    ScoreSheet->resetScoreDisp();

    const Page page = static_cast<Page>(index);
    setRecordHints(page);
    pageStatus(page);
    if (page == Page::Seiseki)
        SeisekiSheet->seisekiEnter();
    else
        editingPage(page)->cancel();
}
