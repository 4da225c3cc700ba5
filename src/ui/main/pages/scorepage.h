#pragma once

#include "editingpage.h"

#include "core/data/carddetails.h"

#include <QWidget>

class DialogService;
class PageHost;
class ScoreBoxes;
class QStringListModel;
class RecordBook;
class TSeisekiForm;
struct TScoreRecord;
template <typename T> class RecordList;

// The score card page: a new card typed in, or a stored card shown, changed or deleted, its
// strokes shown as they are or over and under par, and its charts.
class ScorePage final : public QWidget, public EditingPage
{
    Q_OBJECT

public:
    ScorePage(RecordBook &book, PageHost &host);
    ~ScorePage() override;

    bool append() override;
    bool regist(qint64 freeBytes) override;
    void cancel() override;
    bool remove() override;
    void change() override;
    QStringList hints() const override;

    // The chart window of a card, made with the window's other result windows.
    void createResults();
    void setClubNames(QStringListModel *names);
    // Shows the card of the day (a date text of the tree).
    void ScoreNodeSelect(const QString &dateText);
    void ScoreBtnClick();
    void resetScoreDisp();
    QString scoreDispMode() const { return ScoreDispMode; }
    // Both halves offer the courses of the club chosen.
    void offerCourses();
    // The card chosen in the tree and shown, for the printout; -1 when there is none.
    int shownCard() const;
    // The tree's choice moved away from the card shown.
    void forgetSelection() { ScoreSelected = false; }
    // The cards moved or went (another golfer, an import): a card on the page goes too.
    // True when there was one.
    bool forgetCard();
    void showCardChart();
    // The rows of play details under the card, shown or not; hidden, a card is stored with
    // the details it has.
    void setDetailsShown(bool shown);

Q_SIGNALS:
    // The user chose a club in the club box.
    void clubActivated();

private:
    void ScoreSheetRegistCheck();
    // The details on the page when they are shown; none (keep what is stored) when hidden.
    std::optional<CardDetails> typedDetails() const;
    DialogService &dialogs() const;

    RecordBook &m_book;
    PageHost &m_host;
    // The cards as the book holds them: counted, dated and fetched one by one.
    const RecordList<TScoreRecord> &ScoreList;
    int ScoreIndex = -1; // the card shown, or -1
    bool ScoreSelected = false; // chosen in the tree, so there is a card to print
    bool CheckFailed = false;
    // "Par+-" while the strokes are plain, "Normal" while they are over and under par.
    QString ScoreDispMode = QStringLiteral("Par+-");

    ScoreBoxes *ui = nullptr;
    TSeisekiForm *SeisekiForm = nullptr;
};
