#pragma once

#include "pagelayout.h"

#include <QStringList>

namespace printout {

// What the results page shows, as texts: the tally's conditions and the grid's cells.
struct ResultsSheet {
    QString golferName;
    QString conditions; // the conditions line above the grid
    QString kensakuYear; // "全て" or a year text
    QString kensakuLinks; // "全て" or a golf club name
    // A score list has a heading row (not part of `rows`); the detailed statistics have none.
    bool hasHeaderRow = false;
    QList<QStringList> rows; // the grid's rows below any heading row, cells by grid column
};

// A score list over as many pages as its rows need (the ascending list when its first row
// carries a rank), or the detailed statistics on one page.
QList<PrintPage> resultsPages(const ResultsSheet &sheet, QSize page);

} // namespace printout
