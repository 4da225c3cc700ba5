#pragma once

#include "core/data/carddetails.h"
#include "core/stats/analysis.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QSpinBox;
class HoleView;
class QSplitter;
class QTabWidget;
class QTableWidget;
class TrendCharts;

// The statistics of the chosen golfer's cards with their trend: a selection like the tally
// dialog's (a year, a golf club or the most recent rounds), the table of the statistics for
// the selection and its last rounds, and the charts. It stays open beside the main window
// and follows the cards as they change.
class AnalysisWindow final : public QWidget
{
    Q_OBJECT

public:
    // `cards` are the golfer's cards as the main window holds them, read again on each
    // refresh.
    // The window reads the cards as they change: they must outlive it.
    explicit AnalysisWindow(const ScoreCards &cards, QWidget *parent = nullptr);
    AnalysisWindow(ScoreCards &&, QWidget * = nullptr) = delete;

    // Shows the window over the current cards and brings it forward; the first time it is
    // sized to the screen, later it keeps the size the user gave it.
    void open();
    // The golfer whose cards these are, named in the title.
    void setGolfer(const QString &golfer);
    // The selection the table was made from, as a line of text.
    QString selectionText() const;
    // The cards changed. Another golfer's cards start from the whole selection again; the
    // same golfer's keep the choices that still exist. A hidden window does not read the
    // cards (they need not be decoded): it takes them up when it is opened.
    void cardsChanged(bool otherGolfer);
    // The play details of the cards, read on each refresh as the cards are; none counts no
    // round as having details.
    void setDetails(const details::DetailsMap *details);

    const stats::Analysis &analysis() const { return m_analysis; }
    // The table as texts, header first (what Ctrl+C copies when nothing is selected).
    QList<QStringList> tableRows() const { return stats::analysisTable(m_analysis); }
    // Copies the selected rows, or the whole table, with the header as a spreadsheet takes it.
    void copyTable();

Q_SIGNALS:
    // The user asked to save the table as a CSV file.
    void exportRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillChoices(bool fresh);
    void selectionChanged();
    void refresh();
    void arrange();
    stats::TallyCondition condition() const;

    const ScoreCards &m_cards;
    const details::DetailsMap *m_details = nullptr;
    stats::Analysis m_analysis;
    bool m_sized = false;
    bool m_arranged = false; // the table and the charts have been given their widths
    bool m_fresh = false; // another golfer's cards came while the window was hidden
    bool m_filling = false; // the choices are being refilled: no refresh per change
    bool m_countAtAll = true; // the count follows the number of cards

    QComboBox *YearCombo = nullptr;
    QComboBox *LinksCombo = nullptr;
    QSpinBox *CountSpin = nullptr;
    QLabel *TotalLabel = nullptr;
    QLabel *NoteLabel = nullptr;
    QTableWidget *AnalysisTable = nullptr;
    TrendCharts *Charts = nullptr;
    QSplitter *m_split = nullptr;
    QTabWidget *AnalysisTabs = nullptr;
    HoleView *Holes = nullptr;
};
