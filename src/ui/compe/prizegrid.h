#pragma once

#include "core/compe/competition.h"

#include <QList>
#include <QTableWidget>

#include <optional>

// The prize holes the organiser keeps: ドラコン and ニアピン, each with its hole and winner as
// typed.
class CompePrizeGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit CompePrizeGrid(QWidget *parent = nullptr);

    void setPrizes(const QList<compe::PrizeHole> &prizes);
    // A new row of that kind at the end, its hole cell open for typing.
    void addPrize(compe::PrizeKind kind);
    // The prizes as typed, or none and the message naming the first hole that is none.
    std::optional<QList<compe::PrizeHole>> prizes(QString *problem) const;

Q_SIGNALS:
    void edited();

private:
    void addRow(compe::PrizeKind kind, const QString &hole, const QString &winner);

    int m_filling = 0;
};
