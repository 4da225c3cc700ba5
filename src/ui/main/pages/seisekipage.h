#pragma once

#include "editingpage.h"

#include "core/stats/shousai.h"

#include <QWidget>

#include <array>

class DialogService;
class PageHost;
class QLabel;
class RecordBook;
class TChartForm;
class TShukeiForm;
class TStringGrid;
struct TScoreRecord;
template <typename T> class RecordList;
namespace printout {
struct ResultsSheet;
}

// The results page: the tallies of the chosen golfer's cards that the tally dialog asks for,
// in its grid, and their charts. It holds no record, so the editing actions pass it by.
class SeisekiPage final : public QWidget, public EditingPage
{
    Q_OBJECT

public:
    SeisekiPage(RecordBook &book, PageHost &host);
    ~SeisekiPage() override;

    bool append() override { return false; }
    bool regist(qint64) override { return false; }
    void cancel() override { }
    bool remove() override { return false; }
    void change() override { }
    QStringList hints() const override { return {}; }

    // The tally dialog and the chart window, made with the window's other result windows.
    void createResults();
    // The page was switched to: the last tally confirmed is run again on today's cards.
    void seisekiEnter();
    void ShukeiActionExecute();
    void showResultCharts();
    // Another golfer: no tally of his has been confirmed yet.
    void forgetTally();
    QString shukeiCaller() const { return ShukeiCaller; }

    // A tally is shown.
    bool hasResult() const;
    // What the printout shows of the tally.
    printout::ResultsSheet resultsSheet() const;
    // The tally as the grid shows it: its visible columns, its heading row when it has one.
    QList<QStringList> shownTable() const;
    // The tally is a score list, whose first row is its heading.
    bool hasHeadingRow() const;

Q_SIGNALS:
    // The user asked for the card of the day (a date text of the tree).
    void cardRequested(const QString &dateText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShousaiShukei();
    void ItiranShukei();
    void ShoujunShukei();
    void SeisekiGridDblClick();
    void SeisekiSheetResize();
    void seisekiGridEmpty();
    void seisekiListGrid(const QList<QStringList> &rows);
    void seisekiNothingFound();
    stats::TallyCondition tallyCondition() const;
    DialogService &dialogs() const;

    RecordBook &m_book;
    PageHost &m_host;
    const RecordList<TScoreRecord> &ScoreList;
    QString ShukeiCaller; // "PageControl" while the page switch runs the tally again
    bool ShukeiDone = false; // a tally was confirmed in the dialog
    // What the last detailed tally left for its charts.
    std::array<qint32, 7> HoleResultCounts {};
    stats::ParAverages m_parAverages; // Par3Average … Par5Over

    QLabel *ShukeiNaiyou = nullptr;
    QLabel *KensakuNaiyou = nullptr;
    TStringGrid *SeisekiGrid = nullptr;
    TShukeiForm *ShukeiForm = nullptr;
    TChartForm *ChartForm = nullptr;
};
