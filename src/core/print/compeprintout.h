#pragma once

#include "pagelayout.h"

#include "core/compe/competition.h"

namespace printout {

// The results sheet of a competition on one page: the heading (name, day, club, courses, the
// options, and the hidden holes once they are announced), the table of places (順位, 氏名,
// OUT, IN, グロス, ハンディ, ネット), then ベストグロス and the prize holes. A field too large for
// one column of full-size rows is set in two columns, and the rows close up as far as the page
// needs. The results are the competition's, asked for (and found whole) by the caller.
QList<PrintPage> compeResultsPages(
    const compe::Competition &c, const compe::Results &results, QSize page);

} // namespace printout
