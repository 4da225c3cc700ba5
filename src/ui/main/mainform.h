#pragma once

#include "core/data/recordbook.h"
#include "mainformoptions.h"
#include "pages/pagehost.h"
#include "ui/common/services.h"

#include <QMainWindow>

class AnalysisWindow;
class CompeWindow;
class ExportDialog;
class ImportSummaryDialog;
class PageFrame;
class QComboBox;
class QMenu;
class RestoreDialog;
class THandicapForm;

// The main window: it owns the record book and holds the menus, the tool bar with the golfer
// box, and the tree and the five pages (PageFrame), to which it hands the editing actions.
class TMainForm final : public QMainWindow
{
    Q_OBJECT

public:
    TMainForm(const MainFormOptions &options, const Services &services, QWidget *parent = nullptr);
    ~TMainForm() override;

    // What the tests and the benchmark read; the window is driven through its controls.
    const QList<TLinksRecord> &linksList() const { return LinksList; }
    const QList<TCourseRecord> &courseList() const { return CourseList; }
    const QList<TYoteiRecord> &yoteiList() const { return YoteiList; }
    // Every card decoded (made on the first call); scoreCount() counts without decoding.
    const ScoreCards &scoreList() const { return ScoreList.list(); }
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
    // The data files were replaced from a backup: the window opens anew on them, as at a start.
    void restartRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

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

    // The tools: the handicap estimate, the analysis (it follows every change of the book and
    // of the golfer), the competitions, and the play details' rows of the score page, on or
    // off as the user last left them (mainform_handicap/_analysis/_compe.cpp).
    void createHandicap(QMenu *tools);
    void HandicapMenuClick();
    void createAnalysis(QMenu *tools);
    void AnalysisActionExecute();
    void analysisFollow(bool otherGolfer);
    void createCompe(QMenu *tools);
    void CompeActionExecute();
    void createPlayDetails(QMenu *tools);

    QString m_dir;
    MainFormOptions m_options;
    Services m_services;
    DialogService &dialogs() const { return *m_services.dialogs; }
    QDate today() const { return m_services.clock->today(); }

    // The book owns the records and their rules; the window reads them, changes them through it.
    RecordBook m_book;
    RatingStore &m_ratings = m_book.ratings();
    const QList<TLinksRecord> &LinksList = m_book.links();
    const QList<TCourseRecord> &CourseList = m_book.courses();
    const QList<TYoteiRecord> &YoteiList = m_book.yotei();
    // Counted, dated and fetched one by one without decoding them all; list() decodes them.
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
    QAction *PlayDetailsAction = nullptr;
    QAction *ExportMenu = nullptr;
    QAction *ImportMenu = nullptr;
    QAction *RestoreMenu = nullptr;
    QComboBox *GolferCombo = nullptr;
    PageFrame *m_frame = nullptr;
    ExportDialog *m_exportDialog = nullptr;
    ImportSummaryDialog *m_importDialog = nullptr;
    RestoreDialog *m_restoreDialog = nullptr;
    QAction *CompeAction = nullptr;
    CompeWindow *m_compe = nullptr; // made when first asked for
    THandicapForm *HandicapForm = nullptr;
    AnalysisWindow *m_analysis = nullptr; // made when first asked for
};
