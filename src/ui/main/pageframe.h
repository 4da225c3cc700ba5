#pragma once

#include "pages/pagehost.h"
#include "treenodes.h"
#include "ui/common/services.h"
#include "ui/scorecard/scorecardframe.h"

#include <QSplitter>

#include <functional>

class CoursePage;
class EditingPage;
class LinksPage;
class QLabel;
class QTabWidget;
class QTreeWidget;
class RecordBook;
class ScorePage;
class SeisekiPage;
class YoteiPage;

// The centre of the main window: the tree of the records beside the five pages, in the order
// of their tabs. It hands the editing actions to the page shown, shows the record of a node
// clicked, and answers what the pages ask of the window.
class PageFrame final : public QSplitter, public PageHost
{
    Q_OBJECT

public:
    // `settle` is how the window tells the user what the book answered to a change.
    PageFrame(RecordBook &book, const Services &services, const ShellActions &actions,
        QLabel *status, std::function<bool(const BookChange &)> settle, const QString &dataDir,
        QWidget *parent);
    ~PageFrame() override;

    YoteiPage *yotei() const { return m_yotei; }
    CoursePage *course() const { return m_course; }
    ScorePage *score() const { return m_score; }
    SeisekiPage *seiseki() const { return m_seiseki; }
    Page currentPage() const;

    // The result windows of the pages, made once the window has its records.
    void createResults();
    // The clubs and courses as they were loaded at the start, on the pages and in the tree.
    void clubsLoaded();
    // The schedule page shown first, with the tree's top nodes open.
    void start();
    // The chosen golfer's rounds and cards as he is loaded, and the pages without them as he
    // goes or is deleted.
    void golferLoaded();
    void golferReleased();
    void golferDeleted();
    // Nothing on a page points into the old golfer's lists any longer.
    void forgetGolferRecords();
    // The schedule page, usable at once even when coming from the results page.
    void showYoteiPageFresh();
    // The golfer's cards were read in anew: the tree's cards are made again, and a card shown
    // on the score page goes.
    void cardsReplaced();

    const Services &services() const override { return m_services; }
    const ShellActions &actions() const override { return m_actions; }
    TreeNodes &nodes() override { return m_nodes; }
    ScoreSheetLink &sheetLink() override { return m_scoreLink; }
    void setStatus(const QString &text) override;
    void pageStatus(Page page) override;
    void showPage(QWidget *page) override;
    void ActionList_TreeView() override;
    void AppendCheck() override;
    bool settle(const BookChange &change) override { return m_settle(change); }
    using PageHost::settle;

private:
    EditingPage *editingPage(Page page) const;
    void setRecordHints(Page page);
    void TreeView1Click();
    void PageControl1Change(int index);
    void DataAppendActionExecute();
    void DataCancelActionExecute();
    void DataRegistActionExecute();
    void DataChangeActionExecute();
    void DataDeleteActionExecute();
    // The golf club boxes of the course and score pages share this handler, whichever fired.
    void CLinksComboChange();
    void ChartAction1Execute();

    RecordBook &m_book;
    Services m_services;
    const ShellActions &m_actions;
    QLabel *StatusPanel;
    std::function<bool(const BookChange &)> m_settle;
    QString m_dir;
    ScoreSheetLink m_scoreLink;
    TreeNodes m_nodes;
    int m_pageSetByCode = 0; // the program is switching the page itself

    QTreeWidget *TreeView1 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    YoteiPage *m_yotei = nullptr;
    LinksPage *m_links = nullptr;
    CoursePage *m_course = nullptr;
    ScorePage *m_score = nullptr;
    SeisekiPage *m_seiseki = nullptr;
};
