#pragma once

#include "core/data/records.h"
#include "pagelayout.h"

// The printouts of the record pages: the golfer's schedule, the golf club list and one course.
// Each returns the pages of one copy for a printable area of the given size.
namespace printout {

QList<PrintPage> schedulePages(
    const QString &golferName, const QList<TYoteiRecord> &schedule, QSize page);
QList<PrintPage> linksPages(const QList<TLinksRecord> &links, QSize page);
QList<PrintPage> coursePages(const TCourseRecord &course, QSize page);

} // namespace printout
