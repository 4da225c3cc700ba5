#pragma once

#include "core/compe/peoria.h"

#include <QList>
#include <QTableWidget>

// The pars of the competition's 18 holes and a tick for each hidden hole, in the columns of
// the players grid below it. The ticks are the user's until the holes are announced.
class CompeHoleGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit CompeHoleGrid(QWidget *parent = nullptr);

    // Zeros while no courses are chosen: the holes show no par and take no tick.
    void setPars(const compe::Pars &pars);
    // The ticks as they stand; `locked` keeps them as they are.
    void setHidden(const QList<int> &holes, bool locked);
    QList<int> hidden() const; // ascending

Q_SIGNALS:
    // The user ticked (on) or unticked a hole.
    void toggled(int hole, bool on);

private:
    void showCounts();

    compe::Pars m_pars {};
    bool m_locked = false;
    bool m_filling = false;
};
