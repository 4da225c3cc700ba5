#pragma once

#include "core/data/datetime.h"
#include "core/data/records.h"
#include "core/data/scorecards.h"

#include <QDate>

// Records with sensible contents, to be adjusted by each test.
namespace build {

TLinksRecord club(const QString &name, const QString &url = QString());
// Nine holes: yards 350 each and pars 4 unless given.
TCourseRecord course(const QString &club, const QString &name, int yard = 350, int par = 4);
TYoteiRecord yotei(const QDate &date, const QString &club, const QTime &start = QTime(8, 30),
    const QString &bikou = QString());
// A card of par 72 (two halves of course `out` and `in`) with the given strokes per hole.
TScoreRecord card(const QDate &date, const QString &club, int strokesPerHole = 5);
// The same card with the given half totals, spread over the holes (the rest on holes 9 and 18).
TScoreRecord scoredCard(const QDate &date, const QString &club, int firstHalf, int secondHalf);

// The order the ascending score list's exchange sort gives, written out as the plain loop it
// is, to check faster code against; empty scores (0) become 1000 in `score` on the way.
QList<qsizetype> exchangeOrder(QList<qint32> &score);

} // namespace build

// The bytes of a file as they stand, empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// The cards' dates as shown ("2025/06/01"), in list order.
QStringList dates(const ScoreCards &cards);
