#pragma once

#include "core/data/records.h"
#include "pagelayout.h"

#include <QDate>

namespace printout {

// "2026 年 12 月 6 日   日曜日": the weekday is always the Japanese long name, whatever
// language the desktop runs in, since the rest of the card is Japanese.
QString scoreCardDateText(const QDate &date);

// One page: heading, a framed table per half and the summary of the round.
QList<PrintPage> scoreCardPages(const TScoreRecord &card, QSize page);

} // namespace printout
