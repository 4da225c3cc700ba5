#pragma once

#include "core/data/ratingstore.h"
#include "core/data/recordbook.h"
#include "core/data/records.h"
#include "core/stats/shousai.h"
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
class CompeWindow;
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

namespace printout {
struct PrintPage;
}

// The pages of the window, in the order of their tabs.
enum class Page { Yotei, Links, Course, Score, Seiseki };

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
class TMainForm final : public QMainWindow
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
    QString scoreDispMode() const { return ScoreDispMode; }
    QString shukeiCaller() const { return ShukeiCaller; }
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
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Set-up (mainform_setup.cpp, mainform_layout.cpp).
    void FormCreate();
    void installGuards();
    static bool isEditingKey(const QKeyEvent *key);
    void createActions();
    void createMenus();
    void createToolBar();
    void createCentre();
    QWidget *createYoteiPage();
    QWidget *createLinksPage();
    QWidget *createCoursePage();
    QWidget *createScorePage();
    QWidget *createSeisekiPage();
    void installTextTips();
    void Delay(unsigned ms);
    void FormKeyPress(bool shift);
    void KestroG1Click();
    void HelpBtnClick();
    void About1Click();
    void URLButtonClick();
    void setStatus(const QString &text);

    // Text typed into the byte-limited boxes (mainform_input.cpp).
    void connectInputGuards();
    void inputRefused(const QString &message);
    // Takes the text of a box into a record's field, or says why it cannot be stored and
    // puts the focus into the box; a text equal to the field's is left as it was stored.
    bool takeText(QString &field, QWidget *box, const QString &text, int maxBytes);

    // Printing (mainform_print.cpp).
    void PrintMenuClick();
    void Print_ScoreSheet(QPrinter &printer, int copies);
    void Print_SeisekiSheet(QPrinter &printer, int copies);
    void printJob(QPrinter &printer, const QList<printout::PrintPage> &pages, int copies);
    bool seisekiHasResult() const;
    QString printKensakuYear() const;
    QString printKensakuLinks() const;

    // Files (mainform_files.cpp).
    // Shows a refusal of the book, then every file it could not write; false when refused.
    bool settle(const BookChange &change);
    bool settle(Refusal refusal);
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
    void showPage(QWidget *page);
    Page currentPage() const;
    void ActionList_TreeView();
    void setRecordHints(Page page);
    void pageStatus(Page page);
    void yoteiCountStatus();
    void YoteiSheet_Format();
    void LinksSheet_Format();
    void CourseSheet_Format();
    void YoteiCalendarClick();
    void YDateTextClick();
    void ScoreDatePickerClick();
    void ScoreDatePickerCloseUp();
    void YoteiSheetResize();
    void LinksSheetResize();
    QTreeWidgetItem *linksNodeOf(const QString &linksName) const;
    // The club nodes, whose course nodes are made when a club is first opened or a look-up
    // needs them (mainform_clubnodes.cpp).
    void addClubNodes();
    void ensureCourseNodes(QTreeWidgetItem *club);
    void addCourseNode(QTreeWidgetItem *club, const QString &courseName);
    // A node opened for the first time or looked into: a club's courses or a year's cards
    // are made if they have not been yet.
    void ensureChildren(QTreeWidgetItem *node);
    // A club or year node whose children have not been made yet.
    static bool childrenPending(const QTreeWidgetItem *node);
    // The first child of the node with the text, the one a click on that text finds.
    static QTreeWidgetItem *childNamed(const QTreeWidgetItem *parent, const QString &text);
    // The same for a club or year node (none for no node), its children made first.
    QTreeWidgetItem *lazyChild(QTreeWidgetItem *parent, const QString &text);

    // What each record page does for the five editing actions: its own file holds them.
    struct RecordPage {
        void (TMainForm::*append)(); // opens the page for a new record
        bool (TMainForm::*regist)(qint64 freeBytes);
        void (TMainForm::*change)();
        bool (TMainForm::*remove)();
        void (TMainForm::*reset)(); // empties the page and makes it read-only
        std::array<const char *, 5> hints; // Append, Regist, Cancel, Delete, Change
    };
    // Null for the results page, which holds no record.
    static const RecordPage *recordPage(Page page);

    // The five editing actions, dispatched to the page shown (mainform_edit.cpp).
    void DataAppendActionExecute();
    void DataCancelActionExecute();
    void DataRegistActionExecute();
    void DataChangeActionExecute();
    void DataDeleteActionExecute();
    void AppendCheck();
    void YLinksComboChange(int index);
    void CLinksComboChange(int index);
    void YardEditReadOnly();
    void YardEditNotReadOnly();
    void ParEditReadOnly();
    void ParEditNotReadOnly();
    bool freeSpaceOk(qint64 threshold, qint64 freeBytes);
    // Moves the focus to the page; false when the box left refused its text on the way.
    bool focusPage(QWidget *page);

    // Schedule page (mainform_yoteipage.cpp).
    void yoteiAppend();
    bool yoteiRegist(qint64 freeBytes);
    void yoteiChange();
    bool yoteiDelete();
    void yoteiShow(int index);
    void YTimeEditExit();
    static QStringList yoteiRow(const TYoteiRecord &r);
    void writeYoteiRow(int row, const TYoteiRecord &r);

    // Golf club page (mainform_linkspage.cpp).
    void linksAppend();
    bool linksRegist(qint64 freeBytes);
    void linksChange();
    bool linksDelete();
    void linksShow(int index);
    static QStringList linksRow(const TLinksRecord &r);
    void writeLinksRow(int row, const TLinksRecord &r);

    // Course page (mainform_coursepage.cpp).
    void courseAppend();
    bool courseRegist(qint64 freeBytes);
    void courseChange();
    bool courseDelete();
    void courseShow(int index, QTreeWidgetItem *clubNode);
    void YardValueCheck(QLineEdit *edit);
    void ParValueCheck(QLineEdit *edit);
    void holeValueCheck(QLineEdit *edit, const std::array<QLineEdit *, 9> &row, qint32 largest,
        QLabel *total, const QString &suffix);
    void CourseSheetRegistCheck();
    QTreeWidgetItem *courseNodeOf(const QString &linksName, const QString &courseName);

    // Score page (mainform_scorepage.cpp; stored cards in mainform_scoredisplay.cpp).
    void scoreAppend();
    void ScoreSheet_Format();
    void ScoreEditReadOnly();
    void PuttEditReadOnly();
    void ScoreEditNotReadOnly();
    void PuttEditNotReadOnly();
    void scoreInputsReadOnly(bool readOnly);
    void ScoreCardFrame1CourseCombo1Change();
    void ScoreCardFrame2CourseCombo1Change();
    void courseChosen(int frameIndex);
    void SHandicapEditExit();
    void roundStrokesTotalled();
    void roundPuttsTotalled();
    void WeatherComboChange();
    void PartnerScoreCheck(QLineEdit *edit);
    void ScoreSheetRegistCheck();
    bool scoreRegist(qint64 freeBytes);
    void scoreChange();
    bool scoreDelete();
    void ScoreNodeSelect(const QString &dateText);
    void ScoreBtnClick();
    void SeisekiGridDblClick();
    void resetScoreDisp();
    bool readScorePage(TScoreRecord &card, bool wholeCard);
    void showScoreCard(const TScoreRecord &card);

    // The cards' nodes (mainform_cardnodes.cpp): a year node per year of the year list, whose
    // date nodes are made when it is first opened or a look-up needs them.
    // Only the years in `withCards` (every year without it) can be opened.
    void addScoreNodes(const QSet<QString> *withCards = nullptr);
    void rebuildScoreNodes();
    QTreeWidgetItem *yearNode(const QString &yearText) const;
    QTreeWidgetItem *ensureYearNode(const QString &yearText);
    void ensureDateNodes(QTreeWidgetItem *year);
    void ensureDateNodesOf(TDateTime roundDate);
    QTreeWidgetItem *insertScoreNodes(TDateTime roundDate);
    QTreeWidgetItem *cardNode(TDateTime roundDate);
    static void placeDateNode(QTreeWidgetItem *year, QTreeWidgetItem *node, const QDate &date);

    // Results and charts (mainform_results.cpp).
    void seisekiEnter();
    void SeisekiSheetResize();
    void createResults();
    void ShukeiActionExecute();
    void ShousaiShukei();
    void ItiranShukei();
    void ShoujunShukei();
    void ChartAction1Execute();
    void seisekiGridEmpty();
    void seisekiListGrid(const QList<QStringList> &rows);
    void seisekiNothingFound();
    stats::TallyCondition tallyCondition() const;

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

    // The competitions' window (mainform_compe.cpp).
    void createCompe(QMenu *tools);
    void CompeActionExecute();

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

    // Shared state of the pages.
    int LinksIndex = -1;
    int YoteiIndex = -1;
    int CourseIndex = -1;
    int ScoreIndex = -1;
    int CourseLinksIndex = -1;
    QTreeWidgetItem *SelectedNode = nullptr;
    QTreeWidgetItem *SelectedParent = nullptr;
    bool CourseSelected = false;
    bool ScoreSelected = false;
    bool CheckFailed = false;
    QString ScoreDispMode;
    QString ShukeiCaller;
    bool ShukeiDone = false;
    bool AboutMode = false;
    int m_exitRefusals = 0; // number boxes that refused their text as they were left
    quint64 m_weatherWrites = 0; // the program's own writes of the weather box
    int m_pageSetByCode = 0; // the program is switching the page itself
    bool m_askingForGolfer = false;
    bool m_shownOnce = false;
    bool m_wasInactiveApp = false;

    // Actions.
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
    QAction *CompeAction = nullptr;
    CompeWindow *m_compe = nullptr; // made when first asked for

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
    QTreeWidgetItem *YoteiNode = nullptr;
    QTreeWidgetItem *LinksNode = nullptr;
    QTreeWidgetItem *ScoreNode = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *YoteiSheet = nullptr;
    QWidget *LinksSheet = nullptr;
    QWidget *CourseSheet = nullptr;
    QWidget *ScoreSheet = nullptr;
    QWidget *SeisekiSheet = nullptr;
    QLabel *StatusPanel = nullptr;

    // Schedule page.
    QCalendarWidget *YoteiCalendar = nullptr;
    QLabel *YDateText = nullptr;
    QLineEdit *YTimeEdit = nullptr;
    QComboBox *YLinksCombo = nullptr;
    QLineEdit *YBikouEdit = nullptr;
    TStringGrid *YoteiGrid = nullptr;

    // Golf club page.
    QLineEdit *LinksNameEdit = nullptr;
    QLineEdit *LinksAddressEdit = nullptr;
    QLineEdit *LinksTelEdit = nullptr;
    QLineEdit *URLEdit = nullptr;
    QPushButton *URLButton = nullptr;
    TStringGrid *LinksGrid = nullptr;

    // Course page.
    QComboBox *CLinksCombo = nullptr;
    QLineEdit *CourseEdit = nullptr;
    QComboBox *GreenCombo = nullptr;
    QComboBox *TeeCombo = nullptr;
    std::array<QLineEdit *, 9> YardEdit {};
    std::array<QLineEdit *, 9> ParEdit {};
    QLabel *YardTotalText = nullptr;
    QLabel *ParTotalText = nullptr;

    // Score page.
    QDateEdit *ScoreDatePicker = nullptr;
    QLineEdit *m_scoreDateText = nullptr; // the picker's inner text box
    QWidget *m_scoreDatePopup = nullptr; // the picker's drop-down calendar window
    ulong m_lastPickerPress = 0; // one press, however many of the picker's parts it passes
    QComboBox *SLinksCombo = nullptr;
    QLabel *SLinksText = nullptr;
    QComboBox *WeatherCombo = nullptr;
    ScoreSheetLink m_scoreLink;
    TScoreCardFrame *ScoreCardFrame1 = nullptr;
    TScoreCardFrame *ScoreCardFrame2 = nullptr;
    QLineEdit *SHandicapEdit = nullptr;
    std::array<QLineEdit *, 3> PartnerEdit {};
    std::array<QLineEdit *, 3> PartnerScoreEdit {};
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *SYardText = nullptr;
    QLabel *SParText = nullptr;
    QLabel *SScoreText = nullptr;
    QLabel *SPuttText = nullptr;
    QLabel *SNetText = nullptr;

    // Results page.
    QLabel *ShukeiNaiyou = nullptr;
    QLabel *KensakuNaiyou = nullptr;
    TStringGrid *SeisekiGrid = nullptr;

    // Results: the windows and what the last detailed tally or card chart left for the
    // charts and the printout.
    TShukeiForm *ShukeiForm = nullptr;
    TSeisekiForm *SeisekiForm = nullptr;
    TChartForm *ChartForm = nullptr;
    THandicapForm *HandicapForm = nullptr;
    AnalysisWindow *m_analysis = nullptr; // made when first asked for
    std::array<qint32, 7> HoleResultCounts {};
    stats::ParAverages m_parAverages; // Par3Average … Par5Over
};
