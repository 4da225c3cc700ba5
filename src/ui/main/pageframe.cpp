// The centre of the main window: the tree and the page tabs, a node clicked and the page
// switch, the five editing actions handed to the page shown, and what the pages ask of the
// window.
#include "pageframe.h"

#include "core/data/datetime.h"
#include "core/data/recordbook.h"
#include "pages/coursepage.h"
#include "pages/linkspage.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "pages/yoteipage.h"
#include "ui/common/texttips.h"

#include <QAction>
#include <QLabel>
#include <QShortcut>
#include <QStringListModel>
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

PageFrame::PageFrame(RecordBook &book, const Services &services, const ShellActions &actions,
    QLabel *status, std::function<bool(const BookChange &)> settle, const QString &dataDir,
    QWidget *parent)
    : QSplitter(Qt::Horizontal, parent)
    , m_book(book)
    , m_services(services)
    , m_actions(actions)
    , StatusPanel(status)
    , m_settle(std::move(settle))
    , m_dir(dataDir)
    , m_nodes(book)
{
    setObjectName(QStringLiteral("Splitter1"));
    setChildrenCollapsible(false);
    m_scoreLink.appendAction = actions.DataAppendAction;
    m_scoreLink.dialogs = services.dialogs;

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setMinimumWidth(150);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { TreeView1Click(); });
    connect(TreeView1, &QTreeWidget::itemExpanded, this,
        [this](QTreeWidgetItem *node) { m_nodes.ensureChildren(node); });

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    m_yotei = new YoteiPage(m_book, *this);
    m_links = new LinksPage(m_book, *this);
    m_course = new CoursePage(m_book, *this);
    m_score = new ScorePage(m_book, *this);
    m_seiseki = new SeisekiPage(m_book, *this);
    PageControl1->addTab(m_yotei, QStringLiteral("予 定"));
    PageControl1->addTab(m_links, QStringLiteral("ゴルフ場"));
    PageControl1->addTab(m_course, QStringLiteral("コース"));
    PageControl1->addTab(m_score, QStringLiteral("スコアカード"));
    PageControl1->addTab(m_seiseki, QStringLiteral("成 績"));
    // What one page does that another shows goes through here, never from page to page.
    connect(m_links, &LinksPage::clubRenamed, m_yotei, &YoteiPage::clubRenamed);
    connect(m_course, &CoursePage::clubActivated, this, &PageFrame::CLinksComboChange);
    connect(m_score, &ScorePage::clubActivated, this, &PageFrame::CLinksComboChange);
    connect(m_seiseki, &SeisekiPage::cardRequested, m_score, &ScorePage::ScoreNodeSelect);

    connect(
        actions.DataAppendAction, &QAction::triggered, this, &PageFrame::DataAppendActionExecute);
    connect(
        actions.DataRegistAction, &QAction::triggered, this, &PageFrame::DataRegistActionExecute);
    connect(
        actions.DataCancelAction, &QAction::triggered, this, &PageFrame::DataCancelActionExecute);
    connect(
        actions.DataDeleteAction, &QAction::triggered, this, &PageFrame::DataDeleteActionExecute);
    connect(
        actions.DataChangeAction, &QAction::triggered, this, &PageFrame::DataChangeActionExecute);
    connect(actions.ScoreDispAction, &QAction::triggered, m_score, &ScorePage::ScoreBtnClick);

    // Every change of the shown page made by the user is a page change, whatever way he took:
    // a click on a tab, Ctrl+Tab, Ctrl+PgUp/PgDn, the arrow keys on the tab bar, the wheel.
    // The program's own switches (showing a record, choosing a golfer) go through showPage,
    // which keeps what it has just put on the page.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_pageSetByCode == 0 && index >= 0)
            PageControl1Change(index);
    });
    // Ctrl+PgDn and Ctrl+PgUp step through the pages like Ctrl+Tab and Ctrl+Shift+Tab.
    for (const auto &[key, step] : {std::pair {Qt::Key_PageDown, 1}, {Qt::Key_PageUp, -1}}) {
        auto *shortcut = new QShortcut(QKeyCombination(Qt::ControlModifier, key), parent);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int count = PageControl1->count();
            PageControl1->setCurrentIndex((PageControl1->currentIndex() + step + count) % count);
        });
    }

    addWidget(TreeView1);
    addWidget(PageControl1);
    // A wider window widens the tree too, for long club names.
    setStretchFactor(0, 1);
    setStretchFactor(1, 4);
    setSizes({190, 820});
    TreeView1->setItemDelegate(new texttips::ItemTextTips(true, TreeView1));
    m_nodes.addTopNodes(TreeView1);
}

PageFrame::~PageFrame()
{
    // The pages and the tree go after this part of the frame; what they still signal on
    // their way must not reach it.
    for (const QObject *control : findChildren<QObject *>())
        disconnect(control, nullptr, this, nullptr);
}

void PageFrame::createResults()
{
    m_seiseki->createResults();
    m_score->createResults();
    connect(
        m_actions.ShukeiAction, &QAction::triggered, m_seiseki, &SeisekiPage::ShukeiActionExecute);
    connect(m_actions.ChartAction1, &QAction::triggered, this, &PageFrame::ChartAction1Execute);
}

void PageFrame::clubsLoaded()
{
    m_links->clubsLoaded();
    QStringList names;
    names.reserve(m_book.links().size());
    for (const TLinksRecord &club : m_book.links())
        names.append(club.LinksName);
    // The club boxes of the pages show one list of names: item i is club i in each.
    auto *clubNames = new QStringListModel(names, this);
    m_yotei->setClubNames(clubNames);
    m_links->setClubNames(clubNames);
    m_course->setClubNames(clubNames);
    m_score->setClubNames(clubNames);
    m_course->CourseSheet_Format();
    m_nodes.addClubNodes();
}

void PageFrame::start()
{
    m_yotei->start();
    showPage(m_yotei);
    for (QTreeWidgetItem *top : {m_nodes.YoteiNode, m_nodes.LinksNode, m_nodes.ScoreNode})
        top->setExpanded(true);
}

void PageFrame::golferLoaded()
{
    m_yotei->golferLoaded();
    m_nodes.addGolferNodes();
}

void PageFrame::golferReleased()
{
    m_nodes.releaseGolferNodes();
    m_yotei->golferReleased();
}

void PageFrame::golferDeleted()
{
    showPage(m_yotei);
    m_yotei->YoteiSheet_Format();
    golferReleased();
    m_nodes.SelectedNode = m_nodes.YoteiNode;
    m_nodes.SelectedParent = nullptr;
}

void PageFrame::forgetGolferRecords()
{
    // An index into the old golfer's lists would point at the next golfer's records, and
    // Change or Delete would then act on one of his. A card still on the score page goes
    // with its golfer.
    m_score->forgetCard();
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.ScoreDispAction->setEnabled(false);
    m_actions.ChartAction1->setEnabled(false);
    m_score->resetScoreDisp();
}

void PageFrame::showYoteiPageFresh()
{
    // Coming from the results page, where Append is off and the hints are empty, the
    // schedule page must still be usable at once.
    if (PageControl1->currentWidget() == m_seiseki) {
        m_actions.DataAppendAction->setEnabled(true);
        setRecordHints(Page::Yotei);
    }
    showPage(m_yotei);
}

void PageFrame::cardsReplaced()
{
    m_nodes.rebuildScoreNodes();
    if (m_score->forgetCard()) {
        if (currentPage() == Page::Score) {
            m_actions.DataDeleteAction->setEnabled(false);
            m_actions.DataChangeAction->setEnabled(false);
            m_actions.ChartAction1->setEnabled(false);
        }
        m_actions.ScoreDispAction->setEnabled(false);
        m_score->resetScoreDisp();
    }
}

Page PageFrame::currentPage() const
{
    return static_cast<Page>(PageControl1->currentIndex());
}

EditingPage *PageFrame::editingPage(Page page) const
{
    switch (page) {
    case Page::Yotei: return m_yotei;
    case Page::Links: return m_links;
    case Page::Course: return m_course;
    case Page::Score: return m_score;
    case Page::Seiseki: break;
    }
    return m_seiseki;
}

void PageFrame::setStatus(const QString &text)
{
    StatusPanel->setText(text);
}

void PageFrame::showPage(QWidget *page)
{
    ++m_pageSetByCode;
    PageControl1->setCurrentWidget(page);
    --m_pageSetByCode;
}

void PageFrame::setRecordHints(Page page)
{
    // The results page holds no record, so its buttons have nothing to say.
    const QStringList hints = editingPage(page)->hints();
    for (int i = 0; i < 5; ++i)
        m_actions.editButtons[size_t(i)]->setToolTip(hints.value(i));
}

void PageFrame::pageStatus(Page page)
{
    const QString &golfer = m_book.golferName();
    switch (page) {
    case Page::Yotei:
        setStatus(golfer.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                   : QStringLiteral("ラウンド予定数 ")
                    + QString::number(m_book.yotei().size()) + QStringLiteral(" 回"));
        break;
    case Page::Links:
        setStatus(QStringLiteral("登録ゴルフ場数 ") + QString::number(m_book.links().size())
            + QStringLiteral("コース"));
        break;
    case Page::Course:
        setStatus(QStringLiteral("登録コース数 ") + QString::number(m_book.courses().size())
            + QStringLiteral("コース"));
        break;
    case Page::Score:
        setStatus(golfer.isEmpty() ? QStringLiteral("ゴルファーを選択してください")
                                   : QStringLiteral("登録スコアカード数 ")
                    + QString::number(m_book.scoreRecords().size()) + QStringLiteral("カード"));
        break;
    case Page::Seiseki: setStatus(QStringLiteral("成績を表示します")); break;
    }
}

void PageFrame::ActionList_TreeView()
{
    m_actions.DataCancelAction->trigger();
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.ChartAction1->setEnabled(false);
    m_actions.ScoreDispAction->setEnabled(false);
    m_score->resetScoreDisp();
}

void PageFrame::TreeView1Click()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node)
        return;
    m_nodes.SelectedNode = node;
    m_course->forgetSelection();
    m_score->forgetSelection();
    m_nodes.SelectedParent = node->parent();

    if ((node == m_nodes.YoteiNode || node == m_nodes.ScoreNode) && m_book.golferName().isEmpty()) {
        m_services.dialogs->warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }

    const int level = levelOf(node);
    QTreeWidgetItem *parent = m_nodes.SelectedParent;
    if (level == 1 && parent == m_nodes.YoteiNode) {
        const QList<TYoteiRecord> &rounds = m_book.yotei();
        m_actions.ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("ラウンド予定数 ") + QString::number(rounds.size())
            + QStringLiteral(" 回"));
        const auto date = datetime::parseDate(node->text(0));
        if (date) {
            const TDateTime day = datetime::fromDate(*date);
            for (int i = 0; i < rounds.size(); ++i) {
                if (rounds[i].RoundDate == day) {
                    m_yotei->yoteiShow(i);
                    break;
                }
            }
        }
    } else if (level == 1 && parent == m_nodes.LinksNode) {
        const QList<TLinksRecord> &clubs = m_book.links();
        m_actions.ChartAction1->setEnabled(false);
        setStatus(QStringLiteral("登録ゴルフ場 ") + QString::number(clubs.size())
            + QStringLiteral("コース"));
        for (int i = 0; i < clubs.size(); ++i) {
            if (clubs[i].LinksName == node->text(0)) {
                m_links->linksShow(i);
                break;
            }
        }
    } else if (level == 2 && parent->parent() == m_nodes.LinksNode) {
        const QList<TCourseRecord> &courses = m_book.courses();
        pageStatus(Page::Course);
        m_actions.ChartAction1->setEnabled(false);
        for (int i = 0; i < courses.size(); ++i) {
            const TCourseRecord &c = courses[i];
            if (c.CourseName == node->text(0) && c.LinksName == parent->text(0)) {
                m_course->courseShow(i);
                break;
            }
        }
    } else if (level == 2 && parent->parent() == m_nodes.ScoreNode) {
        m_actions.ChartAction1->setEnabled(false);
        m_score->ScoreNodeSelect(node->text(0));
    }
    setRecordHints(currentPage());
}

void PageFrame::PageControl1Change(int index)
{
    m_actions.DataCancelAction->trigger();
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataAppendAction->setEnabled(true);
    m_actions.ChartAction1->setEnabled(false);
    m_score->forgetSelection();
    m_course->forgetSelection();
    m_actions.ShukeiAction->setEnabled(false);
    TreeView1->setCurrentItem(nullptr);
    TreeView1->clearSelection();

    m_actions.ScoreDispAction->setEnabled(false);
    m_score->resetScoreDisp();

    const Page page = static_cast<Page>(index);
    setRecordHints(page);
    pageStatus(page);
    if (page == Page::Seiseki)
        m_seiseki->seisekiEnter();
    else
        editingPage(page)->cancel();
}

void PageFrame::DataAppendActionExecute()
{
    if (m_book.golferName().isEmpty()) {
        m_services.dialogs->warning(QStringLiteral("ゴルファーを選択してください"));
        return;
    }
    if (!editingPage(currentPage())->append())
        return;
    m_actions.DataRegistAction->setEnabled(true);
    m_actions.DataCancelAction->setEnabled(true);
    m_actions.DataAppendAction->setEnabled(false);
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataChangeAction->setEnabled(false);
    m_actions.ChartAction1->setEnabled(false);
}

void PageFrame::DataCancelActionExecute()
{
    editingPage(currentPage())->cancel();
    m_actions.DataAppendAction->setEnabled(true);
    m_actions.DataRegistAction->setEnabled(false);
    m_actions.DataCancelAction->setEnabled(false);
    m_actions.DataDeleteAction->setEnabled(false);
    m_actions.DataChangeAction->setEnabled(false);
}

void PageFrame::DataRegistActionExecute()
{
    const qint64 freeBytes = m_services.disk->freeBytes(m_dir);
    if (editingPage(currentPage())->regist(freeBytes)) {
        m_actions.DataRegistAction->setEnabled(false);
        m_actions.DataAppendAction->setEnabled(true);
        m_actions.DataCancelAction->setEnabled(false);
        m_actions.DataDeleteAction->setEnabled(false);
        m_actions.DataChangeAction->setEnabled(false);
    }
}

void PageFrame::DataChangeActionExecute()
{
    editingPage(currentPage())->change();
}

void PageFrame::DataDeleteActionExecute()
{
    if (editingPage(currentPage())->remove()) {
        m_actions.DataDeleteAction->setEnabled(false);
        m_actions.DataChangeAction->setEnabled(false);
        m_actions.ChartAction1->setEnabled(false);
        m_actions.ScoreDispAction->setEnabled(false);
    }
}

void PageFrame::AppendCheck()
{
    if (m_actions.DataAppendAction->isEnabled() && !m_actions.DataDeleteAction->isEnabled())
        m_services.dialogs->information(QStringLiteral("追加をクリックしてください"));
}

void PageFrame::CLinksComboChange()
{
    if (m_actions.DataChangeAction->isEnabled()) {
        m_services.dialogs->warning(QStringLiteral("ゴルフ場の変更は出来ません"));
        m_course->restoreClub(true);
    } else if (m_actions.DataAppendAction->isEnabled()) {
        m_services.dialogs->information(QStringLiteral("追加をクリックしてください"));
        m_course->restoreClub(false);
    } else {
        m_score->offerCourses();
    }
}

void PageFrame::ChartAction1Execute()
{
    if (currentPage() == Page::Score)
        m_score->showCardChart();
    else
        m_seiseki->showResultCharts();
}
