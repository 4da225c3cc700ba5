#pragma once

#include "core/stats/holestats.h"

#include <QWidget>

class QChartView;
class QComboBox;
class QLabel;
class QStackedBarSeries;
class QTableWidget;

// Where the strokes go: the holes of a club's two courses with their averages, par-on and
// three-putt rates and, from the details, fairways and OB; sorted by number or by cost, the
// three costliest marked, and a chart of the averages over par.
class HoleView final : public QWidget
{
    Q_OBJECT

public:
    // The cards and details are read again on each refresh: they must outlive the view.
    HoleView(const ScoreCards &cards, QWidget *parent = nullptr);

    void setDetails(const details::DetailsMap *details) { m_details = details; }
    // The cards changed: the choices are filled again, keeping those that still exist.
    void refresh();

    const QList<stats::HoleStats> &holes() const { return m_holes; }

private:
    void fillCourses();
    void showHoles();

    const ScoreCards &m_cards;
    const details::DetailsMap *m_details = nullptr;
    QList<stats::HoleStats> m_holes;
    bool m_filling = false;

    QComboBox *HoleClubCombo = nullptr;
    QComboBox *OutCourseCombo = nullptr;
    QComboBox *InCourseCombo = nullptr;
    QComboBox *HoleOrderCombo = nullptr;
    QLabel *HoleNoteLabel = nullptr;
    QTableWidget *HoleTable = nullptr;
    QChartView *HoleChart = nullptr;
    QStackedBarSeries *m_bars = nullptr;
};
