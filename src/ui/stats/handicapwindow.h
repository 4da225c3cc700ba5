#pragma once

#include "core/data/ratingstore.h"
#include "core/data/scorecards.h"
#include "core/stats/handicap.h"
#include "ui/common/modaldialog.h"

#include <QList>

class DialogService;
class HandicapTableModel;
class QChartView;
class QComboBox;
class QCategoryAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTableView;
class QTableWidget;
class QValueAxis;

// The handicap estimate of the chosen golfer: the headline index (or how many rated rounds
// are still missing), his cards with their ratings to type in, the index after each rated
// round as a chart, and the HDCP row of a course. Shown modally; the widgets are made the
// first time it is filled, so the program's start does not pay for them.
class THandicapForm final : public TModalDialog
{
    Q_OBJECT

public:
    THandicapForm(RatingStore &store, DialogService &dialogs, QWidget *parent = nullptr);

    // Fills the window with the golfer's cards and the clubs' courses.
    void showGolfer(const QString &golfer, const ScoreCards &cards,
        const QList<TLinksRecord> &links, const QList<TCourseRecord> &courses);

private:
    void build();
    void refresh(); // the headline and the chart, after the table's estimate changed
    void sizeColumns(const ScoreCards &cards);
    void fillNextRounds();
    void showNextRound();
    void fillCourses();
    void fillHoles();
    void holeEdited(int row, int column);
    void noteHoles(bool stored);
    void reportLater(const QString &text);
    void reportWriteErrors(const QStringList &errors);

    RatingStore &m_store;
    DialogService &m_dialogs;
    QList<TLinksRecord> m_links;
    QList<TCourseRecord> m_courses;
    QString m_latestClub; // of the golfer's last card, offered first for the HDCP row
    bool m_fillingHoles = false;
    HoleHandicaps m_holeValues {}; // the HDCP row as shown, 0 for an empty cell

    HandicapTableModel *m_model = nullptr;
    QLabel *HdcpIndexText = nullptr;
    QLabel *HdcpNoteText = nullptr;
    QTableView *HdcpGrid = nullptr;
    QChartView *HdcpChart = nullptr;
    QLineSeries *HdcpSeries = nullptr;
    QCategoryAxis *m_dateAxis = nullptr;
    QValueAxis *m_indexAxis = nullptr;
    QComboBox *HdcpLinksCombo = nullptr;
    QComboBox *HdcpCourseCombo = nullptr;
    QTableWidget *HdcpHoleGrid = nullptr;
    QLabel *HdcpHoleNote = nullptr;
    QPushButton *HdcpCloseBtn = nullptr;
    QComboBox *HdcpNextCombo = nullptr;
    QLabel *HdcpNextText = nullptr;
    QList<handicap::NextRound> m_nextRounds;
};
