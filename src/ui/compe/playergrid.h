#pragma once

#include "core/compe/competition.h"

#include <QList>
#include <QTableWidget>

#include <optional>

// The players of a competition, one row each: the name, the 18 scores with the halves and
// the total, and whether he is a registered golfer (his scores come from his card and are
// not typed here) or a guest, whose name and scores are typed into the row.
class CompePlayerGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit CompePlayerGrid(QWidget *parent = nullptr);

    void setPlayers(const QList<compe::Player> &players);
    void addPlayer(const compe::Player &player);
    // An empty guest row at the end, its name cell open for typing; returns its row.
    int addGuest();
    void removePlayer(int row);
    QString nameAt(int row) const;
    bool isGolferRow(int row) const;

    // The players as typed, or none and the message naming the first thing wrong (an empty
    // name or score, a score that is none, a name twice).
    std::optional<QList<compe::Player>> players(QString *problem) const;
    // Every row as a player would stand: for a join's check while guest rows are incomplete.
    // Only the names count there.
    QList<compe::Player> namesOnly() const;

    // Shades the columns of the hidden holes.
    void setHidden(const QList<int> &holes);

Q_SIGNALS:
    // The user changed a cell.
    void edited();
    // A score typed that is no score: the message naming it. The text stays in its cell.
    void refused(const QString &message);

private:
    void fillRow(int row, const compe::Player &player, bool golfer);
    void cellEdited(QTableWidgetItem *item);
    void showTotals(int row);
    void shade(int row);

    QList<int> m_hidden;
    int m_filling = 0;
};
