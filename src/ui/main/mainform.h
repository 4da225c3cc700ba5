#pragma once

#include "core/data/recordbook.h"
#include "pages/pagehost.h"
#include "ui/common/services.h"

#include <QMainWindow>
#include <QRect>

#include <optional>

class AnalysisWindow;
class ExportDialog;
class ImportSummaryDialog;
class PageFrame;
class QComboBox;
class QMenu;
class RestoreDialog;
class THandicapForm;

struct MainFormOptions {
    QString dataDir; // the folder of the data files
    unsigned startupDelayMs = 0; // how long the splash window stays up at least
    // Where the window stands, for one that takes the place of an earlier one; without it
    // the window is fitted to the screen.
    std::optional<QRect> geometry;
    // The golfer chosen in that earlier window, chosen again when the list still holds him.
    QString golfer;
};

// The main window: it owns the record book and holds the menus, the tool bar with the golfer
// box, and in its centre the tree and the five pages (PageFrame), to which it hands the
// editing actions. Its work is spread over several source files by concern.
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
    QStringList yearList() const { return m_book.yearList(); }
    QStringList playedLinksList() const { return m_book.playedLinksList(); }
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
    // Set-up and start (mainform_setup.cpp, mainform_startup.cpp).
    void createActions();
    void createMenus();
    void createToolBar();
    void createCentre();
    void installGuards();
    void FormCreate();
    void FormKeyPress(bool shift);
    void KestroG1Click();
    void HelpBtnClick();
    void About1Click();
    void PrintMenuClick();
    Page currentPage() const;
    void setStatus(const QString &text);

    // Files and golfers (mainform_files.cpp, mainform_golfer.cpp).
    bool settle(const BookChange &change); // false when the book refused
    bool askToReplace(const FileConcern &concern);
    void RegistGolferActionExecute();
    void DeleteGolferActionExecute();
    void GolferComboClick(int index);
    void FilesRead(const QString &name);
    void FilesWrite();

    // CSV files and backups (mainform_exchange.cpp).
    void createExchange(QMenu *file);
    void ExportMenuClick();
    // Asks what, where and in which form; the analysis table first when asked from its window.
    void exportCsv(bool analysisFirst);
    void ImportMenuClick();
    void RestoreMenuClick();
    void noteBackupNotice(const QString &notice);

    // The handicap estimate and the analysis window, which follows every change of the book
    // and of the golfer (mainform_handicap.cpp, mainform_analysis.cpp).
    void createHandicap(QMenu *tools);
    void HandicapMenuClick();
    void createAnalysis(QMenu *tools);
    void AnalysisActionExecute();
    void analysisFollow(bool otherGolfer);

    QString m_dir;
    MainFormOptions m_options;
    Services m_services;
    DialogService &dialogs() const { return *m_services.dialogs; }
    QDate today() const { return m_services.clock->today(); }

    // Records: the book owns them and keeps their rules; the window reads them by their
    // usual names and changes them only through the book.
    RecordBook m_book;
    RatingStore &m_ratings = m_book.ratings();
    const QList<TLinksRecord> &LinksList = m_book.links();
    const QList<TCourseRecord> &CourseList = m_book.courses();
    const QList<TYoteiRecord> &YoteiList = m_book.yotei();
    // The cards as the book holds them: counted, dated and fetched one by one (record(i))
    // without decoding them all; list() decodes them all, on the first call.
    const RecordList<TScoreRecord> &ScoreList = m_book.scoreRecords();
    const QString &GolferName = m_book.golferName();

    bool AboutMode = false;
    bool m_askingForGolfer = false;
    bool m_shownOnce = false;
    bool m_wasInactiveApp = false;

    ShellActions m_actions; // those the pages turn on and off
    QAction *RegistGolferAction = nullptr;
    QAction *DeleteGolferAction = nullptr;
    QAction *AnalysisAction = nullptr;
    QAction *ExportMenu = nullptr;
    QAction *ImportMenu = nullptr;
    QAction *RestoreMenu = nullptr;
    QComboBox *GolferCombo = nullptr;
    PageFrame *m_frame = nullptr;
    ExportDialog *m_exportDialog = nullptr;
    ImportSummaryDialog *m_importDialog = nullptr;
    RestoreDialog *m_restoreDialog = nullptr;
    THandicapForm *HandicapForm = nullptr;
    AnalysisWindow *m_analysis = nullptr; // made when first asked for
};
