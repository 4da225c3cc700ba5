#pragma once

#include "records.h"

#include <QList>
#include <QStringList>

// The other lists a golfer takes out: the schedule and the golf clubs with their courses. Texts
// that a spreadsheet would take for a formula go out protected (csv::protectText).
namespace listcolumns {

QList<QStringList> yoteiTable(const QList<TYoteiRecord> &rounds);
// One row per course, its club's details in front; a club without courses has a row of its
// own, and a course whose club is not registered comes last.
QList<QStringList> linksTable(
    const QList<TLinksRecord> &clubs, const QList<TCourseRecord> &courses);

} // namespace listcolumns
