#pragma once

#include "competition.h"

#include "core/data/records.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace compe {

// A golfer's card of one day, read straight from his score file (<name>.sce in the data
// folder): the record book and its chosen golfer are not touched. Only the day of each card
// is looked at until the card is found. No card that day is no error; a name that cannot be
// a file name, or a file that cannot be read, is.
struct DayCard {
    std::optional<TScoreRecord> card;
    QString error;
};
DayCard readCardOfDay(const QString &dataDir, const QString &golfer, const QDate &day);

// A registered golfer offered as a player: his scores from his card of the competition's
// day at its club, put in the competition's order of courses (a player who started on the IN
// course has it as the first half of his card).
struct OfferedPlayer {
    Player player;
    bool swapped = false; // his card's halves were the other way round
    // What the organiser should know before taking him: his card's courses are not the
    // competition's, or a score the method cannot take. Empty when there is nothing.
    QString note;
};
struct Offer {
    QList<OfferedPlayer> players; // in the order of the golfer list
    QStringList problems; // golfers whose cards could not be looked at
};
Offer offeredPlayers(const QString &dataDir, const QStringList &golfers, const Competition &c);

} // namespace compe
