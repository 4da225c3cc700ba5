#pragma once

#include "core/data/ratingstore.h"
#include "core/data/recordbook.h"
#include "core/data/records.h"
#include "core/stats/shousai.h"
#include "pages/pagehost.h"
#include "treenodes.h"
#include "ui/common/services.h"
#include "ui/scorecard/scorecardframe.h"

#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QSet>
#include <QStringList>

#include <array>
#include <optional>

class AnalysisWindow;
class QAction;
class QCalendarWidget;
class QComboBox;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QStringListModel;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class ImportSummaryDialog;
class RestoreDialog;
class TChartForm;
class THandicapForm;
class TSeisekiForm;
class TShukeiForm;
class TStringGrid;
class YoteiPage;
class LinksPage;
class CoursePage;
class ScorePage;
class SeisekiPage;
class EditingPage;

namespace printout {
struct PrintPage;
}

struct MainFormOptions {
    QString dataDir; // the folder of the data files
    unsigned startupDelayMs = 0; // how long the splash window stays up at least
    // Where the window stands, for one that takes the place of an earlier one; without it
    // the window is fitted to the screen.
    std::optional<QRect> geometry;
};

// The main window: it owns the golf clubs, courses and the chosen golfer's schedule and
// score cards, and keeps the tree, grids and combo boxes in step with them. Its work is
// spread over several source files by concern (set-up, golfers, tree and pages, editing per
// page, the score page).
class TMainForm final : public QMainWindow, private PageHost
{
    Q_OBJECT

public:
    TMainForm(const MainFormOptions &options, const Services &services, QWidget *parent = nullptr);
    ~TMainForm() override;

    // What the tests and the benchmark read; the window itself is driven through its
    // controls and actions.
    const QList<TLinksRecord> &linksList() const { return LinksList; }
    const QList<TCourseRecord> &courseList() const { return CourseList; }
    const QList<TYoteiRecord> &yoteiList() const { return YoteiList; }
    // Every card decoded (made on the first call); scoreCount() counts without decoding.
    const QList<TScoreRecord> &scoreList() const { return ScoreList.list(); }
    qsizetype scoreCount() const { return ScoreList.size(); }
    QString golferName() const { return GolferName; }
    QStringList yearList() const { return YearList; }
    QStringList playedLinksList() const { return PlayedLinksList; }
    QString scoreDispMode() const;
    QString shukeiCaller() const;
    bool aboutMode() const { return AboutMode; }
    void setAboutMode(bool on) { AboutMode = on; }
    QString dataDir() const { return m_dir; }

    // Runs on every activation of the program; asks for a golfer while there is none.
    void FormActivate();
    bool IsNumeric(const QString &text) const;

Q_SIGNALS:
    void aboutRequested();
    // The data files were replaced from a backup: the program opens its window anew on them,
    // as a fresh start would.
    void restartRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // What the pages ask of the window.
    const Services &services() const override { return m_services; }
    const ShellActions &actions() const override { return m_actions; }
    TreeNodes &nodes() override { return m_nodes; }
    ScoreSheetLink &sheetLink() override { return m_scoreLink; }
    using PageHost::settle;

    // Set-up (mainform_setup.cpp, mainform_layout.cpp).
    void FormCreate();
    void installGuards();
    void createActions();
    void createMenus();
    void createToolBar();
    void createCentre();
    void Delay(unsigned ms);
    void FormKeyPress(bool shift);
    void KestroG1Click();
    void HelpBtnClick();
    void About1Click();
    void setStatus(const QString &text) override;

    // Text typed into the byte-limited boxes (mainform_input.cpp).
    void connectInputGuards();
    void inputRefused(const QString &message);

    // Printing (mainform_print.cpp).
    void PrintMenuClick();
    void Print_ScoreSheet(QPrinter &printer, int copies);
    void Print_SeisekiSheet(QPrinter &printer, int copies);
    void printJob(QPrinter &printer, const QList<printout::PrintPage> &pages, int copies);
    bool seisekiHasResult() const;

    // Files (mainform_files.cpp).
    // Shows a refusal of the book, then every file it could not write; false when refused.
    bool settle(const BookChange &change) override;
    // Asks before a file that points outside the folder or did not read whole is replaced.
    bool askToReplace(const FileConcern &concern);
    void reportReadError(const QString &error);

    // Golfers (mainform_golfer.cpp).
    void RegistGolferActionExecute();
    void DeleteGolferActionExecute();
    void GolferComboClick(int index);
    void FilesRead(const QString &name);
    void FilesWrite();
    void forgetGolferRecords();
    void showYoteiPageFresh();

    // The tree and the page switch (mainform_tree.cpp).
    void TreeView1Click();
    void PageControl1Change(int index);
    void showPage(QWidget *page) override;
    Page currentPage() const;
    EditingPage *editingPage(Page page) const;
    void ActionList_TreeView() override;
    void setRecordHints(Page page);
    void pageStatus(Page page) override;

    // The five editing actions, dispatched to the page shown (mainform_edit.cpp).
    void DataAppendActionExecute();
    void DataCancelActionExecute();
    void DataRegistActionExecute();
    void DataChangeActionExecute();
    void DataDeleteActionExecute();
    void AppendCheck() override;
    // The golf club boxes of the course and score pages share this handler, whichever fired.
    void CLinksComboChange();

    // Results and charts (mainform_results.cpp).
    void createResults();
    void ChartAction1Execute();

    // CSV files and backups (mainform_exchange.cpp).
    void createExchange(QMenu *file);
    void ExportMenuClick();
    // Asks where and in which form, then writes the list; the analysis table is offered
    // first when asked from its window.
    void exportCsv(bool analysisFirst);
    void ImportMenuClick();
    void RestoreMenuClick();
    void noteBackupNotice(const QString &notice);

    // The handicap estimate (mainform_handicap.cpp).
    void createHandicap(QMenu *tools);
    void HandicapMenuClick();

    // The analysis window (mainform_analysis.cpp): it follows every change of the book and
    // of the golfer.
    void createAnalysis(QMenu *tools);
    void AnalysisActionExecute();
    void analysisFollow(bool otherGolfer);

    // Options and seams.
    QString m_dir;
    unsigned m_startupDelayMs = 0;
    std::optional<QRect> m_geometry;
    Services m_services;
    DialogService &dialogs() const { return *m_services.dialogs; }
    QDate today() const { return m_services.clock->today(); }

    // Records: the book owns them and keeps their rules; the window reads them by their
    // usual names and changes them only through the book.
    RecordBook m_book;
    // The ratings and stroke indexes of the handicap estimate, beside the records they follow.
    RatingStore &m_ratings = m_book.ratings();
    const QList<TLinksRecord> &LinksList = m_book.links();
    const QList<TCourseRecord> &CourseList = m_book.courses();
    const QList<TYoteiRecord> &YoteiList = m_book.yotei();
    // The cards as the book holds them: counted, dated and fetched one by one (record(i))
    // without decoding them all; list() decodes them all, on the first call.
    const RecordList<TScoreRecord> &ScoreList = m_book.scoreRecords();
    const QString &GolferName = m_book.golferName();
    const QStringList &YearList = m_book.yearList();
    const QStringList &PlayedLinksList = m_book.playedLinksList();
    // The tree's nodes of the records, and the node Change and Delete act on.
    TreeNodes m_nodes {m_book};

    // Shared state of the pages.
    bool AboutMode = false;
    int m_pageSetByCode = 0; // the program is switching the page itself
    bool m_askingForGolfer = false;
    bool m_shownOnce = false;
    bool m_wasInactiveApp = false;

    // Actions; those the pages turn on and off in m_actions too.
    ShellActions m_actions;
    QAction *RegistGolferAction = nullptr;
    QAction *DeleteGolferAction = nullptr;
    QAction *DataAppendAction = nullptr;
    QAction *DataRegistAction = nullptr;
    QAction *DataCancelAction = nullptr;
    QAction *DataDeleteAction = nullptr;
    QAction *DataChangeAction = nullptr;
    QAction *ScoreDispAction = nullptr;
    QAction *ChartAction1 = nullptr;
    QAction *ShukeiAction = nullptr;
    QAction *AnalysisAction = nullptr;

    // Menu items with captions of their own.
    QAction *PrintMenu = nullptr;
    QAction *Exit1 = nullptr;
    QAction *ScoreDisp = nullptr;
    QAction *GraphDisp = nullptr;
    QAction *ShukeiDisp = nullptr;
    QAction *KestroG1 = nullptr;
    QAction *Contents1 = nullptr;
    QAction *About1 = nullptr;
    QAction *ExportMenu = nullptr;
    QAction *ImportMenu = nullptr;
    QAction *RestoreMenu = nullptr;
    ImportSummaryDialog *m_importDialog = nullptr;
    RestoreDialog *m_restoreDialog = nullptr;
    QAction *HandicapMenu = nullptr;

    // Tool bar.
    QToolBar *ToolBar1 = nullptr;
    QComboBox *GolferCombo = nullptr;
    QToolButton *DataAppendBtn = nullptr;
    QToolButton *DataRegistBtn = nullptr;
    QToolButton *DataCancelBtn = nullptr;
    QToolButton *DataDeleteBtn = nullptr;
    QToolButton *DataChangeBtn = nullptr;
    QToolButton *ScoreBtn = nullptr;
    QToolButton *ChartBtn1 = nullptr;
    QToolButton *ShukeiBtn = nullptr;
    QToolButton *HelpBtn = nullptr;

    // Centre.
    QTreeWidget *TreeView1 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    YoteiPage *YoteiSheet = nullptr;
    LinksPage *LinksSheet = nullptr;
    CoursePage *CourseSheet = nullptr;
    ScorePage *ScoreSheet = nullptr;
    SeisekiPage *SeisekiSheet = nullptr;
    QLabel *StatusPanel = nullptr;

    // The golf club names the club boxes of the pages show: item i is club i.
    QStringListModel *m_clubNames = nullptr;

    // The focus rule the boxes of every page share.
    ScoreSheetLink m_scoreLink;

    THandicapForm *HandicapForm = nullptr;
    AnalysisWindow *m_analysis = nullptr; // made when first asked for
};
